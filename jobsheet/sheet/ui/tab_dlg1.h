#pragma once
// CTabDlg1 (dialog 133, "特殊設定"): line numbers, grey band, totals only,
// graph and date format of the document.

#include <cstdint>

#include "jobsheet/command/job_setting.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CTabDlg1 : public CDialogEx {
 public:
  explicit CTabDlg1(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  // Shows the members for a job of kind k, sub-kind s, whose CSV page carries
  // codes (theApp.m_EditCols of them) and subject column c, output format f.
  void LoadFrom(int k, int s, const int* codes, int c, OutputFormat f);
  // Selects the graph-type entry of m_GraphType (entry 0 when none matches).
  void SelectGraphType();
  // Enables or disables the graph's radios and group box; the type list only for
  // graph kinds 2 and 3 when enabling.
  void EnableGraphChoice(bool enable);

  CButton m_NumberingCheck;
  CButton m_GraybandCheck;
  CButton m_HideDetailCheck;
  CButton m_GraphCheck;
  CComboBox m_GraphTypeCombo;
  CComboBox m_DateFormatCombo;
  uint8_t m_Numbering = 0;
  uint8_t m_Grayband = 0;
  uint8_t m_HideDetail = 0;
  uint8_t m_Graph = 0;        // 0 none, 1 Graph, 2 GraphSum, 3 GraphGrp
  CString m_GraphType;        // "", "Bar", "Lin", "Pai", "Prt"
  int m_GraphRadio = 0;
  int m_DocKind = 0;
  int m_SubKind = 0;
  int m_DateFormat = 0;
  uint8_t m_HasSum = 0;       // one of the columns carries the "Sum=" code
  CButton m_GraphAuto;
  CButton m_GraphTotal;
  CButton m_GraphGroup;
  CButton m_GraphBox;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnNumbering();
  afx_msg void OnGrayband();
  afx_msg void OnHideDetail();
  afx_msg void OnDateFormatChange();
  afx_msg void OnGraph();
  afx_msg void OnGraphAuto();
  afx_msg void OnGraphTotal();
  afx_msg void OnGraphGroup();
  afx_msg void OnGraphTypeChange();
  void ChooseGraph(int radio);
};
