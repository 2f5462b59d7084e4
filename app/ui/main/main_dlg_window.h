#pragma once
// The main dialog's window (dialog 102) and the About box (dialog 100). The
// window hands every user action to CTabroClientDlg, which keeps the input and
// the job; the dialog asks the window back through CMainDlgView.

#include "app/tabro_client_dlg.h"
#include "platform/ui/controls.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_button.h"

class CAutomationServer;

class CTabroClientDlgWnd : public CDialogEx, public CMainDlgView {
 public:
  // Runs the main window over dlg until it closes, as the automation server's
  // main window when there is one; the watch thread ends with it.
  static void RunMainDialog(CTabroClientDlg& dlg, CAutomationServer* automation);

  explicit CTabroClientDlgWnd(CTabroClientDlg& dlg, CWnd* parent = nullptr);
  ~CTabroClientDlgWnd() override;
  DECLARE_MESSAGE_MAP()

 public:
  CTabroClientDlg& m_Dlg;
  CMFCMenuButton m_SettingsButton;
  CMenu m_SettingsMenu;
  CBitmap m_hAppImage;   // the program's window image

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnOK() override;
  void OnCancel() override;

  // CMainDlgView
  void ShowButton(int id, bool show) override;
  void SetDropZoneText(const CString& text) override;
  void EndMainDialog(int result) override;
  void RunOnUiThread(const std::function<void()>& fn) override;
  void StartTimer(unsigned id, unsigned milliseconds) override;
  void KillTimer(unsigned id) override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnClose();
  afx_msg void OnDropFiles(HDROP drop);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnSelectFile();
  afx_msg void OnFromClipboard();
  afx_msg void OnLaunch();
  afx_msg void OnEditReuseJobs();
  afx_msg void OnUserSettings();
  afx_msg void OnSystemSettings();
  afx_msg void OnSettingsMenu();
  afx_msg void OnExit();
  void CloseIfAllowed(int result);
};

class CAboutDlg : public CDialogEx {
 public:
  CAboutDlg();
  BOOL OnInitDialog() override;
  CString m_Version;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
