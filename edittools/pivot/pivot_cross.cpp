// Aggregation engine: the cross table.
//
// The subtotalled table holds the column items in columns 0..K-1 (outer first), the
// row items in K..G-1 and the values from G. Each distinct row key (the row-item
// cells joined by tag 0) becomes one output row; each run of rows with one column
// key becomes a block of S value columns. The layout starts at the title row T:
// header rows T..T+K-1, the title row at T+K, then one row per row key.
#include <algorithm>

#include "edittools/pivot/pivot_engine.h"
#include "edittools/pivot/pivot_message.h"
#include "macro/macro_columns.h"

namespace {

constexpr int kMaxCrossRows = 3000;
constexpr int kMaxSingleBlocks = 64;

}  // namespace

void CPivotEngine::BuildCrossRowKeys(int colItemCount) {
  const int t = g_.titleRow;
  const int last = run_.totalsRow != 0 ? run_.totalsRow - 1 : g_.dataRows - 1;
  run_.rowKeys.clear();
  const CString& tag0 = Tag(0);
  for (int r = t + 1; r <= last; ++r) {
    CString key = g_.data.GetAt(r, colItemCount);
    for (int c = colItemCount + 1; c < run_.groupCount; ++c) key += tag0 + g_.data.GetAt(r, c);
    run_.rowKeys.push_back(std::move(key));
  }
  std::sort(run_.rowKeys.begin(), run_.rowKeys.end());
  run_.rowKeys.erase(std::unique(run_.rowKeys.begin(), run_.rowKeys.end()), run_.rowKeys.end());
}

int CPivotEngine::FindCrossRow(int groupCount, int colItemCount, int row) const {
  CString key = g_.data.GetAt(row, colItemCount);
  for (int c = colItemCount + 1; c < groupCount; ++c) key += Tag(0) + g_.data.GetAt(row, c);
  const auto it = std::lower_bound(run_.rowKeys.begin(), run_.rowKeys.end(), key);
  if (it == run_.rowKeys.end() || *it != key) return -1;
  return g_.titleRow + colItemCount + 1 + static_cast<int>(it - run_.rowKeys.begin());
}

int CPivotEngine::BreakLevel(int row) const {
  const int t = g_.titleRow;
  for (int c = 0; c < run_.groupCount; ++c) {
    const CString& above = row - 1 > t ? g_.data.GetAt(row - 1, c) : CString();
    if (g_.data.GetAt(row, c) != above) return c + 1;
  }
  return 0;
}

// The limits tested after each value block: the next block must fit.
bool CPivotEngine::CrossLimitReached(int colPos) {
  const int sums = run_.sumCount;
  if (colPos + sums > GRID_COLS) {
    ShowPivotMessage(u"列数が256以上になりました。処理ができないので中止します.");
    g_.toolAbort = 1;
    return true;
  }
  if (sums == 1 && run_.colItemCount == 1 && colPos + 1 > kMaxSingleBlocks + 1) {
    ShowPivotMessage(
        u"クロス集計で集計列が繰り返さない場合は64列以上は処理できません。処理ができないので中止します.");
    g_.toolAbort = 1;
    return true;
  }
  return false;
}

int CPivotEngine::BuildCrossTab() {
  const int t = g_.titleRow;
  const int rowItems = run_.rowItemCount;
  const int k = run_.colItemCount;
  const int groups = run_.groupCount;
  const int sums = run_.sumCount;
  BuildCrossRowKeys(k);

  // Names of the old title row, needed after the data grid is emptied.
  std::vector<CString> titles(g_.dataCols);
  for (int c = 0; c < g_.dataCols; ++c) titles[c] = g_.data.GetAt(t, c);
  auto title = [&](int c) { return c < static_cast<int>(titles.size()) ? titles[c] : CString(); };

  for (int i = 0; i < k; ++i) g_.step.SetAt(t + i, rowItems - 1, title(i));
  for (int q = 0; q < rowItems; ++q) g_.step.SetAt(t + k, q, title(k + q));

  const int first = t + 1;
  const int end = g_.dataRows;
  breakLevels_.assign(end > first ? end - first : 0, 0);
  for (int r = first; r < end; ++r) breakLevels_[r - first] = BreakLevel(r);

  const int keyCount = static_cast<int>(run_.rowKeys.size());
  for (int n = 0; n < keyCount; ++n) {
    const CString& key = run_.rowKeys[n];
    int col = 0;
    int start = 0;
    while (col < rowItems) {
      const int cut = key.Find(Tag(0), start);
      const int stop = cut < 0 ? key.GetLength() : cut;
      g_.step.SetAt(t + k + 1 + n, col++, key.Mid(start, stop - start));
      if (cut < 0) break;
      start = cut + 1;
    }
  }

  int colPos = rowItems;
  bool open = false;
  for (int r = first; r < end; ++r) {
    const int b = breakLevels_[r - first];
    if (b != 0) {
      if (b - 1 < k) {
        open = true;
        for (int i = b - 1; i < k; ++i) g_.step.SetAt(t + i, colPos, g_.data.GetAt(r, i));
      }
      if (b <= k) {
        for (int j = 0; j < sums; ++j) g_.step.SetAt(t + k, colPos + j, title(groups + j));
      }
    }
    const int out = FindCrossRow(groups, k, r);
    if (out >= 0) {
      for (int j = 0; j < sums; ++j) g_.step.SetAt(out, colPos + j, g_.data.GetAt(r, groups + j));
    }
    const bool lastRow = r + 1 >= end;
    if (open && (lastRow || breakLevels_[r + 1 - first] <= k)) {
      colPos += sums;
      open = false;
      if (CrossLimitReached(colPos)) return 0;
    }
  }

  for (int r = 0; r < end; ++r) g_.data.ClearRow(r);
  const int newRows = t + k + 1 + keyCount;
  for (int r = t + k + 1; r < newRows; ++r) {
    for (int c = rowItems; c < colPos; ++c) {
      if (g_.step.GetAt(r, c).IsEmpty()) g_.step.SetAt(r, c, CString(u"0"));
    }
  }
  if (sums == 1) {
    // Compact head: the value's name on the title row, the header rows one row
    // lower, so that the innermost column keys stand right above the rows.
    for (int i = k - 1; i >= 0; --i) g_.step.SwapRows(t + i, t + i + 1);
    g_.step.ClearRow(t);
    g_.data.SetAt(t, 0, CString(kAggregateStart));
    g_.data.SetAt(t, 1, title(groups));
    for (int r = t + 1; r < newRows; ++r) g_.data.TakeRow(r, g_.step, colPos);
    for (int q = 0; q < rowItems; ++q) g_.data.SetAt(t + k, q, title(k + q));
    g_.data.SetAt(t + k, rowItems - 1, title(k + rowItems - 1) + u"＼" + title(k - 1));
  } else {
    for (int r = t; r < newRows; ++r) g_.data.TakeRow(r, g_.step, colPos);
  }
  g_.step.Clear();
  g_.titleRow = t + k;
  g_.dataRows = newRows;
  g_.dataCols = colPos;

  if (sums == 1) {
    const int tr = g_.titleRow;
    const CString v = g_.data.GetAt(tr, rowItems);
    int p = 1;
    while (rowItems + p < g_.dataCols && g_.data.GetAt(tr, rowItems + p) == v) ++p;
    for (int c = rowItems + p; c < g_.dataCols; c += p) {
      if (g_.data.GetAt(tr, c) == v) continue;
      if (g_.dataCols > kMaxSingleBlocks) {
        ShowPivotMessage(CString::Build(
            u"クロス集計の集計項目が1列で列項目が２つ有るときの項目数が %d を超えると処理ができないため中止します。",
            kMaxSingleBlocks));
        return 0;
      }
      break;
    }
  }
  if (g_.dataRows >= kMaxCrossRows) {
    ShowPivotMessage(CString::Build(kPivotTooManyRowsFormat, kMaxCrossRows));
    return 0;
  }
  if (g_.dataCols >= GRID_COLS) {
    ShowPivotMessage(CString::Build(u"集計した列数が %d を超えたため処理を中止します。", GRID_COLS));
    return 0;
  }
  return 1;
}
