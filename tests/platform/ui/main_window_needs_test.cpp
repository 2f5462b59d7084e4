// What the main dialog and the settings sheet need of the layer: a menu
// button, the window icon, the system menu, F1, the sheet's Apply button and
// button places, and in-place label editing in a list.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int {
  kMenuButton = 1310, kList = 1400,
  kSystemSettings = 32784, kUserSettings = 32785, kAbout = 16,
};

constexpr ControlTemplate kMainControls[] = {
    {CtlKind::PushButton, kMenuButton, u"     設定", 5, 5, 60, 14},
    {CtlKind::ListView, kList, nullptr, 5, 25, 150, 60},
    {CtlKind::DefPushButton, IDOK, u"終了", 110, 90, 45, 14},
};
constexpr DialogTemplate kMainTemplate{9701, u"タブロコネクト", 160, 110, kMainControls};

class CMainDlg : public CDialogEx {
 public:
  CMainDlg() : CDialogEx(kMainTemplate) {}
  CMFCMenuButton m_SettingsButton;
  CMenu m_SettingsMenu;
  std::vector<int> m_MenuResults;
  std::vector<UINT> m_SysCommands;
  int m_Helps = 0;
  BOOL m_AllowBegin = TRUE;
  BOOL m_AcceptEnd = TRUE;
  std::vector<std::string> m_Edits;   // "begin 1", "end 1 <text>", "end 1 -"

  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kMenuButton, m_SettingsButton); }
  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    CMenu* sys = GetSystemMenu(FALSE);
    sys->AppendMenu(MF_SEPARATOR);
    sys->AppendMenu(MF_STRING, kAbout, u"バージョン情報 ");
    m_SettingsMenu.CreatePopupMenu();
    CMenu* sub = m_SettingsMenu.AppendSubMenu(u"設定");
    sub->AppendMenu(MF_STRING, kUserSettings, u"ユーザー設定");
    sub->AppendMenu(MF_STRING, kSystemSettings, u"システム設定");
    m_SettingsButton.m_hMenu = m_SettingsMenu.GetSubMenu(0)->GetSafeHmenu();
    auto* list = dynamic_cast<CListCtrl*>(GetDlgItem(kList));
    list->InsertColumn(0, u"列", LVCFMT_LEFT, 100);
    list->InsertItem(0, u"日付");
    list->InsertItem(1, u"金額");
    return TRUE;
  }
  afx_msg void OnSettingsMenu() { m_MenuResults.push_back(m_SettingsButton.m_nMenuResult); }
  afx_msg void OnSysCommand(UINT id, LPARAM) { m_SysCommands.push_back(id); }
  afx_msg void OnHelp() { ++m_Helps; }
  afx_msg void OnBeginEdit(NMHDR* hdr, LRESULT* result) {
    m_Edits.push_back("begin " + std::to_string(reinterpret_cast<NMLVDISPINFO*>(hdr)->item.iItem));
    *result = m_AllowBegin ? FALSE : TRUE;
  }
  afx_msg void OnEndEdit(NMHDR* hdr, LRESULT* result) {
    const LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(hdr)->item;
    m_Edits.push_back("end " + std::to_string(item.iItem) + " " +
                      ((item.mask & LVIF_TEXT) ? item.pszText.ToUtf8() : std::string("-")));
    *result = m_AcceptEnd;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMainDlg, CDialogEx)
  ON_BN_CLICKED(kMenuButton, &CMainDlg::OnSettingsMenu)
  ON_WM_SYSCOMMAND()
  ON_COMMAND(ID_HELP, &CMainDlg::OnHelp)
  ON_NOTIFY(LVN_BEGINLABELEDIT, kList, &CMainDlg::OnBeginEdit)
  ON_NOTIFY(LVN_ENDLABELEDIT, kList, &CMainDlg::OnEndEdit)
END_MESSAGE_MAP()

TEST(MainWindowNeeds, TheMenuButtonShowsItsMenuAndTellsTheChoice) {
  ScriptedModalDriver modal;
  CMainDlg dlg;
  modal.Queue(9701, [](CDialog& d) {
    ui::Click(d, kMenuButton);
    ui::Click(d, kMenuButton);
    ui::CloseBox(d);
  });
  modal.QueueMenuCommand(kSystemSettings);
  modal.QueueMenuCommand(0);
  dlg.DoModal();
  EXPECT_EQ(dlg.m_MenuResults, (std::vector<int>{kSystemSettings, 0}));
}

TEST(MainWindowNeeds, AltSpaceShowsTheSystemMenuWithTheAddedEntry) {
  ScriptedModalDriver modal;
  CMainDlg dlg;
  modal.Queue(9701, [](CDialog& d) {
    ui::PressKey(d, 0, VK_SPACE, false, false, true);
    ui::CloseBox(d);
  });
  modal.QueueMenuCommand(kAbout);
  dlg.DoModal();
  EXPECT_EQ(dlg.m_SysCommands, std::vector<UINT>{kAbout});
}

TEST(MainWindowNeeds, F1ReachesTheHelpHandler) {
  ScriptedModalDriver modal;
  CMainDlg dlg;
  modal.Queue(9701, [](CDialog& d) {
    ui::PressKey(d, kList, VK_F1);
    ui::CloseBox(d);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_Helps, 1);
}

TEST(MainWindowNeeds, TheWindowIconIsSetAndReadBack) {
  CMainDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CBitmap image;
  CDC dc;
  ASSERT_TRUE(image.CreateCompatibleBitmap(&dc, 16, 16));
  EXPECT_EQ(dlg.SetIcon(&image, TRUE), nullptr);
  dlg.SetIcon(&image, FALSE);
  EXPECT_EQ(dlg.GetIcon(TRUE), &image);
  EXPECT_EQ(dlg.GetIcon(FALSE), &image);
  EXPECT_FALSE(dlg.m_hWnd->windowIcon().isNull());
}

TEST(MainWindowNeeds, TheAltKeyStateComesThroughTheHooks) {
  RecordingUiHooks hooks;
  EXPECT_EQ(GetKeyState(VK_MENU), 0);
  hooks.SetKeyDown(UiKey::Alt, true);
  EXPECT_LT(GetKeyState(VK_MENU), 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

// A label edit: how it ends, and the label the list shows after it.
struct LabelCase {
  const char* name;
  BOOL allowBegin;
  BOOL acceptEnd;
  UINT endKey;   // VK_RETURN or VK_ESCAPE
  std::vector<std::string> edits;
  const char16_t* label;
};

class LabelEdit : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelEdit, EndsAsTheHandlersSay) {
  const LabelCase& c = GetParam();
  CMainDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  dlg.OnInitDialog();
  dlg.m_AllowBegin = c.allowBegin;
  dlg.m_AcceptEnd = c.acceptEnd;
  auto* list = dynamic_cast<CListCtrl*>(dlg.GetDlgItem(kList));
  CEdit* edit = list->EditLabel(1);
  EXPECT_EQ(edit != nullptr, c.allowBegin != FALSE);
  if (edit) {
    EXPECT_EQ(edit->GetWindowText(), CString(u"金額"));
    EXPECT_EQ(list->GetEditControl(), edit);
    edit->SetWindowText(u"売上金額");
    edit->SendMessage(WM_KEYDOWN, c.endKey);
    ui::ProcessEvents();
    EXPECT_EQ(list->GetEditControl(), nullptr);
  }
  EXPECT_EQ(dlg.m_Edits, c.edits);
  EXPECT_EQ(list->GetItemText(1, 0), CString(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LabelEdit,
    ::testing::Values(LabelCase{"Accepted", TRUE, TRUE, VK_RETURN, {"begin 1", "end 1 売上金額"}, u"売上金額"},
                      LabelCase{"Rejected", TRUE, FALSE, VK_RETURN, {"begin 1", "end 1 売上金額"}, u"金額"},
                      LabelCase{"Cancelled", TRUE, TRUE, VK_ESCAPE, {"begin 1", "end 1 -"}, u"金額"},
                      LabelCase{"Refused", FALSE, TRUE, VK_RETURN, {"begin 1"}, u"金額"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowNeeds, EnterInALabelEditEndsTheEditNotTheDialog) {
  ScriptedModalDriver modal;
  CMainDlg dlg;
  modal.Queue(9701, [&](CDialog& d) {
    auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(kList));
    CEdit* edit = list->EditLabel(0);
    ASSERT_NE(edit, nullptr);
    QApplication::sendEvent(edit->m_hWnd, std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Return,
                                                                      Qt::NoModifier).get());
    EXPECT_FALSE(d.HasEnded());
    ui::CloseBox(d);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_Edits, (std::vector<std::string>{"begin 0", "end 0 日付"}));
}

}  // namespace
