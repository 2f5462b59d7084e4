// Operations that move or clear the application's grids and tool settings as a whole.

#include <algorithm>

#include "app/tabro_client_app.h"
#include "grid/csv_split.h"
#include "grid/grid_store.h"

void CTabroClientApp::CopyGridSet(int direction) {
  if (direction == 0) {
    // The backup takes the cells inside the data region; rows are shared, not copied.
    const int rows = std::clamp(m_DataRows, 0, GRID_MAX_ROWS);
    const int cols = std::clamp(m_DataCols, 0, GRID_COLS);
    for (int r = 0; r < GRID_MAX_ROWS; ++r) {
      if (r < rows) {
        m_BackupGrid.ShareRow(r, m_DataGrid, cols);
      } else {
        m_BackupGrid.ClearRow(r);
      }
    }
    GRIDBACKUP& b = m_Backup;
    b.EditCols = m_EditCols;
    b.EditRows = m_EditRows;
    b.DataCols = m_DataCols;
    b.DataRows = m_DataRows;
    b.SendRows = m_SendRows;
    b.SendCols = m_SendCols;
    b.TitleRow = m_TitleRow;
    b.EditModeEntered = m_EditModeEntered;
    b.SourceCodeType = m_SourceCodeType;
    b.RowFilledCount = m_RowFilledCount;
    b.RowTextCount = m_RowTextCount;
    b.RowLastTextCol = m_RowLastTextCol;
    b.RowFieldCount = m_RowFieldCount;
    b.ColumnTypes = m_ColumnTypes;
    return;
  }
  if (direction != 1) return;

  const GRIDBACKUP& b = m_Backup;
  const int rows = std::clamp(b.DataRows, 0, GRID_MAX_ROWS);
  const int cols = std::clamp(b.DataCols, 0, GRID_COLS);
  for (int r = 0; r < GRID_MAX_ROWS; ++r) {
    if (r < rows) {
      m_DataGrid.ShareRow(r, m_BackupGrid, cols);
    } else {
      m_DataGrid.ClearRow(r);
    }
  }
  m_EditCols = b.EditCols;
  m_EditRows = b.EditRows;
  m_DataCols = b.DataCols;
  m_DataRows = b.DataRows;
  m_SendRows = b.SendRows;
  m_SendCols = b.SendCols;
  m_TitleRow = b.TitleRow;
  m_EditModeEntered = b.EditModeEntered;
  m_SourceCodeType = b.SourceCodeType;
  m_RowFilledCount = b.RowFilledCount;
  m_RowTextCount = b.RowTextCount;
  m_RowLastTextCol = b.RowLastTextCol;
  m_RowFieldCount = b.RowFieldCount;
  m_ColumnTypes = b.ColumnTypes;

  m_StepGrid.Clear();
  m_EditGrid.Clear();
  ResetToolSettings(10);
}

void CTabroClientApp::ClearToolNameLists() {
  m_PivotColumnNames.clear();
  m_PivotSampleTexts.clear();
  m_PivotColumnCount = 0;
  m_PivotTypeTable.fill(0);

  m_JoinMainNames.clear();
  for (auto& names : m_JoinAddNames) names.clear();
  for (auto& kinds : m_JoinKinds) std::fill(std::begin(kinds), std::end(kinds), 0);

  m_SortColumnNames.clear();
  m_SortTypeTable.fill(0);

  // The filter's per-field value lists stay: the dialog replaces them when it next
  // stores its state.
  for (auto& row : m_FilterHeadRows) row.clear();
  m_FilterColumnTypes.fill(0);
  for (int i = 0; i < FILTER_MAX_CONDS; ++i) {
    m_FilterValueCounts[i] = 0;
    m_FilterFieldColumns[i] = 0;
  }
  m_FilterRowRecords.clear();

  for (auto& row : m_MacroPreviewRows) row.clear();
  m_MacroStoredDataCols = 0;
}

void CTabroClientApp::ResetToolSettings(int group) {
  if (group == 0) {
    for (int g : {1, 2, 3, 4, 5, 10}) ResetToolSettings(g);
    return;
  }
  if (group == 10) {
    ClearToolNameLists();
    return;
  }
  if (group < 1 || group > 5) return;

  m_ToolOrder.fill(TOOLSLOT{});
  switch (group) {
    case TOOL_PIVOT:
      m_PivotSetting.Clear();
      break;
    case TOOL_ADDCSV:
      m_JoinDef.Clear();
      break;
    case TOOL_FILTER:
      m_FilterConds.Clear();
      break;
    case TOOL_SORT: {
      SORTKEYS& s = m_SortSetting;
      s.sortCnt = 0;
      for (int k = 0; k < 4; ++k) {
        s.column[k] = 0;
        s.compareType[k] = 0;
      }
      s.descending[0] = 0;
      break;
    }
    case TOOL_MACRO:
      m_MacroSetting.Clear();
      break;
  }
}

int MoveStepGridToDataGrid(int columns, int rows) {
  return MoveStepGridToDataGrid(theApp.m_DataGrid, theApp.m_StepGrid, columns, rows);
}

CString GetAddCsvPath(int index) {
  if (index < 0 || index >= JOIN_MAX_ADDCSV) return CString();
  const CString& stored = theApp.m_JoinDef.AddCsvPath[index];
  if (theApp.m_InputKind != INPUT_WATCH_FOLDER) return stored;
  CString folder, name;
  if (!stored.IsEmpty()) SplitPath(folder, name, stored);
  return CString::Build(u"%s/Sub/%s", theApp.m_WatchFolder, name);
}
