// Saving, restoring and moving the grids of a set as a whole.

#include "grid/grid_set.h"

#include <algorithm>

void SaveGridBackup(CGridSet& set) {
  // The backup takes the cells inside the data region; rows are shared, not copied.
  const int rows = std::clamp(set.m_DataRows, 0, GRID_MAX_ROWS);
  const int cols = std::clamp(set.m_DataCols, 0, GRID_COLS);
  // Rows past the backup's used rows are empty already.
  const int end = std::max(rows, std::min(set.m_BackupGrid.UsedRows(), GRID_MAX_ROWS));
  for (int r = 0; r < end; ++r) {
    if (r < rows) {
      set.m_BackupGrid.ShareRow(r, set.m_DataGrid, cols);
    } else {
      set.m_BackupGrid.ClearRow(r);
    }
  }
  GRIDBACKUP& b = set.m_Backup;
  b.EditCols = set.m_EditCols;
  b.EditRows = set.m_EditRows;
  b.DataCols = set.m_DataCols;
  b.DataRows = set.m_DataRows;
  b.SendRows = set.m_SendRows;
  b.SendCols = set.m_SendCols;
  b.TitleRow = set.m_TitleRow;
  b.EditModeEntered = set.m_EditModeEntered;
  b.SourceCodeType = set.m_SourceCodeType;
  b.RowFilledCount = set.m_RowFilledCount;
  b.RowTextCount = set.m_RowTextCount;
  b.RowLastTextCol = set.m_RowLastTextCol;
  b.RowFieldCount = set.m_RowFieldCount;
  b.ColumnTypes = set.m_ColumnTypes;
}

void RestoreGridBackup(CGridSet& set) {
  const GRIDBACKUP& b = set.m_Backup;
  const int rows = std::clamp(b.DataRows, 0, GRID_MAX_ROWS);
  const int cols = std::clamp(b.DataCols, 0, GRID_COLS);
  const int end = std::max(rows, std::min(set.m_DataGrid.UsedRows(), GRID_MAX_ROWS));
  for (int r = 0; r < end; ++r) {
    if (r < rows) {
      set.m_DataGrid.ShareRow(r, set.m_BackupGrid, cols);
    } else {
      set.m_DataGrid.ClearRow(r);
    }
  }
  set.m_EditCols = b.EditCols;
  set.m_EditRows = b.EditRows;
  set.m_DataCols = b.DataCols;
  set.m_DataRows = b.DataRows;
  set.m_SendRows = b.SendRows;
  set.m_SendCols = b.SendCols;
  set.m_TitleRow = b.TitleRow;
  set.m_EditModeEntered = b.EditModeEntered;
  set.m_SourceCodeType = b.SourceCodeType;
  set.m_RowFilledCount = b.RowFilledCount;
  set.m_RowTextCount = b.RowTextCount;
  set.m_RowLastTextCol = b.RowLastTextCol;
  set.m_RowFieldCount = b.RowFieldCount;
  set.m_ColumnTypes = b.ColumnTypes;

  set.m_StepGrid.Clear();
  set.m_EditGrid.Clear();
}
