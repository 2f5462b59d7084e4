// The CSV edit page: the cursor cell, the three selection kinds and typing.

#include <algorithm>

#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {


bool Contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

void Remove(std::vector<int>& v, int x) { v.erase(std::remove(v.begin(), v.end(), x), v.end()); }

}  // namespace

bool CCsvPropPage::Refuse(const CString& text) const {
  GetUiHooks().MessageBox(text, kAppCaption, MB_OK | MB_ICONWARNING);
  return false;
}

void CCsvPropPage::FreeClipCells() {
  m_ClipCells.clear();
  m_ClipSource.clear();
  m_ClipNames.clear();
  m_ClipEdited.clear();
  m_ClipRows = m_ClipCols = 0;
}

void CCsvPropPage::ClearSelection() {
  m_SelIndexes.clear();
  m_SelCells.clear();
  m_SelOrder.clear();
  FreeClipCells();
  m_SelKind = m_ClipKind = m_SelMulti = m_ClipState = 0;
  m_PasteSubItem = m_PasteRow = 0;
  m_SelCell = HEADERDATA{};
}

bool CCsvPropPage::IsRowSelected(int row) const {
  if (m_SelKind != SEL_ROWS) return false;
  return Contains(m_SelIndexes, row) || (m_SelMulti == MULTI_SINGLE && m_ClipState == CLIP_EMPTY && m_SelCell.row == row);
}

bool CCsvPropPage::IsColumnSelected(int subitem) const {
  if (m_SelKind != SEL_COLUMNS) return false;
  return Contains(m_SelIndexes, subitem);
}

bool CCsvPropPage::IsCellSelected(int row, int subitem) const {
  for (const HEADERDATA& h : m_SelCells)
    if (h.row == row && h.subitem == subitem) return true;
  return false;
}

void CCsvPropPage::ClickCell(CsvGrids& g, int row, int subitem, bool shift) {
  if (m_SelKind != SEL_CELLS) ClearSelection();
  m_CurRow = row;
  m_CurSubItem = subitem;
  if (!m_EditMode &&
      !(row == m_PageTitleRow && subitem >= kFirstDataSubItem && subitem - kFirstDataSubItem < m_ColCount)) {
    m_CellText.Empty();
    m_SelCell.row = -1;
    m_SelKind = SEL_CELLS;
    m_SelCells.clear();
    return;
  }
  const HEADERDATA prev = m_SelCell;
  m_PrevSelCell = prev;
  m_SelMulti = MULTI_SINGLE;
  m_SelCell = HEADERDATA{row, subitem, 0};
  if (subitem >= kFirstDataSubItem && row >= 0) {
    m_CellText = g.edit.GetAt(row, subitem - kFirstDataSubItem);
    m_SelKind = SEL_CELLS;
    m_SelCells.clear();
    if (shift && prev.subitem > 0 && prev.row >= 0) {
      // A Shift range spans from the anchor, so that it grows and shrinks from one corner.
      if (m_AnchorSubItem < 0 || m_AnchorRow < 0) {
        m_AnchorSubItem = prev.subitem;
        m_AnchorRow = prev.row;
      }
      const int r0 = std::min(m_AnchorRow, row), r1 = std::max(m_AnchorRow, row);
      const int c0 = std::min(m_AnchorSubItem, subitem), c1 = std::max(m_AnchorSubItem, subitem);
      for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) m_SelCells.push_back(HEADERDATA{r, c, 0});
      m_SelMulti = MULTI_SHIFT;
    } else {
      m_SelIndexes.clear();
      m_SelOrder.clear();
      m_SelCells.push_back(m_SelCell);
      m_AnchorSubItem = subitem;
      m_AnchorRow = row;
    }
  } else if (row < 0) {
    m_SelCells.clear();
    m_SelKind = SEL_COLUMNS;
  } else {
    m_SelCells.clear();
  }
}

void CCsvPropPage::SelectLine(int kind, int index, bool shift, bool ctrl) {
  const bool rows = kind == SEL_ROWS;
  if (m_SelKind != kind) ClearSelection();
  const bool pending = m_ClipState == CLIP_COPIED || m_ClipState == CLIP_CUT;
  if ((shift || ctrl) && pending) {
    FreeClipCells();
    m_ClipState = CLIP_EMPTY;
    m_ClipKind = SEL_NONE;
  }
  const HEADERDATA prev = m_SelCell;
  m_PrevSelCell = prev;
  m_SelCell = rows ? HEADERDATA{index, 1, 0} : HEADERDATA{-1, index, 0};
  m_CellText.Empty();
  int& anchor = rows ? m_AnchorRow : m_AnchorSubItem;
  int& target = rows ? m_PasteRow : m_PasteSubItem;
  const int first = rows ? 0 : kFirstDataSubItem;   // the lowest index of a line of this kind
  const int prevIndex = rows ? prev.row : prev.subitem;
  target = 0;
  const bool earlier = prevIndex >= first && !m_SelIndexes.empty();
  if (shift && earlier) {
    const bool beyond = std::any_of(m_SelIndexes.begin(), m_SelIndexes.end(), [&](int i) { return i > index; });
    if (beyond) {
      auto drop = [&](std::vector<int>& v) {
        v.erase(std::remove_if(v.begin(), v.end(), [&](int i) { return i > index; }), v.end());
      };
      drop(m_SelIndexes);
      drop(m_SelOrder);
    } else {
      const int from = anchor >= first ? anchor : prevIndex;
      const int step = index >= from ? 1 : -1;
      for (int i = from;; i += step) {
        if (!Contains(m_SelIndexes, i)) {
          m_SelIndexes.push_back(i);
          m_SelOrder.push_back(i);
        }
        if (i == index) break;
      }
    }
    m_SelMulti = MULTI_SHIFT;
  } else if (ctrl && earlier) {
    if (Contains(m_SelIndexes, index)) {
      Remove(m_SelIndexes, index);
      Remove(m_SelOrder, index);
    } else {
      m_SelIndexes.push_back(index);
      m_SelOrder.push_back(index);
    }
    m_SelMulti = MULTI_CTRL;
  } else if (pending) {
    // The source stays selected; the click names where it goes.
    target = index;
    anchor = index;
    m_SelMulti = MULTI_SINGLE;
  } else {
    m_SelIndexes.assign(1, index);
    m_SelOrder.assign(1, index);
    anchor = index;
    m_SelMulti = MULTI_SINGLE;
  }
  m_SelKind = kind;
}

void CCsvPropPage::ClickRow(int row, bool shift, bool ctrl) {
  if (!m_EditMode) {
    m_CellText.Empty();
    m_SelCell = HEADERDATA{};
    return;
  }
  if (row < 0 || row >= ListRowCount()) return;
  SelectLine(SEL_ROWS, row, shift, ctrl);
}

void CCsvPropPage::ClickColumn(int subitem, bool shift, bool ctrl) {
  if (subitem < kFirstDataSubItem) {
    m_SelCells.clear();
    return;
  }
  SelectLine(SEL_COLUMNS, subitem, shift, ctrl);
  // One cell per selected column stands for its cells from the top row down.
  m_SelCells.clear();
  for (int c : m_SelOrder) m_SelCells.push_back(HEADERDATA{m_RowListTop < 0 ? 0 : m_RowListTop, c, 0});
}

void CCsvPropPage::MoveCursor(CsvGrids& g, int direction) {
  int row = m_SelCell.row >= 0 ? m_SelCell.row : m_CurRow;
  int sub = m_SelCell.subitem >= kFirstDataSubItem ? m_SelCell.subitem : std::max(m_CurSubItem, kFirstDataSubItem);
  if (!m_EditMode) {
    if (m_PageTitleRow < 0 || m_ColCount <= 0) return;
    row = m_PageTitleRow;
    if (direction == DIR_DOWN || direction == DIR_RIGHT) sub = std::min(sub + 1, m_ColCount + 1);
    else if (direction == DIR_UP || direction == DIR_LEFT) sub = std::max(sub - 1, kFirstDataSubItem);
    sub = std::min(sub, m_ColCount + 1);
  } else {
    const int lastRow = ListRowCount() - 1;
    const int lastSub = ListDataColumns() + 1;
    switch (direction) {
      case DIR_DOWN: row = std::min(row + 1, lastRow); break;
      case DIR_UP: row = std::max(row - 1, 0); break;
      case DIR_LEFT: sub = std::max(sub - 1, kFirstDataSubItem); break;
      case DIR_RIGHT: sub = std::min(sub + 1, lastSub); break;
      default: return;
    }
    row = std::clamp(row, 0, std::max(lastRow, 0));
  }
  if (m_SelKind != SEL_CELLS) ClearSelection();
  m_PrevSelCell = m_SelCell;
  m_SelCell = HEADERDATA{row, sub, 0};
  m_CurRow = row;
  m_CurSubItem = sub;
  m_SelMulti = MULTI_SINGLE;
  m_SelKind = SEL_CELLS;
  m_SelCells.assign(1, m_SelCell);
  m_AnchorRow = row;
  m_AnchorSubItem = sub;
  m_CellText = g.edit.GetAt(row, sub - kFirstDataSubItem);
}

bool CCsvPropPage::TypeIntoCell(CsvGrids& g, const CString& text) {
  if (m_SelCell.row < 0 || m_CurSubItem < kFirstDataSubItem) return false;
  const int col = m_CurSubItem - kFirstDataSubItem;
  const int row = m_CurRow;
  if (col >= GRID_COLS || row >= EDIT_GRID_ROWS) return false;
  if (col >= m_ColCount && row != g.titleRow && g.titleRow >= 0 && g.edit.GetAt(g.titleRow, col).IsEmpty()) {
    CString msg;
    msg.Format(kCsvOutsideColumns, m_ColCount);
    return Refuse(msg);
  }
  m_CellText = text;
  g.edit[row][col] = text;
  if (!m_EditMode) {
    m_HeaderNames[col] = text;
    m_HeaderEdited[col] = 1;
  }
  if (col >= m_ColCount) m_ColCount = col + 1;
  if (row >= m_RowCount) m_RowCount = row + 1;
  return true;
}

void CCsvPropPage::MeasureSelection() {
  switch (m_SelKind) {
    case SEL_CELLS: {
      int r0 = m_SelCell.row, c0 = m_SelCell.subitem, r1 = r0, c1 = c0;
      if (m_SelMulti == MULTI_SHIFT && m_AnchorRow >= 0 && m_AnchorSubItem >= 0) {
        r0 = std::min(r0, m_AnchorRow);
        r1 = std::max(r1, m_AnchorRow);
        c0 = std::min(c0, m_AnchorSubItem);
        c1 = std::max(c1, m_AnchorSubItem);
      }
      m_SelTop = r0;
      m_SelLeft = c0;
      m_SelHeight = r1 - r0 + 1;
      m_SelWidth = c1 - c0 + 1;
      break;
    }
    case SEL_ROWS: {
      int r0 = m_SelCell.row, r1 = r0;
      if (m_SelMulti == MULTI_SHIFT && m_AnchorRow >= 0) {
        r0 = std::min(r0, m_AnchorRow);
        r1 = std::max(r1, m_AnchorRow);
      }
      m_SelTop = r0;
      m_SelHeight = r1 - r0 + 1;
      m_SelLeft = kFirstDataSubItem;
      m_SelWidth = m_ColCount;
      break;
    }
    case SEL_COLUMNS: {
      int c0 = m_SelCell.subitem, c1 = c0;
      if (m_SelMulti == MULTI_SHIFT && m_AnchorSubItem >= 0) {
        c0 = std::min(c0, m_AnchorSubItem);
        c1 = std::max(c1, m_AnchorSubItem);
      }
      m_SelLeft = c0;
      m_SelWidth = c1 - c0 + 1;
      m_SelTop = 0;
      m_SelHeight = m_RowCount;
      break;
    }
    default:
      m_SelTop = m_SelLeft = m_SelHeight = m_SelWidth = 0;
  }
}
