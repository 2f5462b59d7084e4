// Mouse and keys of a list, the start of a drag, and the user actions they
// become.

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>
#include <algorithm>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/list_ctrl_internal.h"

using layer::list::ChangeState;
using layer::list::CheckBoxRect;
using layer::list::ModelOf;

namespace {

// Mouse and keys of the list: selection as on the platform, then notifications.
class ListInput : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* viewport = qobject_cast<QWidget*>(obj);
    auto* view = viewport ? qobject_cast<QTableView*>(viewport->parentWidget()) : nullptr;
    if (!view) view = qobject_cast<QTableView*>(obj);
    CListCtrl::Model* m = ModelOf(view);
    if (!m) return false;
    CListCtrl* list = dynamic_cast<CListCtrl*>(layer::Router(view));
    if (!list) return false;
    switch (ev->type()) {
      case QEvent::Paint:
        if (obj == view->viewport()) {
          m->rowDraw.clear();
          m->prepaint = 0;
          NMLVCUSTOMDRAW cd;
          cd.nmcd.hdr.code = NM_CUSTOMDRAW;
          cd.nmcd.dwDrawStage = CDDS_PREPAINT;
          m->prepaint = layer::SendNotify(view, cd.nmcd.hdr);
        }
        return false;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        if (obj != view->viewport()) return false;
        auto* me = static_cast<QMouseEvent*>(ev);
        QPoint pt = me->position().toPoint();
        QModelIndex idx = view->indexAt(pt);
        int item = idx.isValid() ? idx.row() : -1;
        int sub = idx.isValid() ? idx.column() : view->columnAt(pt.x());
        view->setFocus(Qt::MouseFocusReason);
        if (ev->type() == QEvent::MouseButtonDblClick) {
          list->DoubleClickAsUser(item, sub < 0 ? 0 : sub);
        } else if (me->button() == Qt::RightButton) {
          NMITEMACTIVATE nm;
          nm.hdr.code = NM_RCLICK;
          nm.iItem = item;
          nm.iSubItem = sub;
          const QPoint inList = view->viewport()->mapTo(view, pt);
          nm.ptAction = CPoint(inList.x(), inList.y());
          // A right press selects an unselected row but is no click: NM_CLICK
          // would move the owner's own selection away from what the menu is for.
          if (item >= 0 && !(m->rows[item].state & LVIS_SELECTED)) list->SelectAsUser(item, false, false);
          layer::SendNotify(view, nm.hdr);
        } else {
          bool onCheck = item >= 0 && sub == 0 && (m->exStyle & LVS_EX_CHECKBOXES) &&
                         CheckBoxRect(view->visualRect(idx)).contains(pt);
          if (onCheck) {
            list->SetCheck(item, !m->rows[item].checked);
          } else {
            // The notification carries where the user clicked, also below the rows.
            m->clickPoint = view->viewport()->mapTo(view, pt);
            list->ClickAsUser(item, sub < 0 ? 0 : sub, me->modifiers() & Qt::ControlModifier,
                              me->modifiers() & Qt::ShiftModifier);
            m->clickPoint.reset();
          }
        }
        return true;
      }
      case QEvent::KeyPress: {
        if (obj != view) return false;
        auto* ke = static_cast<QKeyEvent*>(ev);
        UINT vk = 0;
        switch (ke->key()) {
          case Qt::Key_Up: vk = VK_UP; break;
          case Qt::Key_Down: vk = VK_DOWN; break;
          case Qt::Key_Home: vk = VK_HOME; break;
          case Qt::Key_End: vk = VK_END; break;
          case Qt::Key_Space: vk = VK_SPACE; break;
          case Qt::Key_Delete: vk = VK_DELETE; break;
          default:
            if (ke->key() >= Qt::Key_A && ke->key() <= Qt::Key_Z) vk = static_cast<UINT>(ke->key());
            break;
        }
        if (!vk) return false;
        list->KeyDownAsUser(vk);
        return true;
      }
      default: return false;
    }
  }
};

// Sees the mouse of a list before anything else and sends LVN_BEGINDRAG when
// the left button, pressed on an item, moved far enough. Eats nothing.
class DragDetect : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* viewport = qobject_cast<QWidget*>(obj);
    auto* view = viewport ? qobject_cast<QTableView*>(viewport->parentWidget()) : nullptr;
    if (!view) return false;
    const QEvent::Type type = ev->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
      return false;
    auto* me = static_cast<QMouseEvent*>(ev);
    switch (type) {
      case QEvent::MouseButtonPress: {
        m_view = nullptr;
        QModelIndex idx = view->indexAt(me->position().toPoint());
        if (me->button() != Qt::LeftButton || !idx.isValid()) return false;
        m_view = view;
        m_index = idx;
        m_start = me->position().toPoint();
        return false;
      }
      case QEvent::MouseMove: {
        if (m_view != view || !(me->buttons() & Qt::LeftButton) ||
            (me->position().toPoint() - m_start).manhattanLength() < QApplication::startDragDistance())
          return false;
        m_view = nullptr;   // once per press
        NMLISTVIEW nm;
        nm.hdr.code = LVN_BEGINDRAG;
        nm.iItem = m_index.row();
        nm.iSubItem = m_index.column();
        QPoint p = viewport->mapTo(view, m_start);
        nm.ptAction = CPoint(p.x(), p.y());
        if (CListCtrl::Model* m = ModelOf(view); m && m->ValidRow(nm.iItem)) nm.lParam = m->rows[nm.iItem].data;
        layer::SendNotify(view, nm.hdr);
        return false;
      }
      case QEvent::MouseButtonRelease: m_view = nullptr; return false;
      default: return false;
    }
  }

 private:
  QPointer<QTableView> m_view;   // pressed on an item of this list
  QModelIndex m_index;
  QPoint m_start;
};

}  // namespace

QObject* layer::list::InputFilter() {
  static ListInput* input = new ListInput();
  return input;
}

QObject* layer::list::DragFilter() {
  static DragDetect* dragDetect = new DragDetect();
  return dragDetect;
}

void CListCtrl::ClickAsUser(int item, int subItem, bool withCtrl, bool withShift) {
  Model* m = GetModel();
  if (!m || !m->view->isEnabled()) return;
  QPointer<QTableView> guard(m->view);
  SelectAsUser(item, withCtrl, withShift);
  if (!guard) return;
  NotifyClick(item, subItem);
}

void CListCtrl::SelectAsUser(int item, bool withCtrl, bool withShift) {
  Model* m = GetModel();
  if (!m || !m->view->isEnabled()) return;
  QTableView* view = m->view;
  QPointer<QTableView> guard(view);
  if (item >= 0 && m->ValidRow(item)) {
    bool single = (m->flags & tpl::kSingleSel) != 0;
    if (withShift && !single && m->selectionMark >= 0) {
      int a = std::min(m->selectionMark, item), b = std::max(m->selectionMark, item);
      for (int i = 0; i < static_cast<int>(m->rows.size()) && guard; ++i)
        ChangeState(view, i, (i >= a && i <= b) ? static_cast<UINT>(LVIS_SELECTED) : 0u, LVIS_SELECTED);
      if (guard) ChangeState(view, item, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (withCtrl && !single) {
      bool sel = m->rows[item].state & LVIS_SELECTED;
      ChangeState(view, item, (sel ? 0u : static_cast<UINT>(LVIS_SELECTED)) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      if (guard) m->selectionMark = item;
    } else {
      for (int i = 0; i < static_cast<int>(m->rows.size()) && guard; ++i)
        if (i != item && (m->rows[i].state & LVIS_SELECTED)) ChangeState(view, i, 0, LVIS_SELECTED);
      if (guard) ChangeState(view, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      if (guard) m->selectionMark = item;
    }
  } else if (!withCtrl && !withShift) {
    // A click below the items clears the selection.
    for (int i = 0; i < static_cast<int>(m->rows.size()) && guard; ++i)
      if (m->rows[i].state & LVIS_SELECTED) ChangeState(view, i, 0, LVIS_SELECTED);
  }
}

void CListCtrl::NotifyClick(int item, int subItem) {
  Model* m = GetModel();
  if (!m) return;
  QTableView* view = m->view;
  NMITEMACTIVATE nm;
  nm.hdr.code = NM_CLICK;
  nm.iItem = m->ValidRow(item) ? item : -1;
  nm.iSubItem = subItem;
  // ptAction is in the list's client coordinates, as the hit tests take it.
  if (m->clickPoint) {
    nm.ptAction = CPoint(m->clickPoint->x(), m->clickPoint->y());
  } else if (nm.iItem >= 0 && !m->columns.empty()) {
    QRect r = view->visualRect(m->index(item, std::clamp(subItem, 0, static_cast<int>(m->columns.size()) - 1)));
    QPoint c = view->viewport()->mapTo(view, r.center());
    nm.ptAction = CPoint(c.x(), c.y());
  }
  layer::SendNotify(view, nm.hdr);
}

void CListCtrl::DoubleClickAsUser(int item, int subItem) {
  Model* m = GetModel();
  if (!m || !m->view->isEnabled()) return;
  NMITEMACTIVATE nm;
  nm.hdr.code = NM_DBLCLK;
  nm.iItem = m->ValidRow(item) ? item : -1;
  nm.iSubItem = subItem;
  layer::SendNotify(m->view, nm.hdr);
}

void CListCtrl::ClickColumnAsUser(int column) {
  Model* m = GetModel();
  if (!m || !m->view->isEnabled() || column < 0 || column >= static_cast<int>(m->columns.size())) return;
  emit m->view->horizontalHeader()->sectionClicked(column);
}

void CListCtrl::KeyDownAsUser(UINT vk) {
  Model* m = GetModel();
  if (!m || !m->view->isEnabled()) return;
  QPointer<QTableView> guard(m->view);
  NMLVKEYDOWN nm;
  nm.hdr.code = LVN_KEYDOWN;
  nm.wVKey = static_cast<WORD>(vk);
  layer::SendNotify(m->view, nm.hdr);
  if (!guard || m->rows.empty()) return;
  int focus = GetNextItem(-1, LVNI_FOCUSED);
  int target = -1;
  if (vk == VK_UP) target = focus <= 0 ? 0 : focus - 1;
  else if (vk == VK_DOWN) target = focus < 0 ? 0 : std::min(focus + 1, static_cast<int>(m->rows.size()) - 1);
  else if (vk == VK_HOME) target = 0;
  else if (vk == VK_END) target = static_cast<int>(m->rows.size()) - 1;
  else if (vk == VK_SPACE && focus >= 0 && (m->exStyle & LVS_EX_CHECKBOXES)) {
    SetCheck(focus, !GetCheck(focus));
    return;
  }
  if (target < 0 || target == focus) return;
  for (int i = 0; i < static_cast<int>(m->rows.size()) && guard; ++i)
    if (i != target && (m->rows[i].state & LVIS_SELECTED)) ChangeState(m->view, i, 0, LVIS_SELECTED);
  if (!guard) return;
  ChangeState(m->view, target, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m->selectionMark = target;
  EnsureVisible(target, FALSE);
}
