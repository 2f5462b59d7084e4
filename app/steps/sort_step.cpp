// The sort step of the tool chain over theApp's data grid.

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/sort/sort_grid.h"
#include "platform/ui_hooks.h"

namespace {

// Stored keys that no dialog or settings file can produce.
constexpr char16_t kBadSortSettingsMessage[] = u"ソートの設定が正しくありません。";

int SortTheDataGrid(const SORTKEYS& keys) {
  CWaitCursor wait;
  return SortDataGrid(theApp.m_DataGrid, theApp.m_TitleRow, theApp.m_DataRows, theApp.m_DataCols, keys);
}

}  // namespace

int CTabroClientDlg::SortWithDialog(int inChain) {
  CTabroClientApp& app = theApp;
  if (app.m_TitleRow < 0) return STEP_CANCELLED;
  app.DetectColumnTypes(0);
  SortDialogIo io;
  io.columnCount = app.m_DataCols;
  for (int c = 0; c < app.m_DataCols; ++c) {
    const uint8_t type = app.m_ColumnTypes[static_cast<size_t>(c)];
    io.columnTypes.push_back(type == COLTYPE_NUMBER ? SORT_AS_NUMBER
                             : type == COLTYPE_DATE ? SORT_AS_DATE
                                                    : SORT_AS_TEXT);
    io.columnNames.push_back(app.m_DataGrid.GetAt(app.m_TitleRow, c));
  }
  io.inChain = inChain;
  if (GetUpCalls().sort(io) != IDOK) return STEP_CANCELLED;
  // Chosen keys close up; a key without a column is left out.
  SORTKEYS keys;
  for (int k = 0; k < SORT_MAX_KEYS; ++k) {
    if (io.resultColumns[k] < 0) continue;
    keys.column[keys.sortCnt] = io.resultColumns[k];
    keys.compareType[keys.sortCnt] = io.resultTypes[k];
    keys.descending[keys.sortCnt] = io.resultDescending[k];
    ++keys.sortCnt;
  }
  if (io.skipped) return STEP_SKIPPED;
  if (keys.sortCnt > 0) SortTheDataGrid(keys);
  return STEP_RAN;
}

int CTabroClientDlg::RunSortStep(int show, int inChain) {
  CTabroClientApp& app = theApp;
  if (show == 1) return SortWithDialog(inChain) == STEP_CANCELLED ? STEP_CANCELLED : STEP_RAN;
  for (int c = 0; c < app.m_DataCols; ++c) {
    app.m_SortColumnNames.push_back(app.m_DataGrid.GetAt(app.m_TitleRow, c));
  }
  const SORTKEYS& keys = app.m_SortSetting;
  if (keys.sortCnt < 0 || keys.sortCnt > SORT_MAX_KEYS) {
    app.DoMessageBox(CString(kBadSortSettingsMessage));
    return STEP_CANCELLED;
  }
  if (keys.sortCnt == 0) return STEP_SKIPPED;
  SortTheDataGrid(keys);
  return STEP_RAN;
}
