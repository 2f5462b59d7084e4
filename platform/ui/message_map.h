#pragma once
// Message maps: a static table per class from (message, notification, control
// id) to a member function, written with the classic macros:
//
//   // in the class:                     // in the .cpp:
//   DECLARE_MESSAGE_MAP()                BEGIN_MESSAGE_MAP(CNameDlg, CDialogEx)
//                                          ON_BN_CLICKED(1185, &CNameDlg::OnGrouped)
//                                          ON_WM_PAINT()
//                                        END_MESSAGE_MAP()
//
// Lookup walks the class's table, then its base classes' tables; the first
// matching entry wins, so a derived class overrides a base entry. Commands and
// notifications of a control go first to the control's own (subclassed) object
// when it has a REFLECT entry for them, otherwise to the parent dialog. Window
// messages (paint, mouse, keys, timers, dropped files...) go to the object that
// owns the window. A handler that wants the control's normal behaviour as well
// calls the base handler (CWnd::OnKeyDown and the like call Default()).
//
// Handler signatures are the classic ones:
//   ON_BN_CLICKED / ON_EN_CHANGE / ON_CBN_SELCHANGE / ... / ON_COMMAND:  void f()
//   ON_COMMAND_RANGE / ON_CONTROL_RANGE:        void f(UINT id)
//   ON_NOTIFY(code, id, f):                     void f(NMHDR*, LRESULT*)
//   ON_NOTIFY_RANGE(code, first, last, f):      void f(UINT id, NMHDR*, LRESULT*)
//   ON_CONTROL_REFLECT(code, f):                void f()
//   ON_NOTIFY_REFLECT(code, f):                 void f(NMHDR*, LRESULT*)
//   ON_MESSAGE(msg, f):                         LRESULT f(WPARAM, LPARAM)
//   ON_WM_PAINT OnPaint(); ON_WM_TIMER OnTimer(UINT_PTR);
//   ON_WM_LBUTTONDOWN/UP/DBLCLK, ON_WM_RBUTTONDOWN/UP, ON_WM_MOUSEMOVE: f(UINT flags, CPoint);
//   ON_WM_KEYDOWN/ON_WM_KEYUP/ON_WM_CHAR/ON_WM_SYSKEYDOWN: f(UINT nChar, UINT nRepCnt, UINT nFlags);
//   ON_WM_DROPFILES OnDropFiles(HDROP); ON_WM_CTLCOLOR HBRUSH OnCtlColor(CDC*, CWnd*, UINT);
//   ON_WM_SYSCOMMAND OnSysCommand(UINT, LPARAM); ON_WM_CLOSE OnClose(); ON_WM_DESTROY OnDestroy();
//   ON_WM_SIZE OnSize(UINT, int, int); ON_WM_ERASEBKGND BOOL OnEraseBkgnd(CDC*);
//   ON_WM_CONTEXTMENU OnContextMenu(CWnd*, CPoint); ON_WM_MOUSEWHEEL BOOL OnMouseWheel(UINT, short, CPoint);
//   ON_WM_VSCROLL OnVScroll(UINT sbCode, UINT pos, CScrollBar*);
//   ON_WM_SETFOCUS OnSetFocus(CWnd*); ON_WM_KILLFOCUS OnKillFocus(CWnd*); ON_WM_SHOWWINDOW OnShowWindow(BOOL, UINT).

#include <functional>

#include "platform/ui/win_types.h"

class CCmdTarget;
class CWnd;
class CDC;
class CBrush;
class CScrollBar;
struct DropFiles;
using HDROP = DropFiles*;
using HBRUSH = const CBrush*;

#define afx_msg

// Everything a handler may need of one message; adaptors pick their arguments.
struct MsgArgs {
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  UINT id = 0;                 // control or command id
  NMHDR* nmhdr = nullptr;      // WM_NOTIFY
  LRESULT* result = nullptr;   // WM_NOTIFY result slot
  CPoint point;                // mouse position, client coordinates
  CDC* dc = nullptr;           // WM_CTLCOLOR / WM_ERASEBKGND
  CWnd* wnd = nullptr;         // WM_CTLCOLOR control, focus windows, context menu
  HDROP drop = nullptr;        // WM_DROPFILES
};

struct MessageMapEntry {
  UINT message = 0;      // WM_COMMAND, WM_NOTIFY or a window message; 0 ends the table
  int code = 0;          // notification code (WM_COMMAND / WM_NOTIFY)
  int firstId = 0;       // control id range (WM_COMMAND / WM_NOTIFY)
  int lastId = 0;
  bool reflect = false;  // the control's own entry for its notification
  std::function<LRESULT(CCmdTarget*, MsgArgs&)> call;

  template <class T>
  static MessageMapEntry Command(UINT code, int first, int last, void (T::*fn)()) {
    return {WM_COMMAND, static_cast<int>(code), first, last, false,
            [fn](CCmdTarget* t, MsgArgs&) -> LRESULT { (static_cast<T*>(t)->*fn)(); return 0; }};
  }
  template <class T>
  static MessageMapEntry CommandRange(UINT code, int first, int last, void (T::*fn)(UINT)) {
    return {WM_COMMAND, static_cast<int>(code), first, last, false,
            [fn](CCmdTarget* t, MsgArgs& a) -> LRESULT { (static_cast<T*>(t)->*fn)(a.id); return 0; }};
  }
  template <class T>
  static MessageMapEntry Notify(int code, int first, int last, void (T::*fn)(NMHDR*, LRESULT*)) {
    return {WM_NOTIFY, code, first, last, false, [fn](CCmdTarget* t, MsgArgs& a) -> LRESULT {
              (static_cast<T*>(t)->*fn)(a.nmhdr, a.result);
              return 0;
            }};
  }
  template <class T>
  static MessageMapEntry NotifyRange(int code, int first, int last, void (T::*fn)(UINT, NMHDR*, LRESULT*)) {
    return {WM_NOTIFY, code, first, last, false, [fn](CCmdTarget* t, MsgArgs& a) -> LRESULT {
              (static_cast<T*>(t)->*fn)(a.id, a.nmhdr, a.result);
              return 0;
            }};
  }
  template <class T>
  static MessageMapEntry ReflectCommand(UINT code, void (T::*fn)()) {
    return {WM_COMMAND, static_cast<int>(code), 0, 0, true,
            [fn](CCmdTarget* t, MsgArgs&) -> LRESULT { (static_cast<T*>(t)->*fn)(); return 0; }};
  }
  template <class T>
  static MessageMapEntry ReflectNotify(int code, void (T::*fn)(NMHDR*, LRESULT*)) {
    return {WM_NOTIFY, code, 0, 0, true, [fn](CCmdTarget* t, MsgArgs& a) -> LRESULT {
              (static_cast<T*>(t)->*fn)(a.nmhdr, a.result);
              return 0;
            }};
  }
  // A window message with an adaptor that unpacks MsgArgs for the handler.
  template <class T, class F>
  static MessageMapEntry Message(UINT msg, F fn) {
    return {msg, 0, 0, 0, false,
            [fn](CCmdTarget* t, MsgArgs& a) -> LRESULT { return fn(static_cast<T*>(t), a); }};
  }
};

struct MessageMap {
  const MessageMap* (*base)();   // null at the root
  const MessageMapEntry* entries;
};

// Root of everything that receives commands.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

  // The first entry of this object's map chain that matches, or null.
  // For WM_COMMAND/WM_NOTIFY code and id must match (reflect selects the
  // control's own entries); for other messages only the message counts.
  const MessageMapEntry* FindEntry(UINT message, int code, int id, bool reflect) const;
  // Calls the matching entry; false when there is none.
  bool Dispatch(UINT message, int code, int id, bool reflect, MsgArgs& args, LRESULT* result = nullptr);
};

#define DECLARE_MESSAGE_MAP()                                  \
 public:                                                       \
  static const MessageMap* GetThisMessageMap();                \
  const MessageMap* GetMessageMap() const override {           \
    return GetThisMessageMap();                                \
  }                                                            \
                                                               \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                        \
  const MessageMap* theClass::GetThisMessageMap() {                   \
    using ThisClass = theClass;                                       \
    using TheBaseClass = baseClass;                                   \
    (void)sizeof(ThisClass*);                                         \
    static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                             \
    MessageMapEntry{} };                                              \
    static const MessageMap map{&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                      \
  }

// Commands and control notifications.
#define ON_COMMAND(id, fn) MessageMapEntry::Command(0, (id), (id), fn),
#define ON_COMMAND_RANGE(first, last, fn) MessageMapEntry::CommandRange(0, (first), (last), fn),
#define ON_CONTROL(code, id, fn) MessageMapEntry::Command((code), (id), (id), fn),
#define ON_CONTROL_RANGE(code, first, last, fn) MessageMapEntry::CommandRange((code), (first), (last), fn),
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CLBN_CHKCHANGE(id, fn) ON_CONTROL(CLBN_CHKCHANGE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_NOTIFY(code, id, fn) MessageMapEntry::Notify((code), (id), (id), fn),
#define ON_NOTIFY_RANGE(code, first, last, fn) MessageMapEntry::NotifyRange((code), (first), (last), fn),
#define ON_CONTROL_REFLECT(code, fn) MessageMapEntry::ReflectCommand((code), fn),
#define ON_NOTIFY_REFLECT(code, fn) MessageMapEntry::ReflectNotify((code), fn),

// Window messages.
#define ON_MESSAGE(msg, fn)                                                          \
  MessageMapEntry::Message<ThisClass>((msg), [](ThisClass* t, MsgArgs& a) -> LRESULT { \
    return (t->*(fn))(a.wParam, a.lParam);                                           \
  }),
#define TABRO_MSG_VOID(msg, call)                                                   \
  MessageMapEntry::Message<ThisClass>((msg), [](ThisClass* t, MsgArgs& a) -> LRESULT { \
    (void)a;                                                                         \
    t->call;                                                                         \
    return 0;                                                                        \
  }),
#define ON_WM_PAINT() TABRO_MSG_VOID(WM_PAINT, ThisClass::OnPaint())
#define ON_WM_TIMER() TABRO_MSG_VOID(WM_TIMER, ThisClass::OnTimer(static_cast<UINT_PTR>(a.wParam)))
#define ON_WM_LBUTTONDOWN() TABRO_MSG_VOID(WM_LBUTTONDOWN, ThisClass::OnLButtonDown(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_LBUTTONUP() TABRO_MSG_VOID(WM_LBUTTONUP, ThisClass::OnLButtonUp(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_LBUTTONDBLCLK() TABRO_MSG_VOID(WM_LBUTTONDBLCLK, ThisClass::OnLButtonDblClk(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_RBUTTONDOWN() TABRO_MSG_VOID(WM_RBUTTONDOWN, ThisClass::OnRButtonDown(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_RBUTTONUP() TABRO_MSG_VOID(WM_RBUTTONUP, ThisClass::OnRButtonUp(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_MOUSEMOVE() TABRO_MSG_VOID(WM_MOUSEMOVE, ThisClass::OnMouseMove(static_cast<UINT>(a.wParam), a.point))
#define ON_WM_KEYDOWN() TABRO_MSG_VOID(WM_KEYDOWN, ThisClass::OnKeyDown(static_cast<UINT>(a.wParam), 1, 0))
#define ON_WM_KEYUP() TABRO_MSG_VOID(WM_KEYUP, ThisClass::OnKeyUp(static_cast<UINT>(a.wParam), 1, 0))
#define ON_WM_SYSKEYDOWN() TABRO_MSG_VOID(WM_SYSKEYDOWN, ThisClass::OnSysKeyDown(static_cast<UINT>(a.wParam), 1, 0))
#define ON_WM_CHAR() TABRO_MSG_VOID(WM_CHAR, ThisClass::OnChar(static_cast<UINT>(a.wParam), 1, 0))
#define ON_WM_DROPFILES() TABRO_MSG_VOID(WM_DROPFILES, ThisClass::OnDropFiles(a.drop))
#define ON_WM_SYSCOMMAND() TABRO_MSG_VOID(WM_SYSCOMMAND, ThisClass::OnSysCommand(static_cast<UINT>(a.wParam), a.lParam))
#define ON_WM_CLOSE() TABRO_MSG_VOID(WM_CLOSE, ThisClass::OnClose())
#define ON_WM_DESTROY() TABRO_MSG_VOID(WM_DESTROY, ThisClass::OnDestroy())
#define ON_WM_SIZE() TABRO_MSG_VOID(WM_SIZE, ThisClass::OnSize(static_cast<UINT>(a.wParam), a.point.x, a.point.y))
#define ON_WM_SETFOCUS() TABRO_MSG_VOID(WM_SETFOCUS, ThisClass::OnSetFocus(a.wnd))
#define ON_WM_KILLFOCUS() TABRO_MSG_VOID(WM_KILLFOCUS, ThisClass::OnKillFocus(a.wnd))
#define ON_WM_SHOWWINDOW() TABRO_MSG_VOID(WM_SHOWWINDOW, ThisClass::OnShowWindow(static_cast<BOOL>(a.wParam), 0))
#define ON_WM_VSCROLL() \
  TABRO_MSG_VOID(WM_VSCROLL, ThisClass::OnVScroll(LOWORD(a.wParam), HIWORD(a.wParam), nullptr))
#define ON_WM_CONTEXTMENU() TABRO_MSG_VOID(WM_CONTEXTMENU, ThisClass::OnContextMenu(a.wnd, a.point))
#define ON_WM_ERASEBKGND()                                                                     \
  MessageMapEntry::Message<ThisClass>(WM_ERASEBKGND, [](ThisClass* t, MsgArgs& a) -> LRESULT { \
    return t->ThisClass::OnEraseBkgnd(a.dc);                                                   \
  }),
#define ON_WM_MOUSEWHEEL()                                                                    \
  MessageMapEntry::Message<ThisClass>(WM_MOUSEWHEEL, [](ThisClass* t, MsgArgs& a) -> LRESULT { \
    return t->ThisClass::OnMouseWheel(0, static_cast<short>(a.wParam), a.point);              \
  }),
// The handler's brush (null: the default) and the text colour and background
// mode it sets on the CDC decide how the control is painted.
#define ON_WM_CTLCOLOR()                                                                    \
  MessageMapEntry::Message<ThisClass>(WM_CTLCOLOR, [](ThisClass* t, MsgArgs& a) -> LRESULT { \
    return reinterpret_cast<LRESULT>(t->ThisClass::OnCtlColor(a.dc, a.wnd, static_cast<UINT>(a.wParam))); \
  }),

// Kinds of control for OnCtlColor.
enum : UINT { CTLCOLOR_EDIT = 1, CTLCOLOR_LISTBOX = 2, CTLCOLOR_BTN = 3, CTLCOLOR_DLG = 4, CTLCOLOR_STATIC = 6 };
