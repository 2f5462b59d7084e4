// The macro-column step of the tool chain over theApp's data grid.

#include <algorithm>

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "macro/macro_columns.h"
#include "platform/ui_hooks.h"

namespace {

// What the engine needs of the stored aggregation settings.
MACROCROSS CrossOfThisRun(int columnGroups, int groupCount) {
  const PIVOTSETTING& pivot = theApp.m_PivotSetting;
  MACROCROSS cross;
  cross.columnGroups = columnGroups;
  cross.groupCount = groupCount;
  for (const GRPCLM& g : pivot.GrpClmArry) {
    if (g.orientation == 1) ++cross.rowGroups;
    if (g.orientation == 2) ++cross.colGroups;
  }
  cross.valueItems = static_cast<int>(pivot.SumClmArry.size());
  return cross;
}

}  // namespace

void CTabroClientApp::AppendMacroPreviewRows() {
  // The title row as the step found it: a later cross table moves it down.
  constexpr int kRows = 5;
  if (m_TitleRow < 0) return;
  const int rows = std::min(kRows, m_DataRows - m_TitleRow);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < m_DataCols; ++c) m_MacroPreviewRows[r].push_back(m_DataGrid.GetAt(m_TitleRow + r, c));
  }
}

void CTabroClientDlg::PrepareMacroColumns() {
  m_MacroFieldNames = MacroFieldNames(theApp.m_DataGrid, theApp.m_TitleRow, theApp.m_DataCols,
                                      m_CrossColumnGroups, m_PivotGroupCount);
}

bool CTabroClientDlg::EvaluateMacroColumns() {
  CTabroClientApp& app = theApp;
  const MACROGRIDS grids{app.m_DataGrid, app.m_StepGrid, app.m_DataRows, app.m_DataCols, app.m_TitleRow};
  CMacroColumnEngine engine(grids, CrossOfThisRun(m_CrossColumnGroups, m_PivotGroupCount), m_MacroColumns,
                            m_MacroFieldNames);
  CString error;
  bool ran = false;
  {
    CWaitCursor wait;
    ran = engine.EvaluateMacroColumns(error);
  }
  if (!ran) {
    app.DoMessageBox(error);
    return false;
  }
  const int n = m_MacroColumnCount;
  for (int r = app.m_TitleRow; r < app.m_DataRows; ++r) app.m_RowFieldCount[static_cast<size_t>(r)] = static_cast<int16_t>(n);
  app.m_DataCols = engine.OutputColumns();
  return true;
}

int CTabroClientDlg::RunMacroStep(int show, int fromStored) {
  CTabroClientApp& app = theApp;
  if (app.m_TitleRow < 0) return -1;
  app.DetectColumnTypes(0);
  m_MacroColumns.clear();
  m_MacroColumnCount = 0;
  if (show != 0) {
    MacroDialogIo io;
    io.inChain = fromStored != 0 ? 1 : 0;
    io.crossColumnGroups = m_CrossColumnGroups;
    io.pivotGroupCount = m_PivotGroupCount;
    if (GetUpCalls().macro(io) != IDOK) return -1;
    if (io.skipped) return 1;
  } else {
    app.AppendMacroPreviewRows();
  }
  m_MacroColumns = app.m_MacroSetting.ClmArry;
  m_MacroColumnCount = static_cast<int>(m_MacroColumns.size());
  PrepareMacroColumns();
  return EvaluateMacroColumns() ? 0 : -1;
}
