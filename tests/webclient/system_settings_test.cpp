#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/ui_hooks.h"
#include "support/temp_dir.h"
#include "tests/webclient/fake_operation_host.h"
#include "webclient/tabro_operation.h"

namespace {

struct LoadCase {
  const char* name;
  std::optional<std::string> onpremises;  // nullopt: no file
  std::optional<std::string> system;
  int mode;
  int proxy;
  int timeout;
  const char16_t* onpremisesServer;
  const char16_t* baseUrl;
  const char16_t* userId;
  int boxes = 0;  // message boxes shown
};

class SystemSettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SystemSettingsLoad, ReadsTheFilesInStartUpOrder) {
  const LoadCase& c = GetParam();
  testsupport::TempDir dir;
  RecordingUiHooks ui;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  if (c.onpremises) dir.Write("TabroSystemOnpremises.ini", *c.onpremises);
  if (c.system) dir.Write("TabroSystem.ini", *c.system);
  CTabroOperation op;
  op.SetHost(&host);
  op.m_Server.m_ServerBaseUrl = u"http://before";
  op.m_Server.m_UserId = u"before";
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  EXPECT_EQ(op.m_Server.m_OperationMode, c.mode);
  EXPECT_EQ(op.m_Server.m_ProxyType, c.proxy);
  EXPECT_EQ(op.m_Server.m_Timeout, c.timeout);
  if (c.onpremisesServer) {  // null: checked by its own test below
    EXPECT_EQ(op.m_Server.m_OnpremisesServer, c.onpremisesServer);
  }
  EXPECT_EQ(op.m_Server.m_ServerBaseUrl, c.baseUrl);
  EXPECT_EQ(op.m_Server.m_UserId, c.userId);
  EXPECT_EQ(op.m_Initialized, 1);
  EXPECT_EQ(ui.Boxes().size(), static_cast<size_t>(c.boxes));
}

const std::string kLongValue = std::string(982, 'x') + "Timeout=7";

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemSettingsLoad,
    ::testing::Values(
        LoadCase{"NoFilesGiveDefaults", std::nullopt, std::nullopt, 0, -1, 600, u"", u"http://before", u"before"},
        LoadCase{"MissingTimeoutLineLeavesZero", std::nullopt, "OperationMode=0\r\nProxyType=1\r\n", 0, 1, 0, u"",
                 u"http://before", u"before"},
        LoadCase{"ServerLineBeforeModeIsLost", std::nullopt,
                 "OnpremisesServer=http://a\r\nOperationMode=1\r\n", 1, 0, 0, u"", u"http://before", u"before"},
        LoadCase{"ServerLineAfterModeIsKept", std::nullopt,
                 "OperationMode=1\nOnpremisesServer=http://a  \n", 1, 0, 0, u"http://a", u"http://before",
                 u"before"},
        LoadCase{"ProxyIsCutTo16Bits", std::nullopt, "ProxyType=65535\r\n", 0, -1, 0, u"", u"http://before",
                 u"before"},
        LoadCase{"LaterLineWinsAndBlanksAreCut", std::nullopt, "Timeout=5\r\nTimeout= 30 \t\r\n", 0, 0, 30, u"",
                 u"http://before", u"before"},
        // Regression: a negative time-out read as "no time-out".
        LoadCase{"NegativeTimeoutReadsAsTheDefault", std::nullopt, "Timeout=-5\r\n", 0, 0, 600, u"",
                 u"http://before", u"before"},
        LoadCase{"KeysAreCaseSensitive", std::nullopt, "timeout=5\r\nTIMEOUT=6\r\n", 0, 0, 0, u"",
                 u"http://before", u"before"},
        LoadCase{"OnpremisesFileHoldsMode101", "OnpremisesServer=http://op:8080\r\nID=u1\r\nPW=p1\r\n",
                 "OperationMode=0\r\nProxyType=3\r\nTimeout=9\r\nOnpremisesServer=http://ignored\r\n", 101, 3, 9,
                 u"http://op:8080", u"http://op:8080", u"u1"},
        LoadCase{"OnpremisesFileEmptiesUser", "", std::nullopt, 101, -1, 600, u"", u"http://before", u""},
        // Regression: a saved mode 101 outlived its on-premises file and left the
        // program without a server and without a way to change the mode.
        LoadCase{"Mode101WithoutOnpremisesFileReadsAsMode0", std::nullopt,
                 "OperationMode=101\r\nOperationMode=1\r\nTimeout=9\r\n", 0, 0, 9, u"", u"http://before",
                 u"before", 1},
        LoadCase{"LongLineIsReadInPieces", std::nullopt, "OperationMode=1\r\nOnpremisesServer=" + kLongValue + "\r\n",
                 1, 0, 7, nullptr, u"http://before", u"before"}),
    [](const auto& info) { return std::string(info.param.name); });

// What an installer's mistake or a stray program may leave in a settings
// file's place.
enum class Unreadable { kFolder, kFifo, kBinary };

struct UnreadableCase {
  const char* name;
  const char* file;
  Unreadable kind;
};

class UnreadableSystemFile : public ::testing::TestWithParam<UnreadableCase> {};

// Regression: a folder in the place of "TabroSystem.ini" or "TabroDeployment.ini"
// ended the program at start with an uncaught exception; a FIFO would have
// blocked it for good.
TEST_P(UnreadableSystemFile, StartsWithTheDefaultsAndNamesTheFile) {
  const UnreadableCase& c = GetParam();
  testsupport::TempDir dir;
  RecordingUiHooks ui;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  const std::filesystem::path path = dir / c.file;
  switch (c.kind) {
    case Unreadable::kFolder: std::filesystem::create_directory(path); break;
    case Unreadable::kFifo: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
    case Unreadable::kBinary: dir.Write(c.file, std::string("Timeout=7\r\n\0\x01\x02", 14)); break;
  }
  CTabroOperation op;
  op.SetHost(&host);
  op.m_Server.m_ServerBaseUrl = u"http://before";
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  EXPECT_EQ(op.m_Server.m_OperationMode, 0);
  EXPECT_EQ(op.m_Server.m_ProxyType, -1);
  EXPECT_EQ(op.m_Server.m_Timeout, 600);
  EXPECT_EQ(op.m_Server.m_ServerBaseUrl, u"http://before");
  EXPECT_EQ(op.m_Initialized, 1);
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.Find(CString(path.string())), -1);
  EXPECT_NE(ui.Boxes()[0].text.Find(u"読み込めませんでした"), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableSystemFile,
    ::testing::Values(UnreadableCase{"SystemFolder", "TabroSystem.ini", Unreadable::kFolder},
                      UnreadableCase{"SystemFifo", "TabroSystem.ini", Unreadable::kFifo},
                      UnreadableCase{"SystemBinary", "TabroSystem.ini", Unreadable::kBinary},
                      UnreadableCase{"DeploymentFolder", "TabroDeployment.ini", Unreadable::kFolder},
                      UnreadableCase{"DeploymentFifo", "TabroDeployment.ini", Unreadable::kFifo},
                      UnreadableCase{"OnpremisesFolder", "TabroSystemOnpremises.ini", Unreadable::kFolder},
                      UnreadableCase{"OnpremisesFifo", "TabroSystemOnpremises.ini", Unreadable::kFifo}),
    [](const auto& info) { return std::string(info.param.name); });

// Regression: a file saved by an editor that marks UTF-8 lost its first key.
TEST(SystemSettings, ByteOrderMarkIsSkipped) {
  testsupport::TempDir dir;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  dir.Write("TabroSystemOnpremises.ini", "\xEF\xBB\xBFOnpremisesServer=http://op\r\n");
  dir.Write("TabroSystem.ini", "\xEF\xBB\xBFProxyType=1\r\n");
  dir.Write("TabroDeployment.ini", "\xEF\xBB\xBF" "AltServerBaseUrl=http://alt\r\n");
  CTabroOperation op;
  op.SetHost(&host);
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  EXPECT_EQ(op.m_Server.m_OnpremisesServer, u"http://op");
  EXPECT_EQ(op.m_Server.m_ProxyType, 1);
  EXPECT_EQ(op.m_Server.m_AltServerBaseUrl, u"http://alt");
}

TEST(SystemSettings, LongValueIsCutAtTheLineLimit) {
  testsupport::TempDir dir;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  dir.Write("TabroSystem.ini", "OperationMode=1\r\nOnpremisesServer=" + kLongValue + "\r\n");
  CTabroOperation op;
  op.SetHost(&host);
  op.LoadSystemIni();
  EXPECT_EQ(op.m_Server.m_OnpremisesServer, CString(std::string(982, 'x')));
}

struct SaveCase {
  const char* name;
  int mode;
  int16_t proxy;
  const char* expected;
};

class SystemSettingsSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SystemSettingsSave, WritesTheLines) {
  const SaveCase& c = GetParam();
  testsupport::TempDir dir;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  CTabroOperation op;
  op.SetHost(&host);
  op.m_Server.m_OperationMode = c.mode;
  op.m_Server.m_ProxyType = c.proxy;
  op.m_Server.m_Timeout = 600;
  op.m_Server.m_OnpremisesServer = u"http://op";
  op.SaveSystemIni();
  EXPECT_EQ(testsupport::TempDir::Read(dir / "TabroSystem.ini"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemSettingsSave,
    ::testing::Values(
        SaveCase{"Mode0LosesTheServer", 0, -1, "OperationMode=0\r\nProxyType=-1\r\nTimeout=600\r\n"},
        SaveCase{"Mode1KeepsTheServer", 1, 4,
                 "OperationMode=1\r\nProxyType=4\r\nTimeout=600\r\nOnpremisesServer=http://op\r\n"},
        SaveCase{"Mode101", 101, 1, "OperationMode=101\r\nProxyType=1\r\nTimeout=600\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ServerCase {
  const char* name;
  std::u16string server;
  bool written;
};

class SystemSettingsServer : public ::testing::TestWithParam<ServerCase> {};

// Regressions: a server that could not be read back whole was written anyway (on
// the next start it came back cut, its tail read as a line of its own); later such
// a server kept the whole file from being written, so a changed mode, proxy and
// time-out were lost without a word.
TEST_P(SystemSettingsServer, IsWrittenOnlyWhenItReadsBackWhole) {
  const ServerCase& c = GetParam();
  testsupport::TempDir dir;
  RecordingUiHooks ui;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  dir.Write("TabroSystem.ini", "OperationMode=0\r\nProxyType=-1\r\nTimeout=600\r\n");
  CTabroOperation op;
  op.SetHost(&host);
  op.m_Server.m_OperationMode = 1;
  op.m_Server.m_ProxyType = 1;
  op.m_Server.m_Timeout = 5;
  op.m_Server.m_OnpremisesServer = CString(c.server);
  op.SaveSystemIni();
  CTabroOperation back;
  back.SetHost(&host);
  back.LoadSystemIni();
  EXPECT_EQ(back.m_Server.m_OperationMode, 1);
  EXPECT_EQ(back.m_Server.m_ProxyType, 1);
  EXPECT_EQ(back.m_Server.m_Timeout, 5);
  EXPECT_EQ(back.m_Server.m_OnpremisesServer, c.written ? CString(c.server) : CString());
  if (c.written) {
    EXPECT_TRUE(ui.Boxes().empty());
  } else {
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_NE(ui.Boxes()[0].text.Find(u"サーバーURLを保存できませんでした"), -1);
    EXPECT_EQ(ui.Boxes()[0].caption, CString(u"タブロコネクト"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemSettingsServer,
    ::testing::Values(ServerCase{"Longest", u"http://" + std::u16string(974, u'h'), true},
                      ServerCase{"OneCharacterTooLong", u"http://" + std::u16string(975, u'h'), false},
                      ServerCase{"LineBreak", u"http://a\r\nTimeout=1", false},
                      ServerCase{"Tab", u"http://a\tb", false},
                      ServerCase{"TrailingBlank", u"http://a ", false},
                      ServerCase{"NotInShiftJis", u"http://\U0001F600", false},
                      ServerCase{"ShiftJisWithinTheLine", u"http://サーバ", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemSettings, SaveIntoMissingFolderIsSilent) {
  testsupport::TempDir dir;
  FakeOperationHost host;
  host.programFolder = CString((dir.path() / "missing").string());
  CTabroOperation op;
  op.SetHost(&host);
  op.SaveSystemIni();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

TEST(SystemSettings, SavedFileReadsBack) {
  testsupport::TempDir dir;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  CTabroOperation a;
  a.SetHost(&host);
  a.m_Server.m_OperationMode = 1;
  a.m_Server.m_ProxyType = -1;
  a.m_Server.m_Timeout = 45;
  a.m_Server.m_OnpremisesServer = u"http://srv:81";
  a.SaveSystemIni();
  CTabroOperation b;
  b.SetHost(&host);
  b.LoadSystemIni();
  EXPECT_EQ(b.m_Server.m_OperationMode, 1);
  EXPECT_EQ(b.m_Server.m_ProxyType, -1);
  EXPECT_EQ(b.m_Server.m_Timeout, 45);
  EXPECT_EQ(b.m_Server.m_OnpremisesServer, u"http://srv:81");
}

TEST(DeploymentSettings, SupplyTheAccountUnlessTheOnpremisesFileDoes) {
  const std::string deployment =
      "ServerBaseUrl=http://cloud\r\nAltServerBaseUrl=http://alt\r\nUserId=cu\r\nPassword=cp\r\n"
      "AccessKey=AK\r\nClientIdentificationNumber=C-1\r\n";
  struct Row {
    bool onpremisesFile;
    const char16_t* base;
    const char16_t* user;
    const char16_t* password;
  };
  for (const Row row : {Row{false, u"http://cloud", u"cu", u"cp"}, Row{true, u"http://op", u"ou", u"op"}}) {
    testsupport::TempDir dir;
    FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
    dir.Write("TabroDeployment.ini", deployment);
    if (row.onpremisesFile) dir.Write("TabroSystemOnpremises.ini", "OnpremisesServer=http://op\r\nID=ou\r\nPW=op\r\n");
    CTabroOperation op;
    op.SetHost(&host);
    op.LoadOnpremisesIni();
    op.LoadSystemIni();
    EXPECT_EQ(op.m_Server.m_ServerBaseUrl, row.base);
    EXPECT_EQ(op.m_Server.m_UserId, row.user);
    EXPECT_EQ(op.m_Server.m_Password, row.password);
    EXPECT_EQ(op.m_Server.m_AltServerBaseUrl, u"http://alt");
    EXPECT_EQ(op.m_Server.m_AccessKey, u"AK");
    EXPECT_EQ(host.clientIdentificationNumber, u"C-1");
  }
}

struct MissingAddressCase {
  const char* name;
  std::optional<std::string> deployment;  // nullopt: no file
  std::optional<std::string> onpremises;
  std::optional<std::string> system;
  bool saysWhereTheAddressBelongs;
  const char16_t* partText;
};

class MissingAddress : public ::testing::TestWithParam<MissingAddressCase> {};

// A first start without the deployment file: the first request fails at the
// URL, and the message must not leave the user with a bare step number.
TEST_P(MissingAddress, TheFirstRequestSaysWhichFileSetsTheAddress) {
  const MissingAddressCase& c = GetParam();
  testsupport::TempDir dir;
  RecordingUiHooks ui;
  FakeOperationHost host;
  host.programFolder = CString(dir.path().string());
  if (c.deployment) dir.Write("TabroDeployment.ini", *c.deployment);
  if (c.onpremises) dir.Write("TabroSystemOnpremises.ini", *c.onpremises);
  if (c.system) dir.Write("TabroSystem.ini", *c.system);
  CTabroOperation op;
  op.SetHost(&host);
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  op.m_ShowMessages = 1;
  EXPECT_EQ(op.GetAccessToken(), u"");
  CString expected(c.partText);
  if (c.saysWhereTheAddressBelongs)
    expected += u"\n\nサービスのアドレスが設定されていません（設定ファイル「" +
                CString((dir.path() / "TabroDeployment.ini").string()) +
                u"」がありません）。アドレスはこのファイルのServerBaseUrlで設定します。";
  EXPECT_EQ(ui.Messages(), std::vector<CString>{expected});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingAddress,
    ::testing::Values(
        MissingAddressCase{"NoFilesAtAll", std::nullopt, std::nullopt, std::nullopt, true,
                           u"サービスに接続できません。(1-1)"},
        MissingAddressCase{"SystemFileWithoutDeployment", std::nullopt, std::nullopt,
                           "OperationMode=0\r\nProxyType=1\r\nTimeout=5\r\n", true,
                           u"サービスに接続できません。(1-1)"},
        MissingAddressCase{"DeploymentWithAnAddressThatRefuses", "ServerBaseUrl=http://127.0.0.1:1\r\n",
                           std::nullopt, "ProxyType=1\r\nTimeout=5\r\n", false,
                           u"サービスに接続できません。(1-5)"},
        MissingAddressCase{"OnpremisesFileGivesTheAddress", std::nullopt,
                           "OnpremisesServer=http://127.0.0.1:1\r\n", "ProxyType=1\r\nTimeout=5\r\n", false,
                           u"サービスに接続できません。(1-5)"},
        // Mode 1 takes its server from the system settings, not from the deployment.
        MissingAddressCase{"Mode1WithoutAServer", std::nullopt, std::nullopt, "OperationMode=1\r\n", false,
                           u"サービスに接続できません。(1-1)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
