#include "edittools/join/ui/draw_list.h"

#include <algorithm>

#include "edittools/join/join_link_rules.h"
#include "edittools/join/join_messages.h"
#include "edittools/join/ui/addcsv_view.h"
#include "platform/ui/dc.h"

namespace {

constexpr COLORREF kMainHeaderFill = 0xC07000;   // colour values as the editor states them
constexpr COLORREF kAddHeaderFill = 0xF1E6DC;
constexpr int kBorderGrip = 6;          // a press this close to a column's right edge resizes it
constexpr int kHandleBox = 6;           // half the side of a handle's hit box
constexpr COLORREF kDragImageFill = RGB(0xCC, 0xE4, 0xF7);

CRect Normalized(CRect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

// ---- Header ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDrawHeaderListCtrl, CHeaderCtrl)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CDrawHeaderListCtrl::OnPaint() {
  CPaintDC dc(this);
  const bool mainList = m_ListNo == 0;
  const COLORREF fill = mainList ? kMainHeaderFill : kAddHeaderFill;
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(client, fill);
  CFont* font = GetFont();
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(mainList ? RGB(255, 255, 255) : RGB(0, 0, 0));
  CPen frame(PS_SOLID, 1, mainList ? RGB(0, 0, 0) : RGB(255, 255, 255));
  CPen* oldPen = dc.SelectObject(&frame);
  for (int i = 0; i < GetItemCount(); ++i) {
    CRect item;
    if (!GetItemRect(i, &item)) continue;
    dc.DrawText(GetItemText(i), item, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const int x = i == 0 ? item.right : item.left;
    dc.MoveTo(x, item.top);
    dc.LineTo(x, item.bottom);
  }
  dc.SelectObject(oldPen);
  dc.SetBkMode(oldMode);
  if (oldFont) dc.SelectObject(oldFont);
}

void CDrawHeaderListCtrl::OnLButtonDown(UINT flags, CPoint point) {
  if (m_pView == nullptr || m_pView->m_TypeLocked) return;
  if (!(flags & MK_SHIFT)) {
    for (int i = 0; i < std::min(2, GetItemCount()); ++i) {
      CRect item;
      if (GetItemRect(i, &item) && std::abs(point.x - item.right) <= kBorderGrip) {
        m_pView->m_LayoutDrag = 0;
        Default();   // the header resizes the column
        return;
      }
    }
  }
  m_pView->m_LayoutDrag = 1;
  SetCapture();
  ClientToScreen(&point);
  m_pView->ScreenToClient(&point);
  m_pView->ToolDown(flags, point);
}

void CDrawHeaderListCtrl::OnMouseMove(UINT flags, CPoint point) {
  if (m_pView == nullptr || !m_pView->m_LayoutDrag) {
    Default();
    return;
  }
  ClientToScreen(&point);
  m_pView->ScreenToClient(&point);
  m_pView->ToolMove(flags, point);
}

void CDrawHeaderListCtrl::OnLButtonUp(UINT flags, CPoint point) {
  if (m_pView == nullptr || !m_pView->m_LayoutDrag) {
    Default();
    return;
  }
  ReleaseCapture();
  ClientToScreen(&point);
  m_pView->ScreenToClient(&point);
  m_pView->ToolUp(flags, point);
  m_pView->m_LayoutDrag = 0;
}

// ---- Drawing object --------------------------------------------------------------

CPoint CDrawObj::HandlePoint(int handle) const {
  const CRect& r = m_position;
  const int midX = (r.left + r.right) / 2;
  const int midY = (r.top + r.bottom) / 2;
  switch (handle) {
    case 2: return {midX, r.top};
    case 3: return {r.right, r.top};
    case 4: return {r.right, midY};
    case 5: return {r.right, r.bottom};
    case 6: return {midX, r.bottom};
    case 7: return {r.left, r.bottom};
    case 8: return {r.left, midY};
    default: return {r.left, r.top};
  }
}

int CDrawObj::HitTest(CPoint point, int mode) const {
  if (!m_selected) return m_position.PtInRect(point) ? 1 : 0;
  for (int h = 1; h <= HandleCount(); ++h) {
    const bool corner = h % 2 == 1;
    if (corner && mode >= 10) continue;
    const CPoint p = HandlePoint(h);
    const CRect box(p.x - kHandleBox, p.y - kHandleBox, p.x + kHandleBox, p.y + kHandleBox);
    if (box.PtInRect(point)) return h;
  }
  return 0;
}

bool CDrawObj::Intersects(const CRect& rect) const {
  const CRect a = Normalized(m_position);
  const CRect b = Normalized(rect);
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void CDrawObj::MoveHandleTo(int handle, CPoint point) {
  CRect r = m_position;
  switch (handle) {
    case 1: r.left = point.x; r.top = point.y; break;
    case 2: r.top = point.y; break;
    case 3: r.right = point.x; r.top = point.y; break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; r.bottom = point.y; break;
    case 8: r.left = point.x; break;
    default: return;
  }
  MoveTo(r);
}

void CDrawObj::MoveTo(const CRect& position) {
  m_position = position;
  MoveWindow(Normalized(position));
  if (m_pView) m_pView->Invalidate();
}

// ---- Column list -----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDrawList, CListCtrl)
  ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CDrawList::OnBeginDrag)
  ON_NOTIFY_REFLECT(NM_DBLCLK, &CDrawList::OnDblClk)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CDrawList::CreateList(CAddcsvView* view, int listNo, const CRect& rect, UINT id) {
  m_pView = view;
  m_ListNo = listNo;
  m_position = rect;
  if (!Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, rect, view, id)) return FALSE;
  SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header && header->GetSafeHwnd()) {
    m_Header.m_ListNo = listNo;
    m_Header.m_pView = view;
    m_Header.m_pList = this;
    m_Header.SubclassWindow(header->GetSafeHwnd());
  }
  return TRUE;
}

int CDrawList::RowAt(CPoint viewPoint) const {
  CPoint p = viewPoint;
  m_pView->ClientToScreen(&p);
  ScreenToClient(&p);
  // A row answers across all its columns, not only under its label.
  for (int row = GetTopIndex(); row >= 0 && row < GetItemCount(); ++row) {
    CRect r;
    if (!GetItemRect(row, &r, LVIR_BOUNDS)) break;
    if (r.top > p.y) break;
    if (p.y >= r.top && p.y < r.bottom && p.x >= 0) return row;
  }
  return -1;
}

int CDrawList::RowMiddle(int row) const {
  CRect r;
  if (!GetItemRect(row, &r, LVIR_BOUNDS)) return m_position.top;
  CPoint p(0, (r.top + r.bottom) / 2);
  ClientToScreen(&p);
  m_pView->ScreenToClient(&p);
  return p.y;
}

void CDrawList::OnLButtonDown(UINT flags, CPoint point) {
  // With Shift (or during a layout drag) a press on the rows moves the list.
  if (m_pView && !m_pView->m_TypeLocked && ((flags & MK_SHIFT) || m_pView->m_LayoutDrag)) {
    m_pView->m_LayoutDrag = 1;
    SetCapture();
    ClientToScreen(&point);
    m_pView->ScreenToClient(&point);
    m_pView->ToolDown(flags, point);
    return;
  }
  Default();
}

void CDrawList::OnBeginDrag(NMHDR* nmhdr, LRESULT* result) {
  *result = 0;
  if (m_pView == nullptr || m_pView->m_TypeLocked || m_pView->m_ConfirmMode || m_pView->m_LayoutDrag) return;
  const auto* lv = reinterpret_cast<const NMLISTVIEW*>(nmhdr);
  if (lv->iItem < 0) return;
  m_Dragging = true;
  m_DragItem = lv->iItem;
  m_DragSource = this;
  m_DropItem = -1;
  m_DropList = nullptr;
  // The drag picture: the dragged row's rectangle.
  CRect row;
  GetItemRect(lv->iItem, &row, LVIR_BOUNDS);
  const int width = std::max(1, static_cast<int>(row.Width()));
  const int height = std::max(1, static_cast<int>(row.Height()));
  m_DragImage = std::make_unique<CImageList>();
  m_DragImage->Create(width, height, ILC_COLOR24, 1, 1);
  CClientDC screen(this);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap picture;
  picture.CreateCompatibleBitmap(&screen, width, height);
  CBitmap* old = memory.SelectObject(&picture);
  memory.FillSolidRect(CRect(0, 0, width, height), kDragImageFill);
  memory.DrawText(GetItemText(lv->iItem, 0), CRect(4, 0, width, height), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  memory.SelectObject(old);
  m_DragImage->Add(&picture, CLR_NONE);
  CPoint hot(lv->ptAction.x - row.left, lv->ptAction.y - row.top);
  m_DragImage->BeginDrag(0, hot);
  CPoint at = lv->ptAction;
  ClientToScreen(&at);
  CImageList::DragEnter(nullptr, at);
  SetCapture();
}

void CDrawList::SetDropRow(CDrawList* list, int row) {
  if (m_DropList && m_DropItem >= 0 && (m_DropList != list || m_DropItem != row)) {
    m_DropList->SetItemState(m_DropItem, 0, LVIS_DROPHILITED);
  }
  m_DropList = list;
  m_DropItem = row;
  if (list && row >= 0) list->SetItemState(row, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

void CDrawList::OnMouseMove(UINT flags, CPoint point) {
  if (m_pView && m_pView->m_LayoutDrag) {
    ClientToScreen(&point);
    m_pView->ScreenToClient(&point);
    m_pView->ToolMove(flags, point);
    return;
  }
  if (!m_Dragging) {
    Default();
    return;
  }
  SetCursor(LoadCursor(nullptr, IDC_CROSS));
  CPoint screen = point;
  ClientToScreen(&screen);
  CImageList::DragMove(screen);
  CDrawList* target = m_pView->ListAtScreenPoint(screen);
  if (target && target != this) {
    CPoint viewPoint = screen;
    m_pView->ScreenToClient(&viewPoint);
    SetDropRow(target, target->RowAt(viewPoint));
  } else {
    SetDropRow(nullptr, -1);
  }
}

void CDrawList::EndRowDrag() {
  m_Dragging = false;
  ReleaseCapture();
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  CImageList::DragLeave(nullptr);
  CImageList::EndDrag();
  m_DragImage.reset();
}

void CDrawList::OnLButtonUp(UINT flags, CPoint point) {
  if (m_pView && m_pView->m_LayoutDrag) {
    ReleaseCapture();
    ClientToScreen(&point);
    m_pView->ScreenToClient(&point);
    m_pView->ToolUp(flags, point);
    m_pView->m_LayoutDrag = 0;
    return;
  }
  if (!m_Dragging) {
    Default();
    return;
  }
  EndRowDrag();
  CPoint screen = point;
  ClientToScreen(&screen);
  CDrawList* target = m_pView->ListAtScreenPoint(screen);
  if (target) {
    CPoint viewPoint = screen;
    m_pView->ScreenToClient(&viewPoint);
    target->m_DropItem = target == this ? -1 : target->RowAt(viewPoint);
    MakeLink(target);
    target->SetItemState(-1, 0, LVIS_DROPHILITED);
  }
  SetItemState(-1, 0, LVIS_DROPHILITED);
  SetDropRow(nullptr, -1);
  m_pView->RefreshKeyFlags();
}

void CDrawList::MakeLink(CDrawList* target) {
  if (target == nullptr || target->m_DropItem < 0) return;
  ALIGN link;
  int array = 0;
  if (LinkForDrop(target->m_ListNo, target->m_DropItem, m_ListNo, m_DragItem, link, array) &&
      ValidateLink(array, link) == LINK_OK) {
    m_pView->AddLink(link, array);
  }
  m_pView->RefreshView();
}

int CDrawList::ValidateLink(int array, const ALIGN& link) {
  const int code = CheckLink(m_pView->m_Def.AlignArry, array, link);
  if (code != LINK_OK) ShowJoinError(LinkRefusalText(code));
  return code;
}

void CDrawList::OnDblClk(NMHDR* nmhdr, LRESULT* result) {
  *result = 0;
  if (m_pView == nullptr || m_pView->m_TypeLocked || m_pView->m_ConfirmMode) return;
  const auto* hit = reinterpret_cast<const NMITEMACTIVATE*>(nmhdr);
  if (hit->iItem < 0) return;
  if ((m_ListNo == 1 || m_ListNo == 2) && hit->iSubItem == kDiscardColumn) {
    const CString cell = GetItemText(hit->iItem, kDiscardColumn);
    if (cell == kKeyMark) return;
    SetItemText(hit->iItem, kDiscardColumn, cell == kDiscardMark ? CString() : CString(kDiscardMark));
  } else if (m_ListNo == 3 && hit->iSubItem == kMinusColumn) {
    const CString cell = GetItemText(hit->iItem, kMinusColumn);
    SetItemText(hit->iItem, kMinusColumn, cell == kMinusMark ? CString() : CString(kMinusMark));
  }
}

void CDrawList::OnVScroll(UINT sbCode, UINT pos, CScrollBar* bar) {
  CWnd::OnVScroll(sbCode, pos, bar);
  if (m_pView) m_pView->Invalidate();   // links follow their rows
}
