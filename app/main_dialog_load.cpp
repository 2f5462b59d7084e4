// The main dialog's loading of an input: hands theApp's grids to the grid engines.

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/csv_loader.h"
#include "grid/csv_shape.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kDecodeErrorMessage[] =
    u"文字コードを正しく読み取れない文字があります。\n内容を確認してから実行してください。";

}  // namespace

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
  // A link in the watch folder is never read.
  const int loaded = LoadCsvFile(app, path, app.m_InputKind == INPUT_WATCH_FOLDER);
  if (loaded != 1 || !app.m_DecodeErrors) return loaded;
  // Reloading the same input (to narrow it again) warns no second time.
  if (m_DecodeWarnedPath != path) {
    m_DecodeWarnedPath = path;
    app.DoMessageBox(CString(kDecodeErrorMessage), MB_OK | MB_ICONEXCLAMATION);
  }
  // Nobody looks at a watched file's data before it goes out: it stays for the user.
  return app.m_InputKind == INPUT_WATCH_FOLDER ? 0 : 1;
}

int CTabroClientDlg::AnalyseCsvShape(int cols, int rows, const RowIntTable& filledCounts) const {
  return FindTitleRow(theApp.m_DataGrid, cols, rows, filledCounts);
}
