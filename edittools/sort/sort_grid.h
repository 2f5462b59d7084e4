#pragma once
// Sorting the data rows of a grid by the sort tool's keys.

#include "edittools/sort/sort_records.h"
#include "grid/grid_store.h"

// Sorts rows titleRow + 1 to dataRows - 1 of grid by the first sortCnt keys
// (clamped to 0..3) with the row's position as last key, so equal rows keep their
// order. Only columns 0 to dataCols - 1 move; the title row, the rows above it and
// the cells from dataCols on stay where they are, and the counts do not change.
// A key column outside the grid compares as empty text. Returns 1.
int SortDataGrid(CTextGrid& grid, int titleRow, int dataRows, int dataCols, const SORTKEYS& keys);
