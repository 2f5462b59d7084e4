// The filter step of the tool chain over theApp's data grid.

#include <ctime>

#include "app/tabro_client_dlg.h"
#include "app/tool_dialogs.h"
#include "edittools/filter/filter_engine.h"
#include "platform/ui_hooks.h"

namespace {

int FilterTheDataGrid(int count, const FILTERDAT* conds) {
  CTabroClientApp& app = theApp;
  FilterTarget target{app.m_DataGrid, app.m_DataRows,  app.m_DataCols,
                      app.m_TitleRow, app.m_EditRows, app.m_RowFieldCount};
  return ApplyFilters(count, conds, target, std::time(nullptr));
}

}  // namespace

int CTabroClientDlg::RunFilterStep(int show, int inChain) {
  CTabroClientApp& app = theApp;
  FILTERDAT conds[FILTER_MAX_CONDS];
  if (show == 1) {
    const FilterDialogFn dialog = ToolDialogs().filter;
    if (!dialog) return -1;
    FilterDialogIo io;
    io.inChain = inChain != 0 ? 1 : 0;
    if (dialog(io) != IDOK) return -1;
    if (io.skipped) return 1;
    const int count = std::clamp(io.condCount, 0, FILTER_MAX_CONDS);
    for (int i = 0; i < count; ++i) conds[i] = io.conds[i];
    FilterTheDataGrid(count, conds);
    return io.narrowFurther ? 1 : 0;
  }
  const FILTERSETTING& s = app.m_FilterConds;
  for (int i = 0; i < std::clamp(s.ItemCnt, 0, FILTER_MAX_CONDS); ++i) conds[i] = s.conditions[i];
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < app.m_DataCols; ++c) app.m_FilterHeadRows[r].push_back(app.m_DataGrid.GetAt(r, c));
  }
  FilterTheDataGrid(s.FilterCnt, conds);
  return 0;
}
