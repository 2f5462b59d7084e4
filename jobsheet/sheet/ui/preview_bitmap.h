#pragma once
// Pictures of the settings pages: a bitmap resource fitted into a pane by its
// aspect ratio and shown there.

#include "platform/ui/controls.h"

struct FitOptions {
  bool centred = false;            // centred in the pane, else at its top-left corner
  COLORREF fill = RGB(240, 240, 240);   // the pane's colour around the picture
  double widthScale = 1.0;         // the drawn width is multiplied by this
};

// Shows bitmap id in pane, as wide as the pane when it is relatively wider than
// the pane, else as high; false (the pane emptied) when the bitmap cannot be loaded
// or the pane has no size.
bool ShowFittedBitmap(CStatic& pane, UINT id, const FitOptions& options);
