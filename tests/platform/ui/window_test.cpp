// Timers, dropped files, popup menus, messages from other threads, control
// colours, tooltips, and the desktop binding of the hooks.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include <QLabel>

#include "platform/ui/qt_ui_hooks.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kLabel = 6001, kButton = 6002, kHiddenEdit = 6003, kMenuCopy = 32771, kMenuPaste = 32772 };
constexpr UINT WM_JOB_DONE = WM_APP + 1;

constexpr ControlTemplate kControls[] = {
    {CtlKind::Static, kLabel, u"ここへCSVファイルをドロップ", 5, 5, 150, 10},
    {CtlKind::PushButton, kButton, u"起動", 5, 20, 50, 14},
    {CtlKind::Edit, kHiddenEdit, nullptr, 60, 20, 50, 14, tpl::kHidden | tpl::kDisabled},
};
constexpr DialogTemplate kMainDialog{9201, u"タブロコネクト", 160, 45, kControls};

class CMainLike : public CDialogEx {
 public:
  CMainLike() : CDialogEx(kMainDialog) {}
  std::vector<UINT_PTR> m_Timers;
  std::vector<CString> m_Dropped;
  std::vector<UINT> m_Commands;
  std::vector<std::pair<WPARAM, LPARAM>> m_Posted;
  std::thread::id m_PostedOn;
  CBrush m_White{RGB(255, 255, 255)};
  bool m_LabelColoured = true;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    DragAcceptFiles(TRUE);
    SetTimer(1, 500, nullptr);
    return TRUE;
  }
  afx_msg void OnTimer(UINT_PTR id) {
    m_Timers.push_back(id);
    KillTimer(id);
  }
  afx_msg void OnDropFiles(HDROP drop) {
    UINT n = DragQueryFileCount(drop);
    for (UINT i = 0; i < n; ++i) {
      CString path;
      DragQueryFile(drop, i, path);
      m_Dropped.push_back(path);
    }
    DragFinish(drop);
  }
  afx_msg void OnMenu(UINT id) { m_Commands.push_back(id); }
  afx_msg LRESULT OnJobDone(WPARAM w, LPARAM l) {
    m_Posted.emplace_back(w, l);
    m_PostedOn = std::this_thread::get_id();
    return 7;
  }
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) {
    if (m_LabelColoured && wnd && wnd->GetDlgCtrlID() == kLabel) {
      dc->SetTextColor(RGB(0, 0, 200));
      return m_White;
    }
    return nullptr;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainLike, CDialogEx)
  ON_WM_TIMER()
  ON_WM_DROPFILES()
  ON_WM_CTLCOLOR()
  ON_COMMAND_RANGE(kMenuCopy, kMenuPaste, &CMainLike::OnMenu)
  ON_MESSAGE(WM_JOB_DONE, &CMainLike::OnJobDone)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
    dlg.OnInitDialog();
  }
  CMainLike dlg;
};

TEST_F(WindowTest, ATimerFiresUntilKilled) {
  EXPECT_EQ(dlg.ActiveTimers(), std::vector<UINT_PTR>{1});
  EXPECT_FALSE(ui::FireTimer(dlg, 2));
  EXPECT_TRUE(ui::FireTimer(dlg, 1));
  EXPECT_EQ(dlg.m_Timers, std::vector<UINT_PTR>{1});
  EXPECT_FALSE(ui::FireTimer(dlg, 1));
  EXPECT_TRUE(dlg.ActiveTimers().empty());
}

TEST_F(WindowTest, DroppedFilesArriveInOrder) {
  EXPECT_TRUE(ui::DropFiles(dlg, {u"/tmp/売上 2024.csv", u"/tmp/b.tsv"}));
  EXPECT_EQ(dlg.m_Dropped, (std::vector<CString>{u"/tmp/売上 2024.csv", u"/tmp/b.tsv"}));
  CString path;
  EXPECT_EQ(DragQueryFile(nullptr, 0, path), 0u);
  dlg.DragAcceptFiles(FALSE);
  EXPECT_FALSE(ui::DropFiles(dlg, {u"/tmp/c.csv"}));
}

TEST_F(WindowTest, APopupMenuCommandReachesItsOwner) {
  ScriptedModalDriver modal;
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, kMenuCopy, u"コピー(&C)");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING | MF_GRAYED, kMenuPaste, u"貼り付け(&P)");
  modal.QueueMenuCommand(kMenuCopy);
  modal.QueueMenuCommand(kMenuPaste);   // greyed: cannot be chosen
  modal.QueueMenuCommand(kMenuCopy);
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &dlg));
  EXPECT_FALSE(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &dlg));
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &dlg), kMenuCopy);
  EXPECT_EQ(dlg.m_Commands, std::vector<UINT>{kMenuCopy});
  EXPECT_EQ(menu.GetMenuItemCount(), 3);
  EXPECT_EQ(menu.GetMenuItemID(1), 0u);
  EXPECT_EQ(menu.EnableMenuItem(kMenuPaste, MF_ENABLED), static_cast<UINT>(MF_GRAYED));
}

TEST_F(WindowTest, TheSystemMenuKeepsAddedItems) {
  CMenu* sys = dlg.GetSystemMenu(FALSE);
  ASSERT_NE(sys, nullptr);
  sys->AppendMenu(MF_SEPARATOR);
  sys->AppendMenu(MF_STRING, 0x0010, u"バージョン情報 ");
  EXPECT_EQ(dlg.GetSystemMenu(FALSE)->GetMenuItemCount(), 3);   // after 閉じる
  CString text;
  sys->GetMenuString(0x0010, text, MF_BYCOMMAND);
  EXPECT_EQ(text, CString(u"バージョン情報 "));
}

// As on the platform, the stock items follow the style the window was made
// with: a minimise box added afterwards brings no second 最小化 to a menu that
// adds its own.
TEST(SystemMenu, ListsMinimiseOnlyForAWindowMadeWithItsBox) {
  constexpr DialogTemplate withBox{9202, u"box", 160, 45, kControls, tpl::kMinimizeBox};
  struct Case {
    const DialogTemplate* tpl;
    int minimiseItems;
  };
  for (const Case& c : {Case{&kMainDialog, 0}, Case{&withBox, 1}}) {
    CDialogEx d(*c.tpl);
    ASSERT_TRUE(d.CreateFromTemplate(nullptr, false));
    d.ModifyStyle(0, WS_MINIMIZEBOX);
    CMenu* sys = d.GetSystemMenu(FALSE);
    int minimise = 0;
    for (int i = 0; i < sys->GetMenuItemCount(); ++i) minimise += sys->GetMenuItemID(i) == SC_MINIMIZE;
    EXPECT_EQ(minimise, c.minimiseItems) << c.tpl->id;
    EXPECT_EQ(sys->GetMenuItemID(sys->GetMenuItemCount() - 1), static_cast<UINT>(SC_CLOSE));
  }
}

TEST_F(WindowTest, MessagesFromAnotherThreadRunOnTheUserInterfaceThread) {
  std::thread worker([this]() {
    dlg.PostMessage(WM_JOB_DONE, 1, 2);
  });
  worker.join();
  EXPECT_TRUE(dlg.m_Posted.empty());   // queued until the loop runs
  ui::ProcessEvents();
  EXPECT_EQ(dlg.m_Posted, (std::vector<std::pair<WPARAM, LPARAM>>{{1, 2}}));
  EXPECT_EQ(dlg.m_PostedOn, std::this_thread::get_id());
  EXPECT_EQ(dlg.SendMessage(WM_JOB_DONE, 3, 4), 7);
}

TEST_F(WindowTest, InitialStatesComeFromTheTemplate) {
  CWnd* edit = dlg.GetDlgItem(kHiddenEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(edit->GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(edit->IsWindowEnabled());
  EXPECT_FALSE(ui::IsShown(dlg, kHiddenEdit));
  EXPECT_TRUE(ui::IsShown(dlg, kButton));
  EXPECT_EQ(dlg.GetDlgItem(9999), nullptr);
  EXPECT_EQ(ui::ControlIds(dlg), (std::vector<int>{kLabel, kButton, kHiddenEdit}));
  CRect r;
  dlg.GetDlgItem(kButton)->GetClientRect(&r);
  EXPECT_EQ(r, CRect(0, 0, 75, 28));   // 50 x 14 dialog units
  EXPECT_EQ(edit->EnableWindow(TRUE), TRUE);   // it was disabled
  EXPECT_EQ(edit->ShowWindow(SW_SHOW), FALSE);  // it was hidden
  EXPECT_TRUE(ui::IsShown(dlg, kHiddenEdit));
}

TEST_F(WindowTest, OnCtlColorPaintsAStaticsBackgroundAndText) {
  ui::Picture picture = ui::Render(*dlg.GetDlgItem(kLabel));
  EXPECT_EQ(picture.Pixel(picture.Width() - 1, 0), RGB(255, 255, 255));
  EXPECT_GT(picture.CountColour(CRect(0, 0, picture.Width(), picture.Height()), RGB(0, 0, 200)), 0);
}

// Regression: setting a static's text dropped its "&" marks from the text kept,
// so a condition shown in a static lost one "&" on every exchange of data.
TEST_F(WindowTest, AStaticKeepsItsTextAndShowsItsMarksByItsStyle) {
  CStatic data;
  ASSERT_TRUE(data.Create(u"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, CRect(5, 40, 150, 60), &dlg, 6010));
  struct Case {
    int id;
    const char* shown;
  };
  const CString text = u"[1]>1 && [1]<10 & R&&D";
  for (const Case& c : {Case{kLabel, "[1]>1 & [1]<10  R&D"}, Case{6010, "[1]>1 && [1]<10 & R&&D"}}) {
    CWnd* w = dlg.GetDlgItem(c.id);
    ASSERT_NE(w, nullptr);
    for (int exchange = 0; exchange < 3; ++exchange) w->SetWindowText(exchange == 0 ? text : w->GetWindowText());
    EXPECT_EQ(w->GetWindowText(), text) << c.id;
    auto* label = qobject_cast<QLabel*>(w->m_hWnd);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), c.shown) << c.id;
  }
}

TEST_F(WindowTest, AColourTheParentNoLongerGivesIsTakenAway) {
  ui::Picture coloured = ui::Render(*dlg.GetDlgItem(kLabel));
  ASSERT_EQ(coloured.Pixel(coloured.Width() - 1, 0), RGB(255, 255, 255));
  dlg.m_LabelColoured = false;
  // The paint that hears the new answer gives the control its palette; the
  // repaint that follows shows it.
  ui::Render(*dlg.GetDlgItem(kLabel));
  ui::Picture plain = ui::Render(*dlg.GetDlgItem(kLabel));
  const CRect all(0, 0, plain.Width(), plain.Height());
  EXPECT_EQ(plain.CountColour(all, RGB(255, 255, 255)), 0);
  EXPECT_EQ(plain.CountColour(all, RGB(0, 0, 200)), 0);
  dlg.m_LabelColoured = true;
  ui::Picture again = ui::Render(*dlg.GetDlgItem(kLabel));
  EXPECT_EQ(again.Pixel(again.Width() - 1, 0), RGB(255, 255, 255));
}

TEST_F(WindowTest, AControlMovesToAnotherControlsPlace) {
  dlg.MoveWindow(100, 50, 240, 90);
  CRect place;
  dlg.GetDlgItem(kLabel)->GetWindowRect(&place);
  dlg.ScreenToClient(&place);
  EXPECT_EQ(place, CRect(8, 10, 233, 30));   // 5, 5, 150 x 10 dialog units
  CWnd* button = dlg.GetDlgItem(kButton);
  button->MoveWindow(place);
  CRect moved;
  button->GetWindowRect(&moved);
  dlg.ScreenToClient(&moved);
  EXPECT_EQ(moved, place);
  CRect client;
  dlg.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 240, 90));   // the program may resize a fixed dialog
}

TEST_F(WindowTest, TopMostAndTheMinimiseBoxAreWindowStyles) {
  EXPECT_FALSE(dlg.GetExStyle() & WS_EX_TOPMOST);
  dlg.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(dlg.GetExStyle() & WS_EX_TOPMOST);
  dlg.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(dlg.GetExStyle() & WS_EX_TOPMOST);
  dlg.ModifyStyle(0, WS_MINIMIZEBOX);
  EXPECT_TRUE(dlg.GetStyle() & WS_MINIMIZEBOX);
}

TEST_F(WindowTest, TooltipsBelongToTheirControls) {
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&dlg));
  CWnd* button = dlg.GetDlgItem(kButton);
  tips.AddTool(button, u"クレジットを消費せず、1ページのみ表示します。");
  EXPECT_EQ(tips.GetToolText(button), CString(u"クレジットを消費せず、1ページのみ表示します。"));
  tips.DelTool(button);
  EXPECT_EQ(tips.GetToolText(button), CString());
}

struct FilterCase {
  const char16_t* win;
  const char16_t* qt;
};

TEST(QtUiHooks, FileFiltersBecomeQtFilters) {
  const FilterCase cases[] = {
      {u"CSVファイル(*.csv)|*.csv|", u"CSVファイル(*.csv) (*.csv)"},
      // "*.*" used to hide the files whose names have no dot.
      {u"CSV/TSV|*.csv;*.tsv|すべて|*.*||", u"CSV/TSV (*.csv *.tsv);;すべて (*)"},
      {u"", u""},
  };
  for (const FilterCase& c : cases) EXPECT_EQ(ConvertFileFilter(c.win), CString(c.qt)) << CString(c.win);
}

TEST(QtUiHooks, BoxesWithoutAnIconGetThePlatformsDefault) {
  struct Case {
    unsigned type;
    unsigned icon;
  };
  const Case cases[] = {
      {MB_OK, MB_ICONWARNING},           {MB_OKCANCEL, MB_ICONWARNING},
      {MB_YESNO, MB_ICONQUESTION},       {MB_RETRYCANCEL, 0},
      {MB_OK | MB_ICONINFORMATION, MB_ICONINFORMATION}, {MB_YESNO | MB_ICONSTOP, MB_ICONSTOP},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageBoxIconFor(c.type), c.icon) << c.type;
}

TEST(QtUiHooks, TheClipboardRoundTripsAndTheWaitCursorNests) {
  QtUiHooks hooks;
  hooks.SetClipboardText(u"品名\t数量\r\nりんご\t3\r\n");
  EXPECT_EQ(GetUiHooks().GetClipboardText(), CString(u"品名\t数量\r\nりんご\t3\r\n"));
  hooks.EmptyClipboard();
  EXPECT_EQ(hooks.GetClipboardText(), CString());
  {
    CWaitCursor outer;
    CWaitCursor inner;
  }
  EXPECT_FALSE(hooks.IsKeyDown(UiKey::Shift));
}

}  // namespace

namespace {

// A framework button whose frame shows the hover state.
class CHoverButton : public CMFCButton {
 public:
  void OnDrawBorder(CDC* dc, CRect& client, UINT) override {
    dc->FillSolidRect(client, IsHighlighted() ? RGB(255, 0, 0) : RGB(0, 255, 0));
    client.DeflateRect(2, 2);
  }
};

TEST_F(WindowTest, AFrameworkButtonPaintsThroughItsStepsAndKnowsTheHover) {
  CHoverButton button;
  ASSERT_TRUE(button.SubclassDlgItem(kButton, &dlg));
  button.m_bTransparent = TRUE;
  EXPECT_EQ(ui::Render(button).Pixel(0, 0), RGB(0, 255, 0));
  ui::Hover(button, true);
  EXPECT_TRUE(button.IsHighlighted());
  EXPECT_EQ(ui::Render(button).Pixel(0, 0), RGB(255, 0, 0));
  ui::Hover(button, false);
  EXPECT_EQ(ui::Render(button).Pixel(0, 0), RGB(0, 255, 0));
  // The caption is drawn inside the frame in the button text colour.
  ui::Picture picture = ui::Render(button);
  EXPECT_GT(picture.CountColour(CRect(2, 2, picture.Width() - 2, picture.Height() - 2), RGB(0, 0, 0)), 0);
}

}  // namespace

namespace {

// Runs work on a worker thread while this thread handles the window events
// the worker's calls bring (at most 10 s).
void OnWorker(const std::function<void()>& work) {
  std::atomic<bool> done{false};
  std::thread worker([&]() {
    work();
    done = true;
  });
  for (int i = 0; i < 2000 && !done; ++i) {
    ui::ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!done) std::abort();   // the worker would wait for ever
  worker.join();
}

TEST_F(WindowTest, AModalDialogOpenedFromAWorkerThreadRunsOnTheUserInterfaceThread) {
  ScriptedModalDriver modal;
  std::thread::id scriptThread;
  modal.Queue(9201, [&](CDialog& d) {
    scriptThread = std::this_thread::get_id();
    d.EndDialog(IDOK);
  });
  INT_PTR result = 0;
  // The worker waits while this thread runs the dialog.
  OnWorker([&]() {
    CMainLike other;
    result = other.DoModal();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(scriptThread, std::this_thread::get_id());
}

TEST_F(WindowTest, WindowCallsFromAWorkerThreadRunOnTheUserInterfaceThread) {
  CWnd* label = dlg.GetDlgItem(kLabel);
  CWnd* edit = dlg.GetDlgItem(kHiddenEdit);
  CString textSeen;
  OnWorker([&]() {
    label->SetWindowText(u"監視中");
    textSeen = label->GetWindowText();
    edit->ShowWindow(SW_SHOW);
    edit->EnableWindow(TRUE);
    label->Invalidate();
    dlg.KillTimer(1);
    dlg.SetTimer(5, 60000, nullptr);
    dlg.PostMessage(WM_JOB_DONE, 3, 4);
  });
  ui::ProcessEvents();
  EXPECT_EQ(ui::TextOf(dlg, kLabel), CString(u"監視中"));
  EXPECT_EQ(textSeen, CString(u"監視中"));
  EXPECT_TRUE(ui::IsShown(dlg, kHiddenEdit));
  EXPECT_TRUE(ui::IsEnabled(dlg, kHiddenEdit));
  // A timer started from the worker runs on the window's thread.
  EXPECT_EQ(dlg.ActiveTimers(), std::vector<UINT_PTR>{5});
  EXPECT_TRUE(ui::FireTimer(dlg, 5));
  EXPECT_EQ(dlg.m_Timers, std::vector<UINT_PTR>{5});
  EXPECT_EQ(dlg.m_PostedOn, std::this_thread::get_id());
}

constexpr MenuItemTemplate kEditMenuItems[] = {
    {0, 0, u"編集", MF_POPUP},
    {1, kMenuCopy, u"コピー(&C)"},
    {1, 0, nullptr},
    {1, kMenuPaste, u"貼り付け(&P)"},
};
constexpr MenuTemplate kEditMenu{9301, kEditMenuItems, 4};
TABRO_REGISTER_MENU(kEditMenu);

TEST(Menu, AMenuResourceLoadsWithItsPopup) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(9301));
  CMenu* popup = menu.GetSubMenu(0);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->GetMenuItemCount(), 3);
  EXPECT_EQ(popup->GetMenuItemID(0), static_cast<UINT>(kMenuCopy));
  EXPECT_EQ(popup->GetMenuItemID(1), 0u);
  EXPECT_FALSE(menu.LoadMenu(9399));
}

}  // namespace

namespace {

class CRunButtonHost : public CMainLike {
 public:
  int m_Runs = 0;
  afx_msg void OnRun() { ++m_Runs; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRunButtonHost, CMainLike)
  ON_BN_CLICKED(1094, &CRunButtonHost::OnRun)
END_MESSAGE_MAP()

TEST(RuntimeControls, AButtonCreatedAtRunTimeNotifiesItsParentAndGoesWithItsObject) {
  CRunButtonHost dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  {
    CButton run;
    ASSERT_TRUE(run.Create(u"実行", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 40, 85, 68), &dlg, 1094));
    EXPECT_EQ(dlg.GetDlgItem(1094), &run);
    CRect r;
    run.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 75, 28));
    EXPECT_TRUE(ui::Click(dlg, 1094));
    EXPECT_EQ(dlg.m_Runs, 1);
    CStatic usage;
    ASSERT_TRUE(usage.Create(u"使用状況", WS_CHILD | SS_CENTER, CRect(90, 40, 150, 60), &dlg));
    EXPECT_FALSE(usage.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(run.GetStyle() & WS_VISIBLE);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 80, 200), &dlg, 1095));
    combo.GetClientRect(&r);
    EXPECT_LT(r.Height(), 40);
  }
  EXPECT_EQ(dlg.GetDlgItem(1094), nullptr);
}

}  // namespace
