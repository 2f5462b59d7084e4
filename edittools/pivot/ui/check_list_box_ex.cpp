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
  const int before = GetCurSel();
  const bool onSquare = square.PtInRect(point) != FALSE;
  if (!onSquare) {
    SetCheck(index, GetCheck(index) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    Invalidate();
  } else {
    // A press on the check box selects its entry too, before the box toggles.
    SetCurSel(index);
  }
  CCheckListBox::OnLButtonDown(flags, point);
  // Our own toggle is the user's: the parent hears of it even when the
  // selection stayed where it was.
  if (!onSquare && before == index) {
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), 0);
  }
  m_ClickGuard = 0;
}

void CCheckListBoxEx::OnLButtonDblClk(UINT, CPoint) {}
