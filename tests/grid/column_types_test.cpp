#include "grid/column_types.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "grid/grid_set_fixture.h"

namespace {

TEST(ClassifyValueText, KindOfEachForm) {
  struct Case {
    const char16_t* text;
    int kind;
  };
  const Case cases[] = {
      {u"", VALUE_EMPTY},
      {u"   ", VALUE_INTEGER},          // blanks only
      {u"123", VALUE_INTEGER},
      {u" 123", VALUE_INTEGER},
      {u"-5", VALUE_INTEGER},
      {u"\\1,000", VALUE_INTEGER},
      {u"15%", VALUE_INTEGER},
      {u"012345", VALUE_INTEGER},       // six characters: not a leading-zero code
      {u"2024年1月5日", VALUE_INTEGER},  // the marks are ignored
      {u"1.5", VALUE_DECIMAL},
      {u"1.5%", VALUE_DECIMAL},
      {u"0123", VALUE_LEADING_ZERO},
      {u"1.2.3", VALUE_TEXT},
      {u"5日1月", VALUE_TEXT},          // marks out of order
      {u"1年2年", VALUE_TEXT},          // a mark twice
      {u"abc", VALUE_TEXT},
      {u"50%off", VALUE_TEXT},
      {u"2024/01/05", VALUE_DATE},
      {u"2024-1-5", VALUE_DATE},
      {u"1-2-3", VALUE_TEXT},           // too short for a date
      {u"2024/01", VALUE_TEXT},         // one separator
      {u"2024/01/05.5", VALUE_TEXT},
      {u"12:30:00", VALUE_TIME},
      {u"9:30:00", VALUE_TIME},
      {u"2024/01/05 12:30:00", VALUE_DATETIME},
      {u"1 2:30:00", VALUE_TEXT},       // a blank but too short for date and time
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyValueText(c.text), c.kind) << CString(c.text);
  }
}

TEST(StripHeaderSerial, CutsOneOrTwoTrailingDigits) {
  struct Case {
    const char16_t* text;
    const char16_t* stripped;
  };
  const Case cases[] = {
      {u"金額1", u"金額"},      {u"金額-01", u"金額"},   {u"金額123", u"金額123"},
      {u"金額_２", u"金額"},    {u"金額ー12", u"金額"},  {u"金額 ", u"金額"},
      {u"1", u"1"},             {u"12", u"1"},           {u"", u""},
  };
  for (const Case& c : cases) {
    CString text(c.text);
    EXPECT_EQ(StripHeaderSerial(text), CString(c.stripped).GetLength()) << CString(c.text);
    EXPECT_EQ(text, c.stripped) << CString(c.text);
  }
}

TEST(IsFiscalYearWord, YearCodesAndRelativeWords) {
  struct Case {
    const char16_t* text;
    int n;
    int expected;
  };
  const Case cases[] = {
      {u"年度", 0, 1},     {u"年", 0, 1},       {u"今年度", 1, 0},   {u"来年", 1, 0},
      {u"会計年度", 2, 1}, {u"2024年度", 4, 0}, {u"２０２４年", 4, 0}, {u"平成年", 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsFiscalYearWord(c.text, c.n), c.expected) << CString(c.text);
  }
}

TEST(ClassifyHeaderText, FirstMatchingTestGivesTheClass) {
  struct Case {
    const char16_t* name;
    int cls;
  };
  const Case cases[] = {
      {u"", HEADER_EMPTY},           {u"商品名", HEADER_NAME},       {u"名称", HEADER_NAME},
      {u"支払方法", HEADER_NAME},    {u"適用", HEADER_NAME},         {u"ItemName", HEADER_NAME},
      {u"売上金額計", HEADER_AMOUNT}, {u"消費税額", HEADER_AMOUNT},  {u"総重量", HEADER_AMOUNT},
      {u"Tax", HEADER_AMOUNT},       {u"金額1", HEADER_AMOUNT},      {u"伝票番号", HEADER_CODE},
      {u"電話", HEADER_CODE},        {u"No.", HEADER_CODE},          {u"ＮＯ．", HEADER_CODE},
      {u"№", HEADER_CODE},           {u"枝番", HEADER_CODE},         {u"年度", HEADER_CODE},
      {u"区分", HEADER_CODE},        {u"得意先コード", HEADER_CODE}, {u"userId", HEADER_CODE},
      {u"注文票No", HEADER_CODE},    {u"FAX番号欄", HEADER_CODE},    {u"品NO", HEADER_EXCLUDED},
      {u"受付NO.", HEADER_EXCLUDED}, {u"西暦", HEADER_EXCLUDED},     {u"売上月", HEADER_MONTH},
      {u"年月", HEADER_MONTH},       // the month test comes first
      {u"生年月日", HEADER_DATE},    {u"時期", HEADER_DATE},         {u"入荷月日", HEADER_MONTH_DAY},
      {u"日付", HEADER_DATE},        {u"日付(納品)", HEADER_DATE},   {u"納品日", HEADER_DATE},
      {u"OrderDate", HEADER_DATE},   {u"作業分", HEADER_TIME},       {u"時刻", HEADER_TIME},
      {u"開始TIME", HEADER_TIME},    {u"2024年度", HEADER_UNKNOWN},  {u"今年度", HEADER_UNKNOWN},
      {u"備考", HEADER_UNKNOWN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyHeaderText(c.name), c.cls) << CString(c.name);
  }
  EXPECT_EQ(ClassifyHeaderText(CString(u'x', 50001) + u"名"), HEADER_UNKNOWN);
}

class DetectColumnTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetSet(); }
  void TearDown() override { gridtest::ResetSet(); }

  // Type of a one-column data grid: an optional title and the cells below it.
  // Equal texts share one string, as the loader makes them.
  static int TypeOf(const char16_t* title, std::vector<const char16_t*> cells) {
    gridtest::ResetSet();
    CGridSet& a = gridtest::Set();
    int r = 0;
    if (title != nullptr) a.m_DataGrid[r++][0] = title;
    std::vector<CString> made;
    for (const char16_t* cell : cells) {
      auto same = std::find(made.begin(), made.end(), CString(cell));
      if (same == made.end()) same = made.insert(made.end(), CString(cell));
      a.m_DataGrid[r++][0] = *same;
    }
    a.m_TitleRow = title != nullptr ? 0 : -1;
    a.m_DataRows = r;
    a.m_DataCols = 1;
    ScanColumnTypes(a, 0);
    return a.m_ColumnTypes[0];
  }
};

TEST_F(DetectColumnTypesTest, HeaderAndValuesDecideTheType) {
  struct Case {
    const char* name;
    const char16_t* title;  // null: no title row
    std::vector<const char16_t*> cells;
    int type;
  };
  const Case cases[] = {
      {"amounts under 金額", u"金額", {u"1,200", u"3,000"}, COLTYPE_NUMBER},
      {"amounts under a name word", u"担当者名", {u"1,200", u"3,000"}, COLTYPE_UNKNOWN},
      {"names under a name word", u"担当者名", {u"山田", u"佐藤"}, COLTYPE_TEXT},
      {"dates under 日付", u"日付", {u"2024/01/05", u"2024/02/10"}, COLTYPE_DATE},
      {"packed dates without title", nullptr, {u"20240105", u"20240212"}, COLTYPE_DATE},
      {"month 13 is a number", nullptr, {u"20241305"}, COLTYPE_NUMBER},
      {"impossible date becomes text", nullptr, {u"2024/13/05"}, COLTYPE_TEXT},
      {"leading zeros under 伝票番号", u"伝票番号", {u"00123"}, COLTYPE_TEXT},
      {"codes under 区分", u"区分", {u"1", u"2"}, COLTYPE_TEXT},
      {"months under 月", u"月", {u"4", u"10"}, COLTYPE_CODE},
      {"years under 年度", u"年度", {u"2024"}, COLTYPE_TEXT},
      {"2024年度 is no year word", u"2024年度", {u"2024"}, COLTYPE_NUMBER},
      {"all empty with title", u"金額", {u"", u""}, COLTYPE_UNKNOWN},
      {"all empty without title", nullptr, {u"", u""}, COLTYPE_UNKNOWN},
      {"times under 時刻", u"時刻", {u"09:30:00", u"17:45:00"}, COLTYPE_TIME},
      {"on-the-hour times under 時刻", u"時刻", {u"09:00:00", u"10:00:00"}, COLTYPE_TIME},
      {"minute 60 is no time", u"時刻", {u"09:60:00"}, COLTYPE_UNKNOWN},
      {"hour 25 is no time", nullptr, {u"25:00:00"}, COLTYPE_UNKNOWN},
      {"date and time values", nullptr, {u"2024/01/05 09:00:00", u"2024/01/06 10:30:00"},
       COLTYPE_TIME},
      {"a lone date and time is a number", nullptr, {u"2024/01/05 09:30:00"}, COLTYPE_NUMBER},
      {"one date and time repeated", nullptr, {u"2024/01/05 09:30:00", u"2024/01/05 09:30:00"},
       COLTYPE_TIME},
      {"one date and time repeated with blanks between", nullptr,
       {u"2024/01/05 09:30:00", u"", u"", u"2024/01/05 09:30:00"}, COLTYPE_TIME},
      {"one date and time repeated under 日時", u"日時", {u"2024/01/05 09:30:00", u"2024/01/05 09:30:00"},
       COLTYPE_TIME},
      {"decimals without title", nullptr, {u"1.5", u"2"}, COLTYPE_NUMBER},
      {"text wins over numbers", nullptr, {u"1", u"abc", u"2"}, COLTYPE_TEXT},
      {"empty title keeps text", u"", {u"1", u"2"}, COLTYPE_TEXT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TypeOf(c.title, c.cells), c.type);
  }
}

TEST_F(DetectColumnTypesTest, ALargeGridSharedOutAmongThreadsGetsEveryColumnsType) {
  // 999 data rows of 256 columns are scanned by several threads; each column still
  // gets the type of its own cells, also when the deciding cell is the last one.
  struct Kind {
    const char16_t* title;
    const char16_t* cell;
    const char16_t* lastCell;
    int type;
  };
  const Kind kinds[] = {
      {u"金額", u"1,200", u"3,000", COLTYPE_NUMBER},
      {u"担当者名", u"山田", u"佐藤", COLTYPE_TEXT},
      {u"売上日", u"2024/01/05", u"2024/02/10", COLTYPE_DATE},
      {u"伝票番号", u"00123", u"00456", COLTYPE_TEXT},
      {u"時刻", u"09:30:00", u"17:00:00", COLTYPE_TIME},
      {u"月", u"4", u"10", COLTYPE_CODE},
      {u"備考", u"12", u"未定", COLTYPE_TEXT},
      {u"メモ", u"", u"", COLTYPE_UNKNOWN},
  };
  constexpr int kRows = 1000;
  CGridSet& a = gridtest::Set();
  for (int c = 0; c < GRID_COLS; ++c) {
    const Kind& k = kinds[c % std::size(kinds)];
    a.m_DataGrid[0][c] = k.title;
    for (int r = 1; r < kRows; ++r) a.m_DataGrid[r][c] = r + 1 < kRows ? k.cell : k.lastCell;
  }
  a.m_TitleRow = 0;
  a.m_DataRows = kRows;
  a.m_DataCols = GRID_COLS;
  ScanColumnTypes(a, 0);
  for (int c = 0; c < GRID_COLS; ++c) {
    EXPECT_EQ(a.m_ColumnTypes[c], kinds[c % std::size(kinds)].type) << "column " << c;
  }
}

TEST_F(DetectColumnTypesTest, NoDataRowBelowTheTitleLeavesEveryTypeText) {
  CGridSet& a = gridtest::Set();
  a.m_ColumnTypes.fill(COLTYPE_UNKNOWN);
  a.m_DataGrid[0][0] = u"金額";
  a.m_TitleRow = 0;
  a.m_DataRows = 1;
  a.m_DataCols = 1;
  ScanColumnTypes(a, 0);
  for (uint8_t t : a.m_ColumnTypes) EXPECT_EQ(t, COLTYPE_TEXT);
}

TEST_F(DetectColumnTypesTest, TheEditGridIsScannedWithTheDataGridsTitle) {
  CGridSet& a = gridtest::Set();
  gridtest::Fill(a.m_DataGrid, {{u"品名", u"金額"}});
  gridtest::Fill(a.m_EditGrid, {{u"x", u"y"}, {u"りんご", u"100"}, {u"みかん", u"200"}});
  a.m_TitleRow = 0;
  a.m_EditRows = 3;
  a.m_EditCols = 2;
  a.m_ColumnTypes[2] = COLTYPE_DATE;
  ScanColumnTypes(a, 1);
  EXPECT_EQ(a.m_ColumnTypes[0], COLTYPE_TEXT);
  EXPECT_EQ(a.m_ColumnTypes[1], COLTYPE_NUMBER);
  EXPECT_EQ(a.m_ColumnTypes[2], COLTYPE_TEXT);  // beyond the columns: reset
}

// A pass over grids and counts that have not changed may keep the types it found;
// any change in between is seen by the next pass, whichever way it was made.
TEST_F(DetectColumnTypesTest, EveryChangeBetweenTwoPassesIsSeen) {
  struct Case {
    const char* name;
    void (*change)(CGridSet&);
    int source;      // of the pass after the change
    int before = 0;  // of the passes before it
  };
  const Case cases[] = {
      {"CellWritten", [](CGridSet& a) { a.m_DataGrid[2][1] = u"abc"; }, 0},
      {"CellSet", [](CGridSet& a) { a.m_DataGrid.SetAt(1, 1, CString(u"x")); }, 0},
      {"RowPrepared", [](CGridSet& a) { a.m_DataGrid.PrepareRow(1, 2)[1] = u"x"; }, 0},
      {"NumbersCleared", [](CGridSet& a) { a.m_DataGrid.ClearRow(1), a.m_DataGrid.ClearRow(2); }, 0},
      {"NumbersCut", [](CGridSet& a) { a.m_DataGrid.TruncateRow(1, 1), a.m_DataGrid.TruncateRow(2, 1); }, 0},
      {"TextRowSharedIn",
       [](CGridSet& a) {
         a.m_StepGrid[1][1] = u"x";
         a.m_DataGrid.ShareRow(1, a.m_StepGrid, 2);
       },
       0},
      {"TextRowTakenIn",
       [](CGridSet& a) {
         a.m_StepGrid[2][1] = u"x";
         a.m_DataGrid.TakeRow(2, a.m_StepGrid, 2);
       },
       0},
      {"TextRowSwappedIn", [](CGridSet& a) { a.m_DataGrid.SwapRows(2, 3); }, 0},
      {"MoreRowsCounted", [](CGridSet& a) { a.m_DataRows = 4; }, 0},
      {"TitleRenamed", [](CGridSet& a) { a.m_DataGrid[0][1] = u"日付"; }, 0},
      {"TitleRowDropped", [](CGridSet& a) { a.m_TitleRow = -1; }, 0},
      {"FewerColumnsCounted", [](CGridSet& a) { a.m_DataCols = 1; }, 0},
      {"EditGridAsked", [](CGridSet&) {}, 1},
      {"EditGridWritten", [](CGridSet& a) { a.m_EditGrid[1][1] = u"2"; }, 1, 1},
  };
  auto build = [](CGridSet& a) {
    gridtest::Fill(a.m_DataGrid, {{u"品名", u"金額"}, {u"りんご", u"100"}, {u"みかん", u"200"}, {u"x", u"abc"}});
    gridtest::Fill(a.m_EditGrid, {{u"品名", u"金額"}, {u"りんご", u"y"}});
    a.m_TitleRow = 0;
    a.m_DataRows = 3;
    a.m_DataCols = 2;
    a.m_EditRows = 2;
    a.m_EditCols = 2;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // What a set that was never scanned before the change gives.
    CGridSet& fresh = gridtest::ResetSet();
    build(fresh);
    c.change(fresh);
    ScanColumnTypes(fresh, c.source);
    const uint8_t expected = fresh.m_ColumnTypes[1];

    CGridSet& a = gridtest::ResetSet();
    build(a);
    ScanColumnTypes(a, c.before);
    ScanColumnTypes(a, c.before);
    ASSERT_NE(a.m_ColumnTypes[1], expected);  // the change matters
    c.change(a);
    ScanColumnTypes(a, c.source);
    EXPECT_EQ(a.m_ColumnTypes[1], expected);
  }
  // Types written over between two passes over the same grid come back.
  CGridSet& a = gridtest::ResetSet();
  build(a);
  ScanColumnTypes(a, 0);
  a.m_ColumnTypes.fill(COLTYPE_DATE);
  ScanColumnTypes(a, 0);
  EXPECT_EQ(a.m_ColumnTypes[1], COLTYPE_NUMBER);
}

}  // namespace
