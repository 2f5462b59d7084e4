#include "jobsheet/sheet/ui/csv_button_images.h"

#include <iterator>
#include <map>
#include <memory>
#include <tuple>

#include "res/csv_prop_page.h"

namespace {

struct ButtonGlyph {
  int id;
  const char16_t* symbol;
  COLORREF tile;
};

constexpr COLORREF kData = RGB(70, 130, 180);
constexpr COLORREF kTotals = RGB(46, 139, 87);
constexpr COLORREF kLayout = RGB(205, 133, 63);
constexpr COLORREF kStamps = RGB(178, 34, 34);
constexpr COLORREF kTicked = RGB(0, 120, 215);

constexpr ButtonGlyph kGlyphs[] = {
    {res::IDC_CSV_COLUMNS, u"▥", kData},   {res::IDC_CSV_DATAHEADER, u"H", kData},
    {res::IDC_CSV_EDITMODE, u"編", kData}, {res::IDC_CSV_SORT, u"⇅", kData},
    {res::IDC_CSV_FILTER, u"▽", kData},    {res::IDC_CSV_CLIPBOARD, u"貼", kData},
    {res::IDC_CSV_SUM, u"Σ", kTotals},     {res::IDC_CSV_COUNT, u"#", kTotals},
    {res::IDC_CSV_AVERAGE, u"μ", kTotals}, {res::IDC_CSV_ROWTOTAL, u"⇒", kTotals},
    {res::IDC_CSV_TIMESPAN, u"◷", kTotals}, {res::IDC_CSV_COLOR, u"■", kTotals},
    {res::IDC_CSV_GROUP, u"⊞", kLayout},   {res::IDC_CSV_PAGEBREAK, u"¶", kLayout},
    {res::IDC_CSV_CODE39, u"▮", kStamps},  {res::IDC_CSV_QR, u"▣", kStamps},
    {res::IDC_CSV_SEAL, u"◎", kStamps},    {res::IDC_CSV_APPROVAL, u"◉", kStamps},
    {res::IDC_CSV_SUBJECT, u"科", kLayout},
};
static_assert(std::size(kGlyphs) == 19);

constexpr int kPixels[] = {14, 18, 22};

}  // namespace

int CsvButtonImageSize(int clientHeight) {
  if (clientHeight < 43) return CSVIMG_SMALL;
  if (clientHeight < 59) return CSVIMG_MEDIUM;
  return CSVIMG_LARGE;
}

const CBitmap* CsvButtonImage(int id, int size, bool ticked) {
  static std::map<std::tuple<int, int, bool>, std::unique_ptr<CBitmap>> cache;
  const auto key = std::make_tuple(id, size, ticked);
  if (auto it = cache.find(key); it != cache.end()) return it->second.get();
  const ButtonGlyph* glyph = nullptr;
  for (const ButtonGlyph& g : kGlyphs)
    if (g.id == id) glyph = &g;
  if (!glyph || size < CSVIMG_SMALL || size > CSVIMG_LARGE) return nullptr;
  const int px = kPixels[size];
  auto bitmap = std::make_unique<CBitmap>();
  CDC screen;
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  bitmap->CreateCompatibleBitmap(&screen, px, px);
  CBitmap* old = dc.SelectObject(bitmap.get());
  dc.FillSolidRect(0, 0, px, px, RGB(255, 255, 255));
  dc.FillSolidRect(1, 1, px - 2, px - 2, ticked ? kTicked : glyph->tile);
  CFont font;
  font.CreateFont(-(px - 4), 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, CString(kDialogFontFamily));
  CFont* oldFont = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(255, 255, 255));
  CRect r(0, 0, px, px);
  dc.DrawText(glyph->symbol, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.SelectObject(oldFont);
  dc.SelectObject(old);
  return (cache[key] = std::move(bitmap)).get();
}
