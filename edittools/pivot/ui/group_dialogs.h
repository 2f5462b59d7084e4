#pragma once
// CGropDate and CGropTime: how the values of a date or a time level are grouped.
// The caller presets the members and reads them back after IDOK.

#include "platform/ui/dialog.h"

class CGropDate : public CDialogEx {
 public:
  explicit CGropDate(CWnd* parent = nullptr);
  int m_Unit = 0;        // 0 none, 1 fiscal year, 2 half, 3 quarter, 4 month, 5 weekday
  int m_FirstMonth = 1;  // first month of the fiscal year, 1 to 12

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnDeltaPos(NMHDR* hdr, LRESULT* result);

  DECLARE_MESSAGE_MAP()
};

class CGropTime : public CDialogEx {
 public:
  explicit CGropTime(CWnd* parent = nullptr);
  int m_Unit = 0;  // 0 none, 1 morning and afternoon, 2 hour

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
