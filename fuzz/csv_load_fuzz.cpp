// Loads arbitrary bytes as a CSV or TSV file (first byte odd: TSV), then runs the
// shape analysis and the column type detection over what was loaded; the same
// bytes, read as UTF-8, are also pasted through the clipboard reader.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "fuzz/fuzz_files.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingUiHooks* hooks = new RecordingUiHooks();
  hooks->Clear();
  const bool tsv = size > 0 && (data[0] & 1) != 0;
  const std::string path = FuzzTempPath("csv_load_fuzz", tsv ? ".tsv" : ".csv");
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  CTabroClientApp& app = theApp;
  app.m_InputKind = INPUT_DROPPED;
  app.m_SendRows = app.m_SendCols = 0;
  CTabroClientDlg dlg;
  dlg.LoadCsv(CString::FromUtf8(path), nullptr, LOAD_FILE);
  app.m_TitleRow = dlg.AnalyseCsvShape(app.m_DataCols, app.m_DataRows, app.m_RowFilledCount);
  if (app.m_TitleRow < -1 || app.m_TitleRow > 100) __builtin_trap();
  app.DetectColumnTypes(0);
  dlg.LoadCsv(CString::FromUtf8(path), nullptr, LOAD_RESTORE);
  std::remove(path.c_str());

  hooks->SetClipboard(CString::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
  CCsvPropPage page;
  page.m_RowCount = static_cast<int>(size % 5);
  page.m_ColCount = static_cast<int>(size % 3);
  page.m_AnchorRow = static_cast<int>(size % 4);
  page.ReadClipboardText();
  app.DetectColumnTypes(1);
  app.m_EditGrid.Clear();
  return 0;
}
