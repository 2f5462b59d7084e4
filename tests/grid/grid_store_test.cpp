#include "grid/grid_store.h"

#include <gtest/gtest.h>

#include "app/tabro_client_app.h"
#include "grid/app_state.h"

namespace {

TEST(TextGrid, EmptyGridOwnsNoRowsAndReadsEmptyEverywhere) {
  CTextGrid grid(GRID_MAX_ROWS);
  const CTextGrid& g = grid;
  EXPECT_EQ(g[0][0], u"");
  EXPECT_EQ(g.GetAt(30001, 255), u"");
  EXPECT_EQ(g.GetAt(-1, 0), u"");
  EXPECT_EQ(g.GetAt(30002, 0), u"");
  EXPECT_EQ(g.GetAt(0, 256), u"");
  EXPECT_EQ(grid.AllocatedRows(), 0);
}

TEST(TextGrid, WritingACellCreatesOnlyItsRowAndClearReleasesIt) {
  CTextGrid grid(GRID_MAX_ROWS);
  grid[100][7] = u"品名";
  EXPECT_EQ(grid.AllocatedRows(), 1);
  EXPECT_EQ(grid.GetAt(100, 7), u"品名");
  EXPECT_EQ(grid.GetAt(100, 8), u"");
  EXPECT_EQ(grid.GetAt(99, 7), u"");
  grid.Clear();
  EXPECT_EQ(grid.AllocatedRows(), 0);
  EXPECT_EQ(grid.GetAt(100, 7), u"");
}

TEST(TextGrid, WritesOutsideTheGridAreIgnored) {
  CTextGrid grid(EDIT_GRID_ROWS);
  grid[3000][0] = u"x";
  grid[-1][0] = u"x";
  grid[0][256] = u"x";
  grid[0][-1] = u"x";
  EXPECT_EQ(grid.AllocatedRows(), 0);
  EXPECT_EQ(grid.PrepareRow(3000, 5), nullptr);
}

TEST(TextGrid, CopyingACellSharesItsText) {
  CTextGrid a(GRID_MAX_ROWS), b(GRID_MAX_ROWS);
  a[0][0] = u"東京都千代田区";
  b[5][3] = a.GetAt(0, 0);
  EXPECT_TRUE(b.GetAt(5, 3).SharesBufferWith(a.GetAt(0, 0)));
}

TEST(TextGrid, ASharedRowIsCopiedOnTheFirstWrite) {
  CTextGrid data(GRID_MAX_ROWS), backup(GRID_MAX_ROWS);
  data[0][0] = u"a";
  data[0][1] = u"b";
  backup.ShareRow(0, data, 2);
  data[0][1] = u"changed";
  EXPECT_EQ(backup.GetAt(0, 1), u"b");
  EXPECT_EQ(data.GetAt(0, 1), u"changed");
  backup[0][0] = u"other";
  EXPECT_EQ(data.GetAt(0, 0), u"a");
}

TEST(TextGrid, ShareRowCutsTheCellsBeyondTheRegion) {
  CTextGrid data(GRID_MAX_ROWS), backup(GRID_MAX_ROWS);
  data[0][0] = u"a";
  data[0][4] = u"beyond";
  backup.ShareRow(0, data, 3);
  EXPECT_EQ(backup.GetAt(0, 0), u"a");
  EXPECT_EQ(backup.GetAt(0, 4), u"");
  EXPECT_EQ(data.GetAt(0, 4), u"beyond");
}

// A cell read from a row that the same statement widens stayed valid.
TEST(TextGrid, RegressionAssigningACellToAWiderColumnOfItsOwnRow) {
  CTextGrid grid(GRID_MAX_ROWS);
  CString* cells = grid.PrepareRow(0, 3);
  cells[2] = u"moved text";
  grid[0][200] = grid[0][2];
  EXPECT_EQ(grid.GetAt(0, 200), u"moved text");
  EXPECT_EQ(grid.GetAt(0, 2), u"moved text");
}

class GridSetTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetAppState(); }
  void TearDown() override { gridtest::ResetAppState(); }
};

TEST_F(GridSetTest, SaveKeepsOnlyTheCellsInsideTheDataRegion) {
  CTabroClientApp& a = theApp;
  for (int r = 0; r < 7; ++r) {
    for (int c = 0; c < 5; ++c) a.m_DataGrid[r][c] = CString::Build(u"%d-%d", r, c);
  }
  a.m_BackupGrid[20][0] = u"stale";
  a.m_DataRows = 5;
  a.m_DataCols = 3;
  a.CopyGridSet(0);
  EXPECT_EQ(a.m_BackupGrid.GetAt(4, 2), u"4-2");
  EXPECT_TRUE(a.m_BackupGrid.GetAt(4, 2).SharesBufferWith(a.m_DataGrid.GetAt(4, 2)));
  EXPECT_EQ(a.m_BackupGrid.GetAt(4, 3), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(5, 0), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(6, 4), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(20, 0), u"");
}

TEST_F(GridSetTest, RestoreBringsBackTheDataAsLoadedButKeepsToolSettings) {
  CTabroClientApp& a = theApp;
  gridtest::Fill(a.m_DataGrid, {{u"品名", u"金額"}, {u"りんご", u"100"}, {u"みかん", u"200"}});
  a.m_DataRows = 3;
  a.m_DataCols = 2;
  a.m_RowFilledCount[1] = 2;
  a.m_RowTextCount[1] = 0;
  a.m_ColumnTypes[1] = COLTYPE_NUMBER;
  a.m_TitleRow = 0;
  a.m_SourceCodeType = 1;
  a.CopyGridSet(0);

  // A step changes everything.
  a.m_DataGrid[1][1] = u"999";
  a.m_DataGrid[5][5] = u"extra";
  a.m_DataRows = 6;
  a.m_DataCols = 6;
  a.m_RowFilledCount[1] = 9;
  a.m_ColumnTypes[1] = COLTYPE_TEXT;
  a.m_EditCols = a.m_EditRows = a.m_SendRows = a.m_SendCols = 4;
  a.m_EditModeEntered = 1;
  a.m_StepGrid[0][0] = u"step";
  a.m_EditGrid[0][0] = u"edit";
  a.m_SortColumnNames.push_back(u"品名");
  a.m_SortSetting.sortCnt = 1;
  a.m_ToolOrder[0].toolKind = TOOL_SORT;

  a.CopyGridSet(1);
  EXPECT_EQ(a.m_DataGrid.GetAt(1, 1), u"100");
  EXPECT_EQ(a.m_DataGrid.GetAt(5, 5), u"");
  EXPECT_EQ(a.m_DataRows, 3);
  EXPECT_EQ(a.m_DataCols, 2);
  EXPECT_EQ(a.m_RowFilledCount[1], 2);
  EXPECT_EQ(a.m_ColumnTypes[1], COLTYPE_NUMBER);
  EXPECT_EQ(a.m_EditCols, 0);
  EXPECT_EQ(a.m_SendRows, 0);
  EXPECT_EQ(a.m_EditModeEntered, 0);
  EXPECT_EQ(a.m_TitleRow, 0);
  EXPECT_EQ(a.m_SourceCodeType, 1);
  EXPECT_EQ(a.m_StepGrid.AllocatedRows(), 0);
  EXPECT_EQ(a.m_EditGrid.AllocatedRows(), 0);
  EXPECT_TRUE(a.m_SortColumnNames.empty());
  EXPECT_EQ(a.m_SortSetting.sortCnt, 1);
  EXPECT_EQ(a.m_ToolOrder[0].toolKind, TOOL_SORT);
  // The backup itself is untouched by later writes to the restored data.
  a.m_DataGrid[2][0] = u"ぶどう";
  a.CopyGridSet(1);
  EXPECT_EQ(a.m_DataGrid.GetAt(2, 0), u"みかん");
}

TEST_F(GridSetTest, MoveStepGridMovesItsRegionAndEmptiesTheColumnsBeyond) {
  CTabroClientApp& a = theApp;
  for (int r = 0; r < 15; ++r) {
    for (int c = 0; c < 8; ++c) {
      a.m_DataGrid[r][c] = CString::Build(u"d%d-%d", r, c);
      a.m_StepGrid[r][c] = CString::Build(u"s%d-%d", r, c);
    }
  }
  EXPECT_EQ(MoveStepGridToDataGrid(4, 10), 4);
  struct Probe {
    int row, col;
    const char16_t* data;
    const char16_t* step;
  };
  const Probe probes[] = {
      {3, 1, u"s3-1", u""},      // moved
      {9, 3, u"s9-3", u""},      // last moved cell
      {3, 5, u"", u""},          // beyond the columns: both emptied
      {12, 2, u"d12-2", u"s12-2"},  // below the rows: left alone
      {12, 5, u"", u""},         // below the rows and beyond the columns: emptied
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << "row " << p.row << " col " << p.col);
    EXPECT_EQ(a.m_DataGrid.GetAt(p.row, p.col), p.data);
    EXPECT_EQ(a.m_StepGrid.GetAt(p.row, p.col), p.step);
  }
}

// Fills every tool setting and name list with something to clear.
void FillToolSettings() {
  CTabroClientApp& a = theApp;
  for (auto& slot : a.m_ToolOrder) slot = {TOOL_FILTER, 1};
  a.m_PivotSetting.Head = 7;
  a.m_PivotSetting.SumType = PIVOT_CROSS;
  a.m_PivotSetting.NendMonth = 4;
  a.m_PivotSetting.SumClmArry.push_back({1, 1, 0});
  a.m_PivotSetting.GrpClmArry.push_back({0, 2, 0, 4, 0, 0, 0, 0});
  a.m_JoinDef.AddCSVFg = 1;
  a.m_JoinDef.AddCsvCnt = 2;
  a.m_JoinDef.AddCsvReserved[255] = 3;
  a.m_JoinDef.AddCsvPath[1] = u"/data/add.csv";
  a.m_JoinDef.AddCsvTitle[0] = u"add";
  a.m_JoinDef.AlignArry[2].push_back({0, 3, 1, 1});
  a.m_FilterConds.FilterCnt = 2;
  a.m_FilterConds.ItemCnt = 3;
  a.m_FilterConds.conditions[2].kind = FILTER_DATE_RANGE;
  a.m_FilterConds.conditions[2].filterKey[30] = u"20240101";
  a.m_SortSetting.sortCnt = 2;
  a.m_SortSetting.column[1] = 5;
  a.m_SortSetting.compareType[3] = SORT_AS_DATE;
  a.m_SortSetting.descending[0] = 1;
  a.m_MacroSetting.colms = 4;
  a.m_MacroSetting.SelectCol[255] = 9;
  a.m_MacroSetting.EditDatclms = 3;
  a.m_MacroSetting.ClmArry.push_back({-1, 1, u"[金額]*2", u"倍額"});
  a.m_PivotColumnNames.push_back(u"品名");
  a.m_JoinAddNames[1].push_back(u"コード");
  a.m_JoinKinds[3][10] = 2;
  a.m_SortTypeTable[0] = 1;
  a.m_FilterHeadRows[4].push_back(u"x");
  a.m_FilterValueCounts[2] = 5;
  a.m_FilterRowRecords.push_back(FILTERVALUE{});
  a.m_FilterValues[0].push_back(FILTERVALUE{});
  a.m_MacroPreviewRows[9].push_back(u"y");
  a.m_MacroStoredDataCols = 6;
}

bool OrderEmpty() {
  for (const TOOLSLOT& s : theApp.m_ToolOrder) {
    if (s.toolKind != 0 || s.openSettingsNextTime != 0) return false;
  }
  return true;
}
bool PivotCleared() {
  const PIVOTSETTING& p = theApp.m_PivotSetting;
  return p.SumType == 0 && p.NendMonth == 0 && p.SumClmArry.empty() && p.GrpClmArry.empty();
}
bool JoinCleared() {
  const JOINDEF& j = theApp.m_JoinDef;
  return j.AddCSVFg == 0 && j.AddCsvCnt == 0 && j.AddCsvReserved[255] == 0 &&
         j.AddCsvPath[1].IsEmpty() && j.AddCsvTitle[0].IsEmpty() && j.AlignArry[2].empty();
}
bool FilterCleared() {
  const FILTERSETTING& f = theApp.m_FilterConds;
  return f.FilterCnt == 0 && f.ItemCnt == 0 && f.conditions[2].kind == 0 &&
         f.conditions[2].filterKey[30].IsEmpty();
}
bool SortCleared() {
  const SORTKEYS& s = theApp.m_SortSetting;
  return s.sortCnt == 0 && s.column[1] == 0 && s.compareType[3] == 0 && s.descending[0] == 0;
}
bool MacroCleared() {
  const MACROSETTING& m = theApp.m_MacroSetting;
  return m.colms == 0 && m.SelectCol[255] == 0 && m.EditDatclms == 0 && m.ClmArry.empty();
}
bool NameListsCleared() {
  const CTabroClientApp& a = theApp;
  return a.m_PivotColumnNames.empty() && a.m_JoinAddNames[1].empty() && a.m_JoinKinds[3][10] == 0 &&
         a.m_SortTypeTable[0] == 0 && a.m_FilterHeadRows[4].empty() && a.m_FilterValueCounts[2] == 0 &&
         a.m_FilterRowRecords.empty() && a.m_MacroPreviewRows[9].empty() &&
         a.m_MacroStoredDataCols == 0;
}

TEST_F(GridSetTest, ResetToolSettingsClearsEachGroup) {
  struct Case {
    const char* name;
    int group;
    bool order, pivot, join, filter, sort, macro, names;  // what ends up cleared
  };
  const Case cases[] = {
      {"aggregation", 1, true, true, false, false, false, false, false},
      {"join", 2, true, false, true, false, false, false, false},
      {"filter", 3, true, false, false, true, false, false, false},
      {"sort", 4, true, false, false, false, true, false, false},
      {"macro columns", 5, true, false, false, false, false, true, false},
      {"name lists", 10, false, false, false, false, false, false, true},
      {"everything", 0, true, true, true, true, true, true, true},
      {"unknown group", 7, false, false, false, false, false, false, false},
      {"negative group", -1, false, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillToolSettings();
    theApp.ResetToolSettings(c.group);
    EXPECT_EQ(OrderEmpty(), c.order);
    EXPECT_EQ(PivotCleared(), c.pivot);
    EXPECT_EQ(JoinCleared(), c.join);
    EXPECT_EQ(FilterCleared(), c.filter);
    EXPECT_EQ(SortCleared(), c.sort);
    EXPECT_EQ(MacroCleared(), c.macro);
    EXPECT_EQ(NameListsCleared(), c.names);
  }
  // What a reset leaves: the aggregation's leading value and the filter dialog's
  // per-field value lists, which the dialog replaces when it next stores.
  FillToolSettings();
  const size_t values = theApp.m_FilterValues[0].size();
  theApp.ResetToolSettings(0);
  EXPECT_EQ(theApp.m_PivotSetting.Head, 7);
  EXPECT_EQ(theApp.m_FilterValues[0].size(), values);
}

TEST_F(GridSetTest, AdditionalCsvPathFollowsTheWatchFolder) {
  struct Case {
    const char* name;
    int16_t inputKind;
    const char16_t* stored;
    int index;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"dropped file keeps the stored path", INPUT_DROPPED, u"/home/u/data/add1.csv", 1,
       u"/home/u/data/add1.csv"},
      {"watch folder looks in Sub", INPUT_WATCH_FOLDER, u"/home/u/data/add1.csv", 1,
       u"/watch/Sub/add1.csv"},
      {"watch folder, empty stored path", INPUT_WATCH_FOLDER, u"", 0, u"/watch/Sub/"},
      {"index 2 is empty", INPUT_DROPPED, u"/x.csv", 2, u""},
      {"negative index is empty", INPUT_WATCH_FOLDER, u"/x.csv", -1, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    theApp.m_InputKind = c.inputKind;
    theApp.m_WatchFolder = u"/watch";
    theApp.m_JoinDef.AddCsvPath[0] = c.stored;
    theApp.m_JoinDef.AddCsvPath[1] = c.stored;
    EXPECT_EQ(GetAddCsvPath(c.index), c.expected);
  }
}

TEST_F(GridSetTest, AStartedProgramHoldsNoGridRows) {
  const CTabroClientApp& a = theApp;
  EXPECT_EQ(a.m_EditGrid.AllocatedRows() + a.m_DataGrid.AllocatedRows() +
                a.m_StepGrid.AllocatedRows() + a.m_UploadGrid.AllocatedRows() +
                a.m_BackupGrid.AllocatedRows(),
            0);
  EXPECT_EQ(a.m_DataGrid.Rows(), 30002);
  EXPECT_EQ(a.m_EditGrid.Rows(), 3000);
  EXPECT_EQ(a.m_TitleRow, -1);
}

}  // namespace
