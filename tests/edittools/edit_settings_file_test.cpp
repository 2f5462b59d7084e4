// The data-edit settings file: exact text written and what the tolerant reader
// takes and passes over.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "edittools/chain/edit_settings_file.h"
#include "support/temp_dir.h"

namespace {

using enum ToolKind;

using testsupport::TempDir;

// A set of records the tests own.
struct Records {
  TOOLORDER order{};
  PIVOTSETTING pivot;
  JOINDEF join;
  FILTERSETTING filter;
  SORTKEYS sort;
  MACROSETTING macro;
  EditSettingsRecords refs() { return {order, pivot, join, filter, sort, macro}; }
};

std::string Written(Records& r) {
  std::vector<CString> pieces;
  CSettingsTextList sink(pieces);
  WriteEditSettings(sink, r.refs());
  std::string text;
  for (const CString& p : pieces) text += p.ToUtf8();
  return text;
}

void ReadText(Records& r, const std::string& text) {
  TempDir dir;
  const auto path = dir.Write("job.txt", text);
  ASSERT_TRUE(ReadEditSettingsFile(CString::FromUtf8(path.string()), r.refs()));
}

// Every tool in the order and each record holding values, including one-column
// flag and map lines and texts ending in blanks.
void FillAll(Records& r) {
  r.order = {TOOLSLOT{kPivot, 1}, TOOLSLOT{kAddCsv, 0}, TOOLSLOT{kFilter, 1}, TOOLSLOT{kSort, 0}, TOOLSLOT{kMacro, 1}};
  r.pivot.Colms = 6;
  r.pivot.SumType = 1;
  r.pivot.SumStyl = 1;
  r.pivot.TotalFg = 3;
  r.pivot.NendMonth = 4;
  r.pivot.SumClmArry = {SUMCLM{2, 1, 0}, SUMCLM{3, 2, 1}};
  r.pivot.GrpClmArry = {GRPCLM{0, 1, 0, 1, 2, 3, 0, 1}};
  r.join.AddCSVFg = 1;
  r.join.AddCsvCnt = 1;
  r.join.AddColms = 4;
  r.join.AddCsvCols[0] = 1;
  r.join.AddCsvRows[0] = 10;
  r.join.AddCsvExtra[0] = 7;
  r.join.AdelSelect[0][0] = 2;
  r.join.AddCsvPath[0] = u"/data/商品 一覧.csv";
  r.join.AddCsvTitle[0] = u"商品 一覧";
  r.join.ListPosition[0] = JOINLISTRECT{1, 2, 3, 4};
  r.join.ListPosition[1] = JOINLISTRECT{5, 6, 7, 8};
  r.join.AlignArry[0] = {ALIGN{0, 1, 2, 0}};
  r.filter.FilterCnt = 2;
  r.filter.ItemCnt = 3;
  r.filter.conditions[0].column = 5;
  r.filter.conditions[0].valueCount = 2;
  r.filter.conditions[0].filterKey[0] = u"東京  ";
  r.filter.conditions[0].filterKey[1] = u"C:\\new";
  r.filter.conditions[1] = FILTERDAT{};
  r.filter.conditions[1].column = 2;
  r.filter.conditions[1].kind = 2;
  r.filter.conditions[1].mode = 2;
  r.filter.conditions[1].valueCount = 2;
  r.filter.conditions[1].filterKey[0] = u"20240101";
  r.filter.conditions[1].filterKey[1] = u"20241231";
  r.sort.sortCnt = 2;
  r.sort.column[0] = 1;
  r.sort.compareType[0] = 2;
  r.sort.descending[0] = 1;
  r.sort.column[1] = 4;
  r.macro.colms = 1;
  r.macro.SelectCol[0] = 3;
  r.macro.EditDatclms = 5;
  r.macro.ClmArry = {MACROCOL{1, 0, CString(), u"得意先"}, MACROCOL{-1, 2, u"[単価]*[数量]", u"金額 "}};
}

TEST(EditSettingsFile, WritesTheStoredOrderAndSectionsExactly) {
  Records r;
  r.order[0] = TOOLSLOT{kPivot, 1};
  r.order[1] = TOOLSLOT{kSort, 0};
  r.pivot.Colms = 3;
  r.pivot.NendMonth = 4;
  r.pivot.SumClmArry = {SUMCLM{2, 1, 0}};
  r.sort.sortCnt = 1;
  r.sort.column[0] = 2;
  r.sort.compareType[0] = 1;
  r.filter.FilterCnt = 1;  // not in the order: no section
  EXPECT_EQ(Written(r),
            "@Header\nVersion=1.0\nEditInf=0,1,1\nEditInf=1,4,0\n\n"
            "@Pivot\nColms=3\nSumType=0\nSumStyl=0\nTotalFg=0\nNendMonth=4\n"
            "SumClmArryCount=1\nSumClmArry=0,2,1,0\nGrpClmArryCount=0\n\n"
            "@Sort\nsortCnt=1\nsortdata=0,2,1,0\n\n");
}

TEST(EditSettingsFile, KindListedTwiceKeepsItsListsOnRereading) {
  Records a;
  a.order[0] = TOOLSLOT{kMacro, 0};
  a.order[1] = TOOLSLOT{kMacro, 1};
  a.macro.ClmArry = {MACROCOL{1, 0, CString(), u"x"}};
  Records b;
  ReadText(b, Written(a));
  EXPECT_EQ(b.macro.ClmArry.size(), 1u);
  EXPECT_EQ(b.order[1].openSettingsNextTime, 1);
}

TEST(EditSettingsFile, EveryRecordReadsBackAsWritten) {
  Records a;
  FillAll(a);
  const std::string text = Written(a);
  Records b;
  ReadText(b, text);
  EXPECT_EQ(Written(b), text);
  // The texts that end in blanks or hold a backslash come back whole.
  EXPECT_EQ(b.filter.conditions[0].filterKey[0], u"東京  ");
  EXPECT_EQ(b.filter.conditions[0].filterKey[1], u"C:\\new");
  EXPECT_EQ(b.macro.ClmArry[1].columnName, u"金額 ");
  EXPECT_EQ(b.join.AdelSelect[0][0], 2);
  EXPECT_EQ(b.macro.SelectCol[0], 3);
  EXPECT_EQ(b.join.AddCsvPath[0], u"/data/商品 一覧.csv");
}

struct ReadCase {
  const char* name;
  std::string text;
  std::function<void(const Records&)> check;
};

TEST(EditSettingsFile, ReaderTakesAndPassesOver) {
  const ReadCase cases[] = {
      {"any line starting @Heade opens the header", "@Headerless\nEditInf=0,4,1\n",
       [](const Records& r) { EXPECT_EQ(r.order[0].toolKind, kSort); }},
      {"@Pivot followed by more characters opens the pivot section", "@PivotX\nColms=7\n",
       [](const Records& r) { EXPECT_EQ(r.pivot.Colms, 7); }},
      {"a section without a blank line runs on into the next",
       "@Sort\nsortCnt=1\n@Filter\nFilterCnt=2\nsortdata=0,3,1,1\n",
       [](const Records& r) {
         EXPECT_EQ(r.filter.FilterCnt, 0);
         EXPECT_EQ(r.sort.column[0], 3);
       }},
      {"a comment neither ends the section nor is read",
       "@Sort\n//sortCnt=3\nsortCnt=1\n// \n\nsortCnt=2\n",
       [](const Records& r) { EXPECT_EQ(r.sort.sortCnt, 1); }},
      {"only slot 2 used leaves slot 0 empty", "@Header\nEditInf=2,3,1\n",
       [](const Records& r) {
         EXPECT_EQ(r.order[0].toolKind, kNone);
         EXPECT_EQ(r.order[2].toolKind, kFilter);
         EXPECT_EQ(r.order[2].openSettingsNextTime, 1);
       }},
      {"order lines outside slots 0 to 4 are ignored; later lines win",
       "@Header\nEditInf=5,1,1\nEditInf=-1,2,1\nEditInf=0,3\nEditInf=0,4,0\nEditInf=0,5,1,9\n",
       [](const Records& r) {
         EXPECT_EQ(r.order[0].toolKind, kMacro);
         EXPECT_EQ(r.order[0].openSettingsNextTime, 1);
         for (int s = 1; s < 5; ++s) EXPECT_EQ(r.order[static_cast<size_t>(s)].toolKind, kNone);
       }},
      {"numbers read like the runtime: blanks, sign, saturation, none",
       "@Pivot\nColms= -12x\nSumType=abc\nNendMonth=99999999999\n",
       [](const Records& r) {
         EXPECT_EQ(r.pivot.Colms, -12);
         EXPECT_EQ(r.pivot.SumType, 0);
         EXPECT_EQ(r.pivot.NendMonth, 2147483647);
       }},
      {"item lines fill counted items only",
       "@Pivot\nSumClmArryCount=1\nSumClmArry=0,4,1,0\nSumClmArry=1,5,1,0\nGrpClmArryCount=1\n"
       "GrpClmArry=0,1,1,0,1,0,0,0\n",
       [](const Records& r) {
         ASSERT_EQ(r.pivot.SumClmArry.size(), 1u);
         EXPECT_EQ(r.pivot.SumClmArry[0].column, 4);
         ASSERT_EQ(r.pivot.GrpClmArry.size(), 1u);
         EXPECT_EQ(r.pivot.GrpClmArry[0].orientation, 0);  // 8 fields: too few
       }},
      {"a count beyond the list limit appends nothing", "@Pivot\nSumClmArryCount=2000000000\n",
       [](const Records& r) { EXPECT_TRUE(r.pivot.SumClmArry.empty()); }},
      {"a section twice appends its items twice", "@Macro\nClmArry_Count=1\n\n@Macro\nClmArry_Count=2\n",
       [](const Records& r) { EXPECT_EQ(r.macro.ClmArry.size(), 3u); }},
      {"filter index 3 and value index 31 are ignored",
       "@Filter\nfilter=3,1,1,1,1\nfilter=0,2,0,0,1\nfilterKey=0,31,\"x\"\nfilterKey=0,30,\"y\"\n",
       [](const Records& r) {
         EXPECT_EQ(r.filter.conditions[0].column, 2);
         EXPECT_EQ(r.filter.conditions[0].filterKey[30], u"y");
         EXPECT_EQ(r.filter.conditions[2].column, 0);
       }},
      {"counts outside their limits are ignored",
       "@Filter\nFilterCnt=4\nItemCnt=-1\nfilter=0,1,1,1,32\n\n@AddCSV\nAddCsvCnt=3\nAddCsv=0,257,1,1,\"p\",\"t\"\n\n"
       "@Sort\nsortCnt=4\n\n@Macro\ncolms=257\n\n",
       [](const Records& r) {
         EXPECT_EQ(r.filter.FilterCnt, 0);
         EXPECT_EQ(r.filter.ItemCnt, 0);
         EXPECT_EQ(r.filter.conditions[0].column, 0);
         EXPECT_EQ(r.join.AddCsvCnt, 0);
         EXPECT_EQ(r.join.AddCsvCols[0], 0);
         EXPECT_EQ(r.sort.sortCnt, 0);
         EXPECT_EQ(r.macro.colms, 0);
       }},
      {"a select line must hold exactly colms values", "@Macro\ncolms=2\nSelectCol=7\nSelectCol=1,2,3\nSelectCol=4,5\n",
       [](const Records& r) {
         EXPECT_EQ(r.macro.SelectCol[0], 4);
         EXPECT_EQ(r.macro.SelectCol[1], 5);
         EXPECT_EQ(r.macro.SelectCol[2], 0);
       }},
      {"column flags before their CSV line are ignored",
       "@AddCSV\nAdelSelect=0,1\nAddCsv=0,2,5,0,\"p\",\"t\"\nAdelSelect=0,1\nAdelSelect=1,1,1\n"
       "AdelSelect=0,2,257\n",
       [](const Records& r) {
         EXPECT_EQ(r.join.AdelSelect[0][0], 2);
         EXPECT_EQ(r.join.AdelSelect[0][1], 1);  // low 8 bits of 257
         EXPECT_EQ(r.join.AdelSelect[1][0], 0);
       }},
      {"link lines fill counted links only",
       "@AddCSV\nArrayCount=1,1\nAlignArry=1,0,0,1,2,3\nAlignArry=1,1,0,1,4,5\nArrayCount=3,4\n",
       [](const Records& r) {
         ASSERT_EQ(r.join.AlignArry[1].size(), 1u);
         EXPECT_EQ(r.join.AlignArry[1][0].itemB, 3);
       }},
      {"a sort index may equal the count, not pass it",
       "@Sort\nsortCnt=2\nsortdata=2,5,1,1\nsortdata=3,6,1,1\nsortdata=0,1,2\n",
       [](const Records& r) {
         EXPECT_EQ(r.sort.column[2], 5);
         EXPECT_EQ(r.sort.column[3], 0);
         EXPECT_EQ(r.sort.compareType[0], 0);  // three fields: not exactly four
       }},
      {"a quoted text with a quote and comma inside is cut there",
       "@Filter\nfilterKey=0,0,\"a\",b\"\n",
       [](const Records& r) { EXPECT_EQ(r.filter.conditions[0].filterKey[0], u"a"); }},
      {"a signature and CR LF lines are tolerated", "\xEF\xBB\xBF@Sort\r\nsortCnt=2\r\n\r\nsortCnt=3\r\n",
       [](const Records& r) { EXPECT_EQ(r.sort.sortCnt, 2); }},
      {"a long line in a section ends it; later sections are read",
       "@Sort\n" + std::string(1100, 'x') + "\nsortCnt=2\n@Filter\nFilterCnt=1\n",
       [](const Records& r) {
         EXPECT_EQ(r.sort.sortCnt, 0);
         EXPECT_EQ(r.filter.FilterCnt, 1);
       }},
      {"a long line between sections ends the file", "@Sort\nsortCnt=1\n\n" + std::string(1100, 'x') + "\n@Filter\nFilterCnt=1\n",
       [](const Records& r) {
         EXPECT_EQ(r.sort.sortCnt, 1);
         EXPECT_EQ(r.filter.FilterCnt, 0);
       }},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Records r;
    ReadText(r, c.text);
    c.check(r);
  }
}

}  // namespace
