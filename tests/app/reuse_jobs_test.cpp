#include <gtest/gtest.h>

#include <string>

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
    EXPECT_EQ(dlg.AddReuseCommand(u"TypeL", 0, 0, r.jobName), r.stored) << CString(r.baseName);
    EXPECT_EQ(static_cast<int>(theApp.m_ReuseCommands.size()), r.stored);
    EXPECT_EQ(hooks_.Messages().size(), r.stored ? 0u : 1u);
  }
}

}  // namespace
