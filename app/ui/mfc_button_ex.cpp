#include "app/ui/mfc_button_ex.h"

#include <algorithm>

CMFCButtonEx::CMFCButtonEx() = default;

CMFCButtonEx::~CMFCButtonEx() = default;

void CMFCButtonEx::SetButtonFont(CFont* font, int textPlacement, double heightFactor, int contentFill) {
  m_TextPlacement = textPlacement;
  m_ContentFill = contentFill;
  LOGFONT lf;
  (font != nullptr ? font : CFont::DialogFont())->GetLogFont(&lf);
  if (heightFactor != 0) lf.lfHeight = static_cast<LONG>(lf.lfHeight * heightFactor);
  auto owned = std::make_unique<CFont>();
  owned->CreateFontIndirect(&lf);
  m_pFont = std::move(owned);
}

void CMFCButtonEx::OnDrawBorder(CDC* dc, CRect& client, UINT state) {
  const COLORREF oldBack = dc->GetBkColor();
  if (IsHighlighted()) {
    dc->FillSolidRect(client, kHoverFaceColor);
    CBrush frame(kHoverFrameColor);
    dc->FrameRect(client, &frame);
  } else {
    dc->FillSolidRect(client, kFaceColor);
  }
  client.DeflateRect(2, 2);
  dc->SetBkColor(oldBack);
}

void CMFCButtonEx::OnDraw(CDC* dc, const CRect& rect, UINT state) {
  CFont* oldFont = m_pFont ? dc->SelectObject(m_pFont.get()) : nullptr;
  const bool highlighted = IsHighlighted();
  const bool disabled = (state & ODS_DISABLED) != 0;

  const CBitmap* image = Image();
  if (highlighted && HotImage() != nullptr) image = HotImage();
  if (disabled && DisabledImage() != nullptr) image = DisabledImage();
  const CSize imageSize = image != nullptr ? image->GetSize() : CSize();
  // Without a disabled picture of its own, a disabled button greys its picture.
  const bool greyed = disabled && DisabledImage() == nullptr;
  auto draw = [&](int x, int y) {
    if (greyed) dc->DrawGrayedBitmap(*image, x, y);
    else dc->DrawBitmap(*image, x, y);
  };

  if (m_ImageMode == 2) {
    if (image != nullptr) {
      const int x = rect.left + std::max(0, (rect.Width() - imageSize.cx) / 2);
      const int y = rect.top + std::max(0, (rect.Height() - imageSize.cy) / 2);
      draw(x, y);
    }
    if (oldFont != nullptr) dc->SelectObject(oldFont);
    return;
  }

  // Image and text side by side, or the image above the text.
  CRect textRect = rect;
  CPoint imagePos;
  if (image != nullptr) {
    const int centredY = rect.top + std::max(0, (rect.Height() - imageSize.cy) / 2);
    if (m_bTopImage) {
      imagePos = CPoint(rect.left + std::max(0, (rect.Width() - imageSize.cx) / 2), rect.top + GetVertMargin());
      const int imageBottom = imagePos.y + imageSize.cy;
      textRect.top = m_TextPlacement == 1 ? imageBottom - 5 : imageBottom + 3;
    } else if (m_bRightImage) {
      imagePos = CPoint(rect.right - GetImageHorzMargin() - imageSize.cx, centredY);
      textRect.right = imagePos.x - GetImageHorzMargin();
    } else {
      imagePos = CPoint(rect.left + GetImageHorzMargin(), centredY);
      textRect.left = imagePos.x + imageSize.cx + GetImageHorzMargin();
    }
  }

  // The content area goes under image and text, so neither is covered.
  if (m_ContentFill == 1) dc->FillSolidRect(rect, kContentFill1);
  if (m_ContentFill == 2) dc->FillSolidRect(rect, kContentFill2);
  if (image != nullptr) draw(imagePos.x, imagePos.y);

  CString text;
  GetWindowText(text);
  if (!text.IsEmpty()) {
    UINT format = DT_END_ELLIPSIS;
    format |= m_nAlignStyle == ALIGN_LEFT ? DT_LEFT : m_nAlignStyle == ALIGN_RIGHT ? DT_RIGHT : DT_CENTER;
    if (text.Find(u'\n') < 0) {
      format |= DT_SINGLELINE | DT_VCENTER;
    } else {
      // Several lines, centred as a block.
      CRect measure = textRect;
      dc->DrawText(text, &measure, format | DT_WORDBREAK | DT_CALCRECT);
      const int spare = textRect.Height() - measure.Height();
      if (spare > 0) textRect.top += spare / 2;
      format |= DT_WORDBREAK;
    }
    // The framework's text step: the hover colour while highlighted, a raised
    // grey text when disabled.
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->GetTextColor();
    OnDrawText(dc, textRect, text, format, state);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
  }
  if (oldFont != nullptr) dc->SelectObject(oldFont);
}
