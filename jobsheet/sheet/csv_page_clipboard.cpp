// The CSV edit page's own clipboard: copy, cut, paste, delete and insert of
// cells, rows and columns, and the settings that follow moved columns.

#include <algorithm>
#include <set>

#include "grid/grid_messages.h"
#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/csv_prop_page.h"

namespace {

bool Pending(int state) { return state == CLIP_COPIED || state == CLIP_CUT; }

// Everything that belongs to one grid column besides its cells.
struct ColumnEntry {
  int map = 0;
  int code = 0;
  int bits = 0;   // 1 subject total, 2 group
  int keys = 0;   // bit k: sort key k stands on this column
  std::vector<int> rowTotal;
  std::vector<int> timeSpan;
};

}  // namespace

void CCsvPropPage::SetTitleRow(CsvGrids& g, int row) {
  g.titleRow = row;
  m_PageTitleRow = row;
  if (row >= 0) m_TitleRowText.Format(kCsvTitleRowFormat, row + 1);
}

void CCsvPropPage::CopySelectionToClip(const CsvGrids& g) {
  FreeClipCells();
  switch (m_SelKind) {
    case SEL_CELLS:
      for (int r = 0; r < m_SelHeight; ++r) {
        std::vector<CString> line;
        for (int c = 0; c < m_SelWidth; ++c)
          line.push_back(g.edit.GetAt(m_SelTop + r, m_SelLeft + c - kFirstDataSubItem));
        m_ClipCells.push_back(std::move(line));
      }
      m_ClipRows = m_SelHeight;
      m_ClipCols = m_SelWidth;
      break;
    case SEL_ROWS:
      for (int row : m_SelOrder) {
        std::vector<CString> line;
        for (int c = 0; c < m_ColCount; ++c) line.push_back(g.edit.GetAt(row, c));
        m_ClipCells.push_back(std::move(line));
        m_ClipSource.push_back(row);
      }
      m_ClipRows = static_cast<int>(m_SelOrder.size());
      m_ClipCols = m_ColCount;
      break;
    case SEL_COLUMNS:
      m_ClipRows = m_SelHeight;
      m_ClipCols = static_cast<int>(m_SelOrder.size());
      m_ClipCells.assign(m_ClipRows, std::vector<CString>(m_ClipCols));
      for (int i = 0; i < m_ClipCols; ++i) {
        const int col = m_SelOrder[i] - kFirstDataSubItem;
        for (int r = 0; r < m_ClipRows; ++r) m_ClipCells[r][i] = g.edit.GetAt(r, col);
        m_ClipSource.push_back(col + 1);
        m_ClipNames.push_back(col >= 0 && col < GRID_COLS ? m_HeaderNames[col] : CString());
        m_ClipEdited.push_back(col >= 0 && col < GRID_COLS ? m_HeaderEdited[col] : 0);
      }
      break;
    default:
      break;
  }
}

void CCsvPropPage::OnEditCopy(CsvGrids& g) {
  if (m_SelKind == SEL_NONE || m_ClipState == CLIP_CUT) return;
  m_ClipState = CLIP_COPIED;
  MeasureSelection();
  CopySelectionToClip(g);
  m_ClipKind = m_SelKind;
}

void CCsvPropPage::OnEditCut(CsvGrids& g) {
  if (m_SelKind == SEL_NONE) return;
  if (m_SelKind == SEL_ROWS && g.titleRow >= 0 &&
      std::find(m_SelIndexes.begin(), m_SelIndexes.end(), g.titleRow) != m_SelIndexes.end()) {
    Refuse(u"タイトル行を含む行の切り取りはできません。");
    return;
  }
  MeasureSelection();
  CopySelectionToClip(g);
  m_ClipKind = m_SelKind;
  m_ClipState = CLIP_CUT;
}

void CCsvPropPage::PasteClipCells(CsvGrids& g, int targetRow, int targetSub) {
  auto write = [&](int r, int c, const CString& text) {
    if (r < 0 || r >= EDIT_GRID_ROWS || c < 0 || c >= GRID_COLS) return;
    g.edit[r][c] = text;
    m_RowCount = std::max(m_RowCount, r + 1);
    m_ColCount = std::max(m_ColCount, c + 1);
  };
  const bool fill = m_SelMulti == MULTI_SHIFT;
  switch (m_ClipKind) {
    case SEL_CELLS:
      if (fill && m_ClipRows == 1 && m_ClipCols == 1) {
        for (int r = 0; r < m_SelHeight; ++r)
          for (int c = 0; c < m_SelWidth; ++c)
            write(m_SelTop + r, m_SelLeft + c - kFirstDataSubItem, m_ClipCells[0][0]);
      } else {
        for (int r = 0; r < m_ClipRows; ++r)
          for (int c = 0; c < m_ClipCols; ++c)
            write(targetRow + r, targetSub - kFirstDataSubItem + c, m_ClipCells[r][c]);
      }
      if (!m_EditMode && m_PageTitleRow >= 0) {
        for (int c = 0; c < m_ColCount; ++c) {
          const CString& t = g.edit.GetAt(m_PageTitleRow, c);
          if (t != m_HeaderNames[c]) {
            m_HeaderNames[c] = t;
            m_HeaderEdited[c] = 1;
          }
        }
      }
      break;
    case SEL_ROWS: {
      auto writeRow = [&](int dest, const std::vector<CString>& line) {
        for (int c = 0; c < static_cast<int>(line.size()); ++c) write(dest, c, line[c]);
      };
      if (fill && m_ClipRows == 1) {
        for (int r = 0; r < m_SelHeight; ++r) writeRow(m_SelTop + r, m_ClipCells[0]);
      } else {
        for (int i = 0; i < m_ClipRows; ++i) writeRow(targetRow + i, m_ClipCells[i]);
      }
      break;
    }
    case SEL_COLUMNS: {
      const bool moved = m_ClipState == CLIP_CUT;
      auto writeColumn = [&](int dest, int i) {
        if (dest < 0 || dest >= GRID_COLS) return;
        for (int r = 0; r < m_ClipRows; ++r) write(r, dest, m_ClipCells[r][i]);
        if (m_PageTitleRow < 0) return;
        if (moved) {
          m_HeaderNames[dest] = m_ClipNames[i];
          m_HeaderEdited[dest] = static_cast<unsigned char>(m_ClipEdited[i]);
        } else {
          m_HeaderNames[dest] = m_ClipNames[i] + u"_2";
          m_HeaderEdited[dest] = 1;
        }
        write(m_PageTitleRow, dest, m_HeaderNames[dest]);
      };
      if (fill && m_ClipCols == 1) {
        for (int c = 0; c < m_SelWidth; ++c) writeColumn(m_SelLeft + c - kFirstDataSubItem, 0);
      } else {
        for (int i = 0; i < m_ClipCols; ++i) writeColumn(targetSub - kFirstDataSubItem + i, i);
      }
      m_ColumnsChanged = 1;
      break;
    }
    default:
      break;
  }
}

void CCsvPropPage::OnEditPaste(CsvGrids& g) {
  if (m_ClipState != CLIP_COPIED || m_ClipKind != m_SelKind || m_ClipCells.empty()) return;
  MeasureSelection();
  if (m_SelKind == SEL_CELLS) {
    const int sub = m_SelMulti == MULTI_SHIFT ? m_SelLeft : m_SelCell.subitem;
    const int row = m_SelMulti == MULTI_SHIFT ? m_SelTop : m_SelCell.row;
    const int col = sub - kFirstDataSubItem;
    if (col >= m_ColCount && row != g.titleRow && g.titleRow >= 0 && g.edit.GetAt(g.titleRow, col).IsEmpty()) {
      CString msg;
      msg.Format(kCsvOutsideColumns, m_ColCount);
      Refuse(msg);
      return;
    }
    PasteClipCells(g, row, sub);
  } else if (m_SelKind == SEL_ROWS) {
    // The title row names the job's fields: a paste must not write over it.
    const bool fill = m_SelMulti == MULTI_SHIFT && m_ClipRows == 1;
    const int top = fill ? m_SelTop : m_PasteRow;
    const int height = fill ? m_SelHeight : m_ClipRows;
    if (g.titleRow >= top && g.titleRow < top + height) {
      Refuse(u"タイトル行を含む行への貼り付けはできません。");
      return;
    }
    PasteClipCells(g, m_PasteRow, kFirstDataSubItem);
  } else if (m_SelKind == SEL_COLUMNS) {
    if (m_PasteSubItem < kFirstDataSubItem && m_SelMulti != MULTI_SHIFT) return;
    const auto [lo, hi] = std::minmax_element(m_SelIndexes.begin(), m_SelIndexes.end());
    if (m_SelMulti != MULTI_SHIFT && lo != m_SelIndexes.end() && m_PasteSubItem >= *lo && m_PasteSubItem <= *hi) {
      Refuse(u"貼り付け元の列の間には、貼り付けできません");
      return;
    }
    const int at = (m_SelMulti == MULTI_SHIFT ? m_SelLeft : m_PasteSubItem) - kFirstDataSubItem;
    MoveColumnSettings(2, at);
    PasteClipCells(g, 0, at + kFirstDataSubItem);
  }
  m_ClipState = CLIP_EMPTY;
  ClearSelection();
}

void CCsvPropPage::RemoveRows(CsvGrids& g, std::vector<int> rows) {
  std::set<int> gone;
  for (int r : rows)
    if (r >= 0 && r < m_RowCount) gone.insert(r);
  if (gone.empty()) return;
  int dst = 0;
  for (int src = 0; src < m_RowCount; ++src) {
    if (gone.count(src)) continue;
    if (dst != src) g.edit.SwapRows(dst, src);
    ++dst;
  }
  for (int r = dst; r < m_RowCount; ++r) g.edit.ClearRow(r);
  m_RowCount = dst;
}

void CCsvPropPage::RemoveColumns(CsvGrids& g, std::vector<int> columns) {
  std::set<int> gone;
  for (int c : columns)
    if (c >= 0 && c < m_ColCount) gone.insert(c);
  if (gone.empty()) return;
  std::vector<int> kept;
  for (int c = 0; c < m_ColCount; ++c)
    if (!gone.count(c)) kept.push_back(c);
  const int newCount = static_cast<int>(kept.size());
  for (int r = 0; r < m_RowCount; ++r) {
    if (g.edit.RowWidth(r) == 0) continue;
    std::vector<CString> line;
    line.reserve(newCount);
    for (int c : kept) line.push_back(g.edit.GetAt(r, c));
    for (int c = 0; c < newCount; ++c) g.edit[r][c] = line[c];
    g.edit.TruncateRow(r, newCount);
  }
  for (int i = 0; i < newCount; ++i) {
    m_HeaderNames[i] = m_HeaderNames[kept[i]];
    m_HeaderEdited[i] = m_HeaderEdited[kept[i]];
  }
  for (int c = newCount; c < GRID_COLS; ++c) {
    m_HeaderNames[c].Empty();
    m_HeaderEdited[c] = 0;
  }
  m_ColCount = newCount;
}

bool CCsvPropPage::InsertBlankLines(CsvGrids& g, int kind, int at, int count) {
  count = std::max(count, 1);
  if (kind == SEL_ROWS) {
    if (m_RowCount + kSpareLines > EDIT_GRID_ROWS || m_RowCount + count > EDIT_GRID_ROWS)
      return Refuse(u"最大行数を超えます。追加できません");
    if (at < m_RowCount) {
      for (int r = m_RowCount - 1; r >= at; --r) g.edit.SwapRows(r, r + count);
      for (int r = at; r < at + count; ++r) g.edit.ClearRow(r);
      m_RowCount += count;
    }
    return true;
  }
  if (count + m_ColCount > GRID_COLS) return Refuse(kGridTooManyColumns);
  if (at < m_ColCount) {
    for (int r = 0; r < m_RowCount; ++r) {
      if (g.edit.RowWidth(r) <= at) continue;
      for (int c = m_ColCount - 1; c >= at; --c) g.edit[r][c + count] = g.edit.GetAt(r, c);
      for (int c = at; c < at + count; ++c) g.edit[r][c].Empty();
    }
    for (int c = m_ColCount - 1; c >= at; --c) {
      m_HeaderNames[c + count] = m_HeaderNames[c];
      m_HeaderEdited[c + count] = m_HeaderEdited[c];
    }
    for (int c = at; c < at + count; ++c) {
      m_HeaderNames[c].Empty();
      m_HeaderEdited[c] = 0;
    }
    m_ColCount += count;
  }
  return true;
}

void CCsvPropPage::OnEditDelete(CsvGrids& g) {
  if (m_SelKind == SEL_NONE) return;
  if (m_SelKind == SEL_ROWS && g.titleRow >= 0 &&
      std::find(m_SelIndexes.begin(), m_SelIndexes.end(), g.titleRow) != m_SelIndexes.end()) {
    Refuse(u"タイトル行を含む行の削除はできません。");
    return;
  }
  m_ClipState = CLIP_DELETING;
  MeasureSelection();
  if (m_SelKind == SEL_CELLS) {
    for (int r = m_SelTop; r < m_SelTop + m_SelHeight; ++r)
      for (int c = m_SelLeft; c < m_SelLeft + m_SelWidth; ++c) {
        const int col = c - kFirstDataSubItem;
        if (r < 0 || col < 0 || col >= GRID_COLS) continue;
        if (!g.edit.GetAt(r, col).IsEmpty()) g.edit[r][col].Empty();
        if (!m_EditMode && r == m_PageTitleRow) {
          m_HeaderNames[col].Empty();
          m_HeaderEdited[col] = 1;
        }
      }
    FreeClipCells();
    m_CellText.Empty();
  } else if (m_SelKind == SEL_ROWS) {
    std::vector<int> rows = m_SelOrder;
    if (g.titleRow >= 0) {
      const int above = static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                       [&](int r) { return r < g.titleRow && r < m_RowCount; }));
      if (above > 0) SetTitleRow(g, g.titleRow - above);
    }
    RemoveRows(g, rows);
  } else if (m_SelKind == SEL_COLUMNS) {
    std::vector<int> cols;
    for (int sub : m_SelOrder) cols.push_back(sub - kFirstDataSubItem);
    for (int c : cols) {
      if (c < 0 || c >= m_ColCount) continue;
      if (!RemoveComputedColumnDefs(c)) {
        COLDATA d;
        d.m_SourceColumn = m_ColumnMap[c];
        m_OmittedColumns.push_back(d);
      }
    }
    RemoveColumnEntries(cols);
    RemoveColumns(g, cols);
    m_ColumnsChanged = 1;
  }
  FreeClipCells();
  m_SelIndexes.clear();
  m_SelOrder.clear();
  m_SelCells.clear();
  m_SelKind = m_ClipKind = SEL_NONE;
  m_SelMulti = MULTI_SINGLE;
  m_SelCell = HEADERDATA{};
  m_ClipState = CLIP_EMPTY;
}

void CCsvPropPage::OnEditInsert(CsvGrids& g) {
  if (!Pending(m_ClipState) || m_ClipKind != m_SelKind ||
      (m_SelKind != SEL_ROWS && m_SelKind != SEL_COLUMNS) || m_ClipCells.empty())
    return;
  const bool cut = m_ClipState == CLIP_CUT;
  std::vector<int> sources = m_SelOrder;
  const int count = std::max(m_SelKind == SEL_ROWS ? m_ClipRows : m_ClipCols, 1);
  if (m_SelKind == SEL_COLUMNS) {
    const int target = m_AnchorSubItem;
    if (target < kFirstDataSubItem) return;
    const auto [lo, hi] = std::minmax_element(sources.begin(), sources.end());
    const bool inside = lo != sources.end() && target >= *lo && target <= *hi;
    if (!cut && inside) {
      Refuse(u"挿入元の列の間には、挿入できません");
      return;
    }
    if (cut && std::find(sources.begin(), sources.end(), target) != sources.end()) {
      Refuse(u"選択した範囲外に移動先を設定してください");
      ClearSelection();
      return;
    }
    if (cut && inside) {
      Refuse(u"重なった列には挿入できません");
      return;
    }
    const int at = target - kFirstDataSubItem;
    if (!InsertBlankLines(g, SEL_COLUMNS, at, count)) return;
    std::vector<int> srcCols;
    for (int s : sources) srcCols.push_back(s - kFirstDataSubItem);
    InsertColumnEntries(srcCols, at, cut);
    m_SelMulti = MULTI_SINGLE;
    PasteClipCells(g, 0, target);
    if (cut) {
      std::vector<int> shifted;
      for (int s : srcCols) shifted.push_back(s >= at ? s + count : s);
      RemoveColumnEntries(shifted);
      RemoveColumns(g, shifted);
    }
    m_ColumnsChanged = 1;
  } else {
    const int target = std::max(m_AnchorRow, 0);
    if (!InsertBlankLines(g, SEL_ROWS, target, count)) return;
    if (g.titleRow >= 0 && target <= g.titleRow) SetTitleRow(g, g.titleRow + count);
    m_SelMulti = MULTI_SINGLE;
    PasteClipCells(g, target, kFirstDataSubItem);
    if (cut) {
      std::vector<int> shifted;
      for (int s : sources) shifted.push_back(s >= target ? s + count : s);
      if (g.titleRow >= 0) {
        const int above = static_cast<int>(
            std::count_if(shifted.begin(), shifted.end(), [&](int r) { return r < g.titleRow; }));
        if (above > 0) SetTitleRow(g, g.titleRow - above);
      }
      RemoveRows(g, shifted);
    }
  }
  FreeClipCells();
  m_SelIndexes.clear();
  m_SelOrder.clear();
  m_SelCells.clear();
  m_SelKind = m_ClipKind = SEL_NONE;
  m_SelMulti = MULTI_SINGLE;
  m_ClipState = CLIP_EMPTY;
  m_SelCell = m_PrevSelCell = HEADERDATA{};
}

CCsvPropPage::EditMenuState CCsvPropPage::GetEditMenuState(const CsvGrids& g) const {
  EditMenuState s;
  const bool selected = m_SelKind != SEL_NONE && (m_SelKind != SEL_CELLS || m_SelCell.row >= 0) &&
                        (m_SelKind != SEL_COLUMNS || !m_SelIndexes.empty()) &&
                        (m_SelKind != SEL_ROWS || !m_SelIndexes.empty() || m_ClipState != CLIP_EMPTY);
  const bool pending = Pending(m_ClipState);
  s.cut = (m_ClipState == CLIP_EMPTY || m_ClipState == CLIP_COPIED) && selected;
  s.copy = selected && m_ClipState != CLIP_CUT;
  s.paste = m_ClipState == CLIP_COPIED && m_ClipKind == m_SelKind;
  s.del = s.cut;
  s.insert = pending && (m_SelKind == SEL_ROWS || m_SelKind == SEL_COLUMNS) && m_ClipKind == m_SelKind;
  s.deselect = pending;
  if (m_SelKind == SEL_COLUMNS && m_SelCell.subitem >= kFirstDataSubItem) {
    const int col = m_SelCell.subitem - kFirstDataSubItem;
    if (g.titleRow < 0 || g.edit.GetAt(g.titleRow, col).IsEmpty()) s.cut = s.copy = s.del = false;
    for (const auto* list : {&m_RowTotals, &m_TimeSpans})
      for (const HORIZONTAL& h : *list)
        if (col < GRID_COLS && h.flags[col] == HZ_RESULT) s.copy = false;
  }
  return s;
}

// ---- Settings that follow their columns ----------------------------------------

namespace {

std::vector<ColumnEntry> Gather(const CCsvPropPage& p) {
  std::vector<ColumnEntry> e(GRID_COLS);
  for (int c = 0; c < GRID_COLS; ++c) {
    e[c].map = p.m_ColumnMap[c];
    e[c].code = p.m_ColumnCodes[c];
    if (p.m_SubjectCol == c + 1) e[c].bits |= 1;
    if (p.m_GroupCol == c + 1) e[c].bits |= 2;
    for (int k = 0; k < 3; ++k)
      if (p.m_SortCols[k] == c + 1) e[c].keys |= 1 << k;
    for (const HORIZONTAL& h : p.m_RowTotals) e[c].rowTotal.push_back(h.flags[c]);
    for (const HORIZONTAL& h : p.m_TimeSpans) e[c].timeSpan.push_back(h.flags[c]);
  }
  return e;
}

void Scatter(CCsvPropPage& p, std::vector<ColumnEntry> e) {
  e.resize(GRID_COLS);
  const bool hadSubject = p.m_SubjectCol > 0, hadGroup = p.m_GroupCol > 0;
  int subject = 0, group = 0;
  int keyCols[3] = {};
  for (int c = 0; c < GRID_COLS; ++c) {
    p.m_ColumnMap[c] = e[c].map;
    p.m_ColumnCodes[c] = e[c].code;
    for (size_t i = 0; i < p.m_RowTotals.size(); ++i)
      p.m_RowTotals[i].flags[c] = i < e[c].rowTotal.size() ? e[c].rowTotal[i] : 0;
    for (size_t i = 0; i < p.m_TimeSpans.size(); ++i)
      p.m_TimeSpans[i].flags[c] = i < e[c].timeSpan.size() ? e[c].timeSpan[i] : 0;
    if (e[c].bits & 1) subject = c + 1;
    if (e[c].bits & 2) group = c + 1;
    for (int k = 0; k < 3; ++k)
      if ((e[c].keys & (1 << k)) && keyCols[k] == 0) keyCols[k] = c + 1;
  }
  if (hadSubject) p.m_SubjectCol = subject;
  if (hadGroup) p.m_GroupCol = group;
  // Each key follows its own column with its type and order; a key whose column
  // went gives its place to the keys after it, so their priority stays.
  int next = 0;
  for (int k = 0; k < 3; ++k) {
    if (keyCols[k] == 0) continue;
    p.m_SortCols[next] = keyCols[k];
    p.m_SortTypes[next] = p.m_SortTypes[k];
    p.m_SortDesc[next] = p.m_SortDesc[k];
    ++next;
  }
  for (int k = next; k < 3; ++k) p.m_SortCols[k] = p.m_SortTypes[k] = p.m_SortDesc[k] = 0;
}

}  // namespace

void CCsvPropPage::InsertColumnEntries(const std::vector<int>& sources, int at, bool moved) {
  if (at < 0 || at >= GRID_COLS) return;
  std::vector<ColumnEntry> e = Gather(*this);
  std::vector<ColumnEntry> saved;
  for (int s : sources) {
    if (s >= 0 && s < GRID_COLS) {
      saved.push_back(e[s]);
      // A sort key goes with a moved column and stays behind on a copied one.
      if (moved) e[s].keys = 0;
      else saved.back().keys = 0;
    } else {
      saved.push_back(ColumnEntry{});   // a blank column
    }
  }
  e.insert(e.begin() + at, saved.begin(), saved.end());
  Scatter(*this, std::move(e));
  m_ColumnsChanged = 1;
}

void CCsvPropPage::RemoveColumnEntries(std::vector<int> columns) {
  std::sort(columns.begin(), columns.end(), [](int a, int b) { return a > b; });
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  std::vector<ColumnEntry> e = Gather(*this);
  for (int c : columns)
    if (c >= 0 && c < GRID_COLS) e.erase(e.begin() + c);
  // Removed bits must not come back at the end.
  Scatter(*this, std::move(e));
  m_ColumnsChanged = 1;
}

void CCsvPropPage::MoveColumnSettings(int kind, int position) {
  if (kind == 0) {
    std::vector<int> sources;
    for (int s : m_SelIndexes) sources.push_back(s - kFirstDataSubItem);
    InsertColumnEntries(sources, position, m_ClipState == CLIP_CUT);
  } else if (kind == 1) {
    std::vector<int> cols;
    for (int s : m_SelIndexes) cols.push_back(s - kFirstDataSubItem);
    RemoveColumnEntries(cols);
  } else if (kind == 2) {
    std::vector<ColumnEntry> e = Gather(*this);
    const std::vector<ColumnEntry> saved = e;
    const bool fill = m_SelMulti == MULTI_SHIFT && m_ClipSource.size() == 1;
    const int n = fill ? m_SelWidth : static_cast<int>(m_ClipSource.size());
    for (int i = 0; i < n; ++i) {
      const int dest = position + i;
      const int src = m_ClipSource[fill ? 0 : i] - 1;
      if (dest < 0 || dest >= GRID_COLS || src < 0 || src >= GRID_COLS) continue;
      e[dest] = saved[src];
      e[dest].keys = 0;   // a copy is no sort key; the key stays on its source
    }
    Scatter(*this, std::move(e));
  }
}
