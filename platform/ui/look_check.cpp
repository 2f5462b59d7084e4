// Finding cut texts and overlapping controls in a window as it stands.

#include "platform/ui/look_check.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTableView>
#include <QWidget>

#include "platform/ui/ui_internal.h"

namespace ui {

namespace {

// A line may run this many pixels past its room before it shows as cut (the
// last glyph's side bearing).
constexpr int kSlack = 1;
// Room a check list leaves before an entry's text: the box and its gaps.
constexpr int kCheckRoom = 20;

std::string Utf8(const QString& s) { return s.toStdString(); }

std::string Name(QWidget* w, const QString& text) {
  WidgetInfo* info = layer::Info(w);
  QString shown = text;
  shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
  return std::to_string(info ? info->id : 0) + " \"" + Utf8(shown) + "\"";
}

// Width of one line as drawn with tabs expanded.
int LineWidth(const QFontMetrics& fm, const QString& line) {
  if (!line.contains(QLatin1Char('\t'))) return fm.horizontalAdvance(line);
  return fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 12), Qt::TextExpandTabs | Qt::TextSingleLine, line).width();
}

// The widest line of a caption that does not fit room, with what it needs; empty when all fit.
std::string WideLine(QWidget* w, const QFontMetrics& fm, const QString& text, int room) {
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const int need = LineWidth(fm, line);
    if (need > room + kSlack)
      return Name(w, text) + ": line \"" + Utf8(line) + "\" needs " + std::to_string(need) + " px, has " +
             std::to_string(room);
  }
  return {};
}

std::string High(QWidget* w, const QString& text, int need, int has) {
  return Name(w, text) + ": needs " + std::to_string(need) + " px high, has " + std::to_string(has);
}

void CheckLabel(QLabel* l, std::vector<std::string>& out) {
  if (!l->pixmap().isNull()) return;
  const QString text = l->text();
  if (text.isEmpty()) return;
  const QFontMetrics fm(l->font());
  const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
  if (text.contains(QLatin1Char('\t'))) {
    // In columns, a line each (see layer::TabColumns).
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      const int need = layer::TabLineWidth(l, line);
      if (need > room.width() + kSlack)
        return out.push_back(Name(l, text) + ": line \"" + Utf8(line) + "\" needs " + std::to_string(need) +
                             " px, has " + std::to_string(room.width()));
    }
    const int height = static_cast<int>(text.count(QLatin1Char('\n')) + 1) * fm.lineSpacing();
    if (height > room.height() + 3) out.push_back(High(l, text, height, room.height()));
    return;
  }
  const bool lines = text.contains(QLatin1Char('\n'));
  // A text broken into lines by its author keeps them; one line may wrap.
  if (lines || !l->wordWrap()) {
    if (std::string f = WideLine(l, fm, text, room.width()); !f.empty()) return out.push_back(f);
  }
  const int flags = Qt::TextExpandTabs | (l->wordWrap() ? Qt::TextWordWrap : 0);
  const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
  if (need.width() > room.width() + kSlack)
    return out.push_back(Name(l, text) + ": needs " + std::to_string(need.width()) + " px, has " +
                         std::to_string(room.width()));
  if (need.height() > room.height() + 3) out.push_back(High(l, text, need.height(), room.height()));
}

void CheckButton(QAbstractButton* b, std::vector<std::string>& out) {
  const QString text = b->text();
  if (text.isEmpty()) return;
  const QFontMetrics fm(b->font());
  QStyleOptionButton option;
  option.initFrom(b);
  option.text = text;
  int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
  if (qobject_cast<QRadioButton*>(b))
    room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b).width();
  else if (qobject_cast<QCheckBox*>(b))
    room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, b).width();
  if (!b->icon().isNull() && !qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b))
    room -= b->iconSize().width() + 4;
  if (std::string f = WideLine(b, fm, text, room); !f.empty()) return out.push_back(f);
  const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
  const int height = lines * fm.height() + (lines - 1) * fm.leading();
  if (height > b->height() + 3) out.push_back(High(b, text, height, b->height()));
}

void CheckGroupBox(QGroupBox* g, std::vector<std::string>& out) {
  const QString text = g->title();
  if (text.isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(g);
  option.text = text;
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.textAlignment = g->alignment();
  const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
  // The layer draws the title in the box's own font from the label's left edge on.
  const int need = QFontMetrics(g->font()).horizontalAdvance(text);
  const int room = g->width() - label.left();
  if (need > room + kSlack)
    out.push_back(Name(g, text) + ": title needs " + std::to_string(need) + " px, has " + std::to_string(room));
}

void CheckCombo(QComboBox* c, std::vector<std::string>& out) {
  const QString text = c->currentText();
  if (text.isEmpty()) return;
  QStyleOptionComboBox option;
  option.initFrom(c);
  option.editable = c->isEditable();
  const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
  if (std::string f = WideLine(c, QFontMetrics(c->font()), text, field.width()); !f.empty()) out.push_back(f);
}

void CheckLineEdit(QLineEdit* e, std::vector<std::string>& out) {
  // Only a text the user cannot scroll through by typing.
  if (!e->isReadOnly() || e->text().isEmpty()) return;
  const QRect room = e->contentsRect().adjusted(4, 0, -4, 0);
  if (std::string f = WideLine(e, QFontMetrics(e->font()), e->text(), room.width()); !f.empty()) out.push_back(f);
}

void CheckList(QListWidget* l, std::vector<std::string>& out) {
  // A list that scrolls sideways lets its entries be read whole.
  if (l->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) return;
  const QFontMetrics fm(l->font());
  const int room = l->viewport()->width() - 6;
  for (int i = 0; i < l->count(); ++i) {
    const QListWidgetItem* item = l->item(i);
    const int box = item->data(Qt::CheckStateRole).isValid() ? kCheckRoom : 0;
    if (std::string f = WideLine(l, fm, item->text(), room - box); !f.empty())
      return out.push_back("entry " + std::to_string(i) + " of " + f);
  }
}

void CheckTabs(QTabWidget* t, std::vector<std::string>& out) {
  const QFontMetrics fm(t->tabBar()->font());
  for (int i = 0; i < t->count(); ++i) {
    const QString text = t->tabText(i);
    if (fm.horizontalAdvance(text) > t->tabBar()->tabRect(i).width() - 8)
      out.push_back(Name(t, text) + ": tab " + std::to_string(i) + " is too narrow");
  }
}

// The headings of a report view, each in its column (columns of no width are hidden ones).
void CheckHeadings(QTableView* t, std::vector<std::string>& out) {
  QHeaderView* h = t->horizontalHeader();
  if (!h || h->isHidden() || !t->model()) return;
  const QFontMetrics fm(h->font());
  for (int c = 0; c < h->count(); ++c) {
    const int width = h->sectionSize(c);
    if (width <= 0 || h->isSectionHidden(c)) continue;
    const QString text = t->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const int need = fm.horizontalAdvance(text) + 8;
    if (!text.isEmpty() && need > width)
      out.push_back(Name(t, text) + ": heading " + std::to_string(c) + " needs " + std::to_string(need) +
                    " px, has " + std::to_string(width));
  }
}

void CheckText(QWidget* w, std::vector<std::string>& out) {
  if (auto* t = qobject_cast<QTableView*>(w)) return CheckHeadings(t, out);
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return CheckButton(b, out);
  if (auto* g = qobject_cast<QGroupBox*>(w)) return CheckGroupBox(g, out);
  if (auto* l = qobject_cast<QLabel*>(w)) return CheckLabel(l, out);
  if (auto* c = qobject_cast<QComboBox*>(w)) return CheckCombo(c, out);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return CheckLineEdit(e, out);
  if (auto* l = qobject_cast<QListWidget*>(w)) return CheckList(l, out);
  if (auto* t = qobject_cast<QTabWidget*>(w)) return CheckTabs(t, out);
}

bool IsControl(QWidget* w) {
  WidgetInfo* info = layer::Info(w);
  return info && info->hasKind && !info->aliasOf;
}

// A control that may hold others: group boxes frame them, pictures lie under
// them; an empty static without a frame draws nothing.
bool Holds(QWidget* w) {
  WidgetInfo* info = layer::Info(w);
  if (!info) return false;
  if (info->kind == CtlKind::GroupBox || info->kind == CtlKind::Picture) return true;
  auto* l = qobject_cast<QLabel*>(w);
  return l && info->kind == CtlKind::Static && l->text().isEmpty() && l->pixmap().isNull() &&
         l->frameShape() == QFrame::NoFrame;
}

QString TextOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  return {};
}

// Controls directly under parent (a dialog, a page, a tab's page), then the same below each child.
void Walk(QWidget* parent, QWidget* top, std::vector<std::string>& out) {
  std::vector<QWidget*> shown;
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    if (IsControl(w)) {
      CheckText(w, out);
      if (w->isVisibleTo(top)) {
        shown.push_back(w);
        if (!parent->rect().contains(w->geometry()) && !qobject_cast<QTabWidget*>(parent))
          out.push_back(Name(w, TextOf(w)) + ": leaves its parent");
      }
    }
    Walk(w, top, out);
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    if (Holds(shown[i])) continue;
    for (size_t j = i + 1; j < shown.size(); ++j) {
      if (Holds(shown[j])) continue;
      if (shown[i]->geometry().intersects(shown[j]->geometry()))
        out.push_back(Name(shown[i], TextOf(shown[i])) + " overlaps " + Name(shown[j], TextOf(shown[j])));
    }
  }
}

}  // namespace

std::vector<std::string> LookFlaws(CWnd& wnd) {
  std::vector<std::string> out;
  if (!wnd.m_hWnd) return out;
  wnd.m_hWnd->ensurePolished();
  Walk(wnd.m_hWnd, wnd.m_hWnd, out);
  return out;
}

std::string JoinFlaws(const std::vector<std::string>& flaws) {
  std::string all;
  for (const std::string& f : flaws) all += f + "\n";
  return all;
}

}  // namespace ui
