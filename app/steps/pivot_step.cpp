// The aggregation step: hands the application's data grid and settings to the
// aggregation engine.
#include "app/tabro_client_dlg.h"
#include "edittools/pivot/pivot_engine.h"
#include "platform/ui_hooks.h"

namespace {

PIVOTGRIDS AppGrids() {
  return PIVOTGRIDS{theApp.m_DataGrid, theApp.m_StepGrid, theApp.m_DataRows,
                    theApp.m_DataCols, theApp.m_TitleRow, theApp.m_ToolAbort};
}

}  // namespace

int CTabroClientDlg::RunPivotStep(int show, int inChain) {
  ResetPivotRun(m_PivotRun);
  theApp.DetectColumnTypes(0);
  m_PivotRun.columnTypes = theApp.m_ColumnTypes;

  if (show == 1) {
    // The dialog is not available on this build: nothing is changed.
    return -1;
  }

  LoadPivotRun(m_PivotRun, theApp.m_PivotSetting);
  const int title = theApp.m_TitleRow;
  for (int c = 0; c < theApp.m_DataCols; ++c) {
    theApp.m_PivotColumnNames.push_back(theApp.m_DataGrid.GetAt(title, c));
    theApp.m_PivotSampleTexts.push_back(theApp.m_DataGrid.GetAt(title + 1, c));
  }
  int built = 0;
  {
    CWaitCursor wait;
    built = ExecutePivot(AppGrids(), m_PivotRun);
  }
  theApp.m_PivotTypeTable = theApp.m_ColumnTypes;
  return built ? 0 : -1;
}
