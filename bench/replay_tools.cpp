// Replays the tool chain of a data-edit settings file on one CSV or TSV file,
// without dialogs, through the program's own loader and steps, and prints the
// resulting data grid as UTF-8 CSV (LF line ends, RFC 4180 quoting where a cell
// needs it) on standard output.
// Usage: replay_tools FILE SETTINGS
//        replay_tools --start-only   (starts and exits at once: the fixed cost of a
//                                     run, which the benchmarks show beside the jobs)
// A message the program would show goes to standard error; a failed load, an
// unreadable settings file or a failed step ends with a non-zero status.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "app/steps/tool_replay.h"
#include "platform/cstring.h"
#include "platform/ui_hooks.h"

namespace {

// Messages to standard error; every box answers OK, nothing else is there.
class StderrUiHooks : public SilentUiHooks {
 public:
  int MessageBox(const CString& text, const CString&, unsigned) override {
    std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
    return IDOK;
  }
  void ShowModelessBox(const CString& text, const CString&, unsigned) override {
    std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
  }
};

int Replay(const char* file, const char* settings) {
  CTabroClientDlg dlg;
  if (!LoadInputForReplay(dlg, CString::FromUtf8(file))) {
    std::fprintf(stderr, "replay_tools: %s could not be loaded\n", file);
    return 1;
  }
  CString error;
  if (ReplayToolChain(dlg, CString::FromUtf8(settings), error) != 0) {
    std::fprintf(stderr, "replay_tools: %s\n", error.ToUtf8().c_str());
    return 1;
  }
  bool written = true;
  WriteDataGridAsCsv([&written](std::string_view piece) {
    written = written && std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
  });
  if (!written || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "replay_tools: the result could not be written\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--start-only") _exit(0);
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
