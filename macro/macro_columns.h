#pragma once
// The macro-column step over grids: builds the output of a column layout (data
// columns copied from the input, macro columns evaluated per row, share and
// running-total columns over whole columns) in the step grid and moves it into
// the data grid. The member functions keep the names of the main dialog's
// routines of the step, so that each stage can be run and tested alone.
//
//   CMacroColumnEngine engine(grids, cross, layout, names);
//   CString error;
//   if (!engine.EvaluateMacroColumns(error)) { show error; data grid unchanged }
//   else dataCols = engine.OutputColumns();

#include <vector>

#include "grid/grid_store.h"
#include "macro/macro_setting.h"
#include "platform/cstring.h"

class CStringArena;

// The first cell of the row where the aggregation writes its table: the macro
// columns stop above it.
inline constexpr char16_t kAggregateStart[] = u"集計データ：";

// The grids and counts of the step. The title row must be 0 or above.
struct MACROGRIDS {
  CTextGrid& data;  // input; the result is left here
  CTextGrid& step;  // scratch grid of the same size; left empty
  int dataRows;     // R: rows of the data grid, the title row included
  int dataCols;     // D: input columns
  int titleRow;     // T
};

// What the step needs of the aggregation that ran before it in this run.
struct MACROCROSS {
  int columnGroups = 0;  // H: column-group header rows above the title row; 0 no cross table
  int groupCount = 0;    // G: group items of that aggregation
  int rowGroups = 0;     // P: stored group items with orientation 1
  int colGroups = 0;     // Q: stored group items with orientation 2
  int valueItems = 0;    // V: stored value items
};

// Shown when a layout has more columns than a row holds.
inline constexpr char16_t kMacroTooManyColumnsMessage[] = u"列数が256列を超えるため処理を中止します。";

// Field names of input columns 0 to count-1 (index 0 = column 1): the title
// cell; in a cross table (columnGroups > 0) a value column c >= groupCount -
// columnGroups is named by its header labels from the top header row down joined
// by "/", then "/" and the title cell. A header row's label at c is its last
// non-empty cell among columns groupCount - columnGroups to c.
std::vector<CString> MacroFieldNames(const CTextGrid& data, int titleRow, int count, int columnGroups,
                                     int groupCount);

// The text the evaluator runs for a macro column: the text itself when it
// begins with "if" or "return" (exact case), else "return " before it.
CString MacroStatementText(const CString& macroText);

// True when column 0 or 1 of the row is exactly "小計", "合計", "総計" or "計".
bool IsMacroSubtotalRow(const CTextGrid& data, int row);

class CMacroColumnEngine {
 public:
  CMacroColumnEngine(const MACROGRIDS& grids, const MACROCROSS& cross, const std::vector<MACROCOL>& layout,
                     const std::vector<CString>& fieldNames)
      : g_(grids), cross_(cross), layout_(layout), names_(fieldNames) {}

  // Builds the layout's output and moves it into the data grid (columns n plus
  // the extra columns of a cross table's share or running-total column). False
  // with the first error text (a macro error, or more than 256 columns): the
  // data grid is unchanged and the step grid empty.
  bool EvaluateMacroColumns(CString& error);
  // Columns of the output after a successful EvaluateMacroColumns.
  int OutputColumns() const noexcept { return outputCols_; }

  // In the step grid's copy of the header rows above the title row: an empty
  // cell inserted at column position, up to the row starting "集計データ：".
  // Cells pushed beyond the last column are dropped.
  void ShiftAggregateBlock(int position);
  // Share / running-total column whose statement was met at (row, column): built
  // whole on the first data row, nothing on the others. Returns the columns added
  // beyond its own. A column that would need an index outside the grid is not built.
  int BuildRatioColumn(int row, int column, const CString& fieldName);
  int BuildAccumuColumn(int row, int column, const CString& fieldName);

 private:
  enum class ColumnKind { kRatio, kAccumu };
  int BuildWholeColumn(ColumnKind kind, int row, int column, const CString& fieldName);
  void FillRatio(int source, int output);
  void FillAccumu(int source, int output);
  void EvaluateMacroColumn(int position, const MACROCOL& col, int& extra, CStringArena& arena);

  const MACROGRIDS g_;
  const MACROCROSS cross_;
  const std::vector<MACROCOL>& layout_;
  const std::vector<CString>& names_;
  int outputCols_ = 0;
};
