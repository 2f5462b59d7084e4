#include "edittools/join/join_messages.h"

#include "platform/ui_hooks.h"

void ShowJoinError(const CString& text) {
  GetUiHooks().MessageBox(text, kAppCaption, MB_OK | MB_ICONERROR);
}

void ShowJoinNotice(const CString& text) { GetUiHooks().MessageBox(text, kAppCaption, MB_OK); }
