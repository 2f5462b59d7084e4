// The CSV edit page's window: clicks, the cell editor, keys and the lists.

#include "app/tabro_client_app.h"
#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "res/csv_prop_page.h"

namespace {

bool ShiftHeld() { return GetUiHooks().IsKeyDown(UiKey::Shift); }
bool CtrlHeld() { return GetUiHooks().IsKeyDown(UiKey::Control); }

bool Is(const CWnd* focus, const CWnd& control) {
  return focus && control.m_hWnd && focus->m_hWnd == control.m_hWnd;
}

}  // namespace

void CCsvPropPageWnd::ShowCellText() {
  m_Filling = true;
  m_EditCell.SetWindowText(m_Page.m_CellText);
  m_Filling = false;
}

void CCsvPropPageWnd::OnGridClick(NMHDR* hdr, LRESULT* result) {
  const auto* item = reinterpret_cast<NMITEMACTIVATE*>(hdr);
  CsvGrids g = AppCsvGrids();
  m_Page.ClickCell(g, item->iItem, item->iSubItem, ShiftHeld());
  ShowCellText();
  m_EditCell.EnableWindow(TRUE);
  m_GridList.Invalidate(FALSE);
  m_RowList.Invalidate(FALSE);
  if (CWnd* h = m_GridList.GetHeaderCtrl()) h->Invalidate(FALSE);
  UpdateCommandButtons();
  if (m_Page.m_SelCell.row >= 0 && m_Page.m_SelCell.subitem >= kFirstDataSubItem) {
    m_EditCell.SetFocus();
    const int end = m_Page.m_CellText.GetLength();
    m_EditCell.SetSel(end, end);
  }
  *result = 0;
}

void CCsvPropPageWnd::OnGridDblClick(NMHDR*, LRESULT* result) {
  m_EditCell.SetFocus();
  *result = 0;
}

void CCsvPropPageWnd::OnRowListClick(NMHDR* hdr, LRESULT* result) {
  const auto* item = reinterpret_cast<NMITEMACTIVATE*>(hdr);
  if (item->iItem >= 0) m_Page.ClickRow(std::max(m_Page.m_RowListTop, 0) + item->iItem, ShiftHeld(), CtrlHeld());
  ShowCellText();
  m_GridList.Invalidate(FALSE);
  m_RowList.Invalidate(FALSE);
  UpdateCommandButtons();
  *result = 0;
}

void CCsvPropPageWnd::OnGridColumnClick(NMHDR* hdr, LRESULT* result) {
  const auto* item = reinterpret_cast<NMLISTVIEW*>(hdr);
  m_Page.ClickColumn(item->iSubItem, ShiftHeld(), CtrlHeld());
  ShowCellText();
  m_GridList.Invalidate(FALSE);
  if (CWnd* h = m_GridList.GetHeaderCtrl()) h->Invalidate(FALSE);
  UpdateAllCaptions();
  UpdateCommandButtons();
  *result = 0;
}

void CCsvPropPageWnd::OnCellEditChange() {
  if (m_Filling || m_Page.m_SelCell.row < 0) return;
  CString text;
  m_EditCell.GetWindowText(text);
  CsvGrids g = AppCsvGrids();
  const int rows = m_Page.m_RowCount, cols = m_Page.m_ColCount;
  if (!m_Page.TypeIntoCell(g, text)) return;
  if (rows != m_Page.m_RowCount || cols != m_Page.m_ColCount) {
    FillGridList(m_Page.m_RowCount, m_Page.m_ColCount);
    UpdateCommandButtons();
  }
  m_GridList.RedrawItems(m_Page.m_CurRow, m_Page.m_CurRow);
  m_GridList.Invalidate(FALSE);
}

void CCsvPropPageWnd::OnCellEditKillFocus() {
  if (!CWnd::GetFocus()) SetFocus();
}

void CCsvPropPageWnd::MoveCursor(int direction) {
  CsvGrids g = AppCsvGrids();
  const int before = m_Page.m_SelCell.row >= 0 ? m_Page.m_SelCell.subitem : -1;
  m_Page.MoveCursor(g, direction);
  const int row = m_Page.m_SelCell.row;
  if (row >= 0) {
    m_GridList.EnsureVisible(row, FALSE);
    KeepColumnInView(row, m_Page.m_SelCell.subitem, before);
  }
  SyncRowNumbers();
  ShowCellText();
  m_GridList.Invalidate(FALSE);
  m_RowList.Invalidate(FALSE);
}

// Outside edit mode Down and Up walk the title row too, so any change of column
// counts, whatever the key. A column width a step, as the columns are equal; a
// few steps catch up after a sideways scroll of the user's.
void CCsvPropPageWnd::KeepColumnInView(int row, int subitem, int before) {
  if (subitem == before || subitem < kFirstDataSubItem) return;
  CRect client;
  m_GridList.GetClientRect(&client);
  for (int step = 0; step < GRID_COLS; ++step) {
    CRect cell;
    if (!m_GridList.GetSubItemRect(row, subitem, LVIR_BOUNDS, cell) || cell.Width() <= 0) return;
    if (cell.left < client.left) m_GridList.Scroll(CSize(-cell.Width(), 0));
    else if (cell.right > client.right) m_GridList.Scroll(CSize(cell.Width(), 0));
    else return;
  }
}

BOOL CCsvPropPageWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
    CWnd* focus = CWnd::GetFocus();
    const UINT key = static_cast<UINT>(msg->wParam);
    if (msg->message == WM_KEYDOWN) {
      if (Is(focus, m_EditCell) && (key == VK_RETURN || key == VK_UP || key == VK_DOWN)) {
        m_GridList.SetFocus();
        MoveCursor(key == VK_UP ? DIR_UP : DIR_DOWN);
        return TRUE;
      }
      if (Is(focus, m_GridList) && key == VK_F2) {
        m_EditCell.SetFocus();
        m_EditCell.SetSel(0, -1);
        return TRUE;
      }
      if (key == VK_ESCAPE) {
        m_Page.ClearSelection();
        RefreshAfterCommand();
        return TRUE;
      }
    } else if (!Is(focus, m_EditCell) && key >= 0x20) {
      // A character typed elsewhere goes to the cell editor and replaces its text.
      if (m_Page.m_SelCell.row < 0) return FALSE;
      m_EditCell.SetFocus();
      m_EditCell.SetSel(0, -1);
      m_EditCell.ReplaceSel(CString(static_cast<char16_t>(key)));
      return TRUE;
    }
  }
  return CPropertyPage::PreTranslateMessage(msg);
}

void CCsvPropPageWnd::OnContextMenu(CWnd* wnd, CPoint point) {
  // Only a click inside the grid or the row list opens the menu.
  auto inside = [&](CWnd& list) {
    CRect r;
    list.GetWindowRect(&r);
    return Is(wnd, list) || r.PtInRect(point);
  };
  if (!inside(m_GridList) && !inside(m_RowList)) return;
  if (m_Page.m_ReportKind == DOC_KIND_TOOL_CROSS && !(m_Page.m_CrossEdit[0] == 1 && m_Page.m_CrossEdit[1] == 1)) return;
  CsvGrids g = AppCsvGrids();
  const CCsvPropPage::EditMenuState s = m_Page.GetEditMenuState(g);
  CMenu menu;
  if (!menu.LoadMenu(res::IDR_CSV_EDIT_MENU)) return;
  auto enable = [&](UINT id, bool on) { menu.EnableMenuItem(id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(res::ID_CSV_CUT, s.cut);
  enable(res::ID_CSV_COPY, s.copy);
  enable(res::ID_CSV_PASTE, s.paste);
  enable(res::ID_CSV_DELETE, s.del);
  enable(res::ID_CSV_INSERT, s.insert);
  enable(res::ID_CSV_DESELECT, s.deselect);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

// ---- The lists ------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCsvEditCsvBodyListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CCsvEditCsvBodyListCtrl::OnCustomDraw)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CCsvEditCsvRowListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CCsvEditCsvRowListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

namespace {

// The keys both lists route to the page; true when consumed.
bool RouteListKey(CCsvPropPageWnd* page, CListCtrl& list, MSG* msg) {
  if (!page) return false;
  page->SyncRowNumbers();
  if (msg->message == WM_LBUTTONDOWN && !Is(CWnd::GetFocus(), list)) list.SetFocus();
  if (msg->message != WM_KEYDOWN) return false;
  switch (msg->wParam) {
    case VK_RETURN:
    case VK_DOWN: page->MoveCursor(DIR_DOWN); return true;
    case VK_UP: page->MoveCursor(DIR_UP); return true;
    case VK_LEFT: page->MoveCursor(DIR_LEFT); return true;
    case VK_RIGHT: page->MoveCursor(DIR_RIGHT); return true;
    case VK_DELETE: page->OnEditDelete(); return true;
    default: return false;
  }
}

}  // namespace

BOOL CCsvEditCsvBodyListCtrl::PreTranslateMessage(MSG* msg) {
  if (RouteListKey(m_pPage, *this, msg)) return TRUE;
  return CListCtrl::PreTranslateMessage(msg);
}

// The bar is heard once the rows have moved (wheel, drag, keys), so the
// numbers follow at once rather than at the next message.
void CCsvEditCsvBodyListCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (m_pPage) m_pPage->SyncRowNumbers();
  CListCtrl::OnVScroll(code, pos, bar);
}

BOOL CCsvEditCsvRowListCtrl::PreTranslateMessage(MSG* msg) {
  if (RouteListKey(m_pPage, *this, msg)) return TRUE;
  return CListCtrl::PreTranslateMessage(msg);
}

namespace {

// Custom drawing of both lists: every cell asks for its background.
template <typename Colour>
void AnswerCustomDraw(NMHDR* hdr, LRESULT* result, Colour colour) {
  auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
  *result = CDRF_DODEFAULT;
  if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result = CDRF_NOTIFYITEMDRAW;
  } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    *result = CDRF_NOTIFYSUBITEMDRAW;
  } else if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
    cd->clrText = RGB(0, 0, 0);
    cd->clrTextBk = colour(static_cast<int>(cd->nmcd.dwItemSpec), cd->iSubItem);
  }
}

}  // namespace

void CCsvEditCsvBodyListCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
  AnswerCustomDraw(hdr, result, [this](int item, int sub) {
    return m_pPage ? m_pPage->GridCellColour(item, sub) : kCsvWhite;
  });
}

void CCsvEditCsvRowListCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
  AnswerCustomDraw(hdr, result, [this](int item, int sub) {
    return sub == 0 || !m_pPage ? kCsvFrameBeige : m_pPage->RowNumberColour(item);
  });
}
