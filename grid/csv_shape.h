#pragma once
// Finding the field-name row of a freshly loaded CSV.

#include "grid/grid_set.h"

// The row that holds the field names of a freshly loaded grid, judged from its
// first 101 rows: the row above the block of numeric cells the numeric columns
// share; -1 when the data has no field-name row. filledCounts is the loader's
// table of non-empty cells per row.
int FindTitleRow(const CTextGrid& grid, int cols, int rows, const RowIntTable& filledCounts);
