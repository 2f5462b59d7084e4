// Combo boxes, list boxes and check lists over their widgets.

#include "platform/ui/controls.h"

#include <QComboBox>
#include <QListWidget>

#include "platform/ui/ui_internal.h"

using layer::As;
using layer::FromQ;
using layer::ToQ;
using layer::Usable;

// CComboBox

namespace {
bool Sorted(QWidget* w) {
  WidgetInfo* info = layer::Info(w);
  return info && (info->flags & tpl::kSort);
}
int SortedPosition(const QStringList& items, const QString& text) {
  int i = 0;
  while (i < items.size() && QString::compare(items[i], text, Qt::CaseInsensitive) <= 0) ++i;
  return i;
}
// The first item after startAfter, wrapping round once, that matches; -1 (CB_ERR, LB_ERR) for none.
template <class Match>
int FindItem(int count, int startAfter, Match matches) {
  for (int k = 1; k <= count; ++k) {
    int i = (startAfter + k) % count;
    if (i < 0) i += count;
    if (matches(i)) return i;
  }
  return -1;
}
QStringList ComboItems(QComboBox* cb) {
  QStringList l;
  for (int i = 0; i < cb->count(); ++i) l << cb->itemText(i);
  return l;
}
}  // namespace

int CComboBox::AddString(const CString& text) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb) return CB_ERR;
  QSignalBlocker block(cb);
  int index = Sorted(cb) ? SortedPosition(ComboItems(cb), ToQ(text)) : cb->count();
  int cur = cb->currentIndex();
  cb->insertItem(index, ToQ(text), QVariant::fromValue<qulonglong>(0));
  if (cur < 0) cb->setCurrentIndex(-1);
  return index;
}

void CComboBox::ResetContent() {
  if (auto* cb = As<QComboBox>(m_hWnd)) {
    QSignalBlocker block(cb);
    cb->clear();
    cb->setCurrentIndex(-1);
  }
}

int CComboBox::GetCount() const {
  auto* cb = As<QComboBox>(m_hWnd);
  return cb ? cb->count() : CB_ERR;
}

int CComboBox::GetCurSel() const {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb) return CB_ERR;
  if (cb->isEditable() && cb->currentIndex() >= 0 && cb->currentText() != cb->itemText(cb->currentIndex()))
    return CB_ERR;
  return cb->currentIndex();
}

int CComboBox::SetCurSel(int index) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb) return CB_ERR;
  QSignalBlocker block(cb);
  if (index < 0 || index >= cb->count()) {
    cb->setCurrentIndex(-1);
    if (cb->isEditable()) cb->setEditText(QString());
    return CB_ERR;
  }
  cb->setCurrentIndex(index);
  return index;
}

int CComboBox::GetLBText(int index, CString& text) const {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || index < 0 || index >= cb->count()) {
    text.Empty();
    return CB_ERR;
  }
  text = FromQ(cb->itemText(index));
  return text.GetLength();
}

CString CComboBox::GetLBText(int index) const {
  CString t;
  GetLBText(index, t);
  return t;
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || index < 0 || index >= cb->count()) return CB_ERR;
  cb->setItemData(index, QVariant::fromValue<qulonglong>(data));
  return CB_OKAY;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || index < 0 || index >= cb->count()) return static_cast<DWORD_PTR>(CB_ERR);
  return static_cast<DWORD_PTR>(cb->itemData(index).toULongLong());
}

int CComboBox::FindStringExact(int startAfter, const CString& text) const {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb) return CB_ERR;
  QString q = ToQ(text);
  return FindItem(cb->count(), startAfter,
                  [&](int i) { return QString::compare(cb->itemText(i), q, Qt::CaseInsensitive) == 0; });
}

int CComboBox::FindString(int startAfter, const CString& prefix) const {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb) return CB_ERR;
  QString q = ToQ(prefix);
  return FindItem(cb->count(), startAfter, [&](int i) { return cb->itemText(i).startsWith(q, Qt::CaseInsensitive); });
}

BOOL CComboBox::LimitText(int max) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || !cb->lineEdit()) return FALSE;
  cb->lineEdit()->setMaxLength(max <= 0 ? 32767 : max);
  return TRUE;
}

void CComboBox::ShowDropDown(BOOL show) {
  if (auto* cb = As<QComboBox>(m_hWnd)) {
    if (show) cb->showPopup();
    else cb->hidePopup();
  }
}

// CListBox

int CListBox::AddString(const CString& text) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  QStringList items;
  for (int i = 0; i < lw->count(); ++i) items << lw->item(i)->text();
  int index = Sorted(lw) ? SortedPosition(items, ToQ(text)) : lw->count();
  return InsertString(index, text);
}

int CListBox::InsertString(int index, const CString& text) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index > lw->count()) return LB_ERR;
  if (index < 0) index = lw->count();
  lw->setProperty("tabro_quiet", true);
  auto* item = new QListWidgetItem(ToQ(text));
  item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(0));
  WidgetInfo* info = layer::Info(lw);
  if (info && info->kind == CtlKind::CheckListBox) layer::MakeCheckEntry(item);
  lw->insertItem(index, item);
  lw->setProperty("tabro_quiet", false);
  return index;
}

int CListBox::DeleteString(int index) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return LB_ERR;
  QSignalBlocker block(lw);
  delete lw->takeItem(index);
  return lw->count();
}

void CListBox::ResetContent() {
  if (auto* lw = As<QListWidget>(m_hWnd)) {
    QSignalBlocker block(lw);
    lw->clear();
  }
}

int CListBox::GetCount() const {
  auto* lw = As<QListWidget>(m_hWnd);
  return lw ? lw->count() : LB_ERR;
}

int CListBox::GetCurSel() const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  if (lw->selectionMode() == QAbstractItemView::ExtendedSelection) return lw->currentRow();
  auto sel = lw->selectedItems();
  return sel.isEmpty() ? LB_ERR : lw->row(sel.first());
}

int CListBox::SetCurSel(int index) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  QSignalBlocker block(lw);
  if (index < 0 || index >= lw->count()) {
    lw->clearSelection();
    lw->setCurrentRow(-1, QItemSelectionModel::Clear);
    return LB_ERR;   // also for -1, which clears the selection
  }
  lw->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  lw->scrollToItem(lw->item(index));
  return index;
}

int CListBox::GetText(int index, CString& text) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) {
    text.Empty();
    return LB_ERR;
  }
  text = FromQ(lw->item(index)->text());
  return text.GetLength();
}

CString CListBox::GetText(int index) const {
  CString t;
  GetText(index, t);
  return t;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return LB_ERR;
  lw->item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(data));
  return LB_OKAY;
}

DWORD_PTR CListBox::GetItemData(int index) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return static_cast<DWORD_PTR>(LB_ERR);
  return static_cast<DWORD_PTR>(lw->item(index)->data(Qt::UserRole).toULongLong());
}

int CListBox::FindStringExact(int startAfter, const CString& text) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  QString q = ToQ(text);
  return FindItem(lw->count(), startAfter,
                  [&](int i) { return QString::compare(lw->item(i)->text(), q, Qt::CaseInsensitive) == 0; });
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
  auto* lw = As<QListWidget>(m_hWnd);
  outside = TRUE;
  if (!lw || lw->count() == 0) return 0;
  QPoint p = lw->viewport()->mapFrom(lw, QPoint(point.x, point.y));
  if (QListWidgetItem* item = lw->itemAt(p)) {
    outside = lw->viewport()->rect().contains(p) ? FALSE : TRUE;
    return static_cast<UINT>(lw->row(item));
  }
  // Off the entries: the nearest one, the last when below them.
  QRect last = lw->visualItemRect(lw->item(lw->count() - 1));
  return p.y() >= last.bottom() ? static_cast<UINT>(lw->count() - 1) : 0u;
}

int CListBox::GetItemRect(int index, CRect* rect) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || !rect || index < 0 || index >= lw->count()) return LB_ERR;
  QRect r = lw->visualItemRect(lw->item(index));
  QPoint topLeft = lw->viewport()->mapTo(lw, r.topLeft());
  *rect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height());
  return LB_OKAY;
}

int CCheckListBox::GetCheck(int index) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return BST_UNCHECKED;
  return lw->item(index)->checkState() == Qt::Checked ? BST_CHECKED : BST_UNCHECKED;
}

void CCheckListBox::SetCheck(int index, int check) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return;
  lw->setProperty("tabro_quiet", true);
  lw->item(index)->setCheckState(check == BST_CHECKED ? Qt::Checked : Qt::Unchecked);
  lw->setProperty("tabro_quiet", false);
}

void CCheckListBox::ToggleAsUser(int index) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || !Usable(lw) || index < 0 || index >= lw->count()) return;
  QListWidgetItem* item = lw->item(index);
  if (!(item->flags() & Qt::ItemIsEnabled)) return;
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
