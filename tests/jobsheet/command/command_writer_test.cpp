// Records as the settings pages leave them, and the command text written for them.

#include <gtest/gtest.h>

#include <functional>

#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/command/job_setting_dump.h"

namespace {

struct WriteCase {
  const char* name;
  std::function<void(JOBSETTING&)> setup;
  int edited;
  int editCols;
  const char16_t* text;
};

// Every token the writer knows, on one record.
void FillAll(JOBSETTING& j) {
  j.m_DocKind = 1;
  j.m_SubKind = 2;
  j.m_ListDoc = 1;
  j.m_CsvHederTyp = 1;
  j.m_Select = u"1,2,3,5";
  j.m_Grayband = 1;
  j.m_Break = 1;
  j.m_HdClmNo = 2;
  j.m_Orientation = 2;
  j.m_Grp = u"G";
  j.m_Sum[0] = u"S";
  j.m_Counts[0][1] = u"C";
  j.m_Numbering = 1;
  j.m_ColumnItems.push_back({kItemColorRule, 4, 0, u"if [c]>1 then color('red')", u"c"});
  j.m_ColumnItems.push_back({kItemSeal, 2, 0, u"認印", u"b"});
  j.m_ColumnItems.push_back({kItemBarcode, 1, 0, u"QR", u"a"});
  j.m_UserPasswd = u"u";
  j.m_OwnerPasswd = u"o";
  j.m_Subject = u"J";
  j.m_InpSelecMacro = u"[x]>0";
  j.m_HideDetail = 1;
  j.m_Graph = 1;
  j.m_HideBits = 3;
  j.m_HideFieldName = j.m_HideTitleName = j.m_HideErr = 1;
  j.m_Date = u"D";
  j.m_Tytl = u"T";
  j.m_Skip = 1;
  j.m_DateFormat = 2;
  j.m_SortCount = 1;
  j.m_SortCol[0] = 4;
  HORIZONSUM total;
  total.m_Result = u"R";
  total.m_Columns[0] = u"a";
  total.m_Columns[1] = u"b";
  j.m_RowSums.push_back(total);
  total.m_Minutes = 5;
  j.m_TimeSpans.push_back(total);
  j.m_FieldNames.push_back({0, u"F"});
}

HORIZONSUM Total(const char16_t* result, std::vector<const char16_t*> columns, int minutes = 0) {
  HORIZONSUM h;
  h.m_Result = result;
  h.m_Minutes = minutes;
  for (size_t i = 0; i < columns.size(); ++i) h.m_Columns[i] = columns[i];
  return h;
}

const std::vector<WriteCase> kCases = {
    {"reset record", [](JOBSETTING&) {}, 0, 256, u""},
    {"every token in order", FillAll, 0, 256,
     u"TypeTX;CsvHederTyp;Select=1~3,5;Grayband;Break;HdClm=2;Landscape;Grp=G;Sum=S;CountsV=C;ListDoc;Numbering;"
     u"QR=a;認印=b;if [c]＞1 then color('red');UserPasswd=u;OwnerPasswd=o;Subject=J;InpSelecMacro(if [x]＞0);"
     u"HideDetail;Graph;HidePage;HideDate;HideFieldName;HideTitleName;HideErr;Date=D;Tytl=T;Skip=1;DateFormat=2;"
     u"Sort4;SUM(R,a,b);TimeSpan(R,b,a,5);FieldN=1[F]"},
    {"CSV keeps only what a CSV can carry",
     [](JOBSETTING& j) {
       FillAll(j);
       j.m_OutputFormat = OutputFormat::kCsv;
     },
     0, 256,
     u"CsvHederTyp;Select=1~3,5;Grp=G;Sum=S;CountsV=C;ListDoc;Subject=J;InpSelecMacro(if [x]＞0);HideDetail;"
     u"DateFormat=2;Sort4;SUM(R,a,b);TimeSpan(R,b,a,5);FieldN=1[F]"},
    {"edited data leaves out the column settings",
     [](JOBSETTING& j) {
       FillAll(j);
       j.m_OutputFormat = OutputFormat::kCsv;
     },
     1, 256, u"Grp=G;Sum=S;CountsV=C;ListDoc;Subject=J;InpSelecMacro(if [x]＞0);HideDetail;DateFormat=2;Sort4"},
    {"labels carry no list settings",
     [](JOBSETTING& j) {
       FillAll(j);
       j.m_DocKind = 3;
     },
     0, 256,
     u"TypeS;CsvHederTyp;Select=1~3,5;Landscape;QR=a;認印=b;UserPasswd=u;OwnerPasswd=o;InpSelecMacro(if [x]＞0);"
     u"HideDetail;Graph;HidePage;HideDate;HideFieldName;HideTitleName;HideErr;Date=D;Tytl=T;Skip=1;DateFormat=2;"
     u"Sort4;SUM(R,a,b);TimeSpan(R,b,a,5);FieldN=1[F]"},
    {"a list carries no barcode",
     [](JOBSETTING& j) {
       j.m_DocKind = 2;
       j.m_ColumnItems.push_back({kItemBarcode, 1, 0, u"QR", u"a"});
       j.m_ColumnItems.push_back({kItemSeal, 2, 0, u"認印", u"b"});
       j.m_Subject = u"J";
     },
     0, 256, u"TypeL;認印=b"},
    {"a form carries no seal",
     [](JOBSETTING& j) {
       j.m_DocKind = 4;
       j.m_ColumnItems.push_back({kItemSeal, 2, 0, u"認印", u"b"});
       j.m_ColumnItems.push_back({kItemBarcode, 1, 1, u"CODE39", u"col"});
     },
     0, 256, u"TypeC;CODE39=col,notTrim"},
    {"cross table in any format",
     [](JOBSETTING& j) {
       j.m_DocKind = 5;
       j.m_OutputFormat = OutputFormat::kCsv;
       j.m_Sum[0] = u"S";
     },
     0, 256, u"TypeCross"},
    {"list type B", [](JOBSETTING& j) {
       j.m_DocKind = 1;
       j.m_SubKind = 2;
       j.m_ListDoc = 3;
       j.m_Grayband = 1;
     },
     0, 256, u"TypeTX;Grayband;ListDoc=TypeB"},
    {"CSV with a title and a sort key",
     [](JOBSETTING& j) {
       j.m_OutputFormat = OutputFormat::kCsv;
       j.m_DocKind = 1;
       j.m_Tytl = u"Title";
       j.m_SortCount = 1;
       j.m_SortCol[0] = 2;
       j.m_SortDesc[0] = 1;
       j.m_SortType[0] = 1;
     },
     0, 256, u"Sort2DN"},
    {"Excel writes only the owner password",
     [](JOBSETTING& j) {
       j.m_OutputFormat = OutputFormat::kExcel;
       j.m_UserPasswd = u"u";
       j.m_OwnerPasswd = u"p;w";
     },
     0, 256, u"OwnerPasswd=p\uF83Bw"},
    {"break with a number", [](JOBSETTING& j) { j.m_Break = 1, j.m_BreakNo = 3; }, 0, 256, u"Break=3"},
    {"header name wins over its number",
     [](JOBSETTING& j) {
       j.m_HdClm = u"a(b)";
       j.m_HdClmNo = 4;
     },
     0, 256, u"HdClm=[a(b)]"},
    {"unknown variant of kind 1", [](JOBSETTING& j) { j.m_DocKind = 1, j.m_SubKind = 7; }, 0, 256, u"TypeT"},
    {"start label without a label word is not written",
     [](JOBSETTING& j) {
       j.m_DocKind = 3;
       j.m_StartLabel = 5;
       j.m_Orientation = 1;
     },
     0, 256, u"TypeS;Portrait"},
    {"label without a family", [](JOBSETTING& j) {
       j.m_DocKind = 3;
       j.m_LabelUse = 2;
       j.m_LabelSheetKind = 100;
       j.m_LabelLayout1 = 3;
     },
     0, 256, u"TypeS=Adress"},
    {"graph column only with a total column",
     [](JOBSETTING& j) {
       j.m_Graph = 3;
       j.m_GraphColumn = u"g";
       j.m_HideDetail = 1;
       j.m_SumAll = 1;
     },
     0, 256, u"Sum=＊"},
    {"colour rule loses the long-rule prefix",
     [](JOBSETTING& j) {
       j.m_ColumnItems.push_back(
           {kItemColorRule, 0, 0, u"マクロが長すぎ if [col]>1 then color('red') else none041", u"col"});
     },
     0, 256, u"if [col]＞1 then color('red') else none041"},
    {"macro gets its if and full-width angles", [](JOBSETTING& j) { j.m_InpSelecMacro = u"[a]>1"; }, 0, 256,
     u"InpSelecMacro(if [a]＞1)"},
    {"macro with its own if and blanks", [](JOBSETTING& j) { j.m_InpSelecMacro = u"  if [a]<1"; }, 0, 256,
     u"InpSelecMacro(  if [a]＜1)"},
    {"macro that only begins with if", [](JOBSETTING& j) { j.m_InpSelecMacro = u"iffy"; }, 0, 256,
     u"InpSelecMacro(if iffy)"},
    {"sort key 0 first", [](JOBSETTING& j) {
       j.m_SortCount = 2;
       j.m_SortCol[1] = 3;
       j.m_SortType[1] = 2;
     },
     0, 256, u"Sort,3H"},
    {"sort with no key above 0", [](JOBSETTING& j) { j.m_SortCount = 1; }, 0, 256, u"Sort"},
    {"sort count beyond the four keys", [](JOBSETTING& j) {
       j.m_SortCount = 9;
       for (int i = 0; i < kJobSortKeys; ++i) j.m_SortCol[i] = i + 1;
     },
     0, 256, u"Sort1,2,3,4"},
    {"row total from the CSV page ends at the edit columns",
     [](JOBSETTING& j) { j.m_RowSums.push_back(Total(u"T", {u"Q1", u"Q2", u"Q3", u"Q4"})); }, 0, 3,
     u"SUM(T,Q1,Q3)"},
    {"row total beyond the edit columns has no last column",
     [](JOBSETTING& j) { j.m_RowSums.push_back(Total(u"T", {u"Q1", u"Q2"})); }, 0, 0, u"SUM(T,Q1,)"},
    {"time difference over several columns",
     [](JOBSETTING& j) { j.m_TimeSpans.push_back(Total(u"Diff", {u"Start", u"Mid", u"End"}, -15)); }, 0, 256,
     u"TimeSpan(Diff,End,Start,-15)"},
    {"field names are written 1-based and escaped",
     [](JOBSETTING& j) {
       j.m_FieldNames.push_back({0, u"a,b"});
       j.m_FieldNames.push_back({2, u"[c]"});
     },
     0, 256, u"FieldN=1[a\uF82Cb],3[\uF85Bc\uF85D]"},
    {"hide bits other than page and date", [](JOBSETTING& j) { j.m_HideBits = 0xFC; }, 0, 256, u""},
    {"negative numbers are not written",
     [](JOBSETTING& j) {
       j.m_Break = 1;
       j.m_BreakNo = -1;
       j.m_HdClmNo = -4;
       j.m_DateFormat = -2;
     },
     0, 256, u"Break;DateFormat=-2"},
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class CommandWriteTable : public testing::TestWithParam<WriteCase> {};

TEST_P(CommandWriteTable, WritesTheText) {
  const WriteCase& c = GetParam();
  JOBSETTING job;
  c.setup(job);
  const JOBSETTING before = job;
  EXPECT_EQ(BuildCommandText(job, c.edited, c.editCols), CString(c.text));
  EXPECT_EQ(job, before) << "the writer changed the record";
}

std::string CaseName(const testing::TestParamInfo<WriteCase>& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandWriteTable, testing::ValuesIn(kCases), CaseName);

// A full name list is written to its 256th entry and no further.
TEST(CommandWrite, FullNameListStopsAtItsEnd) {
  JOBSETTING job;
  for (int i = 0; i < kJobNameSlots; ++i) job.m_Ave[i][1] = CString::Build(u"n%d", i);
  const CString text = BuildCommandText(job, 0, 256);
  EXPECT_TRUE(text.View().starts_with(u"AveV=n0,n1,")) << text;
  EXPECT_TRUE(text.View().ends_with(u",n254,n255")) << text;

  // Read back, a list keeps its first 20 names.
  JOBSETTING again;
  ParseCommandText(again, text);
  EXPECT_EQ(again.m_Ave[19][1], CString(u"n19"));
  EXPECT_TRUE(again.m_Ave[20][1].IsEmpty());
}

// The page's row total over many columns comes back as its first and last column.
TEST(CommandWrite, RowTotalComesBackAsFirstAndLast) {
  JOBSETTING job;
  job.m_RowSums.push_back(Total(u"Sum;1", {u"Jan", u"Feb", u"Mar", u"Apr"}));
  JOBSETTING again;
  ParseCommandText(again, BuildCommandText(job, 0, 256));
  EXPECT_EQ(DumpJobSetting(again), "RowSums=[{'Sum;1':'Jan','Apr'}]");
}

}  // namespace
