#include "app/steps/tool_replay.h"

#include "app/steps/tool_steps.h"
#include "platform/codepage.h"

bool LoadInputForReplay(CTabroClientDlg& dlg, const CString& path) {
  CTabroClientApp& app = theApp;
  app.m_InputKind = INPUT_DROPPED;
  if (dlg.LoadCsv(path, nullptr, LOAD_FILE) != 1) return false;
  app.m_TitleRow = dlg.AnalyseCsvShape(app.m_DataCols, app.m_DataRows, app.m_RowFilledCount);
  app.DetectColumnTypes(0);
  return true;
}

int ReplayToolChain(CTabroClientDlg& dlg, const CString& settingsPath, CString& error) {
  CTabroClientApp& app = theApp;
  app.ResetToolSettings(TOOL_RESET_ALL);
  if (!ReadEditSettingsFile(settingsPath, app.EditRecords())) {
    error = u"the settings file could not be read";
    return -1;
  }
  for (const TOOLSLOT& slot : app.m_ToolOrder) {
    if (slot.toolKind == ToolKind::kNone) break;
    if (!FindToolStep(slot.toolKind)) {
      error.Format(u"tool kind %d cannot be replayed", StoredToolKind(slot.toolKind));
      return -1;
    }
  }
  if (dlg.RunToolChain(ToolChainRun::kSilent, false) != 1) {
    error = u"the tool chain stopped";
    return -1;
  }
  return 0;
}

namespace {

bool NeedsQuotes(std::u16string_view text) {
  for (const char16_t ch : text) {
    if (ch == u',' || ch == u'"' || ch == u'\r' || ch == u'\n') return true;
  }
  return false;
}

void AppendCell(std::string& out, std::u16string_view text) {
  if (!NeedsQuotes(text)) {
    AppendUtf8(out, text);
    return;
  }
  out += '"';
  for (size_t start = 0;;) {
    const size_t quote = text.find(u'"', start);
    AppendUtf8(out, text.substr(start, quote == std::u16string_view::npos ? quote : quote + 1 - start));
    if (quote == std::u16string_view::npos) break;
    out += '"';
    start = quote + 1;
  }
  out += '"';
}

}  // namespace

void WriteDataGridAsCsv(const std::function<void(std::string_view)>& write) {
  constexpr size_t kPiece = size_t{64} << 10;
  const CTabroClientApp& app = theApp;
  std::string out;
  out.reserve(kPiece + kPiece / 4);
  for (int r = 0; r < app.m_DataRows; ++r) {
    const CTextGrid::ConstRow row = app.m_DataGrid[r];
    // After a sort the rows no longer lie in memory order: the texts of a row a
    // few rows on are asked for while this one is written.
    const CTextGrid::ConstRow ahead = app.m_DataGrid[r + 4];
    for (int c = 0; c < ahead.Width() && c < app.m_DataCols; ++c) __builtin_prefetch(ahead[c].GetString());
    __builtin_prefetch(&app.m_DataGrid[r + 8][0]);
    for (int c = 0; c < app.m_DataCols; ++c) {
      if (c > 0) out += ',';
      AppendCell(out, row[c].View());
    }
    out += '\n';
    if (out.size() >= kPiece) {
      write(out);
      out.clear();
    }
  }
  if (!out.empty()) write(out);
}

std::string DataGridAsCsv() {
  std::string all;
  WriteDataGridAsCsv([&all](std::string_view piece) { all += piece; });
  return all;
}
