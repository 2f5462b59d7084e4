#pragma once
// CTabDlg3 (dialog 471, "セキュリティ"): read and edit passwords of the
// document, printable ASCII only, at most 32 characters each.

#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/ui/edit_check.h"
#include "platform/ui/dialog.h"

class CTabDlg3 : public CDialogEx {
 public:
  explicit CTabDlg3(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  // Enter and Esc stay with the focused control: this dialog has no OK or Cancel.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Shows the passwords; the read password cannot be set for Excel output (f 1).
  void LoadFrom(OutputFormat f);

  CEditCheck m_ReadPasswordEdit;
  CEditCheck m_EditPasswordEdit;
  CString m_UserPasswd;
  CString m_OwnerPasswd;
  int m_ShowPassword = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnReadPasswordKillFocus();
  afx_msg void OnEditPasswordKillFocus();
  afx_msg void OnShowPassword();
};
