// Joins from arbitrary settings: the input is a data-edit settings file, the loaded
// CSV and two additional CSVs, separated by lines "====". The definition read from
// the settings (links, counts, column flags out of every range included) is run as a
// key join and as a serial join over the loaded rows; neither may crash, and a
// refused join must leave the data as it was.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "edittools/chain/edit_settings_file.h"
#include "edittools/join/addcsv_join.h"
#include "grid/csv_split.h"
#include "platform/ui_hooks.h"

namespace {

std::string TempPath(const char* name) {
  return "/tmp/tabro_join_fuzz_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

// The input's parts; missing parts are empty.
void SplitParts(std::string_view text, std::string_view parts[4]) {
  for (int i = 0; i < 4; ++i) {
    const size_t cut = i < 3 ? text.find("\n====\n") : std::string_view::npos;
    parts[i] = text.substr(0, cut);
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 6);
  }
}

int LoadRows(CTextGrid& grid, std::string_view csv) {
  grid.Clear();
  int rows = 0;
  int cols = 0;
  std::vector<CString> fields;
  size_t start = 0;
  while (start < csv.size() && rows < 200) {
    size_t end = csv.find('\n', start);
    if (end == std::string_view::npos) end = csv.size();
    CString line = CString::FromUtf8(csv.substr(start, end - start));
    const int n = std::min(SplitCsvLine(fields, line, false), GRID_COLS);
    for (int c = 0; c < n; ++c) grid[rows][c] = fields[c];
    cols = std::max(cols, n);
    ++rows;
    start = end + 1;
  }
  return rows << 16 | cols;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingUiHooks* hooks = new RecordingUiHooks();
  hooks->Clear();
  std::string_view parts[4];
  SplitParts(std::string_view(reinterpret_cast<const char*>(data), size), parts);
  const std::string settings = TempPath("settings.txt");
  const std::string add[2] = {TempPath("add1.csv"), TempPath("add2.tsv")};
  WriteFile(settings, parts[0]);
  WriteFile(add[0], parts[2]);
  WriteFile(add[1], parts[3]);

  TOOLORDER order{};
  PIVOTSETTING pivot;
  JOINDEF def;
  FILTERSETTING filter;
  SORTKEYS sort;
  MACROSETTING macro;
  ReadEditSettingsFile(CString::FromUtf8(settings), EditSettingsRecords{order, pivot, def, filter, sort, macro});
  const CString paths[2] = {CString::FromUtf8(add[0]), CString::FromUtf8(add[1])};
  const std::vector<CString> noNames[2];

  static CTextGrid* grid = new CTextGrid(GRID_MAX_ROWS);
  static CTextGrid* step = new CTextGrid(GRID_MAX_ROWS);
  for (int serial = 0; serial < 2; ++serial) {
    const int shape = LoadRows(*grid, parts[1]);
    int rows = shape >> 16;
    int cols = shape & 0xFFFF;
    const int titleRow = rows > 0 ? 0 : -1;
    CAddcsvJoin join;
    join.SetGrids(*grid, *step, rows, cols, titleRow);
    join.RestoreJoinSettings(def, paths, noNames);
    join.ClassifyColumns(0);
    join.LoadMainColumnNames();
    for (int i = 0; i < 2; ++i) join.LoadAddCsvPreview(i, paths[i]);
    join.m_MinusFlags[size % GRID_COLS] = 1;
    const int joined = serial ? join.AppendSerial() : join.JoinByKeys();
    if (joined == 0 && (rows != shape >> 16 || cols != (shape & 0xFFFF))) __builtin_trap();
    if (rows < 0 || rows > GRID_MAX_ROWS || cols < 0 || cols > GRID_COLS) __builtin_trap();
  }
  std::remove(settings.c_str());
  std::remove(add[0].c_str());
  std::remove(add[1].c_str());
  return 0;
}
