// Statics, buttons and the owner-drawn button over their widgets.

#include "platform/ui/controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/ui/ui_internal.h"

using layer::As;
using layer::ToQ;
using layer::Usable;

// CStatic

void CStatic::SetBitmap(const CBitmap* bitmap) {
  auto* l = As<QLabel>(m_hWnd);
  if (!l) return;
  if (bitmap && bitmap->Data()) l->setPixmap(QPixmap::fromImage(bitmap->Data()->image));
  else l->setPixmap(QPixmap());
}

// CButton

int CButton::GetCheck() const {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b || !b->isCheckable()) return BST_UNCHECKED;
  if (auto* cb = As<QCheckBox>(m_hWnd)) {
    switch (cb->checkState()) {
      case Qt::Checked: return BST_CHECKED;
      case Qt::PartiallyChecked: return BST_INDETERMINATE;
      default: return BST_UNCHECKED;
    }
  }
  return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b || !b->isCheckable()) return;
  if (auto* cb = As<QCheckBox>(m_hWnd)) {
    cb->setCheckState(check == BST_CHECKED ? Qt::Checked
                      : check == BST_INDETERMINATE && cb->isTristate() ? Qt::PartiallyChecked
                                                                       : Qt::Unchecked);
    return;
  }
  b->setChecked(check == BST_CHECKED);
}

void CButton::SetBitmap(const CBitmap* bitmap) {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b) return;
  if (bitmap && bitmap->Data()) {
    QPixmap pm = QPixmap::fromImage(bitmap->Data()->image);
    b->setIcon(QIcon(pm));
    b->setIconSize(pm.size());
  } else {
    b->setIcon(QIcon());
  }
}

// CMFCButton

BEGIN_MESSAGE_MAP(CMFCButton, CButton)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CMFCButton::CMFCButton() = default;
CMFCButton::~CMFCButton() = default;

void CMFCButton::SetImage(const CBitmap* image, const CBitmap* hotImage, const CBitmap* disabledImage) {
  m_image = image;
  m_hotImage = hotImage;
  m_disabledImage = disabledImage;
  Invalidate();
}
void CMFCButton::SetTextColor(COLORREF color) { m_textColor = color; }
void CMFCButton::SetTextHotColor(COLORREF color) { m_textHotColor = color; }
void CMFCButton::SetTooltip(const CString& text) {
  if (m_hWnd) m_hWnd->setToolTip(ToQ(text));
}
BOOL CMFCButton::IsHighlighted() const {
  if (m_forceHighlight) return TRUE;
  WidgetInfo* info = layer::Info(m_hWnd);
  return info && info->hover && IsWindowEnabled();
}
BOOL CMFCButton::IsPressed() const {
  auto* b = As<QAbstractButton>(m_hWnd);
  return b && (b->isDown() || (b->isCheckable() && b->isChecked()));
}
void CMFCButton::SetHighlightedForTest(bool on) {
  m_forceHighlight = on;
  Invalidate();
}

void CMFCButton::OnFillBackground(CDC* dc, const CRect& client) {
  if (!m_bTransparent) dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
}

void CMFCButton::OnDrawBorder(CDC* dc, CRect& client, UINT state) {
  if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS) return;
  bool pressed = (state & ODS_SELECTED) != 0;
  if (m_nFlatStyle == BUTTONSTYLE_3D || IsHighlighted() || pressed)
    dc->Draw3dRect(client, pressed ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_BTNHIGHLIGHT),
                   pressed ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNSHADOW));
  client.DeflateRect(2, 2);
}

void CMFCButton::OnDrawText(CDC* dc, const CRect& rect, const CString& text, UINT format, UINT state) {
  CRect r = rect;
  if (state & ODS_DISABLED) {
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect shadow = r;
    shadow.OffsetRect(1, 1);
    dc->DrawText(text, &shadow, format);
    dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  } else {
    COLORREF c = IsHighlighted() && m_textHotColor != CLR_DEFAULT ? m_textHotColor
                 : m_textColor != CLR_DEFAULT                    ? m_textColor
                                                                 : GetSysColor(COLOR_BTNTEXT);
    dc->SetTextColor(c);
  }
  dc->DrawText(text, &r, format);
}

void CMFCButton::OnDraw(CDC* dc, const CRect& rect, UINT state) {
  CString text = GetWindowText();
  CRect textRect = rect;
  const CBitmap* img = m_image;
  if ((state & ODS_DISABLED) && m_disabledImage) img = m_disabledImage;
  else if (IsHighlighted() && m_hotImage) img = m_hotImage;
  if (img) {
    CSize s = img->GetSize();
    int hm = GetImageHorzMargin(), vm = GetVertMargin();
    // Without a disabled picture of its own, a disabled button greys its picture.
    const bool greyed = (state & ODS_DISABLED) && !m_disabledImage;
    auto draw = [&](int x, int y) {
      if (greyed) dc->DrawGrayedBitmap(*img, x, y);
      else dc->DrawBitmap(*img, x, y);
    };
    if (m_bTopImage) {
      int x = rect.left + std::max(0, (rect.Width() - s.cx) / 2);
      draw(x, rect.top + vm);
      textRect.top = rect.top + vm + s.cy;
    } else if (m_bRightImage) {
      draw(rect.right - hm - s.cx, rect.top + std::max(0, (rect.Height() - s.cy) / 2));
      textRect.right = rect.right - hm - s.cx;
    } else {
      draw(rect.left + hm, rect.top + std::max(0, (rect.Height() - s.cy) / 2));
      textRect.left = rect.left + hm + s.cx;
    }
  }
  UINT format = DT_END_ELLIPSIS;
  format |= m_nAlignStyle == ALIGN_LEFT ? DT_LEFT : m_nAlignStyle == ALIGN_RIGHT ? DT_RIGHT : DT_CENTER;
  if (text.Find(u'\n') < 0) format |= DT_SINGLELINE | DT_VCENTER;
  else format |= DT_WORDBREAK;
  dc->SetBkMode(TRANSPARENT);
  OnDrawText(dc, textRect, text, format, state);
}

void CMFCButton::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  UINT state = 0;
  if (!IsWindowEnabled()) state |= ODS_DISABLED;
  if (IsPressed()) state |= ODS_SELECTED;
  if (m_hWnd && m_hWnd->hasFocus()) state |= ODS_FOCUS;
  OnFillBackground(&dc, client);
  OnDrawBorder(&dc, client, state);
  OnDraw(&dc, client, state);
}
