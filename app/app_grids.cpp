// The application object's grid operations: thin members over the grid engines.

#include "app/app_grids.h"

#include "app/tabro_client_app.h"
#include "grid/column_types.h"
#include "grid/csv_split.h"
#include "grid/grid_set.h"

void CTabroClientApp::CopyGridSet(int direction) {
  if (direction == 0) {
    SaveGridBackup(*this);
  } else if (direction == 1) {
    RestoreGridBackup(*this);
    ResetToolSettings(TOOL_RESET_NAME_LISTS);
  }
}

int CTabroClientApp::DetectColumnTypes(int source) { return ScanColumnTypes(*this, source); }

int MoveStepGridToDataGrid(int columns, int rows) {
  return MoveStepGridToDataGrid(theApp.m_DataGrid, theApp.m_StepGrid, columns, rows);
}

int ClassifyHeaderWord(int column) { return ClassifyTitleField(theApp, column); }

CString GetAddCsvPath(int index) {
  if (index < 0 || index >= JOIN_MAX_ADDCSV) return CString();
  const CString& stored = theApp.m_JoinDef.AddCsvPath[index];
  if (theApp.m_InputKind != INPUT_WATCH_FOLDER) return stored;
  CString folder, name;
  if (!stored.IsEmpty()) SplitPath(folder, name, stored);
  return CString::Build(u"%s/Sub/%s", theApp.m_WatchFolder, name);
}
