#pragma once
// CPivotEngine: the aggregation engine over the data grid.
//
// It groups the data rows by the group items, replaces the data grid by one row per
// group with the sums or counts of the value items, inserts the subtotal and total
// rows the settings ask for and, with column items, turns the table into a cross
// table. The grids and counts are the caller's (the application object's), handed
// over in PIVOTGRIDS; the run state is a PIVOTRUN filled by PreparePivotRun or the
// dialog. The member functions keep the names of the main dialog's aggregation
// routines, so that each stage can be run and tested alone.
//
// Work grid (the step grid between BuildPivotWorkGrid and InsertSubtotalRows): title
// row T; group columns 0..G-1 in reverse item order (column k holds groupItems[G-1-k],
// so the outermost group comes first); value columns G..G+S-1 in sumItems order.

#include <initializer_list>
#include <vector>

#include "edittools/pivot/pivot_records.h"
#include "grid/grid_store.h"
#include "platform/cstring.h"

// The data the engine works on.
struct PIVOTGRIDS {
  CTextGrid& data;   // the data grid; the result is left here
  CTextGrid& step;   // scratch grid of the same size; left empty
  int& dataRows;     // rows of the data grid, the title row included
  int& dataCols;
  int& titleRow;     // must be 0 or above
  int& toolAbort;    // set to 1 at the limits that abandon the whole input
};

// Key table kinds of CollectGroupKeys and FreePivotWork.
enum : int {
  PIVOT_KEYS_GROUP_ROWS = 0,   // innermost column, within one outer group
  PIVOT_KEYS_LOWER = 1,        // the class columns
  PIVOT_KEYS_INNER = 2,        // innermost column over all rows
};

class CPivotEngine {
 public:
  CPivotEngine(const PIVOTGRIDS& grids, PIVOTRUN& run) : g_(grids), run_(run) {}

  // The whole pipeline: groups, sort, work grid, key tables, subtotals, cross
  // table, headings and labels. 1 built; 0 stopped at a limit after its message.
  int RunPivot();

  // Rewrites the date and time group columns into their group values.
  void ApplyDateTimeGroups();
  // Sorts the data rows by the group columns (outermost first), stable. Returns 1.
  int SortByGroupColumns();
  // Builds the work grid in the step grid from the sorted data grid and empties
  // the data grid; the counts become those of the work grid. Returns 0.
  int BuildPivotWorkGrid();
  // Sorted distinct keys of work rows firstRow..lastRow for a key table kind, with
  // their value sums; returns the number of distinct keys.
  int CollectGroupKeys(int kind, int firstRow, int lastRow, int groupCount, int sumCount);
  // Empties the key table of a kind (any kind but 1 and 2 is groupRows).
  void FreePivotWork(int kind);
  // Turns all-numeric value headings into full-width text.
  void WidenNumericHeaders();

  // Copies the work grid back with subtotal and total rows; the new row count.
  int InsertSubtotalRows();
  // Per-class totals from a key table (mode 0 groupRows, 1 lowerKeys, 2 innerKeys)
  // from row on; the next free row.
  int WriteGroupTotals(int mode, int row, const CString& keyText, const CString& keyText2);
  // Column totals of the "総計表示" choice from row on; the next free row.
  int WriteColumnTotals(int row, int totalFg);

  // Cross table from the subtotalled table. 1 built; 0 stopped at a limit.
  int BuildCrossTab();
  void BuildCrossRowKeys(int colItemCount);
  // Output row of a grid row's row key, or -1 when it is not a row key.
  int FindCrossRow(int groupCount, int colItemCount, int row) const;

  // The final pass: group values become display labels, level tags are removed.
  void RelabelPivotGroups();

  // True when the result would not fit the data grid (checked by RunPivot).
  bool Overflowed() const { return overflow_; }

 private:
  const CString& Tag(int n) const { return run_.levelTags[n]; }
  GROUPKEYS& Table(int kind);
  int Flag(int outputColumn) const;  // subtotal flag of a work-grid group column
  // Writes the S values into columns v.. of a data row.
  void WriteValues(int row, int v, const PivotSum* values);
  void WriteValues(int row, int v, const std::vector<PivotSum>& values) {
    WriteValues(row, v, values.data());
  }
  // Label cells from column col on, then the values from column v.
  void WriteLabelRow(int row, int col, std::initializer_list<CString> labels, int v,
                     const std::vector<PivotSum>& values);
  // Key d of a table in the columns left of its first value column.
  void WriteKeyCells(int row, const GROUPKEYS& table, int d);
  CString& Cell(int row, int col);  // data-grid cell for writing; notes overflow
  int BreakLevel(int row) const;
  bool CrossLimitReached(int colPos);

  PIVOTGRIDS g_;
  PIVOTRUN& run_;
  int firstTitleRow_ = 0;   // title row when the run started
  int crossDataRows_ = 0;   // rows of the subtotalled table the cross build reads
  std::vector<int> breakLevels_;
  // Tuple of each data row in sorted order, left by SortByGroupColumns: rows of one
  // tuple have identical group cells, so the work grid needs no text comparison.
  std::vector<int> sortedTuples_;
  std::vector<int> sortedOrder_;    // input position of each sorted row
  bool tuplesInterleave_ = false;   // compare-equal tuples had their rows merged
  bool overflow_ = false;
};

// Clears a run for a new step: sumType -1, nendMonth 1, the counts, sums and tables.
void ResetPivotRun(PIVOTRUN& run);

// Fills a run from stored settings: items, SumType, TotalFg, SumStyl, NendMonth and
// the counts; headerRows is the number of column items.
void LoadPivotRun(PIVOTRUN& run, const PIVOTSETTING& setting);

// Runs the engine after checking the run's items against the data; on any refusal
// or limit the data grid, its counts and the title row are left exactly as they
// were. Key tables and row keys are freed. 1 built, 0 refused or stopped (its
// message shown).
int ExecutePivot(const PIVOTGRIDS& grids, PIVOTRUN& run);
