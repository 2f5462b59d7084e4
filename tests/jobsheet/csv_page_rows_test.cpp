// Row totals, time differences, the row condition, sorting, edit mode and settings from a job.

#include <gtest/gtest.h>

#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/color_rule.h"
#include "jobsheet/sheet/filter_text.h"
#include "jobsheet/sheet/time_text.h"
#include "tests/jobsheet/csv_page_fixture.h"

namespace {

using Rows = std::vector<std::u16string>;

TEST(CsvPageComputed, RowTotals) {
  struct Case {
    std::vector<CString> cells;
    const char16_t* total;
  };
  const Case cases[] = {
      {{u"12", u"30"}, u"42"},
      {{u"-3", u"5"}, u"2"},
      {{u"1.5", u"2.7"}, u"3:12"},            // a point after the first character: hours.minutes
      {{u"1:30", u"0:45"}, u"2:15"},
      {{u"25:00", u"1:00"}, u"26:00"},        // no day carry
      {{u"8時30分", u"30分"}, u"9:00"},
      {{u"abc", u"7"}, u"7"},                  // no number counts 0
      {{u"9000000000000", u"9000000000000"}, u"18000000000000"},   // past 32 bits
  };
  for (const Case& c : cases) EXPECT_EQ(RowTotalText(c.cells), CString(c.total)) << c.cells[0];
}

TEST(CsvPageComputed, TimeDifferences) {
  struct Case {
    const char16_t* start;
    const char16_t* end;
    int minutes;
    const char16_t* result;
  };
  const Case cases[] = {
      {u"22:00", u"6:30", 0, u"8:30"},       // the end on the next day
      {u"9時", u"18時", 60, u"8時間"},
      {u"9時", u"9時30分", 0, u"30分"},
      {u"9時", u"18時15分", 0, u"9時間15分"},
      {u"9:00", u"9:00", 0, u""},
      {u"8.00", u"8.45", 0, u"0.45"},
      {u"2021/01/01 9:00", u"18:00", 0, u""},  // hour 2021: not a time of day
      {u"9:00", u"17:75", 0, u""},
      {u"9:00", u"abc", 0, u""},
      {u"", u"18:00", 0, u"18:00"},           // a start without a time form is 0:00
      {u"開始", u"18時", 60, u"17時間"},
      {u"9:00", u"10:00", 90, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TimeSpanText(c.start, c.end, c.minutes), CString(c.result)) << CString(c.start) << " " << CString(c.end);
}

TEST(CsvPageComputed, RowTotalOutsideEditModeAddsAColumnNextToTheSelection) {
  PageFixture f;
  f.Load({u"name,a,b,memo", u"x,1,2,m"});
  f.page.m_ReportKind = 1;
  f.Column(1);
  f.Column(2, true);
  ASSERT_TRUE(f.page.CheckRowTotal());
  f.page.AddRowTotal(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"name,a,b,横計,memo", u"x,1,2,,m"}));
  ASSERT_EQ(f.page.m_RowTotals.size(), 1u);
  EXPECT_EQ(f.page.m_RowTotals[0].flags[1], HZ_INPUT);
  EXPECT_EQ(f.page.m_RowTotals[0].flags[2], HZ_INPUT);
  EXPECT_EQ(f.page.m_RowTotals[0].flags[3], HZ_RESULT);
  EXPECT_EQ(f.page.m_RowTotals[0].flags[4], HZ_NONE);
  EXPECT_EQ(f.page.ColumnCaption(1), CString(u"2   [横SUM]"));
  // A second one waits until the first result column is deleted.
  f.Column(1);
  f.Column(2, true);
  EXPECT_FALSE(f.page.CheckRowTotal());
  f.page.ClearSelection();
  f.Column(1);
  f.page.OnEditDelete(f.g);   // an input column: the definition stays
  EXPECT_EQ(f.page.m_RowTotals.size(), 1u);
  f.Column(2);
  f.page.OnEditDelete(f.g);   // the result column: it goes
  EXPECT_TRUE(f.page.m_RowTotals.empty());
  EXPECT_EQ(f.Messages(),
            std::vector<CString>{u"既に横計の設定があります。\n設定した横計の列を削除して、設定を解除してください。"});
}

TEST(CsvPageComputed, EditModeComputesAtOnce) {
  PageFixture f;
  f.Load({u"name,in,out", u"x,9:00,17:30", u"y,22:00,6:00"}, 0, true);
  f.Column(1);
  f.Column(2, true);
  ASSERT_TRUE(f.page.CheckTimeSpan());
  f.page.AddTimeSpan(f.g, 30);
  EXPECT_EQ(f.Rows(), (Rows{u"name,in,out,時間差", u"x,9:00,17:30,8:00", u"y,22:00,6:00,7:30"}));
  EXPECT_TRUE(f.page.m_TimeSpans.empty());
}

TEST(CsvPageComputed, TimeSpanRefusals) {
  PageFixture f;
  f.Load({u"a,b,c,d", u"1,2,3,4"});
  f.Column(0);
  f.Column(2, true);
  EXPECT_FALSE(f.page.CheckTimeSpan());
  HORIZONTAL rt;
  rt.flags[1] = HZ_INPUT;
  f.page.m_RowTotals.push_back(rt);
  f.page.ClearSelection();
  f.Column(1);
  f.Column(3, false, true);
  EXPECT_FALSE(f.page.CheckTimeSpan());
  EXPECT_EQ(f.Messages(), (std::vector<CString>{u"開始列と終了列、2つの列を選択して下さい。",
                                                u"横計を設定している列に対して時間差の設定を行うことはできません。"}));
}

TEST(CsvPageRows, ConditionKeepsRowsWhoseValueIsExactlyOne) {
  PageFixture f;
  f.Load({u"name,qty", u"a,5", u"b,20", u"c,12", u"d,7"}, 0, true);
  ASSERT_TRUE(f.page.ApplyRowCondition(f.g, u"[qty] ＞＝ 10"));
  EXPECT_EQ(f.Rows(), (Rows{u"name,qty", u"b,20", u"c,12"}));
  EXPECT_TRUE(f.edit->GetAt(3, 0).IsEmpty());
  ASSERT_TRUE(f.page.ApplyRowCondition(f.g, u"  if [qty] = 12 then return 1 else return 2"));
  EXPECT_EQ(f.Rows(), (Rows{u"name,qty", u"c,12"}));
  EXPECT_FALSE(f.page.ApplyRowCondition(f.g, u"return 0.999"));   // would keep none: said, nothing removed
  EXPECT_EQ(f.Rows(), (Rows{u"name,qty", u"c,12"}));
  EXPECT_EQ(f.Messages(), std::vector<CString>{u"条件に合う行がありません。\n条件式を見直してください。"});
}

// Regression: a condition written as the filter dialog's examples teach ("[1]＝2",
// "[1]＞1 && [1]＜10") read "[n]" as 0 and "&&" as "&" and nothing, and removed
// every row. Both notations, by name and by column number.
TEST(CsvPageRows, ConditionsInTheFormsTheFilterDialogTeaches) {
  struct Case {
    const char16_t* condition;
    const char16_t* kept;   // first cells of the rows kept
  };
  const Case cases[] = {
      {u"[数量]>400", u"A,C"},
      {u"[2]>400", u"A,C"},
      {u"[2]＞400", u"A,C"},
      {u"[ 2 ] > 400", u"A,C"},
      {u"[数量]>400 && [単価]>500", u"A"},
      {u"[2]＞400 && [3]＞500", u"A"},
      {u"[2]＞1 && [2]＜400", u"B&&C,D"},
      {u"[2]＜200 | [2]＞450", u"A,D"},
      {u"[2]<200 || [単価]=400", u"C,D"},
      {u"[2]＝300", u"B&&C"},
      {u"[2]！300", u"A,C,D"},
      {u"[3]＞＝600", u"A,B&&C"},
      {u"[1]='B&&C'", u"B&&C"},                  // quoted text is kept as written
      {u"if [2]>400 then return 1", u"A,C"},
  };
  for (const Case& c : cases) {
    PageFixture f;
    f.Load({u"品名,数量,単価", u"A,500,600", u"B&&C,300,700", u"C,450,400", u"D,100,100"}, 0, true);
    ASSERT_TRUE(f.page.ApplyRowCondition(f.g, c.condition)) << CString(c.condition);
    std::u16string kept;
    for (int r = 1; r < f.page.m_RowCount; ++r) kept += (r > 1 ? u"," : u"") + std::u16string(f.edit->GetAt(r, 0).View());
    EXPECT_EQ(CString(kept), CString(c.kept)) << CString(c.condition);
    EXPECT_TRUE(f.Messages().empty()) << CString(c.condition);
  }
}

TEST(CsvPageRows, AConditionThatKeepsNoRowSaysSoAndLeavesTheRows) {
  for (const char16_t* condition : {u"[数量]>900", u"[4]>0", u"[0]=0 && [2]>900"}) {
    PageFixture f;
    f.Load({u"品名,数量,単価", u"A,500,600", u"B,300,700"});
    f.page.m_Condition = f.page.m_ConditionText = condition;
    EXPECT_FALSE(f.page.EnterEditMode(f.g)) << CString(condition);
    EXPECT_EQ(f.editModeEntered, 0);
    EXPECT_EQ(f.Rows(), (Rows{u"品名,数量,単価", u"A,500,600", u"B,300,700"}));
    EXPECT_EQ(f.page.m_ConditionText, CString(condition));
    EXPECT_EQ(f.Messages(), std::vector<CString>{u"条件に合う行がありません。\n条件式を見直してください。"});
  }
}

TEST(CsvPageRows, TheConditionAsThePagesEvaluationReadsIt) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"[1]＞1 && [1]＜10", u"if [\x01" u"1]>1 & [\x01" u"1]<10"},
      {u" if [2]！'a&&b' || [名]＝'[3]'", u" if [\x01" u"2]!'a&&b' | [名]='[3]'"},
      {u"[4]=1 & [12]=0", u"if [4]=1 & [12]=0"},   // beyond the columns: left as written
      {u"[1", u"if [1"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(PageConditionStatement(in, 3), CString(out)) << CString(in);
}

TEST(CsvPageRows, ConditionErrorIsShownOnceAndChangesNothing) {
  PageFixture f;
  f.Load({u"name,qty", u"a,5", u"b,20"}, 0, true);
  EXPECT_FALSE(f.page.ApplyRowCondition(f.g, u"[qty] >= (1"));
  EXPECT_EQ(f.Messages().size(), 1u);
  EXPECT_EQ(f.Rows(), (Rows{u"name,qty", u"a,5", u"b,20"}));
}

TEST(CsvPageRows, WithoutATitleRowEveryRowIsExamined) {
  PageFixture f;
  f.Load({u"a,5", u"b,20"}, -1, true);
  ASSERT_TRUE(f.page.ApplyRowCondition(f.g, u"[2] > 10"));
  EXPECT_EQ(f.Rows(), (Rows{u"b,20"}));
}

TEST(CsvPageRows, SortKeepsEqualRowsInOrderAndLeavesTheTitle) {
  PageFixture f;
  f.Load({u"k,v", u"2,a", u"10,b", u"2,c", u"1,d"}, 0, true);
  f.page.m_SortCols[0] = 1;
  f.page.m_SortTypes[0] = 1;
  f.page.ApplySortToGrid(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"k,v", u"1,d", u"2,a", u"2,c", u"10,b"}));
  f.page.m_SortTypes[0] = 0;
  f.page.m_SortDesc[0] = 1;
  f.page.ApplySortToGrid(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"k,v", u"2,a", u"2,c", u"10,b", u"1,d"}));
  f.page.m_SortCols[0] = 0;
  f.page.ApplySortToGrid(f.g);   // no key: unchanged
  EXPECT_EQ(f.Rows()[1], u"2,a");
}

TEST(CsvPageRows, EnteringEditModeBakesConditionSortAndTotals) {
  PageFixture f;
  f.Load({u"name,a,b,横計", u"x,1,2,", u"y,5,5,", u"z,0,1,"});
  f.page.m_Condition = f.page.m_ConditionText = u"[a] > 0";
  f.page.m_SortCols[0] = 2;
  f.page.m_SortTypes[0] = 1;
  f.page.m_SortDesc[0] = 1;
  f.page.ShowSortKeys();
  EXPECT_EQ(f.page.m_SortText, CString(u"a\n"));
  HORIZONTAL rt;
  rt.flags[1] = rt.flags[2] = HZ_INPUT;
  rt.flags[3] = HZ_RESULT;
  f.page.m_RowTotals.push_back(rt);
  ASSERT_TRUE(f.page.EnterEditMode(f.g));
  EXPECT_EQ(f.Rows(), (Rows{u"name,a,b,横計", u"y,5,5,10", u"x,1,2,3"}));
  EXPECT_EQ(f.editModeEntered, 1);
  EXPECT_TRUE(f.page.m_SortText.IsEmpty());
  EXPECT_TRUE(f.page.m_Condition.IsEmpty());
  EXPECT_EQ(f.page.m_SortCols[0], 0);
  EXPECT_EQ(f.page.m_CountText, CString(u" 表示 最大列数 256 最大行数 3000"));
}

TEST(CsvPageRows, EditModeWithABadConditionChangesNothing) {
  PageFixture f;
  f.Load({u"name,a", u"x,1"});
  f.page.m_Condition = u"[a] >= (1";
  EXPECT_FALSE(f.page.EnterEditMode(f.g));
  EXPECT_EQ(f.editModeEntered, 0);
  EXPECT_EQ(f.page.m_Condition, CString(u"[a] >= (1"));
  EXPECT_EQ(f.Messages().size(), 1u);
}

TEST(CsvPageJob, ColumnOrderIgnoresItemsOutsideTheGrid) {
  CCsvPropPage page;
  page.ParseColumnOrder(u"3,0,999,1,-2,x", 5);
  EXPECT_EQ(page.m_ColCount, 2);
  EXPECT_EQ(page.m_ColumnMap[0], 3);
  EXPECT_EQ(page.m_ColumnMap[1], 1);
  EXPECT_EQ(page.m_ColumnMap[2], 0);
  EXPECT_EQ(page.m_ColumnsChanged, 1);
  CCsvPropPage identity;
  identity.m_ColCount = 7;
  identity.ParseColumnOrder(u"", 3);
  EXPECT_EQ(identity.m_ColumnMap[2], 3);
  EXPECT_EQ(identity.m_ColumnMap[3], 0);
  EXPECT_EQ(identity.m_ColCount, 7);
  EXPECT_EQ(CCsvPropPage::CountSelectedColumns(u"4"), 1);
  EXPECT_EQ(CCsvPropPage::CountSelectedColumns(u"4,1,2"), 3);
}

TEST(CsvPageJob, SettingsFromAJob) {
  PageFixture f;
  f.Load({u"店,売上,数量,時刻1,時刻2", u"a,1,2,9:00,10:00"});
  JOBSETTING job;
  job.m_Select = u"";
  job.m_Sum[0] = u"売上";
  job.m_Counts[0][1] = u"数量";
  job.m_Grp = u"店";
  job.m_SortCol[0] = 2;
  job.m_SortType[0] = 1;
  job.m_InpSelecMacro = u"[数量] > 1";
  job.m_FieldNames.push_back(FIELDNAME{3, u"開始"});
  BARCOD_STAMPEAI seal;
  seal.m_Kind = kItemSeal;
  seal.m_Code = u"承認日印";
  seal.m_ColumnName = u"店";
  job.m_ColumnItems.push_back(seal);
  BARCOD_STAMPEAI other;
  other.m_Code = u"CustmerCode";
  other.m_ColumnNo = 2;
  job.m_ColumnItems.push_back(other);
  HORIZONSUM span;
  span.m_Result = u"数量";
  span.m_Minutes = 15;
  span.m_Columns[0] = u"開始";
  span.m_Columns[1] = u"時刻2";
  job.m_TimeSpans.push_back(span);
  f.page.ApplyJobSettings(f.g, u"cmd", 0, job);
  EXPECT_EQ(f.page.m_HeaderNames[3], CString(u"開始"));
  EXPECT_EQ(f.edit->GetAt(0, 3), CString(u"開始"));
  EXPECT_EQ(f.page.m_HeaderEdited[3], 1);
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_SUM);
  EXPECT_EQ(f.page.m_ColumnCodes[2], CODE_COUNT_EXCL);
  EXPECT_EQ(f.page.m_ColumnCodes[0], CODE_APPROVAL_DATE_SEAL);
  EXPECT_EQ(f.page.m_GroupCol, 1);
  EXPECT_EQ(f.page.m_SortCols[0], 2);
  EXPECT_EQ(f.page.m_ConditionText, CString(u"[数量] > 1"));
  ASSERT_EQ(f.page.m_TimeSpans.size(), 1u);
  EXPECT_EQ(f.page.m_TimeSpans[0].flags[3], HZ_INPUT);
  EXPECT_EQ(f.page.m_TimeSpans[0].flags[4], HZ_INPUT);
  EXPECT_EQ(f.page.m_TimeSpans[0].flags[2], HZ_RESULT);
  EXPECT_EQ(f.page.m_TimeSpans[0].minutes, 15);
}

TEST(CsvPageJob, ClearingDropsEverySetting) {
  PageFixture f;
  f.Load({u"a,b", u"1,2"});
  f.page.m_ColumnCodes[1] = CODE_SUM;
  f.page.m_GroupCol = 1;
  f.page.m_ColorRuleText = u"rule";
  f.page.m_ConditionText = u"x";
  f.page.m_SortCols[0] = 1;
  f.page.m_RowTotals.emplace_back();
  f.page.m_ColumnsChanged = 1;
  f.page.m_ColumnMap[0] = 2;
  f.edit->SetAt(1, 0, u"changed");
  f.editModeEntered = f.page.m_EditMode = 1;
  f.page.ClearSettings(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"a,b", u"1,2"}));
  EXPECT_EQ(f.page.m_ColumnCodes[1], 0);
  EXPECT_EQ(f.page.m_GroupCol, 0);
  EXPECT_TRUE(f.page.m_ColorRuleText.IsEmpty());
  EXPECT_TRUE(f.page.m_ConditionText.IsEmpty());
  EXPECT_EQ(f.page.m_SortCols[0], 0);
  EXPECT_TRUE(f.page.m_RowTotals.empty());
  EXPECT_EQ(f.page.m_ColumnMap[0], 1);
  EXPECT_EQ(f.editModeEntered, 0);
  EXPECT_EQ(f.page.m_EditMode, 0);
}

TEST(CsvPageJob, TheCountLineNamesTheInputsRowsOnlyOutsideEditMode) {
  struct Case {
    const char* name;
    int entered, forced;
    const char16_t* line;
  };
  const Case cases[] = {
      {"outside edit mode", 0, 0, u" 表示 最大列数 256 最大行数 3000    全行数 2"},
      {"edit mode entered", 1, 0, u" 表示 最大列数 256 最大行数 3000"},
      {"clipboard input, before the buttons enter edit mode", 0, 1, u" 表示 最大列数 256 最大行数 3000"},
  };
  for (const Case& c : cases) {
    PageFixture f;
    f.Load({u"a,b", u"1,2"});
    f.editModeEntered = c.entered;
    f.page.m_EditModeForced = c.forced;
    EXPECT_EQ(f.page.CountLine(f.g), CString(c.line)) << c.name;
    f.page.ClearSettings(f.g);   // clearing leaves a forced edit mode's line alone
    EXPECT_EQ(f.page.m_CountText, CString(c.forced ? c.line : cases[0].line)) << c.name;
  }
}

TEST(ColorRule, BuildAndReadBack) {
  COLORRULE r;
  r.op = kColorRuleSigma;
  r.value = u"2";
  r.action = 2;
  r.colour = 5;
  const CString rule = BuildColorRule(u"売上(円)", r);
  EXPECT_EQ(rule, CString(u"if [売上\uF828円\uF829] σ 2 then LinePastColor('シアン')"));
  const COLORRULE back = ParseColorRule(u"マクロが長すぎ " + rule, COLORRULE{});
  EXPECT_EQ(back.op, kColorRuleSigma);
  EXPECT_EQ(back.value, CString(u"2"));
  EXPECT_EQ(back.action, 2);
  EXPECT_EQ(back.colour, 5);
  EXPECT_TRUE(BuildColorRule(u"x", COLORRULE{}).IsEmpty());
}

TEST(ColorRule, ReadingTable) {
  struct Case {
    const char16_t* rule;
    int op;
    const char16_t* value;
    int action;
    int colour;
  };
  const Case cases[] = {
      {u"", -1, u"", 0, 0},
      {u"if [a] >= 10 then TextColor('青')", 4, u"10", 0, 1},
      {u"if [a] <= 1 then PastColor('灰')", 1, u"1", 1, 4},
      {u"if [a] ! x y then TextColor('赤')", 5, u"x", 0, 0},           // read up to the blank
      {u"if [a] = 1 then ('赤')", 2, u"1", -1, 0},                     // no action word
      {u"if [a] = 1 then TextColor('ピンク')", 2, u"1", 0, -1},         // colour outside the list
      {u"if [a] ? 1 then TextColor('赤')", -1, u"?", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CString(c.rule).ToUtf8());
    const COLORRULE r = ParseColorRule(c.rule, COLORRULE{});
    EXPECT_EQ(r.op, c.op);
    EXPECT_EQ(r.value, CString(c.value));
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.colour, c.colour);
  }
}

TEST(ColorRule, PlainNumbers) {
  for (const char16_t* yes : {u"12", u"12.5", u".5", u"12.", u".", u""}) EXPECT_TRUE(IsPlainNumber(yes));
  for (const char16_t* no : {u"-3", u"1,000", u"1.2.3", u"1e5", u"１"}) EXPECT_FALSE(IsPlainNumber(no)) << CString(no);
}

TEST(ColorRule, OkChecks) {
  struct Case {
    int op;
    const char16_t* value;
    int action, colour;
    const char16_t* refusal;
    bool warning;
  };
  const Case cases[] = {
      {-1, u"1", 0, 0, u"[比較式]を指定してください。", false},
      {2, u"", 0, 0, u"[比較値]を入力してください。", false},
      {2, u"1", -1, 0, u"[処理]を指定してください。", false},
      {2, u"1", 0, -1, u"[結果の表示色]を指定してください。", false},
      {6, u"0.5", 0, 0, u"[比較式]が「σ」の場合、[比較値]には1.0以上の数値を入力してください", false},
      {6, u"1.0", 0, 0, u"", false},
      {0, u"12.5", 0, 0, u"", false},
      {0, u"abc", 0, 0, u"[比較値]が文字列の場合、[比較式]は「=」 または「!」を選択してください", false},
      {2, u"zあ", 0, 0, u"", false},
      {5, u"a~b", 0, 0, u"", true},
      {2, u"`", 0, 0, u"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CString(c.value).ToUtf8());
    COLORRULE r;
    r.op = c.op;
    r.value = c.value;
    r.action = c.action;
    r.colour = c.colour;
    const ColorRuleCheck check = CheckColorRule(r);
    EXPECT_EQ(check.refusal, CString(c.refusal));
    EXPECT_EQ(check.symbolWarning, c.warning);
  }
  EXPECT_EQ(ColorRuleSymbolWarning(),
            CString(u"[比較値]に半角で記号\n!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\nが含まれています。\n"
                    u"意図しない結果になる場合があります。"));
}

}  // namespace
