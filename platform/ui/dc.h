#pragma once
// Drawing: CDC over a painter, with the GDI objects it selects.
//
// Coordinates are pixels. Rectangles follow the platform's rule: right and
// bottom lie just outside; FillRect/FillSolidRect cover [left, right) x [top,
// bottom); Rectangle outlines the same area with the pen and fills the inside
// with the brush; LineTo leaves out the end point of a horizontal or vertical
// line. Text is drawn in the selected font and text colour; with the OPAQUE
// background mode (the default) its extent is first filled with the
// background colour. FillSolidRect sets the background colour, as on the
// platform (callers that care save and restore it).
//
// A CDC is valid only while its painter is: CPaintDC inside a paint handler,
// a memory DC while it exists. Drawing on a CDC without a painter does nothing.

#include <memory>
#include <vector>

#include "platform/ui/win_types.h"

class QPainter;
class CWnd;
class CDC;
struct BitmapData;

// Font description; lfHeight < 0 is the character height in pixels.
struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 400;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  CString lfFaceName;
};
enum : LONG { FW_NORMAL = 400, FW_BOLD = 700 };
enum : BYTE { SHIFTJIS_CHARSET = 128, DEFAULT_CHARSET = 1 };

class CGdiObject {
 public:
  virtual ~CGdiObject() = default;
  // Whether the object holds a created font/pen/brush/bitmap.
  bool GetSafeHandle() const { return m_created; }
  virtual BOOL DeleteObject() { m_created = false; return TRUE; }

 protected:
  bool m_created = false;
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONT* font);
  // Size in tenths of a point (90 = 9 pt at 96 dpi gives a height of -12).
  BOOL CreatePointFont(int pointTenths, const CString& face, CDC* dc = nullptr);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                  BYTE quality, BYTE pitchAndFamily, const CString& face);
  int GetLogFont(LOGFONT* font) const;
  const LOGFONT& LogFont() const { return m_log; }
  // The dialog font every dialog uses by default.
  static CFont* DialogFont();

 private:
  LOGFONT m_log;
};

enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_NULL = 5 };

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color);
  int Style() const { return m_style; }
  int Width() const { return m_width; }
  COLORREF Color() const { return m_color; }

 private:
  int m_style = PS_SOLID;
  int m_width = 1;
  COLORREF m_color = 0;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color);
  COLORREF Color() const { return m_color; }
  bool IsHollow() const { return m_hollow; }
  operator const CBrush*() const { return this; }
  static CBrush* Hollow();

 private:
  COLORREF m_color = RGB(255, 255, 255);
  bool m_hollow = false;
};

// A picture: made empty of a size, loaded from an image of res/images/, or
// drawn into through a memory DC.
class CBitmap : public CGdiObject {
 public:
  CBitmap();
  ~CBitmap() override;
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // Loads res/images/<name> (PNG or BMP) from the images the program registered.
  BOOL LoadBitmap(const CString& name);
  // A bitmap resource by number: res/images/<id>.png, else <id>.bmp.
  BOOL LoadBitmap(UINT id);
  BOOL LoadFromFile(const CString& path);
  BOOL DeleteObject() override;
  CSize GetSize() const;
  // Colour of one pixel (CLR_NONE outside).
  COLORREF GetPixel(int x, int y) const;
  BOOL SavePng(const CString& path) const;
  BitmapData* Data() const { return m_data.get(); }

 private:
  std::unique_ptr<BitmapData> m_data;
};

// Registers where LoadBitmap finds the images (default: the res/images folder
// next to the program, or the source tree's res/images).
void SetImageFolder(const CString& folder);

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, BLACK_BRUSH = 4, NULL_BRUSH = 5, HOLLOW_BRUSH = 5,
             WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, DEFAULT_GUI_FONT = 17 };
enum : int { LOGPIXELSX = 88, LOGPIXELSY = 90 };
enum : DWORD { SRCCOPY = 0x00CC0020 };

// DrawText format flags.
enum : UINT {
  DT_LEFT = 0x0,
  DT_TOP = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_EDITCONTROL = 0x2000,
  DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000,
  DT_WORD_ELLIPSIS = 0x40000,
};

class CDC {
 public:
  CDC();
  // Draws with an existing painter (not owned).
  explicit CDC(QPainter* painter);
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // A memory DC: select a CBitmap into it, then draw.
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  QPainter* Painter() const { return m_painter; }

  // Selection returns the previous object, never null.
  CFont* SelectObject(CFont* font);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CBitmap* SelectObject(CBitmap* bitmap);
  // NULL_BRUSH, WHITE_BRUSH, BLACK_BRUSH, NULL_PEN, BLACK_PEN, WHITE_PEN, DEFAULT_GUI_FONT.
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const { return m_font; }
  CPen* GetCurrentPen() const { return m_pen; }
  CBrush* GetCurrentBrush() const { return m_brush; }

  COLORREF SetTextColor(COLORREF color);   // returns the previous colour
  COLORREF GetTextColor() const { return m_textColor; }
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const { return m_bkColor; }
  int SetBkMode(int mode);
  int GetBkMode() const { return m_bkMode; }

  void FillSolidRect(const CRect& rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) { FillSolidRect(CRect(x, y, x + cx, y + cy), color); }
  // One-pixel frame of the rectangle in the brush's colour.
  void FrameRect(const CRect& rect, const CBrush* brush);
  void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const CRect& rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  BOOL RoundRect(const CRect& rect, CPoint corner);
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(CPoint p) { return LineTo(p.x, p.y); }
  COLORREF GetPixel(int x, int y) const;   // memory DCs only; CLR_NONE otherwise

  // Returns the height of the text; with DT_CALCRECT measures into rect and draws nothing.
  int DrawText(const CString& text, CRect* rect, UINT format);
  int DrawText(const CString& text, const CRect& rect, UINT format) {
    CRect r = rect;
    return DrawText(text, &r, format);
  }
  CSize GetTextExtent(const CString& text) const;

  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                  int srcHeight, DWORD rop = SRCCOPY);
  // Draws a bitmap at (x, y) at its own size.
  void DrawBitmap(const CBitmap& bitmap, int x, int y);
  // The picture as the framework draws it on a disabled button that has no
  // disabled picture of its own: in light greys.
  void DrawGrayedBitmap(const CBitmap& bitmap, int x, int y);

  int SaveDC();
  BOOL RestoreDC(int saved);
  int GetDeviceCaps(int index) const;

 protected:
  void SetPainter(QPainter* painter, bool owned);
  void ApplyPen();
  void ApplyBrush();

  QPainter* m_painter = nullptr;
  bool m_ownsPainter = false;
  CFont* m_font;
  CPen* m_pen;
  CBrush* m_brush;
  CBitmap* m_bitmap = nullptr;
  COLORREF m_textColor = 0;
  COLORREF m_bkColor = RGB(255, 255, 255);
  int m_bkMode = OPAQUE;
  CPoint m_pos;
  CRect m_clip;            // empty: no clip
  std::vector<struct DcSaved> m_saved;
  CFont m_defaultFont;
  CPen m_defaultPen;
  CBrush m_defaultBrush;
};

// The DC of a paint handler: the painter of the window being painted.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  CRect m_rcPaint;     // the area being painted (client coordinates)
};

// The DC of a window outside its paint handler. Windows paint only in OnPaint
// here, so this DC measures text (in the window's font) and draws nothing;
// code that draws at other times calls Invalidate and draws in OnPaint.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;
};
