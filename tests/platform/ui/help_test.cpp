// F1 and the ヘルプ buttons open the program's help page, or say why not.
#include <gtest/gtest.h>

#include "platform/ui/help.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"
#include "sample_dialog.h"

namespace {

// Regression: F1 and every ヘルプ button did nothing.
TEST(Help, F1OpensTheHelpPageBesideTheProgram) {
  const CString page = ui::HelpPagePath();
  ASSERT_FALSE(page.IsEmpty()) << "the build copies help/ beside the tests";
  EXPECT_EQ(page.Right(15), CString(u"help/index.html"));
  RecordingUiHooks hooks;
  ScriptedModalDriver modal;
  modal.Queue(9001, [](CDialog& d) {
    ASSERT_TRUE(ui::PressKey(d, sample::kNameEdit, VK_F1));
    ui::Click(d, IDCANCEL);
  });
  sample::CSampleDlg dlg;
  dlg.DoModal();
  EXPECT_EQ(hooks.OpenedDocuments(), std::vector<CString>{page});
  EXPECT_EQ(modal.Failures(), 0);
}

TEST(Help, APageThatCannotBeOpenedIsNamedInAMessage) {
  const CString page = ui::HelpPagePath();
  RecordingUiHooks hooks;
  hooks.SetOpenDocumentResult(false);
  ScriptedModalDriver modal;
  modal.QueueBox(IDOK, CString::Build(u"ヘルプを開けませんでした。ヘルプは次の場所にあります。\n%s", page));
  ui::ShowProgramHelp();
  EXPECT_EQ(modal.Failures(), 0);
}

}  // namespace
