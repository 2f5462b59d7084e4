// Command texts read into the record, written back, and read again.
// Each row: the text, the fields it gives, the text the writer gives back for that
// record (PDF, data not edited, 256 edit columns), and the fields that written text
// gives when it is read again (kSame when nothing is lost on the way).

#include <gtest/gtest.h>

#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/command/job_setting_dump.h"

namespace {

constexpr const char* kSame = "<same>";

struct ParseCase {
  const char* name;
  const char16_t* text;
  const char* fields;
  const char16_t* written;
  const char* reread;
};

const ParseCase kCases[] = {
    {"empty text sets nothing", u"", "", u"", kSame},
    {"kind, band and orientation", u"TypeT;Grayband;Portrait", "DocKind=1 Orientation=1 Grayband=1",
     u"TypeT;Grayband;Portrait", kSame},
    {"orientation before labels", u"Landscape;TypeS", "DocKind=3 Orientation=2", u"TypeS;Landscape", kSame},
    {"orientation after labels", u"TypeS;Landscape", "DocKind=3 Orientation=2", u"TypeS;Landscape", kSame},
    {"exact keyword with a tail ends the reading", u"GraybandX;Sort1", "Grayband=1", u"Grayband", kSame},
    {"skip keyword with a tail goes on", u"HideDetailX;Sort1",
     "HideDetail=1 SortCount=1 SortCol=[1,0,0,0]", u"Sort1", "SortCount=1 SortCol=[1,0,0,0]"},
    {"unknown token is skipped", u"Foo=1;Numbering", "Numbering=1", u"Numbering", kSame},
    {"leading blank makes a token unknown", u" Numbering", "", u"", kSame},
    {"numbering before labels counts", u"Numbering;TypeS", "DocKind=3 Numbering=1", u"TypeS", "DocKind=3"},
    {"numbering after labels is ignored", u"TypeS;Numbering", "DocKind=3", u"TypeS", kSame},
    {"cross table is left to the tool chain", u"TypeCross", "", u"", kSame},
    {"keyword prefix of a longer word", u"TypeTY;Grayband", "DocKind=1", u"TypeT", kSame},
    {"variants of kind 1", u"TypeT+;Grayband", "DocKind=1 SubKind=1 Grayband=1", u"TypeT+;Grayband", kSame},
    {"empty date, then a title", u"Date=;Tytl=abc", "Tytl='abc'", u"Tytl=abc", kSame},
    {"escaped title as the last token", u"Tytl=a\uF83Bb\uF82Cc\uF828d\uF829", "Tytl='a;b,c(d)'",
     u"Tytl=a\uF83Bb\uF82Cc\uF828d\uF829", kSame},
    {"escaped title before other tokens", u"Tytl=a\uF83Bb;HidePage", "HideBits=1 Tytl='a;b'",
     u"HidePage;Tytl=a\uF83Bb", kSame},
    {"hide bits add up", u"HidePage;HideDate", "HideBits=3", u"HidePage;HideDate", kSame},
    {"date format number stops at a letter", u"DateFormat=12x;Sort2",
     "SortCount=1 SortCol=[2,0,0,0] DateFormat=12", u"DateFormat=12;Sort2", kSame},
    {"huge number stops at the int range", u"DateFormat=99999999999", "DateFormat=2147483647",
     u"DateFormat=2147483647", kSame},
    {"all the hide flags", u"HideFieldName;HideTitleName;HideErr;CsvHederTyp",
     "CsvHederTyp=1 HideFieldName=1 HideTitleName=1 HideErr=1", u"CsvHederTyp;HideFieldName;HideTitleName;HideErr",
     kSame},
    {"date is kept unescaped", u"Date=2024\uF82F01;Portrait", "Orientation=1 Date='2024\\uF82F01'",
     u"Portrait;Date=2024\uF82F01", kSame},

    // List documents.
    {"list type B with TypeTX", u"TypeTX;ListDoc=TypeB;Grayband", "DocKind=1 SubKind=2 ListDoc=3 Grayband=1",
     u"TypeTX;Grayband;ListDoc=TypeB", kSame},
    {"list type A ignores its tail", u"ListDoc=TypeAxyz;TypeTX", "DocKind=1 SubKind=2 ListDoc=2",
     u"TypeTX;ListDoc=TypeA", kSame},
    {"list type needs TypeTX", u"TypeT+;ListDoc", "DocKind=1 SubKind=1 ListDoc=1", u"TypeT+",
     "DocKind=1 SubKind=1"},

    // Sort keys.
    {"two sort keys", u"Sort1D,3N",
     "SortCount=2 SortCol=[1,3,0,0] SortType=[0,1,0,0] SortDesc=[1,0,0,0]", u"Sort1D,3N", kSame},
    {"descending number key", u"Sort2DN", "SortCount=1 SortCol=[2,0,0,0] SortType=[1,0,0,0] SortDesc=[1,0,0,0]",
     u"Sort2DN", kSame},
    {"date key then descending", u"Sort3HD", "SortCount=1 SortCol=[3,0,0,0] SortType=[2,0,0,0] SortDesc=[1,0,0,0]",
     u"Sort3DH", kSame},
    {"key above 19 is dropped", u"Sort25,4", "SortCount=1 SortCol=[4,0,0,0]", u"Sort4", kSame},
    {"leading comma", u"Sort,3", "SortCount=1 SortCol=[3,0,0,0]", u"Sort3", kSame},
    {"negative key is dropped", u"Sort-1,2", "SortCount=1 SortCol=[2,0,0,0]", u"Sort2", kSame},
    {"only a key above 19", u"Sort20", "", u"", kSame},
    {"digit after the letters starts a key", u"Sort3N5",
     "SortCount=2 SortCol=[3,5,0,0] SortType=[1,0,0,0]", u"Sort3N,5", kSame},
    {"fifth key is dropped", u"Sort1,2,3,4,5,6", "SortCount=4 SortCol=[1,2,3,4]", u"Sort1,2,3,4", kSame},
    {"key 0 is kept but not written", u"Sort0,3", "SortCount=2 SortCol=[0,3,0,0]", u"Sort,3",
     "SortCount=1 SortCol=[3,0,0,0]"},
    {"later sort token starts again", u"Sort1D,2;Sort5",
     "SortCount=1 SortCol=[5,2,0,0] SortDesc=[1,0,0,0]", u"Sort5D", "SortCount=1 SortCol=[5,0,0,0] SortDesc=[1,0,0,0]"},
    {"sort keys end at a parenthesis", u"Sort1H)9;Grayband",
     "Grayband=1 SortCount=1 SortCol=[1,0,0,0] SortType=[2,0,0,0]", u"Grayband;Sort1H", kSame},

    // Used columns.
    {"column ranges are expanded", u"Select=1~3,5", "Select='1,2,3,5'", u"Select=1~3,5", kSame},
    {"runs compress again", u"Select=4,5,6,7,9,10,11", "Select='4,5,6,7,9,10,11'", u"Select=4~7,9~11", kSame},
    {"order is kept", u"Select=3,2,1", "Select='3,2,1'", u"Select=3,2,1", kSame},
    {"range beyond the grid is kept", u"Select=255~258", "Select='255,256,257,258'", u"Select=255~258", kSame},
    {"every column number keeps its place", u"Select=0,300,7", "Select='0,300,7'", u"Select=0,300,7", kSame},
    {"columns beyond the grid are written", u"Select=300,301,302", "Select='300,301,302'", u"Select=300~302",
     kSame},
    {"an empty range keeps its place", u"Select=1,5~3,4", "Select='1,,4'", u"Select=1,0,4",
     "Select='1,0,4'"},

    // Page break and header column.
    {"break with a number", u"Break=3", "Break=1 BreakNo=3", u"Break=3", kSame},
    {"break alone", u"Break", "Break=1", u"Break", kSame},
    {"break keeps the low 8 bits", u"Break=300", "Break=1 BreakNo=44", u"Break=44", kSame},
    {"negative break number is not written", u"Break=-3", "Break=1 BreakNo=-3", u"Break", "Break=1"},
    {"break with a name skips to its bracket", u"Break=[a;b];Grayband", "Grayband=1 Break=1", u"Grayband;Break",
     kSame},
    {"break with a tail", u"BreakX;Portrait", "Orientation=1 Break=1", u"Break;Portrait", kSame},
    {"header column by name", u"HdClm=[Shop]", "HdClm='Shop'", u"HdClm=[Shop]", kSame},
    {"header column by number", u"HdClm= 4;Portrait", "Orientation=1 HdClmNo=4", u"HdClm=4;Portrait", kSame},
    {"header name may hold a separator", u"HdClm=[a;b];Grayband", "Grayband=1 HdClm='a;b'",
     u"Grayband;HdClm=[a;b]", kSame},
    {"header name without its bracket runs to the end", u"HdClm=[x;Grayband", "HdClm='x;Grayband'",
     u"HdClm=[x;Grayband]", kSame},
    {"name wins over number", u"HdClm=2;HdClm=[N]", "HdClmNo=2 HdClm='N'", u"HdClm=[N]", "HdClm='N'"},

    // Labels.
    {"label options", u"TypeS=Label,H(2x4)S3",
     "DocKind=3 LabelUse=1 LabelLayout1=2 LabelLayout2=4 LabelSheetKind=1 StartLabel=3", u"TypeS=Label,H(2x4)S3",
     kSame},
    {"address labels of family A", u"TypeS=Adress,A;Portrait", "DocKind=3 Orientation=1 LabelUse=2 LabelSheetKind=2",
     u"TypeS=Adress,A;Portrait", kSame},
    {"unknown label word before a separator", u"TypeS=Foo;Sort1", "DocKind=3 SortCount=1 SortCol=[1,0,0,0]",
     u"TypeS;Sort1", kSame},
    {"unknown label word before a comma ends", u"TypeS=Foo,H;Sort1", "DocKind=3", u"TypeS", kSame},
    {"not a capital after the comma", u"TypeS=Label,1(2x4);Portrait",
     "DocKind=3 Orientation=1 LabelUse=1 LabelSheetKind=100", u"TypeS=Label;Portrait",
     "DocKind=3 Orientation=1 LabelUse=1"},
    {"other capital leaves the family", u"TypeS=Label,Z(3x5)", "DocKind=3 LabelUse=1 LabelLayout1=3 LabelLayout2=5",
     u"TypeS=Label(3x5)", "DocKind=3"},
    {"last start label counts", u"TypeS=Label,HS5S7", "DocKind=3 LabelUse=1 LabelSheetKind=1 StartLabel=7",
     u"TypeS=Label,HS7", kSame},
    {"layout without its parenthesis", u"TypeS=Adress,H(2x4S9;Portrait",
     "DocKind=3 Orientation=1 LabelUse=2 LabelLayout1=2 LabelLayout2=4 LabelSheetKind=1",
     u"TypeS=Adress,H(2x4);Portrait", kSame},
    {"start label straight after TypeS ends", u"TypeSS3;Portrait", "DocKind=3", u"TypeS", kSame},

    // Name lists.
    {"later list overwrites from the front", u"Sum=a,b,c;Sum=d", "Sum=['d','b','c']", u"Sum=d,b,c", kSame},
    {"asterisk list stores nothing", u"Counts=＊;Grayband", "Grayband=1", u"Grayband", kSame},
    {"all five lists", u"AveV=t;Ave=p;CountsV=q2;Counts=q;Sum=p,t",
     "Sum=['p','t'] Counts=['q'] CountsV=['q2'] Ave=['p'] AveV=['t']", u"Sum=p,t;Counts=q;CountsV=q2;Ave=p;AveV=t",
     kSame},
    {"escaped list items", u"Sum=a\uF82Cb,c\uF83B", "Sum=['a,b','c;']", u"Sum=a\uF82Cb,c\uF83B", kSame},
    {"empty item ends the written list", u"Sum=a,,b", "Sum=['a','','b']", u"Sum=a", "Sum=['a']"},
    {"total of every column", u"Sum=＊;Sum=a;Counts=b", "SumAll=1 Sum=['a'] Counts=['b']", u"Sum=＊", "SumAll=1"},
    {"one long item is not cut",
     u"Sum=123456789012345678901234567890123456789012345678901234567890",
     "Sum=['123456789012345678901234567890123456789012345678901234567890']",
     u"Sum=123456789012345678901234567890123456789012345678901234567890", kSame},
    {"items of a longer list are cut to 50",
     u"Sum=123456789012345678901234567890123456789012345678901234567890,x",
     "Sum=['12345678901234567890123456789012345678901234567890','x']",
     u"Sum=12345678901234567890123456789012345678901234567890,x", kSame},
    {"21st item is dropped", u"Sum=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
     "Sum=['1','2','3','4','5','6','7','8','9','10','11','12','13','14','15','16','17','18','19','20']",
     u"Sum=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20", kSame},

    // Graphs, group and subject.
    {"graph with a column", u"Sum=a;GraphSum=Qty", "Graph=2 Sum=['a'] GraphColumn='Qty'", u"Sum=a;GraphSum=Qty",
     kSame},
    {"graph word with a tail", u"Graphics;Sum=a", "Graph=1 Sum=['a']", u"Sum=a;Graph", kSame},
    {"group graph keeps an earlier column", u"GraphSum=x;GraphGrpZ;Sum=a", "Graph=3 Sum=['a'] GraphColumn='x'",
     u"Sum=a;GraphGrp=x", kSame},
    {"graph needs a total column", u"GraphSum=x", "Graph=2 GraphColumn='x'", u"", ""},
    {"group and subject are unescaped", u"Grp=Area\uF82F1;Subject=S\uF83A",
     "Subject='S:' Grp='Area/1'", u"Grp=Area\uF82F1;Subject=S\uF83A", kSame},

    // Per-column items.
    {"two barcodes", u"CODE39=colA;QR=colB,notTrim",
     "Items=[{0,0,0,'CODE39','colA'},{0,0,1,'QR','colB'}]", u"CODE39=colA;QR=colB,notTrim", kSame},
    {"not-trim at the start is the column", u"CODE39=,notTrim", "Items=[{0,0,0,'CODE39',',notTrim'}]",
     u"CODE39=\uF82CnotTrim", kSame},
    {"text after not-trim is ignored", u"CustmerCode=Zip,notTrimXYZ;Portrait",
     "Orientation=1 Items=[{0,0,1,'CustmerCode','Zip'}]", u"Portrait;CustmerCode=Zip,notTrim", kSame},
    {"seals", u"承認印=Boss;認印=Cl\uF82Ferk;承認日印=Day",
     "Items=[{1,0,0,'承認印','Boss'},{1,0,0,'認印','Cl/erk'},{1,0,0,'承認日印','Day'}]",
     u"承認印=Boss;認印=Cl\uF82Ferk;承認日印=Day", kSame},
    {"items are written by kind", u"認印=a;QR=b", "Items=[{1,0,0,'認印','a'},{0,0,0,'QR','b'}]", u"QR=b;認印=a",
     "Items=[{0,0,0,'QR','b'},{1,0,0,'認印','a'}]"},
    {"colour rule of 40 characters", u"if [col]＞1 then color('red') else none40",
     "Items=[{2,0,0,'if [col]>1 then color('red') else none40','col'}]",
     u"if [col]＞1 then color('red') else none40", kSame},
    {"colour rule of 41 characters gets the prefix", u"if [col]＞1 then color('red') else none041",
     "Items=[{2,0,0,'マクロが長すぎ if [col]>1 then color('red') else none041','col'}]",
     u"if [col]＞1 then color('red') else none041", kSame},
    {"colour rule column keeps its full-width angles", u"if [a＜b]＞1 then color('red');Portrait",
     "Orientation=1 Items=[{2,0,0,'if [a<b]>1 then color('red')','a＜b'}]",
     u"Portrait;if [a＜b]＞1 then color('red')", kSame},
    {"colour rule column with plain angles comes back full-width", u"if [x<y]>1",
     "Items=[{2,0,0,'if [x<y]>1','x<y'}]", u"if [x＜y]＞1", "Items=[{2,0,0,'if [x<y]>1','x＜y'}]"},
    {"colour rule without its bracket", u"if [c＞1 then color('red')",
     "Items=[{2,0,0,'if [c>1 then color('red')','c＞1 then color('red')'}]", u"if [c＞1 then color('red')",
     kSame},
    {"rule text with the prefix is no rule", u"マクロが長すぎ if [a]>1;Portrait", "Orientation=1", u"Portrait",
     kSame},

    // Row selection.
    {"selection macro", u"InpSelecMacro([a]=1)", "InpSelecMacro='[a]=1'", u"InpSelecMacro(if [a]=1)",
     "InpSelecMacro='if [a]=1'"},
    {"macro stops at the first parenthesis", u"InpSelecMacro(([a]=1));Grayband",
     "Grayband=1 InpSelecMacro='([a]=1'", u"Grayband;InpSelecMacro(if ([a]=1)", "Grayband=1 InpSelecMacro='if ([a]=1'"},
    {"empty macro goes on", u"InpSelecMacro();Grayband", "Grayband=1", u"Grayband", kSame},
    {"macro without its parenthesis ends", u"Portrait;InpSelecMacro([a]＜2;Grayband", "Orientation=1", u"Portrait",
     kSame},
    {"macro angles and its own if", u"InpSelecMacro(  if [a]＞1 and [b]<2);Portrait",
     "Orientation=1 InpSelecMacro='  if [a]>1 and [b]<2'", u"Portrait;InpSelecMacro(  if [a]＞1 and [b]＜2)",
     kSame},

    // Row totals, time differences, field names.
    {"two row totals", u"SUM(Total,Q1,Q4);SUM(Total2,Q5,Q8)",
     "RowSums=[{'Total':'Q1','Q4'},{'Total2':'Q5','Q8'}]", u"SUM(Total,Q1,Q4);SUM(Total2,Q5,Q8)", kSame},
    {"row total with a left-out first column", u"SUM(T,＊,Q4)", "RowSums=[{'T':'Q4'}]", u"SUM(T,Q4,Q4)",
     "RowSums=[{'T':'Q4','Q4'}]"},
    {"row total arguments are unescaped", u"SUM(T\uF82Cx,a\uF829,b);Portrait",
     "Orientation=1 RowSums=[{'T,x':'a)','b'}]", u"Portrait;SUM(T\uF82Cx,a\uF829,b)", kSame},
    {"time difference", u"TimeSpan(Diff,End,Start,60)", "TimeSpans=[{'Diff'/60:'Start','End'}]",
     u"TimeSpan(Diff,End,Start,60)", kSame},
    {"time difference without minutes", u"TimeSpan(D,E,S,＊);Portrait", "Orientation=1 TimeSpans=[{'D':'S','E'}]",
     u"Portrait;TimeSpan(D,E,S,0)", kSame},
    {"field names then a sort key", u"FieldN=1[Name],3[Zip];Sort2",
     "SortCount=1 SortCol=[2,0,0,0] FieldNames=[0:'Name',2:'Zip']", u"Sort2;FieldN=1[Name],3[Zip]", kSame},
    {"field name for column 0 is dropped", u"FieldN=0[X]", "", u"", kSame},
    {"field name list ends at a broken item", u"FieldN=2[A\uF83Bb]junk,5[B;Portrait",
     "Orientation=1 FieldNames=[1:'A;b']", u"Portrait;FieldN=2[A\uF83Bb]", kSame},
    {"later field names replace earlier ones", u"FieldN=1[a];FieldN=4[d]", "FieldNames=[3:'d']", u"FieldN=4[d]",
     kSame},

    // Passwords and skip.
    {"both passwords in a PDF", u"UserPasswd=u\uF83A1;OwnerPasswd=o", "UserPasswd='u:1' OwnerPasswd='o'",
     u"UserPasswd=u\uF83A1;OwnerPasswd=o", kSame},
    {"skip of 1", u"Skip=1x", "Skip=1", u"Skip=1", kSame},
    {"skip of 2 is not written", u"Skip=2", "Skip=2", u"", ""},
    {"skip keeps 16 bits", u"Skip=65537", "Skip=1", u"Skip=1", kSame},
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class CommandParseTable : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandParseTable, ReadWriteReadAgain) {
  const ParseCase& c = GetParam();
  JOBSETTING job;
  ParseCommandText(job, CString(c.text));
  EXPECT_EQ(DumpJobSetting(job), c.fields);

  const CString written = BuildCommandText(job, 0, 256);
  EXPECT_EQ(written, CString(c.written));

  JOBSETTING again;
  ParseCommandText(again, written);
  EXPECT_EQ(DumpJobSetting(again), c.reread == kSame ? c.fields : c.reread);
}

std::string CaseName(const testing::TestParamInfo<ParseCase>& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandParseTable, testing::ValuesIn(kCases), CaseName);

// Fields no token names keep their values: the reader only adds to the record.
TEST(CommandParse, KeepsFieldsNoTokenNames) {
  JOBSETTING job;
  job.m_OutputFormat = OutputFormat::kCsv;
  job.m_CharCode = 1;
  job.m_Tytl = u"kept";
  ParseCommandText(job, u"Portrait;Skip=1");
  EXPECT_EQ(DumpJobSetting(job), "OutputFormat=3 Orientation=1 Skip=1 CharCode=1 Tytl='kept'");
}

// A reset record is empty again, lists included.
TEST(CommandParse, ResetClearsEverything) {
  JOBSETTING job;
  ParseCommandText(job, u"TypeS=Label,H(2x4)S3;Sum=a;SUM(T,a,b);QR=x;FieldN=1[n];Sort1");
  job.Reset();
  EXPECT_EQ(job, JOBSETTING());
  EXPECT_EQ(DumpJobSetting(job), "");
}

}  // namespace
