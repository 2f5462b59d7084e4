// The watch-folder thread. It only looks at the folder; each file it takes is
// carried to the user-interface thread and run there through the pipeline, so
// the window's own inputs and the watched ones never run at the same time.
#include <chrono>
#include <thread>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"

namespace {

constexpr int kMaxDeleteFailures = 30;
constexpr char16_t kCannotDeleteMessage[] =
    u"監視フォルダ内のCVSファイルが削除できない為、監視機能を停止しました";

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

int WatchThreadLoop(CTabroClientDlg& dlg) {
  dlg.m_WatchRun = 1;
  dlg.m_WatchEnded = 0;
  int failures = 0;
  while (dlg.m_WatchRun == 1) {
    const int state = dlg.m_WatchState;
    if (state == 0) {
      // An input of the window is on its way: the folder waits.
      if (!dlg.m_InputBusy) {
        dlg.ScanWatchFolder();
        if (!dlg.m_WatchPending.IsEmpty()) {
          dlg.m_WatchState = 1;
          const CString name = dlg.m_WatchPending;
          auto job = [&dlg, name] { dlg.ProcessWatchFile(name); };
          if (dlg.m_View) {
            dlg.m_View->RunOnUiThread(job);
          } else {
            job();
          }
          dlg.m_WatchPending.Empty();
          dlg.m_WatchState = 2;
          failures = 0;
        }
      }
    } else if (state == 1) {
      Sleep(10);
    } else if (state == 2) {
      // Only a saved document lets its input go; a failed run stays, and is
      // not taken again until the file changes. The job deletes the file it
      // took; a deletion that failed is tried again on the user-interface
      // thread, never while a window input is being chosen or processed.
      bool deleted = dlg.m_WatchDeleted != 0;
      if (dlg.m_WatchLastResult == 0 && !deleted) {
        auto retry = [&dlg, &deleted] {
          if (!dlg.m_InputBusy) deleted = dlg.DeleteProcessedWatchFiles() == 1;
        };
        if (dlg.m_View) {
          dlg.m_View->RunOnUiThread(retry);
        } else {
          retry();
        }
      }
      if (dlg.m_WatchLastResult != 0 || deleted) {
        dlg.m_WatchState = 0;
      } else if (++failures > kMaxDeleteFailures) {
        theApp.DoMessageBox(CString(kCannotDeleteMessage));
        dlg.m_WatchState = 0;
        break;
      }
    }
    if (dlg.m_WatchState == 0) {
      dlg.m_WatchState = 100;
      Sleep(100);
      dlg.m_WatchState = 0;
    } else {
      Sleep(100);
    }
    Sleep(100);
  }
  dlg.m_WatchEnded = 1;
  dlg.m_WatchState = 0;
  return 0;
}

}  // namespace

int CTabroClientDlg::StartWatchThread() {
  if (theApp.m_WatchingMode == 0 || m_WatchEnded || m_hWatchThread.joinable()) return -1;
  m_WatchRun = 1;
  m_hWatchThread = std::thread([this] { WatchThreadLoop(*this); });
  return 0;
}

void CTabroClientDlg::ProcessWatchFile(const CString& name) {
  m_WatchLastResult = 1;
  m_WatchDeleted = 0;
  if (m_WatchRun != 1) return;  // the window has closed meanwhile
  // The job may arrive while a window input is being chosen or processed (in
  // one of its dialogs): the file waits for the next scan, untouched.
  if (m_InputBusy) return;
  m_InputBusy = 1;
  theApp.m_SendRows = theApp.m_SendCols = 0;
  m_Command.Empty();
  ResetJobSettings(1);
  ResetInputState();
  m_WatchTakenPath = JoinPath(WatchFolder(), name);
  m_InputPath = m_WatchTakenPath;
  theApp.m_CsvPath = m_InputPath;
  m_WatchLastResult = 1;
  m_LastSendResult = 1;
  // A refused name is not processed.
  if (CheckFileName(m_InputPath) == 1) {
    theApp.m_InputKind = INPUT_WATCH_FOLDER;
    theApp.m_RunVariant = 0;
    if (ProcessCsv(m_InputPath, RUN_NEW_INPUT) == 1) m_WatchLastResult = m_LastSendResult;
  }
  m_WatchTakenIdentity = theApp.m_SourceIdentity;
  if (m_WatchLastResult == 0 && DeleteProcessedWatchFiles() == 1) {
    m_WatchDeleted = 1;
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_RunVariant = 0;
  }
  if (m_WatchLastResult != 0) {
    m_WatchTakenPath.Empty();
    // Remembered as it is now: taken again only once it changed.
    for (const auto& [seenName, stamp] : m_WatchSeen) {
      if (seenName == name) m_WatchFailed.emplace_back(name, stamp);
    }
  }
  m_InputBusy = 0;
}
