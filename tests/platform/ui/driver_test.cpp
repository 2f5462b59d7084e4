// The strict test driver: whatever opens must be the next step of the script,
// unused steps and actions on ended dialogs fail, and one transcript records
// dialogs, boxes, menus and choosers in order.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"
#include "tests/platform/ui/sample_dialog.h"

namespace {
using namespace sample;

// Asks the user things from its button, and notes the keys held on a click.
class CAskingDlg : public CSampleDlg {
 public:
  std::vector<SHORT> m_Keys;
  afx_msg void OnAsk() {
    m_Keys = {GetKeyState(VK_SHIFT), GetKeyState(VK_CONTROL), GetKeyState(VK_MENU)};
    if (MessageBox(u"保存しますか", CString(), MB_YESNO) == IDYES) GetUiHooks().ChooseFolder(u"保存先", CString());
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CAskingDlg, CSampleDlg)
  ON_BN_CLICKED(kHelloButton, &CAskingDlg::OnAsk)
END_MESSAGE_MAP()

using Kind = ScriptedModalDriver::Entry::Kind;

TEST(Driver, OneTranscriptRecordsDialogsBoxesAndChoosersInOrder) {
  ScriptedModalDriver modal;
  CAskingDlg dlg;
  modal.Queue(9001, [](CDialog& d) {
    ui::Click(d, kHelloButton);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDYES, u"保存しますか");
  modal.QueueFolder(u"/tmp/out");
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  const auto t = modal.Transcript();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].kind, Kind::Dialog);
  EXPECT_EQ(t[0].id, 9001u);
  EXPECT_EQ(t[0].result, IDCANCEL);
  EXPECT_EQ(t[1].kind, Kind::Box);
  EXPECT_EQ(t[1].caption, CString(u"タブロコネクト"));
  EXPECT_EQ(t[1].result, IDYES);
  EXPECT_EQ(t[2].kind, Kind::Folder);
  EXPECT_EQ(t[2].answer, CString(u"/tmp/out"));
  EXPECT_TRUE(modal.Problems().empty());
}

TEST(Driver, KeysHeldDuringADrivenClickAreWhatTheHandlerReads) {
  ScriptedModalDriver modal;
  CAskingDlg dlg;
  std::vector<SHORT> plain;
  modal.Queue(9001, [&](CDialog& d) {
    ui::Click(d, kHelloButton);
    plain = dlg.m_Keys;
    ui::Click(d, kHelloButton, ui::kShift | ui::kAlt);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDNO);
  modal.QueueBox(IDNO);
  dlg.DoModal();
  EXPECT_EQ(plain, (std::vector<SHORT>{0, 0, 0}));
  ASSERT_EQ(dlg.m_Keys.size(), 3u);
  EXPECT_LT(dlg.m_Keys[0], 0);
  EXPECT_EQ(dlg.m_Keys[1], 0);
  EXPECT_LT(dlg.m_Keys[2], 0);
  // Outside a driven action no key is held.
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

TEST(Driver, ADialogExpectedToBeCancelledIsClosedAtOnce) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  modal.QueueCancel(9001);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(modal.Problems().empty());
}

// What goes against the script, and the problem each one reports.
struct ProblemCase {
  const char* name;
  std::function<void(ScriptedModalDriver&)> queue;
  std::function<void(CAskingDlg&)> run;
  std::vector<std::string> problems;
};

class DriverProblems : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(DriverProblems, AreReported) {
  const ProblemCase& c = GetParam();
  std::vector<CString> problems;
  {
    ScriptedModalDriver modal;
    modal.KeepProblems();
    CAskingDlg dlg;
    c.queue(modal);
    c.run(dlg);
    problems = modal.Problems();
  }
  std::vector<std::string> got;
  for (const CString& p : problems) got.push_back(p.ToUtf8());
  EXPECT_EQ(got, c.problems);
}

void OpenIt(CAskingDlg& dlg) { dlg.DoModal(); }

INSTANTIATE_TEST_SUITE_P(
    Driver, DriverProblems,
    ::testing::Values(
        ProblemCase{"ADialogWithAnotherId",
                    [](ScriptedModalDriver& m) { m.Queue(475, [](CDialog& d) { ui::Click(d, IDOK); }); }, OpenIt,
                    {"unexpected dialog 9001 \"テスト用ダイアログ\" (expected dialog 475)"}},
        ProblemCase{"ADialogWithNoStep", [](ScriptedModalDriver&) {}, OpenIt,
                    {"unexpected dialog 9001 \"テスト用ダイアログ\" (expected nothing)"}},
        ProblemCase{"AnUnexpectedBox",
                    [](ScriptedModalDriver& m) {
                      m.Queue(9001, [](CDialog& d) {
                        ui::Click(d, kHelloButton);
                        ui::Click(d, IDCANCEL);
                      });
                    },
                    // Nobody at the desk takes the first button, はい, so the chooser opens too.
                    OpenIt,
                    {"unexpected message box \"保存しますか\" (expected nothing)",
                     "unexpected folder chooser \"保存先\" (expected nothing)"}},
        ProblemCase{"ABoxWithAnotherText",
                    [](ScriptedModalDriver& m) {
                      m.Queue(9001, [](CDialog& d) {
                        ui::Click(d, kHelloButton);
                        ui::Click(d, IDCANCEL);
                      });
                      m.QueueBox(IDNO, u"削除しますか");
                    },
                    OpenIt, {"message box \"保存しますか\" where \"削除しますか\" was expected"}},
        ProblemCase{"AnActionAfterTheDialogEnded",
                    [](ScriptedModalDriver& m) {
                      m.Queue(9001, [](CDialog& d) {
                        ui::Click(d, IDCANCEL);
                        EXPECT_FALSE(ui::Type(d, kNameEdit, u"遅い"));
                      });
                    },
                    OpenIt, {"action on dialog 9001 after it ended"}},
        ProblemCase{"AMenuWhenADialogWasNext",
                    [](ScriptedModalDriver& m) { m.Queue(9001, [](CDialog& d) { ui::Click(d, IDCANCEL); }); },
                    [](CAskingDlg& dlg) {
                      CMenu menu;
                      menu.CreatePopupMenu();
                      menu.AppendMenu(MF_STRING, 100, u"コピー");
                      EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0u);
                      dlg.DoModal();
                    },
                    {"unexpected popup menu  (expected dialog)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Driver, StepsLeftUnusedAreReportedWhenTheDriverGoesAway) {
  std::vector<std::string> reported;
  static std::vector<std::string>* sink = nullptr;
  sink = &reported;
  ScriptProblemReporter previous = SetScriptProblemReporter([](const CString& p) { sink->push_back(p.ToUtf8()); });
  {
    ScriptedModalDriver modal;
    modal.Queue(9001, [](CDialog&) {});
    modal.QueueBox(IDOK, u"完了しました");
  }
  SetScriptProblemReporter(previous);
  EXPECT_EQ(reported, (std::vector<std::string>{"expected dialog 9001 never opened",
                                                "expected message box \"完了しました\" never opened"}));
}

}  // namespace
