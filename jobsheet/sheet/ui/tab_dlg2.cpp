#include "jobsheet/sheet/ui/tab_dlg2.h"

#include <ctime>

#include "app/tabro_client_app.h"
#include "res/tab_dlgs.h"

namespace {

constexpr int kMaxTitleChars = 32;

SYSTEMTIME Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  SYSTEMTIME s;
  s.wYear = static_cast<WORD>(local.tm_year + 1900);
  s.wMonth = static_cast<WORD>(local.tm_mon + 1);
  s.wDay = static_cast<WORD>(local.tm_mday);
  s.wDayOfWeek = static_cast<WORD>(local.tm_wday);
  s.wHour = static_cast<WORD>(local.tm_hour);
  s.wMinute = static_cast<WORD>(local.tm_min);
  s.wSecond = static_cast<WORD>(local.tm_sec);
  return s;
}

// Digits at [from, from + count) of text as a number; -1 when they are not all digits.
int DigitsAt(const CString& text, int from, int count) {
  if (text.GetLength() < from + count) return -1;
  int value = 0;
  for (int i = from; i < from + count; ++i) {
    const char16_t c = text[i];
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

CString DateTextOf(const SYSTEMTIME& t) { return CString::Build(u"%04d年%02d月%02d日", t.wYear, t.wMonth, t.wDay); }

BEGIN_MESSAGE_MAP(CTabDlg2, CDialogEx)
  ON_BN_CLICKED(res::IDC_TAB2_TITLE_FILE, &CTabDlg2::OnTitleFromFile)
  ON_BN_CLICKED(res::IDC_TAB2_TITLE_HIDDEN, &CTabDlg2::OnTitleHidden)
  ON_BN_CLICKED(res::IDC_TAB2_TITLE_SPECIFIED, &CTabDlg2::OnTitleSpecified)
  ON_EN_KILLFOCUS(res::IDC_TAB2_TITLE, &CTabDlg2::OnTitleKillFocus)
  ON_BN_CLICKED(res::IDC_TAB2_DATE_CREATED, &CTabDlg2::OnDateCreated)
  ON_BN_CLICKED(res::IDC_TAB2_DATE_HIDDEN, &CTabDlg2::OnDateHidden)
  ON_BN_CLICKED(res::IDC_TAB2_DATE_SPECIFIED, &CTabDlg2::OnDateSpecified)
  ON_NOTIFY(DTN_DATETIMECHANGE, res::IDC_TAB2_DATE, &CTabDlg2::OnDateTimeChange)
  ON_BN_CLICKED(res::IDC_TAB2_HIDEPAGE, &CTabDlg2::OnHidePageNumber)
  ON_BN_CLICKED(res::IDC_TAB2_HIDEFIELDNAME, &CTabDlg2::OnHideFieldName)
  ON_BN_CLICKED(res::IDC_TAB2_HIDEERR, &CTabDlg2::OnHideErrors)
END_MESSAGE_MAP()

CTabDlg2::CTabDlg2(CWnd* parent) : CDialogEx(res::IDD_TAB_DLG2, parent) {}

void CTabDlg2::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_TAB2_TITLE, m_TitleEdit);
  DDX_Control(pDX, res::IDC_TAB2_DATE, m_DatePicker);
  DDX_Control(pDX, res::IDC_TAB2_HIDEPAGE, m_HidePageCheck);
  DDX_Control(pDX, res::IDC_TAB2_HIDEERR, m_HideErrCheck);
  DDX_Control(pDX, res::IDC_TAB2_HIDEFIELDNAME, m_HideFieldNameCheck);
  DDX_Radio(pDX, res::IDC_TAB2_TITLE_FILE, m_TitleRadio);
  DDX_Radio(pDX, res::IDC_TAB2_DATE_CREATED, m_DateRadio);
}

BOOL CTabDlg2::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
  return CDialogEx::PreTranslateMessage(msg);
}

BOOL CTabDlg2::OnInitDialog() {
  CDialogEx::OnInitDialog();
  UpdateData(TRUE);
  m_TitleRadio = m_DateRadio = 0;
  m_TitleEdit.EnableWindow(FALSE);
  m_DatePicker.EnableWindow(FALSE);
  m_HideBits = m_HideErr = m_HideFieldName = 0;
  m_TitleSpecified = 0;
  UpdateData(FALSE);
  return TRUE;
}

uint8_t CTabDlg2::PageBit() const { return m_HidePageCheck.GetCheck() == BST_CHECKED ? 1 : 0; }

void CTabDlg2::OnTitleFromFile() {
  UpdateData(TRUE);
  m_TitleRadio = 0;
  m_HideTitleName = 0;
  m_Title.Empty();
  m_TitleEdit.EnableWindow(FALSE);
  m_TitleSpecified = 0;
  UpdateData(FALSE);
}

void CTabDlg2::OnTitleHidden() {
  UpdateData(TRUE);
  m_TitleRadio = 1;
  m_HideTitleName = 1;
  m_Title.Empty();
  m_TitleEdit.EnableWindow(FALSE);
  m_TitleSpecified = 0;
  UpdateData(FALSE);
}

void CTabDlg2::OnTitleSpecified() {
  UpdateData(TRUE);
  m_TitleRadio = 2;
  m_HideTitleName = 0;
  m_TitleEdit.EnableWindow(TRUE);
  m_TitleSpecified = 1;
  m_Title = m_TitleEdit.GetWindowText();
  UpdateData(FALSE);
}

bool TitleFits(const CString& title) {
  if (title.GetLength() <= kMaxTitleChars) return true;
  theApp.DoMessageBox(CString(u"タイトル名は32文字以内に設定して下さい。"), MB_OK);
  return false;
}

void CTabDlg2::OnTitleKillFocus() {
  m_Title = m_TitleEdit.GetWindowText();
  // Leaving for キャンセル: the user gives the page up, so a title too long is
  // dropped without a box (a box there would also swallow the click).
  const CWnd* next = CWnd::GetFocus();
  if (next && next->GetDlgCtrlID() == IDCANCEL && m_Title.GetLength() > kMaxTitleChars) {
    m_Title.Empty();
    return;
  }
  if (!TitleFits(m_Title)) {
    m_Title.Empty();
    m_TitleEdit.SetFocus();
  }
}

void CTabDlg2::OnDateCreated() {
  UpdateData(TRUE);
  m_DateRadio = 0;
  m_HideBits = PageBit();
  m_Date.Empty();
  m_DatePicker.EnableWindow(FALSE);
  UpdateData(FALSE);
}

void CTabDlg2::OnDateHidden() {
  UpdateData(TRUE);
  m_DateRadio = 1;
  m_HideBits = static_cast<uint8_t>(PageBit() + 2);
  m_Date.Empty();
  m_DatePicker.EnableWindow(FALSE);
  UpdateData(FALSE);
}

void CTabDlg2::OnDateSpecified() {
  UpdateData(TRUE);
  m_DateRadio = 2;
  m_HideBits = PageBit();
  SYSTEMTIME t;
  m_DatePicker.GetTime(&t);
  m_Date = DateTextOf(t);
  m_DatePicker.EnableWindow(TRUE);
  UpdateData(FALSE);
}

void CTabDlg2::OnDateTimeChange(NMHDR*, LRESULT* result) {
  SYSTEMTIME t;
  m_DatePicker.GetTime(&t);
  m_Date = DateTextOf(t);
  if (result) *result = 0;
}

void CTabDlg2::OnHidePageNumber() {
  const bool hidden = m_DateRadio == 1;
  m_HideBits = PageBit() ? (hidden ? 3 : 1) : (hidden ? 2 : 0);
}

void CTabDlg2::OnHideFieldName() { m_HideFieldName = m_HideFieldNameCheck.GetCheck() == BST_CHECKED ? 1 : 0; }
void CTabDlg2::OnHideErrors() { m_HideErr = m_HideErrCheck.GetCheck() == BST_CHECKED ? 1 : 0; }

void CTabDlg2::LoadFrom() {
  UpdateData(TRUE);
  if (m_HideTitleName) {
    m_TitleRadio = 1;
  } else if (m_Title.IsEmpty()) {
    m_TitleRadio = 0;
  } else {
    m_TitleRadio = 2;
    m_TitleEdit.EnableWindow(TRUE);
    m_TitleEdit.SetWindowText(m_Title);
  }
  m_HidePageCheck.SetCheck((m_HideBits & 1) ? BST_CHECKED : BST_UNCHECKED);
  if (m_HideBits & 2) {
    m_DateRadio = 1;
    m_DatePicker.EnableWindow(FALSE);
  } else if (m_Date.IsEmpty()) {
    m_DateRadio = 0;
    m_DatePicker.EnableWindow(FALSE);
  } else {
    // A stored text that is no real day leaves the picker where it was.
    const int year = DigitsAt(m_Date, 0, 4);
    const int month = DigitsAt(m_Date, 5, 2);
    const int day = DigitsAt(m_Date, 8, 2);
    if (year >= 1900 && month >= 1 && month <= 12 && day >= 1 && day <= 31) {
      SYSTEMTIME t;
      t.wYear = static_cast<WORD>(year);
      t.wMonth = static_cast<WORD>(month);
      t.wDay = static_cast<WORD>(day);
      m_DatePicker.SetTime(&t);
    }
    m_DateRadio = 2;
    m_DatePicker.EnableWindow(TRUE);
  }
  m_HideErrCheck.SetCheck(m_HideErr ? BST_CHECKED : BST_UNCHECKED);
  m_HideFieldNameCheck.SetCheck(m_HideFieldName ? BST_CHECKED : BST_UNCHECKED);
  UpdateData(FALSE);
}

void CTabDlg2::Reset() {
  m_Title.Empty();
  m_TitleEdit.SetWindowText(CString());
  m_HidePageCheck.SetCheck(BST_UNCHECKED);
  const SYSTEMTIME now = Now();
  m_DatePicker.SetTime(&now);
  OnTitleFromFile();
}
