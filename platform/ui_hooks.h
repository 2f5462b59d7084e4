#pragma once
// UiHooks: every point where the program meets the person at the desk.
//
// Engines never call the window system directly: a message box, a file or
// folder chooser, the clipboard, the state of Shift and Ctrl, opening a saved
// document and the wait cursor all go through the hooks installed here. The
// program installs the Qt binding at start-up; engine tests install
// RecordingUiHooks, which records what a user would have seen and answers
// from a script. Dialog tests use the window layer's ScriptedModalDriver,
// which answers boxes and choosers in one order with the dialogs.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/cstring.h"

// Caption of the program's own message boxes.
inline constexpr char16_t kAppCaption[] = u"タブロコネクト";

// Buttons and icons of a message box (the Win32 values, so code reads as usual).
enum : unsigned {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_ABORTRETRYIGNORE = 0x2,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5,
  MB_ICONERROR = 0x10,
  MB_ICONHAND = 0x10,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_ICONASTERISK = 0x40,
  MB_DEFBUTTON2 = 0x100,
  MB_TOPMOST = 0x40000,
  MB_TYPEMASK = 0xF,
  MB_ICONMASK = 0xF0,
};

// Answers of a message box or dialog.
enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDABORT = 3,
  IDRETRY = 4,
  IDIGNORE = 5,
  IDYES = 6,
  IDNO = 7,
};

// Keys whose state the program asks for.
enum class UiKey { Shift, Control, Alt };

class UiHooks {
 public:
  virtual ~UiHooks() = default;

  // Shows a modal message box; returns the button pressed (IDOK, IDYES, ...).
  virtual int MessageBox(const CString& text, const CString& caption, unsigned type) = 0;
  // Shows an OK box that waits for nobody: the caller goes on at once, and the
  // box stays until someone closes it.
  virtual void ShowModelessBox(const CString& text, const CString& caption, unsigned type) = 0;
  // Asks for a file to open; filter in the Win32 form "名前|*.csv|...|". Empty when cancelled.
  virtual CString ChooseOpenFile(const CString& title, const CString& filter,
                                 const CString& initialFolder) = 0;
  // Asks for a folder; empty when cancelled.
  virtual CString ChooseFolder(const CString& title, const CString& initialFolder) = 0;
  // Text on the clipboard (empty when none) and setting it; EmptyClipboard clears it.
  virtual CString GetClipboardText() = 0;
  virtual void SetClipboardText(const CString& text) = 0;
  virtual void EmptyClipboard() = 0;
  // Whether a key is held down now.
  virtual bool IsKeyDown(UiKey key) = 0;
  // Opens a saved document with the desktop's default program; false when it could not.
  virtual bool OpenDocument(const CString& path) = 0;
  // Wait cursor on (true) or off (false); calls nest.
  virtual void SetWaitCursor(bool on) = 0;
};

// What nobody at the desk answers a box of the type with: its first button.
int FirstButton(unsigned type);

// Nobody at the desk: boxes take their first button, choosers are cancelled,
// the clipboard is empty and no key is down. The default hooks; a tool without
// windows derives from them to report the boxes its own way.
class SilentUiHooks : public UiHooks {
 public:
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;
  void ShowModelessBox(const CString&, const CString&, unsigned) override {}
  CString ChooseOpenFile(const CString&, const CString&, const CString&) override { return {}; }
  CString ChooseFolder(const CString&, const CString&) override { return {}; }
  CString GetClipboardText() override { return {}; }
  void SetClipboardText(const CString&) override {}
  void EmptyClipboard() override {}
  bool IsKeyDown(UiKey) override { return false; }
  bool OpenDocument(const CString&) override { return false; }
  void SetWaitCursor(bool) override {}
};

// The hooks in force: the installed ones, or by default SilentUiHooks.
UiHooks& GetUiHooks();
// Installs hooks (not owned; null restores the default). Returns the previous ones.
UiHooks* SetUiHooks(UiHooks* hooks);

// Where a test driver reports what went against its script (a dialog nobody
// expected, a script left unused); tests install a reporter that fails the
// running test. Without one the report goes to standard error.
using ScriptProblemReporter = void (*)(const CString& problem);
ScriptProblemReporter SetScriptProblemReporter(ScriptProblemReporter reporter);
void ReportScriptProblem(const CString& problem);

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
 public:
  CWaitCursor() { GetUiHooks().SetWaitCursor(true); }
  ~CWaitCursor() { GetUiHooks().SetWaitCursor(false); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Test double: records each interaction and answers from queues set by the test.
// Thread safe, so a test can drive code that runs on a worker thread.
class RecordingUiHooks : public UiHooks {
 public:
  struct Box {
    CString text;
    CString caption;
    unsigned type;
    bool modeless;  // shown without waiting for an answer
  };

  RecordingUiHooks();               // installs itself
  ~RecordingUiHooks() override;     // restores the previous hooks

  // Scripted answers, used in order; when a queue is empty the default applies
  // (IDOK for OK boxes, the first button otherwise; choosers are cancelled).
  void QueueAnswer(int button);
  void QueueFile(const CString& path);
  void SetKeyDown(UiKey key, bool down);
  void SetClipboard(const CString& text) { SetClipboardText(text); }
  void SetOpenDocumentResult(bool ok) { openResult_ = ok; }

  std::vector<Box> Boxes() const;
  std::vector<CString> Messages() const;   // just the texts of the boxes
  std::vector<CString> OpenedDocuments() const;
  std::vector<CString> ChooserFolders() const;   // the folder each file chooser started in
  int WaitCursorDepth() const;
  void Clear();

  int MessageBox(const CString& text, const CString& caption, unsigned type) override;
  void ShowModelessBox(const CString& text, const CString& caption, unsigned type) override;
  CString ChooseOpenFile(const CString& title, const CString& filter,
                         const CString& initialFolder) override;
  CString ChooseFolder(const CString& title, const CString& initialFolder) override;
  CString GetClipboardText() override;
  void SetClipboardText(const CString& text) override;
  void EmptyClipboard() override;
  bool IsKeyDown(UiKey key) override;
  bool OpenDocument(const CString& path) override;
  void SetWaitCursor(bool on) override;

 private:
  mutable std::mutex mu_;
  UiHooks* previous_ = nullptr;
  std::deque<int> answers_;
  std::deque<CString> files_;
  std::deque<CString> folders_;
  std::vector<Box> boxes_;
  std::vector<CString> opened_;
  std::vector<CString> chooserFolders_;
  CString clipboard_;
  bool shift_ = false;
  bool control_ = false;
  bool alt_ = false;
  bool openResult_ = true;
  int waitDepth_ = 0;
};
