#include "app/app_reset.h"
#include "app/app_startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/auto_proxy.h"
#include "app/single_instance.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/text_width.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Runs the application object's start-up and exit in a temporary program folder,
// with its own lock folder, recording what a user would see.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = StartupInputs();
    apptest::ResetTheApp();
    StartupSettings& in = StartupInputs();
    in = StartupSettings{};
    in.executablePath = programDir_.path() / "bin" / "TabroConnect";
    fs::create_directories(in.executablePath.parent_path());
    in.lockFolder = lockDir_.path();
    in.currentFolder = dataDir_.path();
    in.runMainDialog = [this](CTabroClientDlg& dlg) {
      dialogRuns_++;
      dialogPath_ = dlg.m_InputPath;
      csvPath_ = theApp.m_CsvPath;
      mainDlgWhileRunning_ = g_pMainDlg;
      dialog_ = &dlg;
      if (whileRunning_) whileRunning_(dlg);
    };
  }
  void TearDown() override {
    ReleaseSingleInstanceLock(theApp.m_hSingleInstanceMutex);
    StartupInputs() = saved_;
    apptest::ResetTheApp();
  }

  // Replaces "{dir}" in an argument by the temporary data folder.
  std::string Arg(std::string text) const {
    const std::string key = "{dir}";
    for (size_t at; (at = text.find(key)) != std::string::npos;) {
      text.replace(at, key.size(), dataDir_.path().string());
    }
    return text;
  }

  bool Start(const std::vector<std::string>& args) {
    for (const std::string& a : args) StartupInputs().arguments.push_back(Arg(a));
    return theApp.InitInstance();
  }

  fs::path BinDir() const { return programDir_.path() / "bin"; }

  StartupSettings saved_;
  testsupport::TempDir programDir_;
  testsupport::TempDir lockDir_;
  testsupport::TempDir dataDir_;
  RecordingUiHooks hooks_;
  int dialogRuns_ = 0;
  CString dialogPath_;
  CString csvPath_;
  CTabroClientDlg* mainDlgWhileRunning_ = nullptr;
  CTabroClientDlg* dialog_ = nullptr;
  std::function<void(CTabroClientDlg&)> whileRunning_;
};

struct StartCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<const char*> files;  // made in {dir} before the start
  const char16_t* message;         // the one box shown, or null for none
  const char* inputPath;           // the dialog's input path when it runs, else null
  int noReusePrompt;
};

const StartCase kStartCases[] = {
    {"NoArguments", {}, {}, nullptr, "", 0},
    {"OneExistingCsv", {"{dir}/a.csv"}, {"a.csv"}, nullptr, "{dir}/a.csv", 0},
    {"UpperCaseTsv", {"{dir}/a.TSV"}, {"a.TSV"}, nullptr, "{dir}/a.TSV", 0},
    {"PathWithBlankIsTakenWhole", {"{dir}/my data/a b.csv"}, {"my data/a b.csv"}, nullptr,
     "{dir}/my data/a b.csv", 0},
    // The shell split an unquoted path at its blank: each half names a file.
    {"UnquotedBlankMakesTwoPaths", {"{dir}/my", "data.csv"}, {"my data.csv"},
     u"同時に2つ以上のCSVファイルは処理できません。処理を中止しました。", nullptr, 0},
    {"TwoPaths", {"{dir}/a.csv", "{dir}/b.csv"}, {"a.csv", "b.csv"},
     u"同時に2つ以上のCSVファイルは処理できません。処理を中止しました。", nullptr, 0},
    {"TwoPathsOneMissing", {"{dir}/a.csv", "{dir}/none.txt"}, {"a.csv"},
     u"同時に2つ以上のCSVファイルは処理できません。処理を中止しました。", nullptr, 0},
    {"NotACsvName", {"{dir}/a.txt"}, {"a.txt"}, u"CSVファイルではありません。処理を中止しました。",
     nullptr, 0},
    {"BackupOfCsvIsRefusedNotCut", {"{dir}/a.CSV.bak"}, {"a.CSV.bak", "a.CSV"},
     u"CSVファイルではありません。処理を中止しました。", nullptr, 0},
    {"ExtensionCaseMatters", {"{dir}/a.Csv"}, {"a.Csv"},
     u"CSVファイルではありません。処理を中止しました。", nullptr, 0},
    {"MissingCsv", {"{dir}/none.csv"}, {}, u"CSVファイルにアクセスできません。処理を中止しました。",
     nullptr, 0},
    {"FolderNamedLikeCsv", {"{dir}/sub.csv"}, {"sub.csv/x"},
     u"CSVファイルにアクセスできません。処理を中止しました。", nullptr, 0},
    {"LpexCommand", {"{dir}/a.csv", "CMD(LPEX)"}, {"a.csv"}, nullptr, "{dir}/a.csv", 1},
    {"LowerCaseFgxWithoutFile", {"cmd(fgx)"}, {}, nullptr, "", 1},
    {"UnclosedLpex", {"CMD(LPEX"}, {}, nullptr, "", 0},
    // A name typed in a terminal names a file of the current folder.
    {"RelativeNameIsInTheCurrentFolder", {"a.csv"}, {"a.csv"}, nullptr, "{dir}/a.csv", 0},
    {"RelativeSubfolderPath", {"sub/b.tsv"}, {"sub/b.tsv"}, nullptr, "{dir}/sub/b.tsv", 0},
    {"RelativeMissingCsv", {"none.csv"}, {}, u"CSVファイルにアクセスできません。処理を中止しました。", nullptr, 0},
    {"RelativeNotACsvName", {"a.txt"}, {"a.txt"}, u"CSVファイルではありません。処理を中止しました。", nullptr, 0},
    {"RegisterSwitchEndsAtOnce", {"-RegServer"}, {}, nullptr, nullptr, 0},
    {"UnregisterSwitchEndsAtOnce", {"/Unregserver"}, {}, nullptr, nullptr, 0},
    {"AutomationSwitchIsNoPath", {"/Automation", "{dir}/a.csv"}, {"a.csv"}, nullptr,
     "{dir}/a.csv", 0},
};

class StartCases : public StartupTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartCases, ScansTheCommandLineAndRefusesWithTheMessages) {
  const StartCase& c = GetParam();
  for (const char* f : c.files) dataDir_.Write(f, "a,b\r\n");
  EXPECT_FALSE(Start(c.args));  // the framework never runs its own loop
  const auto boxes = hooks_.Boxes();
  if (c.message == nullptr) {
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
  } else {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CString(c.message));
    EXPECT_EQ(boxes[0].caption, CString(u"タブロコネクト"));
  }
  if (c.inputPath == nullptr) {
    EXPECT_EQ(dialogRuns_, 0);
  } else {
    EXPECT_EQ(dialogRuns_, 1);
    EXPECT_EQ(dialogPath_, CString(Arg(c.inputPath)));
    // The join editor names the input and opens it from "CSVﾌｧｲﾙ表示".
    EXPECT_EQ(csvPath_, dialogPath_);
    EXPECT_EQ(theApp.m_InputKind, dialogPath_.IsEmpty() ? INPUT_NONE : INPUT_COMMAND_LINE);
  }
  EXPECT_EQ(theApp.m_NoReusePrompt, c.noReusePrompt);
  EXPECT_EQ(g_pMainDlg, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, StartCases, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, SetsFoldersVersionAndTheMainDialogPointer) {
  Start({});
  EXPECT_EQ(theApp.m_ProgramFolder, FromFsPath(BinDir()));
  EXPECT_EQ(theApp.m_TestModeOutTemp, FromFsPath(BinDir() / "TestModeOutTemp"));
  EXPECT_TRUE(fs::is_directory(BinDir() / "TestModeOutTemp"));
  EXPECT_FALSE(theApp.m_VersionText.IsEmpty());
  EXPECT_EQ(mainDlgWhileRunning_, dialog_);
  EXPECT_EQ(theApp.m_WatchingMode, 0);
}

TEST(StartupStatics, TheDefaultMacroNames) {
  EXPECT_EQ(g_DefaultMacroNames[0], CString(u"マクロ１"));
  EXPECT_EQ(g_DefaultMacroNames[1], CString(u"マクロ２"));
  EXPECT_EQ(g_DefaultMacroNames[2], CString(u"マクロ３"));
}

TEST_F(StartupTest, StartWithoutFileIsRefusedWhileAnotherInstanceRuns) {
  int other = AcquireSingleInstanceLock(kSingleInstanceName, lockDir_.path());
  ASSERT_GE(other, 0);
  Start({});
  EXPECT_EQ(dialogRuns_, 0);
  ASSERT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_EQ(hooks_.Messages()[0], CString(u"同時起動はできません。"));
  EXPECT_EQ(theApp.m_hSingleInstanceMutex, -1);
  ReleaseSingleInstanceLock(other);
}

TEST_F(StartupTest, StartWithFileMayRunBesideAnotherInstance) {
  int other = AcquireSingleInstanceLock(kSingleInstanceName, lockDir_.path());
  ASSERT_GE(other, 0);
  dataDir_.Write("a.csv", "x\r\n");
  Start({"{dir}/a.csv"});
  EXPECT_EQ(dialogRuns_, 1);
  EXPECT_TRUE(hooks_.Messages().empty());
  EXPECT_EQ(theApp.m_hSingleInstanceMutex, -1);  // a file start never takes the lock
  ReleaseSingleInstanceLock(other);
}

TEST_F(StartupTest, LockIsHeldWhileRunningAndReleasedAtExit) {
  whileRunning_ = [this](CTabroClientDlg&) {
    int probe = AcquireSingleInstanceLock(kSingleInstanceName, lockDir_.path());
    EXPECT_EQ(probe, -1);
    ReleaseSingleInstanceLock(probe);
  };
  Start({});
  EXPECT_GE(theApp.m_hSingleInstanceMutex, 0);
  theApp.ExitInstance();
  EXPECT_EQ(theApp.m_hSingleInstanceMutex, -1);
  int again = AcquireSingleInstanceLock(kSingleInstanceName, lockDir_.path());
  EXPECT_GE(again, 0);
  ReleaseSingleInstanceLock(again);
}

TEST_F(StartupTest, AutomationSwitchStartsTheServer) {
  int registered = 0;
  StartupInputs().registerAutomation = [&] { ++registered; };
  Start({"-Embedding"});
  EXPECT_EQ(registered, 1);
  EXPECT_EQ(dialogRuns_, 1);
}

TEST_F(StartupTest, ExitDeletesOnlyTheTestFilesThisInstanceCreated) {
  const fs::path out = BinDir() / "TestModeOutTemp";
  whileRunning_ = [&](CTabroClientDlg&) {
    std::ofstream(out / "mine.pdf") << "x";
    std::ofstream(out / "other-instance.pdf") << "y";
    fs::create_directories(out / "keep");
    std::ofstream(out / "keep" / "inner.pdf") << "z";
    RememberTestModeOutFile(FromFsPath(out / "mine.pdf"));
    RememberTestModeOutFile(FromFsPath(out / "keep" / "inner.pdf"));  // not directly inside
  };
  Start({});
  theApp.ExitInstance();
  EXPECT_FALSE(fs::exists(out / "mine.pdf"));
  EXPECT_TRUE(fs::exists(out / "other-instance.pdf"));
  EXPECT_TRUE(fs::exists(out / "keep" / "inner.pdf"));
  EXPECT_TRUE(fs::is_directory(out / "keep"));
}

TEST_F(StartupTest, AutomationClientAttachesToTheRunningDialogOnly) {
  CTabroClientDlgAutoProxy* proxy = nullptr;
  whileRunning_ = [&](CTabroClientDlg& dlg) {
    proxy = CTabroClientDlgAutoProxy::CreateObject();
    EXPECT_EQ(proxy->m_pDialog, &dlg);
    EXPECT_EQ(dlg.m_pAutoProxy, proxy);
  };
  Start({});
  ASSERT_NE(proxy, nullptr);
  // The dialog is gone; the client's proxy outlives it without touching it.
  EXPECT_EQ(proxy->m_pDialog, nullptr);
  delete proxy;
  EXPECT_EQ(CTabroClientDlgAutoProxy::LockCount(), 0);
}

TEST(AutoProxy, SecondClientKeepsTheDialogHeldWhenTheFirstGoes) {
  CTabroClientDlg dlg;
  const CMainDlgScope mainDialog(dlg);
  auto* first = CTabroClientDlgAutoProxy::CreateObject();
  auto* second = CTabroClientDlgAutoProxy::CreateObject();
  EXPECT_EQ(CTabroClientDlgAutoProxy::LockCount(), 2);
  delete second;
  EXPECT_EQ(dlg.m_pAutoProxy, first);
  delete first;
  EXPECT_EQ(dlg.m_pAutoProxy, nullptr);
  EXPECT_EQ(CTabroClientDlgAutoProxy::LockCount(), 0);
}

struct SwitchCase {
  const char* name;
  std::vector<std::string> args;
  FrameworkSwitch kind;
  size_t left;
};

const SwitchCase kSwitchCases[] = {
    {"None", {"/d/a.csv"}, FrameworkSwitch::None, 1},
    {"DashEmbedding", {"-Embedding", "/d/a.csv"}, FrameworkSwitch::Automation, 1},
    {"SlashAutomationAnyCase", {"/AUTOMATION"}, FrameworkSwitch::Automation, 0},
    {"RegServer", {"/RegServer"}, FrameworkSwitch::RegServer, 0},
    {"Unregister", {"-unregister"}, FrameworkSwitch::UnregServer, 0},
    {"PathNamedLikeASwitchFolder", {"/Automation/a.csv"}, FrameworkSwitch::None, 1},
};

class SwitchCases : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchCases, TakesTheFrameworkSwitchesOff) {
  std::vector<std::string> args = GetParam().args;
  EXPECT_EQ(TakeFrameworkSwitches(args), GetParam().kind);
  EXPECT_EQ(args.size(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Table, SwitchCases, ::testing::ValuesIn(kSwitchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SingleInstanceLock, DefaultFolderIsTheRuntimeFolderElseTmp) {
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  testsupport::TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  EXPECT_EQ(DefaultLockFolder(), runtime.path());
  // A runtime folder that is not there (inherited from another user) is not used.
  setenv("XDG_RUNTIME_DIR", (runtime.path() / "gone").c_str(), 1);
  EXPECT_EQ(DefaultLockFolder(), fs::path("/tmp"));
  setenv("XDG_RUNTIME_DIR", "", 1);
  EXPECT_EQ(DefaultLockFolder(), fs::path("/tmp"));
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultLockFolder(), fs::path("/tmp"));
  if (saved) setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
}

struct LockPathCase {
  const char* name;
  const char* folder;      // given to the lock; "" for the default
  const char* runtimeDir;  // XDG_RUNTIME_DIR, null: unset; "{runtime}" is a folder that is there
  std::string expected;    // "{runtime}" as above
};

const std::string kSharedTmpLock = "/tmp/csvTabroConnect-" + std::to_string(::getuid()) + ".lock";

const LockPathCase kLockPathCases[] = {
    {"GivenFolder", "/x", "{runtime}", "/x/csvTabroConnect.lock"},
    {"RuntimeFolder", "", "{runtime}", "{runtime}/csvTabroConnect.lock"},
    // Another user's lock file in the shared folder must not refuse this user's start.
    {"SharedTmpCarriesTheUserId", "", nullptr, kSharedTmpLock},
    {"RuntimeFolderNotThere", "", "{runtime}/gone", kSharedTmpLock},
};

class LockPathCases : public ::testing::TestWithParam<LockPathCase> {};

TEST_P(LockPathCases, NamesTheLockFileAfterTheMutex) {
  const LockPathCase& c = GetParam();
  testsupport::TempDir runtime;
  auto expand = [&](std::string text) {
    if (const size_t at = text.find("{runtime}"); at != std::string::npos) {
      text.replace(at, 9, runtime.path().string());
    }
    return text;
  };
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  if (c.runtimeDir != nullptr) setenv("XDG_RUNTIME_DIR", expand(c.runtimeDir).c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstanceLockPath(kSingleInstanceName, c.folder), fs::path(expand(c.expected)));
  if (saved) setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
}

INSTANTIATE_TEST_SUITE_P(Table, LockPathCases, ::testing::ValuesIn(kLockPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SingleInstanceLock, LinkPlantedAsTheLockFileIsNotFollowed) {
  testsupport::TempDir dir;
  dir.Write("target", "keep");
  fs::create_symlink(dir.path() / "target", dir.path() / "csvTabroConnect.lock");
  int fd = AcquireSingleInstanceLock(kSingleInstanceName, dir.path());
  EXPECT_EQ(fd, -1);
  ReleaseSingleInstanceLock(fd);
  EXPECT_EQ(testsupport::TempDir::Read(dir.path() / "target"), "keep");
}

}  // namespace

namespace {

struct CanExitCase {
  const char* name;
  bool proxy;
  int16_t inputKind;
  int watchingMode;
  bool canExit;
  size_t noticesAfterTwoAsks;
};

const CanExitCase kCanExitCases[] = {
    {"AutomationClientKeepsTheDialog", true, INPUT_NONE, 0, false, 0},
    {"AutomationClientWinsOverWatching", true, INPUT_NONE, 1, false, 0},
    {"WatchingOff", false, INPUT_NONE, 0, true, 0},
    {"CommandLineInputWithWatching", false, INPUT_COMMAND_LINE, 1, true, 0},
    {"WatchingOnSaysSoOnce", false, INPUT_DROPPED, 1, true, 1},
};

class CanExitCases : public ::testing::TestWithParam<CanExitCase> {};

TEST_P(CanExitCases, ConsultsTheProxyAndTheWatch) {
  const CanExitCase& c = GetParam();
  RecordingUiHooks hooks;
  CTabroClientDlg dlg;
  const CMainDlgScope mainDialog(dlg);
  std::unique_ptr<CTabroClientDlgAutoProxy> proxy;
  if (c.proxy) proxy.reset(CTabroClientDlgAutoProxy::CreateObject());
  theApp.m_InputKind = c.inputKind;
  theApp.m_WatchingMode = c.watchingMode;
  EXPECT_EQ(dlg.CanExit(), c.canExit);
  EXPECT_EQ(dlg.CanExit(), c.canExit);
  ASSERT_EQ(hooks.Messages().size(), c.noticesAfterTwoAsks);
  if (c.noticesAfterTwoAsks) {
    EXPECT_EQ(hooks.Messages()[0], CString(u"監視機能が起動中です。監視機能は終了します。"));
  }
  proxy.reset();
  EXPECT_TRUE(dlg.CanExit());  // the client went: the dialog may close
  theApp.m_InputKind = INPUT_NONE;
  theApp.m_WatchingMode = 0;
}

INSTANTIATE_TEST_SUITE_P(Table, CanExitCases, ::testing::ValuesIn(kCanExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
