#pragma once
// CCheckListBoxEx: a check list whose entries toggle on a click anywhere in the
// entry, not only on the check box. A double click is swallowed, so a quick
// double click toggles once.

#include "platform/ui/controls.h"
#include "platform/ui/message_map.h"

class CCheckListBoxEx : public CCheckListBox {
 public:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

 private:
  int m_ClickGuard = 0;  // a press is being handled

  DECLARE_MESSAGE_MAP()
};
