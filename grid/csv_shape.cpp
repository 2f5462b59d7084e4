// Finding the field-name row of a freshly loaded CSV.

#include "grid/csv_shape.h"

#include <algorithm>
#include <vector>

#include "grid/number_text.h"

namespace {

constexpr int kProbeLimit = 100;  // the judgement looks at rows 0 to 100 only
constexpr int kNoValue = 1000;

// The value most columns agree on, favouring the lowest: keeps the lowest value
// with its count and the value it displaced with that value's count.
int Prevailing(const std::vector<int>& values) {
  int lowest = kNoValue, lowestCount = 0;
  int displaced = kNoValue, displacedCount = 0;
  for (int v : values) {
    if (v < lowest) {
      displaced = lowest;
      displacedCount = lowestCount;
      lowest = v;
      lowestCount = 1;
    } else if (v == lowest) {
      ++lowestCount;
    } else if (v == displaced) {
      ++displacedCount;
    }
  }
  if (lowestCount >= 1 && lowestCount >= displacedCount) return lowest;
  if (lowest != kNoValue) return displaced;
  return 1;
}

}  // namespace

int FindTitleRow(const CTextGrid& grid, int cols, int rows, const RowIntTable& filledCounts) {
  cols = std::clamp(cols, 0, GRID_COLS);
  rows = std::clamp(rows, 0, GRID_MAX_ROWS);
  auto kind = [&](int r, int c) { return IsNumberOrDateText(grid.GetAt(r, c)); };

  // Working values of every column that holds a number at the probe row.
  std::vector<int> runStarts, middleStarts, textStarts;
  bool anyNumeric = false;
  const int probe = std::min(rows - 1, kProbeLimit);
  if (rows > 0) {
    const int middle = probe / 2;
    // The first full row may lie beyond the probe row; rows after it hold no text then.
    int firstFull = -1;
    for (int r = 0; r < rows; ++r) {
      if (filledCounts[r] == cols) {
        firstFull = r;
        break;
      }
    }
    // First row of the run of number cells that ends at row `end`.
    auto runStart = [&](int c, int end) {
      int s = end + 1;
      while (s > 0 && kind(s - 1, c) == 1) --s;
      return s;
    };
    for (int c = 0; c < cols; ++c) {
      if (kind(probe, c) != 1) continue;
      // A column is numeric when no text lies between the first full row and the probe.
      bool numeric = true;
      for (int r = firstFull + 1; r <= probe && numeric; ++r) numeric = kind(r, c) != 0;
      anyNumeric = anyNumeric || numeric;
      int textStart = 0;
      for (int r = middle; r >= 0; --r) {
        if (kind(r, c) == 0) {
          textStart = r + 1;
          break;
        }
      }
      runStarts.push_back(runStart(c, probe));
      middleStarts.push_back(runStart(c, middle));
      textStarts.push_back(textStart);
    }
  }

  // Without a numeric column the data starts at row 1.
  int start = 1;
  if (anyNumeric) {
    start = Prevailing(runStarts);
    if (start > probe / 2) start = Prevailing(middleStarts);
    if (start > probe / 4) start = Prevailing(textStarts);
  }
  return start - 1;
}
