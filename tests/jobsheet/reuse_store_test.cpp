#include "jobsheet/reuse/reuse_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class ReuseStoreTest : public ::testing::Test {
 protected:
  CString Folder() const { return FromFsPath(dir_.path()); }
  fs::path Tool(const std::string& name) const { return dir_.path() / "DataEditTool" / name; }
  void WriteTool(const std::string& name, const std::string& bytes) {
    fs::create_directories(dir_.path() / "DataEditTool");
    dir_.Write("DataEditTool/" + name, bytes);
  }
  std::string List() const { return testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"); }

  testsupport::TempDir dir_;
};

TEST_F(ReuseStoreTest, ListRoundTripsInTheFullLineForm) {
  dir_.Write("ReuseCommandFile.txt",
             "\"sales\",\"TypeT;Sum=1,2,3\",\"PDF\",\"sales\",9,1,7,\"01-01/02-04\"\n"
             "\"sales\",\"TypeL\",\"EXCEL\",\"labels\"\n"  // four fields only
             "\n"                                             // blank line
             "\"stock\",\"TypeS\",\"CSV-SJIS\",\"\",0,0,0,\"\"\n");  // empty job name
  WriteTool("sales.txt", "@Header\nFilePath=a.csv\nFilePath=b.csv\n");
  WriteTool("stock_.txt", "@Header\n");

  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  ASSERT_EQ(jobs.size(), 4u);

  EXPECT_EQ(jobs[0].command, CString(u"TypeT;Sum=1,2,3"));  // commas inside quotes survive
  EXPECT_EQ(jobs[0].filePathCount, 2);  // recounted from the settings file
  EXPECT_EQ(jobs[0].locked, 1);
  EXPECT_EQ(jobs[0].reserved, 7);
  EXPECT_EQ(jobs[0].toolLines.size(), 3u);
  EXPECT_EQ(jobs[0].toolLines[1], CString(u"FilePath=a.csv\n"));
  EXPECT_EQ(jobs[1].toolOrder, CString());
  EXPECT_TRUE(jobs[1].toolFilePath.IsEmpty());  // "sales_labels.txt" does not exist
  EXPECT_TRUE(jobs[2].csvFile.IsEmpty());
  EXPECT_EQ(jobs[3].jobName, CString(u"stock"));  // empty name becomes the base name...
  EXPECT_EQ(jobs[3].toolFilePath, FromFsPath(Tool("stock_.txt")));  // ...found under the empty one

  ASSERT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kSaved);
  EXPECT_EQ(List(),
            "\"sales\",\"TypeT;Sum=1,2,3\",\"PDF\",\"sales\",2,1,7,\"01-01/02-04\"\n"
            "\"sales\",\"TypeL\",\"EXCEL\",\"labels\",0,0,0,\"\"\n"
            "\"\",\"\",\"\",\"\",0,0,0,\"\"\n"
            "\"stock\",\"TypeS\",\"CSV-SJIS\",\"stock\",0,0,0,\"\"\n");
}

TEST_F(ReuseStoreTest, MissingListAppendsNothing) {
  std::vector<REUSECOMMAND> jobs(1);
  EXPECT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kNoFile);
  EXPECT_EQ(jobs.size(), 1u);
}

TEST_F(ReuseStoreTest, LineTooLongMakesTheReadPartial) {
  dir_.Write("ReuseCommandFile.txt", "\"a\",\"" + std::string(100001, 'x') + "\",\"PDF\",\"a\"\n"
                                     "\"b\",\"TypeT\",\"PDF\",\"b\"\n");
  std::vector<REUSECOMMAND> jobs;
  EXPECT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kPartial);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].csvFile, CString(u"b"));
}

TEST_F(ReuseStoreTest, DeletedAndRenamedJobsMoveTheirSettingsFiles) {
  WriteTool("sales.txt", "@Header\nEditInf=0,4,0\n");
  WriteTool("sales_old.txt", "@Header\nEditInf=0,3,1\n");
  dir_.Write("ReuseCommandFile.txt", "\"sales\",\"\",\"PDF\",\"sales\"\n\"sales\",\"\",\"PDF\",\"old\"\n");
  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  jobs[0].deleted = 1;
  jobs[1].jobName = CString(u"new");
  jobs[1].nameChanged = 1;

  ASSERT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kSaved);
  EXPECT_FALSE(fs::exists(Tool("sales.txt")));
  EXPECT_FALSE(fs::exists(Tool("sales_old.txt")));
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales_new.txt")), "@Header\nEditInf=0,3,1\n");
  EXPECT_EQ(List(), "\"sales\",\"\",\"PDF\",\"new\",0,0,0,\"\"\n");
}

// Renaming a job to the name a deleted job had must keep the renamed job's file.
TEST_F(ReuseStoreTest, RenameOntoADeletedJobsNameKeepsTheNewFile) {
  WriteTool("sales_a.txt", "A\n");
  WriteTool("sales_b.txt", "B\n");
  dir_.Write("ReuseCommandFile.txt", "\"sales\",\"\",\"PDF\",\"a\"\n\"sales\",\"\",\"PDF\",\"b\"\n");
  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  jobs[0].deleted = 1;
  jobs[1].jobName = CString(u"a");
  jobs[1].nameChanged = 1;
  ASSERT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kSaved);
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales_a.txt")), "B\n");
  EXPECT_FALSE(fs::exists(Tool("sales_b.txt")));
}

TEST_F(ReuseStoreTest, ChangedLinesAreWrittenEvenWithoutTheFolder) {
  std::vector<REUSECOMMAND> jobs(1);
  jobs[0].csvFile = CString(u"sales");
  jobs[0].jobName = CString(u"sales");
  jobs[0].toolLinesChanged = 1;
  jobs[0].toolLines = {CString(u"@AddCSV\n"), CString(u"FilePath=x.csv\n")};
  std::optional<std::string> noList;
  ASSERT_EQ(SaveReuseStore(Folder(), jobs, noList), ReuseSave::kSaved);
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales.txt")), "@AddCSV\nFilePath=x.csv\n");
}

TEST_F(ReuseStoreTest, EveryResetReplacesTheBackupBeforeEmptying) {
  dir_.Write("ReuseCommandFile.txt", "\"first\"\n");
  WriteTool("first.txt", "1\n");
  ASSERT_EQ(ResetReuseStore(Folder()), ReuseReset::kDone);
  EXPECT_EQ(List(), "");
  EXPECT_TRUE(fs::is_empty(dir_.path() / "DataEditTool"));

  dir_.Write("ReuseCommandFile.txt", "\"second\"\n");
  WriteTool("second.txt", "2\n");
  ASSERT_EQ(ResetReuseStore(Folder()), ReuseReset::kDone);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "BackUp/ReuseCommandFile.txt"), "\"second\"\n");
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "BackUp/DataEditTool/second.txt"), "2\n");
  EXPECT_FALSE(fs::exists(dir_ / "BackUp/DataEditTool/first.txt"));
}

TEST_F(ReuseStoreTest, FailedBackupEmptiesNothing) {
  dir_.Write("ReuseCommandFile.txt", "\"job\"\n");
  WriteTool("job.txt", "1\n");
  dir_.Write("BackUp", "a file where the folder should be");
  EXPECT_EQ(ResetReuseStore(Folder()), ReuseReset::kBackupFailed);
  EXPECT_EQ(List(), "\"job\"\n");
  EXPECT_TRUE(fs::exists(Tool("job.txt")));
}

// Every file under the program folder with its bytes, the lock file left out.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).string();
    if (name == "ReuseCommandFile.lock") continue;
    files[name] = e.is_regular_file() ? testsupport::TempDir::Read(e.path()) : std::string("<folder>");
  }
  return files;
}

// A job list with a job to delete, one to rename and one to lock, and their files.
class ReuseSaveTest : public ReuseStoreTest {
 protected:
  void SetUp() override {
    WriteTool("sales.txt", "@Header\nEditInf=0,4,0\n");
    WriteTool("sales_old.txt", "@Header\nEditInf=0,3,1\n");
    dir_.Write("ReuseCommandFile.txt",
               "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n\"sales\",\"TypeL\",\"PDF\",\"old\"\n"
               "\"stock\",\"TypeS\",\"CSV\",\"stock\"\n");
    ASSERT_EQ(LoadReuseList(Folder(), jobs_, &stamp_), ReuseListRead::kWhole);
    jobs_[0].deleted = 1;
    jobs_[1].jobName = CString(u"new");
    jobs_[1].nameChanged = 1;
    jobs_[2].locked = 1;
    before_ = FilesUnder(dir_.path());
  }
  void TearDown() override { SetFileFaultHook(nullptr); }
  static bool EndsWith(const fs::path& path, const std::string& tail) {
    const std::string text = path.string();
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  }

  std::vector<REUSECOMMAND> jobs_;
  std::optional<std::string> stamp_;
  std::map<std::string, std::string> before_;
};

TEST_F(ReuseSaveTest, SavedWholeNewFilesThenTheListThenRemovals) {
  std::vector<std::string> order;
  SetFileFaultHook([&](FileOp op, const fs::path& path) {
    if (op == FileOp::kRename || op == FileOp::kRemove) order.push_back(path.filename().string());
    return 0;
  });
  ASSERT_EQ(SaveReuseStore(Folder(), jobs_, stamp_), ReuseSave::kSaved);
  EXPECT_EQ(order, (std::vector<std::string>{"sales_new.txt", "ReuseCommandFile.txt", "sales.txt", "sales_old.txt"}));
  EXPECT_EQ(List(), "\"sales\",\"TypeL\",\"PDF\",\"new\",0,0,0,\"\"\n\"stock\",\"TypeS\",\"CSV\",\"stock\",0,1,0,\"\"\n");
  EXPECT_EQ(stamp_, List());
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales_new.txt")), "@Header\nEditInf=0,3,1\n");
}

// Regression: a list that could not be replaced left the jobs' settings files
// already renamed or deleted. Any failure now puts every file back.
TEST_F(ReuseSaveTest, AFailedSaveLeavesEveryFileAsItWas) {
  struct Row {
    const char* name;
    FileOp op;
    const char* file;  // the operation fails for paths ending so
    int error;
  };
  const Row rows[] = {
      {"the list cannot be replaced", FileOp::kRename, "ReuseCommandFile.txt", EACCES},
      {"a full disk on the list", FileOp::kWrite, "ReuseCommandFile.txt", ENOSPC},
      {"a full disk on a settings file", FileOp::kWrite, "sales_new.txt", ENOSPC},
      {"a read-only settings folder", FileOp::kCreate, "DataEditTool/sales_new.txt", EACCES},
      {"a settings file that cannot be deleted", FileOp::kRemove, "sales_old.txt", EACCES},
  };
  for (const Row& r : rows) {
    SetFileFaultHook([&](FileOp op, const fs::path& path) { return op == r.op && EndsWith(path, r.file) ? r.error : 0; });
    std::optional<std::string> stamp = stamp_;
    EXPECT_EQ(SaveReuseStore(Folder(), jobs_, stamp), ReuseSave::kFailed) << r.name;
    SetFileFaultHook(nullptr);
    EXPECT_EQ(FilesUnder(dir_.path()), before_) << r.name;
    EXPECT_EQ(stamp, stamp_) << r.name;
  }
}

TEST_F(ReuseSaveTest, AReadOnlyListIsNotReplacedAndCostsNoSettingsFile) {
  ::chmod((dir_ / "ReuseCommandFile.txt").c_str(), 0444);
  EXPECT_EQ(SaveReuseStore(Folder(), jobs_, stamp_), ReuseSave::kFailed);
  ::chmod((dir_ / "ReuseCommandFile.txt").c_str(), 0644);
  EXPECT_EQ(FilesUnder(dir_.path()), before_);
}

// Two programs: a save over a list another program changed since it was read
// would drop that program's jobs.
TEST_F(ReuseSaveTest, AListChangedByAnotherProgramIsNotOverwritten) {
  const std::string theirs = "\"sales\",\"TypeX\",\"PDF\",\"sales\"\n";
  dir_.Write("ReuseCommandFile.txt", theirs);
  before_ = FilesUnder(dir_.path());
  EXPECT_EQ(SaveReuseStore(Folder(), jobs_, stamp_), ReuseSave::kChangedElsewhere);
  EXPECT_EQ(FilesUnder(dir_.path()), before_);

  // A fresh read takes the other program's list as the new base.
  std::vector<REUSECOMMAND> fresh;
  ASSERT_EQ(LoadReuseList(Folder(), fresh, &stamp_), ReuseListRead::kWhole);
  fresh[0].locked = 1;
  EXPECT_EQ(SaveReuseStore(Folder(), fresh, stamp_), ReuseSave::kSaved);
  EXPECT_EQ(List(), "\"sales\",\"TypeX\",\"PDF\",\"sales\",0,1,0,\"\"\n");
}

// Another program's save waits for a load or a save in progress, and the other
// way round: the list is read and written under the lock beside it.
TEST_F(ReuseSaveTest, LoadsAndSavesHoldTheLockBesideTheList) {
  // Whether a lock of that kind could be taken now, by another holder.
  auto canTake = [this](int kind) {
    const int fd = ::open((dir_ / "ReuseCommandFile.lock").c_str(), O_RDONLY | O_CLOEXEC);
    const bool taken = fd >= 0 && ::flock(fd, kind | LOCK_NB) == 0;
    if (fd >= 0) ::close(fd);
    return taken;
  };
  std::vector<bool> exclusiveFree, sharedFree;
  SetFileFaultHook([&](FileOp op, const fs::path& path) {
    if (EndsWith(path, "ReuseCommandFile.txt") && (op == FileOp::kOpenRead || op == FileOp::kRename)) {
      exclusiveFree.push_back(canTake(LOCK_EX));
      sharedFree.push_back(canTake(LOCK_SH));
    }
    return 0;
  });
  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  const size_t loadChecks = exclusiveFree.size();
  ASSERT_EQ(SaveReuseStore(Folder(), jobs_, stamp_), ReuseSave::kSaved);
  ASSERT_GT(loadChecks, 0u);
  ASSERT_GT(exclusiveFree.size(), loadChecks);
  for (size_t i = 0; i < exclusiveFree.size(); ++i) {
    EXPECT_FALSE(exclusiveFree[i]) << i;                 // no one writes meanwhile
    EXPECT_EQ(sharedFree[i], i < loadChecks) << i;       // loads share, a save reads alone
  }
  EXPECT_TRUE(canTake(LOCK_EX));
}

// A kill (SIGKILL) at any step of the save leaves a list whose every job still
// has its settings file with its own tools; the temporary file a kill leaves
// is cleared at the next start.
TEST_F(ReuseSaveTest, AKillDuringTheSaveLosesNoJobsTools) {
  struct Row {
    FileOp op;
    const char* file;
  };
  const Row rows[] = {
      {FileOp::kWrite, "sales_new.txt"},        {FileOp::kRename, "sales_new.txt"},
      {FileOp::kWrite, "ReuseCommandFile.txt"}, {FileOp::kRename, "ReuseCommandFile.txt"},
      {FileOp::kRemove, "sales.txt"},           {FileOp::kRemove, "sales_old.txt"},
  };
  const std::map<std::string, std::string> tools = {{"sales", "@Header\nEditInf=0,4,0\n"},
                                                    {"old", "@Header\nEditInf=0,3,1\n"},
                                                    {"new", "@Header\nEditInf=0,3,1\n"}};
  for (const Row& r : rows) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SetFileFaultHook([&](FileOp op, const fs::path& path) {
        if (op == r.op && EndsWith(path, r.file)) ::raise(SIGKILL);
        return 0;
      });
      SaveReuseStore(Folder(), jobs_, stamp_);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << r.file;
    RemoveStaleWriterFiles(Folder(), 0);
    RemoveStaleWriterFiles(FromFsPath(dir_ / "DataEditTool"), 0);
    std::vector<REUSECOMMAND> listed;
    ASSERT_EQ(LoadReuseList(Folder(), listed, nullptr), ReuseListRead::kWhole) << r.file;
    for (const REUSECOMMAND& job : listed) {
      if (job.csvFile != CString(u"sales")) continue;
      const std::string file = job.jobName == CString(u"sales") ? "sales.txt" : "sales_" + job.jobName.ToUtf8() + ".txt";
      EXPECT_EQ(testsupport::TempDir::Read(Tool(file)), tools.at(job.jobName.ToUtf8())) << r.file << ": " << file;
    }
    // Back to the state before the save for the next row.
    for (const auto& entry : fs::directory_iterator(dir_ / "DataEditTool")) fs::remove(entry.path());
    WriteTool("sales.txt", "@Header\nEditInf=0,4,0\n");
    WriteTool("sales_old.txt", "@Header\nEditInf=0,3,1\n");
    dir_.Write("ReuseCommandFile.txt",
               "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n\"sales\",\"TypeL\",\"PDF\",\"old\"\n"
               "\"stock\",\"TypeS\",\"CSV\",\"stock\"\n");
    ASSERT_EQ(FilesUnder(dir_.path()), before_);
  }
}

// Names from a hand-edited list that climb out of the settings folder: the file
// there is never read, written or deleted.
TEST_F(ReuseStoreTest, NamesLeavingTheSettingsFolderReachNoFile) {
  dir_.Write("secret.txt", "keep");
  dir_.Write("sales_.txt", "keep too");
  WriteTool("sales_a.txt", "@Header\n");
  dir_.Write("ReuseCommandFile.txt",
             "\"../secret\",\"\",\"PDF\",\"../secret\"\n"
             "\"sales\",\"\",\"PDF\",\"../../sales_\"\n"
             "\"sales\",\"\",\"PDF\",\"a\"\n");
  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  ASSERT_EQ(jobs.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(jobs[i].toolFilePath.IsEmpty()) << i;
    EXPECT_TRUE(jobs[i].toolLines.empty()) << i;
  }
  jobs[0].deleted = 1;
  jobs[1].deleted = 1;
  ASSERT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kSaved);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "secret.txt"), "keep");
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "sales_.txt"), "keep too");
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales_a.txt")), "@Header\n");
}

// Regression: the store saved a job whose settings file cannot exist without its
// tools, whoever called it; only the dialogs checked the name.
TEST_F(ReuseStoreTest, AJobWhoseSettingsFileCannotExistIsRefused) {
  struct Row {
    const char* name;
    std::u16string jobName;
    bool renamed;  // else a new job
  };
  const Row rows[] = {
      {"renamed out of the folder", u"../../b", true},
      {"renamed past 255 bytes", std::u16string(250, u'j'), true},
      {"new past 255 bytes", std::u16string(85, u'帳'), false},
      {"new with a slash", u"a/b", false},
  };
  WriteTool("sales_a.txt", "@Header\n");
  dir_.Write("ReuseCommandFile.txt", "\"sales\",\"\",\"PDF\",\"a\"\n");
  for (const Row& r : rows) {
    std::vector<REUSECOMMAND> jobs;
    std::optional<std::string> stamp;
    ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
    const auto before = FilesUnder(dir_.path());
    if (r.renamed) {
      jobs[0].jobName = CString(r.jobName);
      jobs[0].nameChanged = 1;
    } else {
      REUSECOMMAND job;
      job.csvFile = CString(u"sales");
      job.jobName = CString(r.jobName);
      job.toolLines = {CString(u"@AddCSV\n")};
      job.toolLinesChanged = 1;
      jobs.push_back(job);
    }
    EXPECT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kNameRefused) << r.name;
    EXPECT_EQ(FilesUnder(dir_.path()), before) << r.name;
    EXPECT_FALSE(fs::exists(dir_.path().parent_path() / "b.txt")) << r.name;
  }
}

// Regression: a save killed after a new settings file was in place but before
// the list named it left that file behind for good. The next save removes it,
// and nothing that is not a settings file of the store's naming.
TEST_F(ReuseSaveTest, TheNextSaveRemovesTheFileAKilledSaveLeft) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SetFileFaultHook([&](FileOp op, const fs::path& path) {
      if (op == FileOp::kWrite && EndsWith(path, "ReuseCommandFile.txt")) ::raise(SIGKILL);
      return 0;
    });
    SaveReuseStore(Folder(), jobs_, stamp_);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_TRUE(fs::exists(Tool("sales_new.txt")));  // the orphan
  RemoveStaleWriterFiles(Folder(), 0);
  WriteTool("notes.md", "mine");
  WriteTool(".hidden.txt", "mine");
  fs::create_directories(Tool("folder.txt"));
  dir_.Write("outside.txt", "mine");
  fs::create_symlink(dir_ / "outside.txt", Tool("link.txt"));

  std::vector<REUSECOMMAND> jobs;
  std::optional<std::string> stamp;
  ASSERT_EQ(LoadReuseList(Folder(), jobs, &stamp), ReuseListRead::kWhole);
  jobs[2].locked = 1;
  ASSERT_EQ(SaveReuseStore(Folder(), jobs, stamp), ReuseSave::kSaved);
  EXPECT_FALSE(fs::exists(Tool("sales_new.txt")));
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales.txt")), "@Header\nEditInf=0,4,0\n");
  EXPECT_EQ(testsupport::TempDir::Read(Tool("sales_old.txt")), "@Header\nEditInf=0,3,1\n");
  EXPECT_EQ(testsupport::TempDir::Read(Tool("notes.md")), "mine");
  EXPECT_EQ(testsupport::TempDir::Read(Tool(".hidden.txt")), "mine");
  EXPECT_TRUE(fs::is_directory(Tool("folder.txt")));
  EXPECT_TRUE(fs::is_symlink(Tool("link.txt")));
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "outside.txt"), "mine");
}

// Regression: a list saved by an editor that marks UTF-8 gave its first job a
// base name beginning with the mark. A FIFO or folder in a file's place is a
// read that is not whole, never a wait.
TEST_F(ReuseStoreTest, MarkedListIsReadAndUnreadableFilesMakeTheReadPartial) {
  dir_.Write("ReuseCommandFile.txt", "\xEF\xBB\xBF\"sales\",\"TypeT\",\"PDF\",\"sales\"\n");
  WriteTool("sales.txt", "\xEF\xBB\xBF@Header\n");
  std::vector<REUSECOMMAND> jobs;
  ASSERT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kWhole);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].csvFile, CString(u"sales"));
  EXPECT_EQ(jobs[0].toolLines, std::vector<CString>{CString(u"@Header\n")});

  fs::remove(Tool("sales.txt"));
  ASSERT_EQ(::mkfifo(Tool("sales.txt").c_str(), 0600), 0);
  jobs.clear();
  EXPECT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kPartial);
  fs::remove(Tool("sales.txt"));
  fs::create_directory(Tool("sales.txt"));
  jobs.clear();
  EXPECT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kPartial);

  fs::remove(dir_ / "ReuseCommandFile.txt");
  ASSERT_EQ(::mkfifo((dir_ / "ReuseCommandFile.txt").c_str(), 0600), 0);
  jobs.clear();
  EXPECT_EQ(LoadReuseList(Folder(), jobs), ReuseListRead::kPartial);
}

struct KindCase {
  OutputFormat format;
  int code;
  const char16_t* kind;  // null: none
};
constexpr OutputFormat kPdf = OutputFormat::kPdf, kExcel = OutputFormat::kExcel, kCsv = OutputFormat::kCsv;
constexpr KindCase kKinds[] = {
    {kPdf, 1, u"PDF"}, {kExcel, 0, u"EXCEL"}, {kCsv, 0, u"CSV-UTF8"}, {kCsv, 1, u"CSV-SJIS"},
    {kCsv, 2, u"CSV"}, {kCsv, 5, nullptr}, {static_cast<OutputFormat>(2), 0, nullptr},
};

TEST(ReuseOutputKind, TextsAndBack) {
  for (const KindCase& c : kKinds) {
    const char16_t* text = OutputKindText(c.format, c.code);
    if (!c.kind) {
      EXPECT_EQ(text, nullptr) << OutputFormatNumber(c.format) << "/" << c.code;
      continue;
    }
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(CString(text), CString(c.kind));
    OutputFormat format = static_cast<OutputFormat>(-1);
    int code = -1;
    ASSERT_TRUE(OutputKindToFormat(CString(text), &format, &code));
    EXPECT_EQ(format, c.format);
    EXPECT_EQ(code, c.format == kCsv ? c.code : 2);  // PDF and Excel jobs carry "none"
  }
  OutputFormat format = static_cast<OutputFormat>(9);
  int code = 9;
  EXPECT_FALSE(OutputKindToFormat(CString(u"pdf"), &format, &code));
  EXPECT_EQ(format, static_cast<OutputFormat>(9));
}

TEST(ReuseCollect, OnlyTheExactBaseNameInListOrder) {
  std::vector<REUSECOMMAND> jobs(3);
  jobs[0].csvFile = CString(u"Sales");
  jobs[1].csvFile = CString(u"sales");
  jobs[1].jobName = CString(u"sales");
  jobs[1].outputKind = CString(u"CSV-SJIS");
  jobs[2].csvFile = CString(u"sales");
  jobs[2].jobName = CString(u"x");
  const auto entries = CollectJobsOfFile(jobs, CString(u"sales"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].jobNo, 2);
  EXPECT_EQ(entries[0].outputFormat, OutputFormat::kCsv);
  EXPECT_EQ(entries[0].charCode, 1);
  EXPECT_EQ(entries[1].jobNo, 3);
}

}  // namespace
