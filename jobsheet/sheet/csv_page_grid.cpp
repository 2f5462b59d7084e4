// The CSV edit page: filling the edit grid, its list geometry and clearing.

#include <algorithm>

#include "grid/text_width.h"
#include "jobsheet/sheet/csv_prop_page.h"

namespace {

constexpr char16_t kCountFormat[] = u" 表示 最大列数 %d 最大行数 %d";
constexpr char16_t kCountFormatAll[] = u" 表示 最大列数 %d 最大行数 %d    全行数 %d";

}  // namespace

CString ColumnLetters(int n) {
  static constexpr char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  CString s;
  if (n >= 1 && n <= 26) {
    s += kLetters[n - 1];
  } else if (n >= 27 && n <= 702) {
    s += kLetters[(n - 27) / 26];
    s += kLetters[(n - 27) % 26];
  } else if (n >= 703 && n <= 16384) {
    const int m = n - 703;
    s += kLetters[m / 676];
    s += kLetters[(m / 26) % 26];
    s += kLetters[m % 26];
  }
  return s;
}

void CCsvPropPage::CopySourceToGrid(CsvGrids& g) {
  if (g.sendCols > 0 && g.sendRows > 0) {
    m_RowCount = g.sendRows;
    return;
  }
  const bool mapped = m_ColumnsChanged && g.addCsvCount == 0;
  const int rows = std::min(g.dataRows, EDIT_GRID_ROWS);
  const int cols = std::clamp(g.dataCols, 0, GRID_COLS);
  for (int r = 0; r < rows; ++r) {
    if (!mapped) g.edit.ShareRow(r, g.data, cols);
  }
  m_ColCount = cols;
  if (!m_ColumnsChanged)
    for (int c = 0; c < m_ColCount; ++c) m_ColumnMap[c] = c + 1;
  m_RowCount = rows;
  g.editCols = m_ColCount;
  g.editRows = m_RowCount;
  m_LoadedTitleRow = g.titleRow;
  if (mapped) {
    for (int r = 0; r < g.editRows; ++r)
      for (int c = 0; c < m_ColCount; ++c)
        g.edit[r][c] = m_ColumnMap[c] > 0 ? g.data.GetAt(r, m_ColumnMap[c] - 1) : CString();
  }
}

int CCsvPropPage::ListRowCount() const { return std::clamp(m_RowCount + kSpareLines, 0, EDIT_GRID_ROWS); }

int CCsvPropPage::ListDataColumns() const { return std::clamp(m_ColCount + kSpareLines, 0, GRID_COLS); }

CString CCsvPropPage::RowNumberText(int gridRow) const {
  if (m_EditMode && gridRow >= m_RowCount) return CString();
  CString n;
  n.Format(u"%d", gridRow + 1);
  return AlignRightColumns(n, 5);
}

CString CCsvPropPage::CountLine(const CsvGrids& g) const {
  CString s;
  // Clipboard input is in edit mode from the start: no total either.
  if (g.editModeEntered || m_EditModeForced) s.Format(kCountFormat, GRID_COLS, EDIT_GRID_ROWS);
  else s.Format(kCountFormatAll, GRID_COLS, EDIT_GRID_ROWS, g.editRows);
  return s;
}

void CCsvPropPage::ClearSettings(CsvGrids& g) {
  for (int r = 0; r < m_RowCount && r < EDIT_GRID_ROWS; ++r) g.edit.TruncateRow(r, 0);
  m_ColumnsChanged = 0;
  m_EditMode = 0;
  g.editModeEntered = 0;
  const int rows = std::clamp(g.editRows, 0, EDIT_GRID_ROWS);
  const int cols = std::clamp(g.editCols, 0, GRID_COLS);
  for (int r = 0; r < rows; ++r) g.edit.ShareRow(r, g.data, cols);
  // The edit grid is the data grid again, so its title row is the loaded one.
  if (m_LoadedTitleRow != kTitleRowUnknown && m_LoadedTitleRow != g.titleRow) SetTitleRow(g, m_LoadedTitleRow);
  m_PageBreak = 0;
  m_GroupCol = 0;
  m_SubjectCol = 0;
  ClearSelection();
  m_OmittedColumns.clear();
  m_RowTotals.clear();
  m_TimeSpans.clear();
  std::fill(std::begin(m_HeaderEdited), std::end(m_HeaderEdited), 0);
  if (m_PageTitleRow >= 0)
    for (int c = 0; c < GRID_COLS; ++c) m_HeaderNames[c] = g.data.GetAt(m_PageTitleRow, c);
  m_ColCount = cols;
  m_RowCount = rows;
  std::fill(std::begin(m_ColumnCodes), std::end(m_ColumnCodes), 0);
  for (int k = 0; k < 3; ++k) m_SortCols[k] = m_SortTypes[k] = m_SortDesc[k] = 0;
  m_SortText.Empty();
  m_ColorRuleText.Empty();
  m_Condition.Empty();
  m_ConditionText.Empty();
  for (int c = 0; c < GRID_COLS; ++c) m_ColumnMap[c] = c < cols ? c + 1 : 0;
  m_DataHeader = 0;
  m_CellText = m_CurSubItem >= kFirstDataSubItem ? g.edit.GetAt(m_CurRow, m_CurSubItem - kFirstDataSubItem)
                                                 : CString();
  g.editCols = m_ColCount;
  g.editRows = m_RowCount;
  m_CountText = CountLine(g);
}
