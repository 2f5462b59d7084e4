#include "jobsheet/sheet/ui/edit_check.h"

BEGIN_MESSAGE_MAP(CEditCheck, CEdit)
  ON_CONTROL_REFLECT(EN_CHANGE, &CEditCheck::OnChange)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CEditCheck::OnChange() {
  CString text = GetWindowText();
  for (int i = 0; i < text.GetLength(); ++i) {
    if (!IsAllowedChar(text[i])) {
      // Setting the text notifies again: the next stranger goes the same way.
      text.Remove(text[i]);
      SetWindowText(text);
      return;
    }
  }
}

void CEditCheck::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  // Backspace arrives as a character on the platform, not as a key the edit
  // handles on key-down, so it keeps working at the limit.
  if (ch != VK_BACK && GetLimitText() != 0 && static_cast<UINT>(GetWindowTextLength()) == GetLimitText()) return;
  CEdit::OnKeyDown(ch, repeat, flags);
}
