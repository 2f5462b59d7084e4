#include "app/ui/static_ex.h"

BEGIN_MESSAGE_MAP(CStaticEx, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CStaticEx::OnPaint() {
  CPaintDC dc(this);
  CRect rect;
  GetClientRect(&rect);
  CPen pen(PS_SOLID, 1, dc.GetBkColor());
  CPen* oldPen = dc.SelectObject(&pen);
  dc.MoveTo(rect.left, rect.top);
  dc.LineTo(rect.right, rect.top);
  dc.LineTo(rect.right, rect.bottom);
  dc.LineTo(rect.left, rect.bottom);
  dc.LineTo(rect.left, rect.top);
  dc.SelectObject(oldPen);
}
