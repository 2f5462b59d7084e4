// Mouse messages, the mouse capture, the window under a point and cursors.

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "platform/ui/ui_internal.h"

namespace {

QPointer<QWidget> g_capture;
QPointer<QWidget> g_mouseWindow;   // whose mouse message is being handled
HCURSOR g_cursor = nullptr;

struct CursorShape {
  CursorResource resource;
  Qt::CursorShape shape;
};
constexpr CursorShape kCursors[] = {
    {{IDC_ARROW}, Qt::ArrowCursor},     {{IDC_IBEAM}, Qt::IBeamCursor},     {{IDC_WAIT}, Qt::WaitCursor},
    {{IDC_CROSS}, Qt::CrossCursor},     {{IDC_SIZENWSE}, Qt::SizeFDiagCursor}, {{IDC_SIZENESW}, Qt::SizeBDiagCursor},
    {{IDC_SIZEWE}, Qt::SizeHorCursor},  {{IDC_SIZENS}, Qt::SizeVerCursor},  {{IDC_SIZEALL}, Qt::SizeAllCursor},
    {{IDC_NO}, Qt::ForbiddenCursor},
};
static_assert(std::size(kCursors) == 10);

// The registered window a widget belongs to (a viewport belongs to its view).
QWidget* OwnerOf(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    WidgetInfo* info = layer::Info(w);
    if (info && info->aliasOf) return info->aliasOf;
    if (info && (info->hasKind || info->dialog || !info->routers.empty() || !info->owners.empty())) return w;
  }
  return nullptr;
}

}  // namespace

UINT layer::MouseMessage(const QMouseEvent* e) {
  struct Row {
    QEvent::Type type;
    Qt::MouseButton button;   // Qt::NoButton: any
    UINT message;
  };
  static constexpr Row kMessages[] = {
      {QEvent::MouseMove, Qt::NoButton, WM_MOUSEMOVE},
      {QEvent::MouseButtonPress, Qt::LeftButton, WM_LBUTTONDOWN},
      {QEvent::MouseButtonPress, Qt::RightButton, WM_RBUTTONDOWN},
      {QEvent::MouseButtonRelease, Qt::LeftButton, WM_LBUTTONUP},
      {QEvent::MouseButtonRelease, Qt::RightButton, WM_RBUTTONUP},
      {QEvent::MouseButtonDblClick, Qt::LeftButton, WM_LBUTTONDBLCLK},
  };
  for (const Row& r : kMessages)
    if (r.type == e->type() && (r.button == Qt::NoButton || r.button == e->button())) return r.message;
  return 0;
}

namespace {
UINT MouseKeys(const QSinglePointEvent* e) {
  UINT flags = 0;
  if (e->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
  if (e->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
  if (e->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (e->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

// The event's point in owner's client coordinates.
QPoint PointIn(QWidget* owner, QWidget* receiver, const QSinglePointEvent* e) {
  QPoint p = e->position().toPoint();
  if (receiver == owner) return p;
  return owner->isAncestorOf(receiver) ? receiver->mapTo(owner, p) : owner->mapFromGlobal(e->globalPosition().toPoint());
}
}  // namespace

bool layer::MouseMsgOf(QWidget* receiver, QEvent* ev, MSG& msg) {
  const QEvent::Type type = ev->type();
  const bool wheel = type == QEvent::Wheel;
  if (!wheel && type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick)
    return false;   // checked first: every event of the program passes here
  QWidget* owner = g_capture ? g_capture.data() : OwnerOf(receiver);
  if (!owner) return false;
  msg.hwnd = owner;
  auto* pointer = static_cast<QSinglePointEvent*>(ev);
  QPoint screen = pointer->globalPosition().toPoint();
  msg.pt = CPoint(screen.x(), screen.y());
  if (wheel) {
    auto* we = static_cast<QWheelEvent*>(ev);
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(MouseKeys(we), static_cast<unsigned>(static_cast<uint16_t>(we->angleDelta().y())));
    msg.lParam = MAKELPARAM(screen.x(), screen.y());
    return true;
  }
  auto* me = static_cast<QMouseEvent*>(ev);
  msg.message = MouseMessage(me);
  if (!msg.message) return false;
  QPoint p = PointIn(owner, receiver, me);
  msg.wParam = MouseKeys(me);
  msg.lParam = MAKELPARAM(p.x(), p.y());
  return true;
}

bool layer::SendMouseMessage(QWidget* receiver, QWidget* owner, UINT message, const QMouseEvent* e) {
  if (!message || !Maps(owner, message)) return false;
  MsgArgs args;
  args.wParam = MouseKeys(e);
  QPoint p = PointIn(owner, receiver, e);
  args.point = CPoint(p.x(), p.y());
  QPointer<QWidget> previous = g_mouseWindow;
  g_mouseWindow = owner;
  bool eaten = SendWindowMessage(owner, message, args);
  g_mouseWindow = previous;
  return eaten;
}

bool layer::RedirectToCapture(QWidget* receiver, QMouseEvent* e) {
  QWidget* capture = g_capture;
  if (!capture || !MouseMessage(e) || OwnerOf(receiver) == capture) return false;
  SendMouseMessage(receiver, capture, MouseMessage(e), e);
  return true;   // the window under the mouse does not see it
}

CWnd* CWnd::SetCapture() {
  CWnd* previous = GetCapture();
  g_capture = m_hWnd;
  return previous;
}

CWnd* CWnd::GetCapture() { return g_capture ? FromHandle(g_capture) : nullptr; }

BOOL ReleaseCapture() {
  bool held = !g_capture.isNull();
  g_capture = nullptr;
  return held ? TRUE : FALSE;
}

CWnd* CWnd::WindowFromPoint(CPoint point) {
  if (!QApplication::instance()) return nullptr;
  QWidget* owner = OwnerOf(QApplication::widgetAt(QPoint(point.x, point.y)));
  return owner ? FromHandle(owner) : nullptr;
}

HCURSOR LoadCursor(void*, int id) {
  for (const CursorShape& c : kCursors)
    if (c.resource.id == id) return &c.resource;
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = g_cursor;
  g_cursor = cursor;
  QWidget* target = g_capture ? g_capture.data() : g_mouseWindow.data();
  if (!target || !cursor) return previous;
  for (const CursorShape& c : kCursors)
    if (&c.resource == cursor) target->setCursor(c.shape);
  return previous;
}
