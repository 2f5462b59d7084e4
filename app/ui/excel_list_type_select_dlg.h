#pragma once
// CExcelListTypeSelectDlg: the grouping of the Excel list sent at once by a
// Shift start. One of the two large buttons ends it with m_ListType 2
// ("まとめ表示する") or 3 ("まとめ表示しない"). Closed with Esc or the close box,
// m_ListType stays kNoListType: the user chose nothing, and the caller sends
// nothing. The dialog stays above other windows.

#include "platform/ui/dialog.h"

class CExcelListTypeSelectDlg : public CDialogEx {
 public:
  explicit CExcelListTypeSelectDlg(CWnd* parent = nullptr);

  static constexpr int kNoListType = 0;
  static constexpr int kGrouped = 2;
  static constexpr int kUngrouped = 3;

  int m_ListType = kNoListType;

  BOOL OnInitDialog() override;
  afx_msg void OnGrouped();
  afx_msg void OnUngrouped();

  DECLARE_MESSAGE_MAP()
};
