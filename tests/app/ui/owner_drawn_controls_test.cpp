// The owner-drawn controls, rendered offscreen; the tests read the colours of their pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ui/list_ctrl_ex.h"
#include "app/ui/mfc_button_ex.h"
#include "app/ui/static_ex.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui_driver.h"
#include "support/look.h"

namespace {

constexpr int kList = 100;
constexpr int kButton = 101;
constexpr int kStatic = 102;

constexpr ControlTemplate kHostControls[] = {
    {CtlKind::ListView, kList, nullptr, 4, 4, 300, 60},
    {CtlKind::PushButton, kButton, u"集計", 4, 70, 80, 24},
    {CtlKind::Picture, kStatic, nullptr, 100, 70, 60, 30},
};
constexpr DialogTemplate kHost{0, u"host", 320, 110, kHostControls};

// When TABRO_SCREENSHOT_DIR is set, keeps a picture for a person to look at.
constexpr COLORREF kGrey = RGB(204, 201, 184);
constexpr COLORREF kBlue = RGB(0, 191, 255);

// A dialog holding one control of each kind, built without running it.
class Host {
 public:
  explicit Host(int columns = 6) : dlg_(kHost) {
    ui::EnsureApplication();
    dlg_.CreateFromTemplate(nullptr, false);
    list.SubclassDlgItem(kList, &dlg_);
    button.SubclassDlgItem(kButton, &dlg_);
    picture.SubclassDlgItem(kStatic, &dlg_);
    for (int i = 0; i < columns; ++i) list.InsertColumn(i, CString::Build(u"列%d", i), LVCFMT_LEFT, 45);
    dlg_.ShowWindow(SW_SHOW);
  }
  ~Host() { dlg_.DestroyWindow(); }
  CDialog& dialog() { return dlg_; }

  CListCtrlEx list;
  CMFCButtonEx button;
  CStaticEx picture;

 private:
  CDialog dlg_;
};

// A pixel of a header cell away from its text: near its left edge, half way down.
COLORREF HeaderCellPixel(const ui::Picture& picture, CHeaderCtrl& header, int column) {
  CRect rect;
  header.GetItemRect(column, &rect);
  return picture.Pixel(rect.left + 2, rect.top + 2);
}

struct HeaderCase {
  const char* name;
  int backMode;
  int mode;
  int column;
  int rangeEnd;
  std::vector<int> list;
  std::vector<int> highlighted;   // columns painted in the highlight colour
};

const HeaderCase kHeaderCases[] = {
    {"OneColumnNone", -1, 0, -1, -1, {}, {}},
    {"OneColumn", -1, 0, 1, -1, {}, {1}},
    {"RangeInReverseOrder", -1, 1, 5, 2, {}, {2, 3, 4, 5}},
    {"RangeWithANegativeEnd", -1, 1, -1, 3, {}, {}},
    {"RangeOfOne", -1, 1, 0, 0, {}, {0}},
    {"ListOfColumns", -1, 2, -1, -1, {0, 3}, {0, 3}},
    {"UnknownMode", -1, 7, 1, 1, {1}, {}},
    {"ButtonFaceBackground", 1, 0, 2, -1, {}, {2}},
};

class HeaderPaint : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderPaint, HighlightsTheChosenColumnsOnTheFlatBackground) {
  const HeaderCase& c = GetParam();
  Host host;
  host.list.m_HeaderBackMode = c.backMode;
  host.list.m_HighlightMode = c.mode;
  host.list.m_HighlightCol = c.column;
  host.list.m_HighlightEnd = c.rangeEnd;
  host.list.m_HighlightList = c.list;
  CHeaderCtrl& header = host.list.m_Header;
  ASSERT_NE(header.GetSafeHwnd(), nullptr);
  header.Invalidate();
  const ui::Picture picture = ui::Render(header);
  KeepPicture(host.dialog(), std::string("header_") + c.name);
  const COLORREF back = c.backMode == 1 ? GetSysColor(COLOR_BTNFACE) : kGrey;
  for (int column = 0; column < 6; ++column) {
    const bool lit = std::find(c.highlighted.begin(), c.highlighted.end(), column) != c.highlighted.end();
    EXPECT_EQ(HeaderCellPixel(picture, header, column), lit ? kBlue : back) << "column " << column;
  }
  // The cells stop one pixel above the bottom edge, where the background shows.
  if (!c.highlighted.empty()) {
    CRect rect;
    header.GetItemRect(c.highlighted.front(), &rect);
    EXPECT_EQ(picture.Pixel(rect.left + 2, rect.bottom - 1), back);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, HeaderPaint, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderPaint, DrawsTheColumnTextsCentred) {
  Host host(2);
  CHeaderCtrl& header = host.list.m_Header;
  const ui::Picture picture = ui::Render(header);
  CRect rect;
  header.GetItemRect(0, &rect);
  EXPECT_LT(picture.CountColour(rect, kGrey), rect.Width() * rect.Height());
  // Centred: no ink in the left fifth of the cell.
  const CRect leftQuarter(rect.left, rect.top, rect.left + rect.Width() / 5, rect.bottom);
  EXPECT_EQ(picture.CountColour(leftQuarter, kGrey), leftQuarter.Width() * leftQuarter.Height());
}

struct FontCase {
  const char* name;
  LONG height;
  double factor;
  LONG expected;
};

const FontCase kFontCases[] = {
    {"ScaledDownTruncatesTowardZero", -12, 0.95, -11},
    {"ZeroKeepsTheHeight", -12, 0, -12},
    {"ScaledUp", -12, 1.5, -18},
    {"PositiveHeight", 16, 0.9, 14},
};

class ButtonFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(ButtonFont, OwnsAScaledCopyOfTheFont) {
  const FontCase& c = GetParam();
  CMFCButtonEx button;
  LOGFONT lf;
  lf.lfHeight = c.height;
  lf.lfFaceName = CString(u"Noto Sans CJK JP");
  CFont font;
  font.CreateFontIndirect(&lf);
  button.SetButtonFont(&font, 1, c.factor, 2);
  ASSERT_NE(button.OwnedFont(), nullptr);
  EXPECT_NE(button.OwnedFont(), &font);
  EXPECT_EQ(button.OwnedFont()->LogFont().lfHeight, c.expected);
  EXPECT_EQ(button.OwnedFont()->LogFont().lfFaceName, lf.lfFaceName);
  EXPECT_EQ(button.m_TextPlacement, 1);
  EXPECT_EQ(button.m_ContentFill, 2);
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonFont, ::testing::ValuesIn(kFontCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonFont, SecondCallReplacesTheOwnedFont) {
  CMFCButtonEx button;
  LOGFONT lf;
  lf.lfHeight = -12;
  CFont font;
  font.CreateFontIndirect(&lf);
  button.SetButtonFont(&font, 0, 0.95, 0);
  button.SetButtonFont(&font, 0, 2.0, 1);
  EXPECT_EQ(button.OwnedFont()->LogFont().lfHeight, -24);
  EXPECT_EQ(button.m_ContentFill, 1);
}

struct ButtonCase {
  const char* name;
  bool hover;
  int contentFill;
  COLORREF edge;      // pixel (0, 0)
  COLORREF face;      // pixel (1, 1), inside the frame and outside the content area
  COLORREF content;   // pixel (3, 3), inside the 2-pixel margin
};

const ButtonCase kButtonCases[] = {
    {"PlainIsFlatWhite", false, 0, RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)},
    {"HoverHasABlueFrame", true, 0, RGB(30, 114, 255), RGB(240, 255, 255), RGB(240, 255, 255)},
    {"ContentFillOneIsGrey", false, 1, RGB(255, 255, 255), RGB(255, 255, 255), RGB(204, 201, 184)},
    {"ContentFillTwoIsLightBlue", false, 2, RGB(255, 255, 255), RGB(255, 255, 255), RGB(179, 217, 255)},
    {"HoverKeepsTheContentFill", true, 2, RGB(30, 114, 255), RGB(240, 255, 255), RGB(179, 217, 255)},
    {"OtherFillFillsNothing", false, 3, RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)},
};

class ButtonPaint : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonPaint, PaintsFaceFrameAndContentArea) {
  const ButtonCase& c = GetParam();
  Host host;
  host.button.SetButtonFont(nullptr, 0, 0, c.contentFill);
  host.button.SetHighlightedForTest(c.hover);
  const ui::Picture picture = ui::Render(host.button);
  KeepPicture(host.dialog(), std::string("button_") + c.name);
  EXPECT_EQ(picture.Pixel(0, 0), c.edge);
  EXPECT_EQ(picture.Pixel(1, 1), c.face);
  EXPECT_EQ(picture.Pixel(3, 3), c.content);
  EXPECT_EQ(picture.Pixel(picture.Width() - 1, picture.Height() - 1), c.edge);
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonPaint, ::testing::ValuesIn(kButtonCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pixels of the content area that are neither the face nor the content fill: the text.
int InkedPixels(const ui::Picture& picture, COLORREF background) {
  const CRect content(2, 2, picture.Width() - 2, picture.Height() - 2);
  return content.Width() * content.Height() - picture.CountColour(content, background);
}

TEST(ButtonPaint, ImageOnlyButtonShowsNoTextEvenWithACaption) {
  Host host;
  EXPECT_GT(InkedPixels(ui::Render(host.button), CMFCButtonEx::kFaceColor), 0);
  host.button.m_ImageMode = 2;
  host.button.Invalidate();
  EXPECT_EQ(InkedPixels(ui::Render(host.button), CMFCButtonEx::kFaceColor), 0);
}

TEST(ButtonPaint, TextIsDrawnInTheButtonTextColour) {
  Host host;
  const ui::Picture picture = ui::Render(host.button);
  const CRect content(2, 2, picture.Width() - 2, picture.Height() - 2);
  EXPECT_GT(picture.CountColour(content, GetSysColor(COLOR_BTNTEXT)), 0);
}

struct TextColourCase {
  const char* name;
  COLORREF textColour;   // CLR_DEFAULT: none set
  COLORREF hotColour;    // CLR_DEFAULT: none set
  bool hover;
  COLORREF expected;
};

const TextColourCase kTextColourCases[] = {
    {"OwnTextColour", RGB(200, 0, 0), CLR_DEFAULT, false, RGB(200, 0, 0)},
    {"HoverColourWhileHighlighted", RGB(200, 0, 0), RGB(0, 120, 0), true, RGB(0, 120, 0)},
    {"HoverColourOnlyWhileHighlighted", RGB(200, 0, 0), RGB(0, 120, 0), false, RGB(200, 0, 0)},
    {"NoHoverColourKeepsTheTextColour", RGB(200, 0, 0), CLR_DEFAULT, true, RGB(200, 0, 0)},
};

class ButtonTextColour : public ::testing::TestWithParam<TextColourCase> {};

TEST_P(ButtonTextColour, DrawsTheTextInTheFrameworksColour) {
  const TextColourCase& c = GetParam();
  Host host;
  if (c.textColour != CLR_DEFAULT) host.button.SetTextColor(c.textColour);
  if (c.hotColour != CLR_DEFAULT) host.button.SetTextHotColor(c.hotColour);
  host.button.SetHighlightedForTest(c.hover);
  const ui::Picture picture = ui::Render(host.button);
  const CRect content(2, 2, picture.Width() - 2, picture.Height() - 2);
  EXPECT_GT(picture.CountColour(content, c.expected), 0);
  for (COLORREF other : {c.textColour, c.hotColour}) {
    if (other != CLR_DEFAULT && other != c.expected) {
      EXPECT_EQ(picture.CountColour(content, other), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonTextColour, ::testing::ValuesIn(kTextColourCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonPaint, DisabledTextIsGreyWithALightShadow) {
  Host host;
  host.button.EnableWindow(FALSE);
  const ui::Picture picture = ui::Render(host.button);
  const CRect content(2, 2, picture.Width() - 2, picture.Height() - 2);
  EXPECT_GT(picture.CountColour(content, GetSysColor(COLOR_GRAYTEXT)), 0);
  EXPECT_EQ(picture.CountColour(content, GetSysColor(COLOR_BTNTEXT)), 0);
}

// A 16 x 16 picture of one colour.
void MakeImage(CBitmap& image, COLORREF colour) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  image.CreateCompatibleBitmap(&dc, 16, 16);
  CBitmap* old = dc.SelectObject(&image);
  dc.FillSolidRect(0, 0, 16, 16, colour);
  dc.SelectObject(old);
}

// The first row of the picture, from the top, holding the colour; -1 when none.
int FirstRowWith(const ui::Picture& picture, COLORREF colour) {
  for (int y = 0; y < picture.Height(); ++y) {
    if (picture.CountColour(CRect(0, y, picture.Width(), y + 1), colour) > 0) return y;
  }
  return -1;
}

TEST(ButtonPaint, ImageOnlyButtonCentresItsImage) {
  Host host;
  CBitmap image;
  MakeImage(image, RGB(255, 0, 0));
  host.button.SetImage(&image);
  host.button.m_ImageMode = 2;
  const ui::Picture picture = ui::Render(host.button);
  const int top = FirstRowWith(picture, RGB(255, 0, 0));
  ASSERT_GE(top, 0);
  const int below = picture.Height() - (top + 16);
  EXPECT_LE(std::abs(top - below), 1);
  EXPECT_EQ(picture.CountColour(CRect(0, 0, picture.Width(), picture.Height()), RGB(255, 0, 0)), 256);
}

TEST(ButtonPaint, TextUnderAnImageStartsHigherWithPlacementOne) {
  int firstTextRow[2] = {-1, -1};
  for (int placement : {0, 1}) {
    Host host;
    CBitmap image;
    MakeImage(image, RGB(255, 0, 0));
    host.button.SetImage(&image);
    host.button.m_bTopImage = TRUE;
    host.button.SetButtonFont(nullptr, placement, 0, 0);
    const ui::Picture picture = ui::Render(host.button);
    const int imageTop = FirstRowWith(picture, RGB(255, 0, 0));
    ASSERT_GE(imageTop, 0);
    // Ink below the image's rows is the text.
    for (int y = imageTop + 16; y < picture.Height() - 2 && firstTextRow[placement] < 0; ++y) {
      const CRect row(2, y, picture.Width() - 2, y + 1);
      if (picture.CountColour(row, CMFCButtonEx::kFaceColor) < row.Width()) firstTextRow[placement] = y;
    }
  }
  ASSERT_GE(firstTextRow[0], 0);
  ASSERT_GE(firstTextRow[1], 0);
  EXPECT_LT(firstTextRow[1], firstTextRow[0]);
}

TEST(StaticPaint, OnlyTheTopAndLeftEdgesShow) {
  Host host;
  const ui::Picture picture = ui::Render(host.picture);
  const int w = picture.Width();
  const int h = picture.Height();
  ASSERT_GT(w, 4);
  ASSERT_GT(h, 4);
  const COLORREF line = RGB(255, 255, 255);   // the paint context's background colour
  const COLORREF inside = picture.Pixel(w / 2, h / 2);
  EXPECT_NE(inside, line);
  EXPECT_EQ(picture.CountColour(CRect(0, 0, w, 1), line), w);
  EXPECT_EQ(picture.CountColour(CRect(0, 0, 1, h), line), h);
  EXPECT_EQ(picture.Pixel(w - 1, h / 2), inside);
  EXPECT_EQ(picture.Pixel(w / 2, h - 1), inside);
}

}  // namespace
