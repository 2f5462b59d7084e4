#include "edittools/sort/sort_grid.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "edittools/sort/row_sort.h"

namespace {

// Puts the rows first..first+count-1 into the order given: position i receives
// the row that stood at first + from[i]. Rows move whole, nothing is copied.
void PermuteRows(CTextGrid& grid, int first, const std::vector<int>& from) {
  std::vector<char> done(from.size(), 0);
  for (size_t start = 0; start < from.size(); ++start) {
    if (done[start]) continue;
    size_t j = start;
    while (static_cast<size_t>(from[j]) != start) {
      grid.SwapRows(first + static_cast<int>(j), first + from[j]);
      done[j] = 1;
      j = static_cast<size_t>(from[j]);
    }
    done[j] = 1;
  }
}

}  // namespace

int SortDataGrid(CTextGrid& grid, int titleRow, int dataRows, int dataCols, const SORTKEYS& keys) {
  const int keyCount = std::clamp(keys.sortCnt, 0, SORT_MAX_KEYS);
  const int first = std::max(titleRow + 1, 0);
  const int last = std::min(dataRows, grid.Rows());
  const int count = last - first;
  if (count <= 1) return 1;
  dataCols = std::clamp(dataCols, 0, grid.Cols());

  int types[SORT_MAX_KEYS] = {};
  int orders[SORT_MAX_KEYS] = {};
  for (int k = 0; k < keyCount; ++k) {
    types[k] = keys.compareType[k];
    orders[k] = keys.descending[k];
  }
  const CTextGrid& cells = grid;
  const std::vector<int> from =
      SortedEntryOrder(keyCount, types, orders, count, [&](int entry, int key) -> const CString& {
        return cells.GetAt(first + entry, keys.column[key]);
      });

  // Cells from dataCols on stay with their row position: set them aside, move
  // the rows, put them back.
  struct Tail {
    int row;
    std::vector<CString> cells;
  };
  std::vector<Tail> tails;
  for (int r = first; r < last; ++r) {
    const CTextGrid::ConstRow row = std::as_const(grid)[r];
    const int width = row.Width();
    bool anyText = false;
    for (int c = dataCols; c < width && !anyText; ++c) anyText = !row[c].IsEmpty();
    if (!anyText) continue;  // empty cells may move with their row
    Tail t{r, {}};
    for (int c = dataCols; c < width; ++c) t.cells.push_back(row[c]);
    grid.TruncateRow(r, dataCols);
    tails.push_back(std::move(t));
  }
  PermuteRows(grid, first, from);
  for (Tail& t : tails) {
    for (size_t c = 0; c < t.cells.size(); ++c) grid.SetAt(t.row, dataCols + static_cast<int>(c), std::move(t.cells[c]));
  }
  return 1;
}
