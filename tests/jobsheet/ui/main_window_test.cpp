// The main window driven as a user would, with the stand-in document service
// behind the web client: a dropped file becomes a saved document, the watch
// folder does the same unattended, and the window guards its own closing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/app_startup.h"
#include "app/tabro_client_dlg.h"
#include "app/ui/main_dlg_window.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/main_dlg.h"
#include "res/user_setting_dlg.h"
#include "support/temp_dir.h"
#include "tools/standin/standin_server.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kSheet = 0;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    fs::create_directories(out());
    fs::create_directories(watch());
    theApp.m_ProgramFolder = FromFsPath(dir.path());
    theApp.m_TestModeOutTemp = FromFsPath(dir.path() / "TestModeOutTemp");
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_NoReusePrompt = 0;
    dir.Write("TabroDeployment.ini", "ServerBaseUrl=" + server.BaseUrl() +
                                         "\r\nUserId=user\r\nPassword=pass\r\nAccessKey=KEY\r\n");
    dir.Write("TabroSystem.ini", "OperationMode=0\r\nProxyType=1\r\nTimeout=60\r\n");
    UserSettings("");
    WatchSettings(0);
  }
  void TearDown() override {
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_WatchingMode = 0;
    theApp.m_Operation.m_ShowMessages = 0;
    theApp.ClearReuseCommands();
  }
  void UserSettings(const std::string& defaultCommand) {
    dir.Write("TabroUserSetting.ini", "SyokikidoGamen=0\r\nSaveDirectoryidx=0\r\nSaveDirectory=" +
                                          out().string() +
                                          "\r\nServerConnectMode=0\r\nCommandReUse=0\r\n"
                                          "SameFileNameOverWrite=0\r\nShiftStartExcelListType=1\r\n"
                                          "DefaultCommand=" + defaultCommand + "\r\n");
  }
  void WatchSettings(int on) {
    dir.Write("TabroConnectInf.txt",
              "WatchingMode=" + std::to_string(on) + "\r\nWatching01=" + watch().string() + "\r\n");
  }
  fs::path out() const { return dir.path() / "out"; }
  fs::path watch() const { return dir.path() / "watch"; }
  std::vector<std::string> Documents() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(out())) names.push_back(e.path().filename().string());
    return names;
  }
  std::string UploadName() const {
    std::string name;
    for (const standin::Request& r : server.Requests()) {
      if (r.Path() == standin::kDocumentPath) name = r.Field("csvname");
    }
    return name;
  }
  // Runs the main window with script; the window closes at the end.
  void RunWindow(std::function<void(CDialog&)> script) {
    modal.Queue(res::IDD_TABROCLIENT_DIALOG, std::move(script));
    CTabroClientDlgWnd::RunMainDialog(dlg, nullptr);
  }

  testsupport::TempDir dir;
  standin::Server server;
  RecordingUiHooks hooks;
  ScriptedModalDriver modal;
  CTabroClientDlg dlg;
};

TEST_F(MainWindowTest, ADroppedFileBecomesASavedDocumentThroughTheSheet) {
  const fs::path input = dir.Write("売上(#TypeL).csv", "品名,数量\r\nりんご,3\r\nみかん,5\r\n");
  RunWindow([&](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, res::IDC_MAIN_DROP_ZONE), CString(u"ここへCSVファイルをドロップ"));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_MAIN_LAUNCH));
    modal.Queue(kSheet, [&](CDialog& sheet) {
      EXPECT_EQ(sheet.GetWindowText(), FromFsPath(input));
      ui::Click(sheet, IDC_SHEET_EXECUTE);
    });
    ASSERT_TRUE(ui::DropFiles(d, {FromFsPath(input)}));
    EXPECT_EQ(ui::TextOf(d, res::IDC_MAIN_DROP_ZONE), CString(u"ここへCSVファイルをドロップ"));
    // A new-file run stays loaded: "起動" runs it again.
    EXPECT_TRUE(ui::IsShown(d, res::IDC_MAIN_LAUNCH));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(UploadName(), "売上(#TypeL).csv");
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(fs::path(Documents()[0]).extension(), ".pdf");
  EXPECT_TRUE(fs::exists(input));  // kept: the delete option was off
}

TEST_F(MainWindowTest, ACommandLineFileGoesThroughTheSheetAndTheProgramEnds) {
  const fs::path input = dir.Write("請求(#TypeL).csv", "品名,金額\r\nりんご,300\r\n");
  StartupSettings& in = StartupInputs();
  const StartupSettings saved = in;
  in.arguments = {input.string()};
  in.executablePath = dir.path() / "TabroConnect";
  in.lockFolder = dir.path();
  in.runMainDialog = [](CTabroClientDlg& main) { CTabroClientDlgWnd::RunMainDialog(main, nullptr); };
  modal.Queue(res::IDD_TABROCLIENT_DIALOG, [&](CDialog& d) {
    modal.Queue(kSheet, [](CDialog& sheet) { ui::Click(sheet, IDC_SHEET_EXECUTE); });
    ASSERT_TRUE(ui::FireTimer(d, res::IDT_COMMAND_LINE_START));
    EXPECT_TRUE(static_cast<CDialog&>(d).HasEnded());  // the program ends after its file
  });
  theApp.InitInstance();
  in = saved;
  EXPECT_EQ(UploadName(), "請求(#TypeL).csv");
  EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(MainWindowTest, TheUserSettingsKeepTheWatchFolderAsTypedAndScanItExpanded) {
  setenv("TABRO_TEST_ROOT", dir.path().c_str(), 1);
  RunWindow([&](CDialog& d) {
    modal.QueueMenuCommand(res::ID_MENU_USER_SETTINGS);
    modal.Queue(res::IDD_USER_SETTING, [](CDialog& u) {
      ui::Click(u, res::IDC_US_WATCH_ON);
      ui::Type(u, res::IDC_US_WATCH_FOLDER, u"%TABRO_TEST_ROOT%/watch");
      ui::Click(u, IDOK);
    });
    ui::Click(d, res::IDC_MAIN_SETTINGS_MENU);
    modal.QueueBox(IDOK, u"監視機能が起動中です。監視機能は終了します。");
    ui::Click(d, IDOK);
  });
  unsetenv("TABRO_TEST_ROOT");
  EXPECT_EQ(theApp.m_WatchingMode, 1);
  EXPECT_EQ(theApp.m_WatchFolderRaw, CString(u"%TABRO_TEST_ROOT%/watch"));
  EXPECT_EQ(theApp.m_WatchFolder, FromFsPath(watch()));
  const std::string file = testsupport::TempDir::Read(dir.path() / "TabroConnectInf.txt");
  EXPECT_NE(file.find("Watching01=%TABRO_TEST_ROOT%/watch"), std::string::npos);
}

TEST_F(MainWindowTest, RefusedAndIgnoredDropsStartNothing) {
  RunWindow([&](CDialog& d) {
    modal.QueueBox(IDOK, u"同時に2つ以上のCSVファイルは処理できません。処理を中止しました。");
    ASSERT_TRUE(ui::DropFiles(d, {CString(u"C:\\a.csvC:\\b.csv")}));
    ASSERT_TRUE(ui::DropFiles(d, {FromFsPath(dir.Write("memo.txt", "x"))}));
    EXPECT_EQ(ui::TextOf(d, res::IDC_MAIN_DROP_ZONE), CString(u"ここへCSVファイルをドロップ"));
    // Enter and Esc do not close the window.
    ui::PressKey(d, 0, VK_RETURN);
    ui::PressKey(d, 0, VK_ESCAPE);
    EXPECT_TRUE(d.IsWindowVisible());
    ui::Click(d, IDOK);
  });
  for (const standin::Request& r : server.Requests()) EXPECT_NE(r.Path(), standin::kDocumentPath);
}

// A save killed part-way leaves its temporary file beside the job list or a
// settings file; the next start clears it, and nothing else.
TEST_F(MainWindowTest, TheStartClearsWhatKilledJobSavesLeft) {
  const fs::path left[] = {dir.Write(WriterTempName("ReuseCommandFile.txt", 123456), "half"),
                           dir.Write("DataEditTool/" + WriterTempName("sales.txt", 42), "half")};
  const fs::path kept = dir.Write("DataEditTool/sales.txt", "@Header\n");
  for (const fs::path& file : left) fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
  RunWindow([&](CDialog& d) { ui::Click(d, IDOK); });
  for (const fs::path& file : left) EXPECT_FALSE(fs::exists(file)) << file;
  EXPECT_TRUE(fs::exists(kept));
}

TEST_F(MainWindowTest, ShiftAtADropSendsAtOnceWithoutTheSheet) {
  const fs::path input = dir.Write("在庫.csv", "品名,数量\r\nりんご,3\r\n");
  RunWindow([&](CDialog& d) {
    hooks.SetKeyDown(UiKey::Shift, true);
    ASSERT_TRUE(ui::DropFiles(d, {FromFsPath(input)}));
    hooks.SetKeyDown(UiKey::Shift, false);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(UploadName(), "在庫(#TypeTX).csv");
  EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(MainWindowTest, AnAutomationClientKeepsTheWindowAliveWhenClosed) {
  RunWindow([&](CDialog& d) {
    dlg.m_pAutoProxy = reinterpret_cast<CTabroClientDlgAutoProxy*>(&dlg);
    ui::Click(d, IDOK);
    EXPECT_FALSE(d.IsWindowVisible());
    EXPECT_TRUE(d.IsModalRunning());
    dlg.m_pAutoProxy = nullptr;
  });
}

TEST_F(MainWindowTest, TheWatchFolderTurnsAFileIntoADocumentAndDeletesIt) {
  WatchSettings(1);
  fs::create_directories(watch() / "Sub");
  const fs::path input = watch() / "納品(#TypeL).csv";
  std::filesystem::copy_file(dir.Write("seed.csv", "品名,数量\r\nりんご,3\r\n"), input);
  RunWindow([&](CDialog& d) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::exists(input) && std::chrono::steady_clock::now() < deadline) {
      ui::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(fs::exists(input));
    modal.QueueBox(IDOK, u"監視機能が起動中です。監視機能は終了します。");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(UploadName(), "納品(#TypeL).csv");
  EXPECT_EQ(Documents().size(), 1u);
}

// A report generator renamed a new version over the watched file while the
// service was still answering for the previous one: the new version is not
// deleted unsent; it is sent in its turn, and deleted only then.
TEST_F(MainWindowTest, AWatchedFileRenamedOverWhileItIsSentIsSentInItsTurn) {
  WatchSettings(1);
  const fs::path input = watch() / "daily(#TypeL).csv";
  fs::copy_file(dir.Write("seed.csv", "item,qty\r\napple,3\r\n"), input);
  standin::Reply slow;
  slow.body = standin::MakeOnePagePdf("first");
  slow.headers = {{"Content-Type", "application/pdf"}, {"AttchFileName", "daily"}};
  slow.delayMs = 1500;
  server.Script(standin::kDocumentPath, slow);
  auto uploads = [&] {
    std::vector<std::string> data;
    for (const standin::Request& r : server.Requests())
      if (r.Path() == standin::kDocumentPath) data.push_back(r.Field("csvdata"));
    return data;
  };
  // The window's thread is busy with the job: the generator is another thread.
  std::thread generator([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (uploads().empty() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    fs::rename(dir.Write("next.part", "item,qty\r\nlemon,5\r\n"), input);
  });
  RunWindow([&](CDialog& d) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((uploads().size() < 2 || fs::exists(input)) && std::chrono::steady_clock::now() < deadline) {
      ui::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    modal.QueueBox(IDOK, u"監視機能が起動中です。監視機能は終了します。");
    ui::Click(d, IDOK);
  });
  generator.join();
  const std::vector<std::string> sent = uploads();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_NE(sent[0].find("apple"), std::string::npos);
  EXPECT_NE(sent[1].find("lemon"), std::string::npos);
  EXPECT_FALSE(fs::exists(input));
}

// Watched documents that no program opens: one notice that waits for nobody,
// and the next watched file goes out without anyone at the desk.
TEST_F(MainWindowTest, WatchedDocumentsWithoutAViewerNeverHoldTheWatchRoad) {
  WatchSettings(1);
  theApp.m_Operation.m_NoViewerNoticeShown = false;
  hooks.SetOpenDocumentResult(false);
  const fs::path inputs[] = {watch() / "a(#TypeL).csv", watch() / "b(#TypeL).csv"};
  for (const fs::path& input : inputs) fs::copy_file(dir.Write("seed.csv", "item,qty\r\napple,3\r\n"), input);
  RunWindow([&](CDialog& d) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((fs::exists(inputs[0]) || fs::exists(inputs[1])) && std::chrono::steady_clock::now() < deadline) {
      ui::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    modal.QueueBox(IDOK, u"監視機能が起動中です。監視機能は終了します。");
    ui::Click(d, IDOK);
  });
  EXPECT_FALSE(fs::exists(inputs[0]));
  EXPECT_FALSE(fs::exists(inputs[1]));
  int notices = 0;
  for (const auto& e : modal.Transcript()) {
    if (e.kind != ScriptedModalDriver::Entry::Kind::Box) continue;
    if (e.text.Find(u"開くプログラムが見つかりませんでした") < 0) continue;
    ++notices;
    EXPECT_TRUE(e.modeless);
  }
  EXPECT_EQ(notices, 1);
}

TEST_F(MainWindowTest, AWatchedFileWhoseDocumentFailedStaysInPlace) {
  WatchSettings(1);
  const fs::path input = watch() / "失敗(#TypeL).csv";
  std::filesystem::copy_file(dir.Write("seed.csv", "品名,数量\r\nりんご,3\r\n"), input);
  standin::Reply refused;
  refused.status = 500;
  server.Script(standin::kDocumentPath, refused);
  RunWindow([&](CDialog& d) {
    modal.QueueBox(IDOK, u"ドキュメントの作成に失敗しました");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (UploadName().empty() && std::chrono::steady_clock::now() < deadline) {
      ui::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Scans after the failure leave the unchanged file alone.
    for (int i = 0; i < 50; ++i) {
      ui::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    modal.QueueBox(IDOK, u"監視機能が起動中です。監視機能は終了します。");
    ui::Click(d, IDOK);
  });
  EXPECT_TRUE(fs::exists(input));
  int sends = 0;
  for (const standin::Request& r : server.Requests()) sends += r.Path() == standin::kDocumentPath;
  EXPECT_EQ(sends, 1);
}

}  // namespace
