#pragma once
// CFilterDlg: edits one row condition of the CSV page. The caller presets
// m_Filter and takes it after OK. Outside edit mode, characters the condition
// may not carry are refused with a message and the dialog stays open.

#include "platform/ui/dialog.h"

class CFilterDlg : public CDialogEx {
 public:
  explicit CFilterDlg(CWnd* parent = nullptr);

  CString m_Filter;   // at most 100 characters

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
