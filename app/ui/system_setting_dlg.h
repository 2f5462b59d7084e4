#pragma once
// CSystemSettingDlg: the connection settings of the web client (dialog 137).
// Everything is checked before anything changes; "TabroSystem.ini" is written
// only when something changed.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CSystemSettingDlg : public CDialogEx {
 public:
  CSystemSettingDlg();
  DECLARE_MESSAGE_MAP()

 public:
  int m_ModeRadio = 0;        // 0 the service site, 1 on-premises
  CString m_ServerText;
  int m_Timeout = 0;
  CEdit m_ServerEdit;
  CComboBox m_ProxyCombo;
  CButton m_SiteRadio;
  CButton m_OnpremisesRadio;
  CStatic m_ModeGroup;

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnModeChanged();
};
