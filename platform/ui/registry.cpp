// The registry tying widgets to their CWnd objects, and message routing.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <unordered_map>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/ui_internal.h"

namespace {

std::unordered_map<const QWidget*, std::unique_ptr<WidgetInfo>>& Table() {
  static auto* table = new std::unordered_map<const QWidget*, std::unique_ptr<WidgetInfo>>();
  return *table;
}

void Forget(const QWidget* w) {
  auto& table = Table();
  auto it = table.find(w);
  if (it == table.end()) return;
  std::unique_ptr<WidgetInfo> info = std::move(it->second);
  table.erase(it);
  for (CWnd* owner : info->owners) {
    owner->m_hWnd = nullptr;
    owner->OnWidgetDestroyed();
  }
  if (info->temp) info->temp->m_hWnd = nullptr;
}

}  // namespace

namespace layer {

QString ToQ(const CString& s) {
  auto v = s.View();
  return QString(reinterpret_cast<const QChar*>(v.data()), static_cast<qsizetype>(v.size()));
}

CString FromQ(const QString& s) {
  return CString(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())));
}

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

WidgetInfo* Info(const QWidget* w) {
  if (!w) return nullptr;
  auto& table = Table();
  auto it = table.find(w);
  return it == table.end() ? nullptr : it->second.get();
}

WidgetInfo& Register(QWidget* w) {
  auto& table = Table();
  auto it = table.find(w);
  if (it != table.end()) return *it->second;
  auto info = std::make_unique<WidgetInfo>();
  WidgetInfo& ref = *info;
  table.emplace(w, std::move(info));
  QObject::connect(w, &QObject::destroyed, [w](QObject*) { Forget(w); });
  Watch(w);
  return ref;
}

void RegisterAlias(QWidget* viewport, QWidget* owner) {
  WidgetInfo& info = Register(viewport);
  info.aliasOf = owner;
}

static QWidget* Resolve(QWidget* w) {
  WidgetInfo* info = Info(w);
  if (info && info->aliasOf) return info->aliasOf;
  return w;
}

CWnd* Router(QWidget* w) {
  if (!w) return nullptr;
  w = Resolve(w);
  WidgetInfo* info = Info(w);
  if (!info) return nullptr;
  if (!info->routers.empty()) return info->routers.back();
  if (!info->owners.empty()) return info->owners.back();
  if (!info->temp) {
    info->temp = MakeWrapper(w);
    info->temp->m_hWnd = w;
  }
  return info->temp.get();
}

CWnd* ParentRouter(QWidget* w) {
  if (!w) return nullptr;
  w = Resolve(w);
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
    WidgetInfo* info = Info(p);
    if (info && !info->aliasOf && (info->hasKind || info->dialog || !info->routers.empty() || !info->owners.empty()))
      return Router(p);
    if (p->isWindow()) break;
  }
  return nullptr;
}

void AddOwner(QWidget* w, CWnd* wnd, bool routes) {
  WidgetInfo& info = Register(w);
  info.owners.push_back(wnd);
  if (!routes) return;
  info.routers.push_back(wnd);
  TrackMouseIfMapped(w);
}

void TrackMouseIfMapped(QWidget* w) {
  if (!Maps(w, WM_MOUSEMOVE)) return;
  // Qt reports moves without a button only to widgets that ask for them.
  w->setMouseTracking(true);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) area->viewport()->setMouseTracking(true);
}

void RemoveOwner(QWidget* w, CWnd* wnd) {
  WidgetInfo* info = Info(w);
  if (!info) return;
  std::erase(info->owners, wnd);
  std::erase(info->routers, wnd);
}

std::unique_ptr<CWnd> MakeWrapper(const QWidget* w) {
  WidgetInfo* info = Info(w);
  if (info && info->hasKind) {
    switch (info->kind) {
      case CtlKind::Static:
      case CtlKind::Picture: return std::make_unique<CStatic>();
      case CtlKind::GroupBox:
      case CtlKind::PushButton:
      case CtlKind::DefPushButton:
      case CtlKind::CheckBox:
      case CtlKind::Radio: return std::make_unique<CButton>();
      case CtlKind::Edit: return std::make_unique<CEdit>();
      case CtlKind::ComboDropDown:
      case CtlKind::ComboDropList: return std::make_unique<CComboBox>();
      case CtlKind::ListBox: return std::make_unique<CListBox>();
      case CtlKind::CheckListBox: return std::make_unique<CCheckListBox>();
      case CtlKind::ListView: return std::make_unique<CListCtrl>();
      case CtlKind::TabCtrl: return std::make_unique<CTabCtrl>();
      case CtlKind::Spin: return std::make_unique<CSpinButtonCtrl>();
      case CtlKind::DateTime: return std::make_unique<CDateTimeCtrl>();
      case CtlKind::Progress: return std::make_unique<CProgressCtrl>();
    }
  }
  if (qobject_cast<const QHeaderView*>(w)) return std::make_unique<CHeaderCtrl>();
  if (qobject_cast<const QTableView*>(w)) return std::make_unique<CListCtrl>();
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)) return std::make_unique<CEdit>();
  if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w)) return std::make_unique<CButton>();
  if (qobject_cast<const QComboBox*>(w)) return std::make_unique<CComboBox>();
  if (qobject_cast<const QListWidget*>(w)) return std::make_unique<CListBox>();
  if (qobject_cast<const QTabWidget*>(w)) return std::make_unique<CTabCtrl>();
  if (qobject_cast<const QDateEdit*>(w)) return std::make_unique<CDateTimeCtrl>();
  if (qobject_cast<const QProgressBar*>(w)) return std::make_unique<CProgressCtrl>();
  if (qobject_cast<const QLabel*>(w)) return std::make_unique<CStatic>();
  return std::make_unique<CWnd>();
}

QWidget* FindChildById(const QWidget* parent, int id) {
  if (!parent) return nullptr;
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) continue;
    WidgetInfo* info = Info(w);
    if (info && info->hasKind && info->id == id) return w;
  }
  return nullptr;
}

void SendCommand(QWidget* control, UINT code) {
  WidgetInfo* info = Info(control);
  if (!info) return;
  int id = info->id;
  CWnd* self = Router(control);
  MsgArgs args;
  args.id = static_cast<UINT>(id);
  if (self && self->FindEntry(WM_COMMAND, static_cast<int>(code), id, true)) {
    self->Dispatch(WM_COMMAND, static_cast<int>(code), id, true, args);
    return;
  }
  CWnd* parent = ParentRouter(control);
  if (parent) parent->OnCommand(MAKEWPARAM(static_cast<unsigned>(id), code), reinterpret_cast<LPARAM>(control));
}

LRESULT SendNotify(QWidget* control, NMHDR& hdr) {
  WidgetInfo* info = Info(control);
  if (!info) return 0;
  hdr.hwndFrom = control;
  hdr.idFrom = static_cast<UINT_PTR>(info->id);
  LRESULT result = 0;
  MsgArgs args;
  args.id = static_cast<UINT>(info->id);
  args.nmhdr = &hdr;
  args.result = &result;
  CWnd* self = Router(control);
  if (self && self->FindEntry(WM_NOTIFY, hdr.code, info->id, true)) {
    self->Dispatch(WM_NOTIFY, hdr.code, info->id, true, args);
    return result;
  }
  CWnd* parent = ParentRouter(control);
  if (parent) parent->Dispatch(WM_NOTIFY, hdr.code, info->id, false, args);
  return result;
}

bool Maps(QWidget* w, UINT message) {
  CWnd* r = Router(w);
  return r && r->FindEntry(message, 0, 0, false) != nullptr;
}

}  // namespace layer
