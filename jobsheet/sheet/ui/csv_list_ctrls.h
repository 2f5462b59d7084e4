#pragma once
// The CSV edit page's list controls: the cell grid, the row numbers beside it
// and the grid's column header. They hold no data: the texts come from the
// page's grids, the colours from its selection.

#include "platform/ui/ui.h"

class CCsvPropPageWnd;

// Colours of the page's lists.
inline constexpr COLORREF kCsvHighlightBlue = RGB(0, 191, 255);
inline constexpr COLORREF kCsvFrameBeige = RGB(204, 201, 184);
inline constexpr COLORREF kCsvSelectionGrey = RGB(224, 224, 224);
inline constexpr COLORREF kCsvTitleCyan = RGB(238, 255, 255);
inline constexpr COLORREF kCsvWhite = RGB(255, 255, 255);

class CCsvEditCsvHeaderListCtrl : public CHeaderCtrl {};

// The cell grid (control 1413). In-place label editing is not offered: the
// cell editor above the grid is the only way to change a cell.
class CCsvEditCsvBodyListCtrl : public CListCtrl {
 public:
  CCsvPropPageWnd* m_pPage = nullptr;
  CCsvEditCsvHeaderListCtrl m_Header;
  BOOL PreTranslateMessage(MSG* msg) override;
  afx_msg void OnCustomDraw(NMHDR* hdr, LRESULT* result);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()
};

// The row numbers (control 1083): 20 numbers for the grid's visible rows.
class CCsvEditCsvRowListCtrl : public CListCtrl {
 public:
  CCsvPropPageWnd* m_pPage = nullptr;
  CCsvEditCsvHeaderListCtrl m_Header;
  BOOL PreTranslateMessage(MSG* msg) override;
  afx_msg void OnCustomDraw(NMHDR* hdr, LRESULT* result);
  DECLARE_MESSAGE_MAP()
};

// Sort orders of selected indexes.
inline bool CompareIntDescending(int a, int b) { return a > b; }
inline bool CompareIntAscending(int a, int b) { return a < b; }
