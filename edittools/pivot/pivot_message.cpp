#include "edittools/pivot/pivot_message.h"

#include "platform/ui_hooks.h"

void ShowPivotMessage(const CString& text) {
  GetUiHooks().MessageBox(text, CString(kAppCaption), MB_OK);
}
