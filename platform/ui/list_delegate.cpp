// How a list draws its cells: colours of selection and custom drawing, check
// boxes, texts cut to fit.

#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

#include "platform/ui/dc.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/list_ctrl_internal.h"

using layer::ToQ;
using layer::ToQColor;
using layer::list::CheckBoxRect;
using layer::list::ModelOf;

QRect layer::list::CheckBoxRect(const QRect& cell) {
  return QRect(cell.left() + 3, cell.top() + (cell.height() - 13) / 2, 13, 13);
}

namespace {

class ListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
    auto* view = qobject_cast<QTableView*>(parent());
    CListCtrl::Model* m = ModelOf(view);
    if (!m) return;
    int row = index.row(), col = index.column();
    const CListCtrl::Model::Row& r = m->rows[row];
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
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

}  // namespace

QAbstractItemDelegate* layer::list::NewDelegate(QTableView* view) { return new ListDelegate(view); }
