#pragma once
// CFieldSelectDaialog: which columns the CSV page shows and in which order. It
// works on copies of the page's displayed and deleted column lists; nothing goes
// back to the caller unless OK was pressed and GetColumns is called.
//
// A record whose source column lies beyond the edit grid's columns is a row-total
// column of the page, labelled "横計".

#include <vector>

#include "jobsheet/sheet/coldata.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CFieldSelectDaialog : public CDialogEx {
 public:
  explicit CFieldSelectDaialog(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  // Before DoModal: appends copies of the lists and of the header texts (by
  // 0-based data column). With 256 records or more in both lists together the
  // deleted list starts empty.
  void SetColumns(const std::vector<COLDATA>& used, const std::vector<COLDATA>& deleted,
                  const std::vector<CString>& names);
  // After OK: the caller's lists become the dialog's; returns the displayed count.
  int GetColumns(std::vector<COLDATA>& used, std::vector<COLDATA>& deleted) const;

  BOOL OnInitDialog() override;

  std::vector<COLDATA> m_Used;
  std::vector<COLDATA> m_Deleted;
  std::vector<CString> m_ColumnNames;
  CListBox m_UsedList;
  CListBox m_DeletedList;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnDelete();
  afx_msg void OnAdd();
  afx_msg void OnUp();
  afx_msg void OnDown();
  // The label of a record taken off the display: its data column's header text.
  CString DeletedLabel(const COLDATA& column) const;
  void Move(int step);
};
