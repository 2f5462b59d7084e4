// The guard asked before the main dialog closes.
#include "app/tabro_client_dlg.h"

bool CTabroClientDlg::CanExit() {
  // An automation client keeps the program alive; the window hides instead.
  if (m_pAutoProxy != nullptr) return false;
  if (theApp.m_InputKind == INPUT_COMMAND_LINE || theApp.m_WatchingMode == 0) return true;
  if (m_WatchNoticeDue) {
    theApp.DoMessageBox(CString(u"監視機能が起動中です。監視機能は終了します。"));
    m_WatchNoticeDue = 0;
  }
  return true;
}
