// What the watch thread sees in its folder and what it deletes after a run.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class WatchScanTest : public ::testing::Test {
 protected:
  void SetUp() override { theApp.m_WatchFolder = FromFsPath(dir.path()); }
  void TearDown() override {
    theApp.m_WatchFolder.Empty();
    theApp.m_JoinDef.Clear();
  }
  // Two scans: a file is taken only when it stood still between them.
  CString ScanTwice() {
    dlg.ScanWatchFolder();
    dlg.ScanWatchFolder();
    return dlg.m_WatchPending;
  }
  testsupport::TempDir dir;
  CTabroClientDlg dlg;
};

TEST_F(WatchScanTest, TakesTheLastTsvBeforeAnyCsvAndIgnoresOtherFiles) {
  dir.Write("a.csv", "x\r\n");
  dir.Write("b.csv", "x\r\n");
  dir.Write("notes.txt", "x\r\n");
  EXPECT_EQ(ScanTwice(), CString(u"b.csv"));
  dir.Write("y.tsv", "x\r\n");
  dlg.ScanWatchFolder();
  EXPECT_EQ(dlg.m_WatchPending, CString(u"b.csv"));  // y.tsv is new: not yet
  dlg.ScanWatchFolder();
  EXPECT_EQ(dlg.m_WatchPending, CString(u"y.tsv"));
}

TEST_F(WatchScanTest, LeavesAFileAloneWhileItIsStillBeingWritten) {
  dir.Write("grow.csv", "a\r\n");
  dlg.ScanWatchFolder();
  EXPECT_TRUE(dlg.m_WatchPending.IsEmpty());
  dir.Write("grow.csv", "a\r\nb\r\n");
  dlg.ScanWatchFolder();
  EXPECT_TRUE(dlg.m_WatchPending.IsEmpty());
  dlg.ScanWatchFolder();
  EXPECT_EQ(dlg.m_WatchPending, CString(u"grow.csv"));
}

TEST_F(WatchScanTest, AFailedFileWaitsUntilItChanges) {
  dir.Write("bad.csv", "a\r\n");
  ASSERT_EQ(ScanTwice(), CString(u"bad.csv"));
  dlg.m_WatchFailed.emplace_back(CString(u"bad.csv"), dlg.m_WatchSeen[0].second);
  EXPECT_TRUE(ScanTwice().IsEmpty());
  dir.Write("bad.csv", "a\r\nfixed\r\n");
  EXPECT_EQ(ScanTwice(), CString(u"bad.csv"));
}

TEST_F(WatchScanTest, AMissingFolderYieldsNothingAndKeepsTheCurrentFolder) {
  const fs::path here = fs::current_path();
  theApp.m_WatchFolder = FromFsPath(dir.path() / "gone");
  EXPECT_TRUE(ScanTwice().IsEmpty());
  EXPECT_EQ(fs::current_path(), here);
}

TEST_F(WatchScanTest, DeletesTheInputAndItsAdditionalCsvsFromSub) {
  const fs::path input = dir.Write("in.csv", "x\r\n");
  fs::create_directories(dir.path() / "Sub");
  const fs::path add = dir.Write("Sub/add.csv", "x\r\n");
  const fs::path other = dir.Write("Sub/other.csv", "x\r\n");
  theApp.m_JoinDef.AddCsvCnt = 1;
  theApp.m_JoinDef.AddCsvPath[0] = FromFsPath(add);
  dlg.m_InputPath = FromFsPath(input);
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 1);
  EXPECT_FALSE(fs::exists(input));
  EXPECT_FALSE(fs::exists(add));
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(dlg.m_InputPath.IsEmpty());
}

TEST_F(WatchScanTest, AnInputThatCannotBeDeletedKeepsItsAdditionalCsvs) {
  fs::create_directories(dir.path() / "Sub");
  const fs::path add = dir.Write("Sub/add.csv", "x\r\n");
  theApp.m_JoinDef.AddCsvCnt = 1;
  theApp.m_JoinDef.AddCsvPath[0] = FromFsPath(add);
  dlg.m_InputPath = FromFsPath(dir.path() / "missing.csv");
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 0);
  EXPECT_TRUE(fs::exists(add));
  EXPECT_FALSE(dlg.m_InputPath.IsEmpty());
}

}  // namespace
