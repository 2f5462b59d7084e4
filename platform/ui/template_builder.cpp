// Building controls from dialog templates, and the template registry.

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStyleOptionViewItem>
#include <QToolButton>
#include <QVariant>
#include <cmath>
#include <map>
#include <mutex>

#include "platform/ui/controls.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/ui_internal.h"

using layer::StripMnemonic;
using layer::ToQ;

namespace {

std::map<int, const DialogTemplate*>& Templates() {
  static std::map<int, const DialogTemplate*> map;
  return map;
}
std::mutex g_templatesMutex;

// Room between the columns of a tabbed static.
constexpr int kTabColumnGap = 16;

// A static: plain text as the style draws it, or, with tabs, in columns.
class StaticLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* ev) override {
    if (!pixmap().isNull() || !text().contains(QLatin1Char('\t'))) return QLabel::paintEvent(ev);
    QPainter p(this);
    drawFrame(&p);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const std::vector<int> columns = layer::TabColumns(this);
    const QRect room = contentsRect();
    const int lineHeight = fontMetrics().lineSpacing();
    int y = room.top();
    for (const QString& line : text().split(QLatin1Char('\n'))) {
      const QStringList pieces = layer::TabPieces(line);
      for (qsizetype i = 0; i < pieces.size() && i < static_cast<qsizetype>(columns.size()); ++i)
        p.drawText(QRect(room.left() + columns[static_cast<size_t>(i)], y, room.width(), lineHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, pieces[i]);
      y += lineHeight;
    }
  }
};

// A group box whose title is drawn in the dialog font, as on the platform. The
// style's own title is bold and measured by its ink, which cuts a title that
// ends in a bracket ("【例】" drew as "【例").
class GroupFrame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    option.subControls &= ~QStyle::SC_GroupBoxLabel;
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &p, this);
    if (title().isEmpty()) return;
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(QRect(label.left(), label.top(), width() - label.left(), label.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
  }
};

// Sends EN_KILLFOCUS / EN_SETFOCUS for edits.
class FocusWatcher : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w) return false;
    if (ev->type() == QEvent::FocusOut) {
      QWidget* control = w;
      if (auto* pe = qobject_cast<QPlainTextEdit*>(w->parentWidget())) control = pe;
      WidgetInfo* info = layer::Info(control);
      if (!info || !info->hasKind) return false;
      UINT code = info->kind == CtlKind::Edit ? EN_KILLFOCUS
                  : (info->kind == CtlKind::ComboDropDown || info->kind == CtlKind::ComboDropList) ? CBN_KILLFOCUS
                  : (info->kind == CtlKind::ListBox || info->kind == CtlKind::CheckListBox) ? LBN_KILLFOCUS
                  : 0xFFFFFFFF;
      if (code != 0xFFFFFFFF) layer::SendCommand(control, code);
    } else if (ev->type() == QEvent::FocusIn) {
      WidgetInfo* info = layer::Info(w);
      if (info && info->hasKind && info->kind == CtlKind::Edit) layer::SendCommand(w, EN_SETFOCUS);
    }
    return false;
  }
};

FocusWatcher* Focus() {
  static FocusWatcher* watcher = new FocusWatcher();
  return watcher;
}

// A user's mouse or keys on a tab bar go through UserSelectsTab, so the page
// being left is asked before the change; the wheel does not turn tabs.
class TabBarFilter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* bar = qobject_cast<QTabBar*>(obj);
    auto* tabs = bar ? qobject_cast<QTabWidget*>(bar->parentWidget()) : nullptr;
    if (!tabs) return false;
    switch (ev->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(ev);
        if (me->button() != Qt::LeftButton) return false;
        int index = bar->tabAt(me->position().toPoint());
        if (index < 0 || index == bar->currentIndex()) return false;
        layer::UserSelectsTab(tabs, index);
        return true;
      }
      case QEvent::KeyPress: {
        int key = static_cast<QKeyEvent*>(ev)->key();
        int step = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : key == Qt::Key_Right || key == Qt::Key_Down ? 1 : 0;
        if (step == 0) return false;
        int index = bar->currentIndex() + step;
        while (index >= 0 && index < bar->count() && !bar->isTabEnabled(index)) index += step;
        if (index >= 0 && index < bar->count()) layer::UserSelectsTab(tabs, index);
        return true;
      }
      case QEvent::Wheel: return true;
      default: return false;
    }
  }
};

TabBarFilter* TabBarWatcher() {
  static TabBarFilter* filter = new TabBarFilter();
  return filter;
}

// A check list toggles a box as the platform does: on the press, before the
// press selects the line, so the selection's handler reads the new check;
// Space toggles the current line. Qt's own toggle (on the release) is off:
// the items are not user-checkable, their boxes are drawn from their state.
class CheckListFilter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    auto* view = qobject_cast<QWidget*>(obj);
    auto* lw = view ? qobject_cast<QListWidget*>(view->parentWidget()) : nullptr;
    if (!lw) lw = qobject_cast<QListWidget*>(obj);
    if (!lw || !lw->isEnabled()) return false;
    if (ev->type() == QEvent::MouseButtonPress || ev->type() == QEvent::MouseButtonDblClick) {
      auto* me = static_cast<QMouseEvent*>(ev);
      if (obj != lw->viewport() || me->button() != Qt::LeftButton) return false;
      QListWidgetItem* item = lw->itemAt(me->position().toPoint());
      if (item && OnBox(lw, item, me->position().toPoint())) Toggle(item);
      return false;
    }
    if (ev->type() == QEvent::KeyPress && obj == lw && static_cast<QKeyEvent*>(ev)->key() == Qt::Key_Space) {
      if (QListWidgetItem* item = lw->currentItem()) Toggle(item);
      return true;
    }
    return false;
  }

 private:
  static bool OnBox(QListWidget* lw, QListWidgetItem* item, QPoint at) {
    QStyleOptionViewItem opt;
    opt.initFrom(lw->viewport());
    opt.rect = lw->visualItemRect(item);
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    opt.checkState = item->checkState();
    opt.text = item->text();
    const QRect box = lw->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, lw);
    // The box's whole height and a little beside it, as a user aims.
    return at.x() >= opt.rect.left() && at.x() <= box.right() + 2;
  }
  static void Toggle(QListWidgetItem* item) {
    if (!(item->flags() & Qt::ItemIsEnabled)) return;
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
};

CheckListFilter* CheckListWatcher() {
  static CheckListFilter* filter = new CheckListFilter();
  return filter;
}

}  // namespace

void layer::MakeCheckEntry(QListWidgetItem* item) {
  item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
}

namespace {

// Up-down arrows; the value lives in the widget's properties.
class SpinWidget : public QWidget {
 public:
  explicit SpinWidget(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setFocusPolicy(Qt::NoFocus);
    down_->setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this]() { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this]() { Step(-1); });
  }
  void Step(int delta) {
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(layer::Router(this))) spin->StepAsUser(delta);
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
  }

 private:
  QToolButton* up_;
  QToolButton* down_;
};

void AddInitialItems(QWidget* w, const char16_t* text) {
  if (!text || !*text) return;
  QStringList items = ToQ(CString(text)).split(QLatin1Char('\n'));
  if (auto* cb = qobject_cast<QComboBox*>(w)) cb->addItems(items);
  if (auto* lw = qobject_cast<QListWidget*>(w)) {
    for (const QString& s : items) {
      auto* item = new QListWidgetItem(s, lw);
      item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(0));
    }
  }
}

// A check box or radio drawn as a push button (kPushLike), else null.
QAbstractButton* PushLike(const QString& text, QWidget* parent, uint32_t flags) {
  if (!(flags & tpl::kPushLike)) return nullptr;
  auto* pb = new QPushButton(text, parent);
  pb->setCheckable(true);
  pb->setAutoDefault(false);
  return pb;
}

}  // namespace

void layer::CheckRadioInGroup(QAbstractButton* b) {
  WidgetInfo* info = layer::Info(b);
  QWidget* leader = info ? info->groupLeader : nullptr;
  WidgetInfo* linfo = layer::Info(leader);
  if (linfo)
    for (QWidget* other : linfo->radioGroup)
      if (other != b)
        if (auto* ob = qobject_cast<QAbstractButton*>(other)) ob->setChecked(false);
  b->setChecked(true);
}

int DluToPixelsX(int units) { return static_cast<int>(std::lround(units * kDluX)); }
int DluToPixelsY(int units) { return static_cast<int>(std::lround(units * kDluY)); }

bool RegisterDialogTemplate(const DialogTemplate& dialog) {
  std::lock_guard<std::mutex> lock(g_templatesMutex);
  auto [it, inserted] = Templates().emplace(dialog.id, &dialog);
  return inserted || it->second == &dialog;
}

const DialogTemplate* FindDialogTemplate(int id) {
  std::lock_guard<std::mutex> lock(g_templatesMutex);
  auto it = Templates().find(id);
  return it == Templates().end() ? nullptr : it->second;
}

std::vector<const DialogTemplate*> AllDialogTemplates() {
  std::lock_guard<std::mutex> lock(g_templatesMutex);
  std::vector<const DialogTemplate*> all;
  for (auto& [id, t] : Templates()) all.push_back(t);
  return all;
}

namespace {

Qt::Alignment TextAlignment(uint32_t f) {
  return (f & tpl::kCenter) ? Qt::AlignHCenter : (f & tpl::kRight) ? Qt::AlignRight : Qt::AlignLeft;
}

void SetFrame(QLabel* l, uint32_t f) {
  if (f & tpl::kSunken) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (f & tpl::kBorder) l->setFrameStyle(QFrame::Box | QFrame::Plain);
}

// Labels, pictures and group frames let the mouse through to what lies under
// them, as on the platform: a blank label over a list's first line must not
// swallow the click meant for the list.
void PassMouseThrough(QWidget* w) { w->setAttribute(Qt::WA_TransparentForMouseEvents); }

QWidget* BuildStatic(QWidget* parent, const QString& text, uint32_t f) {
  auto* l = new StaticLabel(parent);
  PassMouseThrough(l);
  l->setTextFormat(Qt::PlainText);
  layer::SetStaticText(l, text, (f & tpl::kNoPrefix) != 0);
  l->setWordWrap(true);
  l->setAlignment(TextAlignment(f) | ((f & tpl::kVCenter) ? Qt::AlignVCenter : Qt::AlignTop));
  SetFrame(l, f);
  return l;
}

// The template's text names the bitmap.
QWidget* BuildPicture(QWidget* parent, const ControlTemplate& ct) {
  auto* l = new QLabel(parent);
  PassMouseThrough(l);
  l->setTextFormat(Qt::PlainText);
  SetFrame(l, ct.flags);
  if (ct.text && *ct.text) {
    CBitmap bmp;
    if (bmp.LoadBitmap(CString(ct.text)) && bmp.Data()) l->setPixmap(QPixmap::fromImage(bmp.Data()->image));
    l->setAlignment(Qt::AlignCenter);
  }
  return l;
}

QWidget* BuildGroupBox(QWidget* parent, const QString& text) {
  auto* g = new GroupFrame(StripMnemonic(text), parent);
  g->setFocusPolicy(Qt::NoFocus);
  PassMouseThrough(g);
  return g;
}

QWidget* BuildMultilineEdit(QWidget* parent, const QString& text, uint32_t f) {
  auto* e = new QPlainTextEdit(parent);
  e->setPlainText(text);
  layer::SetMultilineReadOnly(e, f & tpl::kReadOnly);
  e->setTabChangesFocus(true);
  e->setLineWrapMode((f & tpl::kHScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  e->setVerticalScrollBarPolicy((f & tpl::kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  e->setHorizontalScrollBarPolicy((f & tpl::kHScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  e->viewport()->installEventFilter(Focus());
  // The mouse lands on the viewport; its messages belong to the edit.
  layer::RegisterAlias(e->viewport(), e);
  QObject::connect(e, &QPlainTextEdit::textChanged, e, [e]() {
    WidgetInfo* info = layer::Info(e);
    const bool program = e->property("tabro_quiet").toBool();
    const qsizetype size = e->toPlainText().size();
    if (info && !program && info->limit > 0 && size > info->limit && size > info->lastText.size()) {
      // Typing past the limit is refused: put the previous text back.
      // Program text is never cut, and shortening a text that is already
      // beyond the limit stays allowed, as in a single-line edit.
      QSignalBlocker block(e);
      e->setPlainText(info->lastText);
      e->moveCursor(QTextCursor::End);
      return;
    }
    if (info) info->lastText = e->toPlainText();
    // As on the platform, text set by the program into a multi-line
    // edit sends no change notification.
    if (!program) layer::SendCommand(e, EN_CHANGE);
  });
  return e;
}

QWidget* BuildLineEdit(QWidget* parent, const QString& text, uint32_t f) {
  auto* e = new QLineEdit(parent);
  e->setText(text);
  e->setReadOnly(f & tpl::kReadOnly);
  e->setAlignment(TextAlignment(f) | Qt::AlignVCenter);
  if (f & tpl::kPassword) layer::SetPasswordMask(e, u'*');
  e->setMaxLength(32767);
  e->setValidator(new layer::EditValidator(e, (f & tpl::kNumber) != 0));
  QObject::connect(e, &QLineEdit::textChanged, e, [e]() { layer::SendCommand(e, EN_CHANGE); });
  return e;
}

QWidget* BuildEdit(QWidget* parent, const QString& text, uint32_t f) {
  QWidget* w = (f & tpl::kMultiline) ? BuildMultilineEdit(parent, text, f) : BuildLineEdit(parent, text, f);
  w->installEventFilter(Focus());
  return w;
}

QWidget* BuildPushButton(QWidget* parent, const QString& text, bool isDefault) {
  auto* b = new QPushButton(text, parent);
  b->setAutoDefault(false);
  b->setDefault(isDefault);
  QObject::connect(b, &QPushButton::clicked, b, [b]() { layer::SendCommand(b, BN_CLICKED); });
  return b;
}

// A check box or radio takes a click anywhere in its rectangle, as the
// platform's buttons do, not only on its mark and text.
template <typename Button>
class WholeButton : public Button {
 public:
  using Button::Button;

 protected:
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

QWidget* BuildCheckBox(QWidget* parent, const QString& text, uint32_t f) {
  QAbstractButton* b = PushLike(text, parent, f);
  if (!b) {
    auto* cb = new WholeButton<QCheckBox>(text, parent);
    cb->setTristate(f & tpl::kThreeState);
    b = cb;
  }
  QObject::connect(b, &QAbstractButton::clicked, b, [b]() { layer::SendCommand(b, BN_CLICKED); });
  return b;
}

// Radios check and clear themselves within their group (CheckRadioInGroup).
QWidget* BuildRadio(QWidget* parent, const QString& text, uint32_t f) {
  QAbstractButton* b = PushLike(text, parent, f);
  if (!b) b = new WholeButton<QRadioButton>(text, parent);
  b->setAutoExclusive(false);
  QObject::connect(b, &QAbstractButton::clicked, b, [b]() {
    layer::CheckRadioInGroup(b);
    layer::SendCommand(b, BN_CLICKED);
  });
  return b;
}

// The template's text holds the initial items, one a line.
QWidget* BuildCombo(QWidget* parent, const ControlTemplate& ct) {
  auto* cb = new QComboBox(parent);
  cb->setEditable(ct.kind == CtlKind::ComboDropDown);
  cb->setInsertPolicy(QComboBox::NoInsert);
  cb->setMaxVisibleItems(std::max(5, DluToPixelsY(ct.cy) / 18));
  AddInitialItems(cb, ct.text);
  cb->setCurrentIndex(-1);
  QObject::connect(cb, &QComboBox::activated, cb, [cb](int) { layer::SendCommand(cb, CBN_SELCHANGE); });
  if (cb->isEditable()) {
    QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, cb, [cb]() { layer::SendCommand(cb, CBN_EDITCHANGE); });
    cb->lineEdit()->installEventFilter(Focus());
  }
  cb->installEventFilter(Focus());
  return cb;
}

// The template's text holds the initial items, one a line.
QWidget* BuildListBox(QWidget* parent, const ControlTemplate& ct) {
  auto* lw = new QListWidget(parent);
  lw->setSelectionMode((ct.flags & tpl::kMultiSel) ? QAbstractItemView::ExtendedSelection
                                                   : QAbstractItemView::SingleSelection);
  lw->setUniformItemSizes(true);
  AddInitialItems(lw, ct.text);
  if (ct.kind == CtlKind::CheckListBox) {
    for (int i = 0; i < lw->count(); ++i) layer::MakeCheckEntry(lw->item(i));
    lw->installEventFilter(CheckListWatcher());
    lw->viewport()->installEventFilter(CheckListWatcher());
    QObject::connect(lw, &QListWidget::itemChanged, lw, [lw](QListWidgetItem*) {
      if (!lw->property("tabro_quiet").toBool()) layer::SendCommand(lw, CLBN_CHKCHANGE);
    });
  }
  // The program's own selection calls block the signal, so what arrives
  // here is the user's choice, by mouse or keys.
  QObject::connect(lw, &QListWidget::itemSelectionChanged, lw, [lw]() {
    if (!lw->property("tabro_quiet").toBool()) layer::SendCommand(lw, LBN_SELCHANGE);
  });
  QObject::connect(lw, &QListWidget::itemDoubleClicked, lw, [lw](QListWidgetItem*) {
    layer::SendCommand(lw, LBN_DBLCLK);
  });
  lw->installEventFilter(Focus());
  layer::RegisterAlias(lw->viewport(), lw);
  return lw;
}

QWidget* BuildTabCtrl(QWidget* parent) {
  auto* tw = new QTabWidget(parent);
  tw->setFocusPolicy(Qt::TabFocus);
  tw->tabBar()->installEventFilter(TabBarWatcher());
  QObject::connect(tw, &QTabWidget::currentChanged, tw, [tw](int) {
    WidgetInfo* info = layer::Info(tw);
    if (info && info->programmaticTab) return;
    NMHDR hdr;
    hdr.code = TCN_SELCHANGE;
    layer::SendNotify(tw, hdr);
  });
  return tw;
}

QWidget* BuildSpin(QWidget* parent) {
  QWidget* w = new SpinWidget(parent);
  // The platform's default range runs from 100 down to 0.
  w->setProperty("tabro_lower", 100);
  w->setProperty("tabro_upper", 0);
  w->setProperty("tabro_pos", 0);
  return w;
}

QWidget* BuildDateTime(QWidget* parent) {
  auto* d = new QDateEdit(parent);
  d->setCalendarPopup(true);
  d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  d->setDate(QDate::currentDate());
  QObject::connect(d, &QDateEdit::dateChanged, d, [d](QDate) {
    if (d->property("tabro_quiet").toBool()) return;
    NMDATETIMECHANGE change;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    QDate q = d->date();
    change.st.wYear = static_cast<WORD>(q.year());
    change.st.wMonth = static_cast<WORD>(q.month());
    change.st.wDay = static_cast<WORD>(q.day());
    change.st.wDayOfWeek = static_cast<WORD>(q.dayOfWeek() % 7);
    layer::SendNotify(d, change.nmhdr);
  });
  return d;
}

QWidget* BuildProgress(QWidget* parent) {
  auto* p = new QProgressBar(parent);
  p->setTextVisible(false);
  return p;
}

// The widget of the template's kind, with its text or items and the
// notifications it sends.
QWidget* CreateControlWidget(QWidget* parent, const ControlTemplate& ct) {
  const QString text = ct.text ? ToQ(CString(ct.text)) : QString();
  const uint32_t f = ct.flags;
  switch (ct.kind) {
    case CtlKind::Static: return BuildStatic(parent, text, f);
    case CtlKind::Picture: return BuildPicture(parent, ct);
    case CtlKind::GroupBox: return BuildGroupBox(parent, text);
    case CtlKind::Edit: return BuildEdit(parent, text, f);
    case CtlKind::PushButton:
    case CtlKind::DefPushButton: return BuildPushButton(parent, text, ct.kind == CtlKind::DefPushButton);
    case CtlKind::CheckBox: return BuildCheckBox(parent, text, f);
    case CtlKind::Radio: return BuildRadio(parent, text, f);
    case CtlKind::ComboDropDown:
    case CtlKind::ComboDropList: return BuildCombo(parent, ct);
    case CtlKind::ListBox:
    case CtlKind::CheckListBox: return BuildListBox(parent, ct);
    case CtlKind::ListView: return layer::CreateListView(parent, f);
    case CtlKind::TabCtrl: return BuildTabCtrl(parent);
    case CtlKind::Spin: return BuildSpin(parent);
    case CtlKind::DateTime: return BuildDateTime(parent);
    case CtlKind::Progress: return BuildProgress(parent);
  }
  return nullptr;
}

// Records the template's id, kind and flags for the widget, places it (a combo
// box is as high as its edit field; the template's height is its list's) and
// sets the initial states the flags give.
void ApplyTemplate(QWidget* w, const ControlTemplate& ct) {
  WidgetInfo& info = layer::Register(w);
  info.id = ct.id;
  info.hasKind = true;
  info.kind = ct.kind;
  info.flags = ct.flags;
  const int x = DluToPixelsX(ct.x), y = DluToPixelsY(ct.y);
  const int cx = DluToPixelsX(ct.cx);
  int cy = DluToPixelsY(ct.cy);
  if (ct.kind == CtlKind::ComboDropDown || ct.kind == CtlKind::ComboDropList) cy = DluToPixelsY(12) + 2;
  w->setGeometry(x, y, cx, cy);
  const uint32_t f = ct.flags;
  if (f & tpl::kNoTabStop) w->setFocusPolicy(Qt::NoFocus);
  if (ct.kind == CtlKind::Static || ct.kind == CtlKind::Picture) w->setFocusPolicy(Qt::NoFocus);
  if (f & tpl::kDisabled) w->setEnabled(false);
  if (f & tpl::kHidden) w->setVisible(false);
  if (ct.kind == CtlKind::GroupBox) w->lower();
}

// A radio joins the group of groupLeader, or leads a group of its own.
void JoinRadioGroup(QWidget* radio, QWidget* groupLeader) {
  QWidget* leaderWidget = groupLeader ? groupLeader : radio;
  layer::Register(leaderWidget).radioGroup.push_back(radio);
  layer::Register(radio).groupLeader = leaderWidget;
}

}  // namespace

QString layer::StripMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QChar(1), QLatin1Char('&'));
  return text;
}

namespace {
// The text a static was given, before its marks were processed for showing.
constexpr char kStaticTextProperty[] = "tabro_static_text";
}  // namespace

void layer::SetStaticText(QLabel* label, const QString& text, bool noPrefix) {
  label->setProperty(kStaticTextProperty, text);
  label->setText(noPrefix ? text : StripMnemonic(text));
}

QString layer::StaticText(const QLabel* label) {
  const QVariant stored = label->property(kStaticTextProperty);
  return stored.isValid() ? stored.toString() : label->text();
}

QWidget* layer::BuildControl(QWidget* parent, const ControlTemplate& ct, QWidget* groupLeader) {
  QWidget* w = CreateControlWidget(parent, ct);
  ApplyTemplate(w, ct);
  if (ct.kind == CtlKind::Radio) JoinRadioGroup(w, groupLeader);
  return w;
}

QStringList layer::TabPieces(const QString& line) {
  static const QRegularExpression separator(QStringLiteral("[ \\x{3000}]*\\t[ \\x{3000}\\t]*"));
  return line.split(separator);
}

std::vector<int> layer::TabColumns(const QLabel* label) {
  // The widest piece of each column among the statics that line up with this one.
  std::vector<int> widest;
  const QWidget* parent = label->parentWidget();
  const QFontMetrics fm(label->font());
  auto measure = [&](const QLabel* l) {
    for (const QString& line : l->text().split(QLatin1Char('\n'))) {
      const QStringList pieces = TabPieces(line);
      if (widest.size() < static_cast<size_t>(pieces.size())) widest.resize(static_cast<size_t>(pieces.size()), 0);
      for (qsizetype i = 0; i < pieces.size(); ++i)
        widest[static_cast<size_t>(i)] = std::max(widest[static_cast<size_t>(i)], fm.horizontalAdvance(pieces[i]));
    }
  };
  if (parent) {
    for (QObject* o : parent->children()) {
      auto* other = qobject_cast<const QLabel*>(o);
      if (other && other->x() == label->x() && other->text().contains(QLatin1Char('\t'))) measure(other);
    }
  }
  if (widest.empty()) measure(label);
  std::vector<int> columns(widest.size(), 0);
  for (size_t i = 1; i < widest.size(); ++i) columns[i] = columns[i - 1] + widest[i - 1] + kTabColumnGap;
  return columns;
}

int layer::TabLineWidth(const QLabel* label, const QString& line) {
  const std::vector<int> columns = TabColumns(label);
  const QStringList pieces = TabPieces(line);
  const size_t last = std::min(columns.size(), static_cast<size_t>(pieces.size()));
  if (last == 0) return 0;
  return columns[last - 1] + QFontMetrics(label->font()).horizontalAdvance(pieces[static_cast<qsizetype>(last - 1)]);
}
