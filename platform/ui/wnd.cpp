// CWnd over a widget.

#include "platform/ui/wnd.h"

#include <QAbstractScrollArea>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QPixmap>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <type_traits>
#include <QThread>

#include "platform/ui/controls.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"

using layer::FromQ;
using layer::ToQ;

struct WndState {};

namespace {

bool OnUiThread() {
  return !QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread();
}

// A window call made off the user-interface thread runs there; the caller
// waits for it (widgets belong to that thread).
template <class F>
auto UiCall(F&& f) {
  using R = decltype(f());
  if constexpr (std::is_void_v<R>) {
    CallOnUiThread(f);
  } else {
    R result{};
    CallOnUiThread([&]() { result = f(); });
    return result;
  }
}

}  // namespace

const CWnd CWnd::wndTop;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;
const CWnd CWnd::wndBottom;

UINT DragQueryFileCount(HDROP drop) { return drop ? static_cast<UINT>(drop->paths.size()) : 0; }

UINT DragQueryFile(HDROP drop, UINT index, CString& path) {
  if (!drop || index >= drop->paths.size()) {
    path.Empty();
    return 0;
  }
  path = drop->paths[index];
  return static_cast<UINT>(path.GetLength());
}

COLORREF GetSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
  }
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd) {
    QWidget* w = m_hWnd;
    layer::RemoveOwner(w, this);
    m_hWnd = nullptr;
    if (m_ownsWidget) delete w;
  }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  layer::Register(hwnd);
  return layer::Router(hwnd);
}

BOOL CWnd::Attach(HWND hwnd) {
  if (!hwnd || m_hWnd) return FALSE;
  m_hWnd = hwnd;
  layer::AddOwner(hwnd, this, false);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) layer::RemoveOwner(h, this);
  m_hWnd = nullptr;
  m_routes = false;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || m_hWnd) return FALSE;
  m_hWnd = hwnd;
  m_routes = true;
  layer::AddOwner(hwnd, this, true);
  PreSubclassWindow();
  hwnd->update();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  CWnd* item = parent->GetDlgItem(static_cast<int>(id));
  return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::DestroyWindow() {
  if (!OnUiThread()) return UiCall([&] { return DestroyWindow(); });
  if (!m_hWnd) return FALSE;
  QWidget* w = m_hWnd;
  MsgArgs args;
  layer::SendWindowMessage(w, WM_DESTROY, args);
  if (m_hWnd) {
    layer::RemoveOwner(w, this);
    m_hWnd = nullptr;
  }
  delete w;
  return TRUE;
}

int CWnd::GetDlgCtrlID() const {
  WidgetInfo* info = layer::Info(m_hWnd);
  return info ? info->id : 0;
}

CWnd* CWnd::GetDlgItem(int id) const {
  QWidget* w = layer::FindChildById(m_hWnd, id);
  return w ? layer::Router(w) : nullptr;
}

CWnd* CWnd::GetParent() const { return m_hWnd ? layer::ParentRouter(m_hWnd) : nullptr; }

void CWnd::SetWindowText(const CString& text) {
  if (!OnUiThread()) return UiCall([&] { SetWindowText(text); });
  QWidget* w = m_hWnd;
  if (!w) return;
  QString q = ToQ(text);
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    // The typing limit does not cut program text.
    if (auto* v = dynamic_cast<const layer::EditValidator*>(le->validator()))
      const_cast<layer::EditValidator*>(v)->SetProgramText(q);
    else
      le->setText(q);
  } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pe->setProperty("tabro_quiet", true);
    pe->setPlainText(q);
    pe->setProperty("tabro_quiet", false);
  } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
    if (cb->isEditable()) cb->setEditText(q);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(q);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(q);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    WidgetInfo* info = layer::Info(w);
    layer::SetStaticText(l, q, !info || (info->flags & tpl::kNoPrefix));
  } else {
    w->setWindowTitle(q);
  }
}

void CWnd::GetWindowText(CString& text) const { text = GetWindowText(); }

CString CWnd::GetWindowText() const {
  if (!OnUiThread()) return UiCall([&] { return GetWindowText(); });
  QWidget* w = m_hWnd;
  if (!w) return CString();
  if (auto* le = qobject_cast<QLineEdit*>(w)) return FromQ(le->text());
  if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    QString t = pe->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQ(t);
  }
  if (auto* cb = qobject_cast<QComboBox*>(w)) return FromQ(cb->currentText());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return FromQ(b->text());
  if (auto* g = qobject_cast<QGroupBox*>(w)) return FromQ(g->title());
  if (auto* l = qobject_cast<QLabel*>(w)) return FromQ(layer::StaticText(l));
  return FromQ(w->windowTitle());
}

int CWnd::GetWindowTextLength() const { return GetWindowText().GetLength(); }

void CWnd::SetDlgItemText(int id, const CString& text) {
  if (CWnd* c = GetDlgItem(id)) c->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  CWnd* c = GetDlgItem(id);
  text = c ? c->GetWindowText() : CString();
  return text.GetLength();
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  auto* b = dynamic_cast<CButton*>(GetDlgItem(id));
  return b ? static_cast<UINT>(b->GetCheck()) : 0;
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
  return 0;
}

BOOL CWnd::ShowWindow(int cmd) {
  if (!OnUiThread()) return UiCall([&] { return ShowWindow(cmd); });
  if (!m_hWnd) return FALSE;
  BOOL was = !m_hWnd->isHidden();
  switch (cmd) {
    case SW_HIDE: m_hWnd->hide(); break;
    case SW_MINIMIZE: m_hWnd->showMinimized(); break;
    case SW_RESTORE: m_hWnd->showNormal(); break;
    default: m_hWnd->show(); break;
  }
  return was;
}

BOOL CWnd::IsWindowVisible() const { return m_hWnd && m_hWnd->isVisible(); }

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!OnUiThread()) return UiCall([&] { return EnableWindow(enable); });
  if (!m_hWnd) return FALSE;
  BOOL wasDisabled = !m_hWnd->isEnabled();
  m_hWnd->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_hWnd && m_hWnd->isEnabled(); }

CWnd* CWnd::SetFocus() {
  if (!OnUiThread()) return UiCall([&] { return SetFocus(); });
  CWnd* old = GetFocus();
  if (m_hWnd) m_hWnd->setFocus(Qt::OtherFocusReason);
  return old;
}

CWnd* CWnd::GetFocus() {
  QWidget* w = QApplication::focusWidget();
  return w ? FromHandle(w) : nullptr;
}

// A list or grid paints its rows in its viewport: repainting the frame alone
// would leave them as they were.
void CWnd::Invalidate(BOOL) {
  if (!OnUiThread()) return UiCall([&] { Invalidate(); });
  if (!m_hWnd) return;
  m_hWnd->update();
  if (auto* area = qobject_cast<QAbstractScrollArea*>(m_hWnd)) area->viewport()->update();
}
void CWnd::InvalidateRect(const CRect* rect, BOOL) {
  if (!OnUiThread()) return UiCall([&] { InvalidateRect(rect); });
  if (!m_hWnd) return;
  if (!rect) return Invalidate();
  m_hWnd->update(rect->left, rect->top, rect->Width(), rect->Height());
  if (auto* area = qobject_cast<QAbstractScrollArea*>(m_hWnd)) {
    QWidget* view = area->viewport();
    view->update(QRect(view->mapFrom(m_hWnd, QPoint(rect->left, rect->top)), QSize(rect->Width(), rect->Height())));
  }
}
void CWnd::UpdateWindow() {
  if (!OnUiThread()) return UiCall([&] { UpdateWindow(); });
  if (m_hWnd) m_hWnd->repaint();
}

void CWnd::SetRedraw(BOOL redraw) {
  if (!OnUiThread()) return UiCall([&] { SetRedraw(redraw); });
  if (!m_hWnd) return;
  WidgetInfo& info = layer::Register(m_hWnd);
  if (info.painter) return;   // inside its own paint handler: nothing to suspend
  if (!redraw) {
    if (info.redrawOff++ == 0) m_hWnd->setUpdatesEnabled(false);
  } else if (info.redrawOff > 0) {
    info.redrawOff = 0;
    m_hWnd->setUpdatesEnabled(true);
  }
}

void CWnd::GetClientRect(CRect* rect) const {
  if (!rect) return;
  *rect = m_hWnd ? CRect(0, 0, m_hWnd->width(), m_hWnd->height()) : CRect();
}

void CWnd::GetWindowRect(CRect* rect) const {
  if (!rect) return;
  if (!m_hWnd) {
    *rect = CRect();
    return;
  }
  QPoint p = m_hWnd->mapToGlobal(QPoint(0, 0));
  *rect = CRect(p.x(), p.y(), p.x() + m_hWnd->width(), p.y() + m_hWnd->height());
}

void CWnd::ScreenToClient(CPoint* point) const {
  if (!point || !m_hWnd) return;
  QPoint p = m_hWnd->mapFromGlobal(QPoint(point->x, point->y));
  *point = CPoint(p.x(), p.y());
}
void CWnd::ScreenToClient(CRect* rect) const {
  if (!rect) return;
  CPoint a = rect->TopLeft(), b = rect->BottomRight();
  ScreenToClient(&a);
  ScreenToClient(&b);
  *rect = CRect(a.x, a.y, b.x, b.y);
}
void CWnd::ClientToScreen(CPoint* point) const {
  if (!point || !m_hWnd) return;
  QPoint p = m_hWnd->mapToGlobal(QPoint(point->x, point->y));
  *point = CPoint(p.x(), p.y());
}
void CWnd::ClientToScreen(CRect* rect) const {
  if (!rect) return;
  CPoint a = rect->TopLeft(), b = rect->BottomRight();
  ClientToScreen(&a);
  ClientToScreen(&b);
  *rect = CRect(a.x, a.y, b.x, b.y);
}

namespace {
// Resizes a widget; a dialog's fixed size follows the program's resizing.
void Resize(QWidget* w, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (w->isWindow() && w->minimumSize() == w->maximumSize()) w->setFixedSize(width, height);
  else w->resize(width, height);
}
}  // namespace

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
  if (!OnUiThread()) return UiCall([&] { MoveWindow(x, y, width, height); });
  if (!m_hWnd) return;
  Resize(m_hWnd, width, height);
  m_hWnd->move(x, y);
}
void CWnd::MoveWindow(const CRect& rect, BOOL repaint) {
  MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!OnUiThread()) return UiCall([&] { return SetWindowPos(insertAfter, x, y, cx, cy, flags); });
  if (!m_hWnd) return FALSE;
  if (!(flags & SWP_NOZORDER)) {
    if (insertAfter == &wndTopMost || insertAfter == &wndNoTopMost) {
      if (m_hWnd->isWindow()) {
        bool visible = m_hWnd->isVisible();
        m_hWnd->setWindowFlag(Qt::WindowStaysOnTopHint, insertAfter == &wndTopMost);
        if (visible) m_hWnd->show();
      }
    } else if (insertAfter == &wndTop) {
      m_hWnd->raise();
    } else if (insertAfter == &wndBottom) {
      m_hWnd->lower();
    }
  }
  if (!(flags & SWP_NOMOVE)) m_hWnd->move(x, y);
  if (!(flags & SWP_NOSIZE)) Resize(m_hWnd, cx, cy);
  if (flags & SWP_SHOWWINDOW) m_hWnd->show();
  if (flags & SWP_HIDEWINDOW) m_hWnd->hide();
  return TRUE;
}

DWORD CWnd::GetStyle() const {
  if (!m_hWnd) return 0;
  DWORD s = 0;
  if (!m_hWnd->isHidden()) s |= WS_VISIBLE;
  if (!m_hWnd->isEnabled()) s |= WS_DISABLED;
  if (WidgetInfo* info = layer::Info(m_hWnd)) {
    if (info->flags & tpl::kGroup) s |= WS_GROUP;
    if (!(info->flags & tpl::kNoTabStop)) s |= WS_TABSTOP;
  }
  if (m_hWnd->isWindow() && (m_hWnd->windowFlags() & Qt::WindowMinimizeButtonHint)) s |= WS_MINIMIZEBOX;
  return s;
}

DWORD CWnd::GetExStyle() const {
  if (!m_hWnd || !m_hWnd->isWindow()) return 0;
  return (m_hWnd->windowFlags() & Qt::WindowStaysOnTopHint) ? static_cast<DWORD>(WS_EX_TOPMOST) : 0u;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
  if (!OnUiThread()) return UiCall([&] { return ModifyStyle(remove, add); });
  if (!m_hWnd) return FALSE;
  if (auto* header = qobject_cast<QHeaderView*>(m_hWnd)) {
    if (add & HDS_HIDDEN) header->hide();
    if (remove & HDS_HIDDEN) header->show();
    if (add & HDS_NOSIZING) header->setSectionResizeMode(QHeaderView::Fixed);
    if (remove & HDS_NOSIZING) header->setSectionResizeMode(QHeaderView::Interactive);
    return TRUE;
  }
  if (m_hWnd->isWindow() && ((add | remove) & WS_MINIMIZEBOX)) {
    bool visible = m_hWnd->isVisible();
    m_hWnd->setWindowFlag(Qt::WindowMinimizeButtonHint, (add & WS_MINIMIZEBOX) != 0);
    if (visible) m_hWnd->show();
  }
  if (auto* area = qobject_cast<QAbstractScrollArea*>(m_hWnd)) {
    // A list or multi-line edit without its scroll bars (it still scrolls by keys and code).
    if (remove & WS_VSCROLL) area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (add & WS_VSCROLL) area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (remove & WS_HSCROLL) area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (add & WS_HSCROLL) area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  if (remove & WS_VISIBLE) m_hWnd->hide();
  if (add & WS_VISIBLE) m_hWnd->show();
  if (remove & WS_DISABLED) m_hWnd->setEnabled(true);
  if (add & WS_DISABLED) m_hWnd->setEnabled(false);
  return TRUE;
}

void CWnd::SetFont(CFont* font, BOOL) {
  if (!OnUiThread()) return UiCall([&] { SetFont(font); });
  if (!m_hWnd) return;
  layer::Register(m_hWnd).font = font;
  m_hWnd->setFont(layer::ToQFont(font));
}

CFont* CWnd::GetFont() const {
  WidgetInfo* info = layer::Info(m_hWnd);
  if (info && info->font) return info->font;
  return CFont::DialogFont();
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void*) {
  if (!OnUiThread()) return UiCall([&] { return SetTimer(id, elapse); });
  if (!m_hWnd) return 0;
  WidgetInfo& info = layer::Register(m_hWnd);
  QTimer*& t = info.timers[id];
  if (!t) {
    t = new QTimer(m_hWnd);
    QWidget* w = m_hWnd;
    QObject::connect(t, &QTimer::timeout, w, [w, id]() {
      MsgArgs args;
      args.wParam = id;
      layer::SendWindowMessage(w, WM_TIMER, args);
    });
  }
  t->start(static_cast<int>(elapse));
  return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
  if (!OnUiThread()) return UiCall([&] { return KillTimer(id); });
  WidgetInfo* info = layer::Info(m_hWnd);
  if (!info) return FALSE;
  auto it = info->timers.find(id);
  if (it == info->timers.end()) return FALSE;
  it->second->stop();
  it->second->deleteLater();
  info->timers.erase(it);
  return TRUE;
}

std::vector<UINT_PTR> CWnd::ActiveTimers() const {
  std::vector<UINT_PTR> ids;
  if (WidgetInfo* info = layer::Info(m_hWnd))
    for (auto& [id, t] : info->timers)
      if (t->isActive()) ids.push_back(id);
  return ids;
}

void CallOnUiThread(const std::function<void()>& fn) {
  if (OnUiThread()) {
    fn();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&fn]() { fn(); }, Qt::BlockingQueuedConnection);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!OnUiThread()) {
    LRESULT r = 0;
    CallOnUiThread([&]() { r = SendMessage(message, wParam, lParam); });
    return r;
  }
  return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return FALSE;
  QPointer<QWidget> w(m_hWnd);
  QMetaObject::invokeMethod(
      m_hWnd,
      [w, message, wParam, lParam]() {
        if (!w) return;
        if (CWnd* r = layer::Router(w)) r->WindowProc(message, wParam, lParam);
      },
      Qt::QueuedConnection);
  return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) return OnCommand(wParam, lParam);
  if (message >= WM_CUT && message <= WM_CLEAR && !FindEntry(message, 0, 0, false)) {
    // Clipboard messages to an edit act as its menu commands do.
    if (qobject_cast<QLineEdit*>(m_hWnd) || qobject_cast<QPlainTextEdit*>(m_hWnd)) {
      CEdit edit;
      edit.Attach(m_hWnd);
      if (message == WM_CUT) edit.Cut();
      else if (message == WM_COPY) edit.Copy();
      else if (message == WM_PASTE) edit.Paste();
      else edit.Clear();
      edit.Detach();
    }
    return 0;
  }
  MsgArgs args;
  args.wParam = wParam;
  args.lParam = lParam;
  LRESULT r = 0;
  if (message == WM_CLOSE && !FindEntry(WM_CLOSE, 0, 0, false)) {
    if (auto* dlg = dynamic_cast<CDialog*>(this)) {
      dlg->OnClose();
      return 0;
    }
  }
  if ((message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_SYSKEYDOWN) && m_hWnd) {
    // The control's own key handling runs, with its message-map handler first.
    layer::DeliverKey(m_hWnd, message, static_cast<UINT>(wParam));
    return 0;
  }
  if (message == WM_SYSCOMMAND && !FindEntry(WM_SYSCOMMAND, 0, 0, false)) {
    OnSysCommand(static_cast<UINT>(wParam), lParam);
    return 0;
  }
  Dispatch(message, 0, 0, false, args, &r);
  return r;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  MsgArgs args;
  int id = static_cast<int>(LOWORD(wParam));
  int code = static_cast<int>(HIWORD(wParam));
  if (id == 0xFFFF) id = -1;
  return Dispatch(WM_COMMAND, code, id, false, args) ? TRUE : FALSE;
}

void CWnd::DragAcceptFiles(BOOL accept) {
  if (!OnUiThread()) return UiCall([&] { DragAcceptFiles(accept); });
  if (!m_hWnd) return;
  layer::Register(m_hWnd).acceptFiles = accept != FALSE;
  m_hWnd->setAcceptDrops(accept != FALSE);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  if (!OnUiThread()) return UiCall([&] { return SetIcon(icon, bigIcon); });
  if (!m_hWnd) return nullptr;
  const char* key = bigIcon ? "tabro_icon_big" : "tabro_icon_small";
  HICON previous = GetIcon(bigIcon);
  m_hWnd->setProperty(key, QVariant::fromValue(reinterpret_cast<quintptr>(icon)));
  if (icon && icon->Data()) m_hWnd->window()->setWindowIcon(QIcon(QPixmap::fromImage(icon->Data()->image)));
  return previous;
}

HICON CWnd::GetIcon(BOOL bigIcon) const {
  if (!m_hWnd) return nullptr;
  return reinterpret_cast<HICON>(m_hWnd->property(bigIcon ? "tabro_icon_big" : "tabro_icon_small").value<quintptr>());
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
  if (revert || !m_systemMenu) {
    // The stock entries; the program appends its own below them.
    m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->CreatePopupMenu();
    if (m_hWnd && m_hWnd->property("tabro_stock_minimize").toBool()) {
      m_systemMenu->AppendMenu(MF_STRING, SC_MINIMIZE, u"最小化(&N)");
      m_systemMenu->AppendMenu(MF_SEPARATOR);
    }
    m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, u"閉じる(&C)\tAlt+F4");
  }
  return m_systemMenu.get();
}

int CWnd::MessageBox(const CString& text, const CString& caption, UINT type) {
  return GetUiHooks().MessageBox(text, caption.IsEmpty() ? layer::AppTitle() : caption, type);
}

BOOL CWnd::CreateControl(int kind, const CString& text, uint32_t flags, const CRect& rect, CWnd* parent, UINT id) {
  if (m_hWnd || !parent || !parent->m_hWnd) return FALSE;
  std::u16string caption(text.View());
  ControlTemplate ct{static_cast<CtlKind>(kind), static_cast<int>(id), caption.c_str(), 0, 0, 0, 0, flags};
  QWidget* w = layer::BuildControl(parent->m_hWnd, ct, nullptr);
  if (!w) return FALSE;
  // A combo's rectangle includes its drop-down list; the box keeps its own height.
  bool combo = ct.kind == CtlKind::ComboDropDown || ct.kind == CtlKind::ComboDropList;
  w->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), combo ? w->height() : std::max(0, rect.Height()));
  if (!(flags & tpl::kHidden)) w->show();
  m_hWnd = w;
  m_routes = true;
  m_ownsWidget = true;
  layer::AddOwner(w, this, true);
  PreSubclassWindow();
  return TRUE;
}

SHORT GetKeyState(int vk) {
  UiKey key;
  switch (vk) {
    case VK_SHIFT: key = UiKey::Shift; break;
    case VK_CONTROL: key = UiKey::Control; break;
    case VK_MENU: key = UiKey::Alt; break;
    default: return 0;
  }
  return GetUiHooks().IsKeyDown(key) ? static_cast<SHORT>(0x8000) : SHORT{0};
}
