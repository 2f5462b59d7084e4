#pragma once
// Small value types and constants of the window layer: points, sizes,
// rectangles, colours, window messages, notification codes, styles and key
// codes. The numeric values are the classic desktop ones, so dialog code reads
// as it always has; nothing here depends on Qt.

#include <cstdint>

#include "platform/cstring.h"
#include "platform/ui_hooks.h"

class QWidget;

using UINT = unsigned int;
using BOOL = int;
using BYTE = uint8_t;
using WORD = uint16_t;
using SHORT = int16_t;
class CMenu;
using HMENU = CMenu*;   // a menu is named by its object
using DWORD = uint32_t;
using LONG = int32_t;
using UINT_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using COLORREF = uint32_t;
// A window handle is the widget itself; engine code only passes it along.
using HWND = QWidget*;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// 0x00BBGGRR, as the platform stores colours.
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }
// "No colour" for list custom drawing and similar defaults.
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// System colours (the fixed values of a classic light desktop theme).
enum : int {
  COLOR_WINDOW = 5,
  COLOR_WINDOWTEXT = 8,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_3DFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DHILIGHT = 20,
};
COLORREF GetSysColor(int index);

struct CPoint {
  int x = 0;
  int y = 0;
  constexpr CPoint() = default;
  constexpr CPoint(int px, int py) : x(px), y(py) {}
  constexpr bool operator==(const CPoint&) const = default;
};

struct CSize {
  int cx = 0;
  int cy = 0;
  constexpr CSize() = default;
  constexpr CSize(int w, int h) : cx(w), cy(h) {}
  constexpr bool operator==(const CSize&) const = default;
};

// A rectangle whose right and bottom edges lie just outside it, as on the platform.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  constexpr CRect(CPoint p, CSize s) : left(p.x), top(p.y), right(p.x + s.cx), bottom(p.y + s.cy) {}
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  // Inside when left <= x < right and top <= y < bottom.
  constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr void DeflateRect(int dx, int dy) { left += dx; top += dy; right -= dx; bottom -= dy; }
  constexpr void DeflateRect(int d) { DeflateRect(d, d); }
  constexpr void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
  constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  constexpr void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
  constexpr bool operator==(const CRect&) const = default;
};

// Window messages the message maps dispatch.
enum : UINT {
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_ERASEBKGND = 0x0014,
  WM_SHOWWINDOW = 0x0018,
  WM_NOTIFY = 0x004E,
  WM_CONTEXTMENU = 0x007B,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_INITDIALOG = 0x0110,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_CTLCOLOR = 0x0019,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_MOUSEWHEEL = 0x020A,
  WM_DROPFILES = 0x0233,
  WM_CUT = 0x0300,
  WM_COPY = 0x0301,
  WM_PASTE = 0x0302,
  WM_CLEAR = 0x0303,
  WM_USER = 0x0400,
  WM_APP = 0x8000,
};

// Control notifications (WM_COMMAND) and common notifications (WM_NOTIFY).
enum : UINT {
  BN_CLICKED = 0,
  BN_DOUBLECLICKED = 5,
  EN_SETFOCUS = 0x0100,
  EN_KILLFOCUS = 0x0200,
  EN_CHANGE = 0x0300,
  EN_UPDATE = 0x0400,
  EN_MAXTEXT = 0x0501,
  CBN_SELCHANGE = 1,
  CBN_DBLCLK = 2,
  CBN_SETFOCUS = 3,
  CBN_KILLFOCUS = 4,
  CBN_EDITCHANGE = 5,
  CBN_DROPDOWN = 7,
  CBN_CLOSEUP = 8,
  CBN_SELENDOK = 9,
  LBN_SELCHANGE = 1,
  LBN_DBLCLK = 2,
  LBN_SETFOCUS = 4,
  LBN_KILLFOCUS = 5,
  CLBN_CHKCHANGE = 40,
  STN_CLICKED = 0,
  STN_DBLCLK = 1,
};
enum : int {
  NM_CLICK = -2,
  NM_DBLCLK = -3,
  NM_RETURN = -4,
  NM_RCLICK = -5,
  NM_RDBLCLK = -6,
  NM_SETFOCUS = -7,
  NM_KILLFOCUS = -8,
  NM_CUSTOMDRAW = -12,
  LVN_ITEMCHANGING = -100,
  LVN_ITEMCHANGED = -101,
  LVN_DELETEITEM = -103,
  LVN_DELETEALLITEMS = -104,
  LVN_COLUMNCLICK = -108,
  LVN_BEGINDRAG = -109,
  LVN_KEYDOWN = -155,
  LVN_BEGINLABELEDIT = -175,
  LVN_ENDLABELEDIT = -176,
  HDN_ITEMCLICK = -322,
  HDN_BEGINTRACK = -326,
  HDN_ENDTRACK = -327,
  TCN_KEYDOWN = -550,
  TCN_SELCHANGE = -551,
  TCN_SELCHANGING = -552,
  UDN_DELTAPOS = -722,
  DTN_DATETIMECHANGE = -759,
};

// Header of every WM_NOTIFY notification.
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  int code = 0;
};

// Window and control styles used in dialog templates and at run time
// (constants of one type, so they combine freely).
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;   // on a top-level window
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;

// Control styles for creating controls at run time (CButton::Create ...).
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_CHECKBOX = 0x2;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x3;
inline constexpr DWORD BS_RADIOBUTTON = 0x4;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_PUSHLIKE = 0x1000;
inline constexpr DWORD BS_MULTILINE = 0x2000;
inline constexpr DWORD BS_TYPEMASK = 0xF;
inline constexpr DWORD SS_LEFT = 0x0;
inline constexpr DWORD SS_CENTER = 0x1;
inline constexpr DWORD SS_RIGHT = 0x2;
inline constexpr DWORD SS_CENTERIMAGE = 0x200;
inline constexpr DWORD SS_SUNKEN = 0x1000;
inline constexpr DWORD SS_NOPREFIX = 0x80;
inline constexpr DWORD ES_LEFT = 0x0;
inline constexpr DWORD ES_CENTER = 0x1;
inline constexpr DWORD ES_RIGHT = 0x2;
inline constexpr DWORD ES_MULTILINE = 0x4;
inline constexpr DWORD ES_PASSWORD = 0x20;
inline constexpr DWORD ES_AUTOHSCROLL = 0x80;
inline constexpr DWORD ES_READONLY = 0x800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr DWORD CBS_DROPDOWN = 0x2;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x3;
inline constexpr DWORD CBS_SORT = 0x100;
inline constexpr DWORD LBS_SORT = 0x2;
inline constexpr DWORD LBS_EXTENDEDSEL = 0x800;
inline constexpr DWORD LVS_REPORT = 0x1;
inline constexpr DWORD LVS_SINGLESEL = 0x4;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_EDITLABELS = 0x200;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

// ShowWindow commands.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_MINIMIZE = 6, SW_RESTORE = 9 };

// System commands.
enum : UINT { SC_MINIMIZE = 0xF020, SC_CLOSE = 0xF060, SC_RESTORE = 0xF120 };

// Check states of buttons and list items.
enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2 };

// Standard dialog command ids beyond those of ui_hooks.h.
enum : int { IDCLOSE = 8, IDHELP = 9, ID_APPLY_NOW = 0x3021, ID_WIZBACK = 0x3023, ID_WIZNEXT = 0x3024 };
// The framework's help command: F1 in a dialog sends it (WM_COMMAND) to the dialog.
enum : int { ID_HELP = 0xE146 };
// Id of a static control that needs no id.
constexpr int IDC_STATIC = -1;

// Virtual key codes (key messages, PreTranslateMessage, key state).
enum : UINT {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_F1 = 0x70,
  VK_F2 = 0x71,
  VK_F5 = 0x74,
};

// Scroll-bar codes of WM_VSCROLL / WM_HSCROLL.
enum : UINT {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_BOTTOM = 7,
  SB_ENDSCROLL = 8,
};

// Mouse key flags of mouse messages.
enum : UINT { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8 };

// A queued message, as PreTranslateMessage sees it: the keys the user types
// and the mouse messages (WM_MOUSEMOVE, button downs, ups and double clicks:
// wParam the MK_ flags, lParam the point in hwnd's client coordinates;
// WM_MOUSEWHEEL: wParam MAKEWPARAM(MK_ flags, delta), lParam the screen point).
// pt is the mouse position on the screen.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  CPoint pt;
};
// Packs a point into an LPARAM, and reads its signed coordinates back.
constexpr LPARAM MAKELPARAM(int x, int y) {
  return static_cast<LPARAM>(static_cast<uint32_t>((x & 0xFFFF) | ((y & 0xFFFF) << 16)));
}
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<int16_t>(lp & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<int16_t>((lp >> 16) & 0xFFFF); }

// Date and time of the date-time control.
struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
