#pragma once
// Puts the application object's grid state back to a freshly started program, so
// that each test starts from the same place whatever ran before it.

#include "app/tabro_client_app.h"

namespace gridtest {

inline void ResetAppState() {
  CTabroClientApp& a = theApp;
  a.m_EditGrid.Clear();
  a.m_DataGrid.Clear();
  a.m_StepGrid.Clear();
  a.m_UploadGrid.Clear();
  a.m_BackupGrid.Clear();
  a.m_EditCols = a.m_EditRows = a.m_DataCols = a.m_DataRows = 0;
  a.m_SendRows = a.m_SendCols = 0;
  a.m_RowFilledCount.fill(0);
  a.m_RowTextCount.fill(0);
  a.m_RowLastTextCol.fill(0);
  a.m_RowFieldCount.fill(0);
  a.m_TitleRow = -1;
  a.m_EditModeEntered = 0;
  a.m_SourceCodeType = 0;
  a.m_ColumnTypes.fill(0);
  a.m_Backup = GRIDBACKUP{};
  a.m_TotalRows = 0;
  a.m_InputKind = INPUT_NONE;
  a.m_CsvFolder.Empty();
  a.m_WatchFolder.Empty();
  a.ResetToolSettings(0);
}

// Writes rows of cells into a grid, row r from the r-th list.
inline void Fill(CTextGrid& grid, std::initializer_list<std::initializer_list<const char16_t*>> rows) {
  int r = 0;
  for (const auto& cells : rows) {
    int c = 0;
    for (const char16_t* cell : cells) grid[r][c++] = cell;
    ++r;
  }
}

}  // namespace gridtest
