// CListCtrl: a report view over its own table model. The model is the truth
// for texts, item data, selection, focus and check states; the view paints
// only the visible cells.
//
// Here: the view, its creation, styles, hit tests and scrolling. The model and
// what the pieces share: list_ctrl_internal.h; items and columns:
// list_model.cpp; drawing: list_delegate.cpp; mouse and keys: list_input.cpp;
// the header: list_header.cpp.

#include "platform/ui/list_ctrl.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

#include "platform/ui/list_ctrl_internal.h"
#include "platform/ui/ui_internal.h"

using layer::list::CheckBoxRect;
using layer::list::ModelOf;

namespace {

// A report view scrolls by whole items: its top item always starts at the
// top of the rows, also at the end of the range, where the table would put
// the last item at the bottom and cut the top one. Lists beside it that
// number its rows line up with it at every position.
class ReportView : public QTableView {
 public:
  using QTableView::QTableView;

 protected:
  void scrollContentsBy(int dx, int dy) override {
    QTableView::scrollContentsBy(dx, dy);
    AlignTopItem();
  }
  void updateGeometries() override {
    QTableView::updateGeometries();
    AlignTopItem();
  }

 private:
  void AlignTopItem() {
    if (verticalScrollMode() != QAbstractItemView::ScrollPerItem) return;
    QHeaderView* rows = verticalHeader();
    const int top = verticalScrollBar()->value();
    if (top < 0 || top >= rows->count()) return;
    const int offset = rows->sectionPosition(rows->logicalIndex(top));
    if (rows->offset() == offset) return;
    rows->setOffset(offset);
    viewport()->update();
  }
};

}  // namespace

QWidget* layer::CreateListView(QWidget* parent, uint32_t flags) {
  auto* view = new ReportView(parent);
  view->setHorizontalHeader(layer::list::NewHeader(view));
  auto* model = new CListCtrl::Model();
  model->setParent(view);
  model->view = view;
  model->flags = flags;
  view->setModel(model);
  view->setItemDelegate(layer::list::NewDelegate(view));
  view->setSelectionMode(QAbstractItemView::NoSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setShowGrid(false);
  view->setWordWrap(false);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);   // the bar's value is the top item
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(19);
  view->horizontalHeader()->setHighlightSections(false);
  view->horizontalHeader()->setSectionsClickable(!(flags & tpl::kNoSortHeader));
  view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  view->horizontalHeader()->setMinimumSectionSize(0);
  view->horizontalHeader()->setStretchLastSection(false);
  if (flags & tpl::kNoColumnHeader) view->horizontalHeader()->hide();
  view->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  view->viewport()->installEventFilter(layer::list::InputFilter());
  view->installEventFilter(layer::list::InputFilter());
  QHeaderView* header = view->horizontalHeader();
  header->viewport()->installEventFilter(layer::list::HeaderInputFilter());
  layer::Register(header);
  layer::RegisterAlias(header->viewport(), header);
  QObject::connect(header, &QHeaderView::sectionClicked, view, [view](int section) {
    CListCtrl::Model* m = ModelOf(view);
    if (!m || (m->flags & tpl::kNoSortHeader)) return;
    NMLISTVIEW nm;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = section;
    layer::SendNotify(view, nm.hdr);
  });
  // Whatever moved the rows (scroll bar, wheel, keys, the program), the list
  // hears WM_VSCROLL with its new top item.
  QObject::connect(view->verticalScrollBar(), &QScrollBar::valueChanged, view, [view](int top) {
    MsgArgs args;
    args.wParam = MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(std::max(0, top)));
    layer::SendWindowMessage(view, WM_VSCROLL, args);
  });
  layer::RegisterAlias(view->viewport(), view);
  // Installed last, so it sees the mouse first.
  view->viewport()->installEventFilter(layer::list::DragFilter());
  return view;
}

CListCtrl::Model* CListCtrl::GetModel() const { return ModelOf(m_hWnd); }

BOOL CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = 0;
  if (!(style & WS_VISIBLE)) f |= tpl::kHidden;
  if (style & WS_DISABLED) f |= tpl::kDisabled;
  if (style & LVS_SINGLESEL) f |= tpl::kSingleSel;
  if (style & LVS_SHOWSELALWAYS) f |= tpl::kShowSelAlways;
  if (style & LVS_NOSORTHEADER) f |= tpl::kNoSortHeader;
  if (style & LVS_NOCOLUMNHEADER) f |= tpl::kNoColumnHeader;
  return CreateControl(static_cast<int>(CtlKind::ListView), CString(), f, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD styles) {
  Model* m = GetModel();
  if (!m) return 0;
  DWORD old = m->exStyle;
  m->exStyle = styles;
  m->view->setShowGrid(styles & LVS_EX_GRIDLINES);
  m->view->viewport()->update();
  return old;
}

DWORD CListCtrl::GetExtendedStyle() const {
  Model* m = GetModel();
  return m ? m->exStyle : 0;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const {
  Model* m = GetModel();
  if (!m || !info) return -1;
  QPoint p(info->pt.x, info->pt.y);
  // Client coordinates of the list: the viewport starts below the header.
  p = m->view->viewport()->mapFrom(m->view, p);
  QModelIndex idx = m->view->indexAt(p);
  if (!idx.isValid()) {
    info->flags = LVHT_NOWHERE;
    info->iItem = -1;
    info->iSubItem = m->view->columnAt(p.x());
    return -1;
  }
  info->iItem = idx.row();
  info->iSubItem = idx.column();
  info->flags = LVHT_ONITEMLABEL;
  if (idx.column() == 0 && (m->exStyle & LVS_EX_CHECKBOXES) && CheckBoxRect(m->view->visualRect(idx)).contains(p))
    info->flags = LVHT_ONITEMSTATEICON;
  return idx.row();
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  int item = SubItemHitTest(info);
  if (info) info->iSubItem = 0;
  return item;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info;
  info.pt = point;
  int item = HitTest(&info);
  if (flags) *flags = info.flags;
  return item;
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int, CRect& rect) const {
  Model* m = GetModel();
  if (!m || !m->ValidRow(item) || subItem < 0 || subItem >= static_cast<int>(m->columns.size())) return FALSE;
  QRect r = m->view->visualRect(m->index(item, subItem));
  QPoint tl = m->view->viewport()->mapTo(m->view, r.topLeft());
  rect = CRect(tl.x(), tl.y(), tl.x() + r.width(), tl.y() + r.height());
  return TRUE;
}

BOOL CListCtrl::GetItemRect(int item, CRect* rect, UINT) const {
  Model* m = GetModel();
  if (!m || !rect || !m->ValidRow(item) || m->columns.empty()) return FALSE;
  CRect first, last;
  GetSubItemRect(item, 0, 0, first);
  GetSubItemRect(item, static_cast<int>(m->columns.size()) - 1, 0, last);
  *rect = CRect(first.left, first.top, last.right, first.bottom);
  return TRUE;
}

int CListCtrl::GetTopIndex() const {
  Model* m = GetModel();
  if (!m || m->rows.empty()) return 0;
  int row = m->view->rowAt(0);
  return row < 0 ? 0 : row;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL) {
  Model* m = GetModel();
  if (!m || !m->ValidRow(item) || m->columns.empty()) return FALSE;
  // Scroll ranges are laid out lazily; a list not yet shown needs them now.
  QMetaObject::invokeMethod(m->view, "updateGeometries", Qt::DirectConnection);
  // Rows only, as in a report view: the sideways position stays.
  QScrollBar* h = m->view->horizontalScrollBar();
  const int across = h->value();
  m->view->scrollTo(m->index(item, 0));
  h->setValue(across);
  return TRUE;
}

BOOL CListCtrl::Scroll(CSize size) {
  Model* m = GetModel();
  if (!m) return FALSE;
  // The ranges of a list not yet laid out would cut the scroll short.
  QMetaObject::invokeMethod(m->view, "updateGeometries", Qt::DirectConnection);
  QScrollBar* h = m->view->horizontalScrollBar();
  h->setValue(h->value() + size.cx);
  int rowH = m->view->verticalHeader()->defaultSectionSize();
  if (rowH > 0 && size.cy != 0) {
    QScrollBar* v = m->view->verticalScrollBar();
    v->setValue(v->value() + size.cy / rowH);
  }
  return TRUE;
}

BOOL CListCtrl::RedrawItems(int first, int last) {
  Model* m = GetModel();
  if (!m) return FALSE;
  for (int i = std::max(0, first); i <= last && m->ValidRow(i); ++i) m->RefreshRow(i);
  return TRUE;
}
