#pragma once
// CUserSetting: the user settings dialog (dialog 143). Every control works on
// the dialog's own copies; OK hands them over (ApplyToApp for the settings the
// dialog owns, the members below for those the caller takes), Cancel drops
// them. Only "保存情報クリア" acts at once, after its own confirmation.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CUserSetting : public CDialogEx {
 public:
  explicit CUserSetting(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  // Preset by the caller, read after OK.
  int m_WatchMode = 0;          // 0 off, 1 on
  CString m_WatchFolderText;    // as typed, %NAME% kept
  // Read by the caller after OK.
  int m_StartPage = 0;
  int m_ServerConnect = 0;
  int m_ReuseJobs = 0;
  // The dialog's own settings, taken from theApp at start.
  int m_OutputIndex = 0;        // 0 custom, 1 Downloads, 2 Desktop, 3 Documents
  CString m_CustomFolder;       // text of the custom folder
  int m_NameMode = 0;           // SameFileNameOverWrite
  int m_ShiftRadio = 0;         // 0 grouped, 1 not grouped, 2 ask
  int m_TypeRadio = 0;          // 0 A4, 1 "TypeTX"
  bool m_TypeClicked = false;   // a default command of other tokens stays unless clicked

  CEdit m_WatchEdit;
  CButton m_WatchBrowse;
  CEdit m_CustomEdit;
  CComboBox m_OutputCombo;
  CButton m_OutputBrowse;
  CComboBox m_NameCombo;

  BOOL OnInitDialog() override;
  void OnOK() override;
  // The dialog's own settings into theApp (after OK).
  void ApplyToApp() const;
  // The folder stored for an output index (0: the custom text).
  CString OutputFolderOf(int index) const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void UpdateControlStates();
  afx_msg void OnOutputFolderChange();
  afx_msg void OnBrowseOutputFolder();
  afx_msg void OnBrowseWatchFolder();
  afx_msg void OnClearReuse();
  afx_msg void OnTypeClicked();
};
