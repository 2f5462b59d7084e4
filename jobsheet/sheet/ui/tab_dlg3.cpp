#include "jobsheet/sheet/ui/tab_dlg3.h"

#include "res/tab_dlgs.h"

namespace {
constexpr int kMaxPasswordChars = 32;
}

BEGIN_MESSAGE_MAP(CTabDlg3, CDialogEx)
  ON_EN_KILLFOCUS(res::IDC_TAB3_READ_PASSWORD, &CTabDlg3::OnReadPasswordKillFocus)
  ON_EN_KILLFOCUS(res::IDC_TAB3_EDIT_PASSWORD, &CTabDlg3::OnEditPasswordKillFocus)
  ON_BN_CLICKED(res::IDC_TAB3_SHOW, &CTabDlg3::OnShowPassword)
END_MESSAGE_MAP()

CTabDlg3::CTabDlg3(CWnd* parent) : CDialogEx(res::IDD_TAB_DLG3, parent) {}

void CTabDlg3::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_TAB3_READ_PASSWORD, m_ReadPasswordEdit);
  DDX_Control(pDX, res::IDC_TAB3_EDIT_PASSWORD, m_EditPasswordEdit);
  DDX_Check(pDX, res::IDC_TAB3_SHOW, m_ShowPassword);
}

BOOL CTabDlg3::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
  return CDialogEx::PreTranslateMessage(msg);
}

BOOL CTabDlg3::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_ReadPasswordEdit.SetLimitText(kMaxPasswordChars);
  m_EditPasswordEdit.SetLimitText(kMaxPasswordChars);
  m_ReadPasswordEdit.EnableWindow(TRUE);
  return TRUE;
}

void CTabDlg3::OnReadPasswordKillFocus() { m_UserPasswd = m_ReadPasswordEdit.GetWindowText(); }
void CTabDlg3::OnEditPasswordKillFocus() { m_OwnerPasswd = m_EditPasswordEdit.GetWindowText(); }

void CTabDlg3::LoadFrom(OutputFormat f) {
  UpdateData(TRUE);
  m_ReadPasswordEdit.SetWindowText(m_UserPasswd);
  m_EditPasswordEdit.SetWindowText(m_OwnerPasswd);
  m_ReadPasswordEdit.EnableWindow(f != OutputFormat::kExcel);
  UpdateData(FALSE);
}

void CTabDlg3::OnShowPassword() {
  UpdateData(TRUE);
  const char16_t mask = m_ShowPassword ? u'\0' : u'*';
  m_ReadPasswordEdit.SetPasswordChar(mask);
  m_EditPasswordEdit.SetPasswordChar(mask);
  m_ReadPasswordEdit.Invalidate();
  m_EditPasswordEdit.Invalidate();
  UpdateData(FALSE);
}
