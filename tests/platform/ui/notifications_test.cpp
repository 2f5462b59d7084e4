// Which actions send which notifications, as on the platform: a user's action
// notifies the parent, the program's own calls mostly do not.

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int {
  kEdit = 2001,
  kMemo = 2002,
  kCheck = 2003,
  kButton = 2004,
  kCombo = 2005,
  kList = 2006,
  kCheckList = 2007,
  kTab = 2008,
  kSpin = 2009,
  kSpinBuddy = 2010,
  kDate = 2011,
  kHidden = 2012,
  kDisabled = 2013,
};

constexpr ControlTemplate kControls[] = {
    {CtlKind::Edit, kEdit, nullptr, 5, 5, 80, 14},
    {CtlKind::Edit, kMemo, nullptr, 90, 5, 80, 30, tpl::kMultiline | tpl::kWantReturn},
    {CtlKind::CheckBox, kCheck, u"チェック", 5, 25, 60, 10},
    {CtlKind::PushButton, kButton, u"ボタン", 5, 40, 50, 14},
    {CtlKind::ComboDropList, kCombo, u"一\n二\n三", 5, 60, 60, 50},
    {CtlKind::ListBox, kList, u"甲\n乙", 70, 40, 50, 30},
    {CtlKind::CheckListBox, kCheckList, u"赤\n青", 125, 40, 50, 30},
    {CtlKind::TabCtrl, kTab, nullptr, 5, 80, 100, 30},
    {CtlKind::Edit, kSpinBuddy, u"0", 110, 80, 30, 14, tpl::kNumber},
    {CtlKind::Spin, kSpin, nullptr, 140, 80, 10, 14, tpl::kSetBuddyInt},
    {CtlKind::DateTime, kDate, nullptr, 110, 100, 70, 14},
    {CtlKind::PushButton, kHidden, u"隠し", 5, 115, 50, 14, tpl::kHidden},
    {CtlKind::PushButton, kDisabled, u"無効", 60, 115, 50, 14, tpl::kDisabled},
};
constexpr DialogTemplate kRecorderDialog{9002, u"通知", 190, 135, kControls};

// Records every notification as (code, id).
class CRecorderDlg : public CDialogEx {
 public:
  CRecorderDlg() : CDialogEx(kRecorderDialog) {}
  std::vector<std::pair<int, int>> m_Seen;
  void Seen(int code, UINT id) { m_Seen.emplace_back(code, static_cast<int>(id)); }
  afx_msg void OnClicked(UINT id) { Seen(BN_CLICKED, id); }
  afx_msg void OnChange(UINT id) { Seen(EN_CHANGE, id); }
  afx_msg void OnKillFocus(UINT id) { Seen(EN_KILLFOCUS, id); }
  afx_msg void OnSelChange(UINT id) { Seen(id == kCombo ? CBN_SELCHANGE : LBN_SELCHANGE, id); }
  afx_msg void OnCheckChange(UINT id) { Seen(CLBN_CHKCHANGE, id); }
  afx_msg void OnNotify(UINT id, NMHDR* hdr, LRESULT* result) {
    Seen(hdr->code, id);
    if (hdr->code == TCN_SELCHANGING) *result = m_VetoTab;
  }
  LRESULT m_VetoTab = FALSE;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorderDlg, CDialogEx)
  ON_CONTROL_RANGE(BN_CLICKED, kEdit, kDisabled, &CRecorderDlg::OnClicked)
  ON_CONTROL_RANGE(EN_CHANGE, kEdit, kDisabled, &CRecorderDlg::OnChange)
  ON_CONTROL_RANGE(EN_KILLFOCUS, kEdit, kDisabled, &CRecorderDlg::OnKillFocus)
  ON_CONTROL_RANGE(CBN_SELCHANGE, kEdit, kDisabled, &CRecorderDlg::OnSelChange)
  ON_CONTROL_RANGE(CLBN_CHKCHANGE, kEdit, kDisabled, &CRecorderDlg::OnCheckChange)
  ON_NOTIFY_RANGE(TCN_SELCHANGING, kEdit, kDisabled, &CRecorderDlg::OnNotify)
  ON_NOTIFY_RANGE(TCN_SELCHANGE, kEdit, kDisabled, &CRecorderDlg::OnNotify)
  ON_NOTIFY_RANGE(UDN_DELTAPOS, kEdit, kDisabled, &CRecorderDlg::OnNotify)
  ON_NOTIFY_RANGE(DTN_DATETIMECHANGE, kEdit, kDisabled, &CRecorderDlg::OnNotify)
END_MESSAGE_MAP()

struct NotifyCase {
  const char* name;
  std::function<bool(CRecorderDlg&)> action;   // false: the action was refused
  bool accepted;
  std::vector<std::pair<int, int>> seen;
};

class Notifications : public ::testing::TestWithParam<NotifyCase> {};

TEST_P(Notifications, ReachTheParentAsOnThePlatform) {
  const NotifyCase& c = GetParam();
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  dlg.OnInitDialog();
  if (auto* tab = dynamic_cast<CTabCtrl*>(dlg.GetDlgItem(kTab))) {
    tab->InsertItem(0, u"基本");
    tab->InsertItem(1, u"詳細");
  }
  if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(kSpin))) spin->SetRange32(0, 10);
  dlg.m_Seen.clear();
  EXPECT_EQ(c.action(dlg), c.accepted);
  EXPECT_EQ(dlg.m_Seen, c.seen);
}

template <class T>
T& Item(CRecorderDlg& d, int id) {
  return *dynamic_cast<T*>(d.GetDlgItem(id));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Notifications,
    ::testing::Values(
        NotifyCase{"ClickOnAButton", [](CRecorderDlg& d) { return ui::Click(d, kButton); }, true,
                   {{BN_CLICKED, kButton}}},
        NotifyCase{"ClickOnACheckBox", [](CRecorderDlg& d) { return ui::Click(d, kCheck); }, true,
                   {{BN_CLICKED, kCheck}}},
        NotifyCase{"SetCheckIsSilent",
                   [](CRecorderDlg& d) {
                     Item<CButton>(d, kCheck).SetCheck(BST_CHECKED);
                     return Item<CButton>(d, kCheck).GetCheck() == BST_CHECKED;
                   },
                   true, {}},
        NotifyCase{"AHiddenButtonCannotBeClicked", [](CRecorderDlg& d) { return ui::Click(d, kHidden); }, false, {}},
        NotifyCase{"ADisabledButtonCannotBeClicked", [](CRecorderDlg& d) { return ui::Click(d, kDisabled); }, false,
                   {}},
        NotifyCase{"ProgramTextChangesTheEditAndNotifies",
                   [](CRecorderDlg& d) {
                     d.SetDlgItemText(kEdit, u"abc");
                     return true;
                   },
                   true, {{EN_CHANGE, kEdit}}},
        NotifyCase{"TypingIntoAMultiLineEdit", [](CRecorderDlg& d) { return ui::Type(d, kMemo, u"一行目\r\n二行目"); },
                   true, {{EN_CHANGE, kMemo}}},
        NotifyCase{"ProgramTextInAMultiLineEditIsSilentAndReadsBackWithCrLf",
                   [](CRecorderDlg& d) {
                     d.SetDlgItemText(kMemo, u"一行目\r\n二行目");
                     return ui::TextOf(d, kMemo) == u"一行目\r\n二行目";
                   },
                   true, {}},
        NotifyCase{"LeavingAnEdit", [](CRecorderDlg& d) { return ui::FocusThenLeave(d, kEdit); }, true,
                   {{EN_KILLFOCUS, kEdit}}},
        NotifyCase{"ChoosingInACombo", [](CRecorderDlg& d) { return ui::Choose(d, kCombo, 2); }, true,
                   {{CBN_SELCHANGE, kCombo}}},
        NotifyCase{"SetCurSelOfAComboIsSilent",
                   [](CRecorderDlg& d) { return Item<CComboBox>(d, kCombo).SetCurSel(1) == 1; }, true, {}},
        NotifyCase{"ChoosingInAListBox", [](CRecorderDlg& d) { return ui::Choose(d, kList, 1); }, true,
                   {{LBN_SELCHANGE, kList}}},
        NotifyCase{"MovingInAListBoxWithTheKeys",
                   [](CRecorderDlg& d) {
                     Item<CListBox>(d, kList).SetCurSel(0);
                     ui::PressKey(d, kList, VK_DOWN);
                     return Item<CListBox>(d, kList).GetCurSel() == 1;
                   },
                   true, {{LBN_SELCHANGE, kList}}},
        NotifyCase{"SetCurSelOfAListBoxIsSilent",
                   [](CRecorderDlg& d) { return Item<CListBox>(d, kList).SetCurSel(1) == 1; }, true, {}},
        NotifyCase{"TickingACheckList",
                   [](CRecorderDlg& d) {
                     Item<CCheckListBox>(d, kCheckList).ToggleAsUser(1);
                     return Item<CCheckListBox>(d, kCheckList).GetCheck(1) == BST_CHECKED;
                   },
                   true, {{CLBN_CHKCHANGE, kCheckList}}},
        NotifyCase{"SetCheckOfACheckListIsSilent",
                   [](CRecorderDlg& d) {
                     Item<CCheckListBox>(d, kCheckList).SetCheck(0, BST_CHECKED);
                     return true;
                   },
                   true, {}},
        NotifyCase{"ChoosingATab",
                   [](CRecorderDlg& d) {
                     Item<CTabCtrl>(d, kTab).SelectAsUser(1);
                     return Item<CTabCtrl>(d, kTab).GetCurSel() == 1;
                   },
                   true, {{TCN_SELCHANGING, kTab}, {TCN_SELCHANGE, kTab}}},
        NotifyCase{"AVetoedTabChangeStays",
                   [](CRecorderDlg& d) {
                     d.m_VetoTab = TRUE;
                     Item<CTabCtrl>(d, kTab).SelectAsUser(1);
                     return Item<CTabCtrl>(d, kTab).GetCurSel() == 1;
                   },
                   false, {{TCN_SELCHANGING, kTab}}},
        NotifyCase{"SetCurSelOfATabIsSilent",
                   [](CRecorderDlg& d) { return Item<CTabCtrl>(d, kTab).SetCurSel(1) == 0; }, true, {}},
        NotifyCase{"SpinArrowMovesAndWritesItsBuddy",
                   [](CRecorderDlg& d) {
                     Item<CSpinButtonCtrl>(d, kSpin).StepAsUser(1);
                     return Item<CSpinButtonCtrl>(d, kSpin).GetPos32() == 1 && ui::TextOf(d, kSpinBuddy) == u"1";
                   },
                   true, {{UDN_DELTAPOS, kSpin}, {EN_CHANGE, kSpinBuddy}}},
        NotifyCase{"SpinArrowStartsFromTheNumberTypedInItsBuddy",
                   [](CRecorderDlg& d) {
                     ui::Type(d, kSpinBuddy, u"7");
                     d.m_Seen.clear();
                     Item<CSpinButtonCtrl>(d, kSpin).StepAsUser(-1);
                     return Item<CSpinButtonCtrl>(d, kSpin).GetPos32() == 6 && ui::TextOf(d, kSpinBuddy) == u"6";
                   },
                   true, {{UDN_DELTAPOS, kSpin}, {EN_CHANGE, kSpinBuddy}}},
        NotifyCase{"ChangingTheDate",
                   [](CRecorderDlg& d) {
                     SYSTEMTIME st;
                     st.wYear = 1999;
                     st.wMonth = 1;
                     st.wDay = 5;
                     Item<CDateTimeCtrl>(d, kDate).SetTimeAsUser(st);
                     SYSTEMTIME back;
                     Item<CDateTimeCtrl>(d, kDate).GetTime(&back);
                     return back.wYear == 1999 && back.wMonth == 1 && back.wDay == 5 && back.wDayOfWeek == 2;
                   },
                   true, {{DTN_DATETIMECHANGE, kDate}}},
        NotifyCase{"SetTimeIsSilent",
                   [](CRecorderDlg& d) {
                     SYSTEMTIME st;
                     st.wYear = 1999;
                     st.wMonth = 1;
                     st.wDay = 31;
                     return Item<CDateTimeCtrl>(d, kDate).SetTime(&st) == TRUE;
                   },
                   true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A control that handles its own change notification (reflection) keeps only
// ASCII letters; setting the text from the handler notifies again, as on the
// platform, and the parent hears nothing.
class CLettersEdit : public CEdit {
 public:
  int m_Changes = 0;
  afx_msg void OnChange() {
    ++m_Changes;
    CString text = GetWindowText();
    for (int i = 0; i < text.GetLength(); ++i) {
      char16_t ch = text[i];
      if (!((ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z'))) {
        text.Remove(ch);
        SetWindowText(text);
        return;
      }
    }
  }
  // Delete is swallowed; other keys keep their normal handling.
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (ch == VK_DELETE) return;
    CEdit::OnKeyDown(ch, repeat, flags);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLettersEdit, CEdit)
  ON_CONTROL_REFLECT(EN_CHANGE, &CLettersEdit::OnChange)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST(Reflection, TheControlHandlesItsOwnChangeAndTheParentHearsNothing) {
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CLettersEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(kEdit, &dlg));
  dlg.m_Seen.clear();
  ui::Type(dlg, kEdit, u"a b");   // the blank is taken out by the control itself
  EXPECT_EQ(ui::TextOf(dlg, kEdit), CString(u"ab"));
  ui::Type(dlg, kEdit, u"");
  edit.SetWindowText(u"x1 y2");
  EXPECT_EQ(edit.GetWindowText(), CString(u"xy"));
  EXPECT_TRUE(dlg.m_Seen.empty());
  EXPECT_GE(edit.m_Changes, 4);
}

TEST(Reflection, AKeyHandlerSwallowsOrPassesKeys) {
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CLettersEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(kEdit, &dlg));
  edit.SetWindowText(u"abc");
  edit.SetSel(0, 0);
  ui::PressKey(dlg, kEdit, VK_DELETE);
  EXPECT_EQ(edit.GetWindowText(), CString(u"abc"));
  edit.SetSel(3, 3);
  ui::PressKey(dlg, kEdit, VK_BACK);
  EXPECT_EQ(edit.GetWindowText(), CString(u"ab"));
}

// Counts the keys that pass PreTranslateMessage.
class CKeyCountDlg : public CRecorderDlg {
 public:
  int m_PreTranslated = 0;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) ++m_PreTranslated;
    return CRecorderDlg::PreTranslateMessage(msg);
  }
};

TEST(Reflection, KeysSentByTheProgramSkipPreTranslateButMeetTheControlsHandler) {
  CKeyCountDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CLettersEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(kEdit, &dlg));
  edit.SetWindowText(u"ab");
  edit.SetSel(2, 2);
  edit.SendMessage(WM_CHAR, u'c');
  EXPECT_EQ(edit.GetWindowText(), CString(u"abc"));
  edit.SetSel(0, 0);
  edit.SendMessage(WM_KEYDOWN, VK_DELETE);   // swallowed by the handler
  EXPECT_EQ(edit.GetWindowText(), CString(u"abc"));
  EXPECT_EQ(dlg.m_PreTranslated, 0);
  ui::PressKey(dlg, kEdit, VK_DELETE);        // a user's key passes PreTranslateMessage
  EXPECT_EQ(dlg.m_PreTranslated, 1);
}

TEST(Clipboard, PasteMessagesToAnEditInsertTheClipboardAtTheSelection) {
  RecordingUiHooks hooks;
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  auto* edit = dynamic_cast<CEdit*>(dlg.GetDlgItem(kEdit));
  edit->SetWindowText(u"[1]+[2]");
  edit->SetLimitText(9);
  edit->SetSel(3, 4);
  hooks.SetClipboard(u"*");
  edit->SendMessage(WM_PASTE);
  EXPECT_EQ(edit->GetWindowText(), CString(u"[1]*[2]"));
  edit->SetSel(7, 7);
  hooks.SetClipboard(u"-[3]");
  edit->SendMessage(WM_PASTE);   // cut to what the typing limit leaves room for
  EXPECT_EQ(edit->GetWindowText(), CString(u"[1]*[2]-["));
  edit->SetSel(0, 3);
  edit->SendMessage(WM_COPY);
  EXPECT_EQ(hooks.GetClipboardText(), CString(u"[1]"));
}

// Searches of combo and list items: after a start item, wrapping round once,
// without regard to case.
TEST(ItemSearch, FindsTheNextMatchAfterTheStartItem) {
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  auto& combo = Item<CComboBox>(dlg, kCombo);
  auto& list = Item<CListBox>(dlg, kList);
  combo.ResetContent();
  list.ResetContent();
  for (const char16_t* s : {u"Alpha", u"beta", u"ALPHABET"}) {
    combo.AddString(s);
    list.AddString(s);
  }
  struct Case {
    const char* name;
    int startAfter;
    const char16_t* text;
    int exact, prefix;
  };
  const Case cases[] = {
      {"from the top", -1, u"alpha", 0, 0},
      {"after the first match", 0, u"alpha", 0, 2},
      {"wraps round", 2, u"BETA", 1, 1},
      {"start beyond the end", 7, u"alphabet", 2, 2},
      {"no match", -1, u"gamma", CB_ERR, CB_ERR},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(combo.FindStringExact(c.startAfter, c.text), c.exact) << c.name;
    EXPECT_EQ(combo.FindString(c.startAfter, c.text), c.prefix) << c.name;
    EXPECT_EQ(list.FindStringExact(c.startAfter, c.text), c.exact) << c.name;
  }
  combo.ResetContent();
  list.ResetContent();
  EXPECT_EQ(combo.FindString(-1, u"a"), CB_ERR);
  EXPECT_EQ(list.FindStringExact(-1, u"a"), LB_ERR);
}

// Program text beyond the typing limit of a multi-line edit used to be put
// back to the previous text, losing it without a word.
TEST(TypingLimit, ProgramTextBeyondTheLimitOfAMultiLineEditStaysWhole) {
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  auto* memo = dynamic_cast<CEdit*>(dlg.GetDlgItem(kMemo));
  ASSERT_NE(memo, nullptr);
  memo->SetLimitText(5);
  memo->SetWindowText(u"一二三四五六七");
  EXPECT_EQ(memo->GetWindowText(), CString(u"一二三四五六七"));
  memo->SetSel(7, 7);
  ui::PressKey(dlg, kMemo, VK_BACK);   // shortening stays allowed
  EXPECT_EQ(memo->GetWindowText(), CString(u"一二三四五六"));
  ui::PressKey(dlg, kMemo, 'A');       // growing does not
  EXPECT_EQ(memo->GetWindowText(), CString(u"一二三四五六"));
}

TEST(Reflection, WhenTheMemberGoesAwayTheDialogsOwnObjectTakesOver) {
  CRecorderDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  {
    CLettersEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(kEdit, &dlg));
    EXPECT_EQ(dlg.GetDlgItem(kEdit), &edit);
  }
  CWnd* item = dlg.GetDlgItem(kEdit);
  ASSERT_NE(item, nullptr);
  EXPECT_NE(dynamic_cast<CEdit*>(item), nullptr);
  dlg.m_Seen.clear();
  item->SetWindowText(u"1");
  EXPECT_EQ(dlg.m_Seen, (std::vector<std::pair<int, int>>{{EN_CHANGE, kEdit}}));
}

}  // namespace
