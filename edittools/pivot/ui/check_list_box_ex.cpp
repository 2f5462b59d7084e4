#include "edittools/pivot/ui/check_list_box_ex.h"

namespace {
constexpr int kCheckSquare = 16;  // the check box at an entry's top-left corner
}

BEGIN_MESSAGE_MAP(CCheckListBoxEx, CCheckListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CCheckListBoxEx::OnLButtonDown(UINT flags, CPoint point) {
  if (m_ClickGuard) return;
  m_ClickGuard = 1;
  BOOL outside = TRUE;
  const int index = static_cast<int>(ItemFromPoint(point, outside));
  if (outside || index < 0 || index >= GetCount()) {
    m_ClickGuard = 0;
    return;
  }
  CRect entry;
  GetItemRect(index, &entry);
  const CRect square(entry.left, entry.top, entry.left + kCheckSquare, entry.top + kCheckSquare);
  if (!square.PtInRect(point)) {
    SetCheck(index, GetCheck(index) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    Invalidate();
  }
  CCheckListBox::OnLButtonDown(flags, point);
  m_ClickGuard = 0;
}

void CCheckListBoxEx::OnLButtonDblClk(UINT, CPoint) {}
