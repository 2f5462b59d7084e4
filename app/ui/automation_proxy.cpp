#include "app/ui/automation_proxy.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

#include <map>

#include "app/auto_proxy.h"
#include "platform/ui/dialog.h"

struct CAutomationServer::Impl {
  QLocalServer server;
  std::map<QLocalSocket*, std::unique_ptr<CTabroClientDlgAutoProxy>> clients;
  CDialog* mainWindow = nullptr;

  void Accept() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
      clients[socket].reset(CTabroClientDlgAutoProxy::CreateObject());
      QObject::connect(socket, &QLocalSocket::disconnected, &server, [this, socket] { Release(socket); });
      // Clients send nothing; whatever arrives is dropped.
      QObject::connect(socket, &QLocalSocket::readyRead, &server, [socket] { socket->readAll(); });
      if (socket->state() != QLocalSocket::ConnectedState) Release(socket);
    }
  }

  void Release(QLocalSocket* socket) {
    auto it = clients.find(socket);
    if (it == clients.end()) return;
    clients.erase(it);
    socket->deleteLater();
    if (CTabroClientDlgAutoProxy::LockCount() == 0 && mainWindow && mainWindow->IsModalRunning() &&
        !mainWindow->IsWindowVisible())
      mainWindow->EndDialog(IDCANCEL);
  }
};

CAutomationServer::CAutomationServer() : m_impl(std::make_unique<Impl>()) {
  QObject::connect(&m_impl->server, &QLocalServer::newConnection, &m_impl->server, [this] { m_impl->Accept(); });
}

CAutomationServer::~CAutomationServer() {
  m_impl->clients.clear();
  m_impl->server.close();
}

bool CAutomationServer::Listen(const CString& name) {
  const QString qname = QString::fromStdU16String(name.ToU16());
  // A live server answers on its name and keeps it; a socket file left by a
  // program that ended does not answer and is replaced.
  {
    QLocalSocket probe;
    probe.connectToServer(qname);
    if (probe.waitForConnected(500)) {
      probe.disconnectFromServer();
      return false;
    }
  }
  QLocalServer::removeServer(qname);
  m_impl->server.setSocketOptions(QLocalServer::UserAccessOption);
  return m_impl->server.listen(qname);
}

bool CAutomationServer::IsListening() const { return m_impl->server.isListening(); }

void CAutomationServer::SetMainWindow(CDialog* mainWindow) { m_impl->mainWindow = mainWindow; }

int CAutomationServer::ClientCount() const { return static_cast<int>(m_impl->clients.size()); }
