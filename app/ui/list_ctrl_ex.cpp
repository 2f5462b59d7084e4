#include "app/ui/list_ctrl_ex.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CHeaderListCtrlEx, CHeaderCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CListCtrlEx::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header != nullptr && header->GetSafeHwnd() != nullptr) {
    m_Header.m_pList = this;
    m_Header.SubclassWindow(header->GetSafeHwnd());
  }
}

COLORREF CListCtrlEx::HeaderBackColor() const {
  return m_HeaderBackMode == 1 ? GetSysColor(COLOR_BTNFACE) : kHeaderBackColor;
}

COLORREF CListCtrlEx::HeaderCellColor(int column) const {
  const COLORREF back = HeaderBackColor();
  switch (m_HighlightMode) {
    case 0:
      return column == m_HighlightCol ? kHighlightColor : back;
    case 1: {
      if (m_HighlightCol < 0 || m_HighlightEnd < 0) return CLR_NONE;
      const int low = std::min(m_HighlightCol, m_HighlightEnd);
      const int high = std::max(m_HighlightCol, m_HighlightEnd);
      return (column >= low && column <= high) ? kHighlightColor : CLR_NONE;
    }
    case 2:
      return std::find(m_HighlightList.begin(), m_HighlightList.end(), column) != m_HighlightList.end()
                 ? kHighlightColor
                 : back;
    default:
      return back;
  }
}

void CHeaderListCtrlEx::OnPaint() {
  CPaintDC dc(this);
  const int count = GetItemCount();
  CRect client;
  GetClientRect(&client);
  CFont* font = GetFont();
  // The paint goes to an off-screen buffer, so the header needs no redraw switch.

  const COLORREF back = m_pList != nullptr ? m_pList->HeaderBackColor() : CListCtrlEx::kHeaderBackColor;
  dc.FillSolidRect(client, back);
  CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < count; ++i) {
    CRect item;
    if (!GetItemRect(i, &item)) continue;
    item.bottom -= 1;
    const COLORREF fill = m_pList != nullptr ? m_pList->HeaderCellColor(i) : back;
    if (fill != CLR_NONE) dc.FillSolidRect(item, fill);
    dc.DrawText(GetItemText(i), item, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  dc.SetBkMode(oldMode);
  if (oldFont != nullptr) dc.SelectObject(oldFont);
}
