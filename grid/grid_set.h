#pragma once
// CGridSet: the grids of a run with their counts, per-row tables and title-row
// state. The application object is one (theApp derives from it); the grid
// engines (loader, shape analysis, column types, clipboard table, backup) take
// the set they work on as an argument, so they build and test without it.

#include <array>
#include <cstdint>
#include <vector>

#include "grid/column_kind_run.h"
#include "grid/grid_store.h"
#include "grid/row_table.h"
#include "platform/paths.h"

// Column type bytes of m_ColumnTypes.
enum : uint8_t {
  COLTYPE_TEXT = 0,
  COLTYPE_NUMBER = 1,
  COLTYPE_DATE = 2,
  COLTYPE_TIME = 3,
  COLTYPE_CODE = 4,         // numeric month or year code
  COLTYPE_UNKNOWN = 255,    // no usable values, or values that contradict the header
};

// Per-row tables of the data grid, indexed by row.
using RowIntTable = RowTable<int>;
using RowShortTable = RowTable<int16_t>;
using ColumnTypeTable = std::array<uint8_t, GRID_COLS>;

// The backup set beside m_BackupGrid: the state of the data as loaded. Saved and
// restored as a whole together with the grid.
struct GRIDBACKUP {
  // The six counts, in this order.
  int EditCols = 0;
  int EditRows = 0;
  int DataCols = 0;
  int DataRows = 0;
  int SendRows = 0;
  int SendCols = 0;
  // The title-row state.
  int TitleRow = -1;
  int EditModeEntered = 0;
  int SourceCodeType = 0;
  RowIntTable RowFilledCount;
  RowIntTable RowTextCount;
  RowIntTable RowLastTextCol;
  RowShortTable RowFieldCount;
  ColumnTypeTable ColumnTypes{};
};

class CGridSet {
 public:
  CGridSet() = default;
  CGridSet(const CGridSet&) = delete;
  CGridSet& operator=(const CGridSet&) = delete;

  // ---- Grid counts --------------------------------------------------------------
  int m_EditCols = 0;              // region of m_EditGrid, 0..256
  int m_EditRows = 0;              // 0..3000
  int m_DataCols = 0;              // region of m_DataGrid, 0..256
  int m_DataRows = 0;              // 0..30002, the title row included
  int m_SendRows = 0;              // region of m_EditGrid a document job sends
  int m_SendCols = 0;

  // ---- Per-row tables of m_DataGrid (filled by the loader) ---------------------
  RowIntTable m_RowFilledCount;  // non-empty cells
  RowIntTable m_RowTextCount;    // cells that are not number or date text, minus one
  RowIntTable m_RowLastTextCol;  // column of the last such cell
  RowShortTable m_RowFieldCount; // cells stored for the row

  // ---- Title-row and loader state ------------------------------------------------
  int m_TitleRow = -1;             // field-name row of m_DataGrid, -1 none
  int m_ShapeResult = 0;           // result of the shape analysis
  int m_EditModeEntered = 0;       // the CSV page was edited for this input
  int m_SourceCodeType = 0;        // code type of the loaded input file
  FileIdentity m_SourceIdentity;   // which file that was, as it was read
  bool m_DecodeErrors = false;     // some of its bytes did not decode in that code

  // ---- Grids ----------------------------------------------------------------------
  CTextGrid m_EditGrid{EDIT_GRID_ROWS};    // what the CSV page shows and edits
  CTextGrid m_DataGrid{GRID_MAX_ROWS};     // the loaded input, then each step's result
  CTextGrid m_StepGrid{GRID_MAX_ROWS};     // one data-edit step's output
  CTextGrid m_UploadGrid{EDIT_GRID_ROWS};  // uploaded by a document job with a join
  ColumnTypeTable m_ColumnTypes{};         // COLTYPE_* per column
  CTextGrid m_BackupGrid{GRID_MAX_ROWS};   // the data as loaded
  GRIDBACKUP m_Backup;                     // counts and tables beside m_BackupGrid
  int m_TotalRows = 0;             // rows of the input when above 3000, else 0

  // What the last column-type pass read and found, so that a pass over grids and
  // counts that have not changed since gives its types without reading the cells
  // again (the data-edit steps each ask for them).
  struct ColumnTypeScan {
    bool valid = false;
    int source = 0, rows = 0, cols = 0, titleRow = 0, result = 0;
    uint64_t dataVersion = 0, editVersion = 0;
    ColumnTypeTable types{};
  };
  ColumnTypeScan m_LastColumnTypeScan;
  // The column kinds the last load folded while storing its rows, run by run, for
  // the column-type pass to take instead of reading those rows again; good while
  // the data grid's write count is still dataVersion.
  struct LoadedKinds {
    bool valid = false;
    uint64_t dataVersion = 0;
    std::vector<ColumnKindRun> runs;  // in row order, from row 0 on without gaps
  };
  LoadedKinds m_LoadedKinds;
};

// Saves the data set (the data grid's region, the counts, row tables, title-row
// state and column types) into m_BackupGrid and m_Backup. Rows are shared, not copied.
void SaveGridBackup(CGridSet& set);

// Brings the saved data set back and empties the step and edit grids.
void RestoreGridBackup(CGridSet& set);
