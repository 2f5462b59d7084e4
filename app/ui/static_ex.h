#pragma once
// CStaticEx: a static control that paints only a thin line in the paint
// context's background colour around its client rectangle. The rectangle's
// right and bottom lie just outside, so only the top and left edges show;
// the owner draws the rest into the control.

#include "platform/ui/controls.h"

class CStaticEx : public CStatic {
 public:
  DECLARE_MESSAGE_MAP()

 public:
  afx_msg void OnPaint();
};
