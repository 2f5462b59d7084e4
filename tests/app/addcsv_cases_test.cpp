// Expected-output cases of the join step: each folder under tests/cases/join holds
// the loaded CSV (input.csv), the additional CSVs, the join definition as the
// data-edit settings file stores it (join.txt, an "@AddCSV" section whose file names
// are taken inside the folder), the data grid expected afterwards (expected.csv) and
// the step's result with every message shown (expected.txt: "step N", then each
// message's text followed by a line "--").

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/tabro_client_dlg.h"
#include "edittools/chain/edit_settings_file.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

fs::path CasesRoot() { return fs::path(TABRO_TEST_DATA_DIR).parent_path() / "cases" / "join"; }

// Reads join.txt into theApp.m_JoinDef; a file name there is taken inside the folder.
void ReadJoinDefinition(const fs::path& folder) {
  ASSERT_TRUE(ReadEditSettingsFile(FromFsPath(folder / "join.txt"), theApp.EditRecords()));
  for (CString& path : theApp.m_JoinDef.AddCsvPath) {
    if (!path.IsEmpty()) path = FromFsPath(folder / path.ToUtf8());
  }
}

// The data grid's region as CSV lines; a cell holding a comma or a quote is quoted.
std::string GridText() {
  std::string text;
  for (int r = 0; r < theApp.m_DataRows; ++r) {
    for (int c = 0; c < theApp.m_DataCols; ++c) {
      if (c > 0) text += ',';
      const std::string cell = theApp.m_DataGrid.GetAt(r, c).ToUtf8();
      if (cell.find_first_of(",\"") == std::string::npos) {
        text += cell;
        continue;
      }
      text += '"';
      for (char ch : cell) text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      text += '"';
    }
    text += '\n';
  }
  return text;
}

std::string Transcript(int result, const RecordingUiHooks& hooks) {
  std::string text = "step " + std::to_string(result) + "\n";
  for (const CString& m : hooks.Messages()) text += m.ToUtf8() + "\n--\n";
  return text;
}

class AddCsvCases : public ::testing::TestWithParam<std::string> {};

TEST_P(AddCsvCases, Replay) {
  const fs::path folder = CasesRoot() / GetParam();
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  theApp.m_DataGrid.Clear();
  theApp.m_StepGrid.Clear();
  theApp.m_InputKind = INPUT_DROPPED;
  CTabroClientDlg dlg;
  {
    RecordingUiHooks loading;
    ASSERT_EQ(dlg.LoadCsv(FromFsPath(folder / "input.csv"), nullptr, LOAD_FILE), 1);
  }
  theApp.m_TitleRow = dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
  ReadJoinDefinition(folder);
  theApp.m_ToolAbort = 0;

  RecordingUiHooks hooks;
  const int result = dlg.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN);
  EXPECT_EQ(Transcript(result, hooks), testsupport::TempDir::Read(folder / "expected.txt"));
  EXPECT_EQ(GridText(), testsupport::TempDir::Read(folder / "expected.csv"));
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(CasesRoot())) {
    if (e.is_directory()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Join, AddCsvCases, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
