#pragma once
// CTabDlg2 (dialog 135, "ヘッダー部編集"): title, date, page numbers, the
// field-name row and error display of the document header.

#include <cstdint>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

// Whether a title may be used; says so when it is too long (over 32 characters).
bool TitleFits(const CString& title);

class CTabDlg2 : public CDialogEx {
 public:
  explicit CTabDlg2(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  // Enter and Esc stay with the focused control: this dialog has no OK or Cancel.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Shows the members.
  void LoadFrom();
  // "全設定クリア": title emptied, page numbers shown, the picker on today, the
  // title taken from the file name.
  void Reset();

  int m_TitleRadio = 0;       // 0 file name, 1 hidden, 2 specified
  int m_DateRadio = 0;        // 0 created, 1 hidden, 2 specified
  CEdit m_TitleEdit;
  CDateTimeCtrl m_DatePicker;
  CButton m_HidePageCheck;
  CButton m_HideErrCheck;
  CButton m_HideFieldNameCheck;
  uint8_t m_HideFieldName = 0;
  uint8_t m_HideTitleName = 0;
  CString m_Title;
  uint8_t m_HideBits = 0;     // bit value 1 HidePage, 2 HideDate
  CString m_Date;             // "%04d年%02d月%02d日"
  uint8_t m_HideErr = 0;
  int m_TitleSpecified = 0;   // 1 while "タイトル指定" was chosen by its radio

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnTitleFromFile();
  afx_msg void OnTitleHidden();
  afx_msg void OnTitleSpecified();
  afx_msg void OnTitleKillFocus();
  afx_msg void OnDateCreated();
  afx_msg void OnDateHidden();
  afx_msg void OnDateSpecified();
  afx_msg void OnDateTimeChange(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnHidePageNumber();
  afx_msg void OnHideFieldName();
  afx_msg void OnHideErrors();
  uint8_t PageBit() const;
};

// The date text of a picked day: "%04d年%02d月%02d日".
CString DateTextOf(const SYSTEMTIME& t);
