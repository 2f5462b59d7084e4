// The menu button.

#include "platform/ui/menu_button.h"

#include <QPoint>
#include <QWidget>

BEGIN_MESSAGE_MAP(CMFCMenuButton, CMFCButton)
  ON_CONTROL_REFLECT(BN_CLICKED, &CMFCMenuButton::OnClicked)
END_MESSAGE_MAP()

void CMFCMenuButton::OnClicked() {
  m_nMenuResult = 0;
  if (m_hMenu && m_hWnd) {
    QPoint below = m_hWnd->mapToGlobal(QPoint(0, m_hWnd->height()));
    m_nMenuResult = static_cast<int>(m_hMenu->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, below.x(), below.y(), this));
  }
  // The parent hears the click once the menu closed.
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), BN_CLICKED),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CMFCMenuButton::OnDraw(CDC* dc, const CRect& rect, UINT state) {
  constexpr int kArrowRoom = 12;
  CRect text = rect;
  text.right -= kArrowRoom;
  CMFCButton::OnDraw(dc, text, state);
  // A small filled triangle, pointing down (or right).
  const COLORREF colour = GetSysColor((state & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  const int cx = rect.right - kArrowRoom / 2 - 1, cy = rect.top + rect.Height() / 2;
  for (int i = 0; i < 4; ++i) {
    if (m_bRightArrow) dc->FillSolidRect(cx - 2 + i, cy - 3 + i, 1, 7 - 2 * i, colour);
    else dc->FillSolidRect(cx - 3 + i, cy - 2 + i, 7 - 2 * i, 1, colour);
  }
}
