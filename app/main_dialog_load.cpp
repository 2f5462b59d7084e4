// The main dialog's loading of an input: hands theApp's grids to the grid engines.

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/csv_loader.h"
#include "grid/csv_shape.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

int CTabroClientDlg::LoadCsv(const CString& path, CCsvPropPage* page, int loadType) {
  CTabroClientApp& app = theApp;
  if (loadType == LOAD_RESTORE) {
    app.CopyGridSet(1);
    return 1;
  }
  CWaitCursor wait;

  if (app.m_InputKind == INPUT_CLIPBOARD && loadType == LOAD_FILE) {
    CCsvPropPage scratch;
    CCsvPropPage& target = page != nullptr ? *page : scratch;
    if (target.ReadClipboardText() == CCsvPropPage::CLIP_INSERTED) GetUiHooks().EmptyClipboard();
    return 1;
  }
  if (app.m_SendRows > 0 && app.m_SendCols > 0) return 1;

  const int lastSlash = path.ReverseFind(u'/');
  if (lastSlash > 0) app.m_CsvFolder = path.Left(lastSlash);
  return LoadCsvFile(app, path);
}

int CTabroClientDlg::AnalyseCsvShape(int cols, int rows, const RowIntTable& filledCounts) const {
  return FindTitleRow(theApp.m_DataGrid, cols, rows, filledCounts);
}
