// In-place editing of a list item's label.

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/ui_internal.h"

namespace {

constexpr char kItemProperty[] = "tabro_label_item";

// The edit box open on a list, if any (a child of the list's widget).
QLineEdit* OpenEditor(const QWidget* list) {
  if (!list) return nullptr;
  for (QObject* o : list->children())
    if (auto* e = qobject_cast<QLineEdit*>(o); e && e->property(kItemProperty).isValid()) return e;
  return nullptr;
}

// Ends the edit once: LVN_ENDLABELEDIT with the text (keep) or without, the
// label taken when the handler agrees, then the box goes.
void Finish(QLineEdit* editor, bool keep) {
  if (!editor || editor->property("tabro_label_done").toBool()) return;
  editor->setProperty("tabro_label_done", true);
  QPointer<QWidget> list = editor->parentWidget();
  NMLVDISPINFO info;
  info.hdr.code = LVN_ENDLABELEDIT;
  info.item.iItem = editor->property(kItemProperty).toInt();
  if (keep) {
    info.item.mask = LVIF_TEXT;
    info.item.pszText = layer::FromQ(editor->text());
  }
  editor->hide();
  editor->deleteLater();
  if (!list) return;
  LRESULT accepted = layer::SendNotify(list, info.hdr);
  if (keep && accepted && list)
    if (auto* ctrl = dynamic_cast<CListCtrl*>(CWnd::FromHandle(list)))
      ctrl->SetItemText(info.item.iItem, 0, info.item.pszText);
  if (list) list->setFocus();
}

// Enter and Esc end the edit; so does the focus leaving it.
class EditorKeys : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* editor = qobject_cast<QLineEdit*>(obj);
    if (!editor) return false;
    if (ev->type() == QEvent::KeyPress) {
      int key = static_cast<QKeyEvent*>(ev)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        Finish(editor, key != Qt::Key_Escape);
        return true;
      }
    } else if (ev->type() == QEvent::FocusOut) {
      Finish(editor, true);
    }
    return false;
  }
};

EditorKeys* Keys() {
  static EditorKeys* keys = new EditorKeys();
  return keys;
}

}  // namespace

CEdit* CListCtrl::EditLabel(int item) {
  auto* view = qobject_cast<QTableView*>(m_hWnd);
  if (!view || item < 0 || item >= GetItemCount() || GetColumnCount() == 0) return nullptr;
  if (QLineEdit* open = OpenEditor(view)) Finish(open, true);
  NMLVDISPINFO info;
  info.hdr.code = LVN_BEGINLABELEDIT;
  info.item.iItem = item;
  info.item.mask = LVIF_TEXT;
  info.item.pszText = GetItemText(item, 0);
  if (layer::SendNotify(view, info.hdr) != 0) return nullptr;
  EnsureVisible(item, FALSE);
  CRect r;
  GetSubItemRect(item, 0, LVIR_LABEL, r);
  auto* editor = new QLineEdit(layer::ToQ(GetItemText(item, 0)), view);
  editor->setProperty(kItemProperty, item);
  // Enter and Esc belong to the edit, not to the dialog's buttons.
  editor->setProperty("tabro_wantkeys", true);
  editor->setGeometry(r.left, r.top, r.Width(), r.Height());
  editor->installEventFilter(Keys());
  editor->show();
  editor->selectAll();
  editor->setFocus();
  return GetEditControl();
}

CEdit* CListCtrl::GetEditControl() const {
  QLineEdit* editor = OpenEditor(m_hWnd);
  return editor ? dynamic_cast<CEdit*>(CWnd::FromHandle(editor)) : nullptr;
}
