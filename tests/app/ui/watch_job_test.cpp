// What a watched job takes while the window is busy with its own input.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class WatchJobTest : public ::testing::Test {
 protected:
  void SetUp() override { theApp.m_WatchFolder = FromFsPath(dir.path()); }
  void TearDown() override { theApp.m_WatchFolder.Empty(); }
  testsupport::TempDir dir;
  CTabroClientDlg dlg;
};

TEST_F(WatchJobTest, AJobStartedWhileAWindowInputIsBusyTakesNothing) {
  const fs::path watched = dir.Write("watched.csv", "x\r\n");
  dlg.m_WatchRun = 1;
  dlg.m_InputBusy = 1;
  dlg.m_InputPath = u"/somewhere/chosen.csv";
  dlg.ProcessWatchFile(u"watched.csv");
  EXPECT_NE(dlg.m_WatchLastResult, 0u);
  EXPECT_EQ(dlg.m_InputPath, CString(u"/somewhere/chosen.csv"));
  EXPECT_TRUE(dlg.m_WatchTakenPath.IsEmpty());
  EXPECT_TRUE(dlg.m_WatchFailed.empty());   // not a failure: taken again later
  EXPECT_TRUE(fs::exists(watched));
  dlg.m_InputBusy = 0;
}

}  // namespace
