// The CSV edit page's row operations: the row condition, the sort keys and
// edit mode.

#include <algorithm>
#include <numeric>

#include "grid/date_text.h"
#include "grid/number_text.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "macro/macro_eval.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kCaption[] = u"タブロコネクト";

// The condition as the evaluator reads it: "if " in front unless it is there,
// full-width comparison signs as ASCII.
CString ConditionStatement(const CString& condition) {
  CString trimmed = condition;
  trimmed.TrimLeft();
  CString text = trimmed.Left(3) == u"if " ? condition : u"if " + condition;
  text.Replace(u'＜', u'<');
  text.Replace(u'＞', u'>');
  text.Replace(u'＝', u'=');
  text.Replace(u'！', u'!');
  return text;
}

int CompareKey(const CString& a, const CString& b, int type) {
  if (type == 1) {
    const double x = ParseNumberText(a), y = ParseNumberText(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (type == 2) {
    int fa = 0, fb = 0;
    DateTextError ea{}, eb{};
    const int64_t x = ParseDateText(a, fa, ea), y = ParseDateText(b, fb, eb);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  const int c = a.Compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

bool CCsvPropPage::ApplyRowCondition(CsvGrids& g, const CString& condition) {
  const int first = g.titleRow >= 0 ? g.titleRow + 1 : 0;
  const CString text = ConditionStatement(condition);
  std::vector<CString> names;
  if (g.titleRow >= 0)
    for (int c = 0; c < std::min(g.dataCols, GRID_COLS); ++c) names.push_back(g.data.GetAt(g.titleRow, c));
  std::vector<char> keep(static_cast<size_t>(std::max(m_RowCount, 0)), 1);
  std::vector<CString> cells(GRID_COLS);
  std::vector<const char16_t*> texts(GRID_COLS);
  try {
    for (int r = first; r < m_RowCount; ++r) {
      for (int c = 0; c < m_ColCount && c < GRID_COLS; ++c) {
        cells[c] = g.edit.GetAt(r, c);
        texts[c] = cells[c].GetString();
      }
      CMacroEval ev;
      ev.m_RowTexts = texts.data();
      ev.m_ValueCount = std::min(m_ColCount, GRID_COLS);
      if (g.titleRow >= 0) ev.m_ColumnNames = &names;
      keep[r] = ev.Evaluate(text, 1) == 1.0;
    }
  } catch (const CMacroError& e) {
    GetUiHooks().MessageBox(e.Text(), kCaption, MB_OK | MB_ICONWARNING);
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
  std::vector<int> order(static_cast<size_t>(m_RowCount - first));
  std::iota(order.begin(), order.end(), first);
  // Equal keys keep their order (the row index is the last key).
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    for (int k : keys) {
      const int col = m_SortCols[k] - 1;
      int c = CompareKey(g.edit.GetAt(a, col), g.edit.GetAt(b, col), m_SortTypes[k]);
      if (m_SortDesc[k]) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  });
  std::vector<std::vector<CString>> rows;
  rows.reserve(order.size());
  for (int r : order) {
    std::vector<CString> line(static_cast<size_t>(m_ColCount));
    for (int c = 0; c < m_ColCount; ++c) line[c] = g.edit.GetAt(r, c);
    rows.push_back(std::move(line));
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const int r = first + static_cast<int>(i);
    g.edit.TruncateRow(r, 0);
    for (int c = 0; c < m_ColCount; ++c)
      if (!rows[i][c].IsEmpty()) g.edit[r][c] = rows[i][c];
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
