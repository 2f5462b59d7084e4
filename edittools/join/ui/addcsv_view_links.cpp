// The join editor's links: adding, clearing and undoing them, drawing them, and
// the select tool that moves and sizes the lists.
#include <algorithm>

#include "edittools/join/join_messages.h"
#include "edittools/join/ui/addcsv_view.h"
#include "platform/ui/dc.h"
#include "platform/ui_hooks.h"
#include "res/addcsv_view.h"

namespace {

constexpr COLORREF kLinkColour = 0xFF0000;        // colour values as the editor states them
constexpr COLORREF kSeparatorColour = 0xB0B0B0;
constexpr COLORREF kSelectedFrame = 255;
constexpr int kRowFloor = 10;   // a link end stays this far below its list's top
constexpr int kTrackerHalf = 6;
constexpr int kBaseDpi = 96;

constexpr char16_t kAskClear[] = u"繋ぎ情報をすべて解除します。よろしいでしょうか？";
constexpr char16_t kUndoFull[] = u"元に戻せる操作は%d件までです。この操作は行いませんでした。";

}  // namespace

bool CAddcsvView::PushUndo(int entry) {
  if (m_UndoCount >= JOIN_UNDO_MAX) {
    ShowJoinError(CString::Build(kUndoFull, JOIN_UNDO_MAX));
    return false;
  }
  m_UndoStack[m_UndoCount++] = entry;
  return true;
}

bool CAddcsvView::AddLink(const ALIGN& link, int array) {
  if (array < 0 || array >= JOIN_LINK_ARRAYS) return false;
  if (!PushUndo(array + 1)) return false;
  m_Def.AlignArry[array].push_back(link);
  if (array == 2) FillSerialList();
  UpdateLinkButtons();
  return true;
}

void CAddcsvView::OnClearLinks() {
  m_Modified = 1;
  if (GetUiHooks().MessageBox(CString(kAskClear), CString(kAppCaption), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return;
  }
  if (!PushUndo(JOIN_UNDO_CLEARED)) return;
  for (int a = 0; a < JOIN_LINK_ARRAYS; ++a) {
    m_LinkBackup[a] = m_Def.AlignArry[a];
    m_Def.AlignArry[a].clear();
  }
  m_ChainList = 0;
  RefreshKeyFlags();
  if (m_SerialFlag) FillSerialList();
  RefreshView();
  UpdateLinkButtons();
}

void CAddcsvView::OnUndoLink() {
  if (m_UndoCount <= 0) return;
  // Discard marks survive the refill of the lists.
  ReadOutputFlags();
  const int entry = m_UndoStack[m_UndoCount - 1];
  if (entry == JOIN_UNDO_CLEARED) {
    for (int a = 0; a < JOIN_LINK_ARRAYS; ++a) {
      m_Def.AlignArry[a] = m_LinkBackup[a];
      m_LinkBackup[a].clear();
    }
  } else if (entry >= 1 && entry <= JOIN_LINK_ARRAYS && !m_Def.AlignArry[entry - 1].empty()) {
    m_Def.AlignArry[entry - 1].pop_back();
  }
  --m_UndoCount;
  RefreshKeyFlags();
  for (int c = 0; c < m_AddCount; ++c) FillAddItems(c);
  if (m_SerialFlag) FillSerialList();
  RefreshView();
  UpdateLinkButtons();
}

// ---- Lists as drawing objects ----------------------------------------------------------

CDrawList* CAddcsvView::HitTestObject(CPoint point) const {
  const int mode = m_Selection.size() >= 2 ? 10 : 0;
  for (int l = JOIN_LIST_COUNT - 1; l >= 0; --l) {
    CDrawList* list = m_Lists[l];
    if (list == nullptr || !list->IsWindowVisible()) continue;
    if (list->m_position.PtInRect(point) || list->HitTest(point, mode) != 0) return list;
  }
  return nullptr;
}

void CAddcsvView::SelectObject(CDrawList* list, bool add) {
  if (!add) {
    for (CDrawList* s : m_Selection) s->m_selected = false;
    m_Selection.clear();
  }
  if (list && std::find(m_Selection.begin(), m_Selection.end(), list) == m_Selection.end()) {
    list->m_selected = true;
    m_Selection.push_back(list);
    m_SelectedList = list->m_ListNo;
  }
  Invalidate();
}

CDrawList* CAddcsvView::ListAtScreenPoint(CPoint screen) const {
  for (CDrawList* list : m_Lists) {
    if (list == nullptr || !list->IsWindowVisible()) continue;
    CRect r;
    list->GetWindowRect(&r);
    if (r.PtInRect(screen)) return list;
  }
  return nullptr;
}

void CAddcsvView::RefreshView() { Invalidate(); }

// ---- Mouse routing and the select tool -------------------------------------------------

void CAddcsvView::OnLButtonDown(UINT flags, CPoint point) {
  if (m_TypeLocked) return;
  ToolDown(flags, point);
}
void CAddcsvView::OnMouseMove(UINT flags, CPoint point) {
  if (m_TypeLocked) return;
  ToolMove(flags, point);
}
void CAddcsvView::OnLButtonUp(UINT flags, CPoint point) {
  if (m_TypeLocked) return;
  ToolUp(flags, point);
}

void CAddcsvView::OnLButtonDblClk(UINT flags, CPoint point) {
  if (m_TypeLocked) return;
  m_SelectTool.OnLButtonDblClk(*this, flags, point);
}

void CAddcsvView::ToolDown(UINT flags, CPoint point) { m_SelectTool.OnLButtonDown(*this, flags, point); }
void CAddcsvView::ToolMove(UINT flags, CPoint point) { m_SelectTool.OnMouseMove(*this, flags, point); }
void CAddcsvView::ToolUp(UINT flags, CPoint point) {
  m_SelectTool.OnLButtonUp(*this, flags, point);
  for (CDrawList* s : m_Selection) s->m_selected = false;
  m_Selection.clear();
  RefreshKeyFlags();
  Invalidate();
}

void CSelectTool::OnLButtonDown(CAddcsvView& view, UINT flags, CPoint point) {
  m_Down = point;
  m_Last = point;
  m_ShiftAtDown = (flags & MK_SHIFT) != 0;
  m_Mode = kNone;
  if (view.m_Selection.size() == 1) {
    const int handle = view.m_Selection[0]->HitTest(point, 0);
    if (handle != 0) {
      m_Mode = kSize;
      m_Handle = handle;
    }
  }
  if (m_Mode == kNone) {
    if (CDrawList* list = view.HitTestObject(point)) {
      m_Mode = kMove;
      view.SelectObject(list, m_ShiftAtDown);
    } else {
      m_Mode = kRubberBand;
      if (!m_ShiftAtDown) view.SelectObject(nullptr, false);
    }
  }
  for (CDrawList* s : view.m_Selection) s->m_startPosition = s->m_position;
}

void CSelectTool::OnMouseMove(CAddcsvView& view, UINT flags, CPoint point) {
  if (!(flags & MK_LBUTTON) && m_Mode == kNone) {
    const bool onHandle = view.m_Selection.size() == 1 && view.m_Selection[0]->HitTest(point, 0) != 0;
    SetCursor(LoadCursor(nullptr, onHandle ? IDC_SIZENWSE : IDC_ARROW));
    return;
  }
  m_Last = point;
  if (m_Mode == kMove) {
    int dx = point.x - m_Down.x;
    int dy = point.y - m_Down.y;
    // Alt keeps the list in its column, Ctrl in its row.
    if (GetKeyState(VK_MENU) < 0) {
      dx = 0;
    } else if (GetKeyState(VK_CONTROL) < 0) {
      dy = 0;
    }
    for (CDrawList* s : view.m_Selection) {
      CRect r = s->m_startPosition;
      r.OffsetRect(dx, dy);
      s->MoveTo(r);
    }
  } else if (m_Mode == kSize && view.m_Selection.size() == 1) {
    view.m_Selection[0]->MoveHandleTo(m_Handle, point);
  }
}

void CSelectTool::OnLButtonDblClk(CAddcsvView& view, UINT flags, CPoint point) {
  CDrawList* list = view.HitTestObject(point);
  if (flags & MK_SHIFT) return;   // a hit test only
  if (view.m_Selection.size() >= 2 && list) view.SelectObject(list, false);
}

void CSelectTool::OnLButtonUp(CAddcsvView& view, UINT flags, CPoint point) {
  if (m_Mode == kRubberBand) {
    // The lists the band touches become selected.
    const CRect band(std::min(m_Down.x, point.x), std::min(m_Down.y, point.y), std::max(m_Down.x, point.x),
                     std::max(m_Down.y, point.y));
    for (CDrawList* list : view.m_Lists) {
      if (list && list->IsWindowVisible() && list->Intersects(band)) view.SelectObject(list, true);
    }
  }
  ReleaseCapture();
  m_Mode = kNone;
}

// ---- Painting --------------------------------------------------------------------------

void CAddcsvView::OnPaint() {
  CPaintDC dc(this);
  PaintLinks(dc);
}

void CAddcsvView::PaintLinks(CDC& dc) {
  dc.FillSolidRect(m_LinkArea, RGB(255, 255, 255));
  const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
  const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
  auto scaleX = [&](int v) { return v * dpiX / kBaseDpi; };
  auto scaleY = [&](int v) { return v * dpiY / kBaseDpi; };

  CPen separator(PS_SOLID, 1, kSeparatorColour);
  CPen* oldPen = dc.SelectObject(&separator);
  dc.MoveTo(scaleX(m_LinkArea.left), scaleY(m_LinkArea.bottom));
  dc.LineTo(scaleX(m_LinkArea.right), scaleY(m_LinkArea.bottom));

  if (!m_LayoutDrag) {
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&black);
    for (CDrawList* s : m_Selection) {
      const CPoint p = s->HandlePoint(1);
      dc.Rectangle(CRect(p.x - kTrackerHalf, p.y - kTrackerHalf, p.x + kTrackerHalf + 1, p.y + kTrackerHalf + 1));
    }
  }

  CPen linkPen(PS_SOLID, 2, kLinkColour);
  dc.SelectObject(&linkPen);
  auto drawLink = [&](const ALIGN& a) {
    if (a.listA < 0 || a.listA >= JOIN_LIST_COUNT || a.listB < 0 || a.listB >= JOIN_LIST_COUNT) return;
    CDrawList* la = m_Lists[a.listA];
    CDrawList* lb = m_Lists[a.listB];
    if (!la || !lb || !la->IsWindowVisible() || !lb->IsWindowVisible()) return;
    const bool aLeft = la->m_position.left <= lb->m_position.left;
    CDrawList* left = aLeft ? la : lb;
    CDrawList* right = aLeft ? lb : la;
    const int leftRow = aLeft ? a.itemA : a.itemB;
    const int rightRow = aLeft ? a.itemB : a.itemA;
    const int y1 = std::max(left->RowMiddle(leftRow), left->m_position.top + kRowFloor);
    const int y2 = std::max(right->RowMiddle(rightRow), right->m_position.top + kRowFloor);
    dc.MoveTo(left->m_position.right - 1, y1);
    dc.LineTo(right->m_position.left + 3, y2);
  };
  for (int a = 0; a < m_AddCount && a < 2; ++a) {
    for (const ALIGN& link : m_Def.AlignArry[a]) drawLink(link);
  }
  if (m_SerialFlag) {
    for (const ALIGN& link : m_Def.AlignArry[2]) drawLink(link);
  }

  if (m_SelectedList >= 0 && m_SelectedList < JOIN_LIST_COUNT && m_Lists[m_SelectedList]->IsWindowVisible()) {
    CPen frame(PS_SOLID, 1, kSelectedFrame);
    dc.SelectObject(&frame);
    dc.SelectStockObject(NULL_BRUSH);
    CRect r = m_Lists[m_SelectedList]->m_position;
    r.InflateRect(1, 1);
    r.bottom = std::min(r.bottom, static_cast<LONG>(m_LinkArea.bottom));
    dc.Rectangle(r);
  }
  dc.SelectObject(oldPen);
}
