#include "app/steps/tool_replay.h"

#include "app/steps/tool_steps.h"

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
  app.ResetToolSettings(0);
  if (!ReadEditSettingsFile(settingsPath, app.EditRecords())) {
    error = u"the settings file could not be read";
    return -1;
  }
  for (const TOOLSLOT& slot : app.m_ToolOrder) {
    if (slot.toolKind == TOOL_NONE) break;
    if (!FindToolStep(slot.toolKind)) {
      error.Format(u"tool kind %d cannot be replayed", slot.toolKind);
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

void AppendCell(std::u16string& line, std::u16string_view text) {
  if (text.find_first_of(u",\"\r\n") == std::u16string_view::npos) {
    line += text;
    return;
  }
  line += u'"';
  for (char16_t ch : text) {
    if (ch == u'"') line += u'"';
    line += ch;
  }
  line += u'"';
}

}  // namespace

std::string DataGridAsCsv() {
  const CTabroClientApp& app = theApp;
  std::string out;
  std::u16string line;
  for (int r = 0; r < app.m_DataRows; ++r) {
    const CTextGrid::ConstRow row = app.m_DataGrid[r];
    line.clear();
    for (int c = 0; c < app.m_DataCols; ++c) {
      if (c > 0) line += u',';
      AppendCell(line, row[c].View());
    }
    line += u'\n';
    out += Utf16ToUtf8(line);
  }
  return out;
}
