#pragma once
// CEditCheck: an edit that keeps only the printable half-width ASCII characters
// "!" to "~" (no blank). At its length limit it swallows key-downs, so cursor
// keys and Delete do nothing there while Backspace still works.

#include "platform/ui/controls.h"

class CEditCheck : public CEdit {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  static bool IsAllowedChar(char16_t c) { return c >= u'!' && c <= u'~'; }

  afx_msg void OnChange();
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
};
