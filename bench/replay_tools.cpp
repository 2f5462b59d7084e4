// Replays the tool chain of a data-edit settings file on one CSV or TSV file,
// without dialogs, through the program's own loader and steps, and prints the
// resulting data grid as UTF-8 CSV (LF line ends, RFC 4180 quoting where a cell
// needs it) on standard output.
// Usage: replay_tools FILE SETTINGS
// A message the program would show goes to standard error; a failed load, an
// unreadable settings file or a failed step ends with a non-zero status.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/steps/tool_steps.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "platform/cstring.h"
#include "platform/ui_hooks.h"

namespace {

// Messages to standard error; every box answers OK, nothing else is there.
class StderrUiHooks : public UiHooks {
 public:
  int MessageBox(const CString& text, const CString&, unsigned) override {
    std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
    return IDOK;
  }
  CString ChooseOpenFile(const CString&, const CString&, const CString&) override { return {}; }
  CString ChooseFolder(const CString&, const CString&) override { return {}; }
  CString GetClipboardText() override { return {}; }
  void SetClipboardText(const CString&) override {}
  void EmptyClipboard() override {}
  bool IsKeyDown(UiKey) override { return false; }
  bool OpenDocument(const CString&) override { return false; }
  void SetWaitCursor(bool) override {}
};

void AppendCell(std::string& out, const CString& cell) {
  const std::string text = cell.ToUtf8();
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

void PrintDataGrid() {
  const CTabroClientApp& app = theApp;
  std::string out;
  for (int r = 0; r < app.m_DataRows; ++r) {
    const CTextGrid::ConstRow row = app.m_DataGrid[r];
    for (int c = 0; c < app.m_DataCols; ++c) {
      if (c > 0) out += ',';
      AppendCell(out, row[c]);
    }
    out += '\n';
    if (out.size() > (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

int Replay(const char* file, const char* settings) {
  theApp.m_InputKind = INPUT_DROPPED;
  CTabroClientDlg dlg;
  if (dlg.LoadCsv(CString::FromUtf8(file), nullptr, LOAD_FILE) != 1) {
    std::fprintf(stderr, "replay_tools: %s could not be loaded\n", file);
    return 1;
  }
  theApp.m_TitleRow = dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
  theApp.DetectColumnTypes(0);

  theApp.ResetToolSettings(0);
  if (!ReadEditSettingsFile(CString::FromUtf8(settings), theApp.EditRecords())) {
    std::fprintf(stderr, "replay_tools: %s could not be read\n", settings);
    return 1;
  }
  for (const TOOLSLOT& slot : theApp.m_ToolOrder) {
    if (slot.toolKind == TOOL_NONE) break;
    if (!FindToolStep(slot.toolKind)) {
      std::fprintf(stderr, "replay_tools: tool kind %d cannot be replayed\n", slot.toolKind);
      return 1;
    }
  }
  if (dlg.RunToolChain(ToolChainRun::kSilent, false) != 1) {
    std::fprintf(stderr, "replay_tools: the tool chain stopped\n");
    return 1;
  }
  PrintDataGrid();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: replay_tools FILE SETTINGS\n");
    return 2;
  }
  StderrUiHooks hooks;
  SetUiHooks(&hooks);
  const int status = Replay(argv[1], argv[2]);
  std::fflush(stdout);
  // The grids are not freed one string at a time.
  _exit(status);
}
