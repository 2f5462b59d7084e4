#pragma once
// COverlapList: "再利用ジョブ選択", the choice among the stored jobs of the input's
// base name. After OK, m_NewRequested says whether "新規作成" was pressed, and
// m_Selected is the row clicked last (0 when no row was clicked, -1 when a click hit
// no row).

#include <vector>

#include "jobsheet/reuse/reuse_command.h"
#include "jobsheet/reuse/ui/reuse_job_list.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class COverlapList : public CDialogEx {
 public:
  explicit COverlapList(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  CString m_CsvName;                                      // shown, at most 100 characters
  const std::vector<REUSECOMMAND_SAMECSVFILE>* m_Jobs = nullptr;  // not owned
  int m_JobCount = 0;
  int m_Selected = 0;
  int m_NewRequested = 0;
  std::vector<CString> m_FormatTexts;                     // one badge text per row

  CReuseSelectBodyListCtrl m_List;
  CButton m_OkButton;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnClickList(NMHDR* hdr, LRESULT* result);
  afx_msg void OnDblClkList(NMHDR* hdr, LRESULT* result);
  afx_msg void OnChooseButton();
  afx_msg void OnNewJob();
};
