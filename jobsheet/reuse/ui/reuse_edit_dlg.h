#pragma once
// CReuseEditDlg: "再利用ジョブ編集", the editor of every stored job. It works on a
// snapshot of the job list taken when it opens; only OK writes the changes back
// and saves and reloads the list.

#include <cstdint>
#include <vector>

#include "jobsheet/reuse/ui/reuse_job_list.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CReuseEditDlg : public CDialogEx {
 public:
  explicit CReuseEditDlg(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  // Work lists, entry i for job i of the list as it was when the dialog opened.
  std::vector<CString> m_CsvFiles, m_JobNames, m_Commands, m_OutputKinds, m_ToolOrders;
  std::vector<uint8_t> m_LockedFlags;
  std::vector<uint8_t> m_DeletedFlags;
  int m_RowCount = 0;
  int m_SelRow = -1;       // list position of the selected row, -1 none
  int m_SortOrder = 0;     // 0 by base name then job name, 1 the list's own order
  CString m_EditName;      // at most 100 characters
  int m_LockCheck = 0;

  CReuseBodyListCtrl m_List;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnClickList(NMHDR* hdr, LRESULT* result);
  afx_msg void OnNameChanged();
  afx_msg void OnLockClicked();
  afx_msg void OnOrderClicked();
  afx_msg void OnDeleteRow();

 private:
  void FillList();
  void ClearSelection();
  void SelectRow(int row);
  void EnableRowControls(BOOL enable);
  int JobOfRow(int row) const;
};
