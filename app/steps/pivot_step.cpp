// The aggregation step: hands the application's data grid and settings to the
// aggregation engine.
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/pivot/pivot_engine.h"
#include "platform/ui_hooks.h"

namespace {

PIVOTGRIDS AppGrids() {
  return PIVOTGRIDS{theApp.m_DataGrid, theApp.m_StepGrid, theApp.m_DataRows,
                    theApp.m_DataCols, theApp.m_TitleRow, theApp.m_ToolAbort};
}

// The macro-column step later in the chain reads the shape of what was built.
int Finish(CTabroClientDlg& dlg, int built) {
  if (!built) return STEP_CANCELLED;
  const PIVOTRUN& run = dlg.m_PivotRun;
  dlg.m_CrossColumnGroups = run.sumType == PIVOT_CROSS ? run.colItemCount : 0;
  dlg.m_PivotGroupCount = run.groupCount;
  return STEP_RAN;
}

}  // namespace

int CTabroClientDlg::RunPivotStep(int show, int inChain) {
  ResetPivotRun(m_PivotRun);
  theApp.DetectColumnTypes(0);
  m_PivotRun.columnTypes = theApp.m_ColumnTypes;

  if (show == 1) {
    PivotDialogIo io;
    io.inChain = inChain;
    io.sumStyl = m_PivotRun.sumStyl;
    io.sumType = m_PivotRun.sumType;
    if (GetUpCalls().pivot(io) != IDOK) return STEP_CANCELLED;
    if (io.skipped) return STEP_SKIPPED;
    LoadPivotRun(m_PivotRun, theApp.m_PivotSetting);
    m_PivotRun.headerRows = io.columnItems;
    CWaitCursor wait;
    return Finish(*this, ExecutePivot(AppGrids(), m_PivotRun));
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
  return Finish(*this, built);
}
