// The automation server on a local socket: a connected client holds the main dialog.
#include "app/ui/automation_proxy.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>

#include "app/app_startup.h"
#include "app/auto_proxy.h"
#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"

namespace {

// Runs the event loop until done() holds or two seconds passed.
bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class AutomationServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::EnsureApplication();
    g_pMainDlg = &dlg_;
  }
  void TearDown() override { g_pMainDlg = nullptr; }

  CString SocketName() const { return FromFsPath(dir_.path() / "automation"); }

  testsupport::TempDir dir_;
  CTabroClientDlg dlg_;
};

TEST_F(AutomationServerTest, ConnectedClientHoldsTheDialogUntilItLeaves) {
  CAutomationServer server;
  ASSERT_TRUE(server.Listen(SocketName()));
  auto client = std::make_unique<QLocalSocket>();
  client->connectToServer(QString::fromStdString(SocketName().ToUtf8()));
  ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 1; }));
  EXPECT_NE(dlg_.m_pAutoProxy, nullptr);
  EXPECT_FALSE(dlg_.CanExit());

  client->disconnectFromServer();
  ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 0; }));
  EXPECT_EQ(dlg_.m_pAutoProxy, nullptr);
  EXPECT_EQ(CTabroClientDlgAutoProxy::LockCount(), 0);
  EXPECT_TRUE(dlg_.CanExit());
}

TEST_F(AutomationServerTest, TwoClientsHoldItUntilBothLeave) {
  CAutomationServer server;
  ASSERT_TRUE(server.Listen(SocketName()));
  QLocalSocket first;
  QLocalSocket second;
  first.connectToServer(QString::fromStdString(SocketName().ToUtf8()));
  second.connectToServer(QString::fromStdString(SocketName().ToUtf8()));
  ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 2; }));
  second.disconnectFromServer();
  ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 1; }));
  EXPECT_NE(dlg_.m_pAutoProxy, nullptr);
  first.disconnectFromServer();
  ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 0; }));
  EXPECT_EQ(dlg_.m_pAutoProxy, nullptr);
}

TEST_F(AutomationServerTest, ServerEndingReleasesItsClients) {
  QLocalSocket client;
  {
    CAutomationServer server;
    ASSERT_TRUE(server.Listen(SocketName()));
    client.connectToServer(QString::fromStdString(SocketName().ToUtf8()));
    ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 1; }));
  }
  EXPECT_EQ(dlg_.m_pAutoProxy, nullptr);
  EXPECT_EQ(CTabroClientDlgAutoProxy::LockCount(), 0);
}

// A main window that hides itself once a client holds it, as closing does then.
constexpr ControlTemplate kMainControls[] = {{CtlKind::PushButton, IDOK, u"終了", 5, 5, 40, 14}};
constexpr DialogTemplate kMainTemplate{9601, u"タブロコネクト", 60, 30, kMainControls};

struct LastClientCase {
  const char* name;
  bool hide;        // the window was closed (hidden) while the client held it
  bool ends;        // the client's leaving ends the main window
};

class LastClient : public AutomationServerTest, public ::testing::WithParamInterface<LastClientCase> {};

TEST_P(LastClient, EndsAHiddenMainWindowOnly) {
  const LastClientCase& c = GetParam();
  CAutomationServer server;
  ASSERT_TRUE(server.Listen(SocketName()));
  CDialogEx main(kMainTemplate);
  server.SetMainWindow(&main);
  QLocalSocket client;
  bool endedByLeaving = false;
  QTimer::singleShot(0, [&] {
    client.connectToServer(QString::fromStdString(SocketName().ToUtf8()));
    if (!PumpUntil([&] { return server.ClientCount() == 1; })) return main.EndDialog(-2);
    if (c.hide) main.ShowWindow(SW_HIDE);
    client.disconnectFromServer();
    PumpUntil([&] { return main.HasEnded(); });
    endedByLeaving = main.HasEnded();
    if (!main.HasEnded()) main.EndDialog(IDOK);
  });
  main.DoModal();
  EXPECT_EQ(endedByLeaving, c.ends);
}

INSTANTIATE_TEST_SUITE_P(Table, LastClient,
                         ::testing::Values(LastClientCase{"HiddenWindowEnds", true, true},
                                           LastClientCase{"ShownWindowStays", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AutomationServerTest, NameARunningServerAnswersOnIsRefused) {
  CAutomationServer first;
  ASSERT_TRUE(first.Listen(SocketName()));
  CAutomationServer second;
  EXPECT_FALSE(second.Listen(SocketName()));
  EXPECT_TRUE(first.IsListening());
}

TEST_F(AutomationServerTest, SocketLeftByAnEndedProgramIsReplaced) {
  // A bound socket whose owner went away without removing it.
  const std::string path = SocketName().ToUtf8();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(addr.sun_path));
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
  ::close(fd);

  CAutomationServer server;
  EXPECT_TRUE(server.Listen(SocketName()));
}

}  // namespace
