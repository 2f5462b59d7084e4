#pragma once
// The modal seam: how a test takes the place of the person at the desk.
//
// Every modal entry of the window layer asks the installed ModalDriver:
// CDialog::DoModal (and CPropertySheet::DoModal) call RunModal once the dialog
// is built and OnInitDialog ran, instead of running an event loop; a popup
// menu asks ChooseMenuCommand. Message boxes, file and folder choosers go
// through UiHooks (platform/ui_hooks.h) as everywhere else.
//
// Without a driver the layer runs the real event loops (the program).
//
// ScriptedModalDriver is the test driver: it installs itself for its lifetime
// and runs, for each modal dialog in the order they open, the next script the
// test queued. A script drives the dialog like a user, by control id, with
// the helpers of ui_driver.h or the controls' own calls, e.g.
//
//   ScriptedModalDriver modal;
//   modal.Queue([](CDialog& dlg) {
//     ui::Type(dlg, 1106, u"請求書");
//     ui::Click(dlg, IDOK);            // runs OnOK; EndDialog ends the dialog
//   });
//   EXPECT_EQ(nameDlg.DoModal(), IDOK);
//
// A script that leaves the dialog open is followed by the close box (WM_CLOSE,
// by default IDCANCEL). A dialog that still does not end returns -1 and is
// recorded as a failure. A dialog with no script left is closed the same way
// (as a user who closes every unexpected window), and recorded.
//
// Nested modal dialogs (a dialog opened from a script's click) take the next
// script. Each opening is recorded with the dialog's template id and caption.

#include <deque>
#include <functional>
#include <vector>

#include "platform/cstring.h"

class CDialog;
class CMenu;
class CWnd;

class ModalDriver {
 public:
  virtual ~ModalDriver() = default;
  // Drives a built, initialised dialog until it ends (or returns leaving it open).
  virtual void RunModal(CDialog& dialog) = 0;
  // The command chosen from a popup menu shown for owner; 0 for none.
  virtual unsigned ChooseMenuCommand(const CMenu& menu, CWnd* owner) = 0;
};

// The driver in force, or null (real event loops).
ModalDriver* GetModalDriver();
// Installs a driver (not owned; null for the real loops); returns the previous one.
ModalDriver* SetModalDriver(ModalDriver* driver);

class ScriptedModalDriver : public ModalDriver {
 public:
  using Script = std::function<void(CDialog&)>;
  struct Opening {
    unsigned templateId;
    CString caption;
    bool scripted;       // a script ran for it
    int result;          // what DoModal returned
  };

  ScriptedModalDriver();           // installs itself
  ~ScriptedModalDriver() override; // restores the previous driver

  // Scripts for the next dialogs, in order.
  void Queue(Script script);
  // Answers for the next popup menus, in order (0: dismissed).
  void QueueMenuCommand(unsigned command);

  const std::vector<Opening>& Openings() const { return m_openings; }
  // Dialogs that would not end, and dialogs that opened without a script.
  int Failures() const { return m_failures; }
  int Unscripted() const { return m_unscripted; }
  size_t PendingScripts() const { return m_scripts.size(); }

  void RunModal(CDialog& dialog) override;
  unsigned ChooseMenuCommand(const CMenu& menu, CWnd* owner) override;
  // Called by DoModal with the final result of the last RunModal.
  void RecordResult(int result, bool forcedFailure);

 private:
  ModalDriver* m_previous = nullptr;
  std::deque<Script> m_scripts;
  std::deque<unsigned> m_menuCommands;
  std::vector<Opening> m_openings;
  std::vector<size_t> m_open;      // indexes of openings still running (nesting)
  int m_failures = 0;
  int m_unscripted = 0;
};
