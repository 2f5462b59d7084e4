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
// ScriptedModalDriver is the strict test driver. It installs itself for its
// lifetime as the modal driver and as the hooks' message boxes and choosers
// (clipboard, open-document and wait-cursor calls go to the hooks installed
// before it; the keys it reports are those held in a driven action, else the
// previous hooks' answer). A test queues, in the order a user meets them,
// what opens: dialogs (by template id, with the script that drives them),
// message boxes, popup menus and choosers, each with its answer:
//
//   ScriptedModalDriver modal;
//   modal.Queue(475, [](CDialog& dlg) {
//     ui::Type(dlg, 1106, u"");
//     ui::Click(dlg, IDOK);            // refused: the box below opens
//     ui::Type(dlg, 1106, u"請求書");
//     ui::Click(dlg, IDOK);            // runs OnOK; EndDialog ends the dialog
//   });
//   modal.QueueBox(IDOK, u"ファイルが名を入力してください。");
//   EXPECT_EQ(nameDlg.DoModal(), IDOK);
//
// Whatever opens is checked against the next queued step and recorded in one
// transcript. A problem fails the running test (ReportScriptProblem, at the
// moment it happens): a dialog with another id than the next step names or
// with no step left (it is closed as cancelled), a message box, menu or
// chooser that was not next (answered as nobody at the desk would: the
// box's first button, no command, no file), a dialog that will not end
// (DoModal returns -1), an action of ui_driver.h on a dialog that has ended,
// and steps still queued when the driver goes away.
//
// A script that leaves its dialog open is followed by the close box
// (WM_CLOSE, by default IDCANCEL). Nested modal dialogs (a dialog opened from
// a script's click) take the next step.

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/cstring.h"
#include "platform/ui_hooks.h"

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

class ScriptedModalDriver : public ModalDriver, public UiHooks {
 public:
  using Script = std::function<void(CDialog&)>;

  // One line of the transcript: what opened, what the user saw and answered.
  struct Entry {
    enum class Kind { Dialog, Box, Menu, File, Folder };
    Kind kind;
    unsigned id = 0;      // dialog: template id
    CString text;         // dialog: caption; box: text; chooser: title
    CString caption;      // box: caption
    unsigned type = 0;    // box: MB_ type
    int result = 0;       // dialog: DoModal's result; box: the button; menu: the command
    CString answer;       // chooser: the path given (empty: cancelled)
    bool expected = true; // it was the next step
    bool modeless = false; // box: shown without waiting for an answer (no step)
  };
  // The dialog lines of the transcript, as before the transcript existed.
  struct Opening {
    unsigned templateId;
    CString caption;
    bool scripted;
    int result;
  };

  ScriptedModalDriver();           // installs itself
  ~ScriptedModalDriver() override; // reports unused steps, restores the previous driver and hooks

  // The next dialog to open has template id dialogId (a property sheet's is
  // 0); script drives it.
  void Queue(unsigned dialogId, Script script);
  // The next dialog to open has template id dialogId and is cancelled at once
  // (its close box), as a user who does not want it.
  void QueueCancel(unsigned dialogId);
  // The next message box; answered with button. A non-empty text must be the box's text.
  void QueueBox(int button, const CString& text = CString());
  // The next popup menu; answered with command (0: dismissed).
  void QueueMenuCommand(unsigned command);
  // The next file or folder chooser; answered with path (empty: cancelled).
  void QueueFile(const CString& path);
  void QueueFolder(const CString& path);

  // What opened, in order.
  std::vector<Entry> Transcript() const;
  std::vector<Opening> Openings() const;
  // The texts of the message boxes shown, in order.
  std::vector<CString> Messages() const;
  // Problems so far (also reported when they happened).
  std::vector<CString> Problems() const;
  // Records a problem and reports it (unless kept).
  void ReportProblem(const CString& problem);
  // Keeps problems in Problems() without reporting them (tests of the driver itself).
  void KeepProblems() { m_keepProblems = true; }
  int Failures() const;            // dialogs that would not end
  int Unscripted() const;          // dialogs that opened with no step for them

  void RunModal(CDialog& dialog) override;
  unsigned ChooseMenuCommand(const CMenu& menu, CWnd* owner) override;
  // Called by DoModal with the final result of the last RunModal.
  void RecordResult(int result, bool forcedFailure);

  // UiHooks: boxes and choosers from the script; the rest from the previous hooks.
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;
  // Recorded in the transcript; it takes no step, as nobody answers it.
  void ShowModelessBox(const CString& text, const CString& caption, unsigned type) override;
  CString ChooseOpenFile(const CString& title, const CString& filter, const CString& initialFolder) override;
  CString ChooseFolder(const CString& title, const CString& initialFolder) override;
  CString GetClipboardText() override;
  void SetClipboardText(const CString& text) override;
  void EmptyClipboard() override;
  bool IsKeyDown(UiKey key) override;
  bool OpenDocument(const CString& path) override;
  void SetWaitCursor(bool on) override;

 private:
  struct Step {
    Entry::Kind kind;
    unsigned id = 0;
    bool anyDialog = false;
    bool cancel = false;
    Script script;
    int button = 0;
    CString text;
  };
  // Takes the next step when it is of kind; false (and a problem) when not.
  bool TakeStep(Entry::Kind kind, Step& step, const CString& what);

  ModalDriver* m_previous = nullptr;
  UiHooks* m_previousHooks = nullptr;
  mutable std::recursive_mutex m_mu;
  std::deque<Step> m_steps;
  std::vector<Entry> m_transcript;
  std::vector<size_t> m_open;      // transcript lines of dialogs still running (nesting)
  std::vector<CString> m_problems;
  bool m_keepProblems = false;
  CString m_clipboard;
  int m_failures = 0;
  int m_unscripted = 0;
};
