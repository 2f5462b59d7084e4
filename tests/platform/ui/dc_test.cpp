// Drawing through CDC, checked by reading the pixels of a rendered window.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr ControlTemplate kCanvasControls[] = {
    {CtlKind::Picture, 3001, nullptr, 0, 0, 40, 30},
};
constexpr DialogTemplate kCanvasDialog{9003, u"描画", 40, 30, kCanvasControls};

// A picture control whose paint handler runs the case's drawing on white.
class CCanvas : public CStatic {
 public:
  std::function<void(CDC&)> m_Draw;
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, kWhite);
    if (m_Draw) m_Draw(dc);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCanvas, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

struct Probe {
  int x;
  int y;
  COLORREF colour;
};

struct DrawCase {
  const char* name;
  std::function<void(CDC&)> draw;
  std::vector<Probe> probes;
};

class Drawing : public ::testing::TestWithParam<DrawCase> {};

TEST_P(Drawing, PaintsThePixelsThePlatformWould) {
  const DrawCase& c = GetParam();
  CDialogEx dlg(kCanvasDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CCanvas canvas;
  ASSERT_TRUE(canvas.SubclassDlgItem(3001, &dlg));
  canvas.m_Draw = c.draw;
  ui::Picture picture = ui::Render(canvas);
  ASSERT_EQ(picture.Width(), 60);
  for (const Probe& p : c.probes)
    EXPECT_EQ(picture.Pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(
    CDC, Drawing,
    ::testing::Values(
        DrawCase{"FillSolidRectCoversLeftTopButNotRightBottom",
                 [](CDC& dc) { dc.FillSolidRect(CRect(10, 10, 20, 15), kRed); },
                 {{10, 10, kRed}, {19, 14, kRed}, {20, 14, kWhite}, {19, 15, kWhite}, {9, 10, kWhite}}},
        DrawCase{"FrameRectDrawsOnePixelInside",
                 [](CDC& dc) {
                   CBrush b(kBlue);
                   dc.FrameRect(CRect(5, 5, 15, 15), &b);
                 },
                 {{5, 5, kBlue}, {14, 14, kBlue}, {14, 5, kBlue}, {6, 6, kWhite}, {15, 15, kWhite}}},
        DrawCase{"RectangleOutlinesWithThePenAndFillsWithTheBrush",
                 [](CDC& dc) {
                   CPen pen(PS_SOLID, 1, kRed);
                   CBrush brush(kBlue);
                   CPen* oldPen = dc.SelectObject(&pen);
                   CBrush* oldBrush = dc.SelectObject(&brush);
                   dc.Rectangle(2, 2, 12, 12);
                   dc.SelectObject(oldPen);
                   dc.SelectObject(oldBrush);
                 },
                 {{2, 2, kRed}, {11, 11, kRed}, {3, 3, kBlue}, {10, 10, kBlue}, {12, 12, kWhite}}},
        DrawCase{"NullBrushLeavesTheInside",
                 [](CDC& dc) {
                   CPen pen(PS_SOLID, 1, kRed);
                   dc.SelectObject(&pen);
                   dc.SelectStockObject(NULL_BRUSH);
                   dc.Rectangle(2, 2, 12, 12);
                 },
                 {{2, 2, kRed}, {6, 6, kWhite}}},
        DrawCase{"LineToLeavesOutTheEndPoint",
                 [](CDC& dc) {
                   CPen pen(PS_SOLID, 1, kGreen);
                   dc.SelectObject(&pen);
                   dc.MoveTo(0, 5);
                   dc.LineTo(10, 5);
                   dc.LineTo(10, 0);
                 },
                 {{0, 5, kGreen}, {9, 5, kGreen}, {10, 5, kGreen}, {10, 1, kGreen}, {10, 0, kWhite}, {11, 5, kWhite}}},
        DrawCase{"AClosedOutlineAlongTheClientEdgesShowsOnlyTopAndLeft",
                 [](CDC& dc) {
                   CPen pen(PS_SOLID, 1, kRed);
                   dc.SelectObject(&pen);
                   CRect r(0, 0, 60, 60);
                   dc.MoveTo(r.left, r.top);
                   dc.LineTo(r.right, r.top);
                   dc.LineTo(r.right, r.bottom);
                   dc.LineTo(r.left, r.bottom);
                   dc.LineTo(r.left, r.top);
                 },
                 {{30, 0, kRed}, {0, 30, kRed}, {59, 30, kWhite}, {30, 59, kWhite}}},
        DrawCase{"OpaqueTextFillsItsBackground",
                 [](CDC& dc) {
                   dc.SetBkColor(kBlue);
                   dc.SetTextColor(kWhite);
                   dc.DrawText(u"ＡＡＡ", CRect(0, 0, 60, 20), DT_LEFT | DT_TOP | DT_SINGLELINE);
                 },
                 {{1, 1, kBlue}, {50, 25, kWhite}}},
        DrawCase{"TransparentTextLeavesTheBackground",
                 [](CDC& dc) {
                   dc.SetBkMode(TRANSPARENT);
                   dc.SetBkColor(kBlue);
                   dc.DrawText(u"ＡＡＡ", CRect(0, 0, 60, 20), DT_LEFT | DT_TOP | DT_SINGLELINE);
                 },
                 {{1, 1, kWhite}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CDC, NothingPaintsWhileRedrawIsOff) {
  CDialogEx dlg(kCanvasDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CCanvas canvas;
  ASSERT_TRUE(canvas.SubclassDlgItem(3001, &dlg));
  int paints = 0;
  canvas.m_Draw = [&](CDC&) { ++paints; };
  dlg.ShowWindow(SW_SHOW);
  ui::ProcessEvents();
  paints = 0;
  canvas.SetRedraw(FALSE);
  canvas.SetRedraw(FALSE);
  canvas.Invalidate();
  canvas.UpdateWindow();
  ui::ProcessEvents();
  EXPECT_EQ(paints, 0);
  canvas.SetRedraw(TRUE);   // one TRUE switches it back on, as on the platform
  canvas.UpdateWindow();
  EXPECT_GT(paints, 0);
}

TEST(CDC, CentredTextStaysInsideItsRectangle) {
  CDialogEx dlg(kCanvasDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CCanvas canvas;
  ASSERT_TRUE(canvas.SubclassDlgItem(3001, &dlg));
  const CRect box(10, 10, 50, 40);
  canvas.m_Draw = [&](CDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kRed);
    dc.DrawText(u"帳票", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  };
  ui::Picture picture = ui::Render(canvas);
  int inside = 0, outside = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.Pixel(x, y) == kWhite) continue;
      (box.PtInRect(CPoint(x, y)) ? inside : outside)++;
    }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
  // Centred: ink on both sides of the middle, and a margin left and right.
  auto ink = [&](const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += picture.Pixel(x, y) != kWhite;
    return n;
  };
  EXPECT_GT(ink(CRect(10, 10, 30, 40)), 0);
  EXPECT_GT(ink(CRect(30, 10, 50, 40)), 0);
  EXPECT_EQ(ink(CRect(10, 10, 13, 40)), 0);
  EXPECT_EQ(ink(CRect(47, 10, 50, 40)), 0);
}

TEST(CDC, FillSolidRectSetsTheBackgroundColourAndRestoreDCPutsStateBack) {
  CDC dc;
  dc.SetBkColor(kBlue);
  dc.SetTextColor(kGreen);
  int saved = dc.SaveDC();
  dc.FillSolidRect(CRect(0, 0, 1, 1), kRed);
  EXPECT_EQ(dc.GetBkColor(), kRed);
  dc.SetTextColor(kRed);
  EXPECT_TRUE(dc.RestoreDC(saved));
  EXPECT_EQ(dc.GetBkColor(), kBlue);
  EXPECT_EQ(dc.GetTextColor(), kGreen);
}

TEST(CDC, AMemoryDCDrawsIntoItsBitmap) {
  CDC dc;
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 8, 8));
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(&bmp);
  dc.FillSolidRect(CRect(2, 2, 4, 4), kRed);
  EXPECT_EQ(dc.GetPixel(2, 2), kRed);
  EXPECT_EQ(dc.GetPixel(4, 4), kWhite);
  dc.DeleteDC();
  EXPECT_EQ(bmp.GetPixel(3, 3), kRed);
  EXPECT_EQ(bmp.GetSize(), CSize(8, 8));
}

TEST(CFont, PointSizesBecomePixelHeightsAndLogFontsRoundTrip) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(90, u"Noto Sans CJK JP"));
  LOGFONT lf;
  ASSERT_EQ(font.GetLogFont(&lf), 1);
  EXPECT_EQ(lf.lfHeight, -12);
  lf.lfHeight = -11;
  lf.lfWeight = FW_BOLD;
  CFont bold;
  bold.CreateFontIndirect(&lf);
  LOGFONT back;
  bold.GetLogFont(&back);
  EXPECT_EQ(back.lfHeight, -11);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfFaceName, CString(u"Noto Sans CJK JP"));
  LOGFONT dialog;
  CFont::DialogFont()->GetLogFont(&dialog);
  EXPECT_EQ(dialog.lfHeight, -12);
}

}  // namespace

namespace {

TEST(CBitmap, ResourcesLoadByNumberOrNameFromTheImageFolder) {
  testsupport::TempDir dir;
  {
    CDC dc;
    CBitmap made;
    ASSERT_TRUE(made.CreateCompatibleBitmap(&dc, 6, 4));
    dc.SelectObject(&made);
    dc.FillSolidRect(CRect(0, 0, 6, 4), kBlue);
    dc.DeleteDC();
    ASSERT_TRUE(made.SavePng(CString((dir / "139.png").string())));
  }
  SetImageFolder(CString(dir.path().string()));
  CBitmap byNumber, byName, missing;
  EXPECT_TRUE(byNumber.LoadBitmap(139u));
  EXPECT_TRUE(byName.LoadBitmap(CString(u"139.png")));
  EXPECT_FALSE(missing.LoadBitmap(140u));
  EXPECT_EQ(byNumber.GetSize(), CSize(6, 4));
  EXPECT_EQ(byName.GetPixel(5, 3), kBlue);
  // A picture control of a template shows its image.
  static constexpr ControlTemplate kPictureControls[] = {
      {CtlKind::Picture, 3101, u"139.png", 0, 0, 20, 10},
  };
  static constexpr DialogTemplate kPictureDialog{9005, u"画像", 20, 10, kPictureControls};
  CDialogEx dlg(kPictureDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  ui::Picture picture = ui::Render(*dlg.GetDlgItem(3101));
  EXPECT_GT(picture.CountColour(CRect(0, 0, picture.Width(), picture.Height()), kBlue), 20);
  SetImageFolder(CString());
}

}  // namespace
