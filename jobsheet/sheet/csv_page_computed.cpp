// The CSV edit page's computed columns: row totals and time differences.

#include <algorithm>
#include <cstdint>
#include <string>

#include "grid/grid_messages.h"
#include "grid/number_text.h"
#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/time_text.h"

namespace {

constexpr char16_t kRowTotalHeader[] = u"横計";
constexpr char16_t kTimeSpanHeader[] = u"時間差";

CString Decimal(int64_t v) { return CString(std::to_string(v)); }

CString HoursMinutes(int64_t hours, int64_t minutes, const char* separator) {
  std::string m = std::to_string(minutes);
  if (m.size() < 2) m = "0" + m;
  return CString(std::to_string(hours) + separator + m);
}

// Columns a definition flags with `flag`, ascending.
std::vector<int> Flagged(const HORIZONTAL& def, int flag) {
  std::vector<int> cols;
  for (int c = 0; c < GRID_COLS; ++c)
    if (def.flags[c] == flag) cols.push_back(c);
  return cols;
}

bool FlagsAnyIn(const HORIZONTAL& def, int from, int to) {
  for (int c = std::max(from, 0); c <= to && c < GRID_COLS; ++c)
    if (def.flags[c] == HZ_INPUT || def.flags[c] == HZ_RESULT) return true;
  return false;
}

}  // namespace

CString RowTotalText(const std::vector<CString>& cells) {
  int64_t number = 0;
  int64_t seconds = 0;
  bool anyTime = false;
  for (const CString& cell : cells) {
    const double sum = ParseNumberText(cell) + static_cast<double>(number);
    number = sum >= 9.2e18 || sum <= -9.2e18 ? number : static_cast<int64_t>(sum);
    const TimeText t = ReadTimeText(cell);
    if (t.form != TIME_NONE) {
      anyTime = true;
      seconds += (static_cast<int64_t>(t.hours) * 60 + t.minutes) * 60;
    }
  }
  if (anyTime) return HoursMinutes(seconds / 3600, (seconds / 60) % 60, ":");
  return FormatDouble(static_cast<double>(number));
}

CString TimeSpanText(const CString& startCell, const CString& endCell, int minutesLeftOut) {
  const TimeText start = ReadTimeText(startCell);
  const TimeText end = ReadTimeText(endCell);
  // A start without a time form counts as 0:00; the end's form decides the output.
  if (end.form == TIME_NONE) return CString();
  auto valid = [](const TimeText& t) { return t.hours >= 0 && t.hours <= 23 && t.minutes >= 0 && t.minutes <= 59; };
  if (!valid(start) || !valid(end)) return CString();
  int64_t s = (static_cast<int64_t>(start.hours) * 60 + start.minutes) * 60;
  int64_t e = (static_cast<int64_t>(end.hours) * 60 + end.minutes) * 60;
  if (end.hours < start.hours) e += 24 * 3600;   // the end lies on the following day
  const int64_t diff = e - s - static_cast<int64_t>(minutesLeftOut) * 60;
  if (diff <= 0) return CString();
  const int64_t h = diff / 3600, m = (diff / 60) % 60;
  switch (end.form) {
    case TIME_JAPANESE:
      if (h == 0) return Decimal(m) + u"分";
      if (m == 0) return Decimal(h) + u"時間";
      return Decimal(h) + u"時間" + Decimal(m) + u"分";
    case TIME_COLON: return HoursMinutes(h, m, ":");
    case TIME_POINT: return HoursMinutes(h, m, ".");
    default: return CString();
  }
}

void CCsvPropPage::ComputeRowTotals(CsvGrids& g, const HORIZONTAL& def, int target) {
  if (target < 0 || target >= GRID_COLS) return;
  const std::vector<int> inputs = Flagged(def, HZ_INPUT);
  const int title = m_PageTitleRow;
  if (title >= 0 && title < m_RowCount) g.edit[title][target] = kRowTotalHeader;
  std::vector<CString> cells;
  for (int r = std::max(title + 1, 0); r < m_RowCount; ++r) {
    cells.clear();
    for (int c : inputs) cells.push_back(g.edit.GetAt(r, c));
    g.edit[r][target] = RowTotalText(cells);
  }
}

void CCsvPropPage::ComputeTimeSpans(CsvGrids& g, const HORIZONTAL& def, int target) {
  if (target < 0 || target >= GRID_COLS) return;
  const std::vector<int> inputs = Flagged(def, HZ_INPUT);
  if (inputs.size() < 2) return;
  const int title = m_PageTitleRow;
  if (title >= 0 && title < m_RowCount) g.edit[title][target] = kTimeSpanHeader;
  for (int r = std::max(title + 1, 0); r < m_RowCount; ++r)
    g.edit[r][target] = TimeSpanText(g.edit.GetAt(r, inputs[0]), g.edit.GetAt(r, inputs[1]), def.minutes);
}

bool CCsvPropPage::RemoveComputedColumnDefs(int column) {
  if (column < 0 || column >= GRID_COLS) return false;
  bool removed = false;
  for (auto* list : {&m_RowTotals, &m_TimeSpans}) {
    const bool hit = std::any_of(list->begin(), list->end(),
                                 [&](const HORIZONTAL& h) { return h.flags[column] == HZ_RESULT; });
    if (hit) {
      list->clear();
      removed = true;
    }
  }
  return removed;
}

void CCsvPropPage::AddComputedColumn(CsvGrids& g, int kind) {
  const int c = m_ColCount;
  if (c >= GRID_COLS) return;
  const CString header = kind == 0 ? kRowTotalHeader : kTimeSpanHeader;
  for (int r = 0; r < m_RowCount; ++r)
    if (!g.edit.GetAt(r, c).IsEmpty()) g.edit[r][c].Empty();
  if (m_PageTitleRow >= 0) {
    g.edit[m_PageTitleRow][c] = header;
    m_HeaderNames[c] = header;
    m_HeaderEdited[c] = 1;
  }
  // A source number beyond the data's columns: the column has no data behind it.
  m_ColumnMap[c] = g.editCols + static_cast<int>(m_RowTotals.size() + m_TimeSpans.size());
  ++m_ColCount;
}

void CCsvPropPage::InsertBlankColumnAfter(CsvGrids& g, int column) {
  const int at = column + 1;
  if (!InsertBlankLines(g, SEL_COLUMNS, at, 1)) return;
  InsertColumnEntries({-1}, at, false);
  m_ColCount = std::max(m_ColCount, at + 1);
}

void CCsvPropPage::MoveNewColumnNextTo(CsvGrids& g, int rightmost) {
  const int added = m_ColCount - 1;
  if (added == rightmost + 1) return;
  ClearSelection();
  ClickColumn(added + kFirstDataSubItem, false, false);
  OnEditCut(g);
  ClickColumn(rightmost + 1 + kFirstDataSubItem, false, false);
  OnEditInsert(g);
}

bool CCsvPropPage::CheckRowTotal() const {
  if (SelectedColumn() < 0) return Refuse(kCsvSelectColumn);
  if (!m_RowTotals.empty())
    return Refuse(u"既に横計の設定があります。\n設定した横計の列を削除して、設定を解除してください。");
  if (m_SelIndexes.size() < 2) return Refuse(u"2つ以上の列を選択して下さい。");
  const auto [lo, hi] = std::minmax_element(m_SelIndexes.begin(), m_SelIndexes.end());
  if (!m_TimeSpans.empty() && FlagsAnyIn(m_TimeSpans.front(), *lo - kFirstDataSubItem, *hi - kFirstDataSubItem))
    return Refuse(u"時間差を設定している列に対して横計の設定を行うことはできません。");
  if (m_ColCount >= GRID_COLS) return Refuse(kGridTooManyColumns);
  return true;
}

void CCsvPropPage::AddRowTotal(CsvGrids& g) {
  const auto [lo, hi] = std::minmax_element(m_SelIndexes.begin(), m_SelIndexes.end());
  const int left = *lo - kFirstDataSubItem, right = *hi - kFirstDataSubItem;
  HORIZONTAL def;
  for (int c = left; c <= right; ++c) def.flags[c] = HZ_INPUT;
  if (!m_EditMode) {
    def.flags[m_ColCount] = HZ_RESULT;
    // The record first: the new column's source number counts it.
    m_RowTotals.push_back(def);
    AddComputedColumn(g, 0);
    m_ColumnsChanged = 1;
    MoveNewColumnNextTo(g, right);
  } else {
    InsertBlankColumnAfter(g, right);
    ComputeRowTotals(g, def, right + 1);
  }
  ClearSelection();
}

bool CCsvPropPage::CheckTimeSpan() const {
  if (SelectedColumn() < 0) return Refuse(kCsvSelectColumn);
  if (!m_TimeSpans.empty())
    return Refuse(u"既に時間差の設定があります。\n設定した時間差の列を削除して、設定を解除してください。");
  if (m_SelIndexes.size() != 2) return Refuse(u"開始列と終了列、2つの列を選択して下さい。");
  if (!m_RowTotals.empty()) {
    for (int sub : m_SelIndexes) {
      const int c = sub - kFirstDataSubItem;
      if (FlagsAnyIn(m_RowTotals.front(), c, c))
        return Refuse(u"横計を設定している列に対して時間差の設定を行うことはできません。");
    }
  }
  if (m_ColCount >= GRID_COLS) return Refuse(kGridTooManyColumns);
  return true;
}

void CCsvPropPage::AddTimeSpan(CsvGrids& g, int minutes) {
  HORIZONTAL def;
  int right = 0;
  for (int sub : m_SelIndexes) {
    const int c = sub - kFirstDataSubItem;
    def.flags[c] = HZ_INPUT;
    right = std::max(right, c);
  }
  def.minutes = minutes;
  if (!m_EditMode) {
    def.flags[m_ColCount] = HZ_RESULT;
    // The record first: the new column's source number counts it.
    m_TimeSpans.push_back(def);
    AddComputedColumn(g, 1);
    m_ColumnsChanged = 1;
    MoveNewColumnNextTo(g, right);
  } else {
    InsertBlankColumnAfter(g, right);
    ComputeTimeSpans(g, def, right + 1);
  }
  m_ClipKind = m_SelKind;
  ClearSelection();
}
