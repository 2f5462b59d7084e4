#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

class ReuseJobsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ClearReuseCommands();
    theApp.m_ProgramFolder = FromFsPath(dir_.path());
    theApp.m_CommandReUse = 1;
  }
  void TearDown() override {
    theApp.ClearReuseCommands();
    theApp.m_CommandReUse = 0;
  }
  std::string List() const { return testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"); }

  testsupport::TempDir dir_;
  RecordingUiHooks hooks_;
};

// A list in the short form stays byte for byte when the run changed nothing.
TEST_F(ReuseJobsTest, ExitWritesTheListOnlyWhenItChanged) {
  const std::string shortForm = "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n";
  dir_.Write("ReuseCommandFile.txt", shortForm);
  theApp.LoadReuseCommands();
  theApp.ExitInstance();
  EXPECT_EQ(List(), shortForm);

  theApp.LoadReuseCommands();
  theApp.m_ReuseCommands[0].command = CString(u"TypeL");
  theApp.ExitInstance();
  EXPECT_EQ(List(), "\"sales\",\"TypeL\",\"PDF\",\"sales\",0,0,0,\"\"\n");
  EXPECT_TRUE(theApp.m_ReuseCommands.empty());
  EXPECT_TRUE(hooks_.Messages().empty());
}

// One unreadable line must not cost the other jobs: the file is kept and the user told.
TEST_F(ReuseJobsTest, AListNotReadWholeIsNeverWrittenBack) {
  const std::string text = "\"a\",\"" + std::string(100001, 'x') + "\"\n\"b\",\"TypeT\",\"PDF\",\"b\"\n";
  dir_.Write("ReuseCommandFile.txt", text);
  theApp.LoadReuseCommands();
  ASSERT_EQ(theApp.m_ReuseCommands.size(), 1u);
  theApp.m_ReuseCommands[0].command = CString(u"TypeL");
  theApp.SaveDataEditToolFiles();
  theApp.SaveReuseCommandFile();
  EXPECT_EQ(List(), text);
  EXPECT_EQ(hooks_.Messages().size(), 1u);
}

// A save that cannot be made, or that would write over another program's jobs,
// keeps the list on disk and says why.
TEST_F(ReuseJobsTest, ASaveThatCannotBeMadeKeepsTheFileAndSaysSo) {
  struct Row {
    const char* name;
    const char* otherProgramsList;  // written after the load; null: none
    bool listUnwritable;
    const char16_t* message;
  };
  const Row rows[] = {
      {"another program saved meanwhile", "\"sales\",\"TypeX\",\"PDF\",\"sales\"\n", false,
       u"再利用ジョブが別のタブロコネクトで更新されていたため、変更内容は保存しませんでした。"},
      {"the list cannot be replaced", nullptr, true,
       u"再利用ジョブを保存できなかったため、変更内容は保存前の状態に戻しました。"},
  };
  for (const Row& r : rows) {
    theApp.ClearReuseCommands();
    hooks_.Clear();
    dir_.Write("ReuseCommandFile.txt", "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n");
    theApp.LoadReuseCommands();
    if (r.otherProgramsList) dir_.Write("ReuseCommandFile.txt", r.otherProgramsList);
    const std::string onDisk = List();
    if (r.listUnwritable) {
      SetFileFaultHook([](FileOp op, const std::filesystem::path&) { return op == FileOp::kRename ? EACCES : 0; });
    }
    theApp.m_ReuseCommands[0].command = CString(u"TypeL");
    theApp.SaveDataEditToolFiles();
    theApp.SaveReuseCommandFile();
    SetFileFaultHook(nullptr);
    EXPECT_EQ(List(), onDisk) << r.name;
    EXPECT_EQ(hooks_.Messages(), std::vector<CString>{CString(r.message)}) << r.name;
  }
}

TEST_F(ReuseJobsTest, NothingIsSavedWhileReuseIsOff) {
  theApp.m_CommandReUse = 0;
  theApp.m_ReuseCommands.resize(1);
  theApp.SaveReuseCommandFile();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ReuseCommandFile.txt"));
}

// Regression: a base name holding `",` broke its line in the job list and the
// job reloaded with shifted fields.
TEST_F(ReuseJobsTest, ANameThatWouldBreakItsListLineIsNotStored) {
  struct Row {
    const char16_t* baseName;
    const char16_t* jobName;
    int stored;
  };
  const Row rows[] = {{u"売上\",2026", u"月次", 0}, {u"売上", u"月次\",A", 0}, {u"売上\n2", u"月次", 0},
                      {u"売上,2026", u"月次\"A", 1}};
  for (const Row& r : rows) {
    theApp.ClearReuseCommands();
    hooks_.Clear();
    CTabroClientDlg dlg;
    dlg.m_BaseName = r.baseName;
    EXPECT_EQ(dlg.AddReuseCommand(u"TypeL", OutputFormat::kPdf, 0, r.jobName), r.stored) << CString(r.baseName);
    EXPECT_EQ(static_cast<int>(theApp.m_ReuseCommands.size()), r.stored);
    EXPECT_EQ(hooks_.Messages().size(), r.stored ? 0u : 1u);
  }
}

}  // namespace
