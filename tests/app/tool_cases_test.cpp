// Runs every case folder under tests/cases/<tool>/<behaviour>/: input.csv is
// loaded as the program loads a file, settings.txt is replayed without dialogs,
// and the data grid must equal expected.csv byte for byte, or the replay must
// stop with the messages of expected_message.txt (one per line).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/steps/tool_replay.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<fs::path> CaseFolders() {
  std::vector<fs::path> folders;
  const fs::path root = fs::path(TABRO_TEST_DATA_DIR).parent_path() / "cases";
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().filename() == "settings.txt") {
      folders.push_back(entry.path().parent_path());
    }
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

TEST(ToolCases, EachFolderGivesItsExpectedResult) {
  const std::vector<fs::path> folders = CaseFolders();
  ASSERT_GE(folders.size(), 20u);
  for (const fs::path& folder : folders) {
    SCOPED_TRACE(folder.lexically_relative(fs::path(TABRO_TEST_DATA_DIR).parent_path()).string());
    apptest::ResetTheApp();
    RecordingUiHooks hooks;
    CTabroClientDlg dlg;
    ASSERT_TRUE(LoadInputForReplay(dlg, CString::FromUtf8((folder / "input.csv").string())));
    CString error;
    const int result = ReplayToolChain(dlg, CString::FromUtf8((folder / "settings.txt").string()), error);
    if (fs::exists(folder / "expected.csv")) {
      EXPECT_EQ(result, 0) << error.ToUtf8();
      EXPECT_EQ(DataGridAsCsv(), ReadAll(folder / "expected.csv"));
      EXPECT_TRUE(hooks.Messages().empty());
    } else {
      EXPECT_EQ(result, -1);
      std::string shown;
      for (const CString& m : hooks.Messages()) shown += m.ToUtf8() + "\n";
      EXPECT_EQ(shown, ReadAll(folder / "expected_message.txt"));
    }
  }
}

}  // namespace
