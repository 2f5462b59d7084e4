#pragma once
// The join editor's column lists: each is a report list and at the same time a
// drawing object on the editor's surface, which the user moves by its header.
// Links are drawn by dragging a row of one list onto a row of another.

#include <memory>

#include "edittools/join/join_records.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_ctrl.h"

class CAddcsvView;

// Marks of the lists' flag cells.
inline constexpr char16_t kDiscardMark[] = u"✖";   // "廃棄": the column is not output
inline constexpr char16_t kKeyMark[] = u"―";       // "廃棄": a key column
inline constexpr char16_t kMinusMark[] = u"▲";     // "ﾏｲﾅｽ値": the position gets "-"
inline constexpr int kDiscardColumn = 2;            // "廃棄" of lists 1 and 2
inline constexpr int kMinusColumn = 3;              // "ﾏｲﾅｽ値" of list 3

// The header of a column list, painted in the list's colours. A press on it
// moves the list (through the editor's select tool), except a press without
// Shift next to the right edge of the first or second column, which resizes
// that column.
class CDrawHeaderListCtrl : public CHeaderCtrl {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);

  int m_ListNo = -1;
  CAddcsvView* m_pView = nullptr;
  CWnd* m_pList = nullptr;
};

// A list as a drawing object: its rectangle on the editor, selection and handle.
class CDrawObj : public CListCtrl {
 public:
  // One handle: the top-left corner.
  virtual int HandleCount() const { return 1; }
  // Point of handle 1 to 8, clockwise from the top-left corner.
  virtual CPoint HandlePoint(int handle) const;
  // Handle under point (selected) or 1 inside the rectangle (not selected); 0 none.
  // mode 10 or more: two or more lists are selected, corner handles are skipped.
  virtual int HitTest(CPoint point, int mode) const;
  virtual bool Intersects(const CRect& rect) const;
  // Moves the edges of a handle to point and resizes the window.
  virtual void MoveHandleTo(int handle, CPoint point);
  void MoveTo(const CRect& position);

  CRect m_position;       // on the editor, in its client coordinates
  CRect m_startPosition;  // at the start of a move
  bool m_selected = false;
  int m_ListNo = -1;
  CAddcsvView* m_pView = nullptr;
};

class CDrawList : public CDrawObj {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  // Makes the list's window with its header at rect on the editor.
  BOOL CreateList(CAddcsvView* view, int listNo, const CRect& rect, UINT id);

  // Builds the link of the finished drag onto target, checks it and stores it.
  void MakeLink(CDrawList* target);
  // 0 accepted, else the refusal (its message shown): -1 a field already linked,
  // -2 wrong chaining, -3 array full.
  int ValidateLink(int array, const ALIGN& link);
  // Row under a point of the editor's client area; -1 none.
  int RowAt(CPoint viewPoint) const;
  // Vertical middle of a row in the editor's client coordinates.
  int RowMiddle(int row) const;

  bool m_Dragging = false;
  int m_DragItem = -1;
  int m_DropItem = -1;
  CDrawList* m_DragSource = nullptr;
  std::unique_ptr<CImageList> m_DragImage;
  CDrawHeaderListCtrl m_Header;

 protected:
  afx_msg void OnBeginDrag(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnDblClk(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnVScroll(UINT sbCode, UINT pos, CScrollBar* bar);

 private:
  void SetDropRow(CDrawList* list, int row);
  void EndRowDrag();
  CDrawList* m_DropList = nullptr;
};
