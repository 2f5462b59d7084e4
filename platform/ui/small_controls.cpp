// Spin buttons, date pickers, tabs, progress bars and tooltips over their widgets.

#include "platform/ui/controls.h"

#include <QDateEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>

#include "platform/ui/ui_internal.h"

using layer::As;
using layer::FromQ;
using layer::ToQ;
using layer::Usable;

// CSpinButtonCtrl

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  if (!m_hWnd) return;
  m_hWnd->setProperty("tabro_lower", lower);
  m_hWnd->setProperty("tabro_upper", upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  lower = m_hWnd ? m_hWnd->property("tabro_lower").toInt() : 0;
  upper = m_hWnd ? m_hWnd->property("tabro_upper").toInt() : 0;
}

int CSpinButtonCtrl::SetPos32(int pos) {
  if (!m_hWnd) return 0;
  int lower, upper;
  GetRange32(lower, upper);
  int lo = std::min(lower, upper), hi = std::max(lower, upper);
  int old = m_hWnd->property("tabro_pos").toInt();
  pos = std::clamp(pos, lo, hi);
  m_hWnd->setProperty("tabro_pos", pos);
  WidgetInfo* info = layer::Info(m_hWnd);
  if (info && (info->flags & tpl::kSetBuddyInt))
    if (CWnd* buddy = GetBuddy()) buddy->SetWindowText(CString::Build(u"%d", pos));
  return old;
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
  if (error) *error = m_hWnd ? FALSE : TRUE;
  return m_hWnd ? m_hWnd->property("tabro_pos").toInt() : 0;
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
  if (!m_hWnd) return nullptr;
  auto* w = qobject_cast<QWidget*>(m_hWnd->property("tabro_buddy").value<QObject*>());
  if (w) return CWnd::FromHandle(w);
  // By default the control created just before the spin is its buddy.
  QWidget* parent = m_hWnd->parentWidget();
  if (!parent) return nullptr;
  QWidget* previous = nullptr;
  for (QObject* o : parent->children()) {
    if (o == m_hWnd) break;
    if (auto* pw = qobject_cast<QWidget*>(o); pw && layer::Info(pw) && layer::Info(pw)->hasKind) previous = pw;
  }
  return previous ? CWnd::FromHandle(previous) : nullptr;
}

void CSpinButtonCtrl::StepAsUser(int delta) {
  if (!m_hWnd || !Usable(m_hWnd)) return;
  NMUPDOWN ud;
  ud.hdr.code = UDN_DELTAPOS;
  ud.iPos = GetPos32();
  // A spin that writes its buddy also starts from the number typed there.
  WidgetInfo* info = layer::Info(m_hWnd);
  if (info && (info->flags & tpl::kSetBuddyInt))
    if (CWnd* buddy = GetBuddy()) {
      bool ok = false;
      int typed = layer::ToQ(buddy->GetWindowText()).trimmed().toInt(&ok);
      if (ok) ud.iPos = typed;
    }
  // The up arrow moves toward the upper end of the range, whichever way the
  // range runs; the notification carries the signed change of position.
  int lower, upper;
  GetRange32(lower, upper);
  ud.iDelta = lower > upper ? -delta : delta;
  if (layer::SendNotify(m_hWnd, ud.hdr) != 0) return;
  SetPos32(ud.iPos + ud.iDelta);
}

// CDateTimeCtrl

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time) {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !time) return FALSE;
  QDate q(time->wYear, time->wMonth, time->wDay);
  if (!q.isValid()) return FALSE;
  d->setProperty("tabro_quiet", true);
  d->setDate(q);
  d->setProperty("tabro_quiet", false);
  return TRUE;
}

DWORD CDateTimeCtrl::GetTime(SYSTEMTIME* time) const {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !time) return 1;
  QDate q = d->date();
  *time = SYSTEMTIME{};
  time->wYear = static_cast<WORD>(q.year());
  time->wMonth = static_cast<WORD>(q.month());
  time->wDay = static_cast<WORD>(q.day());
  time->wDayOfWeek = static_cast<WORD>(q.dayOfWeek() % 7);
  return 0;
}

void CDateTimeCtrl::SetTimeAsUser(const SYSTEMTIME& time) {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !Usable(d)) return;
  QDate q(time.wYear, time.wMonth, time.wDay);
  if (q.isValid()) d->setDate(q);
}

// CTabCtrl

namespace {
QTabWidget* Tabs(HWND w) { return qobject_cast<QTabWidget*>(w); }
}

LONG CTabCtrl::InsertItem(int index, const CString& text) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t) return -1;
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  int i = t->insertTab(index < 0 ? t->count() : index, new QWidget(), ToQ(text));
  info.programmaticTab = false;
  return i;
}

BOOL CTabCtrl::DeleteItem(int index) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || index < 0 || index >= t->count()) return FALSE;
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  QWidget* page = t->widget(index);
  t->removeTab(index);
  delete page;
  info.programmaticTab = false;
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t) return FALSE;
  while (t->count() > 0) DeleteItem(t->count() - 1);
  return TRUE;
}

int CTabCtrl::GetItemCount() const {
  QTabWidget* t = Tabs(m_hWnd);
  return t ? t->count() : 0;
}

int CTabCtrl::GetCurSel() const {
  QTabWidget* t = Tabs(m_hWnd);
  return t ? t->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int index) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || index < 0 || index >= t->count()) return -1;
  int old = t->currentIndex();
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  t->setCurrentIndex(index);
  info.programmaticTab = false;
  return old;
}

CString CTabCtrl::GetItemText(int index) const {
  QTabWidget* t = Tabs(m_hWnd);
  return t && index >= 0 && index < t->count() ? FromQ(t->tabText(index)) : CString();
}

BOOL CTabCtrl::GetItemRect(int index, CRect* rect) const {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || !rect || index < 0 || index >= t->count()) return FALSE;
  QRect r = t->tabBar()->tabRect(index);
  QPoint p = t->tabBar()->mapTo(t, r.topLeft());
  *rect = CRect(p.x(), p.y(), p.x() + r.width(), p.y() + r.height());
  return TRUE;
}

void CTabCtrl::SelectAsUser(int index) {
  if (QTabWidget* t = Tabs(m_hWnd)) layer::UserSelectsTab(t, index);
}

bool layer::UserSelectsTab(QTabWidget* t, int index) {
  if (!t || !Usable(t) || index < 0 || index >= t->count() || index == t->currentIndex()) return false;
  if (!t->isTabEnabled(index)) return false;
  NMHDR hdr;
  hdr.code = TCN_SELCHANGING;
  QPointer<QTabWidget> guard(t);
  if (layer::SendNotify(t, hdr) != 0 || !guard) return false;
  t->setCurrentIndex(index);   // TCN_SELCHANGE follows
  return true;
}

// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD) {
  m_parent = parent;
  return parent != nullptr;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const CString& text) {
  if (!wnd || !wnd->m_hWnd) return FALSE;
  wnd->m_hWnd->setProperty("tabro_tip", ToQ(text));
  wnd->m_hWnd->setToolTip(ToQ(text));
  return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* wnd) {
  if (!wnd || !wnd->m_hWnd) return;
  wnd->m_hWnd->setProperty("tabro_tip", QVariant());
  wnd->m_hWnd->setToolTip(QString());
}

CString CToolTipCtrl::GetToolText(CWnd* wnd) const {
  if (!wnd || !wnd->m_hWnd) return CString();
  return FromQ(wnd->m_hWnd->property("tabro_tip").toString());
}
