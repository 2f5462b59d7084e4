#pragma once
// CMFCButtonEx: a push button with a flat white face, a blue frame while the
// mouse is over it, a font of its own scaled from the dialog's, and an
// optional coloured content area.
//
// Painting: the face is white, or RGB(240, 255, 255) framed in
// RGB(30, 114, 255) while highlighted; no 3-D border, pressed or not. Inside a
// 2-pixel margin the content area is filled with RGB(204, 201, 184) (content
// fill 1) or RGB(179, 217, 255) (fill 2), then image and text are drawn with
// no margins. Image mode 2 draws the image only, centred, and no text.

#include <memory>

#include "platform/ui/controls.h"

class CMFCButtonEx : public CMFCButton {
 public:
  CMFCButtonEx();
  ~CMFCButtonEx() override;

  static constexpr COLORREF kHoverFaceColor = RGB(240, 255, 255);
  static constexpr COLORREF kHoverFrameColor = RGB(30, 114, 255);
  static constexpr COLORREF kFaceColor = RGB(255, 255, 255);
  static constexpr COLORREF kContentFill1 = RGB(204, 201, 184);
  static constexpr COLORREF kContentFill2 = RGB(179, 217, 255);

  // Takes a copy of font whose height is multiplied by heightFactor (truncated
  // toward zero; 0 keeps the height) as the button's own font, replacing an
  // earlier one; stores the text placement flag (1: text of an image-above
  // button starts 5 pixels above the image's bottom edge, else 3 below) and the
  // content fill (1 or 2; other values fill nothing).
  void SetButtonFont(CFont* font, int textPlacement, double heightFactor, int contentFill);

  // The button's own font (null until SetButtonFont).
  CFont* OwnedFont() const { return m_pFont.get(); }

  int m_TextPlacement = 0;
  int m_ContentFill = 0;
  int m_ImageMode = -1;

  void OnDrawBorder(CDC* dc, CRect& client, UINT state) override;
  void OnDraw(CDC* dc, const CRect& rect, UINT state) override;
  int GetImageHorzMargin() const override { return 0; }
  int GetVertMargin() const override { return 0; }

 private:
  std::unique_ptr<CFont> m_pFont;
};
