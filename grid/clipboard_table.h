#pragma once
// Inserting a table copied as text (lines at CR LF, fields at tabs) into the edit
// and data grids of a grid set.

#include "grid/grid_set.h"
#include "platform/cstring.h"

// The counts of the grids the table goes into and the insertion point; the limit
// flags are set when the text met a limit (and stay set: the caller clears them).
struct TABLEPASTE {
  int rowCount = 0;    // rows of the edit grid in use; grows by the rows inserted
  int colCount = 0;    // columns in use; widens to the widest row inserted
  int anchorRow = -1;  // insertion point; -1 none
  int rowsOver = 0;    // set: the text had more than 3000 lines
  int colsOver = 0;    // set: a line had more than 256 fields
  int widest = 0;      // cells of the widest row inserted
};

// Results of InsertTableText.
enum : int {
  TABLE_INSERTED = 0,  // rows inserted; counts and row tables updated
  TABLE_NOTHING = 2,   // no line with two or more fields, or no line at all
  TABLE_LIMIT = 3,     // nothing inserted: a limit would be exceeded (message shown)
};

// Inserts the rows of text into set.m_EditGrid and set.m_DataGrid at the
// insertion row (paste.anchorRow when rowCount > 0 and the anchor is above 0, else
// 0); the rows below move down with their row tables. All or nothing: when the
// text has more than 3000 lines or more than 256 fields on a line, or the rows
// would not fit in 3000 rows or 256 columns, nothing is inserted, the limit
// message is shown and the result is TABLE_LIMIT; a field longer than 10000
// characters gets a message naming its line, also with TABLE_LIMIT. On success
// set.m_EditCols and set.m_EditRows take the new counts.
int InsertTableText(CGridSet& set, const CString& text, TABLEPASTE& paste);
