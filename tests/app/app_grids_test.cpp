// The application object's grid members: the thin layer over the grid engines.

#include <gtest/gtest.h>

#include "app/app_grids.h"
#include "app/app_reset.h"
#include "app/tabro_client_app.h"

namespace {

class AppGridsTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::ResetTheApp(); }
  void TearDown() override { apptest::ResetTheApp(); }
};

TEST_F(AppGridsTest, RestoreClearsTheToolNameListsButKeepsToolSettings) {
  CTabroClientApp& a = theApp;
  a.m_DataGrid[0][0] = u"品名";
  a.m_DataRows = 1;
  a.m_DataCols = 1;
  a.CopyGridSet(0);
  a.m_DataGrid[0][0] = u"changed";
  a.m_SortColumnNames.push_back(u"品名");
  a.m_SortSetting.sortCnt = 1;
  a.m_ToolOrder[0].toolKind = ToolKind::kSort;
  a.CopyGridSet(1);
  EXPECT_EQ(a.m_DataGrid.GetAt(0, 0), u"品名");
  EXPECT_TRUE(a.m_SortColumnNames.empty());
  EXPECT_EQ(a.m_SortSetting.sortCnt, 1);
  EXPECT_EQ(a.m_ToolOrder[0].toolKind, ToolKind::kSort);
}

// Fills every tool setting and name list with something to clear.
void FillToolSettings() {
  CTabroClientApp& a = theApp;
  for (auto& slot : a.m_ToolOrder) slot = {ToolKind::kFilter, 1};
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
    if (s.toolKind != ToolKind::kNone || s.openSettingsNextTime != 0) return false;
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

TEST_F(AppGridsTest, ResetToolSettingsClearsEachGroup) {
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
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  EXPECT_EQ(theApp.m_PivotSetting.Head, 7);
  EXPECT_EQ(theApp.m_FilterValues[0].size(), values);
}

TEST_F(AppGridsTest, AdditionalCsvPathFollowsTheWatchFolder) {
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

}  // namespace
