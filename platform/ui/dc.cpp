// CDC and the GDI objects over QPainter.

#include "platform/ui/dc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"
#include "platform/ui/wnd.h"

using layer::FromQ;
using layer::ToQ;
using layer::ToQColor;

struct DcSaved {
  CFont* font;
  CPen* pen;
  CBrush* brush;
  COLORREF text;
  COLORREF bk;
  int mode;
  CRect clip;
};

namespace {
CString g_imageFolder;

CString ImageFolder() {
  if (!g_imageFolder.IsEmpty()) return g_imageFolder;
  QStringList candidates;
  if (QCoreApplication::instance()) {
    QString dir = QCoreApplication::applicationDirPath();
    candidates << dir + QStringLiteral("/res/images") << dir + QStringLiteral("/../res/images")
               << dir + QStringLiteral("/../share/tabroconnect/images");   // installed
  }
  // A program run from its build folder finds the source tree's images.
  QString source = QString::fromUtf8(__FILE__);
  source.chop(static_cast<int>(qstrlen("platform/ui/dc.cpp")));
  candidates << source + QStringLiteral("res/images");
  for (const QString& c : candidates)
    if (QFileInfo(c).isDir()) return FromQ(QDir(c).absolutePath());
  return CString();
}
}  // namespace

void SetImageFolder(const CString& folder) { g_imageFolder = folder; }

QFont layer::ToQFont(const CFont* font) {
  if (!font || !font->GetSafeHandle()) return DialogQFont();
  const LOGFONT& lf = font->LogFont();
  QFont f = lf.lfFaceName.IsEmpty() ? DialogQFont() : QFont(ToQ(lf.lfFaceName));
  if (!lf.lfFaceName.IsEmpty()) f.setFamilies({ToQ(lf.lfFaceName), QString::fromUtf8(kDialogFontFamily)});
  int h = lf.lfHeight;
  if (h < 0) f.setPixelSize(-h);
  else if (h > 0) f.setPixelSize(std::max(1, h * 4 / 5));   // cell height to character height
  else f.setPixelSize(kDialogFontPixels);
  f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  f.setItalic(lf.lfItalic != 0);
  f.setUnderline(lf.lfUnderline != 0);
  f.setStrikeOut(lf.lfStrikeOut != 0);
  return f;
}

// Fonts.

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
  if (!font) return FALSE;
  m_log = *font;
  m_created = true;
  return TRUE;
}

BOOL CFont::CreatePointFont(int pointTenths, const CString& face, CDC*) {
  LOGFONT lf;
  lf.lfHeight = -static_cast<LONG>(std::lround(pointTenths * 96.0 / 720.0));
  lf.lfFaceName = face;
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const CString& face) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight == 0 ? FW_NORMAL : weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  lf.lfFaceName = face;
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* font) const {
  if (!font || !m_created) return 0;
  *font = m_log;
  return 1;
}

CFont* CFont::DialogFont() {
  static CFont* font = [] {
    auto* f = new CFont();
    LOGFONT lf;
    lf.lfHeight = -kDialogFontPixels;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfFaceName = CString(kDialogFontFamily);
    f->CreateFontIndirect(&lf);
    return f;
  }();
  return font;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  m_style = style;
  m_width = width;
  m_color = color;
  m_created = true;
  return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  m_color = color;
  m_hollow = false;
  m_created = true;
  return TRUE;
}

CBrush* CBrush::Hollow() {
  static CBrush* b = [] {
    auto* br = new CBrush();
    br->m_hollow = true;
    br->m_created = true;
    return br;
  }();
  return b;
}

// Bitmaps.

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
  if (width <= 0 || height <= 0) return FALSE;
  m_data = std::make_unique<BitmapData>();
  m_data->image = QImage(width, height, QImage::Format_RGB32);
  m_data->image.fill(Qt::white);
  m_created = true;
  return TRUE;
}

BOOL CBitmap::LoadFromFile(const CString& path) {
  QImage img;
  if (!img.load(ToQ(path))) return FALSE;
  m_data = std::make_unique<BitmapData>();
  m_data->image = img.convertToFormat(QImage::Format_ARGB32);
  m_created = true;
  return TRUE;
}

BOOL CBitmap::LoadBitmap(const CString& name) {
  CString folder = ImageFolder();
  if (folder.IsEmpty() || name.IsEmpty()) return FALSE;
  return LoadFromFile(folder + u"/" + name);
}

BOOL CBitmap::LoadBitmap(UINT id) {
  return LoadBitmap(CString::Build(u"%u.png", id)) || LoadBitmap(CString::Build(u"%u.bmp", id));
}

BOOL CBitmap::DeleteObject() {
  m_data.reset();
  m_created = false;
  return TRUE;
}

CSize CBitmap::GetSize() const {
  return m_data ? CSize(m_data->image.width(), m_data->image.height()) : CSize();
}

COLORREF CBitmap::GetPixel(int x, int y) const {
  if (!m_data || !m_data->image.valid(x, y)) return CLR_NONE;
  return layer::FromQColor(m_data->image.pixelColor(x, y));
}

BOOL CBitmap::SavePng(const CString& path) const {
  return m_data && m_data->image.save(ToQ(path), "PNG") ? TRUE : FALSE;
}

// The device context.

CDC::CDC() : m_font(&m_defaultFont), m_pen(&m_defaultPen), m_brush(&m_defaultBrush) {
  LOGFONT lf;
  lf.lfHeight = -kDialogFontPixels;
  lf.lfFaceName = CString(kDialogFontFamily);
  m_defaultFont.CreateFontIndirect(&lf);
  m_defaultPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_defaultBrush.CreateSolidBrush(RGB(255, 255, 255));
}

CDC::CDC(QPainter* painter) : CDC() { SetPainter(painter, false); }

CDC::~CDC() { DeleteDC(); }

void CDC::SetPainter(QPainter* painter, bool owned) {
  if (m_ownsPainter && m_painter) {
    m_painter->end();
    delete m_painter;
  }
  m_painter = painter;
  m_ownsPainter = owned;
  if (m_painter) {
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
  }
}

BOOL CDC::CreateCompatibleDC(CDC*) { return TRUE; }

BOOL CDC::DeleteDC() {
  SetPainter(nullptr, false);
  m_bitmap = nullptr;
  return TRUE;
}

CFont* CDC::SelectObject(CFont* font) {
  CFont* old = m_font;
  if (font) m_font = font;
  return old;
}

CPen* CDC::SelectObject(CPen* pen) {
  CPen* old = m_pen;
  if (pen) m_pen = pen;
  return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
  CBrush* old = m_brush;
  if (brush) m_brush = brush;
  return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  CBitmap* old = m_bitmap;
  if (m_ownsPainter) SetPainter(nullptr, false);
  m_bitmap = bitmap;
  if (bitmap && bitmap->Data()) SetPainter(new QPainter(&bitmap->Data()->image), true);
  return old;
}

CGdiObject* CDC::SelectStockObject(int index) {
  static CPen nullPen(PS_NULL, 0, 0), blackPen(PS_SOLID, 1, RGB(0, 0, 0)), whitePen(PS_SOLID, 1, RGB(255, 255, 255));
  static CBrush whiteBrush(RGB(255, 255, 255)), blackBrush(RGB(0, 0, 0)), grayBrush(RGB(128, 128, 128)),
      ltgrayBrush(RGB(192, 192, 192));
  switch (index) {
    case NULL_BRUSH: return SelectObject(CBrush::Hollow());
    case WHITE_BRUSH: return SelectObject(&whiteBrush);
    case BLACK_BRUSH: return SelectObject(&blackBrush);
    case GRAY_BRUSH: return SelectObject(&grayBrush);
    case LTGRAY_BRUSH: return SelectObject(&ltgrayBrush);
    case NULL_PEN: return SelectObject(&nullPen);
    case BLACK_PEN: return SelectObject(&blackPen);
    case WHITE_PEN: return SelectObject(&whitePen);
    case DEFAULT_GUI_FONT: return SelectObject(CFont::DialogFont());
    default: return nullptr;
  }
}

COLORREF CDC::SetTextColor(COLORREF color) {
  COLORREF old = m_textColor;
  m_textColor = color;
  return old;
}
COLORREF CDC::SetBkColor(COLORREF color) {
  COLORREF old = m_bkColor;
  m_bkColor = color;
  return old;
}
int CDC::SetBkMode(int mode) {
  int old = m_bkMode;
  m_bkMode = mode;
  return old;
}

void CDC::ApplyPen() {
  if (!m_painter) return;
  if (!m_pen || m_pen->Style() == PS_NULL) {
    m_painter->setPen(Qt::NoPen);
    return;
  }
  QPen pen(ToQColor(m_pen->Color()));
  pen.setWidth(std::max(1, m_pen->Width()));
  switch (m_pen->Style()) {
    case PS_DASH: pen.setStyle(Qt::DashLine); break;
    case PS_DOT: pen.setStyle(Qt::DotLine); break;
    case PS_DASHDOT: pen.setStyle(Qt::DashDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::FlatCap);
  m_painter->setPen(pen);
}

void CDC::ApplyBrush() {
  if (!m_painter) return;
  if (!m_brush || m_brush->IsHollow()) m_painter->setBrush(Qt::NoBrush);
  else m_painter->setBrush(ToQColor(m_brush->Color()));
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
  m_bkColor = color;
  if (!m_painter || rect.IsRectEmpty()) return;
  m_painter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void CDC::FrameRect(const CRect& rect, const CBrush* brush) {
  if (!m_painter || !brush || brush->IsHollow() || rect.IsRectEmpty()) return;
  QColor c = ToQColor(brush->Color());
  int w = rect.Width(), h = rect.Height();
  m_painter->fillRect(QRect(rect.left, rect.top, w, 1), c);
  m_painter->fillRect(QRect(rect.left, rect.bottom - 1, w, 1), c);
  m_painter->fillRect(QRect(rect.left, rect.top, 1, h), c);
  m_painter->fillRect(QRect(rect.right - 1, rect.top, 1, h), c);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  if (!m_painter || rect.IsRectEmpty()) return;
  int w = rect.Width(), h = rect.Height();
  m_painter->fillRect(QRect(rect.left, rect.top, w - 1, 1), ToQColor(topLeft));
  m_painter->fillRect(QRect(rect.left, rect.top, 1, h - 1), ToQColor(topLeft));
  m_painter->fillRect(QRect(rect.right - 1, rect.top, 1, h), ToQColor(bottomRight));
  m_painter->fillRect(QRect(rect.left, rect.bottom - 1, w, 1), ToQColor(bottomRight));
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  if (!m_painter) return FALSE;
  CRect r(left, top, right, bottom);
  if (r.IsRectEmpty()) return FALSE;
  int pw = (m_pen && m_pen->Style() != PS_NULL) ? std::max(1, m_pen->Width()) : 0;
  if (m_brush && !m_brush->IsHollow())
    m_painter->fillRect(QRect(left + pw, top + pw, r.Width() - 2 * pw, r.Height() - 2 * pw), ToQColor(m_brush->Color()));
  if (pw > 0) {
    if (m_pen->Style() == PS_SOLID) {
      QColor c = ToQColor(m_pen->Color());
      m_painter->fillRect(QRect(left, top, r.Width(), pw), c);
      m_painter->fillRect(QRect(left, bottom - pw, r.Width(), pw), c);
      m_painter->fillRect(QRect(left, top, pw, r.Height()), c);
      m_painter->fillRect(QRect(right - pw, top, pw, r.Height()), c);
    } else {
      ApplyPen();
      m_painter->setBrush(Qt::NoBrush);
      m_painter->drawRect(QRect(left, top, r.Width() - 1, r.Height() - 1));
    }
  }
  return TRUE;
}

BOOL CDC::RoundRect(const CRect& rect, CPoint corner) {
  if (!m_painter) return FALSE;
  m_painter->save();
  m_painter->setRenderHint(QPainter::Antialiasing, true);
  ApplyPen();
  ApplyBrush();
  int pw = (m_pen && m_pen->Style() != PS_NULL) ? std::max(1, m_pen->Width()) : 0;
  QRectF r(rect.left + pw / 2.0, rect.top + pw / 2.0, rect.Width() - pw, rect.Height() - pw);
  m_painter->drawRoundedRect(r, corner.x / 2.0, corner.y / 2.0);
  m_painter->restore();
  return TRUE;
}

CPoint CDC::MoveTo(int x, int y) {
  CPoint old = m_pos;
  m_pos = CPoint(x, y);
  return old;
}

BOOL CDC::LineTo(int x, int y) {
  CPoint from = m_pos;
  m_pos = CPoint(x, y);
  if (!m_painter || !m_pen || m_pen->Style() == PS_NULL) return TRUE;
  int w = std::max(1, m_pen->Width());
  if (m_pen->Style() == PS_SOLID && (from.x == x || from.y == y)) {
    // The end point is left out, as on the platform.
    QColor c = ToQColor(m_pen->Color());
    int off = (w - 1) / 2;
    if (from.y == y) {
      int a = std::min(from.x, x), b = std::max(from.x, x);
      if (x < from.x) ++a; else --b;
      if (b >= a) m_painter->fillRect(QRect(a, y - off, b - a + 1, w), c);
    } else {
      int a = std::min(from.y, y), b = std::max(from.y, y);
      if (y < from.y) ++a; else --b;
      if (b >= a) m_painter->fillRect(QRect(x - off, a, w, b - a + 1), c);
    }
    return TRUE;
  }
  ApplyPen();
  m_painter->drawLine(QPoint(from.x, from.y), QPoint(x, y));
  return TRUE;
}

COLORREF CDC::GetPixel(int x, int y) const { return m_bitmap ? m_bitmap->GetPixel(x, y) : CLR_NONE; }

int CDC::DrawText(const CString& text, CRect* rect, UINT format) {
  if (!rect) return 0;
  QFont f = layer::ToQFont(m_font);
  QFontMetrics fm(f);
  QString q = ToQ(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (!(format & DT_NOPREFIX)) q = layer::StripMnemonic(q);
  if (format & DT_SINGLELINE) q.replace(QLatin1Char('\n'), QLatin1Char(' '));
  int flags = 0;
  if (format & DT_CENTER) flags |= Qt::AlignHCenter;
  else if (format & DT_RIGHT) flags |= Qt::AlignRight;
  else flags |= Qt::AlignLeft;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) flags |= Qt::AlignVCenter;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) flags |= Qt::AlignBottom;
  else flags |= Qt::AlignTop;
  if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
  if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
  QRect r(rect->left, rect->top, rect->Width(), rect->Height());
  if (format & DT_CALCRECT) {
    QRect bound = fm.boundingRect(QRect(rect->left, rect->top, (format & DT_WORDBREAK) ? rect->Width() : 100000, 100000),
                                  flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), q);
    rect->right = rect->left + bound.width();
    rect->bottom = rect->top + bound.height();
    return bound.height();
  }
  if ((format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) && !(flags & Qt::TextWordWrap)) {
    QStringList lines = q.split(QLatin1Char('\n'));
    for (QString& line : lines) line = fm.elidedText(line, Qt::ElideRight, std::max(0, r.width()));
    q = lines.join(QLatin1Char('\n'));
  }
  QRect bound = fm.boundingRect(r, flags, q);
  if (!m_painter) return bound.height();
  m_painter->save();
  if (!(format & DT_NOCLIP)) m_painter->setClipRect(r, Qt::IntersectClip);
  if (m_bkMode == OPAQUE) m_painter->fillRect(bound.intersected(r), ToQColor(m_bkColor));
  m_painter->setFont(f);
  m_painter->setPen(ToQColor(m_textColor));
  m_painter->drawText(r, flags, q);
  m_painter->restore();
  return bound.height();
}

CSize CDC::GetTextExtent(const CString& text) const {
  QFontMetrics fm(layer::ToQFont(m_font));
  QString q = ToQ(text);
  return CSize(fm.horizontalAdvance(q), fm.height());
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth, int srcHeight,
                     DWORD) {
  if (!m_painter || !src || !src->m_bitmap || !src->m_bitmap->Data()) return FALSE;
  m_painter->drawImage(QRect(x, y, width, height), src->m_bitmap->Data()->image,
                       QRect(srcX, srcY, srcWidth, srcHeight));
  return TRUE;
}

void CDC::DrawBitmap(const CBitmap& bitmap, int x, int y) {
  if (m_painter && bitmap.Data()) m_painter->drawImage(QPoint(x, y), bitmap.Data()->image);
}

void CDC::DrawGrayedBitmap(const CBitmap& bitmap, int x, int y) {
  if (!m_painter || !bitmap.Data()) return;
  QImage grey = bitmap.Data()->image.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < grey.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(row));
    for (int col = 0; col < grey.width(); ++col) {
      // Half the brightness, lifted to the upper half: dark becomes mid grey, white stays.
      const int level = 128 + qGray(line[col]) / 2;
      line[col] = qRgba(level, level, level, qAlpha(line[col]));
    }
  }
  m_painter->drawImage(QPoint(x, y), grey);
}

int CDC::SaveDC() {
  m_saved.push_back(DcSaved{m_font, m_pen, m_brush, m_textColor, m_bkColor, m_bkMode, m_clip});
  if (m_painter) m_painter->save();
  return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int saved) {
  if (m_saved.empty()) return FALSE;
  int target = saved < 0 ? static_cast<int>(m_saved.size()) + saved + 1 : saved;
  if (target < 1 || target > static_cast<int>(m_saved.size())) return FALSE;
  while (static_cast<int>(m_saved.size()) >= target) {
    DcSaved s = m_saved.back();
    m_saved.pop_back();
    m_font = s.font;
    m_pen = s.pen;
    m_brush = s.brush;
    m_textColor = s.text;
    m_bkColor = s.bk;
    m_bkMode = s.mode;
    m_clip = s.clip;
    if (m_painter) m_painter->restore();
  }
  return TRUE;
}

int CDC::GetDeviceCaps(int index) const {
  if (index == LOGPIXELSX || index == LOGPIXELSY) return 96;
  return 0;
}

CPaintDC::CPaintDC(CWnd* wnd) {
  QWidget* w = wnd ? wnd->m_hWnd : nullptr;
  QPainter* p = layer::CurrentPainter(w);
  SetPainter(p, false);
  if (w) m_rcPaint = CRect(0, 0, w->width(), w->height());
  if (wnd && w) SelectObject(wnd->GetFont());
}

CPaintDC::~CPaintDC() = default;

CClientDC::CClientDC(CWnd* wnd) {
  if (wnd && wnd->m_hWnd) SelectObject(wnd->GetFont());
}
CClientDC::~CClientDC() = default;
