// The application object of the layer, the event filter that turns widget
// events into window messages, and the key pre-translation walk.

#include <QAbstractButton>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QStyleFactory>
#include <QThread>
#include <QUrl>
#include <QWheelEvent>
#include <cstdlib>

#include "platform/ui/application.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"

namespace {

// Default-handling requests of the messages being handled (nested).
std::vector<bool>& DefaultStack() {
  static std::vector<bool> stack;
  return stack;
}

UINT VirtualKey(const QKeyEvent* e) {
  int k = e->key();
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: break;
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + static_cast<UINT>(k - Qt::Key_F1);
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return static_cast<UINT>(k);
  return static_cast<UINT>(k & 0xFFFF);
}

// Colours a control as its parent's OnCtlColor says (statics, buttons, edits),
// just before it paints; paints the brush's background at once.
void ApplyCtlColor(QWidget* w) {
  WidgetInfo* info = layer::Info(w);
  if (!info || !info->hasKind) return;
  CWnd* parent = layer::ParentRouter(w);
  if (!parent || !parent->FindEntry(WM_CTLCOLOR, 0, 0, false)) return;
  UINT kind = CTLCOLOR_STATIC;
  switch (info->kind) {
    case CtlKind::Edit: kind = CTLCOLOR_EDIT; break;
    case CtlKind::ListBox:
    case CtlKind::CheckListBox: kind = CTLCOLOR_LISTBOX; break;
    case CtlKind::PushButton:
    case CtlKind::DefPushButton: kind = CTLCOLOR_BTN; break;
    default: break;
  }
  CDC dc;
  MsgArgs args;
  args.dc = &dc;
  args.wnd = layer::Router(w);
  args.wParam = kind;
  LRESULT r = 0;
  parent->Dispatch(WM_CTLCOLOR, 0, 0, false, args, &r);
  auto* brush = reinterpret_cast<const CBrush*>(r);
  QPalette pal = w->palette();
  bool changed = false;
  if (brush && !brush->IsHollow()) {
    if (!info->ctlColored) {
      info->ctlColored = true;
      info->baseCtlPalette = pal;
      info->baseCtlAutoFill = w->autoFillBackground();
    }
    QColor c = layer::ToQColor(brush->Color());
    if (pal.color(QPalette::Window) != c || !w->autoFillBackground()) {
      pal.setColor(QPalette::Window, c);
      pal.setColor(QPalette::Button, c);
      w->setAutoFillBackground(true);
      changed = true;
    }
    QPainter painter(w);
    painter.fillRect(w->rect(), c);
  } else if (info->ctlColored) {
    // No brush this time: the control takes its own background again.
    info->ctlColored = false;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        pal.setColor(group, role, info->baseCtlPalette.color(group, role));
    w->setAutoFillBackground(info->baseCtlAutoFill);
    changed = true;
  }
  // The parent's text colour is for enabled controls; disabled ones stay grey.
  QColor text = layer::ToQColor(dc.GetTextColor());
  if (pal.color(QPalette::Active, QPalette::WindowText) != text) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(group, role, text);
    changed = true;
  }
  if (changed) w->setPalette(pal);
}

class LayerFilter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w) return false;
    WidgetInfo* info = layer::Info(w);
    if (!info) return false;
    QWidget* owner = info->aliasOf ? info->aliasOf : w;
    switch (ev->type()) {
      case QEvent::Paint: {
        if (w == owner) ApplyCtlColor(owner);
        if (!layer::Maps(owner, WM_PAINT)) return false;
        WidgetInfo* oinfo = layer::Info(owner);
        if (oinfo->painter) return false;   // no nested painting
        QPainter painter(w);
        painter.setFont(w->font());
        oinfo->painter = &painter;
        MsgArgs args;
        bool eaten = layer::SendWindowMessage(owner, WM_PAINT, args);
        if (WidgetInfo* again = layer::Info(owner)) again->painter = nullptr;
        return eaten;
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(ev);
        return layer::SendMouseMessage(w, owner, layer::MouseMessage(me), me);
      }
      case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(ev);
        UINT msg = (ke->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        if (layer::Maps(owner, msg)) {
          MsgArgs args;
          args.wParam = VirtualKey(ke);
          if (layer::SendWindowMessage(owner, msg, args)) return true;
        }
        if (!ke->text().isEmpty() && ke->text()[0].isPrint() && layer::Maps(owner, WM_CHAR)) {
          MsgArgs args;
          args.wParam = ke->text()[0].unicode();
          if (layer::SendWindowMessage(owner, WM_CHAR, args)) return true;
        }
        return false;
      }
      case QEvent::Wheel: {
        if (!layer::Maps(owner, WM_MOUSEWHEEL)) return false;
        auto* we = static_cast<QWheelEvent*>(ev);
        MsgArgs args;
        args.wParam = static_cast<WPARAM>(static_cast<uint16_t>(static_cast<short>(we->angleDelta().y())));
        QPoint p = we->globalPosition().toPoint();
        args.point = CPoint(p.x(), p.y());
        return layer::SendWindowMessage(owner, WM_MOUSEWHEEL, args);
      }
      case QEvent::KeyRelease: {
        if (!layer::Maps(owner, WM_KEYUP)) return false;
        MsgArgs args;
        args.wParam = VirtualKey(static_cast<QKeyEvent*>(ev));
        return layer::SendWindowMessage(owner, WM_KEYUP, args);
      }
      case QEvent::Enter:
        info->hover = true;
        if (owner != w) layer::Register(owner).hover = true;
        owner->update();
        return false;
      case QEvent::Leave:
        info->hover = false;
        if (owner != w) layer::Register(owner).hover = false;
        owner->update();
        return false;
      case QEvent::Resize: {
        if (!layer::Maps(owner, WM_SIZE) || w != owner) return false;
        MsgArgs args;
        args.point = CPoint(w->width(), w->height());
        layer::SendWindowMessage(owner, WM_SIZE, args);
        return false;
      }
      case QEvent::ContextMenu: {
        if (!layer::Maps(owner, WM_CONTEXTMENU)) return false;
        auto* ce = static_cast<QContextMenuEvent*>(ev);
        MsgArgs args;
        // As on the platform, a parent that gets the message of a child hears
        // which window was clicked; the menu key gives the point (-1, -1).
        if (ce->reason() == QContextMenuEvent::Keyboard) {
          args.wnd = CWnd::GetFocus();
          args.point = CPoint(-1, -1);
        } else {
          args.wnd = CWnd::WindowFromPoint(CPoint(ce->globalPos().x(), ce->globalPos().y()));
          args.point = CPoint(ce->globalPos().x(), ce->globalPos().y());
        }
        if (!args.wnd) args.wnd = layer::Router(owner);
        return layer::SendWindowMessage(owner, WM_CONTEXTMENU, args);
      }
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        WidgetInfo* oinfo = layer::Info(owner);
        if (!oinfo || !oinfo->acceptFiles) return false;
        auto* de = static_cast<QDropEvent*>(ev);
        if (de->mimeData()->hasUrls()) {
          de->acceptProposedAction();
          return true;
        }
        return false;
      }
      case QEvent::Drop: {
        WidgetInfo* oinfo = layer::Info(owner);
        if (!oinfo || !oinfo->acceptFiles) return false;
        auto* de = static_cast<QDropEvent*>(ev);
        DropFiles drop;
        for (const QUrl& url : de->mimeData()->urls())
          if (url.isLocalFile()) drop.paths.push_back(layer::FromQ(url.toLocalFile()));
        QPoint p = de->position().toPoint();
        drop.point = CPoint(p.x(), p.y());
        MsgArgs args;
        args.drop = &drop;
        layer::SendWindowMessage(owner, WM_DROPFILES, args);
        de->acceptProposedAction();
        return true;
      }
      default: return false;
    }
  }
};

LayerFilter* Filter() {
  static LayerFilter* filter = new LayerFilter();
  return filter;
}

// Key and mouse messages pass PreTranslateMessage of their window and its
// parents before the widget sees them (once per event, not per propagation
// step); true when one of them ate the message.
bool PreTranslateWalk(MSG& msg) {
  for (QWidget* w = msg.hwnd; w; w = w->parentWidget()) {
    WidgetInfo* info = layer::Info(w);
    if (info && !info->aliasOf && (info->hasKind || info->dialog || !info->routers.empty())) {
      QPointer<QWidget> guard(w);
      CWnd* r = layer::Router(w);
      if (r && r->PreTranslateMessage(&msg)) return true;
      if (!guard) return true;
    }
    if (w->isWindow()) break;
  }
  return false;
}

bool PreTranslate(QWidget* target, QKeyEvent* ke) {
  MSG msg;
  msg.hwnd = target;
  msg.message = (ke->modifiers() & Qt::AltModifier) || ke->key() == Qt::Key_Alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  msg.wParam = VirtualKey(ke);
  return PreTranslateWalk(msg);
}

// The WM_CHAR of a typed character, through PreTranslateMessage and then the
// window's own WM_CHAR handler; true when one of them ate it.
bool CharEaten(QWidget* target, QChar ch) {
  MSG msg;
  msg.hwnd = target;
  msg.message = WM_CHAR;
  msg.wParam = ch.unicode();
  QPointer<QWidget> guard(target);
  if (PreTranslateWalk(msg) || !guard) return true;
  WidgetInfo* info = layer::Info(target);
  QWidget* owner = info && info->aliasOf ? info->aliasOf : target;
  if (!layer::Maps(owner, WM_CHAR)) return false;
  MsgArgs args;
  args.wParam = ch.unicode();
  return layer::SendWindowMessage(owner, WM_CHAR, args) || !guard;
}

// Room left for typing in an edit with a limit (-1: no limit); the selection
// is replaced, so it counts as room.
qsizetype TypingRoom(QWidget* w) {
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    auto* v = dynamic_cast<const layer::EditValidator*>(le->validator());
    if (!v || v->m_limit <= 0) return -1;
    return std::max<qsizetype>(0, v->m_limit - (le->text().size() - le->selectedText().size()));
  }
  if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    WidgetInfo* info = layer::Info(pe);
    if (!info || info->limit <= 0) return -1;
    const qsizetype selected = pe->textCursor().selectedText().size();
    return std::max<qsizetype>(0, info->limit - (pe->toPlainText().size() - selected));
  }
  return -1;
}

// Text an input method commits arrives as typed characters: each passes
// PreTranslateMessage and WM_CHAR, and what stays is cut to the edit's room.
QString CommittedText(QWidget* target, const QString& text) {
  QString kept;
  for (QChar ch : text)
    if (!CharEaten(target, ch)) kept += ch;
  if (qsizetype room = TypingRoom(target); room >= 0 && kept.size() > room) kept.truncate(room);
  return kept;
}

// A key sent with SendMessage goes to the window directly, not through
// PreTranslateMessage (which only sees keys the user types).
bool g_sendingKey = false;

class LayerApplication : public QApplication {
 public:
  LayerApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* ev) override {
    // A widget that hands an event on (a scroll area passes its wheel to
    // its scroll bar) delivers it again: it was translated the first time.
    auto* w = ev == m_inFlight ? nullptr : qobject_cast<QWidget*>(receiver);
    if (w && ev->type() == QEvent::KeyPress && !g_sendingKey) {
      auto* ke = static_cast<QKeyEvent*>(ev);
      if (PreTranslate(w, ke)) return true;
      // The character the key types follows its key-down, case kept.
      if (!ke->text().isEmpty() && ke->text()[0].isPrint()) {
        MSG msg;
        msg.hwnd = w;
        msg.message = WM_CHAR;
        msg.wParam = ke->text()[0].unicode();
        QPointer<QWidget> guard(w);
        if (PreTranslateWalk(msg) || !guard) return true;
      }
    }
    if (w && ev->type() == QEvent::InputMethod) {
      auto* ie = static_cast<QInputMethodEvent*>(ev);
      if (!ie->commitString().isEmpty()) {
        QString kept = CommittedText(w, ie->commitString());
        if (kept != ie->commitString()) {
          QInputMethodEvent copy(ie->preeditString(), ie->attributes());
          copy.setCommitString(kept, ie->replacementStart(), ie->replacementLength());
          return Deliver(receiver, &copy);
        }
      }
    }
    MSG msg;
    if (w && layer::MouseMsgOf(w, ev, msg)) {
      QPointer<QWidget> guard(w);
      if (PreTranslateWalk(msg) || !guard) return true;
      if (ev->type() != QEvent::Wheel && layer::RedirectToCapture(w, static_cast<QMouseEvent*>(ev))) return true;
    }
    return Deliver(receiver, ev, w != nullptr);
  }

 private:
  // Only an event already translated for a widget is marked: a key from the
  // window system reaches the QWindow first, which hands the same event on to
  // the focus widget, and that delivery still has to be translated.
  bool Deliver(QObject* receiver, QEvent* ev, bool translated = true) {
    if (!translated) return QApplication::notify(receiver, ev);
    const QEvent* outer = m_inFlight;
    m_inFlight = ev;
    bool result = QApplication::notify(receiver, ev);
    m_inFlight = outer;
    return result;
  }
  const QEvent* m_inFlight = nullptr;
};

}  // namespace

namespace layer {

void Watch(QWidget* w) { w->installEventFilter(Filter()); }

Qt::Key QtKeyOf(UINT vk) {
  switch (vk) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_LEFT: return Qt::Key_Left;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_UP: return Qt::Key_Up;
    case VK_DOWN: return Qt::Key_Down;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_SPACE: return Qt::Key_Space;
    case VK_MENU: return Qt::Key_Alt;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_INSERT: return Qt::Key_Insert;
    default: break;
  }
  if (vk >= VK_F1 && vk < VK_F1 + 24) return static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - VK_F1));
  return static_cast<Qt::Key>(vk);
}

void DeliverKey(QWidget* w, UINT message, UINT code) {
  if (!w) return;
  bool was = g_sendingKey;
  g_sendingKey = true;
  if (message == WM_CHAR) {
    QString text(QChar(static_cast<char16_t>(code)));
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
  } else if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    QKeyEvent press(QEvent::KeyPress, QtKeyOf(code), message == WM_SYSKEYDOWN ? Qt::AltModifier : Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  } else if (message == WM_KEYUP) {
    QKeyEvent release(QEvent::KeyRelease, QtKeyOf(code), Qt::NoModifier);
    QApplication::sendEvent(w, &release);
  }
  g_sendingKey = was;
}

void RequestDefault() {
  auto& stack = DefaultStack();
  if (!stack.empty()) stack.back() = true;
}

bool SendWindowMessage(QWidget* w, UINT message, MsgArgs& args) {
  CWnd* r = Router(w);
  if (!r) return false;
  auto& stack = DefaultStack();
  stack.push_back(false);
  bool handled = r->Dispatch(message, 0, 0, false, args);
  bool wantsDefault = stack.back();
  stack.pop_back();
  return handled && !wantsDefault;
}

QPainter* CurrentPainter(const QWidget* w) {
  WidgetInfo* info = Info(w);
  return info ? info->painter : nullptr;
}

QPalette DialogPalette() {
  QPalette pal = QApplication::palette();
  pal.setColor(QPalette::Window, QColor(240, 240, 240));
  pal.setColor(QPalette::Button, QColor(240, 240, 240));
  pal.setColor(QPalette::WindowText, Qt::black);
  pal.setColor(QPalette::ButtonText, Qt::black);
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  pal.setColor(QPalette::Highlight, QColor(0, 120, 215));
  pal.setColor(QPalette::HighlightedText, Qt::white);
  // Disabled controls: grey text, and edits on the dialog's face, as on the platform.
  const QColor grey = ToQColor(GetSysColor(COLOR_GRAYTEXT));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, grey);
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
  pal.setColor(QPalette::Disabled, QPalette::Text, grey);
  pal.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
  return pal;
}

QFont DialogQFont() {
  QFont f(QString::fromUtf8(kDialogFontFamily));
  f.setPixelSize(kDialogFontPixels);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

CString AppTitle();

}  // namespace layer

CString layer::AppTitle() { return kAppCaption; }
int AfxMessageBox(const CString& text, UINT type) { return GetUiHooks().MessageBox(text, kAppCaption, type); }

bool ui::StartApplication(int& argc, char** argv) {
  if (QApplication::instance()) return false;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto* app = new LayerApplication(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(layer::DialogPalette());
  QApplication::setFont(layer::DialogQFont());
  app->setQuitOnLastWindowClosed(false);
  // Qt's own dialogs and buttons (file choosers, message-box buttons) in Japanese.
  auto* translator = new QTranslator(app);
  if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app->installTranslator(translator);
  return true;
}

void ui::EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "TabroConnect";
  static char* argv[] = {name, nullptr};
  StartApplication(argc, argv);
}

void ui::ProcessEvents() {
  if (QApplication::instance()) QApplication::processEvents();
}

// Message-map lookup.

const MessageMap* CCmdTarget::GetThisMessageMap() {
  static const MessageMapEntry entries[] = {MessageMapEntry{}};
  static const MessageMap map{nullptr, entries};
  return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, int code, int id, bool reflect) const {
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const MessageMapEntry* e = map->entries; e->message != 0; ++e) {
      if (e->message != message || e->reflect != reflect) continue;
      if (message == WM_COMMAND || message == WM_NOTIFY) {
        if (e->code != code) continue;
        if (!reflect && (id < e->firstId || id > e->lastId)) continue;
      }
      return e;
    }
  }
  return nullptr;
}

bool CCmdTarget::Dispatch(UINT message, int code, int id, bool reflect, MsgArgs& args, LRESULT* result) {
  const MessageMapEntry* e = FindEntry(message, code, id, reflect);
  if (!e) return false;
  args.id = static_cast<UINT>(id);
  LRESULT r = e->call(this, args);
  if (result) *result = r;
  return true;
}

// Default handlers: the control's own handling continues.
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT id, LPARAM) {
  Default();
  if ((id & 0xFFF0) == SC_MINIMIZE && m_hWnd) m_hWnd->window()->showMinimized();
  if ((id & 0xFFF0) == SC_CLOSE && m_hWnd) m_hWnd->window()->close();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
  Default();
  return TRUE;
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
LRESULT CWnd::Default() {
  layer::RequestDefault();
  return 0;
}
