// The macro-column engine over small grids: what the replay cases cannot show
// (the data grid after a failure, limits of the 256 columns, header shifting,
// the field names of a cross table).

#include "macro/macro_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Grids {
  CTextGrid data{20};
  CTextGrid step{20};
  int rows = 0;
  int cols = 0;

  void Fill(const std::vector<std::vector<const char16_t*>>& cells) {
    rows = static_cast<int>(cells.size());
    for (int r = 0; r < rows; ++r) {
      const auto& line = cells[static_cast<size_t>(r)];
      cols = std::max(cols, static_cast<int>(line.size()));
      for (size_t c = 0; c < line.size(); ++c) data[r][static_cast<int>(c)] = CString(line[c]);
    }
  }
  MACROGRIDS View(int title) { return MACROGRIDS{data, step, rows, cols, title}; }
  std::u16string Row(int r, int width) const {
    std::u16string s;
    for (int c = 0; c < width; ++c) {
      if (c) s += u',';
      s += data.GetAt(r, c).View();
    }
    return s;
  }
};

MACROCOL Data(int source) { return MACROCOL{source, 0, CString(), CString()}; }
MACROCOL Macro(int slot, const char16_t* text, const char16_t* name) { return MACROCOL{-1, slot, text, name}; }

TEST(MacroColumns, ErrorOnALaterRowLeavesTheDataGridAsItWas) {
  Grids g;
  g.Fill({{u"a", u"b"}, {u"1", u"2024/01/31"}, {u"2", u"2024/13/01"}});
  // The second row's date is impossible: no result of the first row may survive.
  const std::vector<MACROCOL> layout = {Data(2), Macro(1, u"[a]*10", u"m"), Macro(2, u"[b].AddDate('d',1)", u"n")};
  const std::vector<CString> names = MacroFieldNames(g.data, 0, g.cols, 0, 0);
  CMacroColumnEngine engine(g.View(0), MACROCROSS{}, layout, names);
  CString error;
  EXPECT_FALSE(engine.EvaluateMacroColumns(error));
  EXPECT_EQ(error, u"日付が正しくありません　2024/13/01");
  EXPECT_EQ(g.Row(0, 3), u"a,b,");
  EXPECT_EQ(g.Row(1, 3), u"1,2024/01/31,");
  EXPECT_EQ(g.Row(2, 3), u"2,2024/13/01,");
  EXPECT_EQ(g.step.AllocatedRows(), 0);
}

TEST(MacroColumns, RepeatedResultsKeepTheirKindFromRowToRow) {
  Grids g;
  // A text between two equal numbers, a number text between two equal texts,
  // and the same value once as a number and once written with a point.
  g.Fill({{u"a"}, {u"1"}, {u"x"}, {u"1"}, {u"1"}, {u"x"}, {u"1"}, {u"x"}, {u"x"}, {u"1.0"}, {u"1"}, {u""}});
  const std::vector<MACROCOL> layout = {Data(1), Macro(1, u"[a]", u"m"), Macro(2, u"[a]*2", u"n")};
  const std::vector<CString> names = MacroFieldNames(g.data, 0, g.cols, 0, 0);
  CMacroColumnEngine engine(g.View(0), MACROCROSS{}, layout, names);
  CString error;
  ASSERT_TRUE(engine.EvaluateMacroColumns(error));
  const char16_t* const expected[] = {u"a,m,n",   u"1,1,2", u"x,x,0", u"1,1,2", u"1,1,2",   u"x,x,0",
                                      u"1,1,2",   u"x,x,0", u"x,x,0", u"1.0,1,2", u"1,1,2", u",0,0"};
  for (int r = 0; r < g.rows; ++r) EXPECT_EQ(g.Row(r, 3), expected[r]) << "row " << r;
}

TEST(MacroColumns, LayoutOf257ColumnsIsRefused) {
  Grids g;
  g.Fill({{u"a"}, {u"1"}});
  std::vector<MACROCOL> layout(GRID_COLS, Data(1));
  const std::vector<CString> names = MacroFieldNames(g.data, 0, g.cols, 0, 0);
  {
    CMacroColumnEngine engine(g.View(0), MACROCROSS{}, layout, names);
    CString error;
    EXPECT_TRUE(engine.EvaluateMacroColumns(error));
    EXPECT_EQ(engine.OutputColumns(), GRID_COLS);
    EXPECT_EQ(g.data.GetAt(1, GRID_COLS - 1), u"1");
  }
  layout.push_back(Data(1));
  CMacroColumnEngine engine(g.View(0), MACROCROSS{}, layout, names);
  CString error;
  EXPECT_FALSE(engine.EvaluateMacroColumns(error));
  EXPECT_EQ(error, kMacroTooManyColumnsMessage);
}

TEST(MacroColumns, CrossTableFieldNamesJoinTheHeaderLabels) {
  Grids g;
  g.Fill({{u"地域", u"東", u"", u"西", u""},
          {u"月", u"1月", u"", u"", u"2月"},
          {u"店", u"金額", u"数量", u"金額", u"数量"}});
  const std::vector<CString> names = MacroFieldNames(g.data, 2, 5, 2, 3);
  const std::vector<CString> expected = {u"店", u"東/1月/金額", u"東/1月/数量", u"西/1月/金額", u"西/2月/数量"};
  EXPECT_EQ(names, expected);
}

TEST(MacroColumns, HeaderShiftStopsAtTheAggregateRowAndDropsTheLastCell) {
  Grids g;
  std::vector<const char16_t*> header(GRID_COLS, u"h");
  header[GRID_COLS - 1] = u"last";
  g.Fill({{u"集計データ：", u"v"}, header, {u"t"}, {u"1"}});
  g.cols = 1;
  MACROCROSS cross;
  cross.columnGroups = 2;
  const std::vector<MACROCOL> layout;
  const std::vector<CString> names;
  CMacroColumnEngine engine(g.View(2), cross, layout, names);
  for (int r = 0; r < 2; ++r) g.step.ShareRow(r, g.data, GRID_COLS);
  engine.ShiftAggregateBlock(1);
  EXPECT_EQ(g.step.GetAt(0, 1), u"v");  // the aggregate row stays
  EXPECT_EQ(g.step.GetAt(1, 1), u"");
  EXPECT_EQ(g.step.GetAt(1, 2), u"h");
  EXPECT_EQ(g.step.GetAt(1, GRID_COLS - 1), u"h");  // "last" fell off the row
  EXPECT_EQ(g.step.RowWidth(1), GRID_COLS);
}

TEST(MacroColumns, CrossShareThatWouldReadBeforeColumnZeroIsNotBuilt) {
  Grids g;
  g.Fill({{u"商品", u"A"}, {u"店", u"金額"}, {u"x", u"5"}});
  MACROCROSS cross;
  cross.columnGroups = 1;
  cross.groupCount = 2;
  cross.rowGroups = 1;
  cross.colGroups = 1;
  cross.valueItems = 3;  // b - V below 0 for a share at column 1
  const std::vector<MACROCOL> layout = {Data(1), Macro(1, u"Ratio()", u"r")};
  const std::vector<CString> names = MacroFieldNames(g.data, 1, g.cols, 1, 2);
  CMacroColumnEngine engine(g.View(1), cross, layout, names);
  CString error;
  ASSERT_TRUE(engine.EvaluateMacroColumns(error));
  EXPECT_EQ(engine.OutputColumns(), 2);
  EXPECT_EQ(g.Row(0, 2), u"商品,");
  EXPECT_EQ(g.Row(1, 2), u"店,r");
  EXPECT_EQ(g.Row(2, 2), u"x,");
}

TEST(MacroColumns, StatementTextWrapsAllButLowerCaseIfAndReturn) {
  EXPECT_EQ(MacroStatementText(u"[a]*[b]"), u"return [a]*[b]");
  EXPECT_EQ(MacroStatementText(u"If [a]=1 then return 2"), u"return If [a]=1 then return 2");
  EXPECT_EQ(MacroStatementText(u"if [a]=1 then return 2"), u"if [a]=1 then return 2");
  EXPECT_EQ(MacroStatementText(u"return 3"), u"return 3");
}

}  // namespace
