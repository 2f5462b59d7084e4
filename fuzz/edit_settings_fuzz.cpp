// Reads arbitrary bytes as a data-edit settings file, checks that every count
// stayed within its record's limits, writes the settings back and reads the
// written text again: it must give the same text.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/tabro_client_app.h"
#include "edittools/chain/edit_settings_file.h"
#include "fuzz/fuzz_files.h"

namespace {

std::string Written() {
  std::vector<CString> pieces;
  CSettingsTextList sink(pieces);
  WriteEditSettings(sink, theApp.EditRecords());
  std::string text;
  for (const CString& p : pieces) text += p.ToUtf8();
  return text;
}

void CheckLimits() {
  const CTabroClientApp& a = theApp;
  if (a.m_FilterConds.FilterCnt < 0 || a.m_FilterConds.FilterCnt > 3) std::abort();
  for (const FILTERDAT& d : a.m_FilterConds.conditions) {
    if (d.valueCount < 0 || d.valueCount > 31) std::abort();
  }
  if (a.m_SortSetting.sortCnt < 0 || a.m_SortSetting.sortCnt > 3) std::abort();
  if (a.m_JoinDef.AddCsvCnt < 0 || a.m_JoinDef.AddCsvCnt > 2) std::abort();
  if (a.m_MacroSetting.colms < 0 || a.m_MacroSetting.colms > GRID_COLS) std::abort();
  if (a.m_PivotSetting.SumClmArry.size() > size_t{kEditSettingsMaxItems}) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string folder = "/tmp/tabro_fuzz_edit_XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) std::abort();
  const std::string path = folder + "/job.txt";
  WriteFuzzBytes(path, data, size);
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  ReadEditSettingsFile(CString::FromUtf8(path), theApp.EditRecords());
  CheckLimits();
  // Only valid UTF-8 texts survive the round trip unchanged; a text holding a
  // quote and a comma, or a line end, cannot be stored, so only those that read
  // back the same are compared.
  const std::string first = Written();
  WriteFuzzBytes(path, first.data(), first.size());
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  ReadEditSettingsFile(CString::FromUtf8(path), theApp.EditRecords());
  CheckLimits();
  const std::string second = Written();
  WriteFuzzBytes(path, second.data(), second.size());
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  ReadEditSettingsFile(CString::FromUtf8(path), theApp.EditRecords());
  if (Written() != second) std::abort();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
