// Aggregation engine: the pipeline, the group sort, the work grid and the key tables.
#include "edittools/pivot/pivot_engine.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "edittools/pivot/pivot_groups.h"
#include "edittools/pivot/pivot_message.h"
#include "edittools/sort/row_sort.h"
#include "grid/number_text.h"
#include "grid/text_width.h"

namespace {

constexpr char16_t kTagChars[PIVOT_TAG_COUNT] = {u'\xFFF2', u'\xFFF1', u'\xFFF0', u'\xFFEF',
                                                 u'\xFFEE'};

// Moves the rows of a grid so that row first + i holds the row that stood at
// first + order[i]; each row moves once, by exchanging storage.
void PermuteRows(CTextGrid& grid, int first, const std::vector<int>& order) {
  const int n = static_cast<int>(order.size());
  std::vector<bool> placed(n, false);
  for (int start = 0; start < n; ++start) {
    if (placed[start]) continue;
    int cur = start;
    for (;;) {
      placed[cur] = true;
      const int next = order[cur];
      if (next == start) break;
      grid.SwapRows(first + cur, first + next);
      cur = next;
    }
  }
}

}  // namespace

GROUPKEYS& CPivotEngine::Table(int kind) {
  if (kind == PIVOT_KEYS_LOWER) return run_.lowerKeys;
  if (kind == PIVOT_KEYS_INNER) return run_.innerKeys;
  return run_.groupRows;
}

int CPivotEngine::RunPivot() {
  for (auto& level : run_.levelSums) {
    for (PivotSum& s : level) s.Reset();
  }
  overflow_ = false;
  firstTitleRow_ = g_.titleRow;
  const int t = g_.titleRow;
  const int groups = run_.groupCount;
  const int sums = run_.sumCount;
  // A row with no value for a column item, as typed or once grouped (a date
  // that gives no month, a time without seconds), has no column to go under:
  // counted under another heading or dropped, it would make a wrong total. The
  // check comes before the grouping, so a refused run shows no correction notice.
  for (const GRPCLM& item : run_.groupItems) {
    if (item.orientation != 2 || item.column < 0 || item.column >= g_.dataCols) continue;
    for (int r = t + 1; r < g_.dataRows; ++r) {
      if (HasGroupValue(item.groupKind, item.groupUnit, g_.data.GetAt(r, item.column), run_.nendMonth)) continue;
      ShowPivotMessage(CString::Build(u"列項目「%s」が空欄の行があるため（%d行目）、クロス集計できません。\n"
                                      u"空欄に値を入れてから実行してください。",
                                      g_.data.GetAt(t, item.column), r - t));
      return 0;
    }
  }
  ApplyDateTimeGroups();
  SortByGroupColumns();
  BuildPivotWorkGrid();
  run_.lowerKeyCount = CollectGroupKeys(PIVOT_KEYS_LOWER, t + 1, g_.dataRows - 1, groups, sums);
  run_.innerKeyCount = CollectGroupKeys(PIVOT_KEYS_INNER, t + 1, g_.dataRows - 1, groups, sums);
  g_.dataRows = InsertSubtotalRows();
  if (overflow_ || g_.dataRows > g_.data.Rows()) {
    ShowPivotMessage(CString::Build(kPivotTooManyRowsFormat, g_.data.Rows()));
    return 0;
  }
  int result = 1;
  if (run_.colItemCount > 0) result = BuildCrossTab();
  WidenNumericHeaders();
  RelabelPivotGroups();
  return result;
}

void CPivotEngine::ApplyDateTimeGroups() {
  for (const GRPCLM& item : run_.groupItems) {
    if (item.groupUnit <= 0 || (item.groupKind != 0 && item.groupKind != 1)) continue;
    for (int r = g_.titleRow + 1; r < g_.dataRows; ++r) {
      const CString& cell = g_.data.GetAt(r, item.column);
      CString value = item.groupKind == 0 ? GroupDateValue(item.groupUnit, cell, run_.nendMonth)
                                          : GroupTimeValue(item.groupUnit, cell);
      g_.data.SetAt(r, item.column, std::move(value));
    }
  }
}

// Rows whose group cells are identical texts form one tuple; the row sort orders
// the tuples (by their cells, then their first row), and the rows follow their
// tuple in input order. Tuples that compare equal under a number or date key
// ("10" and "10.0") have their rows merged by position. The order is the one a
// sort of all rows by the group cells and the row number gives, at the cost of
// sorting the distinct tuples only.
int CPivotEngine::SortByGroupColumns() {
  const int groups = run_.groupCount;
  const int first = g_.titleRow + 1;
  const int count = g_.dataRows - first;
  sortedTuples_.clear();
  sortedOrder_.clear();
  tuplesInterleave_ = false;
  if (count <= 1) return 1;
  // Key 0 is the outermost group: the last item. The row number keeps ties in order.
  std::vector<int> columns(groups);
  std::vector<int> types(groups + 1, SORT_AS_TEXT);
  std::vector<int> orders(groups + 1, 0);
  for (int k = 0; k < groups; ++k) {
    const GRPCLM& item = run_.groupItems[groups - 1 - k];
    columns[k] = item.column;
    const uint8_t type = run_.columnTypes[item.column];
    if (type == 1) types[k] = SORT_AS_NUMBER;
    if (type == 2 && item.groupUnit == 0) types[k] = SORT_AS_DATE;
  }
  types[groups] = SORT_AS_NUMBER;

  const CTextGrid& data = g_.data;
  auto hash = [&](int row) {
    size_t h = 0;
    for (int c : columns) h = h * 1000003u ^ std::hash<std::u16string_view>()(data.GetAt(row, c).View());
    return h;
  };
  auto same = [&](int a, int b) {
    for (int c : columns) {
      if (data.GetAt(a, c) != data.GetAt(b, c)) return false;
    }
    return true;
  };
  std::unordered_map<int, int, decltype(hash), decltype(same)> tupleOf(64, hash, same);
  std::vector<int> tupleFirst;     // first row of each tuple
  std::vector<int> rowTuple(count);
  for (int i = 0; i < count; ++i) {
    const auto [it, added] = tupleOf.try_emplace(first + i, static_cast<int>(tupleFirst.size()));
    if (added) tupleFirst.push_back(i);
    rowTuple[i] = it->second;
  }
  const int tuples = static_cast<int>(tupleFirst.size());
  // Rows of each tuple in input order: counting positions, then filling.
  std::vector<int> start(tuples + 1, 0);
  for (int t : rowTuple) ++start[t + 1];
  for (int t = 0; t < tuples; ++t) start[t + 1] += start[t];
  std::vector<int> members(count);
  std::vector<int> fill(start.begin(), start.end() - 1);
  for (int i = 0; i < count; ++i) members[fill[rowTuple[i]]++] = i;

  std::vector<SORTDAT> entries(tuples);
  for (int t = 0; t < tuples; ++t) {
    SORTDAT& entry = entries[t];
    entry.rowSequence = t;
    entry.keys.reserve(groups + 1);
    for (int c : columns) entry.keys.push_back(data.GetAt(first + tupleFirst[t], c));
    entry.keys.push_back(CString::Build(u"%d", tupleFirst[t]));
  }
  SortRows(groups + 1, types.data(), orders.data(), &entries);

  std::vector<int> order;
  order.reserve(count);
  for (int i = 0; i < tuples;) {
    int j = i + 1;
    while (j < tuples &&
           CompareSortRows(groups, types.data(), orders.data(), &entries[i], &entries[j]) == 0) {
      ++j;
    }
    tuplesInterleave_ = tuplesInterleave_ || j - i > 1;
    const size_t runStart = order.size();
    for (int e = i; e < j; ++e) {
      const int t = entries[e].rowSequence;
      const size_t mid = order.size();
      order.insert(order.end(), members.begin() + start[t], members.begin() + start[t + 1]);
      if (e > i) std::inplace_merge(order.begin() + runStart, order.begin() + mid, order.end());
    }
    i = j;
  }
  PermuteRows(g_.data, first, order);
  sortedTuples_.resize(count);
  for (int i = 0; i < count; ++i) sortedTuples_[i] = rowTuple[order[i]];
  sortedOrder_ = std::move(order);
  return 1;
}

int CPivotEngine::BuildPivotWorkGrid() {
  for (int n = 0; n < PIVOT_TAG_COUNT; ++n) run_.levelTags[n] = CString(kTagChars[n]);
  run_.innerKeys.Clear();
  run_.groupRows.Clear();
  const int t = g_.titleRow;
  const int groups = run_.groupCount;
  const int sums = run_.sumCount;
  std::vector<int> groupCols(groups);
  for (int k = 0; k < groups; ++k) groupCols[k] = run_.groupItems[groups - 1 - k].column;
  for (int k = 0; k < groups; ++k) g_.step.SetAt(t, k, g_.data.GetAt(t, groupCols[k]));
  for (int j = 0; j < sums; ++j) g_.step.SetAt(t, groups + j, g_.data.GetAt(t, run_.sumItems[j].column));

  // The value of row r for each item added into sums[0..S-1].
  auto addRow = [&](int r, PivotSum* into) {
    for (int j = 0; j < sums; ++j) {
      const SUMCLM& item = run_.sumItems[j];
      const CString& cell = g_.data.GetAt(r, item.column);
      if (item.sumKind == 2) {
        into[j].Add(cell.IsEmpty() ? 0.0 : 1.0);
      } else {
        into[j].AddText(cell);
      }
    }
  };
  int out = t + 1;
  auto writeWorkRow = [&](int source, PivotSum* values) {
    for (int k = 0; k < groups; ++k) g_.step.SetAt(out, k, g_.data.GetAt(source, groupCols[k]));
    for (int j = 0; j < sums; ++j) {
      g_.step.SetAt(out, groups + j, values[j].Text());
      values[j].Reset();
    }
    ++out;
  };
  const int first = t + 1;
  const int count = g_.dataRows - first;
  if (static_cast<int>(sortedTuples_.size()) == count && !tuplesInterleave_) {
    // Every tuple is one run of the sorted rows, so its sums can be taken with the
    // rows visited in input order, the order in which their cells lie in memory.
    // Within a tuple the order is the same, and so is every sum.
    int tuples = 0;
    for (int id : sortedTuples_) tuples = std::max(tuples, id + 1);
    std::vector<PivotSum> tupleSums(static_cast<size_t>(tuples) * sums);
    std::vector<int> position(count);
    for (int i = 0; i < count; ++i) position[sortedOrder_[i]] = i;
    for (int j = 0; j < count; ++j) {
      const int p = position[j];
      addRow(first + p, &tupleSums[static_cast<size_t>(sortedTuples_[p]) * sums]);
    }
    for (int i = 0; i < count; ++i) {
      if (i + 1 < count && sortedTuples_[i + 1] == sortedTuples_[i]) continue;
      writeWorkRow(first + i, &tupleSums[static_cast<size_t>(sortedTuples_[i]) * sums]);
    }
  } else {
    std::vector<PivotSum> running(sums);
    for (int r = first; r < g_.dataRows; ++r) {
      bool same = r > first;
      for (int k = 0; same && k < groups; ++k) {
        same = g_.data.GetAt(r, groupCols[k]) == g_.data.GetAt(r - 1, groupCols[k]);
      }
      if (!same && r > first) writeWorkRow(r - 1, running.data());
      addRow(r, running.data());
    }
    if (count > 0) writeWorkRow(g_.dataRows - 1, running.data());
  }

  for (int r = 0; r < g_.dataRows; ++r) g_.data.ClearRow(r);
  g_.dataRows = out;
  g_.dataCols = groups + sums;
  return 0;
}

int CPivotEngine::CollectGroupKeys(int kind, int firstRow, int lastRow, int groupCount,
                                   int sumCount) {
  GROUPKEYS& table = Table(kind);
  table.Clear();
  int keyCols[2] = {groupCount - 1, -1};
  int keyCount = 1;
  if (kind == PIVOT_KEYS_LOWER) {
    if (groupCount == 1) keyCols[0] = 0;
    if (groupCount >= 2) keyCols[0] = 1;
    if (groupCount >= 3) {
      keyCols[1] = 2;
      keyCount = 2;
    }
  }
  table.grpCount = groupCount;
  table.sumCount = sumCount;
  table.keyCount = keyCount;
  table.capacity = lastRow - g_.titleRow + 1;
  if (lastRow < firstRow) return 0;

  const int count = lastRow - firstRow + 1;
  std::vector<SORTDAT> rows(count);
  for (int i = 0; i < count; ++i) {
    rows[i].rowSequence = firstRow + i;
    for (int k = 0; k < keyCount; ++k) rows[i].keys.push_back(g_.step.GetAt(firstRow + i, keyCols[k]));
    rows[i].keys.push_back(CString::Build(u"%d", firstRow + i));
  }
  // Key columns as text, then the row number.
  int keyTypes[3] = {SORT_AS_TEXT, SORT_AS_TEXT, SORT_AS_TEXT};
  keyTypes[keyCount] = SORT_AS_NUMBER;
  const int orders[3] = {0, 0, 0};
  SortRows(keyCount + 1, keyTypes, orders, &rows);

  for (int i = 0; i < count; ++i) {
    const SORTDAT& entry = rows[i];
    bool same = i > 0;
    for (int k = 0; same && k < keyCount; ++k) same = entry.keys[k] == rows[i - 1].keys[k];
    if (!same) {
      for (int k = 0; k < keyCount; ++k) table.keys[k].push_back(entry.keys[k]);
      table.sums.emplace_back(sumCount);
    }
    std::vector<PivotSum>& sums = table.sums.back();
    for (int j = 0; j < sumCount; ++j) sums[j].AddText(g_.step.GetAt(entry.rowSequence, groupCount + j));
  }
  table.distinctCount = static_cast<int>(table.sums.size());
  return table.distinctCount;
}

void CPivotEngine::FreePivotWork(int kind) { Table(kind).Clear(); }

void CPivotEngine::WidenNumericHeaders() {
  const int first = run_.groupCount - (run_.sumCount == 1 ? 1 : 0);
  const int t = g_.titleRow;
  for (int c = first; c < g_.dataCols; ++c) {
    if (!IsNumberText(g_.data.GetAt(t, c))) return;
  }
  for (int c = first; c < g_.dataCols; ++c) g_.data.SetAt(t, c, ToFullWidth(g_.data.GetAt(t, c)));
}
