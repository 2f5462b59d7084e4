// What the watch thread sees in its folder and what it deletes after a run.
#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class WatchScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.m_WatchFolder = FromFsPath(dir.path());
    dlg.m_WatchNow = [this] { return nowMs; };
  }
  void TearDown() override {
    theApp.m_WatchFolder.Empty();
    theApp.m_JoinDef.Clear();
  }
  // A scan some milliseconds after the previous one.
  void ScanAfter(long long ms) {
    nowMs += ms;
    dlg.ScanWatchFolder();
  }
  // Two scans well apart: a file is taken only when it stood still between them.
  CString ScanTwice() {
    ScanAfter(CTabroClientDlg::kWatchStillMs);
    ScanAfter(CTabroClientDlg::kWatchStillMs);
    return dlg.m_WatchPending;
  }
  // An additional CSV of the job, in the folder's "Sub".
  fs::path AdditionalCsv() {
    fs::create_directories(dir.path() / "Sub");
    const fs::path add = dir.Write("Sub/add.csv", "x\r\n");
    theApp.m_JoinDef.AddCsvCnt = 1;
    theApp.m_JoinDef.AddCsvPath[0] = FromFsPath(add);
    return add;
  }
  // The watch job took input, read as it is now; it is the window's input too.
  void Took(const fs::path& input) {
    dlg.m_WatchTakenPath = FromFsPath(input);
    dlg.m_InputPath = dlg.m_WatchTakenPath;
    dlg.m_WatchTakenIdentity = RegularFileIdentity(dlg.m_WatchTakenPath);
  }
  testsupport::TempDir dir;
  CTabroClientDlg dlg;
  long long nowMs = 1000000;
};

TEST_F(WatchScanTest, TakesTheLastTsvBeforeAnyCsvAndIgnoresOtherFiles) {
  dir.Write("a.csv", "x\r\n");
  dir.Write("b.csv", "x\r\n");
  dir.Write("notes.txt", "x\r\n");
  EXPECT_EQ(ScanTwice(), CString(u"b.csv"));
  dir.Write("y.tsv", "x\r\n");
  ScanAfter(CTabroClientDlg::kWatchStillMs);
  EXPECT_EQ(dlg.m_WatchPending, CString(u"b.csv"));  // y.tsv is new: not yet
  ScanAfter(CTabroClientDlg::kWatchStillMs);
  EXPECT_EQ(dlg.m_WatchPending, CString(u"y.tsv"));
}

TEST_F(WatchScanTest, LeavesAFileAloneWhileItIsStillBeingWritten) {
  dir.Write("grow.csv", "a\r\n");
  ScanAfter(CTabroClientDlg::kWatchStillMs);
  EXPECT_TRUE(dlg.m_WatchPending.IsEmpty());
  dir.Write("grow.csv", "a\r\nb\r\n");
  ScanAfter(CTabroClientDlg::kWatchStillMs);
  EXPECT_TRUE(dlg.m_WatchPending.IsEmpty());
  ScanAfter(CTabroClientDlg::kWatchStillMs);
  EXPECT_EQ(dlg.m_WatchPending, CString(u"grow.csv"));
}

// Scans come every few hundred milliseconds: two unchanged scans are not enough
// for a writer that pauses, only two seconds of stillness are.
TEST_F(WatchScanTest, AWriterThatPausesIsNotCutShort) {
  dir.Write("slow.csv", "a\r\n");
  for (int scan = 0; scan < 6; ++scan) {
    ScanAfter(300);
    EXPECT_TRUE(dlg.m_WatchPending.IsEmpty()) << "scan " << scan;   // 1.8 s still at most
  }
  dir.Write("slow.csv", "a\r\nb\r\n");   // the writer goes on after its pause
  ScanAfter(300);
  ScanAfter(1900);
  EXPECT_TRUE(dlg.m_WatchPending.IsEmpty());
  ScanAfter(100);
  EXPECT_EQ(dlg.m_WatchPending, CString(u"slow.csv"));
}

TEST_F(WatchScanTest, AFileThatCannotBeReadIsNotTaken) {
  if (::geteuid() == 0) {
    // Root reads any file; a folder named like a CSV stands for an unreadable entry.
    fs::create_directories(dir.path() / "locked.csv");
  } else {
    dir.Write("locked.csv", "a\r\n");
    fs::permissions(dir.path() / "locked.csv", fs::perms::none);
  }
  EXPECT_TRUE(ScanTwice().IsEmpty());
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
  const fs::path add = AdditionalCsv();
  const fs::path other = dir.Write("Sub/other.csv", "x\r\n");
  Took(input);
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 1);
  EXPECT_FALSE(fs::exists(input));
  EXPECT_FALSE(fs::exists(add));
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(dlg.m_InputPath.IsEmpty());
}

// The user dropped or picked another file after the watched job ended: the
// deletion takes the watched file and never the window's input.
TEST_F(WatchScanTest, DeletesTheWatchedFileNotTheWindowsNewInput) {
  const fs::path watched = dir.Write("watched.csv", "x\r\n");
  testsupport::TempDir elsewhere;
  const fs::path dropped = elsewhere.Write("dropped.csv", "x\r\n");
  dlg.m_WatchTakenPath = FromFsPath(watched);
  dlg.m_WatchTakenIdentity = RegularFileIdentity(dlg.m_WatchTakenPath);
  dlg.m_InputPath = FromFsPath(dropped);
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 1);
  EXPECT_FALSE(fs::exists(watched));
  EXPECT_TRUE(fs::exists(dropped));
  EXPECT_EQ(dlg.m_InputPath, FromFsPath(dropped));
  // Nothing taken: nothing deleted.
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 0);
  EXPECT_TRUE(fs::exists(dropped));
}


TEST_F(WatchScanTest, AnInputThatCannotBeDeletedKeepsItsAdditionalCsvs) {
  const fs::path add = AdditionalCsv();
  const fs::path busy = dir.Write("busy.csv", "x\r\n");
  Took(busy);
  SetFileFaultHook([](FileOp op, const fs::path&) { return op == FileOp::kRemove ? EACCES : 0; });
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 0);
  SetFileFaultHook({});
  EXPECT_TRUE(fs::exists(busy));
  EXPECT_TRUE(fs::exists(add));
  EXPECT_FALSE(dlg.m_InputPath.IsEmpty());
}

// A report generator renamed a new version over the watched file while its
// previous version was being sent: the new version is not deleted unsent, and
// neither are the additional CSVs it may need. It is then a new input.
TEST_F(WatchScanTest, AFileRenamedOverTheWatchedOneStaysWithItsAdditionalCsvs) {
  const fs::path add = AdditionalCsv();
  const fs::path input = dir.Write("daily(#TypeL).csv", "day,1\r\n");
  Took(input);
  fs::rename(dir.Write("daily.part", "day,2\r\n"), input);
  EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 1);   // the job is over
  EXPECT_EQ(dir.Read(input), "day,2\r\n");
  EXPECT_TRUE(fs::exists(add));
  EXPECT_TRUE(dlg.m_WatchTakenPath.IsEmpty());
  EXPECT_EQ(ScanTwice(), CString(u"daily(#TypeL).csv"));
}

// Links in the watch folder, to files and folders outside it, are never taken.
TEST_F(WatchScanTest, ALinkIsNeverTaken) {
  testsupport::TempDir outside;
  const fs::path secret = outside.Write("secret.csv", "a\r\n");
  fs::create_directories(outside.path() / "folder");
  fs::create_symlink(secret, dir.path() / "leak(#TypeL).csv");
  fs::create_symlink(outside.path() / "folder", dir.path() / "folder.csv");
  EXPECT_TRUE(ScanTwice().IsEmpty());
  dir.Write("real.csv", "a\r\n");
  EXPECT_EQ(ScanTwice(), CString(u"real.csv"));
}

// A writer that holds the file open and pauses far longer than the stillness
// rule's two seconds: the file is not taken until the writer closes it.
TEST_F(WatchScanTest, AFileHeldOpenForWritingIsNotTakenHoweverLongItStaysStill) {
  const fs::path file = dir.Write("half.csv", "a\r\n");
  const int writer = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  for (int scan = 0; scan < 5; ++scan) {
    ScanAfter(CTabroClientDlg::kWatchStillMs);
    EXPECT_TRUE(dlg.m_WatchPending.IsEmpty()) << "scan " << scan;
  }
  ::close(writer);
  ScanAfter(300);
  EXPECT_EQ(dlg.m_WatchPending, CString(u"half.csv"));
}

// Additional CSVs are deleted only from a real "Sub" folder: a "Sub" that links
// to the master data elsewhere, or a link inside "Sub", leaves everything.
TEST_F(WatchScanTest, AdditionalCsvsBehindALinkAreNeverDeleted) {
  struct Row {
    const char* name;
    bool subIsLink;
  };
  for (const Row& r : {Row{"Sub a link", true}, Row{"a link in Sub", false}}) {
    testsupport::TempDir watch, master;
    theApp.m_WatchFolder = FromFsPath(watch.path());
    const fs::path kept = master.Write("add.csv", "master\r\n");
    if (r.subIsLink) {
      fs::create_directory_symlink(master.path(), watch.path() / "Sub");
    } else {
      fs::create_directories(watch.path() / "Sub");
      fs::create_symlink(kept, watch.path() / "Sub" / "add.csv");
    }
    theApp.m_JoinDef.AddCsvCnt = 1;
    theApp.m_JoinDef.AddCsvPath[0] = FromFsPath(watch.path() / "Sub" / "add.csv");
    const fs::path input = watch.Write("in.csv", "x\r\n");
    dlg.m_WatchTakenPath = FromFsPath(input);
    dlg.m_WatchTakenIdentity = RegularFileIdentity(dlg.m_WatchTakenPath);
    EXPECT_EQ(dlg.DeleteProcessedWatchFiles(), 1) << r.name;
    EXPECT_FALSE(fs::exists(input)) << r.name;
    EXPECT_EQ(testsupport::TempDir::Read(kept), "master\r\n") << r.name;
    EXPECT_TRUE(fs::exists(fs::symlink_status(watch.path() / "Sub" / "add.csv"))) << r.name;
  }
}

}  // namespace
