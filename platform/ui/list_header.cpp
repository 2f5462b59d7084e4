// The list's header: its input, its owner-coloured painting, and CHeaderCtrl.

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QTableView>
#include <algorithm>
#include <cstdlib>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/list_ctrl_internal.h"

using layer::FromQ;
using layer::ToQ;
using layer::ToQColor;
using layer::list::ModelOf;

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

}  // namespace

QObject* layer::list::HeaderInputFilter() {
  static HeaderInput* headerInput = new HeaderInput();
  return headerInput;
}

QHeaderView* layer::list::NewHeader(QTableView* view) { return new ListHeader(view); }

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
