// The macro-column step routine over theApp: its dialog branch through the dialog
// table, the snapshot it takes without the dialog, and what a failure leaves.

#include <gtest/gtest.h>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"

namespace {

MacroDialogIo g_seen;
int g_result = IDOK;
int g_skip = 0;
std::vector<MACROCOL> g_store;

int FakeMacroDialog(MacroDialogIo& io) {
  g_seen = io;
  io.skipped = g_skip;
  if (g_result == IDOK && !g_skip) theApp.m_MacroSetting.ClmArry = g_store;
  return g_result;
}

class MacroStep : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::ResetTheApp();
    gridtest::Fill(theApp.m_DataGrid, {{u"name", u"qty"}, {u"b", u"2"}, {u"a", u"10"}});
    theApp.m_DataRows = 3;
    theApp.m_DataCols = 2;
    theApp.m_TitleRow = 0;
    theApp.m_ToolAbort = 0;  // the step never sets it
    GetUpCalls() = UpCalls{};
    g_seen = MacroDialogIo{};
    g_result = IDOK;
    g_skip = 0;
    g_store = {MACROCOL{2, 0, CString(), u"qty"}, MACROCOL{-1, 1, u"[qty]*3", u"x3"}};
  }
  void TearDown() override { GetUpCalls() = UpCalls{}; }

  RecordingUiHooks hooks_;
  CTabroClientDlg dlg_;
};

constexpr char kAsLoaded[] = "name,qty\nb,2\na,10\n";

TEST_F(MacroStep, DialogBranch) {
  GetUpCalls().macro = FakeMacroDialog;
  dlg_.m_CrossColumnGroups = 1;
  dlg_.m_PivotGroupCount = 2;
  g_result = IDCANCEL;
  EXPECT_EQ(dlg_.RunMacroStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(g_seen.inChain, 1);
  EXPECT_EQ(g_seen.crossColumnGroups, 1);
  EXPECT_EQ(g_seen.pivotGroupCount, 2);
  EXPECT_EQ(DataGridAsCsv(), kAsLoaded);

  g_result = IDOK;
  g_skip = 1;
  EXPECT_EQ(dlg_.RunMacroStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), STEP_SKIPPED);
  EXPECT_EQ(DataGridAsCsv(), kAsLoaded);

  g_skip = 0;
  dlg_.m_CrossColumnGroups = dlg_.m_PivotGroupCount = 0;
  EXPECT_EQ(dlg_.RunMacroStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(g_seen.inChain, 0);
  EXPECT_EQ(DataGridAsCsv(), "qty,x3\n2,6\n10,30\n");
  EXPECT_EQ(dlg_.m_MacroColumnCount, 2);
  EXPECT_EQ(theApp.m_RowFieldCount[2], 2);
  // With the dialog, the dialog takes the snapshot, not the step.
  EXPECT_TRUE(theApp.m_MacroPreviewRows[0].empty());
}

TEST_F(MacroStep, StoredLayoutTakesTheSnapshotOfTheInput) {
  theApp.m_MacroSetting.ClmArry = g_store;
  EXPECT_EQ(dlg_.RunMacroStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  EXPECT_EQ(DataGridAsCsv(), "qty,x3\n2,6\n10,30\n");
  EXPECT_EQ(theApp.m_MacroPreviewRows[0], (std::vector<CString>{u"name", u"qty"}));
  EXPECT_EQ(theApp.m_MacroPreviewRows[2], (std::vector<CString>{u"a", u"10"}));
  EXPECT_TRUE(theApp.m_MacroPreviewRows[3].empty());
  EXPECT_EQ(dlg_.m_MacroFieldNames, (std::vector<CString>{u"name", u"qty"}));
  EXPECT_EQ(theApp.m_ToolAbort, 0);
}

TEST_F(MacroStep, MacroErrorIsShownOnceAndChangesNothing) {
  theApp.m_MacroSetting.ClmArry = {MACROCOL{1, 0, CString(), u"name"}, MACROCOL{-1, 1, u"([qty]", u"bad"}};
  EXPECT_EQ(dlg_.RunMacroStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(hooks_.Messages(), (std::vector<CString>{u"( が閉じてないA"}));
  EXPECT_EQ(DataGridAsCsv(), kAsLoaded);
  EXPECT_EQ(theApp.m_DataCols, 2);
  EXPECT_EQ(theApp.m_ToolAbort, 0);
}

}  // namespace
