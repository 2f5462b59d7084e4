#pragma once
// CWnd: a window of the program, wrapping one widget.
//
// Several CWnd objects may wrap the same widget: the one made when a dialog
// template is built, and a member control that DDX_Control or SubclassDlgItem
// attaches later. The object attached last receives the widget's messages
// (paint, keys, mouse, reflected notifications) and is what GetDlgItem and
// FromHandle return; when it goes away the previous one takes over. When the
// widget is destroyed every wrapper is detached (m_hWnd becomes null), so
// members of a dialog stay safe to touch after DoModal returned.
//
// Widgets live on the user-interface thread. A call that changes a window
// (text, showing, enabling, focus, painting, position, style, font, timers,
// files accepted, destruction) or reads its text, made from another thread,
// is carried to that thread and waited for; so are SendMessage and DoModal.
// PostMessage queues without waiting. Other work: CallOnUiThread.
//
// No Qt types appear here: HWND is a forward-declared widget pointer.

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/message_map.h"
#include "platform/ui/win_types.h"

class CBitmap;
class CFont;
class CMenu;
// A window's icon is an image of res/images (CBitmap::LoadBitmap).
using HICON = const CBitmap*;
class CDC;
struct WndState;

// Files dropped on a window (WM_DROPFILES); read with DragQueryFile.
struct DropFiles {
  std::vector<CString> paths;
  CPoint point;
};
// Number of dropped files.
UINT DragQueryFileCount(HDROP drop);
// Path of dropped file index into path; returns its length (0 when out of range).
UINT DragQueryFile(HDROP drop, UINT index, CString& path);
// Releases the drop (no-op: the layer owns it).
inline void DragFinish(HDROP) {}

// Ends the mouse capture (CWnd::SetCapture); FALSE when no window held it.
BOOL ReleaseCapture();

// Mouse cursors: SetCursor(LoadCursor(nullptr, IDC_CROSS)) shows the cross
// over the window that holds the capture, else over the window whose mouse
// message is being handled (the program sets cursors from its mouse
// handlers). LoadCursor gives null for an unknown id.
enum : int {
  IDC_ARROW = 32512,
  IDC_IBEAM = 32513,
  IDC_WAIT = 32514,
  IDC_CROSS = 32515,
  IDC_SIZENWSE = 32642,
  IDC_SIZENESW = 32643,
  IDC_SIZEWE = 32644,
  IDC_SIZENS = 32645,
  IDC_SIZEALL = 32646,
  IDC_NO = 32648,
};
struct CursorResource {
  int id;
};
using HCURSOR = const CursorResource*;
HCURSOR LoadCursor(void* instance, int id);
// Returns the cursor set before (null at first).
HCURSOR SetCursor(HCURSOR cursor);

// SetWindowPos flags.
enum : UINT { SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOACTIVATE = 0x10, SWP_SHOWWINDOW = 0x40, SWP_HIDEWINDOW = 0x80 };

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;

  // The wrapped widget (null when none); same as GetSafeHwnd().
  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The object receiving a widget's messages; a temporary wrapper of the right
  // control class when no object is attached (owned by the layer). Null for null.
  static CWnd* FromHandle(HWND hwnd);
  // Attaches to a widget without routing its messages here (a handle holder).
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Attaches and routes the widget's messages to this object; calls PreSubclassWindow.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();
  virtual void PreSubclassWindow() {}
  // Destroys the widget (and its children); the object stays.
  virtual BOOL DestroyWindow();

  // Identity and relatives.
  int GetDlgCtrlID() const;
  CWnd* GetDlgItem(int id) const;     // null when the dialog has no such control
  CWnd* GetParent() const;            // the window that receives this control's notifications

  // Text. For a combo box the text of its edit field or selected item.
  void SetWindowText(const CString& text);
  void GetWindowText(CString& text) const;
  CString GetWindowText() const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int id, const CString& text);
  int GetDlgItemText(int id, CString& text) const;
  UINT IsDlgButtonChecked(int id) const;
  int GetCheckedRadioButton(int first, int last) const;   // 0 when none

  // State.
  BOOL ShowWindow(int cmd);           // returns whether it was visible before
  BOOL IsWindowVisible() const;       // shown, and every parent shown
  BOOL EnableWindow(BOOL enable = TRUE);   // returns whether it was disabled before
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  // Mouse capture: until ReleaseCapture, the mouse messages of every window
  // (WM_MOUSEMOVE, WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP) go to this window,
  // in its client coordinates, wherever the mouse is. Returns the window
  // that held the capture before (null when none).
  CWnd* SetCapture();
  static CWnd* GetCapture();
  // The innermost window of the program under a screen point, or null.
  static CWnd* WindowFromPoint(CPoint point);
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const CRect* rect, BOOL erase = TRUE);
  void UpdateWindow();
  // SetRedraw(FALSE) suspends painting until SetRedraw(TRUE).
  void SetRedraw(BOOL redraw = TRUE);

  // Geometry. Client coordinates start at (0, 0); window rectangles are in
  // screen coordinates, as on the platform.
  void GetClientRect(CRect* rect) const;
  void GetWindowRect(CRect* rect) const;
  void ScreenToClient(CRect* rect) const;
  void ScreenToClient(CPoint* point) const;
  void ClientToScreen(CRect* rect) const;
  void ClientToScreen(CPoint* point) const;
  // Position relative to the parent's client area.
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
  // insertAfter: &wndTopMost / &wndNoTopMost change the top-most state; others are ignored.
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  static const CWnd wndTop;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;
  static const CWnd wndBottom;

  // Styles (WS_VISIBLE, WS_DISABLED, WS_GROUP, WS_TABSTOP; control styles of the template kind).
  DWORD GetStyle() const;
  DWORD GetExStyle() const;   // WS_EX_TOPMOST
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);

  // Font. GetFont returns the dialog font object when none was set.
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;

  // Timers: WM_TIMER with the id every elapse milliseconds until KillTimer.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused = nullptr);
  BOOL KillTimer(UINT_PTR id);
  // Ids of the running timers (for tests and diagnostics).
  std::vector<UINT_PTR> ActiveTimers() const;

  // Messages. SendMessage dispatches now through the message map (WM_COMMAND
  // with wParam = MAKEWPARAM(id, code), or any mapped message; from another
  // thread it is carried to the user-interface thread and waited for).
  // WM_KEYDOWN / WM_CHAR (wParam: the VK_ code / the character) reach the
  // control as if typed there, without PreTranslateMessage; WM_CUT, WM_COPY,
  // WM_PASTE and WM_CLEAR act on an edit through the hooks' clipboard.
  // PostMessage queues it for the user-interface thread.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Called for each key message before it reaches the focused control, and
  // for each mouse message before it reaches the window under the mouse (or
  // the one holding the capture), on that window and then on each parent up
  // to the dialog; TRUE eats the message (see MSG).
  virtual BOOL PreTranslateMessage(MSG* msg);
  // WM_COMMAND sent to this window by a control (code, id); TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // Window message dispatch through the map, with the default for unmapped ones.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Files dropped on the window arrive as WM_DROPFILES.
  void DragAcceptFiles(BOOL accept = TRUE);
  // The icon of the window (big: the task switcher's; small: the title bar's;
  // both show the same image here). Returns the previous one (null at first).
  HICON SetIcon(HICON icon, BOOL bigIcon);
  HICON GetIcon(BOOL bigIcon) const;
  // The window's system menu: 最小化 (SC_MINIMIZE) when the window was made
  // with a minimise box, 閉じる (SC_CLOSE) and the items the program adds. Alt+Space in a dialog shows it; the choice arrives
  // as WM_SYSCOMMAND with the item's id.
  CMenu* GetSystemMenu(BOOL revert);
  // A message box through the program's hooks.
  int MessageBox(const CString& text, const CString& caption = CString(), UINT type = 0);

  // Default handlers of window messages: they run the control's normal
  // behaviour. A handler in a derived class calls them to keep it.
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  // A list's rows scrolled (sent after the move, by scroll bar, wheel, keys
  // or the program): sbCode SB_THUMBPOSITION, pos the new top item.
  afx_msg void OnVScroll(UINT sbCode, UINT pos, CScrollBar* bar);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  // Asks that the message being handled also gets the control's normal handling.
  LRESULT Default();

  // Creates a control of a template kind at run time inside parent: rect in
  // pixels of parent's client area, flags as in templates (tpl::), visible
  // unless tpl::kHidden. This object then receives the control's messages
  // and destroys the control with itself. The control classes' Create
  // functions call it with the platform's styles.
  BOOL CreateControl(int kind, const CString& text, uint32_t flags, const CRect& rect, CWnd* parent, UINT id);

  // Layer internals (used by the .cpp files of the layer).
  WndState* State() const { return m_state.get(); }
  bool OwnsWidget() const { return m_ownsWidget; }
  void SetOwnsWidget(bool owns) { m_ownsWidget = owns; }
  // Notified (by the layer) when the widget is gone.
  virtual void OnWidgetDestroyed() {}

 private:
  std::unique_ptr<WndState> m_state;
  bool m_ownsWidget = false;
  bool m_routes = false;      // attached as a message receiver (subclassed)
  std::unique_ptr<CMenu> m_systemMenu;
  friend struct WndRegistry;
};


// A message box with the application's caption ("タブロコネクト"), through the hooks.
int AfxMessageBox(const CString& text, UINT type = MB_OK);

// The state of VK_SHIFT, VK_CONTROL or VK_MENU (Alt), through the hooks:
// negative (high bit set) while the key is held; 0 for other keys.
SHORT GetKeyState(int vk);

// Runs fn on the user-interface thread and waits for it (runs at once there).
void CallOnUiThread(const std::function<void()>& fn);

constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
  return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr unsigned LOWORD(uintptr_t v) { return v & 0xFFFF; }
constexpr unsigned HIWORD(uintptr_t v) { return (v >> 16) & 0xFFFF; }
