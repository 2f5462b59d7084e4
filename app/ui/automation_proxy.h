#pragma once
// The automation server: a local socket named after the automation name
// ("TabroClient.Application"). Each connected client holds one
// CTabroClientDlgAutoProxy (app/auto_proxy.h), which keeps the main window
// alive; the client's disconnect releases it. A client sends nothing and
// receives nothing: the connection itself is the reference.
//
// For the user-interface thread; clients are served by its event loop.

#include <memory>

class CDialog;

#include "platform/cstring.h"

inline constexpr char16_t kAutomationName[] = u"TabroClient.Application";

class CAutomationServer {
 public:
  CAutomationServer();
  // Stops listening and releases the proxies of clients still connected.
  ~CAutomationServer();
  CAutomationServer(const CAutomationServer&) = delete;
  CAutomationServer& operator=(const CAutomationServer&) = delete;

  // Starts listening under name. A socket left behind by a program that ended
  // is replaced; a name a running server answers on is refused (false).
  bool Listen(const CString& name = CString(kAutomationName));
  bool IsListening() const;
  // Clients connected now.
  int ClientCount() const;
  // The program's main window. When the last client leaves while it runs
  // hidden (closed while a client held it), it ends, and so does the
  // program, as an automation server does when nobody is left to use it.
  void SetMainWindow(CDialog* mainWindow);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};
