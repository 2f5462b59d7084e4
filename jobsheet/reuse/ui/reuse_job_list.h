#pragma once
// The owner-drawn job lists of the reusable-job dialogs: rows filled white (the
// selected one in the highlight colour with white text), an output-kind badge in
// one column, a light grey header. The choice dialog and the editor differ in the
// badge column, the column alignments and where a row's kind comes from.

#include <functional>

#include "platform/ui/list_ctrl.h"

// Draws the badge of an output kind ("PDF", "EXCEL", "CSV", "CSV-SJIS", "CSV-UTF8")
// into a 42 x 16 box at the top left of rect: the word in a frame with curved
// corners on white, PDF in red, Excel in green, the CSV kinds black in green.
// Any other kind draws nothing.
void DrawJobBadge(CDC* dc, const CRect& rect, const CString& kind);

class CReuseJobHeader : public CHeaderCtrl {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  afx_msg void OnPaint();
  int m_LeftAlignedColumn = -1;   // the one caption drawn left-aligned, -1 none
};

class CReuseJobList : public CListCtrl {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  // Draws one cell as the owner: called for every cell while the list paints.
  void DrawCell(CDC* dc, int row, int column, const CRect& cell, bool selected);

  int m_BadgeColumn = 0;               // the column that shows the badge
  int m_CenteredColumns[2] = {-1, -1}; // columns drawn centred
  std::function<CString(int row)> m_BadgeOf;  // the badge text of a row
  CReuseJobHeader m_Header;

 protected:
  void PreSubclassWindow() override;
  afx_msg void OnCustomDraw(NMHDR* hdr, LRESULT* result);
};

// The list of the job choice: badge in column 0; columns 3 and 5 centred; the
// header's column 2 left-aligned.
class CReuseSelectBodyListCtrl : public CReuseJobList {
 public:
  CReuseSelectBodyListCtrl() {
    m_BadgeColumn = 0;
    m_CenteredColumns[0] = 3;
    m_CenteredColumns[1] = 5;
    m_Header.m_LeftAlignedColumn = 2;
  }
};

// The list of the editor: badge in column 1; every column left-aligned; every
// header caption centred.
class CReuseBodyListCtrl : public CReuseJobList {
 public:
  CReuseBodyListCtrl() { m_BadgeColumn = 1; }
};
