// The aggregation step replayed from stored settings: what it leaves for the chain
// driver and the macro-column step, the name lists, and a failed replay.
#include <gtest/gtest.h>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/chain/tool_chain.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"

namespace {

class PivotStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::ResetTheApp();
    gridtest::Fill(theApp.m_DataGrid, {{u"店舗", u"月", u"金額"},
                                       {u"東京", u"4月", u"100"},
                                       {u"大阪", u"5月", u"200"},
                                       {u"東京", u"5月", u"300"}});
    theApp.m_DataRows = 4;
    theApp.m_DataCols = 3;
    theApp.m_TitleRow = 0;
    PIVOTSETTING& p = theApp.m_PivotSetting;
    p.SumType = PIVOT_CROSS;
    p.NendMonth = 4;
    p.SumClmArry = {SUMCLM{2, 1, 0}};
    p.GrpClmArry = {GRPCLM{0, 1, 0, 1, 0, 0, 0, 0}, GRPCLM{1, 2, 1, 4, 0, 0, 0, 0}};
  }
  void TearDown() override { apptest::ResetTheApp(); }

  CTabroClientDlg dlg_;
  RecordingUiHooks hooks_;
};

TEST_F(PivotStepTest, CrossTableReplayRecordsItsHeaderRowsAndCounts) {
  ASSERT_EQ(dlg_.RunPivotStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  EXPECT_EQ(dlg_.m_PivotRun.headerRows, 1);
  EXPECT_EQ(dlg_.m_PivotRun.groupCount, 2);
  EXPECT_EQ(dlg_.m_PivotRun.sumCount, 1);
  EXPECT_EQ(theApp.m_TitleRow, 1);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(0, 0), CString(u"集計データ："));
  EXPECT_EQ(theApp.m_DataGrid.GetAt(1, 0), CString(u"店舗＼月"));
  // The work tables are gone once the step returns.
  EXPECT_TRUE(dlg_.m_PivotRun.rowKeys.empty());
  EXPECT_EQ(dlg_.m_PivotRun.innerKeys.distinctCount, 0);
}

TEST_F(PivotStepTest, EveryReplayAppendsTheTitleRowAndTheRowAfterIt) {
  ASSERT_EQ(dlg_.RunPivotStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  ASSERT_EQ(theApp.m_PivotColumnNames.size(), 3u);
  EXPECT_EQ(theApp.m_PivotColumnNames[1], CString(u"月"));
  EXPECT_EQ(theApp.m_PivotSampleTexts[2], CString(u"100"));
  dlg_.RunPivotStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN);  // again, over the cross table of the first run
  EXPECT_EQ(theApp.m_PivotColumnNames.size(), 6u);
  EXPECT_EQ(theApp.m_PivotSampleTexts.size(), 6u);
}

TEST_F(PivotStepTest, ReplayThatFailsLeavesTheDataAndReturnsMinusOne) {
  theApp.m_PivotSetting.GrpClmArry = {GRPCLM{1, 2, 1, 4, 0, 0, 0, 0}};
  ASSERT_EQ(dlg_.RunPivotStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_EQ(theApp.m_DataRows, 4);
  EXPECT_EQ(theApp.m_DataCols, 3);
  EXPECT_EQ(theApp.m_TitleRow, 0);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(3, 2), CString(u"300"));
}

// A scripted aggregation dialog: answers with `answer`, "スキップ" when skip is set.
struct DialogScript {
  int answer = IDOK;
  int skip = 0;
  PivotDialogIo seen;
};
DialogScript g_script;

int ScriptedPivotDialog(PivotDialogIo& io) {
  g_script.seen = io;
  io.skipped = g_script.skip;
  io.columnItems = 1;
  return g_script.answer;
}

class PivotDialogStepTest : public PivotStepTest {
 protected:
  void SetUp() override {
    PivotStepTest::SetUp();
    g_script = DialogScript();
    GetUpCalls().pivot = &ScriptedPivotDialog;
  }
  void TearDown() override {
    GetUpCalls().pivot = nullptr;
    PivotStepTest::TearDown();
  }
};

TEST_F(PivotDialogStepTest, CancelAndSkipLeaveTheData) {
  g_script.answer = IDCANCEL;
  EXPECT_EQ(dlg_.RunPivotStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(g_script.seen.inChain, 1);
  EXPECT_EQ(g_script.seen.sumType, -1);
  g_script = DialogScript{IDOK, 1, {}};
  EXPECT_EQ(dlg_.RunPivotStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_SKIPPED);
  EXPECT_EQ(theApp.m_DataRows, 4);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(3, 2), CString(u"300"));
}

TEST_F(PivotDialogStepTest, OkRunsTheStoredSettingsWithTheDialogsHeaderRows) {
  EXPECT_EQ(dlg_.RunPivotStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(dlg_.m_PivotRun.headerRows, 1);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(1, 0), CString(u"店舗＼月"));
}

TEST_F(PivotStepTest, ChainSwitchesTheDocumentToCrossTableAfterACrossTable) {
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kPivot, 0};
  ASSERT_EQ(dlg_.RunToolChain(ToolChainRun::kSilent, false), 1);
  EXPECT_EQ(dlg_.m_JobSetting.m_DocKind, 5);
}

}  // namespace
