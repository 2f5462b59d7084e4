#pragma once
// CTabroClientDlgAutoProxy: what an automation client holds. It exposes
// nothing; it only ties the client to the main dialog: while a proxy is
// attached, closing the main dialog hides it instead of ending the program,
// and the program does not end while any proxy lives.
//
// The window layer's automation server (app/ui/automation_proxy.h) creates one
// proxy for each connected client and deletes it when the client goes.

class CTabroClientDlg;

class CTabroClientDlgAutoProxy {
 public:
  // Attaches to the running main dialog (g_pMainDlg) when there is one.
  CTabroClientDlgAutoProxy();
  // Detaches from the dialog, if still attached.
  ~CTabroClientDlgAutoProxy();
  CTabroClientDlgAutoProxy(const CTabroClientDlgAutoProxy&) = delete;
  CTabroClientDlgAutoProxy& operator=(const CTabroClientDlgAutoProxy&) = delete;

  // A new proxy (the factory's creation function); the caller owns it.
  static CTabroClientDlgAutoProxy* CreateObject();
  // Proxies alive now; the program stays up while this is above 0.
  static int LockCount();

  CTabroClientDlg* m_pDialog = nullptr;
};

// Cuts every proxy's link to dialog (the dialog is going away), so either side
// may go first.
void DetachAutoProxies(CTabroClientDlg& dialog);
