// Expected-output cases of the aggregation step, replayed as the replay command
// does it (loader, settings file, silent tool chain): every folder under
// tests/cases/pivot holds input.csv, settings.txt (a data-edit settings file) and
// expected.csv, or expected_message.txt for a refusal that leaves the data as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "edittools/chain/edit_settings_file.h"
#include "edittools/chain/tool_chain.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

fs::path CasesRoot() { return fs::path(TABRO_TEST_DATA_DIR).parent_path() / "cases" / "pivot"; }

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string DumpDataGrid() {
  std::string out;
  for (int r = 0; r < theApp.m_DataRows; ++r) {
    for (int c = 0; c < theApp.m_DataCols; ++c) {
      if (c > 0) out += ',';
      out += theApp.m_DataGrid.GetAt(r, c).ToUtf8();
    }
    out += '\n';
  }
  return out;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(CasesRoot())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class PivotCase : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { apptest::ResetTheApp(); }
  void TearDown() override { apptest::ResetTheApp(); }
};

TEST_P(PivotCase, GivesTheExpectedTable) {
  const fs::path dir = CasesRoot() / GetParam();
  RecordingUiHooks hooks;
  CTabroClientDlg dlg;
  theApp.m_InputKind = INPUT_DROPPED;
  ASSERT_EQ(dlg.LoadCsv(CString::FromUtf8((dir / "input.csv").string()), nullptr, LOAD_FILE), 1);
  theApp.m_TitleRow = dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
  ASSERT_EQ(theApp.m_TitleRow, 0);
  ASSERT_TRUE(ReadEditSettingsFile(CString::FromUtf8((dir / "settings.txt").string()), theApp.EditRecords()));
  ASSERT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kPivot);
  const std::string before = DumpDataGrid();

  const int result = dlg.RunToolChain(ToolChainRun::kSilent, false);
  if (fs::exists(dir / "expected_message.txt")) {
    EXPECT_EQ(result, 0);
    ASSERT_EQ(hooks.Messages().size(), 1u);
    EXPECT_EQ(hooks.Messages()[0].ToUtf8() + "\n", ReadText(dir / "expected_message.txt"));
    EXPECT_EQ(DumpDataGrid(), before);
    return;
  }
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(hooks.Messages().empty());
  EXPECT_EQ(DumpDataGrid(), ReadText(dir / "expected.csv"));
}

INSTANTIATE_TEST_SUITE_P(Cases, PivotCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
