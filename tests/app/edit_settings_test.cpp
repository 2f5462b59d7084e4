// The application's data-edit settings file: load, save, the text snapshots and
// the change test.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "app/tabro_client_app.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

class AppEditSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::ResetTheApp();
    theApp.m_ProgramFolder = CString::FromUtf8(dir_.path().string());
    theApp.m_ToolTextLines[0].clear();
    theApp.m_ToolTextLines[1].clear();
    theApp.m_UnreadableEditSettings.Empty();
  }
  std::filesystem::path ToolFile(const std::string& name) { return dir_.path() / "DataEditTool" / name; }
  void WriteTool(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(dir_.path() / "DataEditTool");
    dir_.Write("DataEditTool/" + name, text);
  }
  TempDir dir_;
};

TEST_F(AppEditSettings, SavedFileIsLoadedBackUnderItsJobName) {
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kSort, 1};
  theApp.m_SortSetting.sortCnt = 1;
  theApp.m_SortSetting.column[0] = 2;
  theApp.SaveEditSettings(u"sales", u"monthly", SETTINGSMODE_FILE);
  theApp.SaveEditSettings(u"sales", u"sales", SETTINGSMODE_FILE);
  EXPECT_TRUE(std::filesystem::exists(ToolFile("sales_monthly.txt")));
  EXPECT_EQ(TempDir::Read(ToolFile("sales.txt")), "@Header\nVersion=1.0\nEditInf=0,4,1\n\n@Sort\nsortCnt=1\nsortdata=0,2,0,0\n\n");

  theApp.ResetToolSettings(TOOL_RESET_ALL);
  theApp.LoadEditSettings(u"sales", u"monthly");
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kSort);
  EXPECT_EQ(theApp.m_SortSetting.column[0], 2);
  EXPECT_EQ(theApp.IsEditSettingsChanged(), 0);
}

TEST_F(AppEditSettings, StarInTheOutputNameReadsNothing) {
  WriteTool("sales_a*.txt", "@Header\nEditInf=0,4,1\n\n");
  theApp.LoadEditSettings(u"sales", u"a*");
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kNone);
  EXPECT_TRUE(theApp.m_ToolTextLines[0].empty());
}

TEST_F(AppEditSettings, SnapshotModesCreateTheFolderAndWriteNoFile) {
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kFilter, 0};
  theApp.SaveEditSettings(u"x", u"", SETTINGSMODE_SNAPSHOT2);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.path() / "DataEditTool"));
  EXPECT_FALSE(std::filesystem::exists(ToolFile("x.txt")));
  EXPECT_FALSE(theApp.m_ToolTextLines[1].empty());
  EXPECT_EQ(theApp.m_ToolTextSlot, 0);
}

TEST_F(AppEditSettings, ChangeTest) {
  struct Case {
    const char* name;
    std::function<void()> change;   // after loading
    int expected;
  };
  const Case cases[] = {
      {"nothing changed", [] {}, 0},
      {"an open-settings flag", [] { theApp.m_ToolOrder[0].openSettingsNextTime = 0; }, 1},
      {"a sort key", [] { theApp.m_SortSetting.descending[0] = 1; }, 1},
      {"a record of a tool outside the order", [] { theApp.m_FilterConds.FilterCnt = 2; }, 0},
      {"a tool added", [] { theApp.m_ToolOrder[1] = TOOLSLOT{ToolKind::kFilter, 1}; }, 1},
  };
  WriteTool("job.txt", "@Header\nEditInf=0,4,1\n\n@Sort\nsortCnt=1\nsortdata=0,2,1,0\n\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    theApp.ResetToolSettings(TOOL_RESET_ALL);
    theApp.LoadEditSettings(u"job", u"");
    c.change();
    EXPECT_EQ(theApp.IsEditSettingsChanged(), c.expected);
    EXPECT_TRUE(theApp.m_ToolTextLines[0].empty());
  }
  // A second test without a new load compares against an empty snapshot.
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  theApp.LoadEditSettings(u"job", u"");
  EXPECT_EQ(theApp.IsEditSettingsChanged(), 0);
  EXPECT_EQ(theApp.IsEditSettingsChanged(), 1);
  // A missing file leaves the (now empty) snapshot; the empty order still differs.
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  theApp.LoadEditSettings(u"nojob", u"");
  EXPECT_EQ(theApp.IsEditSettingsChanged(), 1);
}

// The read fails through the file layer's seam, so the test runs for every user
// (root reads any file whatever its permissions).
TEST_F(AppEditSettings, FileThatCouldNotBeReadIsNeverRewritten) {
  WriteTool("locked.txt", "@Header\nEditInf=0,4,1\n\n");
  SetFileFaultHook([](FileOp op, const std::filesystem::path& path) {
    return op == FileOp::kOpenRead && path.filename() == "locked.txt" ? EACCES : 0;
  });
  theApp.LoadEditSettings(u"locked", u"");
  SetFileFaultHook(nullptr);
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kFilter, 1};
  theApp.SaveEditSettings(u"locked", u"", SETTINGSMODE_FILE);
  EXPECT_EQ(TempDir::Read(ToolFile("locked.txt")), "@Header\nEditInf=0,4,1\n\n");
}

// Every file of the settings folder with its bytes.
std::map<std::string, std::string> ToolFiles(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    files[e.path().filename().string()] = TempDir::Read(e.path());
  return files;
}

// A full disk or a read-only folder during the save keeps the old settings whole.
TEST_F(AppEditSettings, AFailedSaveKeepsTheOldSettings) {
  const std::pair<FileOp, int> faults[] = {{FileOp::kWrite, ENOSPC}, {FileOp::kCreate, EACCES}, {FileOp::kRename, EIO}};
  WriteTool("sales.txt", "@Header\nEditInf=0,4,1\n\n");
  const auto before = ToolFiles(dir_.path() / "DataEditTool");
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kFilter, 1};
  for (const auto& [op, error] : faults) {
    SetFileFaultHook([op, error](FileOp o, const std::filesystem::path&) { return o == op ? error : 0; });
    theApp.SaveEditSettings(u"sales", u"sales", SETTINGSMODE_FILE);
    SetFileFaultHook(nullptr);
    EXPECT_EQ(ToolFiles(dir_.path() / "DataEditTool"), before) << static_cast<int>(op);
  }
}

// A kill (SIGKILL) part-way through the save leaves the old settings; the
// temporary file it leaves is cleared at the next start.
TEST_F(AppEditSettings, AKillDuringTheSaveKeepsTheOldSettings) {
  WriteTool("sales.txt", "@Header\nEditInf=0,4,1\n\n");
  const auto before = ToolFiles(dir_.path() / "DataEditTool");
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kFilter, 1};
  for (FileOp killAt : {FileOp::kWrite, FileOp::kRename}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SetFileFaultHook([killAt](FileOp op, const std::filesystem::path&) {
        if (op == killAt) ::raise(SIGKILL);
        return 0;
      });
      theApp.SaveEditSettings(u"sales", u"sales", SETTINGSMODE_FILE);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(TempDir::Read(ToolFile("sales.txt")), "@Header\nEditInf=0,4,1\n\n");
    RemoveStaleWriterFiles(CString::FromUtf8((dir_.path() / "DataEditTool").string()), 0);
    EXPECT_EQ(ToolFiles(dir_.path() / "DataEditTool"), before);
  }
}

}  // namespace
