// CListCtrl: a report view over its own table model. The model is the truth
// for texts, item data, selection, focus and check states; the view paints
// only the visible cells.

#include "platform/ui/list_ctrl.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <optional>
#include <unordered_map>

#include "platform/ui/ui_internal.h"

using layer::FromQ;
using layer::ToQ;
using layer::ToQColor;

struct CListCtrl::Model : public QAbstractTableModel {
  // Where the user's click being handled went down (list client coordinates).
  std::optional<QPoint> clickPoint;
  struct Column {
    CString text;
    int fmt = LVCFMT_LEFT;
  };
  struct Row {
    std::vector<CString> cells;
    LPARAM data = 0;
    UINT state = 0;       // LVIS_SELECTED | LVIS_FOCUSED
    bool checked = false;
  };
  struct RowDraw {
    LRESULT result = 0;
    COLORREF text = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
  };

  using QAbstractTableModel::beginInsertColumns;
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveColumns;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertColumns;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveColumns;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;

  QTableView* view = nullptr;
  std::vector<Column> columns;
  std::vector<Row> rows;
  DWORD exStyle = 0;
  uint32_t flags = 0;
  int selectionMark = -1;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = CLR_DEFAULT;
  COLORREF textBkColor = CLR_DEFAULT;
  LRESULT prepaint = 0;
  std::unordered_map<int, RowDraw> rowDraw;   // this paint's item answers
  std::function<CString(int, int)> source;     // owner data: texts of every cell
  std::function<COLORREF(int)> headerColor;    // owner-coloured headings

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(columns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) return ToQ(Text(index.row(), index.column()));
    return QVariant();
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size())) return QVariant();
    if (role == Qt::DisplayRole) return ToQ(columns[section].text);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Align(section) | Qt::AlignVCenter);
    return QVariant();
  }
  Qt::Alignment Align(int column) const {
    int fmt = column >= 0 && column < static_cast<int>(columns.size()) ? columns[column].fmt : LVCFMT_LEFT;
    return fmt == LVCFMT_RIGHT ? Qt::AlignRight : fmt == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
  }
  CString Text(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0) return CString();
    if (source) return source(row, column);
    const Row& r = rows[row];
    return column < static_cast<int>(r.cells.size()) ? r.cells[column] : CString();
  }
  bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(rows.size()); }
  void RefreshRow(int row) {
    if (ValidRow(row) && !columns.empty())
      emit dataChanged(index(row, 0), index(row, static_cast<int>(columns.size()) - 1));
  }
};

namespace {

CListCtrl::Model* ModelOf(QWidget* w) {
  auto* view = qobject_cast<QTableView*>(w);
  return view ? dynamic_cast<CListCtrl::Model*>(view->model()) : nullptr;
}

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

UINT FullState(const CListCtrl::Model::Row& r) {
  return r.state | INDEXTOSTATEIMAGEMASK(r.checked ? 2 : 1);
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

// Changes the state bits of one item and notifies. Handlers of the
// notifications may change the list, so items are looked up by index again
// after each one.
void ChangeState(QTableView* view, int item, UINT state, UINT mask) {
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

QRect CheckBoxRect(const QRect& cell) { return QRect(cell.left() + 3, cell.top() + (cell.height() - 13) / 2, 13, 13); }

class ListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
    auto* view = qobject_cast<QTableView*>(parent());
    CListCtrl::Model* m = ModelOf(view);
    if (!m) return;
    int row = index.row(), col = index.column();
    const CListCtrl::Model::Row& r = m->rows[row];
    COLORREF text = m->textColor == CLR_DEFAULT ? RGB(0, 0, 0) : m->textColor;
    COLORREF back = m->textBkColor == CLR_DEFAULT || m->textBkColor == CLR_NONE ? m->bkColor : m->textBkColor;
    bool labelCell = col == 0 || (m->exStyle & LVS_EX_FULLROWSELECT);
    bool selected = (r.state & LVIS_SELECTED) && labelCell;
    bool dropTarget = (r.state & LVIS_DROPHILITED) && labelCell;
    bool focused = view->hasFocus();
    if (dropTarget || (selected && (focused || (m->flags & tpl::kShowSelAlways)))) {
      bool strong = focused || dropTarget;
      back = strong ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
      if (strong) text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    // Custom drawing: the owner may colour the row and the cell.
    if (m->prepaint & CDRF_NOTIFYITEMDRAW) {
      CDC dc(p);
      auto it = m->rowDraw.find(row);
      if (it == m->rowDraw.end()) {
        NMLVCUSTOMDRAW cd;
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.hdc = &dc;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.nmcd.uItemState = (r.state & LVIS_SELECTED) ? static_cast<UINT>(ODS_SELECTED) : 0u;
        cd.nmcd.lItemlParam = r.data;
        CListCtrl::Model::RowDraw rd;
        rd.result = layer::SendNotify(view, cd.nmcd.hdr);
        rd.text = cd.clrText;
        rd.back = cd.clrTextBk;
        it = m->rowDraw.emplace(row, rd).first;
      }
      CListCtrl::Model::RowDraw rd = it->second;
      if (rd.result & CDRF_NOTIFYSUBITEMDRAW) {
        NMLVCUSTOMDRAW cd;
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        cd.nmcd.hdc = &dc;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.nmcd.uItemState = (r.state & LVIS_SELECTED) ? static_cast<UINT>(ODS_SELECTED) : 0u;
        cd.nmcd.lItemlParam = r.data;
        cd.nmcd.rc = CRect(opt.rect.left(), opt.rect.top(), opt.rect.right() + 1, opt.rect.bottom() + 1);
        cd.iSubItem = col;
        cd.clrText = rd.text;
        cd.clrTextBk = rd.back;
        LRESULT res = layer::SendNotify(view, cd.nmcd.hdr);
        if (res & CDRF_SKIPDEFAULT) return;
        rd.text = cd.clrText;
        rd.back = cd.clrTextBk;
      }
      if (rd.text != CLR_DEFAULT && rd.text != CLR_NONE) text = rd.text;
      if (rd.back != CLR_DEFAULT && rd.back != CLR_NONE) back = rd.back;
    }
    p->fillRect(opt.rect, ToQColor(back));
    QRect textRect = opt.rect.adjusted(4, 0, -4, 0);
    if (col == 0 && (m->exStyle & LVS_EX_CHECKBOXES)) {
      QRect box = CheckBoxRect(opt.rect);
      p->setPen(QColor(51, 51, 51));
      p->setBrush(Qt::white);
      p->drawRect(box.adjusted(0, 0, -1, -1));
      if (r.checked) {
        p->setPen(QPen(QColor(0, 0, 0), 2));
        p->drawLine(box.left() + 3, box.center().y(), box.center().x() - 1, box.bottom() - 3);
        p->drawLine(box.center().x() - 1, box.bottom() - 3, box.right() - 2, box.top() + 3);
      }
      textRect.setLeft(box.right() + 4);
    }
    p->setPen(ToQColor(text));
    p->setFont(view->font());
    QString s = ToQ(m->Text(row, col));
    s = opt.fontMetrics.elidedText(s, Qt::ElideRight, textRect.width());
    p->drawText(textRect, static_cast<int>(m->Align(col) | Qt::AlignVCenter) | Qt::TextSingleLine, s);
  }
};

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

ListInput* Input() {
  static ListInput* input = new ListInput();
  return input;
}

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

namespace {
// Header notifications reach the list's own (reflected) handlers, then the list's parent.
LRESULT SendHeaderNotify(QHeaderView* header, NMHDR& hdr) {
  hdr.hwndFrom = header;
  hdr.idFrom = 0;
  LRESULT result = 0;
  MsgArgs args;
  args.id = 0;
  args.nmhdr = &hdr;
  args.result = &result;
  auto* view = qobject_cast<QTableView*>(header->parentWidget());
  if (!view) return 0;
  if (CWnd* list = layer::Router(view); list && list->FindEntry(WM_NOTIFY, hdr.code, 0, false)) {
    list->Dispatch(WM_NOTIFY, hdr.code, 0, false, args);
    return result;
  }
  if (CWnd* parent = layer::ParentRouter(view)) parent->Dispatch(WM_NOTIFY, hdr.code, 0, false, args);
  return result;
}

// The edge between header items, where a press starts a resize.
int SectionEdgeAt(QHeaderView* h, int x) {
  for (int i = 0; i < h->count(); ++i) {
    int edge = h->sectionViewportPosition(i) + h->sectionSize(i);
    if (std::abs(x - edge) <= 3) return i;
  }
  return -1;
}

class HeaderInput : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() != QEvent::MouseButtonPress && ev->type() != QEvent::MouseButtonDblClick) return false;
    auto* viewport = qobject_cast<QWidget*>(obj);
    auto* header = viewport ? qobject_cast<QHeaderView*>(viewport->parentWidget()) : nullptr;
    if (!header) return false;
    int item = SectionEdgeAt(header, static_cast<QMouseEvent*>(ev)->position().toPoint().x());
    if (item < 0) return false;
    if (header->sectionResizeMode(item) == QHeaderView::Fixed) return true;
    NMHEADER nm;
    nm.hdr.code = HDN_BEGINTRACK;
    nm.iItem = item;
    return SendHeaderNotify(header, nm.hdr) != 0;
  }
};
}  // namespace

namespace {
// Owner-coloured headings are painted by hand, as the owner asks: each item's
// rectangle less its bottom pixel (the grid line stays) filled with its
// colour, the text centred on one line in the list's font. The style's own
// shading would tint the colour.
class ListHeader : public QHeaderView {
 public:
  explicit ListHeader(QTableView* view) : QHeaderView(Qt::Horizontal, view), m_view(view) {}

 protected:
  void paintSection(QPainter* p, const QRect& rect, int section) const override {
    CListCtrl::Model* m = ModelOf(m_view);
    if (!m || !m->headerColor || section < 0 || section >= static_cast<int>(m->columns.size()))
      return QHeaderView::paintSection(p, rect, section);
    const COLORREF c = m->headerColor(section);
    p->save();
    p->fillRect(rect.adjusted(0, 0, 0, -1), c == CLR_DEFAULT ? palette().button() : QBrush(ToQColor(c)));
    p->setPen(QColor(0, 0, 0));
    p->setFont(m_view->font());
    p->drawText(rect.adjusted(0, 0, 0, -1), Qt::AlignCenter | Qt::TextSingleLine, ToQ(m->columns[section].text));
    p->restore();
  }

 private:
  QTableView* m_view;
};
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
  view->setHorizontalHeader(new ListHeader(view));
  auto* model = new CListCtrl::Model();
  model->setParent(view);
  model->view = view;
  model->flags = flags;
  view->setModel(model);
  view->setItemDelegate(new ListDelegate(view));
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
  view->viewport()->installEventFilter(Input());
  view->installEventFilter(Input());
  QHeaderView* header = view->horizontalHeader();
  static HeaderInput* headerInput = new HeaderInput();
  header->viewport()->installEventFilter(headerInput);
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
  static DragDetect* dragDetect = new DragDetect();
  view->viewport()->installEventFilter(dragDetect);
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

// CHeaderCtrl

static QHeaderView* HeaderOf(HWND w) { return qobject_cast<QHeaderView*>(w); }

int CHeaderCtrl::GetItemCount() const {
  QHeaderView* h = HeaderOf(m_hWnd);
  return h ? h->count() : 0;
}

BOOL CHeaderCtrl::GetItemRect(int index, CRect* rect) const {
  QHeaderView* h = HeaderOf(m_hWnd);
  if (!h || !rect || index < 0 || index >= h->count()) return FALSE;
  int x = h->sectionViewportPosition(index);
  *rect = CRect(x, 0, x + h->sectionSize(index), h->viewport()->height());
  return TRUE;
}


bool CHeaderCtrl::ResizeAsUser(int index, int width) {
  QHeaderView* h = HeaderOf(m_hWnd);
  if (!h || index < 0 || index >= h->count() || !h->isEnabled()) return false;
  if (h->sectionResizeMode(index) == QHeaderView::Fixed) return false;
  NMHEADER nm;
  nm.hdr.code = HDN_BEGINTRACK;
  nm.iItem = index;
  if (SendHeaderNotify(h, nm.hdr) != 0) return false;
  h->resizeSection(index, std::max(0, width));
  return true;
}

CString CHeaderCtrl::GetItemText(int index) const {
  QHeaderView* h = HeaderOf(m_hWnd);
  if (!h || !h->model()) return CString();
  return FromQ(h->model()->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString());
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
