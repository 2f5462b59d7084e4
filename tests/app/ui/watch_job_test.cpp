// What a watched job takes while the window is busy with its own input.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
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
  theApp.m_CsvPath = dlg.m_InputPath;
  dlg.ProcessWatchFile(u"watched.csv");
  EXPECT_NE(dlg.m_WatchLastResult, 0u);
  EXPECT_EQ(dlg.m_InputPath, CString(u"/somewhere/chosen.csv"));
  EXPECT_EQ(theApp.m_CsvPath, CString(u"/somewhere/chosen.csv"));
  EXPECT_TRUE(dlg.m_WatchTakenPath.IsEmpty());
  EXPECT_TRUE(dlg.m_WatchFailed.empty());   // not a failure: taken again later
  EXPECT_TRUE(fs::exists(watched));
  dlg.m_InputBusy = 0;
}

}  // namespace

namespace {

// Regression: a pipe dropped on the window blocked it while it was read.
// The folder the thread scans is rewritten by the user-settings dialog on the
// window's thread; run under ThreadSanitizer this must report nothing.
TEST_F(WatchJobTest, TheFolderChangesWhileTheThreadScans) {
  const fs::path other = dir.path() / "other";
  fs::create_directories(other);
  theApp.m_WatchingMode = 1;
  ASSERT_EQ(dlg.StartWatchThread(), 0);
  for (int i = 0; i < 400; ++i) {
    dlg.SetWatchFolder(FromFsPath(i % 2 ? other : dir.path()));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  dlg.StopWatchThread();
  theApp.m_WatchingMode = 0;
  EXPECT_EQ(dlg.WatchFolder(), FromFsPath(other));
}

TEST(DroppedInput, APipeIsRefusedWithTheFileMessage) {
  testsupport::TempDir dir;
  const fs::path fifo = dir.path() / "pipe.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  RecordingUiHooks hooks;
  CTabroClientDlg dlg;
  dlg.OnDropFiles({FromFsPath(fifo)});
  ASSERT_EQ(hooks.Boxes().size(), 1u);
  EXPECT_EQ(hooks.Boxes()[0].text, CString(u"CSVファイルにアクセスできません。処理を中止しました。"));
  EXPECT_TRUE(dlg.m_InputPath.IsEmpty());
  EXPECT_EQ(dlg.m_InputBusy, 0);
}

}  // namespace
