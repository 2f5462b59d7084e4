#pragma once
// CSeelSkipDlg: a picture of one label sheet; a click on a label makes it the
// one where printing starts. The caller sets the start label, the layout, the
// numbering order and the sheet family; after OK m_StartLabel holds the choice.

#include <vector>

#include "jobsheet/sheet/label_grid.h"
#include "platform/ui/dialog.h"

class CSeelSkipDlg : public CDialog {
 public:
  explicit CSeelSkipDlg(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  // Fills m_Labels from the layout; nothing when across or down is below 1.
  void BuildLabelGrid();
  // The row and column texts of the first cell that carries label.
  void ShowStartCell(int label);
  // The cell a click lands on becomes the start cell; -1 when none does.
  int HitTest(CPoint point) const;

  int m_StartLabel = 0;
  int m_LabelsAcross = 0;
  int m_LabelsDown = 0;
  int m_NumberingOrder = 1;   // 1 along rows ("行毎"), 0 down columns ("列毎")
  int m_Maker = 0;            // 1 "ヒサゴ", 2 "エーワン"
  std::vector<SEELDATA> m_Labels;
  CString m_StartText;
  CString m_RowText;
  CString m_ColText;
  CString m_OrderText;
  CString m_MakerText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  void DrawLabels(CDC& dc);
};
