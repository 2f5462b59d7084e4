// The filter step of the tool chain over theApp's data grid.

#include <ctime>

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/filter/filter_engine.h"
#include "edittools/filter/filter_fields.h"
#include "platform/ui_hooks.h"

namespace {

// Stored conditions that no dialog or settings file can produce.
constexpr char16_t kBadFilterSettingsMessage[] = u"フィルタの設定が正しくありません。";

bool InRange(int value, int high) { return value >= 0 && value <= high; }

bool ValidConditions(const FILTERSETTING& s) {
  if (!InRange(s.FilterCnt, FILTER_MAX_CONDS) || !InRange(s.ItemCnt, FILTER_MAX_CONDS)) return false;
  // More conditions applied than stored would filter by empty ones and empty the data.
  if (s.FilterCnt > s.ItemCnt) return false;
  for (const FILTERDAT& d : s.conditions) {
    if (!InRange(d.valueCount, FILTER_MAX_VALUES)) return false;
  }
  return true;
}

int FilterTheDataGrid(int count, const FILTERDAT* conds) {
  CTabroClientApp& app = theApp;
  FilterTarget target{app.m_DataGrid, app.m_DataRows,  app.m_DataCols,
                      app.m_TitleRow, app.m_EditRows, app.m_RowFieldCount};
  return ApplyFilters(count, conds, target, std::time(nullptr));
}

// A replay stores no dialog state: the view then lists each value condition's
// accepted texts, ticked, on the column it tested.
void KeepReplayedValueLists(CTabroClientApp& app, const FILTERSETTING& s) {
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    app.m_FilterValues[k].clear();
    app.m_FilterStates[k].clear();
    app.m_FilterListMaps[k].clear();
    app.m_FilterValueCounts[k] = 0;
    app.m_FilterFieldColumns[k] = 0;
  }
  for (int k = 0; k < s.ItemCnt; ++k) {
    const FILTERDAT& d = s.conditions[k];
    app.m_FilterFieldColumns[k] = d.column;
    if (d.kind != FILTER_VALUES) continue;
    for (int v = 0; v < d.valueCount; ++v) {
      FILTERVALUE value;
      value.text = d.filterKey[v];
      value.checked = 1;
      app.m_FilterValues[k].push_back(value);
      app.m_FilterStates[k].push_back(FILTER_CHECKED);
    }
    app.m_FilterValueCounts[k] = d.valueCount;
  }
}

}  // namespace

void CTabroClientApp::AppendFilterHeadRows() {
  // From the title row the step ran on: a later cross table moves it down.
  if (m_TitleRow < 0) return;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < m_DataCols; ++c) m_FilterHeadRows[r].push_back(m_DataGrid.GetAt(m_TitleRow + r, c));
  }
}

int CTabroClientDlg::RunFilterStep(int show, int inChain) {
  CTabroClientApp& app = theApp;
  FILTERDAT conds[FILTER_MAX_CONDS];
  if (show == 1) {
    FilterDialogIo io;
    io.inChain = inChain != 0 ? 1 : 0;
    if (GetUpCalls().filter(io) != IDOK) return -1;
    if (io.skipped) return 1;
    const int count = io.condCount;
    if (!InRange(count, FILTER_MAX_CONDS)) {
      app.DoMessageBox(CString(kBadFilterSettingsMessage));
      return -1;
    }
    for (int i = 0; i < count; ++i) conds[i] = io.conds[i];
    FilterTheDataGrid(count, conds);
    return io.narrowFurther ? 1 : 0;
  }
  const FILTERSETTING& s = app.m_FilterConds;
  if (!ValidConditions(s)) {
    app.DoMessageBox(CString(kBadFilterSettingsMessage));
    return -1;
  }
  for (int i = 0; i < s.ItemCnt; ++i) conds[i] = s.conditions[i];
  app.AppendFilterHeadRows();
  KeepReplayedValueLists(app, s);
  FilterTheDataGrid(s.FilterCnt, conds);
  return 0;
}
