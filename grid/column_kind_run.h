#pragma once
// The column kinds of a run of rows, folded while the rows are stored, so that the
// column-type pass need not read every cell again after a load.

#include <cstdint>
#include <vector>

#include "platform/cstring.h"

// What a cell gives its column's kind: its value kind and whether it is a date-like
// integer, as one small number (0: nothing, as for an empty cell).
int CellKindClass(const CString& cell);
constexpr int kCellKindClasses = 16;

// Runs folded apart (on several threads) combine in row order, because each keeps,
// per column, what it turns every possible kind so far into.
class ColumnKindRun {
 public:
  static constexpr int kStates = 9;  // kinds so far: -1 to 7
  ColumnKindRun() = default;
  explicit ColumnKindRun(int firstRow) : first(firstRow), end(firstRow) {}

  void Add(int col, int cls);
  // Room for cols columns ahead of their cells.
  void Reserve(int cols) {
    if (cols > width) Widen(cols);
  }
  // The column's kind after the run, from its kind before it.
  int Apply(int col, int kind) const {
    return col < width ? maps[static_cast<size_t>(col) * kStates + static_cast<size_t>(kind + 1)] : kind;
  }

  int first = 0, end = 0;  // rows [first, end)
  int width = 0;           // columns with a map; the others keep their kind
 private:
  void Widen(int cols);
  std::vector<int8_t> maps;      // per column, kStates kinds after
  std::vector<uint8_t> last;     // per column, the class added last (0: none)
};
