#include "app/auto_proxy.h"

#include <algorithm>
#include <vector>

#include "app/app_startup.h"
#include "app/tabro_client_dlg.h"

namespace {
// Proxies alive, oldest first. Created and deleted on the user-interface thread only.
std::vector<CTabroClientDlgAutoProxy*>& LiveProxies() {
  static std::vector<CTabroClientDlgAutoProxy*> proxies;
  return proxies;
}
}  // namespace

CTabroClientDlgAutoProxy::CTabroClientDlgAutoProxy() {
  LiveProxies().push_back(this);
  if (g_pMainDlg != nullptr) {
    m_pDialog = g_pMainDlg;
    m_pDialog->m_pAutoProxy = this;
  }
}

CTabroClientDlgAutoProxy::~CTabroClientDlgAutoProxy() {
  auto& live = LiveProxies();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (m_pDialog != nullptr && m_pDialog->m_pAutoProxy == this) {
    // Another client still attached keeps the dialog alive: hand the link on to it.
    m_pDialog->m_pAutoProxy = nullptr;
    for (auto it = live.rbegin(); it != live.rend(); ++it) {
      if ((*it)->m_pDialog == m_pDialog) {
        m_pDialog->m_pAutoProxy = *it;
        break;
      }
    }
  }
}

CTabroClientDlgAutoProxy* CTabroClientDlgAutoProxy::CreateObject() { return new CTabroClientDlgAutoProxy(); }

int CTabroClientDlgAutoProxy::LockCount() { return static_cast<int>(LiveProxies().size()); }

void DetachAutoProxies(CTabroClientDlg& dialog) {
  for (CTabroClientDlgAutoProxy* proxy : LiveProxies()) {
    if (proxy->m_pDialog == &dialog) proxy->m_pDialog = nullptr;
  }
  dialog.m_pAutoProxy = nullptr;
}
