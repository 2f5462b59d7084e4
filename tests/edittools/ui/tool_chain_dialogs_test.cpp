// The data-edit chain driven through its dialogs: the order dialog, then each
// chosen tool's dialog, as a user sets up a new input.
#include <gtest/gtest.h>

#include "app/tabro_client_dlg.h"
#include "edittools/chain/tool_chain.h"
#include "edittools/join/ui/addcsv_view.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/addcsv_view.h"
#include "res/data_edit.h"
#include "support/temp_dir.h"
#include "tests/edittools/ui/join_editor_fixture.h"

namespace {

using joinui::DrawLink;

class ToolChainDialogsTest : public joinui::JoinEditorTest {
 protected:
  void SetUp() override { Load({{u"A02", u"5"}, {u"A01", u"3"}}, "コード,単価\nA01,100\nA02,80\n"); }

  CTabroClientDlg dlg_;
};

TEST_F(ToolChainDialogsTest, SetUpChoosesTheJoinAndRunsItThroughTheEditor) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_TOOL_ADDCSV);
    ui::Click(d, IDOK);
  });
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_SKIP));   // a first set-up offers no skip
    ui::Click(d, res::IDC_ADDCSV_ADD);
    DrawLink(d, 0, 0, 1, 0);
    ui::Click(d, IDOK);
  });
  modal.QueueFile(price_);
  EXPECT_EQ(dlg_.RunToolChain(ToolChainRun::kReplay, true), 1);
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kAddCsv);
  EXPECT_EQ(theApp.m_DataCols, 3);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(1, 2), CString(u"80"));
  EXPECT_EQ(theApp.m_DataGrid.GetAt(2, 2), CString(u"100"));
  EXPECT_EQ(theApp.m_JoinDef.AddCsvPath[0], price_);
}

TEST_F(ToolChainDialogsTest, ACancelledEditorBringsTheOrderBackToResume) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_TOOL_ADDCSV);
    ui::Click(d, IDOK);
  });
  modal.QueueCancel(res::IDD_ADDCSV_VIEW);
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    // Resume form at the join's slot: the join can be taken off.
    EXPECT_TRUE(ui::IsEnabled(d, res::IDC_TOOL_ADDCSV));
    ui::Click(d, res::IDC_TOOL_ADDCSV);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg_.RunToolChain(ToolChainRun::kReplay, true), 1);
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kNone);
  EXPECT_EQ(theApp.m_DataCols, 2);
}

TEST_F(ToolChainDialogsTest, CancelInTheResumedOrderAbandonsTheInput) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_TOOL_ADDCSV);
    ui::Click(d, IDOK);
  });
  modal.QueueCancel(res::IDD_ADDCSV_VIEW);
  modal.QueueCancel(res::IDD_DATA_EDIT);
  EXPECT_EQ(dlg_.RunToolChain(ToolChainRun::kReplay, true), 0);
}

}  // namespace
