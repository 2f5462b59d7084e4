#include "edittools/chain/ui/tool_button_images.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <tuple>

#include "edittools/chain/tool_kinds.h"
#include "platform/ui/dialog_template.h"

namespace {

// The symbol on each kind's tile, by ToolKindIndex: a sum, a file joined on, a
// funnel, an up-and-down order, a formula.
constexpr const char16_t* kSymbols[] = {u"Σ", u"＋", u"▽", u"⇅", u"ƒx"};
static_assert(std::size(kSymbols) == std::size(kToolKinds));

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kEdge = RGB(143, 170, 220);
constexpr COLORREF kPressedEdge = RGB(47, 85, 151);
constexpr COLORREF kCaption = RGB(38, 38, 38);
constexpr COLORREF kEmptyEdge = RGB(191, 191, 191);

void Frame(CDC& dc, const CRect& r, COLORREF colour, int style) {
  CPen pen(style, 1, colour);
  CPen* oldPen = dc.SelectObject(&pen);
  CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
  dc.Rectangle(r);
  dc.SelectObject(oldPen);
  dc.SelectObject(static_cast<CBrush*>(oldBrush));
}

// Text centred in r with the largest font up to maxPixels that fits its width.
void FittedText(CDC& dc, const CString& text, CRect r, int maxPixels, int weight, COLORREF colour) {
  CFont font;
  for (int px = maxPixels; px >= 8; --px) {
    font.DeleteObject();
    font.CreateFont(-px, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, CString(kDialogFontFamily));
    CFont* old = dc.SelectObject(&font);
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    if (width <= r.Width()) break;
  }
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(colour);
  dc.DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(old);
}

void DrawTool(CDC& dc, const ToolKindInfo& info, bool pressed, int w, int h) {
  dc.FillSolidRect(0, 0, w, h, pressed ? kToolImageBlue : kWhite);
  Frame(dc, CRect(0, 0, w, h), pressed ? kPressedEdge : kEdge, PS_SOLID);
  // The symbol tile on the left, the caption beside it.
  const int tile = h - 6;
  const CRect tileRect(3, 3, 3 + tile, 3 + tile);
  dc.FillSolidRect(tileRect, pressed ? kWhite : kToolImageBlue);
  FittedText(dc, CString(kSymbols[ToolKindIndex(info.kind)]), tileRect, tile - 4, 700, pressed ? kToolImageBlue : kWhite);
  const CRect captionRect(tileRect.right + 3, 1, w - 3, h - 1);
  FittedText(dc, CString(info.caption), captionRect, std::min(13, h / 2), 400, pressed ? kWhite : kCaption);
}

void DrawEmpty(CDC& dc, int w, int h) {
  dc.FillSolidRect(0, 0, w, h, kToolImageEmptyFill);
  Frame(dc, CRect(0, 0, w, h), kEmptyEdge, PS_DASH);
}

}  // namespace

const CBitmap* ToolButtonImage(ToolKind kind, bool pressed, CSize size) {
  if (size.cx < 8 || size.cy < 8) return nullptr;
  const ToolKindInfo* info = FindToolKind(kind);
  if (!info) {
    kind = ToolKind::kNone;
    pressed = false;
  }
  static std::map<std::tuple<ToolKind, bool, int, int>, std::unique_ptr<CBitmap>> cache;
  const auto key = std::make_tuple(kind, pressed, size.cx, size.cy);
  if (auto it = cache.find(key); it != cache.end()) return it->second.get();
  auto bitmap = std::make_unique<CBitmap>();
  CDC screen;
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  bitmap->CreateCompatibleBitmap(&screen, size.cx, size.cy);
  CBitmap* old = dc.SelectObject(bitmap.get());
  if (info) DrawTool(dc, *info, pressed, size.cx, size.cy);
  else DrawEmpty(dc, size.cx, size.cy);
  dc.SelectObject(old);
  return (cache[key] = std::move(bitmap)).get();
}
