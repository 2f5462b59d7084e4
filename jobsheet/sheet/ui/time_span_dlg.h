#pragma once
// CTimeSpanDlg: asks for the minutes to leave out of a new time difference.
// The box always opens with "0"; after OK m_Minutes holds its digits.

#include "platform/ui/dialog.h"

class CTimeSpanDlg : public CDialogEx {
 public:
  explicit CTimeSpanDlg(CWnd* parent = nullptr);
  BOOL OnInitDialog() override;

  CString m_Minutes;   // digits only, at most 10

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
