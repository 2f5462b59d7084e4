#include "jobsheet/sheet/ui/preview_bitmap.h"

#include "platform/ui/dc.h"

bool ShowFittedBitmap(CStatic& pane, UINT id, const FitOptions& options) {
  CRect area;
  pane.GetClientRect(&area);
  CBitmap source;
  if (area.Width() <= 0 || area.Height() <= 0 || id == 0 || !source.LoadBitmap(id)) {
    pane.SetBitmap(nullptr);
    return false;
  }
  const CSize size = source.GetSize();
  const double ratio = static_cast<double>(size.cx) / size.cy;
  double width = area.Width();
  double height = area.Height();
  if (ratio > width / height) {
    height = width / ratio;
  } else {
    width = height * ratio;
  }
  width *= options.widthScale;
  CBitmap fitted;
  fitted.CreateCompatibleBitmap(nullptr, area.Width(), area.Height());
  CDC target;
  target.CreateCompatibleDC(nullptr);
  CBitmap* old = target.SelectObject(&fitted);
  target.FillSolidRect(CRect(0, 0, area.Width(), area.Height()), options.fill);
  CDC from;
  from.CreateCompatibleDC(nullptr);
  CBitmap* oldFrom = from.SelectObject(&source);
  const int x = options.centred ? static_cast<int>((area.Width() - width) * 0.5) : 0;
  const int y = options.centred ? static_cast<int>((area.Height() - height) * 0.5) : 0;
  target.StretchBlt(x, y, static_cast<int>(width), static_cast<int>(height), &from, 0, 0, size.cx, size.cy, SRCCOPY);
  from.SelectObject(oldFrom);
  target.SelectObject(old);
  pane.SetBitmap(&fitted);
  return true;
}
