#include "app/user_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/app_operation_host.h"
#include "app/tabro_client_app.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The settings members of theApp start from a fresh program's values in a
// temporary program folder; the home folder is a temporary one too.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest()
      : home_("HOME", homeDir_.path().string()),
        profile_("USERPROFILE", homeDir_.path().string()),
        config_("XDG_CONFIG_HOME", (homeDir_.path() / ".config").string()) {}

  void SetUp() override {
    theApp.m_ProgramFolder = FromFsPath(programDir_.path());
    theApp.m_SyokikidoGamen = 0;
    theApp.m_SaveDirectoryIdx = 0;
    theApp.m_SaveDirectory.Empty();
    theApp.m_ServerConnectMode = 0;
    theApp.m_CommandReUse = 0;
    theApp.m_SameFileNameOverWrite = 0;
    theApp.m_ShiftStartExcelListType = 0;
    theApp.m_DefaultCommand.Empty();
    theApp.m_WatchingMode = 0;
    theApp.m_WatchFolder.Empty();
    theApp.m_WatchFolderRaw.Empty();
  }

  std::string Home() const { return homeDir_.path().string(); }
  fs::path UserFile() const { return programDir_.path() / "TabroUserSetting.ini"; }
  fs::path WatchFile() const { return programDir_.path() / "TabroConnectInf.txt"; }

  testsupport::TempDir programDir_;
  testsupport::TempDir homeDir_;
  ScopedEnv home_;
  ScopedEnv profile_;
  ScopedEnv config_;
  RecordingUiHooks hooks_;
};

TEST_F(SettingsFileTest, MissingUserFileIsWrittenWithItsDefaults) {
  theApp.LoadUserSettings();
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, 2);
  EXPECT_EQ(theApp.m_SaveDirectory, CString(Home() + "/Desktop"));
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()),
            "SyokikidoGamen=0\r\nSaveDirectoryidx=2\r\nSaveDirectory=" + Home() +
                "/Desktop\r\nServerConnectMode=0\r\nCommandReUse=0\r\n"
                "SameFileNameOverWrite=0\r\nShiftStartExcelListType=0\r\nDefaultCommand=\r\n");
  EXPECT_TRUE(hooks_.Messages().empty());
}

TEST_F(SettingsFileTest, UserSettingsRoundTripInShiftJis) {
  theApp.m_SyokikidoGamen = 2;
  theApp.m_SaveDirectoryIdx = 0;
  theApp.m_SaveDirectory = CString(u"/data/帳票");
  theApp.m_ServerConnectMode = 1;
  theApp.m_CommandReUse = 1;
  theApp.m_SameFileNameOverWrite = 1;
  theApp.m_ShiftStartExcelListType = 2;
  theApp.m_DefaultCommand = CString(u"PDF;一覧表;TITLE=売上");
  ASSERT_TRUE(theApp.SaveUserSettings());
  const std::string bytes = testsupport::TempDir::Read(UserFile());
  EXPECT_NE(bytes.find("SaveDirectory=/data/\x92\xA0\x95\x5B\r\n"), std::string::npos);  // 帳票

  SetUp();
  theApp.LoadUserSettings();
  EXPECT_EQ(theApp.m_SyokikidoGamen, 2);
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, 0);
  EXPECT_EQ(theApp.m_SaveDirectory, CString(u"/data/帳票"));
  EXPECT_EQ(theApp.m_ServerConnectMode, 1);
  EXPECT_EQ(theApp.m_CommandReUse, 1);
  EXPECT_EQ(theApp.m_SameFileNameOverWrite, 1);
  EXPECT_EQ(theApp.m_ShiftStartExcelListType, 2);
  EXPECT_EQ(theApp.m_DefaultCommand, CString(u"PDF;一覧表;TITLE=売上"));
  // Writing what was read gives the same bytes.
  ASSERT_TRUE(theApp.SaveUserSettings());
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()), bytes);
}

struct UserLoadCase {
  const char* name;
  std::string file;             // bytes of "TabroUserSetting.ini"; "{home}" is the profile folder
  int syokikidoGamen;
  int saveDirectoryIdx;
  const char* saveDirectory;    // "{home}" is the profile folder
  int commandReUse;
  int serverConnectMode;
  const char16_t* defaultCommand;
};

const UserLoadCase kUserLoadCases[] = {
    {"IndexThreeIsDocumentsWhateverIsStored", "SaveDirectoryidx=3\r\nSaveDirectory=/x\r\n", 0, 3,
     "{home}/Documents", 0, 0, u""},
    {"IndexOneIsDownloads", "SaveDirectory=/x\r\nSaveDirectoryidx=1\r\n", 0, 1, "{home}/Downloads", 0,
     0, u""},
    {"IndexZeroKeepsTheStoredFolder", "SaveDirectoryidx=0\r\nSaveDirectory=/x/y\r\n", 0, 0, "/x/y", 0,
     0, u""},
    {"OtherIndexKeepsTheStoredFolder", "SaveDirectoryidx=7\r\nSaveDirectory=/x\r\n", 0, 7, "/x", 0, 0,
     u""},
    {"IndexKeyNeverMatchesFolderKey", "SaveDirectoryidx=0\r\n", 0, 0, "", 0, 0, u""},
    {"TrailingHalfAndFullWidthBlanksAreCut",
     "SaveDirectory=/x \t\r\nDefaultCommand=PDF\x81\x40 \r\n", 0, 0, "/x", 0, 0, u"PDF"},
    {"NumberStopsAtTheFirstOtherCharacter", "CommandReUse=1x\r\nServerConnectMode=abc\r\n", 0, 0, "",
     1, 0, u""},
    {"LaterLineOverwrites", "CommandReUse=1\r\nCommandReUse=0\r\n", 0, 0, "", 0, 0, u""},
    {"OtherLinesAreIgnored", "; comment\r\n\r\nCommandReUse=1\r\nX=1\r\n", 0, 0, "", 1, 0, u""},
    {"StartPageOutsideTheSheetIsIgnored", "SyokikidoGamen=2\r\nSyokikidoGamen=9\r\n", 2, 0, "", 0, 0,
     u""},
    {"NegativeStartPageIsIgnored", "SyokikidoGamen=-1\r\n", 0, 0, "", 0, 0, u""},
    {"ShiftJisValue", "DefaultCommand=\x88\xEA\x97\x97\r\n", 0, 0, "", 0, 0, u"一覧"},
    {"LfLineEnds", "CommandReUse=1\nServerConnectMode=1\n", 0, 0, "", 1, 1, u""},
    // Regression: a file saved by an editor that marks UTF-8 lost its first key.
    {"ByteOrderMarkIsSkipped", "\xEF\xBB\xBF" "CommandReUse=1\r\n", 0, 0, "", 1, 0, u""},
    {"MarkedFileIsUtf8", "\xEF\xBB\xBFSaveDirectory=/home/jos\xC3\xA9\r\nDefaultCommand=\xE4\xB8\x80\r\n", 0, 0,
     "/home/jos\xC3\xA9", 0, 0, u"一"},
    {"NoFinalLineEnd", "CommandReUse=1\r\nServerConnectMode=1", 0, 0, "", 1, 1, u""},
    {"OverlongLineIsSkippedNotTheRest",
     "DefaultCommand=" + std::string(120000, 'a') + "\r\nCommandReUse=1\r\n", 0, 0, "", 1, 0, u""},
};

class UserLoadCases : public SettingsFileTest, public ::testing::WithParamInterface<UserLoadCase> {};

TEST_P(UserLoadCases, ReadsKeysAsLinePrefixes) {
  const UserLoadCase& c = GetParam();
  auto expand = [&](std::string s) {
    const size_t at = s.find("{home}");
    if (at != std::string::npos) s.replace(at, 6, Home());
    return s;
  };
  programDir_.Write("TabroUserSetting.ini", c.file);
  theApp.LoadUserSettings();
  EXPECT_EQ(theApp.m_SyokikidoGamen, c.syokikidoGamen);
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, c.saveDirectoryIdx);
  EXPECT_EQ(theApp.m_SaveDirectory, CString(expand(c.saveDirectory)));
  EXPECT_EQ(theApp.m_CommandReUse, c.commandReUse);
  EXPECT_EQ(theApp.m_ServerConnectMode, c.serverConnectMode);
  EXPECT_EQ(theApp.m_DefaultCommand, CString(c.defaultCommand));
  // Reading never rewrites an existing file.
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()), c.file);
}

INSTANTIATE_TEST_SUITE_P(Table, UserLoadCases, ::testing::ValuesIn(kUserLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WatchLoadCase {
  const char* name;
  const char* file;
  int watchingMode;
  const char16_t* raw;
  const char* expanded;  // "{home}" is the profile folder
};

const WatchLoadCase kWatchLoadCases[] = {
    {"BothKeys", "WatchingMode=1\r\nWatching01=/in\r\n\r\n", 1, u"/in", "/in"},
    {"ProfileFolderStaysRawAndExpands", "WatchingMode=1\r\nWatching01=%USERPROFILE%/in\r\n\r\n", 1,
     u"%USERPROFILE%/in", "{home}/in"},
    {"CommentFirstYieldsNothing", "# watch\r\nWatchingMode=1\r\nWatching01=/in\r\n", 0, u"", ""},
    {"SecondEmptyLineEndsTheHead", "\r\n\r\nWatchingMode=1\r\n", 0, u"", ""},
    {"OneEmptyLineDoesNot", "\r\nWatchingMode=1\r\n", 1, u"", ""},
    {"KeysAfterAnotherLineAreNotRead", "WatchingMode=1\r\nother\r\nWatching01=/in\r\n", 1, u"", ""},
    {"TrailingBlanksAreCut", "Watching01=/in \x81\x40\r\n", 0, u"/in", "/in"},
    {"ShiftJisFolder", "Watching01=/\x8A\xC4\x8E\x8B\r\n", 0, u"/監視", "/監視"},
    {"ByteOrderMarkIsSkipped", "\xEF\xBB\xBFWatchingMode=1\r\nWatching01=/in\r\n", 1, u"/in", "/in"},
};

class WatchLoadCases : public SettingsFileTest, public ::testing::WithParamInterface<WatchLoadCase> {};

TEST_P(WatchLoadCases, ReadsTheHeadOfTheFile) {
  const WatchLoadCase& c = GetParam();
  programDir_.Write("TabroConnectInf.txt", c.file);
  theApp.LoadWatchSettings();
  std::string expanded = c.expanded;
  if (const size_t at = expanded.find("{home}"); at != std::string::npos) expanded.replace(at, 6, Home());
  EXPECT_EQ(theApp.m_WatchingMode, c.watchingMode);
  EXPECT_EQ(theApp.m_WatchFolderRaw, CString(c.raw));
  EXPECT_EQ(theApp.m_WatchFolder, CString(expanded));
}

INSTANTIATE_TEST_SUITE_P(Table, WatchLoadCases, ::testing::ValuesIn(kWatchLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, MissingWatchFileChangesNothingAndWritesNothing) {
  theApp.m_WatchFolderRaw = CString(u"/kept");
  theApp.LoadWatchSettings();
  EXPECT_EQ(theApp.m_WatchFolderRaw, CString(u"/kept"));
  EXPECT_FALSE(fs::exists(WatchFile()));
}

TEST_F(SettingsFileTest, WatchSettingsAreWrittenRawAndRoundTrip) {
  theApp.m_WatchingMode = 1;
  theApp.m_WatchFolderRaw = CString(u"%USERPROFILE%/監視");
  ASSERT_TRUE(theApp.SaveWatchSettings());
  EXPECT_EQ(testsupport::TempDir::Read(WatchFile()),
            "WatchingMode=1\r\nWatching01=%USERPROFILE%/\x8A\xC4\x8E\x8B\r\n\r\n");
  SetUp();
  theApp.LoadWatchSettings();
  EXPECT_EQ(theApp.m_WatchingMode, 1);
  EXPECT_EQ(theApp.m_WatchFolderRaw, CString(u"%USERPROFILE%/監視"));
  EXPECT_EQ(theApp.m_WatchFolder, CString(Home()) + CString(u"/監視"));
}

// Regression: a value Shift_JIS cannot hold (a folder of a home named "josé")
// kept the file from ever being written. Such a file is UTF-8 behind a mark and
// reads back the same; a file Shift_JIS can hold stays Shift_JIS.
TEST_F(SettingsFileTest, TextShiftJisCannotHoldIsStoredAsMarkedUtf8) {
  programDir_.Write("TabroUserSetting.ini", "CommandReUse=1\r\n");
  theApp.m_SaveDirectory = CString(u"/data/caf\u00e9");
  theApp.m_DefaultCommand = CString(u"PDF;一覧");
  ASSERT_TRUE(theApp.SaveUserSettings());
  const std::string bytes = testsupport::TempDir::Read(UserFile());
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBFSyokikidoGamen=0\r\n", 0), 0u);
  EXPECT_NE(bytes.find("SaveDirectory=/data/caf\xC3\xA9\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("DefaultCommand=PDF;\xE4\xB8\x80\xE8\xA6\xA7\r\n"), std::string::npos);

  theApp.m_WatchingMode = 1;
  theApp.m_WatchFolderRaw = CString(u"/in/\U0001F600");
  ASSERT_TRUE(theApp.SaveWatchSettings());
  EXPECT_EQ(testsupport::TempDir::Read(WatchFile()),
            "\xEF\xBB\xBFWatchingMode=1\r\nWatching01=/in/\xF0\x9F\x98\x80\r\n\r\n");
  EXPECT_TRUE(hooks_.Boxes().empty());

  SetUp();
  theApp.LoadUserSettings();
  theApp.LoadWatchSettings();
  EXPECT_EQ(theApp.m_SaveDirectory, CString(u"/data/caf\u00e9"));
  EXPECT_EQ(theApp.m_DefaultCommand, CString(u"PDF;一覧"));
  EXPECT_EQ(theApp.m_WatchFolderRaw, CString(u"/in/\U0001F600"));
  ASSERT_TRUE(theApp.SaveUserSettings());
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()), bytes);
}

// Regression: with a home folder Shift_JIS cannot hold, every start showed the
// unstorable-text box and the user settings file was never written.
TEST_F(SettingsFileTest, HomeFolderShiftJisCannotHoldGetsItsSettingsFile) {
  const fs::path home = homeDir_.path() / "jos\xC3\xA9";
  fs::create_directory(home);
  ScopedEnv newHome("HOME", home.string());
  ScopedEnv newProfile("USERPROFILE", home.string());
  ScopedEnv newConfig("XDG_CONFIG_HOME", (home / ".config").string());
  theApp.LoadUserSettings();
  EXPECT_TRUE(hooks_.Boxes().empty());
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()).rfind("\xEF\xBB\xBFSyokikidoGamen=0\r\n", 0), 0u);
  theApp.m_SaveDirectoryIdx = 0;
  theApp.m_SaveDirectory = CString(home.string() + "/out");
  ASSERT_TRUE(theApp.SaveUserSettings());
  SetUp();
  theApp.LoadUserSettings();
  EXPECT_EQ(theApp.m_SaveDirectory, CString(home.string() + "/out"));
  EXPECT_TRUE(hooks_.Boxes().empty());
}

TEST_F(SettingsFileTest, ValueWithALineBreakIsRefusedNotSplitIntoTwoLines) {
  programDir_.Write("TabroUserSetting.ini", "CommandReUse=0\r\n");
  theApp.m_DefaultCommand = CString(u"PDF\nCommandReUse=1");
  EXPECT_FALSE(theApp.SaveUserSettings());
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()), "CommandReUse=0\r\n");
  theApp.m_WatchFolderRaw = CString(u"/in\r\nWatchingMode=1");
  EXPECT_FALSE(theApp.SaveWatchSettings());
  EXPECT_FALSE(fs::exists(WatchFile()));
  EXPECT_EQ(hooks_.Boxes().size(), 2u);
}

// Something in the user settings file's place that cannot be read: it is
// reported and kept, and the defaults hold only in memory.
TEST_F(SettingsFileTest, UnreadableUserFileIsNotReplacedByTheDefaults) {
  fs::create_directory(UserFile());
  programDir_.Write("TabroUserSetting.ini/keep", "x");
  theApp.m_SaveDirectoryIdx = 0;
  theApp.LoadUserSettings();
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, 2);
  EXPECT_EQ(theApp.m_SaveDirectory, CString(Home() + "/Desktop"));
  EXPECT_TRUE(fs::is_directory(UserFile()));
  EXPECT_EQ(testsupport::TempDir::Read(UserFile() / "keep"), "x");
  ASSERT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_NE(hooks_.Messages()[0].Find(u"読み込めませんでした"), -1);
}

// Something unreadable in a settings file's place never blocks the start: it is
// reported by name and kept, and the defaults hold.
TEST_F(SettingsFileTest, FifoOrBinaryFileInASettingsFilesPlaceIsReportedAndKept) {
  struct Row {
    const char* name;
    const char* file;
    bool fifo;
  };
  const Row rows[] = {
      {"user settings FIFO", "TabroUserSetting.ini", true},
      {"user settings binary", "TabroUserSetting.ini", false},
      {"watch settings FIFO", "TabroConnectInf.txt", true},
      {"watch settings binary", "TabroConnectInf.txt", false},
  };
  const std::string binary("CommandReUse=1\r\nWatchingMode=1\r\n\0\x01", 34);
  for (const Row& r : rows) {
    SetUp();
    const size_t seen = hooks_.Messages().size();
    const fs::path path = programDir_.path() / r.file;
    fs::remove(path);
    if (r.fifo) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << r.name;
    } else {
      programDir_.Write(r.file, binary);
    }
    theApp.LoadWatchSettings();
    theApp.LoadUserSettings();
    EXPECT_EQ(theApp.m_CommandReUse, 0) << r.name;
    EXPECT_EQ(theApp.m_WatchingMode, 0) << r.name;
    if (r.fifo) {
      EXPECT_TRUE(fs::is_fifo(path)) << r.name;
    } else {
      EXPECT_EQ(testsupport::TempDir::Read(path), binary) << r.name;
    }
    ASSERT_EQ(hooks_.Messages().size(), seen + 1) << r.name;
    EXPECT_NE(hooks_.Messages()[seen].Find(CString(path.string())), -1) << r.name;
    fs::remove(path);
    fs::remove(programDir_.path() / "TabroUserSetting.ini");
  }
}

TEST_F(SettingsFileTest, EmptyUserFileGetsTheDefaults) {
  programDir_.Write("TabroUserSetting.ini", "");
  theApp.LoadUserSettings();
  EXPECT_EQ(testsupport::TempDir::Read(UserFile()).rfind("SyokikidoGamen=0\r\nSaveDirectoryidx=2\r\n", 0),
            0u);
  EXPECT_TRUE(hooks_.Messages().empty());
}

// A file written by hand may store no output folder: documents then go to the
// Desktop, never to whatever folder the program was started in.
TEST_F(SettingsFileTest, WithoutAStoredFolderDocumentsGoToTheDesktop) {
  programDir_.Write("TabroUserSetting.ini", "CommandReUse=1\r\n");
  theApp.LoadUserSettings();
  EXPECT_EQ(AppOperationHost().SaveDirectory(), CString(Home() + "/Desktop"));
  theApp.m_SaveDirectory = CString(u"/data/帳票");
  EXPECT_EQ(AppOperationHost().SaveDirectory(), CString(u"/data/帳票"));
}

TEST_F(SettingsFileTest, FailedWriteIsReported) {
  theApp.m_ProgramFolder = FromFsPath(programDir_.path() / "missing");
  EXPECT_FALSE(theApp.SaveUserSettings());
  EXPECT_FALSE(theApp.SaveWatchSettings());
  EXPECT_EQ(hooks_.Boxes().size(), 2u);
}

struct FolderTextCase {
  const char* name;
  const char16_t* folder;
  bool accepted;
};

const FolderTextCase kFolderTextCases[] = {
    {"Ascii", u"/home/user/out", true},
    {"Japanese", u"/home/user/デスクトップ/帳票", true},
    {"HalfWidthKana", u"/home/ｶﾅ", true},
    {"AccentedLatin", u"/home/caf\u00e9", true},
    {"Emoji", u"/home/\U0001F600", true},
    {"Hangul", u"/home/\uD55C", true},
    {"LoneSurrogate", u"/home/\xD800x", false},
    {"LineBreak", u"/home/a\nCommandReUse=1", false},
    {"TrailingBlankWouldBeCut", u"/home/out ", false},
    {"TrailingFullWidthBlankWouldBeCut", u"/home/out\u3000", false},
    {"InnerBlankIsKept", u"/home/my out", true},
};

class FolderTextCases : public ::testing::TestWithParam<FolderTextCase> {};

TEST_P(FolderTextCases, ChosenFolderMustFitTheSettingsFile) {
  RecordingUiHooks hooks;
  EXPECT_EQ(CheckSettingsFolderText(CString(GetParam().folder)), GetParam().accepted);
  EXPECT_EQ(hooks.Boxes().size(), GetParam().accepted ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, FolderTextCases, ::testing::ValuesIn(kFolderTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
