// Scans arbitrary text as the program's command line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/command_line.h"
#include "grid/csv_file_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString line = CString::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto items = ScanCommandLine(line);
  const COMMANDLINEINFO info = ReadCommandLineItems(items);
  // Every item is a piece of the line.
  for (const CMDLINEITEM& item : items) {
    if (item.text.GetLength() > line.GetLength()) std::abort();
    if (item.kind != CMDLINE_PATH && item.kind != CMDLINE_COMMAND) std::abort();
  }
  if (info.pathCount > 0 && info.path.IsEmpty()) std::abort();
  CsvFileKindOf(info.path);
  return 0;
}
