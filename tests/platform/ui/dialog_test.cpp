// Dialogs built from templates, driven by control id under the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/ui/ui_driver.h"
#include "tests/platform/ui/sample_dialog.h"

namespace sample {
BEGIN_MESSAGE_MAP(CSampleDlg, CDialogEx)
  ON_BN_CLICKED(kHelloButton, &CSampleDlg::OnHello)
  ON_EN_CHANGE(kNameEdit, &CSampleDlg::OnNameChange)
END_MESSAGE_MAP()
}  // namespace sample

namespace {
using namespace sample;

TEST(Dialog, OkReadsControlsIntoMembers) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  dlg.m_Name = u"売上";
  dlg.m_Count = 3;
  dlg.m_Page = 1;
  modal.Queue(9001, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u"売上"));
    EXPECT_EQ(ui::TextOf(d, kCountEdit), CString(u"3"));
    EXPECT_TRUE(ui::Type(d, kNameEdit, u"請求書"));
    EXPECT_TRUE(ui::Click(d, kRadioC));
    EXPECT_TRUE(ui::SetChecked(d, kAgreeCheck, true));
    EXPECT_TRUE(ui::Choose(d, kKindCombo, 1));
    EXPECT_TRUE(ui::Click(d, IDOK));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Name, CString(u"請求書"));
  EXPECT_EQ(dlg.m_Page, 2);
  EXPECT_EQ(dlg.m_Agree, 1);
  EXPECT_EQ(dlg.m_Kind, 1);
  EXPECT_EQ(dlg.m_Count, 3);
  EXPECT_EQ(modal.Transcript().size(), 1u);
  EXPECT_EQ(dlg.m_NameEdit.m_hWnd, nullptr);   // detached with the window
}

// A modal run: what the script does, what DoModal returns, the boxes shown
// and the name the dialog hands back.
struct ModalCase {
  const char* name;
  std::function<void(CDialog&)> script;
  INT_PTR result;
  std::vector<CString> messages;
  CString nameAfter;
};

class ModalRun : public ::testing::TestWithParam<ModalCase> {};

TEST_P(ModalRun, EndsAsAUserWouldSee) {
  const ModalCase& c = GetParam();
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  dlg.m_Name = u"売上";
  dlg.m_Count = 3;
  modal.Queue(9001, [&c](CDialog& d) {
    c.script(d);
    if (!d.HasEnded()) ui::Click(d, IDCANCEL);
  });
  for (const CString& m : c.messages) modal.QueueBox(IDOK, m);
  EXPECT_EQ(dlg.DoModal(), c.result);
  EXPECT_EQ(modal.Messages(), c.messages);
  EXPECT_EQ(dlg.m_Name, c.nameAfter);
  EXPECT_EQ(modal.Failures(), 0);
}

const CString k31 = CString(u'あ', 31);

INSTANTIATE_TEST_SUITE_P(
    Dialog, ModalRun,
    ::testing::Values(
        ModalCase{"CancelKeepsTheMembers", [](CDialog& d) { ui::Type(d, kNameEdit, u"変更"); ui::Click(d, IDCANCEL); },
                  IDCANCEL, {}, u"売上"},
        ModalCase{"CloseBoxCancels", [](CDialog& d) { ui::Type(d, kNameEdit, u"変更"); ui::CloseBox(d); }, IDCANCEL,
                  {}, u"売上"},
        ModalCase{"EnterInAnEditPressesTheDefaultButton",
                  [](CDialog& d) { ui::Type(d, kNameEdit, u"変更"); ui::PressKey(d, kNameEdit, VK_RETURN); }, IDOK, {},
                  u"変更"},
        ModalCase{"EscapeCancels", [](CDialog& d) { ui::PressKey(d, kNameEdit, VK_ESCAPE); }, IDCANCEL, {}, u"売上"},
        ModalCase{"AHandlerEndsWithItsOwnResult", [](CDialog& d) { ui::Click(d, kHelloButton); }, 42, {}, u"売上"},
        ModalCase{"TooLongTextIsRefusedAndTheDialogStaysOpen",
                  [](CDialog& d) {
                    d.GetDlgItem(kNameEdit)->SetWindowText(k31);
                    ui::Click(d, IDOK);
                    EXPECT_FALSE(d.HasEnded());
                  },
                  // As on the platform, members before the failing check were already read.
                  IDCANCEL, {u"30 文字以内で入力してください。"}, CString(u'あ', 31)},
        ModalCase{"EmptyNumberIsRefused",
                  [](CDialog& d) {
                    ui::Type(d, kCountEdit, u"");
                    ui::Click(d, IDOK);
                  },
                  IDCANCEL, {u"整数を入力してください。"}, u"売上"},
        ModalCase{"NumberOutOfRangeIsRefused",
                  [](CDialog& d) {
                    ui::Type(d, kCountEdit, u"120");
                    ui::Click(d, IDOK);
                  },
                  IDCANCEL, {u"1 から 99 までの整数を入力してください。"}, u"売上"},
        ModalCase{"ARefusedOkCanBeCorrected",
                  [](CDialog& d) {
                    ui::Type(d, kCountEdit, u"0");
                    ui::Click(d, IDOK);
                    ui::Type(d, kCountEdit, u"7");
                    ui::Click(d, IDOK);
                  },
                  IDOK, {u"1 から 99 までの整数を入力してください。"}, u"売上"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dialog, AnUnscriptedDialogIsClosedAsCancelledAndRecorded) {
  ScriptedModalDriver modal;
  modal.KeepProblems();
  CSampleDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Unscripted(), 1);
  ASSERT_EQ(modal.Openings().size(), 1u);
  EXPECT_EQ(modal.Openings()[0].templateId, 9001u);
  EXPECT_EQ(modal.Openings()[0].caption, CString(u"テスト用ダイアログ"));
  EXPECT_EQ(modal.Openings()[0].result, IDCANCEL);
  EXPECT_EQ(modal.Problems().size(), 1u);
}

// A dialog that ignores Cancel and the close box.
class CStubbornDlg : public CSampleDlg {
 public:
  void OnCancel() override {}
};

TEST(Dialog, ADialogThatWillNotEndReturnsMinusOneAndCountsAsFailure) {
  ScriptedModalDriver modal;
  modal.KeepProblems();
  CStubbornDlg dlg;
  modal.Queue(9001, [](CDialog&) {});
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(modal.Failures(), 1);
  EXPECT_EQ(modal.Problems(), std::vector<CString>{u"dialog 9001 would not end"});
}

class CEndsAtOnceDlg : public CSampleDlg {
 public:
  BOOL OnInitDialog() override {
    CSampleDlg::OnInitDialog();
    EndDialog(IDNO);
    return TRUE;
  }
};

TEST(Dialog, EndDialogFromOnInitDialogEndsBeforeTheDialogRuns) {
  ScriptedModalDriver modal;
  CEndsAtOnceDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDNO);
  EXPECT_TRUE(modal.Openings().empty());
}

TEST(Dialog, WithoutATemplateDoModalFails) {
  CDialogEx dlg(123456);
  EXPECT_EQ(dlg.DoModal(), -1);
}

// Opens a second dialog from a button: nested modal runs take the next script.
class COpenerDlg : public CSampleDlg {
 public:
  INT_PTR m_Inner = 0;
  afx_msg void OnOpen() { m_Inner = CSampleDlg().DoModal(); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COpenerDlg, CSampleDlg)
  ON_BN_CLICKED(kHelloButton, &COpenerDlg::OnOpen)
END_MESSAGE_MAP()

TEST(Dialog, NestedModalDialogsTakeTheNextScript) {
  ScriptedModalDriver modal;
  COpenerDlg dlg;
  modal.Queue(9001, [](CDialog& d) {
    ui::Click(d, kHelloButton);
    ui::Click(d, IDOK);
  });
  modal.Queue(9001, [](CDialog& inner) { ui::Click(inner, kHelloButton); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Inner, 42);
  ASSERT_EQ(modal.Openings().size(), 2u);
  EXPECT_EQ(modal.Openings()[0].result, IDOK);
  EXPECT_EQ(modal.Openings()[1].result, 42);
}

// Enter and Esc reach the control when a dialog's PreTranslateMessage lets them pass.
class CKeysPassDlg : public CSampleDlg {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
    return CSampleDlg::PreTranslateMessage(msg);
  }
};

TEST(Dialog, PreTranslateMessageDecidesWhetherEnterAndEscapeEndTheDialog) {
  ScriptedModalDriver modal;
  CKeysPassDlg dlg;
  modal.Queue(9001, [](CDialog& d) {
    ui::PressKey(d, kNameEdit, VK_RETURN);
    ui::PressKey(d, kNameEdit, VK_ESCAPE);
    EXPECT_FALSE(d.HasEnded());
    ui::CloseBox(d);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(Dialog, TypingStopsAtTheLimitAndDigitsOnlyEditsTakeDigits) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  modal.Queue(9001, [](CDialog& d) {
    EXPECT_FALSE(ui::Type(d, kNameEdit, k31));
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u'あ', 30));
    EXPECT_TRUE(ui::Type(d, kNameEdit, CString(u'い', 30)));
    EXPECT_FALSE(ui::Type(d, kCountEdit, u"1a2"));
    EXPECT_EQ(ui::TextOf(d, kCountEdit), CString(u"12"));
    // Text set by the program is never cut.
    d.GetDlgItem(kNameEdit)->SetWindowText(k31);
    EXPECT_EQ(ui::TextOf(d, kNameEdit), k31);
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
}

TEST(Dialog, RadioGroupsAreExclusiveWithinTheirGroupOnly) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  dlg.m_Page = 0;
  modal.Queue(9001, [](CDialog& d) {
    EXPECT_EQ(d.IsDlgButtonChecked(kRadioA), 1u);
    ui::Click(d, kOtherRadio);
    ui::Click(d, kRadioC);
    EXPECT_EQ(d.GetCheckedRadioButton(kRadioA, kRadioC), kRadioC);
    EXPECT_EQ(d.IsDlgButtonChecked(kRadioA), 0u);
    EXPECT_EQ(d.IsDlgButtonChecked(kOtherRadio), 1u);
    ui::Click(d, kRadioC);   // clicking a checked radio keeps it checked
    EXPECT_EQ(d.IsDlgButtonChecked(kRadioC), 1u);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Page, 2);
}

TEST(Dialog, DataExchangeOfARadioGroupWithNothingCheckedGivesMinusOne) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  dlg.m_Page = -1;
  modal.Queue(9001, [](CDialog& d) {
    EXPECT_EQ(d.GetCheckedRadioButton(kRadioA, kRadioC), 0);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Page, -1);
}

}  // namespace

namespace {

// Ends itself from a timer, so the real event loop can be run in a test.
class CTimedDlg : public CSampleDlg {
 public:
  BOOL OnInitDialog() override {
    CSampleDlg::OnInitDialog();
    SetTimer(7, 10, nullptr);
    return TRUE;
  }
  afx_msg void OnTimer(UINT_PTR id) {
    KillTimer(id);
    ui::Type(*this, kNameEdit, u"時刻");
    ui::Click(*this, IDOK);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTimedDlg, CSampleDlg)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Dialog, WithoutADriverDoModalRunsTheEventLoopUntilEndDialog) {
  ASSERT_EQ(GetModalDriver(), nullptr);
  ui::EnsureApplication();
  CTimedDlg dlg;
  // A dialog that did not end by itself is closed after 5 s, failing the test.
  QTimer safety;
  safety.setSingleShot(true);
  QObject::connect(&safety, &QTimer::timeout, []() {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  safety.start(5000);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Name, CString(u"時刻"));
}

}  // namespace

namespace {

// Hides itself, later shows itself again and only then ends.
class CHidingDlg : public CSampleDlg {
 public:
  bool m_RunningWhileHidden = false;
  bool m_VisibleAgain = false;
  BOOL OnInitDialog() override {
    CSampleDlg::OnInitDialog();
    SetTimer(1, 10, nullptr);
    return TRUE;
  }
  afx_msg void OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == 1) {
      ShowWindow(SW_HIDE);
      SetTimer(2, 150, nullptr);
    } else if (id == 2) {
      m_RunningWhileHidden = IsModalRunning() && !HasEnded() && !IsWindowVisible();
      ShowWindow(SW_SHOW);
      m_VisibleAgain = IsWindowVisible();
      EndDialog(IDRETRY);
    }
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHidingDlg, CSampleDlg)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Dialog, HidingAModalDialogKeepsItRunningUntilEndDialog) {
  ASSERT_EQ(GetModalDriver(), nullptr);
  ui::EnsureApplication();
  CHidingDlg dlg;
  QTimer safety;
  safety.setSingleShot(true);
  QObject::connect(&safety, &QTimer::timeout, [&dlg]() { dlg.EndDialog(-2); });
  safety.start(5000);
  EXPECT_EQ(dlg.DoModal(), IDRETRY);
  EXPECT_TRUE(dlg.m_RunningWhileHidden);
  EXPECT_TRUE(dlg.m_VisibleAgain);
}

}  // namespace
