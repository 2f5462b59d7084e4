// The CSV edit page's row operations: the row condition, the sort keys and
// edit mode.

#include <algorithm>

#include "edittools/sort/row_sort.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/filter_text.h"
#include "macro/macro_eval.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kNoRowKept[] = u"条件に合う行がありません。\n条件式を見直してください。";
// Stands in the names list for a column without a title: no reference matches it.
constexpr char16_t kNoName[] = u"\x01";

}  // namespace

bool CCsvPropPage::ApplyRowCondition(CsvGrids& g, const CString& condition) {
  const int first = g.titleRow >= 0 ? g.titleRow + 1 : 0;
  const int cols = std::clamp(m_ColCount, 0, GRID_COLS);
  const CString text = PageConditionStatement(condition, cols);
  // Each column twice: under its title name and under the name "[n]" became.
  std::vector<CString> names(static_cast<size_t>(2 * cols), CString(kNoName));
  for (int c = 0; c < cols; ++c) {
    if (g.titleRow >= 0 && c < g.dataCols) names[c] = g.data.GetAt(g.titleRow, c);
    names[cols + c] = ColumnNumberName(c + 1);
  }
  std::vector<char> keep(static_cast<size_t>(std::max(m_RowCount, 0)), 1);
  std::vector<CString> cells(static_cast<size_t>(cols));
  std::vector<const char16_t*> texts(static_cast<size_t>(2 * cols) + 1);
  int kept = 0;
  try {
    for (int r = first; r < m_RowCount; ++r) {
      for (int c = 0; c < cols; ++c) {
        cells[c] = g.edit.GetAt(r, c);
        texts[c] = texts[cols + c] = cells[c].GetString();
      }
      CMacroEval ev;
      ev.m_RowTexts = texts.data();
      ev.m_ValueCount = 2 * cols;
      ev.m_ColumnNames = &names;
      keep[r] = ev.Evaluate(text, 1) == 1.0;
      kept += keep[r];
    }
  } catch (const CMacroError& e) {
    GetUiHooks().MessageBox(e.Text(), kAppCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  // A condition that would empty the grid is taken for a mistake: nothing is removed.
  if (kept == 0 && first < m_RowCount) {
    GetUiHooks().MessageBox(kNoRowKept, kAppCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  int dst = first;
  for (int r = first; r < m_RowCount; ++r) {
    if (!keep[r]) continue;
    if (dst != r) g.edit.SwapRows(dst, r);
    ++dst;
  }
  for (int r = dst; r < m_RowCount; ++r) g.edit.ClearRow(r);
  m_RowCount = dst;
  return true;
}

void CCsvPropPage::ApplySortToGrid(CsvGrids& g) {
  const int first = g.titleRow >= 0 ? g.titleRow + 1 : 0;
  std::vector<int> keys;
  for (int k = 0; k < 3; ++k)
    if (m_SortCols[k] >= 1 && m_SortCols[k] <= GRID_COLS) keys.push_back(k);
  if (keys.empty() || first >= m_RowCount) return;
  // The row's index is the last key, so equal rows keep their order.
  int types[4] = {}, orders[4] = {};
  for (size_t i = 0; i < keys.size(); ++i) {
    types[i] = m_SortTypes[keys[i]];
    orders[i] = m_SortDesc[keys[i]];
  }
  types[keys.size()] = SORT_AS_NUMBER;
  std::vector<SORTDAT> rows;
  rows.reserve(static_cast<size_t>(m_RowCount - first));
  for (int r = first; r < m_RowCount; ++r) {
    SORTDAT d;
    d.rowSequence = r - first;
    for (int k : keys) d.keys.push_back(g.edit.GetAt(r, m_SortCols[k] - 1));
    d.keys.push_back(CString::Build(u"%d", r));
    rows.push_back(std::move(d));
  }
  SortRows(static_cast<int>(keys.size()) + 1, types, orders, &rows);
  std::vector<std::vector<CString>> lines;
  lines.reserve(rows.size());
  for (const SORTDAT& d : rows) {
    std::vector<CString> line(static_cast<size_t>(m_ColCount));
    for (int c = 0; c < m_ColCount; ++c) line[c] = g.edit.GetAt(first + d.rowSequence, c);
    lines.push_back(std::move(line));
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const int r = first + static_cast<int>(i);
    g.edit.TruncateRow(r, 0);
    for (int c = 0; c < m_ColCount; ++c)
      if (!lines[i][c].IsEmpty()) g.edit[r][c] = lines[i][c];
  }
}

void CCsvPropPage::ShowSortKeys() {
  m_SortText.Empty();
  for (int k = 0; k < 3; ++k) {
    if (m_SortCols[k] < 1 || m_SortCols[k] > GRID_COLS) continue;
    m_SortText += m_HeaderNames[m_SortCols[k] - 1];
    m_SortText += u"\n";
  }
}

bool CCsvPropPage::EnterEditMode(CsvGrids& g) {
  const CString condition = m_Condition.IsEmpty() ? m_ConditionText : m_Condition;
  if (!condition.IsEmpty() && !ApplyRowCondition(g, condition)) return false;
  if (!m_SortText.IsEmpty()) ApplySortToGrid(g);
  for (const HORIZONTAL& def : m_RowTotals) {
    int target = -1;
    for (int c = 0; c < GRID_COLS; ++c)
      if (def.flags[c] == HZ_RESULT) target = c;
    if (target >= 0) ComputeRowTotals(g, def, target);
  }
  for (const HORIZONTAL& def : m_TimeSpans) {
    int target = -1;
    for (int c = 0; c < GRID_COLS; ++c)
      if (def.flags[c] == HZ_RESULT) target = c;
    if (target >= 0) ComputeTimeSpans(g, def, target);
  }
  m_EditMode = 1;
  g.editModeEntered = 1;
  for (int k = 0; k < 3; ++k) m_SortCols[k] = m_SortTypes[k] = m_SortDesc[k] = 0;
  m_SortText.Empty();
  m_ConditionText.Empty();
  m_Condition.Empty();
  m_CountText = CountLine(g);
  return true;
}

void CCsvPropPage::ApplyFilterResult(CsvGrids& g, const CString& condition) {
  m_Condition = condition;
  m_ConditionText = condition;
  ShowSortKeys();
  if (m_EditMode && !m_ConditionText.IsEmpty()) {
    if (ApplyRowCondition(g, m_ConditionText)) m_Condition.Empty();
  }
}

void CCsvPropPage::ApplySortResult(CsvGrids& g) {
  ShowSortKeys();
  const bool keySet = m_SortCols[0] > 0 || m_SortCols[1] > 0 || m_SortCols[2] > 0;
  if (m_EditMode && !m_SortText.IsEmpty() && keySet) ApplySortToGrid(g);
  if (m_EditMode)
    for (int k = 0; k < 3; ++k) m_SortCols[k] = m_SortTypes[k] = m_SortDesc[k] = 0;
}
