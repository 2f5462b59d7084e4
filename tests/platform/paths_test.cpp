#include "platform/paths.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

CString PathText(const std::filesystem::path& p) { return CString::FromUtf8(p.string()); }

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    if (old) old_ = old, had_ = true;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_.c_str(), old_.c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_, old_;
  bool had_ = false;
};

TEST(PathsTest, ExpandEnvNames) {
  ScopedEnv a("TABRO_T_A", "/data");
  ScopedEnv b("TABRO_T_B", "x");
  ScopedEnv c("TABRO_T_UNSET", nullptr);
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"%TABRO_T_A%/in", u"/data/in"},
      {u"pre/%TABRO_T_B%/%TABRO_T_B%", u"pre/x/x"},
      {u"%TABRO_T_UNSET%/%TABRO_T_A%", u"%TABRO_T_UNSET%//data"},
      {u"50% off", u"50% off"},
      {u"%%", u"%%"},
      {u"no names", u"no names"},
  };
  for (const Case& k : cases) EXPECT_EQ(ExpandEnvNames(k.text), CString(k.expected)) << CString(k.text);
}

TEST(PathsTest, UserProfileFallsBackToHome) {
  ScopedEnv home("HOME", "/home/tester");
  ScopedEnv profile("USERPROFILE", nullptr);
  EXPECT_EQ(GetEnvVar(u"USERPROFILE").value_or(CString(u"unset")), CString(u"/home/tester"));
  EXPECT_FALSE(GetEnvVar(u"TABRO_T_NEVER_SET").has_value());
}

TEST(PathsTest, UserFoldersFromXdgConfigElseHome) {
  TempDir dir;
  ScopedEnv home("HOME", dir.path().string().c_str());
  ScopedEnv config("XDG_CONFIG_HOME", (dir.path() / "cfg").string().c_str());
  CString h = PathText(dir.path());
  EXPECT_EQ(GetUserFolder(UserFolder::kDownloads), h + u"/Downloads");
  EXPECT_EQ(GetUserFolder(UserFolder::kHome), h);

  std::filesystem::create_directories(dir.path() / "cfg");
  dir.Write("cfg/user-dirs.dirs",
            "# comment\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\nXDG_DOCUMENTS_DIR=\"/srv/docs/\"\n"
            "XDG_DOWNLOAD_DIR=\"relative\"\n");
  EXPECT_EQ(GetUserFolder(UserFolder::kDesktop), h + u"/デスクトップ");
  EXPECT_EQ(GetUserFolder(UserFolder::kDocuments), CString(u"/srv/docs"));
  EXPECT_EQ(GetUserFolder(UserFolder::kDownloads), h + u"/Downloads");
}

TEST(PathsTest, NameParts) {
  struct Case {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* name;
    const char16_t* ext;
    const char16_t* stem;
  };
  const Case cases[] = {
      {u"/a/b/list.csv", u"/a/b", u"list.csv", u".csv", u"list"},
      {u"list.tar.gz", u"", u"list.tar.gz", u".gz", u"list.tar"},
      {u"/a.d/name", u"/a.d", u"name", u"", u"name"},
      {u"/x/.profile", u"/x", u".profile", u"", u".profile"},
      {u"/root.csv", u"/", u"root.csv", u".csv", u"root"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), CString(c.folder)) << CString(c.path);
    EXPECT_EQ(FileNameOf(c.path), CString(c.name)) << CString(c.path);
    EXPECT_EQ(ExtensionOf(c.path), CString(c.ext)) << CString(c.path);
    EXPECT_EQ(StemOf(c.path), CString(c.stem)) << CString(c.path);
  }
  EXPECT_TRUE(HasExtension(u"/in/A.CSV", u".csv"));
  EXPECT_TRUE(HasExtension(u"data.Tsv", u".tsv"));
  EXPECT_FALSE(HasExtension(u"a.csv.txt", u".csv"));
  EXPECT_FALSE(HasExtension(u"/dir.csv/file", u".csv"));
  EXPECT_FALSE(HasExtension(u"csv", u".csv"));
}

TEST(PathsTest, JoinPath) {
  EXPECT_EQ(JoinPath(u"/a", u"b.csv"), CString(u"/a/b.csv"));
  EXPECT_EQ(JoinPath(u"/a/", u"/b.csv"), CString(u"/a/b.csv"));
  EXPECT_EQ(JoinPath(u"/", u"b"), CString(u"/b"));
  EXPECT_EQ(JoinPath(u"", u"b"), CString(u"b"));
  EXPECT_EQ(JoinPath(u"a", u""), CString(u"a"));
}

TEST(PathsTest, FsPathRoundTripsJapaneseNames) {
  CString name(u"/tmp/日本語 ファイル.csv");
  EXPECT_EQ(FromFsPath(ToFsPath(name)), name);
}

TEST(PathsTest, AtomicWriteReplacesWholeFileAndKeepsMode) {
  TempDir dir;
  auto file = dir.Write("a.ini", "old");
  ::chmod(file.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomic(PathText(file), "new text"));
  EXPECT_EQ(TempDir::Read(file), "new text");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(PathsTest, AtomicWriterDiscardLeavesTheOldFile) {
  TempDir dir;
  auto file = dir.Write("a.ini", "old");
  {
    AtomicFileWriter w;
    ASSERT_TRUE(w.Begin(PathText(file)));
    ASSERT_TRUE(w.Write("half"));
  }  // destroyed without Commit
  EXPECT_EQ(TempDir::Read(file), "old");
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
  EXPECT_FALSE(WriteFileAtomic(PathText(dir / "missing" / "b.ini"), "x"));
}

TEST(PathsTest, AtomicWriteLeavesReadOnlyFiles) {
  TempDir dir;
  auto file = dir.Write("locked.ini", "old");
  ::chmod(file.c_str(), 0444);
  EXPECT_FALSE(WriteFileAtomic(PathText(file), "new"));
  EXPECT_EQ(TempDir::Read(file), "old");
  ::chmod(file.c_str(), 0644);
}

TEST(PathsTest, AtomicWriteTakesTheLongestNamesAndRefusesFolders) {
  TempDir dir;
  // 255 bytes is the longest name a file may have; its temporary name must fit too.
  const std::string longest = std::string(251, 'n') + ".ini";
  ASSERT_TRUE(WriteFileAtomic(PathText(dir / longest), "x"));
  EXPECT_EQ(TempDir::Read(dir / longest), "x");

  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(WriteFileAtomic(PathText(dir / "sub"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
  AtomicFileWriter w;
  EXPECT_FALSE(w.Begin(PathText(dir / "sub")));
}

TEST(PathsTest, CommitNewNeverReplacesAFile) {
  testsupport::TempDir dir;
  const auto target = dir.Write("doc.pdf", "old");
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Begin(CString(target.string())));
  ASSERT_TRUE(writer.Write("new"));
  EXPECT_FALSE(writer.CommitNew());
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(testsupport::TempDir::Read(target), "old");
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

// What a killed save of this program leaves behind is cleaned; a save still
// running elsewhere, another program's temporary files (named like ours but
// without our tag), the user's own files and links are not.
TEST(PathsTest, StaleWriterFilesAreRemovedAndNothingElse) {
  testsupport::TempDir dir;
  struct Row {
    std::string name;
    bool old;
    bool removed;
  };
  const Row rows[] = {{WriterTempName("report.pdf", 123456), true, true},
                      {WriterTempName("", 42), true, true},
                      {WriterTempName("report.pdf", 77), false, false},
                      {".report.pdf.tmp123456", true, false},
                      {".tmp42", true, false},
                      {"report.pdf", true, false},
                      {"notes.tmp1", true, false},
                      {WriterTempName("report.pdf", 5) + "x", true, false}};
  for (const Row& r : rows) {
    const auto path = dir.Write(r.name, "x");
    if (r.old) std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // A link named like our file, pointing at a file of the user's.
  const auto target = dir.Write("mine.pdf", "keep");
  const auto link = dir.path() / WriterTempName("mine.pdf", 1);
  std::filesystem::create_symlink(target, link);
  RemoveStaleWriterFiles(CString(dir.path().string()), 60);
  for (const Row& r : rows) EXPECT_EQ(std::filesystem::exists(dir.path() / r.name), !r.removed) << r.name;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDir::Read(target), "keep");
}

// A temporary file of the atomic writer is named by the one routine the
// cleaning knows.
TEST(PathsTest, TheAtomicWriterNamesItsTemporaryFileWithTheProgramsTag) {
  TempDir dir;
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Begin(PathText(dir.path() / "doc.pdf")));
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(IsWriterTempName(names[0])) << names[0];
  EXPECT_EQ(names[0].rfind(".doc.pdf.", 0), 0u) << names[0];
}

// An input is deleted only while its name still denotes the very file that was
// read: one renamed over it, one grown since, or a link in its place stays.
TEST(PathsTest, RemoveFileIfSameRemovesOnlyTheFileThatWasRead) {
  namespace fs = std::filesystem;
  enum class Change { kNone, kRenamedOver, kAppended, kLinkInPlace, kRemoved };
  struct Row {
    const char* name;
    Change change;
    RemoveOutcome outcome;
    bool stays;
  };
  const Row rows[] = {
      {"unchanged", Change::kNone, RemoveOutcome::kRemoved, false},
      {"renamed over", Change::kRenamedOver, RemoveOutcome::kReplaced, true},
      {"grown", Change::kAppended, RemoveOutcome::kReplaced, true},
      {"a link in its place", Change::kLinkInPlace, RemoveOutcome::kReplaced, true},
      {"already gone", Change::kRemoved, RemoveOutcome::kGone, false},
  };
  for (const Row& r : rows) {
    TempDir dir;
    const fs::path file = dir.Write("daily.csv", "a,b\r\n1,2\r\n");
    const fs::path outside = dir.Write("outside.csv", "secret\r\n");
    const FileIdentity read = RegularFileIdentity(PathText(file));
    ASSERT_TRUE(read.IsKnown()) << r.name;
    switch (r.change) {
      case Change::kNone: break;
      case Change::kRenamedOver: fs::rename(dir.Write("daily.csv.new", "a,b\r\n3,4\r\n"), file); break;
      case Change::kAppended: {
        std::ofstream(file, std::ios::app) << "5,6\r\n";
        break;
      }
      case Change::kLinkInPlace:
        fs::remove(file);
        fs::create_symlink(outside, file);
        break;
      case Change::kRemoved: fs::remove(file); break;
    }
    EXPECT_EQ(RemoveFileIfSame(PathText(file), read), r.outcome) << r.name;
    EXPECT_EQ(fs::exists(fs::symlink_status(file)), r.stays) << r.name;
    EXPECT_EQ(TempDir::Read(outside), "secret\r\n") << r.name;
  }
}

// A writer that holds the file open is seen however long it pauses; once it
// closes, the file is free.
TEST(PathsTest, AFileHeldOpenForWritingIsSeenUntilItsWriterClosesIt) {
  TempDir dir;
  const auto file = dir.Write("open.csv", "half\r\n");
  const int writer = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  const int reader = OpenRegularFileNoFollow(PathText(file));
  ASSERT_GE(reader, 0);
  // Leases work on the test folder's file system: the check is really exercised.
  EXPECT_EQ(IsHeldForWriting(reader), std::optional<bool>(true));
  ::close(writer);
  EXPECT_EQ(IsHeldForWriting(reader), std::optional<bool>(false));
  ::close(reader);
}

TEST(PathsTest, OpenRegularFileNoFollowRefusesLinksFoldersAndPipes) {
  TempDir dir;
  const auto target = dir.Write("target.csv", "x");
  std::filesystem::create_symlink(target, dir.path() / "link.csv");
  std::filesystem::create_directories(dir.path() / "folder.csv");
  ASSERT_EQ(::mkfifo((dir.path() / "pipe.csv").c_str(), 0600), 0);
  for (const char* name : {"link.csv", "folder.csv", "pipe.csv", "missing.csv"}) {
    EXPECT_LT(OpenRegularFileNoFollow(PathText(dir.path() / name)), 0) << name;
  }
  const int fd = OpenRegularFileNoFollow(PathText(target));
  EXPECT_GE(fd, 0);
  ::close(fd);
}

TEST(PathsTest, ExecutableFolderExists) {
  CString folder = GetExecutableFolder();
  ASSERT_FALSE(folder.IsEmpty());
  EXPECT_TRUE(std::filesystem::is_directory(ToFsPath(folder)));
}

}  // namespace
