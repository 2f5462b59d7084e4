// The sort and filter step routines over theApp: stored settings, their dialog
// branch through the up-calls, and what a cancel or a refusal leaves.

#include <gtest/gtest.h>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"

namespace {

// Answers of the fake dialogs, set per test.
SortDialogIo g_sortAnswer;
int g_sortResult = IDOK;
SortDialogIo g_sortSeen;
FilterDialogIo g_filterAnswer;
int g_filterResult = IDOK;

int FakeSortDialog(SortDialogIo& io) {
  g_sortSeen = io;
  io.skipped = g_sortAnswer.skipped;
  for (int k = 0; k < 3; ++k) {
    io.resultColumns[k] = g_sortAnswer.resultColumns[k];
    io.resultTypes[k] = g_sortAnswer.resultTypes[k];
    io.resultDescending[k] = g_sortAnswer.resultDescending[k];
  }
  return g_sortResult;
}

int FakeFilterDialog(FilterDialogIo& io) {
  const int inChain = io.inChain;
  io = g_filterAnswer;
  io.inChain = inChain;
  return g_filterResult;
}

class ToolSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::ResetTheApp();
    gridtest::Fill(theApp.m_DataGrid, {{u"name", u"qty"}, {u"b", u"2"}, {u"a", u"10"}, {u"c", u"1"}});
    theApp.m_DataRows = 4;
    theApp.m_DataCols = 2;
    theApp.m_TitleRow = 0;
    for (int r = 0; r < 4; ++r) theApp.m_RowFieldCount[static_cast<size_t>(r)] = 2;
    GetUpCalls() = UpCalls{};
    g_sortAnswer = SortDialogIo{};
    g_sortResult = IDOK;
    g_filterAnswer = FilterDialogIo{};
    g_filterResult = IDOK;
  }
  void TearDown() override { GetUpCalls() = UpCalls{}; }
  std::string Data() { return DataGridAsCsv(); }

  RecordingUiHooks hooks_;
  CTabroClientDlg dlg_;
};

constexpr char kAsLoaded[] = "name,qty\nb,2\na,10\nc,1\n";

TEST_F(ToolSteps, SortFromStoredKeys) {
  EXPECT_EQ(dlg_.RunSortStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_SKIPPED);  // no key: skipped
  EXPECT_EQ(Data(), kAsLoaded);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 0);
  theApp.m_SortSetting.sortCnt = 1;
  theApp.m_SortSetting.column[0] = 1;
  theApp.m_SortSetting.compareType[0] = SORT_AS_NUMBER;
  EXPECT_EQ(dlg_.RunSortStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  EXPECT_EQ(Data(), "name,qty\nc,1\nb,2\na,10\n");
  // The title cells were kept for viewing, once per run.
  EXPECT_EQ(theApp.m_SortColumnNames, (std::vector<CString>{u"name", u"qty", u"name", u"qty"}));
}

TEST_F(ToolSteps, SortRefusesKeysNoFileCanHold) {
  theApp.m_SortSetting.sortCnt = 4;
  EXPECT_EQ(dlg_.RunSortStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(hooks_.Messages(), (std::vector<CString>{u"ソートの設定が正しくありません。"}));
  EXPECT_EQ(Data(), kAsLoaded);
}

TEST_F(ToolSteps, SortDialogBranch) {
  // No title row: cancelled without a message.
  GetUpCalls().sort = FakeSortDialog;
  theApp.m_TitleRow = -1;
  EXPECT_EQ(dlg_.RunSortStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_CANCELLED);
  theApp.m_TitleRow = 0;
  g_sortResult = IDCANCEL;
  EXPECT_EQ(dlg_.RunSortStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(Data(), kAsLoaded);
  EXPECT_EQ(g_sortSeen.inChain, 1);
  EXPECT_EQ(g_sortSeen.columnNames, (std::vector<CString>{u"name", u"qty"}));
  EXPECT_EQ(g_sortSeen.columnTypes, (std::vector<int>{SORT_AS_TEXT, SORT_AS_NUMBER}));

  g_sortResult = IDOK;
  g_sortAnswer.skipped = 1;
  g_sortAnswer.resultColumns[0] = 0;
  EXPECT_EQ(dlg_.SortWithDialog(1), 1);
  EXPECT_EQ(dlg_.RunSortStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), STEP_RAN);  // a skip counts as run for the step
  EXPECT_EQ(Data(), kAsLoaded);

  // A first key without a column: the second becomes the first.
  g_sortAnswer = SortDialogIo{};
  g_sortAnswer.resultColumns[1] = 1;
  g_sortAnswer.resultTypes[1] = SORT_AS_NUMBER;
  g_sortAnswer.resultDescending[1] = 1;
  EXPECT_EQ(dlg_.RunSortStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(Data(), "name,qty\na,10\nb,2\nc,1\n");
}

TEST_F(ToolSteps, FilterFromStoredConditions) {
  FILTERSETTING& s = theApp.m_FilterConds;
  s.FilterCnt = s.ItemCnt = 1;
  s.conditions[0].column = 1;
  s.conditions[0].kind = FILTER_NUMBER_RANGE;
  s.conditions[0].mode = 1;
  s.conditions[0].valueCount = 1;
  s.conditions[0].filterKey[0] = u"2";
  EXPECT_EQ(dlg_.RunFilterStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  EXPECT_EQ(Data(), "name,qty\nb,2\na,10\n");
  EXPECT_EQ(theApp.m_RowFieldCount[3], 0);
  EXPECT_EQ(theApp.m_FilterHeadRows[0], (std::vector<CString>{u"name", u"qty"}));
  EXPECT_EQ(theApp.m_FilterHeadRows[3], (std::vector<CString>{u"c", u"1"}));  // taken before filtering
}

TEST_F(ToolSteps, FilterRefusesCountsNoFileCanHold) {
  theApp.m_FilterConds.FilterCnt = 1;
  theApp.m_FilterConds.conditions[2].valueCount = 32;
  EXPECT_EQ(dlg_.RunFilterStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(hooks_.Messages(), (std::vector<CString>{u"フィルタの設定が正しくありません。"}));
  EXPECT_EQ(Data(), kAsLoaded);
  EXPECT_EQ(theApp.m_DataRows, 4);
}

TEST_F(ToolSteps, FilterDialogBranch) {
  struct Case {
    const char* name;
    int result;
    int skipped;
    int narrow;
    int expected;
    const char* data;
  };
  const Case cases[] = {
      {"cancel", IDCANCEL, 0, 0, -1, kAsLoaded},
      {"skip", IDOK, 1, 0, 1, kAsLoaded},
      {"narrow further", IDOK, 0, 1, 1, "name,qty\na,10\n"},
      {"filtered", IDOK, 0, 0, 0, "name,qty\na,10\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    GetUpCalls().filter = FakeFilterDialog;
    g_filterAnswer.condCount = 1;
    g_filterAnswer.conds[0].column = 0;
    g_filterAnswer.conds[0].valueCount = 1;
    g_filterAnswer.conds[0].filterKey[0] = u"a";
    g_filterResult = c.result;
    g_filterAnswer.skipped = c.skipped;
    g_filterAnswer.narrowFurther = c.narrow;
    EXPECT_EQ(dlg_.RunFilterStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), c.expected);
    EXPECT_EQ(Data(), c.data);
  }
}

// The printed grid: a cell with a comma, a quote or a line end is quoted with its
// quotes doubled; a large grid comes in pieces of whole lines that add up to it.
TEST_F(ToolSteps, DataGridPrintsQuotedCellsAndWholeLinePieces) {
  gridtest::Fill(theApp.m_DataGrid, {{u"name", u"qty"}, {u"say \"hi\"", u"1,5"}, {u"a\nb", u"\"x"}});
  theApp.m_DataRows = 3;
  EXPECT_EQ(Data(), "name,qty\n\"say \"\"hi\"\"\",\"1,5\"\n\"a\nb\",\"\"\"x\"\n");

  const CString wide(std::u16string(3000, u'あ'));
  for (int r = 0; r < 1000; ++r) theApp.m_DataGrid[r][0] = wide;
  theApp.m_DataRows = 1000;
  std::vector<std::string> pieces;
  WriteDataGridAsCsv([&pieces](std::string_view piece) { pieces.emplace_back(piece); });
  EXPECT_GT(pieces.size(), 1u);
  std::string joined;
  for (const std::string& p : pieces) {
    EXPECT_EQ(p.back(), '\n');
    joined += p;
  }
  EXPECT_EQ(joined, Data());
}

}  // namespace
