#pragma once
// CListCtrlEx: a report list whose header, CHeaderListCtrlEx, paints its own
// cells on a flat background and can highlight columns. The owner sets the
// public members directly and repaints the header.
//
// Header background: the button-face colour when m_HeaderBackMode is 1, else
// RGB(204, 201, 184). Highlighted cells are RGB(0, 191, 255):
//   mode 0: the one column m_HighlightCol (-1: none);
//   mode 1: the columns between m_HighlightCol and m_HighlightEnd, ends
//           included, in either order; nothing when an end is negative;
//   mode 2: the columns in m_HighlightList.
// Texts are centred on one line in the header's font, without separators or
// sort arrows.

#include <vector>

#include "platform/ui/list_ctrl.h"

class CListCtrlEx;

class CHeaderListCtrlEx : public CHeaderCtrl {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  afx_msg void OnPaint();

  // The list whose members decide the painting (set when the list subclasses the header).
  CListCtrlEx* m_pList = nullptr;
};

class CListCtrlEx : public CListCtrl {
 public:
  CListCtrlEx() = default;

  static constexpr COLORREF kHeaderBackColor = RGB(204, 201, 184);
  static constexpr COLORREF kHighlightColor = RGB(0, 191, 255);

  int m_HeaderBackMode = -1;
  int m_HighlightMode = 0;
  int m_HighlightCol = -1;
  int m_HighlightEnd = -1;
  std::vector<int> m_HighlightList;
  CHeaderListCtrlEx m_Header;

  // The colour a header cell is filled with, or CLR_NONE when it is left to the background.
  COLORREF HeaderCellColor(int column) const;
  COLORREF HeaderBackColor() const;

 protected:
  void PreSubclassWindow() override;
};
