// Property sheets: pages built when first shown, the order of OnSetActive and
// OnKillActive, refusals that keep a page, and the sheet's buttons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kPageEdit = 5001 };

constexpr ControlTemplate kPageControls[] = {
    {CtlKind::Static, IDC_STATIC, u"値", 5, 7, 20, 8},
    {CtlKind::Edit, kPageEdit, nullptr, 30, 5, 60, 14},
};
constexpr DialogTemplate kPageA{9101, u"基本設定", 150, 80, kPageControls, tpl::kChild};
constexpr DialogTemplate kPageB{9102, u"詳細設定", 160, 90, kPageControls, tpl::kChild};

std::vector<std::string>* g_log = nullptr;

class CLogPage : public CPropertyPage {
 public:
  CLogPage(const DialogTemplate& t, const char* name) : CPropertyPage(t), m_Name(name) {}
  std::string m_Name;
  CString m_Value;
  int m_Inits = 0;
  bool m_RefuseLeave = false;
  void Log(const char* what) {
    if (g_log) g_log->push_back(m_Name + ":" + what);
  }
  BOOL OnInitDialog() override {
    ++m_Inits;
    Log("init");
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    Log("set");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Log("kill");
    if (m_RefuseLeave) return FALSE;
    return CPropertyPage::OnKillActive();
  }
  void OnOK() override { Log("ok"); }
  void OnCancel() override { Log("cancel"); }
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kPageEdit, m_Value); }
};

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override { g_log = &log; }
  void TearDown() override { g_log = nullptr; }
  std::vector<std::string> log;
};

TEST_F(SheetTest, PagesAreBuiltWhenFirstShownAndExchangeTheirDataOnLeaving) {
  ScriptedModalDriver modal;
  CLogPage a(kPageA, "A"), b(kPageB, "B");
  a.m_Value = u"一";
  CPropertySheet sheet(u"c:/data/売上.csv");
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  modal.Queue(0, [&](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"c:/data/売上.csv"));
    EXPECT_EQ(b.m_hWnd, nullptr);
    EXPECT_EQ(ui::TextOf(a, kPageEdit), CString(u"一"));
    ui::Type(a, kPageEdit, u"二");
    EXPECT_TRUE(ui::ClickTab(d, AFX_IDC_TAB_CONTROL, 1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(b.IsWindowVisible());
    EXPECT_FALSE(a.IsWindowVisible());
    sheet.GetTabControl()->SelectAsUser(0);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(a.m_Value, CString(u"二"));
  EXPECT_EQ(a.m_Inits, 1);
  EXPECT_EQ(b.m_Inits, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"A:init", "A:set", "A:kill", "B:init", "B:set", "B:kill", "A:set",
                                           "A:kill", "A:ok", "B:ok"}));
}

TEST_F(SheetTest, APageThatRefusesToBeLeftKeepsTheTabAndTheSheet) {
  ScriptedModalDriver modal;
  CLogPage a(kPageA, "A"), b(kPageB, "B");
  CPropertySheet sheet(u"売上");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  a.m_RefuseLeave = true;
  modal.Queue(0, [&](CDialog& d) {
    sheet.GetTabControl()->SelectAsUser(1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
    EXPECT_FALSE(sheet.SetActivePage(1));
    ui::Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    a.m_RefuseLeave = false;
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(b.m_Inits, 0);
  EXPECT_EQ(log.back(), "A:cancel");
}

TEST_F(SheetTest, TheStartPageAndTheButtonsFollowTheHeader) {
  ScriptedModalDriver modal;
  CLogPage a(kPageA, "A"), b(kPageB, "B");
  CPropertySheet sheet(u"売上");
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.m_psh.nStartPage = 1;
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  modal.Queue(0, [&](CDialog& d) {
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_EQ(a.m_hWnd, nullptr);
    EXPECT_TRUE(ui::IsShown(d, IDOK));
    EXPECT_TRUE(ui::IsShown(d, IDCANCEL));
    EXPECT_FALSE(ui::IsShown(d, ID_APPLY_NOW));
    EXPECT_FALSE(ui::IsShown(d, IDHELP));
    EXPECT_EQ(sheet.GetTabControl()->GetItemText(0), CString(u"基本設定"));
    // Pages sit inside the tab control, below its tabs.
    CRect tab, page;
    d.GetDlgItem(AFX_IDC_TAB_CONTROL)->GetWindowRect(&tab);
    b.GetWindowRect(&page);
    EXPECT_GT(page.top, tab.top);
    EXPECT_LE(page.bottom, tab.bottom);
    EXPECT_LT(tab.bottom, [&] { CRect r; d.GetDlgItem(IDOK)->GetWindowRect(&r); return r.top; }());
    ui::CloseBox(d);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(SheetTest, ApplyIsEnabledWhileAPageIsModifiedAndAppliesThePages) {
  ScriptedModalDriver modal;
  CLogPage a(kPageA, "A"), b(kPageB, "B");
  CPropertySheet sheet(u"売上");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  modal.Queue(0, [&](CDialog& d) {
    EXPECT_TRUE(ui::IsShown(d, ID_APPLY_NOW));
    EXPECT_FALSE(ui::IsEnabled(d, ID_APPLY_NOW));
    a.SetModified();
    EXPECT_TRUE(ui::IsEnabled(d, ID_APPLY_NOW));
    log.clear();
    EXPECT_TRUE(ui::Click(d, ID_APPLY_NOW));
    EXPECT_EQ(log, (std::vector<std::string>{"A:kill", "A:ok"}));
    EXPECT_FALSE(ui::IsEnabled(d, ID_APPLY_NOW));
    a.SetModified();
    a.SetModified(FALSE);
    EXPECT_FALSE(ui::IsEnabled(d, ID_APPLY_NOW));
    ui::CloseBox(d);
  });
  sheet.DoModal();
}

// Where the shown buttons stand: right-aligned, hidden ones leave no gap.
struct ButtonsCase {
  const char* name;
  DWORD flags;
  std::vector<int> shownFromRight;
};

class SheetButtons : public ::testing::TestWithParam<ButtonsCase> {};

TEST_P(SheetButtons, StandAtTheirStockPlaces) {
  const ButtonsCase& c = GetParam();
  ScriptedModalDriver modal;
  CLogPage a(kPageA, "A");
  CPropertySheet sheet(u"売上");
  sheet.m_psh.dwFlags |= c.flags;
  sheet.AddPage(&a);
  modal.Queue(0, [&](CDialog& d) {
    CRect client;
    d.GetClientRect(&client);
    int right = client.right;
    for (int id : c.shownFromRight) {
      EXPECT_TRUE(ui::IsShown(d, id));
      CRect r;
      d.GetDlgItem(id)->GetWindowRect(&r);
      d.ScreenToClient(&r);
      EXPECT_LT(r.right, right) << id;
      EXPECT_GT(r.right, right - 20) << id;   // only the margin or the gap between
      right = r.left;
    }
    EXPECT_GT(right, 0);   // the row fits in the sheet
    ui::CloseBox(d);
  });
  sheet.DoModal();
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetButtons,
    ::testing::Values(ButtonsCase{"NoHelp", 0, {ID_APPLY_NOW, IDCANCEL, IDOK}},
                      ButtonsCase{"NoHelpNoApply", PSH_NOAPPLYNOW, {IDCANCEL, IDOK}},
                      ButtonsCase{"All", PSH_HASHELP, {IDHELP, ID_APPLY_NOW, IDCANCEL, IDOK}}),
    [](const auto& info) { return std::string(info.param.name); });

// A page whose number must lie in 1 to 10.
class CRangePage : public CPropertyPage {
 public:
  explicit CRangePage(const DialogTemplate& t) : CPropertyPage(t) {}
  int m_Number = 5;
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kPageEdit, m_Number);
    DDV_MinMaxInt(dx, m_Number, 1, 10);
  }
};

TEST(SheetTabs, AClickOnATabValidatesThePageBeingLeftAndARefusalKeepsIt) {
  ScriptedModalDriver modal;
  CRangePage a(kPageA), b(kPageB);
  CPropertySheet sheet(u"売上");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  modal.Queue(0, [&](CDialog& d) {
    ui::Type(a, kPageEdit, u"99");
    EXPECT_FALSE(ui::ClickTab(d, AFX_IDC_TAB_CONTROL, 1));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
    EXPECT_TRUE(a.IsWindowVisible());
    ui::Type(a, kPageEdit, u"7");
    EXPECT_TRUE(ui::ClickTab(d, AFX_IDC_TAB_CONTROL, 1));
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, u"1 から 10 までの整数を入力してください。");
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(a.m_Number, 7);
}

// A modeless child dialog inside another dialog: its controls notify it.
constexpr ControlTemplate kPaneControls[] = {
    {CtlKind::PushButton, 5101, u"押す", 5, 5, 40, 14},
};
constexpr DialogTemplate kPane{9103, nullptr, 60, 30, kPaneControls, tpl::kChild};
constexpr ControlTemplate kHolderControls[] = {
    {CtlKind::TabCtrl, 5201, nullptr, 5, 5, 100, 60},
};
constexpr DialogTemplate kHolder{9104, u"枠", 120, 80, kHolderControls};

class CPane : public CDialogEx {
 public:
  CPane() : CDialogEx(kPane) {}
  int m_Pressed = 0;
  afx_msg void OnPress() { ++m_Pressed; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPane, CDialogEx)
  ON_BN_CLICKED(5101, &CPane::OnPress)
END_MESSAGE_MAP()

// A dialog with a tab control that refuses to leave tab 0 while told so.
class CTabHolder : public CDialogEx {
 public:
  CTabHolder() : CDialogEx(kHolder) {}
  bool m_Refuse = true;
  std::vector<std::string> m_Heard;
  afx_msg void OnChanging(NMHDR*, LRESULT* result) {
    m_Heard.push_back("changing");
    *result = m_Refuse ? TRUE : FALSE;
  }
  afx_msg void OnChanged(NMHDR*, LRESULT*) { m_Heard.push_back("changed"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTabHolder, CDialogEx)
  ON_NOTIFY(TCN_SELCHANGING, 5201, &CTabHolder::OnChanging)
  ON_NOTIFY(TCN_SELCHANGE, 5201, &CTabHolder::OnChanged)
END_MESSAGE_MAP()

TEST(SheetTabs, AClickOnATabControlSendsSelChangingFirstAndARefusalKeepsTheTab) {
  CTabHolder holder;
  ASSERT_TRUE(holder.CreateFromTemplate(nullptr, false));
  auto* tab = dynamic_cast<CTabCtrl*>(holder.GetDlgItem(5201));
  ASSERT_NE(tab, nullptr);
  tab->InsertItem(0, u"一");
  tab->InsertItem(1, u"二");
  EXPECT_FALSE(ui::ClickTab(holder, 5201, 1));
  EXPECT_EQ(tab->GetCurSel(), 0);
  holder.m_Refuse = false;
  EXPECT_TRUE(ui::ClickTab(holder, 5201, 1));
  EXPECT_EQ(tab->GetCurSel(), 1);
  EXPECT_EQ(holder.m_Heard, (std::vector<std::string>{"changing", "changing", "changed"}));
}

TEST(ChildDialog, AModelessPaneHandlesItsOwnControls) {
  CDialogEx holder(kHolder);
  ASSERT_TRUE(holder.CreateFromTemplate(nullptr, false));
  CPane pane;
  ASSERT_TRUE(pane.Create(kPane, &holder));
  EXPECT_EQ(pane.GetParent(), &holder);
  pane.SetWindowPos(nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(ui::Click(pane, 5101));
  EXPECT_EQ(pane.m_Pressed, 1);
  pane.ShowWindow(SW_HIDE);
  EXPECT_FALSE(ui::Click(pane, 5101));
  // Enter in a pane is left to the dialog that holds it.
  pane.ShowWindow(SW_SHOW);
  MSG enter;
  enter.hwnd = pane.GetDlgItem(5101)->m_hWnd;
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_FALSE(pane.PreTranslateMessage(&enter));
  EXPECT_TRUE(holder.PreTranslateMessage(&enter));
}

}  // namespace
