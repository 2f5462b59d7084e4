#pragma once
// Records of the CSV edit page: computed-column definitions, the grids the page
// works on, and the per-column command codes.

#include <cstdint>

#include "grid/grid_store.h"
#include "jobsheet/sheet/coldata.h"
#include "platform/cstring.h"

// Flags of HORIZONTAL::flags.
enum : int { HZ_NONE = 0, HZ_INPUT = 1, HZ_RESULT = 2 };

// One row-total or time-difference definition.
struct HORIZONTAL {
  int unused = 0;
  int minutes = 0;            // time differences: minutes left out of each difference
  int flags[GRID_COLS] = {};  // per grid column: HZ_NONE, HZ_INPUT, HZ_RESULT
};

// The application's grids and counts the page reads and writes, handed in by
// the caller (the page never reaches for the application object itself).
struct CsvGrids {
  CTextGrid& edit;          // the grid the page shows and edits (3000 rows)
  const CTextGrid& data;    // the loaded data
  int& titleRow;            // field-name row, -1 none; moves with inserted and deleted rows
  int& editRows;
  int& editCols;
  int& sendRows;
  int& sendCols;
  int& editModeEntered;     // edit mode was entered for this input
  int dataRows = 0;
  int dataCols = 0;
  int totalRows = 0;        // rows of the input when above 3000, else 0
  int addCsvCount = 0;      // additional CSVs of the join definition
};

// Print command codes of a column.
enum : int {
  CODE_NONE = 0,
  CODE_SUM = 1,
  CODE_COUNT_INCL = 2,
  CODE_CODE39 = 3,
  CODE_QR = 4,
  CODE_SEAL = 5,
  CODE_APPROVAL_SEAL = 6,
  CODE_APPROVAL_DATE_SEAL = 7,
  CODE_COLOR = 8,
  CODE_AVE_INCL = 9,
  CODE_AVE_EXCL = 10,
  CODE_COUNT_EXCL = 11,
};

// Selection kinds and internal clipboard states of the page.
enum : int { SEL_NONE = 0, SEL_CELLS = 1, SEL_ROWS = 2, SEL_COLUMNS = 3 };
enum : int { CLIP_EMPTY = 0, CLIP_COPIED = 1, CLIP_CUT = 3, CLIP_DELETING = 4 };
// Selection modes.
enum : int { MULTI_SINGLE = 0, MULTI_SHIFT = 1, MULTI_CTRL = 2 };
// Cursor directions (the digits of a number pad).
enum : int { DIR_DOWN = 2, DIR_LEFT = 4, DIR_RIGHT = 6, DIR_UP = 8 };

// List columns before the first grid column: an empty one and the row numbers.
inline constexpr int kFirstDataSubItem = 2;
// Spare rows and columns the grid list shows beyond the data.
inline constexpr int kSpareLines = 10;

