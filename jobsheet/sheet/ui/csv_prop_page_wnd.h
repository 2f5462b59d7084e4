#pragma once
// CCsvPropPageWnd: the window of the CSV edit page, template 470.
//
// It shows the page object (jobsheet/sheet/csv_prop_page.h), which keeps the
// data and the logic and lives before and after the window; every user action
// goes to the page object's operations and the window then shows the result.
// The grid list is an owner-data list over the edit grid, so 3000 rows by 266
// columns cost nothing until they are painted.

#include <array>

#include "app/csv_page_grids.h"
#include "app/ui/mfc_button_ex.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/ui/csv_list_ctrls.h"
#include "jobsheet/sheet/ui/csv_sheet_page.h"
#include "platform/ui/ui.h"

class CCsvPropPageWnd : public CCsvSheetPage {
 public:
  explicit CCsvPropPageWnd(CCsvPropPage& page);
  ~CCsvPropPageWnd() override;

  CCsvPropPage& m_Page;
  CCsvPropPage& Page() override { return m_Page; }

  CCsvEditCsvBodyListCtrl m_GridList;
  CCsvEditCsvRowListCtrl m_RowList;
  CEdit m_EditCell;
  std::array<CMFCButtonEx, 20> m_Buttons;   // the command buttons, in kCommandButtons order
  CButton m_BtnClear;
  CBrush m_BrushGrey{RGB(230, 230, 230)};
  CBrush m_BrushWhite{RGB(255, 255, 255)};

  // Row and column under the list's colouring (also read by the lists).
  COLORREF GridCellColour(int row, int subitem) const;
  COLORREF RowNumberColour(int item) const;
  COLORREF HeadingColour(int subitem) const;

  // The grid list rebuilt from the page's counts, headings rewritten.
  void FillGridList(int rows, int cols);
  void ClearGridList();
  // Row list for the grid's current top row (rebuilt when it changed).
  void SyncRowNumbers();
  // Captions of every column and the command buttons' states.
  void UpdateAllCaptions();
  void UpdateCommandButtons();
  // After any command: captions, buttons, row numbers and the grid.
  void RefreshAfterCommand();
  // The sheet's "全設定クリア": cleared as by "設定クリア", and shown again when active.
  void ResetToSource() override;
  // The grid cursor's routes (the lists call these).
  void MoveCursor(int direction);
  // Scrolls the grid sideways by whole columns until the cursor cell, moved
  // from list column before, is inside it.
  void KeepColumnInView(int row, int subitem, int before);
  void OnEditDelete();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnOK() override {}

  afx_msg void OnGridClick(NMHDR* hdr, LRESULT* result);
  afx_msg void OnGridDblClick(NMHDR* hdr, LRESULT* result);
  afx_msg void OnRowListClick(NMHDR* hdr, LRESULT* result);
  afx_msg void OnGridColumnClick(NMHDR* hdr, LRESULT* result);
  afx_msg void OnHeaderBeginTrack(NMHDR* hdr, LRESULT* result);
  afx_msg void OnCellEditChange();
  afx_msg void OnCellEditKillFocus();
  afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  afx_msg void OnEditCut();
  afx_msg void OnEditCopy();
  afx_msg void OnEditPaste();
  afx_msg void OnEditInsert();
  afx_msg void OnEditDeselect();
  afx_msg void OnSum();
  afx_msg void OnCount();
  afx_msg void OnAverage();
  afx_msg void OnCode39();
  afx_msg void OnQr();
  afx_msg void OnSeal();
  afx_msg void OnApprovalSeal();
  afx_msg void OnColor();
  afx_msg void OnSubjectTotal();
  afx_msg void OnGroupColumn();
  afx_msg void OnRowTotal();
  afx_msg void OnTimeSpan();
  afx_msg void OnCountBlankIncluded();
  afx_msg void OnCountBlankExcluded();
  afx_msg void OnCountBlankClear();
  afx_msg void OnFilter();
  afx_msg void OnSort();
  afx_msg void OnEditMode();
  afx_msg void OnColumnSelect();
  afx_msg void OnClearSettings();
  afx_msg void OnClipboardRead();
  afx_msg void OnDataHeader();
  afx_msg void OnPageBreak();
  afx_msg void RefreshColumnCaptions();
  DECLARE_MESSAGE_MAP()

 private:
  void SetupButtons();
  void ShowCellText();
  // Pops menu 270 at the bottom-right corner of a button.
  void ShowBlankMenu(int buttonId);
  void ShowValues();
  // The page read into the job and its state handed to the sheet.
  void HandBack();
  bool m_Filling = false;   // the cell editor is being set, not typed in
  int m_BuiltColumns = -1;  // data columns the grid list holds
};
