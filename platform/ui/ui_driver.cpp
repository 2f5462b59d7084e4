// Driving windows as a user would (tests and modal scripts).

#include "platform/ui/ui_driver.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QTabWidget>
#include <atomic>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_internal.h"

using layer::FromQ;
using layer::ToQ;

namespace ui {

namespace {

QWidget* Control(CWnd& dlg, int id) {
  CWnd* c = dlg.GetDlgItem(id);
  return c ? c->m_hWnd : nullptr;
}

using layer::Usable;

// Where the mouse of a window lands: a scroll area (a list) takes it in its viewport.
QWidget* MouseTarget(QWidget* w) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area->viewport();
  return w;
}

Qt::Key QtKey(UINT vk) { return layer::QtKeyOf(vk); }

// The keys held in the driven action running now (-1: none).
std::atomic<int> g_drivenKeys{-1};

// Holds keys for the length of one driven action.
class HoldKeys {
 public:
  explicit HoldKeys(unsigned keys) : m_outer(g_drivenKeys.exchange(static_cast<int>(keys))) {}
  ~HoldKeys() { g_drivenKeys.store(m_outer); }

 private:
  int m_outer;
};

Qt::KeyboardModifiers Modifiers(unsigned keys) {
  Qt::KeyboardModifiers mods;
  if (keys & kShift) mods |= Qt::ShiftModifier;
  if (keys & kControl) mods |= Qt::ControlModifier;
  if (keys & kAlt) mods |= Qt::AltModifier;
  return mods;
}

// False, with a script problem, when the window belongs to a dialog that has
// ended: a user can no longer reach it.
bool Live(CWnd& wnd) {
  auto ended = [](const CDialog* d) { return d && d->HasEnded(); };
  const CDialog* found = dynamic_cast<const CDialog*>(&wnd);
  bool dead = ended(found);
  for (QWidget* p = wnd.m_hWnd; p && !dead; p = p->parentWidget())
    if (WidgetInfo* info = layer::Info(p); info && info->dialog) dead = ended(info->dialog) ? (found = info->dialog, true) : false;
  if (!dead) return true;
  CString problem = CString::Build(u"action on dialog %u after it ended", found->GetTemplateId());
  if (auto* driver = dynamic_cast<ScriptedModalDriver*>(GetModalDriver())) driver->ReportProblem(problem);
  else ReportScriptProblem(problem);
  return false;
}

// A mouse button pressed and released at a point of target, as from the window
// system: to the top-level window, which finds the widget under the point (so
// a covered or disabled control does not get it). A control not on screen (a
// window not shown, a page behind another) has no such road; it gets the
// events directly.
void SendMouseClick(QWidget* target, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  QWidget* top = target->window();
  QWindow* window = top ? top->windowHandle() : nullptr;
  const bool onScreen = window && target->isVisible();
  QObject* receiver = onScreen ? static_cast<QObject*>(window) : static_cast<QObject*>(target);
  const QPointF at = onScreen ? QPointF(target->mapTo(top, local)) : QPointF(local);
  const QPoint global = target->mapToGlobal(local);
  QPointer<QObject> guard(receiver);
  QMouseEvent press(QEvent::MouseButtonPress, at, at, global, button, button, mods);
  QApplication::sendEvent(receiver, &press);
  if (!guard) return;
  QMouseEvent release(QEvent::MouseButtonRelease, at, at, global, button, Qt::NoButton, mods);
  QApplication::sendEvent(receiver, &release);
  // A window follows a right button with the context-menu event itself.
  if (!onScreen && guard && button == Qt::RightButton) {
    QContextMenuEvent menu(QContextMenuEvent::Mouse, local, global, mods);
    QApplication::sendEvent(target, &menu);
  }
}

}  // namespace

int DrivenKeys() { return g_drivenKeys.load(); }

bool Click(CWnd& dlg, int id, unsigned keys) {
  if (!Live(dlg)) return false;
  QWidget* w = Control(dlg, id);
  auto* b = qobject_cast<QAbstractButton*>(w);
  if (!b || !Usable(b)) return false;
  HoldKeys hold(keys);
  SendMouseClick(b, b->rect().center(), Qt::LeftButton, Modifiers(keys));
  ProcessEvents();
  return true;
}

bool Type(CWnd& dlg, int id, const CString& text) {
  if (!Live(dlg)) return false;
  QWidget* w = Control(dlg, id);
  if (!Usable(w)) return false;
  QString q = ToQ(text);
  if (auto* cb = qobject_cast<QComboBox*>(w)) {
    if (!cb->isEditable()) return false;
    w = cb->lineEdit();
  }
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    if (le->isReadOnly()) return false;
    // Character by character, so the limit and the digits rule refuse what
    // a user's keystrokes could not enter.
    le->setFocus();
    le->selectAll();
    le->del();
    bool all = true;
    for (QChar ch : q) {
      QString before = le->text();
      le->insert(QString(ch));
      if (le->text() == before) all = false;
    }
    if (qobject_cast<QComboBox*>(le->parentWidget())) emit le->textEdited(le->text());
    ProcessEvents();
    return all;
  }
  if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    if (pe->isReadOnly()) return false;
    WidgetInfo* info = layer::Info(pe);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    bool all = true;
    if (info && info->limit > 0 && q.size() > info->limit) {
      q.truncate(info->limit);
      all = false;
    }
    pe->setFocus();
    pe->setPlainText(q);
    ProcessEvents();
    return all;
  }
  return false;
}

bool Choose(CWnd& dlg, int id, int index) {
  if (!Live(dlg)) return false;
  QWidget* w = Control(dlg, id);
  if (!Usable(w)) return false;
  if (auto* cb = qobject_cast<QComboBox*>(w)) {
    if (index < 0 || index >= cb->count()) return false;
    cb->setCurrentIndex(index);
    emit cb->activated(index);
    ProcessEvents();
    return true;
  }
  if (auto* lw = qobject_cast<QListWidget*>(w)) {
    if (index < 0 || index >= lw->count()) return false;
    lw->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    ProcessEvents();
    return true;
  }
  return false;
}

bool SetChecked(CWnd& dlg, int id, bool checked) {
  if (!Live(dlg)) return false;
  auto* b = qobject_cast<QAbstractButton*>(Control(dlg, id));
  if (!b || !Usable(b) || !b->isCheckable()) return false;
  if (b->isChecked() != checked) b->click();
  ProcessEvents();
  return b->isChecked() == checked;
}

bool FocusThenLeave(CWnd& dlg, int id) {
  if (!Live(dlg)) return false;
  QWidget* w = Control(dlg, id);
  if (!Usable(w)) return false;
  QWidget* target = w;
  if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) target = pe->viewport();
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(w, &in);
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(target == w ? w : target, &out);
  ProcessEvents();
  return true;
}

bool PressKey(CWnd& dlg, int id, UINT vk, bool shift, bool control, bool alt) {
  if (!Live(dlg)) return false;
  QWidget* w = id == 0 ? dlg.m_hWnd : Control(dlg, id);
  if (!w || (id != 0 && !Usable(w))) return false;
  if (id != 0) w->setFocus();
  QWidget* target = w;
  if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) target = pe;
  HoldKeys hold((shift ? kShift : 0u) | (control ? kControl : 0u) | (alt || vk == VK_MENU ? kAlt : 0u));
  Qt::KeyboardModifiers mods;
  if (shift) mods |= Qt::ShiftModifier;
  if (control) mods |= Qt::ControlModifier;
  if (alt || vk == VK_MENU) mods |= Qt::AltModifier;
  QString text;
  if (vk == VK_RETURN) text = QStringLiteral("\r");
  else if (vk == VK_SPACE) text = QStringLiteral(" ");
  else if (vk >= 'A' && vk <= 'Z') text = QString(QChar(shift ? vk : vk + 32));
  else if (vk >= '0' && vk <= '9') text = QString(QChar(vk));
  // As from the window system: to the top-level window, which hands the key to
  // its focus widget.
  QWidget* top = target->window();
  QObject* receiver = top && top->windowHandle() && top->focusWidget() == target
                          ? static_cast<QObject*>(top->windowHandle())
                          : static_cast<QObject*>(target);
  QKeyEvent press(QEvent::KeyPress, QtKey(vk), mods, text);
  QApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, QtKey(vk), mods, text);
  QApplication::sendEvent(receiver, &release);
  ProcessEvents();
  return true;
}

bool DropFiles(CWnd& wnd, const std::vector<CString>& paths) {
  if (!Live(wnd)) return false;
  if (!wnd.m_hWnd) return false;
  WidgetInfo* info = layer::Info(wnd.m_hWnd);
  if (!info || !info->acceptFiles) return false;
  QMimeData mime;
  QList<QUrl> urls;
  for (const CString& p : paths) urls << QUrl::fromLocalFile(ToQ(p));
  mime.setUrls(urls);
  QPointF pos(5, 5);
  QDragEnterEvent enter(pos.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(wnd.m_hWnd, &enter);
  QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(wnd.m_hWnd, &drop);
  ProcessEvents();
  return true;
}

bool FireTimer(CWnd& wnd, UINT_PTR id) {
  if (!Live(wnd)) return false;
  WidgetInfo* info = layer::Info(wnd.m_hWnd);
  if (!info) return false;
  auto it = info->timers.find(id);
  if (it == info->timers.end() || !it->second->isActive()) return false;
  MsgArgs args;
  args.wParam = id;
  layer::SendWindowMessage(wnd.m_hWnd, WM_TIMER, args);
  ProcessEvents();
  return true;
}

namespace {
// Presses and releases one mouse button at a point of wnd, as a user's click;
// a right click also asks for the context menu. False when wnd takes no input.
bool ClickButtonAt(CWnd& wnd, CPoint point, Qt::MouseButton button, unsigned keys) {
  if (!Live(wnd)) return false;
  QWidget* w = wnd.m_hWnd;
  if (!Usable(w)) return false;
  HoldKeys hold(keys);
  const Qt::KeyboardModifiers mods = Modifiers(keys);
  QWidget* target = MouseTarget(w);
  SendMouseClick(target, target->mapFrom(w, QPoint(point.x, point.y)), button, mods);
  ProcessEvents();
  return true;
}
}  // namespace

bool ClickAt(CWnd& wnd, CPoint point, unsigned keys) { return ClickButtonAt(wnd, point, Qt::LeftButton, keys); }

bool ClickTab(CWnd& dlg, int id, int index) {
  if (!Live(dlg)) return false;
  auto* tabs = qobject_cast<QTabWidget*>(Control(dlg, id));
  if (!tabs || !Usable(tabs) || index < 0 || index >= tabs->count()) return false;
  QTabBar* bar = tabs->tabBar();
  const int before = tabs->currentIndex();
  SendMouseClick(bar, bar->tabRect(index).center(), Qt::LeftButton, Qt::NoModifier);
  ProcessEvents();
  return tabs->currentIndex() != before;
}

bool Drag(CWnd& wnd, CPoint from, CPoint to, bool shift) {
  if (!Live(wnd)) return false;
  QWidget* w = wnd.m_hWnd;
  if (!Usable(w)) return false;
  QWidget* target = MouseTarget(w);
  QPointer<QWidget> guard(target);
  HoldKeys hold(shift ? kShift : 0u);
  Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
  auto send = [&](QEvent::Type type, CPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    if (!guard) return;
    QPointF local = target->mapFrom(w, QPoint(at.x, at.y));
    QMouseEvent e(type, local, target->mapToGlobal(local), button, held, mods);
    QApplication::sendEvent(target, &e);
    ProcessEvents();
  };
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  constexpr int kSteps = 4;
  for (int i = 1; i <= kSteps; ++i)
    send(QEvent::MouseMove,
         CPoint(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps), Qt::NoButton,
         Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  return true;
}

bool Wheel(CWnd& wnd, int notches) {
  if (!Live(wnd)) return false;
  QWidget* w = wnd.m_hWnd;
  if (!Usable(w)) return false;
  QWidget* target = MouseTarget(w);
  QPointF local(5, 5);
  // As from the window system: to the top-level window, which hands the wheel
  // to the widget under the pointer.
  QWidget* top = target->window();
  const QPointF global = target->mapToGlobal(local);
  if (QWindow* window = top->windowHandle(); window && top->isVisible()) {
    QWheelEvent e(target->mapTo(top, local), global, QPoint(), QPoint(0, notches * 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &e);
  } else {
    QWheelEvent e(local, global, QPoint(), QPoint(0, notches * 120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
  }
  ProcessEvents();
  return true;
}

bool DragScrollThumb(CWnd& wnd, int pixels) {
  if (!Live(wnd)) return false;
  auto* area = qobject_cast<QAbstractScrollArea*>(wnd.m_hWnd);
  if (!area || !Usable(area)) return false;
  QScrollBar* bar = area->verticalScrollBar();
  if (!bar || !bar->isVisible()) return false;
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  QWidget* top = bar->window();
  QWindow* window = top->windowHandle();
  if (!window || !top->isVisible()) return false;
  // Through the top-level window, which gives the mouse to the bar under it
  // and, once pressed, keeps it there until the release.
  auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF inTop = bar->mapTo(top, QPointF(at));
    QMouseEvent e(type, inTop, inTop, bar->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(window, &e);
    ProcessEvents();
  };
  const QPoint from = thumb.center();
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  constexpr int kSteps = 4;
  for (int i = 1; i <= kSteps; ++i)
    send(QEvent::MouseMove, from + QPoint(0, pixels * i / kSteps), Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, from + QPoint(0, pixels), Qt::LeftButton, Qt::NoButton);
  return true;
}

bool RightClickAt(CWnd& wnd, CPoint point) { return ClickButtonAt(wnd, point, Qt::RightButton, 0); }

bool Hover(CWnd& wnd, bool over) {
  if (!Live(wnd)) return false;
  QWidget* w = wnd.m_hWnd;
  if (!w) return false;
  if (over) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
  } else {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
  }
  ProcessEvents();
  return true;
}

bool CloseBox(CWnd& dlg) {
  if (!Live(dlg)) return false;
  if (!dlg.m_hWnd) return false;
  dlg.SendMessage(WM_CLOSE);
  ProcessEvents();
  return true;
}

CString TextOf(CWnd& dlg, int id) {
  CWnd* c = dlg.GetDlgItem(id);
  return c ? c->GetWindowText() : CString();
}

bool IsShown(CWnd& dlg, int id) {
  QWidget* w = Control(dlg, id);
  if (!w) return false;
  for (QWidget* p = w; p; p = p->parentWidget()) {
    if (p->isHidden() && p != dlg.m_hWnd) return false;
    if (p == dlg.m_hWnd) break;
  }
  return true;
}

bool IsEnabled(CWnd& dlg, int id) {
  QWidget* w = Control(dlg, id);
  return w && w->isEnabled();
}

std::vector<int> ControlIds(CWnd& dlg) {
  std::vector<int> ids;
  if (!dlg.m_hWnd) return ids;
  for (QObject* o : dlg.m_hWnd->children())
    if (auto* w = qobject_cast<QWidget*>(o))
      if (WidgetInfo* info = layer::Info(w); info && info->hasKind) ids.push_back(info->id);
  return ids;
}

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;

int Picture::Width() const { return m_image ? m_image->width() : 0; }
int Picture::Height() const { return m_image ? m_image->height() : 0; }

COLORREF Picture::Pixel(int x, int y) const {
  if (!m_image || !m_image->valid(x, y)) return CLR_NONE;
  return layer::FromQColor(m_image->pixelColor(x, y));
}

bool Picture::SavePng(const CString& path) const { return m_image && m_image->save(ToQ(path), "PNG"); }

int Picture::CountColour(const CRect& rect, COLORREF colour) const {
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (Pixel(x, y) == colour) ++n;
  return n;
}

Picture Render(CWnd& wnd) {
  Picture p;
  QWidget* w = wnd.m_hWnd;
  if (!w) return p;
  EnsureApplication();
  // Layouts and style polish happen before the first paint.
  w->ensurePolished();
  ProcessEvents();
  p.m_image = std::make_unique<QImage>(w->size(), QImage::Format_RGB32);
  p.m_image->fill(QColor(240, 240, 240));
  w->render(p.m_image.get(), QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return p;
}

}  // namespace ui
