#pragma once
// Driving windows as a user would, by control id: for tests and for modal
// scripts (modal_driver.h). Each action refuses (returns false, changes
// nothing) what a user could not do: a control that is missing, hidden or
// disabled, or of the wrong kind. Notifications go out exactly as for a real
// user's action (see controls.h), and pending window events are processed
// after each action.

#include <memory>
#include <vector>

#include "platform/ui/wnd.h"

class QImage;

namespace ui {

// Creates the application object of the window layer when there is none yet
// (the dialog font, the offscreen platform in tests). Every window call does
// this itself; call it early to set up the font before anything else.
void EnsureApplication();
// Processes pending window events (timers are not fired).
void ProcessEvents();

// Keys a user holds during a driven click: while the click is handled,
// GetKeyState and the test driver's UiHooks::IsKeyDown report them.
enum : unsigned { kShift = 1, kControl = 2, kAlt = 4 };
// The keys held in the driven action running now; -1 outside one.
int DrivenKeys();

// Every action below on a dialog that has ended (or on a control of one)
// fails: it returns false and reports a script problem (modal_driver.h).

// A click on a push button, check box or radio (BN_CLICKED to the parent),
// with keys held (kShift | kControl | kAlt).
bool Click(CWnd& dlg, int id, unsigned keys = 0);
// A click on tab index of the tab control id (a property sheet's tabs:
// AFX_IDC_TAB_CONTROL), delivered to the tab's place as a user's mouse: the
// page being left is asked first (TCN_SELCHANGING; a sheet runs the page's
// OnKillActive) and a refusal keeps it. False when the tab did not change.
bool ClickTab(CWnd& dlg, int id, int index);
// Types text into an edit (or an editable combo) as a user would: replaces
// the whole text character by character, refusing characters beyond the
// typing limit and non-digits in a digits-only edit; EN_CHANGE follows each
// change. Returns false when any character did not stay (refused, or taken
// out again by the control's own handler) or the control cannot be typed in.
bool Type(CWnd& dlg, int id, const CString& text);
// Chooses item index in a combo box or list box (CBN_SELCHANGE / LBN_SELCHANGE).
bool Choose(CWnd& dlg, int id, int index);
// Sets a check box to checked/unchecked by clicking it when needed.
bool SetChecked(CWnd& dlg, int id, bool checked);
// Gives the focus to a control and takes it away again (EN_KILLFOCUS ...).
bool FocusThenLeave(CWnd& dlg, int id);
// A key pressed with the focus in control id (0: the dialog): goes through
// PreTranslateMessage, then the control. vk is a VK_ code or a character.
bool PressKey(CWnd& dlg, int id, UINT vk, bool shift = false, bool control = false, bool alt = false);
// Files dropped on a window (WM_DROPFILES if it accepts files).
bool DropFiles(CWnd& wnd, const std::vector<CString>& paths);
// Fires timer id of a window now, if it is running (WM_TIMER).
bool FireTimer(CWnd& wnd, UINT_PTR id);
// A mouse click at a point of a window's client area (WM_LBUTTONDOWN/UP; on a
// list, the click on the item there).
bool ClickAt(CWnd& wnd, CPoint point, unsigned keys = 0);
// Presses the left button at from, moves the mouse in a few steps to to and
// releases it there (both in wnd's client coordinates; to may lie outside
// wnd). As while a button is held, every move and the release go to wnd
// (or to the window holding the capture). shift holds Shift throughout.
bool Drag(CWnd& wnd, CPoint from, CPoint to, bool shift = false);
// Turns the mouse wheel over a window by notches (positive: away from the
// user, scrolling up), as over a list's rows (WM_MOUSEWHEEL first, then the
// window's own scrolling).
bool Wheel(CWnd& wnd, int notches);
// Drags the thumb of a list's vertical scroll bar by pixels (positive: down)
// with the left button, through the list's top-level window. False when the
// list shows no vertical scroll bar.
bool DragScrollThumb(CWnd& wnd, int pixels);
// A right click at a point of a window's client area: the button down and up
// (NM_RCLICK on a list), then the context menu request (WM_CONTEXTMENU to the
// window, or to the first parent that maps it, with the clicked window).
bool RightClickAt(CWnd& wnd, CPoint point);
// Moves the mouse over a window (hover) or away from it.
bool Hover(CWnd& wnd, bool over);
// The close box of a dialog (WM_CLOSE).
bool CloseBox(CWnd& dlg);

// Texts and states, read as a person sees them.
CString TextOf(CWnd& dlg, int id);
bool IsShown(CWnd& dlg, int id);       // the control and its parents are not hidden
bool IsEnabled(CWnd& dlg, int id);
// The ids of the controls in creation order.
std::vector<int> ControlIds(CWnd& dlg);

// A picture of a window as painted now (the whole window with its children).
class Picture {
 public:
  Picture();
  ~Picture();
  Picture(Picture&&) noexcept;
  Picture& operator=(Picture&&) noexcept;
  int Width() const;
  int Height() const;
  COLORREF Pixel(int x, int y) const;   // CLR_NONE outside
  bool SavePng(const CString& path) const;
  // How many pixels of the rectangle have the colour.
  int CountColour(const CRect& rect, COLORREF colour) const;
  const QImage* Image() const { return m_image.get(); }

 private:
  friend Picture Render(CWnd& wnd);
  std::unique_ptr<QImage> m_image;
};
Picture Render(CWnd& wnd);

}  // namespace ui
