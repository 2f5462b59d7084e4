#pragma once
// The real UiHooks: message boxes, file and folder choosers, the clipboard,
// the key state, opening documents and the wait cursor on the desktop.
// The program installs one at start-up; calls from another thread are carried
// to the user-interface thread and waited for.

#include "platform/ui_hooks.h"

class QtUiHooks : public UiHooks {
 public:
  QtUiHooks();            // installs itself
  ~QtUiHooks() override;  // restores the previous hooks

  // Buttons by the type's MB_ value with Japanese captions ("OK", "キャンセル",
  // "はい", "いいえ", "中止", "再試行", "無視"), the icon by MB_ICON*; a box
  // without an icon flag gets the warning icon for OK and OK/Cancel boxes, the
  // question icon for Yes/No boxes, none for Retry/Cancel. Returns IDOK...;
  // a box closed with Esc or its close box answers IDCANCEL (IDNO for Yes/No,
  // IDOK for an OK box).
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;
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
  UiHooks* m_previous = nullptr;
  int m_waitDepth = 0;
};

// Qt's filter string for a filter in the form "名前|*.csv;*.tsv|すべて|*.*|"
// ("*.*" becomes "*", every file).
CString ConvertFileFilter(const CString& filter);
// The icon a message box of this type shows: 0 none, MB_ICONWARNING, ... (the default rule above).
unsigned MessageBoxIconFor(unsigned type);
