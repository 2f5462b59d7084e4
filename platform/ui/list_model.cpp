// The list's items and columns: their texts, data, states and checks, kept
// in the model.

#include <QHeaderView>
#include <QPointer>
#include <QTableView>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/list_ctrl_internal.h"

using layer::list::ChangeState;
using layer::list::FullState;
using layer::list::ModelOf;

namespace {

// Sends LVN_ITEMCHANGED for an item whose state changed.
void NotifyChanged(QTableView* view, int item, UINT oldState, UINT newState) {
  if (oldState == newState) return;
  NMLISTVIEW nm;
  nm.hdr.code = LVN_ITEMCHANGED;
  nm.iItem = item;
  nm.uChanged = LVIF_STATE;
  nm.uOldState = oldState;
  nm.uNewState = newState;
  CListCtrl::Model* m = ModelOf(view);
  if (m && m->ValidRow(item)) nm.lParam = m->rows[item].data;
  layer::SendNotify(view, nm.hdr);
}

// Clears the bits of every item but one and notifies each change; false when
// a handler took the list or the item away meanwhile.
bool ClearOthers(QTableView* view, int item, UINT bits) {
  QPointer<QTableView> guard(view);
  CListCtrl::Model* m = ModelOf(view);
  for (int i = 0; m && i < static_cast<int>(m->rows.size()); ++i) {
    if (i == item || !(m->rows[i].state & bits)) continue;
    UINT b = FullState(m->rows[i]);
    m->rows[i].state &= ~bits;
    m->RefreshRow(i);
    NotifyChanged(view, i, b, FullState(m->rows[i]));
    if (!guard || !m->ValidRow(item)) return false;
  }
  return m != nullptr;
}

}  // namespace

CListCtrl::Model* layer::list::ModelOf(QWidget* w) {
  auto* view = qobject_cast<QTableView*>(w);
  return view ? dynamic_cast<CListCtrl::Model*>(view->model()) : nullptr;
}

UINT layer::list::FullState(const CListCtrl::Model::Row& r) {
  return r.state | INDEXTOSTATEIMAGEMASK(r.checked ? 2 : 1);
}

// Changes the state bits of one item and notifies. Handlers of the
// notifications may change the list, so items are looked up by index again
// after each one.
void layer::list::ChangeState(QTableView* view, int item, UINT state, UINT mask) {
  CListCtrl::Model* m = ModelOf(view);
  if (!m || !m->ValidRow(item)) return;
  UINT before = FullState(m->rows[item]);
  if (mask & LVIS_STATEIMAGEMASK) m->rows[item].checked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
  // One focused item at most.
  if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED) && !ClearOthers(view, item, LVIS_FOCUSED)) return;
  UINT& bits = m->rows[item].state;
  constexpr UINT kKept = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;
  bits = (bits & ~(mask & kKept)) | (state & mask & kKept);
  if ((m->flags & tpl::kSingleSel) && (bits & LVIS_SELECTED) && !ClearOthers(view, item, LVIS_SELECTED)) return;
  m->RefreshRow(item);
  NotifyChanged(view, item, before, FullState(m->rows[item]));
}

// CListCtrl

int CListCtrl::InsertColumn(int column, const CString& heading, int format, int width, int) {
  Model* m = GetModel();
  if (!m || column < 0) return -1;
  column = std::min(column, static_cast<int>(m->columns.size()));
  m->beginInsertColumns(QModelIndex(), column, column);
  m->columns.insert(m->columns.begin() + column, Model::Column{heading, format});
  for (Model::Row& r : m->rows)
    if (static_cast<int>(r.cells.size()) > column) r.cells.insert(r.cells.begin() + column, CString());
  m->endInsertColumns();
  if (width >= 0) m->view->horizontalHeader()->resizeSection(column, width);
  return column;
}

BOOL CListCtrl::DeleteColumn(int column) {
  Model* m = GetModel();
  if (!m || column < 0 || column >= static_cast<int>(m->columns.size())) return FALSE;
  m->beginRemoveColumns(QModelIndex(), column, column);
  m->columns.erase(m->columns.begin() + column);
  for (Model::Row& r : m->rows)
    if (static_cast<int>(r.cells.size()) > column) r.cells.erase(r.cells.begin() + column);
  m->endRemoveColumns();
  return TRUE;
}

BOOL CListCtrl::SetColumns(const std::vector<LVCOLUMN>& columns) {
  Model* m = GetModel();
  if (!m) return FALSE;
  m->beginResetModel();
  m->columns.clear();
  for (const LVCOLUMN& c : columns)
    m->columns.push_back(Model::Column{(c.mask & LVCF_TEXT) ? c.pszText : CString(), (c.mask & LVCF_FMT) ? c.fmt : LVCFMT_LEFT});
  for (Model::Row& r : m->rows)
    if (r.cells.size() > columns.size()) r.cells.resize(columns.size());
  m->endResetModel();
  QHeaderView* header = m->view->horizontalHeader();
  for (size_t i = 0; i < columns.size(); ++i)
    if ((columns[i].mask & LVCF_WIDTH) && columns[i].cx >= 0) header->resizeSection(static_cast<int>(i), columns[i].cx);
  return TRUE;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* info) const {
  Model* m = GetModel();
  if (!m || !info || column < 0 || column >= static_cast<int>(m->columns.size())) return FALSE;
  if (info->mask & LVCF_TEXT) info->pszText = m->columns[column].text;
  if (info->mask & LVCF_FMT) info->fmt = m->columns[column].fmt;
  if (info->mask & LVCF_WIDTH) info->cx = GetColumnWidth(column);
  if (info->mask & LVCF_SUBITEM) info->iSubItem = column;
  return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* info) {
  Model* m = GetModel();
  if (!m || !info || column < 0 || column >= static_cast<int>(m->columns.size())) return FALSE;
  if (info->mask & LVCF_TEXT) m->columns[column].text = info->pszText;
  if (info->mask & LVCF_FMT) m->columns[column].fmt = info->fmt;
  if (info->mask & LVCF_WIDTH) m->view->horizontalHeader()->resizeSection(column, info->cx);
  emit m->headerDataChanged(Qt::Horizontal, column, column);
  return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const {
  Model* m = GetModel();
  if (!m || column < 0 || column >= static_cast<int>(m->columns.size())) return 0;
  return m->view->horizontalHeader()->sectionSize(column);
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
  Model* m = GetModel();
  if (!m || column < 0 || column >= static_cast<int>(m->columns.size())) return FALSE;
  m->view->horizontalHeader()->resizeSection(column, std::max(0, width));
  return TRUE;
}

int CListCtrl::GetColumnCount() const {
  Model* m = GetModel();
  return m ? static_cast<int>(m->columns.size()) : 0;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
  Model* m = GetModel();
  if (!m) return nullptr;
  return dynamic_cast<CHeaderCtrl*>(CWnd::FromHandle(m->view->horizontalHeader()));
}

int CListCtrl::InsertItem(int item, const CString& text) {
  Model* m = GetModel();
  if (!m) return -1;
  if (item < 0 || item > static_cast<int>(m->rows.size())) item = static_cast<int>(m->rows.size());
  m->beginInsertRows(QModelIndex(), item, item);
  Model::Row r;
  r.cells.push_back(text);
  m->rows.insert(m->rows.begin() + item, std::move(r));
  m->endInsertRows();
  if (m->selectionMark >= item) ++m->selectionMark;
  return item;
}

BOOL CListCtrl::DeleteItem(int item) {
  Model* m = GetModel();
  if (!m || !m->ValidRow(item)) return FALSE;
  m->beginRemoveRows(QModelIndex(), item, item);
  m->rows.erase(m->rows.begin() + item);
  m->endRemoveRows();
  if (m->selectionMark == item) m->selectionMark = -1;
  else if (m->selectionMark > item) --m->selectionMark;
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  Model* m = GetModel();
  if (!m) return FALSE;
  m->beginResetModel();
  m->rows.clear();
  m->rows.shrink_to_fit();
  m->endResetModel();
  m->selectionMark = -1;
  return TRUE;
}

int CListCtrl::GetItemCount() const {
  Model* m = GetModel();
  return m ? static_cast<int>(m->rows.size()) : 0;
}

BOOL CListCtrl::SetItemCountEx(int count, DWORD) {
  Model* m = GetModel();
  if (!m || count < 0) return FALSE;
  if (m->source) {
    if (count == static_cast<int>(m->rows.size())) return TRUE;
    m->beginResetModel();
    m->rows.resize(static_cast<size_t>(count));
    m->endResetModel();
    if (m->selectionMark >= count) m->selectionMark = -1;
    return TRUE;
  }
  m->rows.reserve(static_cast<size_t>(count));
  return TRUE;
}

void CListCtrl::SetTextSource(std::function<CString(int, int)> source) {
  Model* m = GetModel();
  if (!m) return;
  m->beginResetModel();
  m->source = std::move(source);
  m->endResetModel();
}

void CListCtrl::SetHeaderColorSource(std::function<COLORREF(int)> source) {
  Model* m = GetModel();
  if (!m) return;
  m->headerColor = std::move(source);
  m->view->horizontalHeader()->viewport()->update();
}

BOOL CListCtrl::SetItemText(int item, int subItem, const CString& text) {
  Model* m = GetModel();
  if (!m || !m->ValidRow(item) || subItem < 0 || subItem >= std::max<int>(1, static_cast<int>(m->columns.size())))
    return FALSE;
  auto& cells = m->rows[item].cells;
  if (static_cast<int>(cells.size()) <= subItem) cells.resize(static_cast<size_t>(subItem) + 1);
  cells[subItem] = text;
  if (subItem < static_cast<int>(m->columns.size())) emit m->dataChanged(m->index(item, subItem), m->index(item, subItem));
  return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  Model* m = GetModel();
  return m ? m->Text(item, subItem) : CString();
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  Model* m = GetModel();
  if (!m || !m->ValidRow(item)) return FALSE;
  m->rows[item].data = static_cast<LPARAM>(data);
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  Model* m = GetModel();
  return m && m->ValidRow(item) ? static_cast<DWORD_PTR>(m->rows[item].data) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  Model* m = GetModel();
  if (!m) return FALSE;
  auto* view = m->view;
  if (item == -1) {
    for (int i = 0; i < static_cast<int>(m->rows.size()); ++i) ChangeState(view, i, state, mask);
    return TRUE;
  }
  if (!m->ValidRow(item)) return FALSE;
  ChangeState(view, item, state, mask);
  return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  Model* m = GetModel();
  return m && m->ValidRow(item) ? FullState(m->rows[item]) & mask : 0;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
  Model* m = GetModel();
  if (!m) return -1;
  for (int i = std::max(0, start + 1); i < static_cast<int>(m->rows.size()); ++i) {
    UINT s = m->rows[i].state;
    if ((flags & LVNI_SELECTED) && !(s & LVIS_SELECTED)) continue;
    if ((flags & LVNI_FOCUSED) && !(s & LVIS_FOCUSED)) continue;
    return i;
  }
  return -1;
}

int CListCtrl::GetSelectedCount() const {
  Model* m = GetModel();
  int n = 0;
  if (m)
    for (const Model::Row& r : m->rows)
      if (r.state & LVIS_SELECTED) ++n;
  return n;
}

int CListCtrl::GetSelectionMark() const {
  Model* m = GetModel();
  return m ? m->selectionMark : -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int i = GetNextItem(-1, LVNI_SELECTED);
  return i < 0 ? 0 : static_cast<POSITION>(i + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int item = static_cast<int>(pos) - 1;
  int next = GetNextItem(item, LVNI_SELECTED);
  pos = next < 0 ? 0 : static_cast<POSITION>(next + 1);
  return item;
}

BOOL CListCtrl::GetCheck(int item) const {
  Model* m = GetModel();
  return m && m->ValidRow(item) && m->rows[item].checked;
}

BOOL CListCtrl::SetCheck(int item, BOOL check) {
  return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}
