// The common controls over their widgets.

#include "platform/ui/controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "platform/ui/ui_internal.h"

using layer::FromQ;
using layer::ToQ;

namespace {
template <class T>
T* As(HWND w) {
  return qobject_cast<T*>(w);
}

using layer::Usable;
}  // namespace

bool layer::Usable(QWidget* w) {
  if (!w || !w->isEnabled()) return false;
  for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget())
    if (p->isHidden()) return false;
  return true;
}

layer::EditValidator::EditValidator(QLineEdit* edit, bool digitsOnly)
    : QValidator(edit), m_edit(edit), m_digits(digitsOnly), m_last(edit->text()) {
  QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { m_last = t; });
}

void layer::EditValidator::SetProgramText(const QString& text) {
  m_programmatic = true;
  m_edit->setText(text);
  m_programmatic = false;
}

QValidator::State layer::EditValidator::validate(QString& input, int&) const {
  if (m_programmatic) return Acceptable;
  const QString& current = m_last;
  if (m_limit > 0 && input.size() > m_limit && input.size() > current.size()) return Invalid;
  if (m_digits) {
    auto nonDigits = [](const QString& s) {
      int n = 0;
      for (QChar c : s) n += c.isDigit() ? 0 : 1;
      return n;
    };
    if (nonDigits(input) > nonDigits(current)) return Invalid;
  }
  return Acceptable;
}

namespace {
uint32_t CommonFlags(DWORD style) {
  uint32_t f = 0;
  if (!(style & WS_VISIBLE)) f |= tpl::kHidden;
  if (style & WS_DISABLED) f |= tpl::kDisabled;
  if (style & WS_GROUP) f |= tpl::kGroup;
  if (style & WS_VSCROLL) f |= tpl::kVScroll;
  if (style & WS_HSCROLL) f |= tpl::kHScroll;
  return f;
}
}  // namespace

BOOL CStatic::Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if ((style & 0x3) == SS_CENTER) f |= tpl::kCenter;
  if ((style & 0x3) == SS_RIGHT) f |= tpl::kRight;
  if (style & SS_SUNKEN) f |= tpl::kSunken;
  if (style & SS_NOPREFIX) f |= tpl::kNoPrefix;
  if (style & SS_CENTERIMAGE) f |= tpl::kVCenter;
  return CreateControl(static_cast<int>(CtlKind::Static), text, f, rect, parent, id);
}

BOOL CButton::Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if (style & BS_PUSHLIKE) f |= tpl::kPushLike;
  if (style & BS_MULTILINE) f |= tpl::kMultiline;
  CtlKind kind = CtlKind::PushButton;
  switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON: kind = CtlKind::DefPushButton; break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: kind = CtlKind::CheckBox; break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: kind = CtlKind::Radio; break;
    case BS_GROUPBOX: kind = CtlKind::GroupBox; break;
    default: break;
  }
  return CreateControl(static_cast<int>(kind), text, f, rect, parent, id);
}

BOOL CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if (style & ES_MULTILINE) f |= tpl::kMultiline;
  if (style & ES_READONLY) f |= tpl::kReadOnly;
  if (style & ES_NUMBER) f |= tpl::kNumber;
  if (style & ES_PASSWORD) f |= tpl::kPassword;
  if (style & ES_WANTRETURN) f |= tpl::kWantReturn;
  if ((style & 0x3) == ES_CENTER) f |= tpl::kCenter;
  if ((style & 0x3) == ES_RIGHT) f |= tpl::kRight;
  return CreateControl(static_cast<int>(CtlKind::Edit), CString(), f, rect, parent, id);
}

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if (style & CBS_SORT) f |= tpl::kSort;
  CtlKind kind = (style & 0x3) == CBS_DROPDOWNLIST ? CtlKind::ComboDropList : CtlKind::ComboDropDown;
  return CreateControl(static_cast<int>(kind), CString(), f, rect, parent, id);
}

BOOL CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if (style & LBS_SORT) f |= tpl::kSort;
  if (style & LBS_EXTENDEDSEL) f |= tpl::kMultiSel;
  return CreateControl(static_cast<int>(CtlKind::ListBox), CString(), f, rect, parent, id);
}

// CStatic

void CStatic::SetBitmap(const CBitmap* bitmap) {
  auto* l = As<QLabel>(m_hWnd);
  if (!l) return;
  if (bitmap && bitmap->Data()) l->setPixmap(QPixmap::fromImage(bitmap->Data()->image));
  else l->setPixmap(QPixmap());
}

// CButton

int CButton::GetCheck() const {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b || !b->isCheckable()) return BST_UNCHECKED;
  if (auto* cb = As<QCheckBox>(m_hWnd)) {
    switch (cb->checkState()) {
      case Qt::Checked: return BST_CHECKED;
      case Qt::PartiallyChecked: return BST_INDETERMINATE;
      default: return BST_UNCHECKED;
    }
  }
  return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b || !b->isCheckable()) return;
  if (auto* cb = As<QCheckBox>(m_hWnd)) {
    cb->setCheckState(check == BST_CHECKED ? Qt::Checked
                      : check == BST_INDETERMINATE && cb->isTristate() ? Qt::PartiallyChecked
                                                                       : Qt::Unchecked);
    return;
  }
  b->setChecked(check == BST_CHECKED);
}

void CButton::Click() {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b || !Usable(b)) return;
  b->click();
}

void CButton::SetBitmap(const CBitmap* bitmap) {
  auto* b = As<QAbstractButton>(m_hWnd);
  if (!b) return;
  if (bitmap && bitmap->Data()) {
    QPixmap pm = QPixmap::fromImage(bitmap->Data()->image);
    b->setIcon(QIcon(pm));
    b->setIconSize(pm.size());
  } else {
    b->setIcon(QIcon());
  }
}

BOOL CButton::IsDefaultButton() const {
  auto* b = As<QPushButton>(m_hWnd);
  return b && b->isDefault();
}

void CButton::SetButtonStyle(UINT style, BOOL) {
  if (auto* b = As<QPushButton>(m_hWnd)) b->setDefault(style == BS_DEFPUSHBUTTON);
}

// CMFCButton

BEGIN_MESSAGE_MAP(CMFCButton, CButton)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CMFCButton::CMFCButton() = default;
CMFCButton::~CMFCButton() = default;

void CMFCButton::SetImage(const CBitmap* image, const CBitmap* hotImage, const CBitmap* disabledImage) {
  m_image = image;
  m_hotImage = hotImage;
  m_disabledImage = disabledImage;
  Invalidate();
}
void CMFCButton::SetFaceColor(COLORREF color, BOOL) {
  m_faceColor = color;
  Invalidate();
}
void CMFCButton::SetTextColor(COLORREF color) { m_textColor = color; }
void CMFCButton::SetTextHotColor(COLORREF color) { m_textHotColor = color; }
void CMFCButton::SetTooltip(const CString& text) {
  if (m_hWnd) m_hWnd->setToolTip(ToQ(text));
}
BOOL CMFCButton::IsHighlighted() const {
  if (m_forceHighlight) return TRUE;
  WidgetInfo* info = layer::Info(m_hWnd);
  return info && info->hover && IsWindowEnabled();
}
BOOL CMFCButton::IsPressed() const {
  auto* b = As<QAbstractButton>(m_hWnd);
  return b && (b->isDown() || (b->isCheckable() && b->isChecked()));
}
void CMFCButton::SetHighlightedForTest(bool on) {
  m_forceHighlight = on;
  Invalidate();
}

CSize CMFCButton::GetImageSize() const { return m_image ? m_image->GetSize() : CSize(); }

void CMFCButton::OnFillBackground(CDC* dc, const CRect& client) {
  COLORREF face = m_faceColor == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : m_faceColor;
  if (!m_bTransparent) dc->FillSolidRect(client, face);
}

void CMFCButton::OnDrawBorder(CDC* dc, CRect& client, UINT state) {
  if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS) return;
  bool pressed = (state & ODS_SELECTED) != 0;
  if (m_nFlatStyle == BUTTONSTYLE_3D || IsHighlighted() || pressed)
    dc->Draw3dRect(client, pressed ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_BTNHIGHLIGHT),
                   pressed ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNSHADOW));
  client.DeflateRect(2, 2);
}

void CMFCButton::OnDrawText(CDC* dc, const CRect& rect, const CString& text, UINT format, UINT state) {
  CRect r = rect;
  if (state & ODS_DISABLED) {
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect shadow = r;
    shadow.OffsetRect(1, 1);
    dc->DrawText(text, &shadow, format);
    dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  } else {
    COLORREF c = IsHighlighted() && m_textHotColor != CLR_DEFAULT ? m_textHotColor
                 : m_textColor != CLR_DEFAULT                    ? m_textColor
                                                                 : GetSysColor(COLOR_BTNTEXT);
    dc->SetTextColor(c);
  }
  dc->DrawText(text, &r, format);
}

void CMFCButton::OnDraw(CDC* dc, const CRect& rect, UINT state) {
  CString text = GetWindowText();
  CRect textRect = rect;
  const CBitmap* img = m_image;
  if ((state & ODS_DISABLED) && m_disabledImage) img = m_disabledImage;
  else if (IsHighlighted() && m_hotImage) img = m_hotImage;
  if (img) {
    CSize s = img->GetSize();
    int hm = GetImageHorzMargin(), vm = GetVertMargin();
    if (m_bTopImage) {
      int x = rect.left + std::max(0, (rect.Width() - s.cx) / 2);
      dc->DrawBitmap(*img, x, rect.top + vm);
      textRect.top = rect.top + vm + s.cy;
    } else if (m_bRightImage) {
      dc->DrawBitmap(*img, rect.right - hm - s.cx, rect.top + std::max(0, (rect.Height() - s.cy) / 2));
      textRect.right = rect.right - hm - s.cx;
    } else {
      dc->DrawBitmap(*img, rect.left + hm, rect.top + std::max(0, (rect.Height() - s.cy) / 2));
      textRect.left = rect.left + hm + s.cx;
    }
  }
  UINT format = DT_END_ELLIPSIS;
  format |= m_nAlignStyle == ALIGN_LEFT ? DT_LEFT : m_nAlignStyle == ALIGN_RIGHT ? DT_RIGHT : DT_CENTER;
  if (text.Find(u'\n') < 0) format |= DT_SINGLELINE | DT_VCENTER;
  else format |= DT_WORDBREAK;
  dc->SetBkMode(TRANSPARENT);
  OnDrawText(dc, textRect, text, format, state);
}

void CMFCButton::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  UINT state = 0;
  if (!IsWindowEnabled()) state |= ODS_DISABLED;
  if (IsPressed()) state |= ODS_SELECTED;
  if (m_hWnd && m_hWnd->hasFocus()) state |= ODS_FOCUS;
  OnFillBackground(&dc, client);
  OnDrawBorder(&dc, client, state);
  OnDraw(&dc, client, state);
}

// CEdit

void CEdit::SetLimitText(UINT max) {
  if (auto* le = As<QLineEdit>(m_hWnd)) {
    if (auto* v = const_cast<layer::EditValidator*>(dynamic_cast<const layer::EditValidator*>(le->validator())))
      v->m_limit = static_cast<int>(std::min<UINT>(max, 32767));
  } else if (m_hWnd) {
    WidgetInfo& info = layer::Register(m_hWnd);
    info.limit = static_cast<int>(max);
    if (auto* pe = As<QPlainTextEdit>(m_hWnd)) info.lastText = pe->toPlainText();
  }
}

UINT CEdit::GetLimitText() const {
  if (auto* le = As<QLineEdit>(m_hWnd)) {
    auto* v = dynamic_cast<const layer::EditValidator*>(le->validator());
    return v && v->m_limit > 0 ? static_cast<UINT>(v->m_limit) : 32767;
  }
  WidgetInfo* info = layer::Info(m_hWnd);
  return info && info->limit > 0 ? static_cast<UINT>(info->limit) : 32767;
}

void CEdit::SetSel(int start, int end, BOOL) {
  if (auto* le = As<QLineEdit>(m_hWnd)) {
    int len = static_cast<int>(le->text().size());
    if (start < 0) {
      le->deselect();
      return;
    }
    if (end < 0 || end > len) end = len;
    start = std::min(start, len);
    le->setSelection(start, end - start);
  } else if (auto* pe = As<QPlainTextEdit>(m_hWnd)) {
    QTextCursor c = pe->textCursor();
    int len = static_cast<int>(pe->toPlainText().size());
    if (end < 0 || end > len) end = len;
    c.setPosition(std::clamp(start, 0, len));
    c.setPosition(end, QTextCursor::KeepAnchor);
    pe->setTextCursor(c);
  }
}

void CEdit::GetSel(int& start, int& end) const {
  start = end = 0;
  if (auto* le = As<QLineEdit>(m_hWnd)) {
    if (le->hasSelectedText()) {
      start = le->selectionStart();
      end = start + static_cast<int>(le->selectedText().size());
    } else {
      start = end = le->cursorPosition();
    }
  } else if (auto* pe = As<QPlainTextEdit>(m_hWnd)) {
    QTextCursor c = pe->textCursor();
    start = c.selectionStart();
    end = c.selectionEnd();
  }
}

void CEdit::ReplaceSel(const CString& text, BOOL) {
  QString q = ToQ(text);
  if (auto* le = As<QLineEdit>(m_hWnd)) {
    // An insertion beyond the typing limit is cut to what fits, as on the platform.
    auto* v = dynamic_cast<const layer::EditValidator*>(le->validator());
    if (v && v->m_limit > 0) {
      int selected = le->hasSelectedText() ? static_cast<int>(le->selectedText().size()) : 0;
      int room = v->m_limit - static_cast<int>(le->text().size()) + selected;
      if (room < q.size()) q = q.left(std::max(0, room));
    }
    le->insert(q);
  } else if (auto* pe = As<QPlainTextEdit>(m_hWnd)) {
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    WidgetInfo* info = layer::Info(pe);
    if (info && info->limit > 0) {
      QTextCursor c = pe->textCursor();
      int room = info->limit - static_cast<int>(pe->toPlainText().size()) + (c.selectionEnd() - c.selectionStart());
      if (room < q.size()) q = q.left(std::max(0, room));
    }
    pe->insertPlainText(q);
  }
}

void CEdit::Paste() { ReplaceSel(GetUiHooks().GetClipboardText()); }

void CEdit::Copy() {
  int s, e;
  GetSel(s, e);
  if (e > s) GetUiHooks().SetClipboardText(GetWindowText().Mid(s, e - s));
}

void CEdit::Cut() {
  Copy();
  Clear();
}

void CEdit::Clear() {
  if (auto* le = As<QLineEdit>(m_hWnd)) le->del();
  else if (auto* pe = As<QPlainTextEdit>(m_hWnd)) pe->textCursor().removeSelectedText();
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
  if (auto* le = As<QLineEdit>(m_hWnd)) le->setReadOnly(readOnly);
  else if (auto* pe = As<QPlainTextEdit>(m_hWnd)) pe->setReadOnly(readOnly);
  else return FALSE;
  return TRUE;
}

void CEdit::SetPasswordChar(char16_t ch) {
  if (auto* le = As<QLineEdit>(m_hWnd)) le->setEchoMode(ch ? QLineEdit::Password : QLineEdit::Normal);
}

char16_t CEdit::GetPasswordChar() const {
  auto* le = As<QLineEdit>(m_hWnd);
  return le && le->echoMode() == QLineEdit::Password ? u'*' : u'\0';
}

int CEdit::GetLineCount() const {
  if (auto* pe = As<QPlainTextEdit>(m_hWnd)) return pe->document()->blockCount();
  return m_hWnd ? 1 : 0;
}

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

int CComboBox::InsertString(int index, const CString& text) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || index > cb->count()) return CB_ERR;
  if (index < 0) index = cb->count();
  QSignalBlocker block(cb);
  int cur = cb->currentIndex();
  cb->insertItem(index, ToQ(text), QVariant::fromValue<qulonglong>(0));
  if (cur < 0) cb->setCurrentIndex(-1);
  return index;
}

int CComboBox::DeleteString(int index) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || index < 0 || index >= cb->count()) return CB_ERR;
  QSignalBlocker block(cb);
  cb->removeItem(index);
  return cb->count();
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

int CComboBox::GetLBTextLen(int index) const {
  CString t;
  return GetLBText(index, t);
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

int CComboBox::SelectString(int startAfter, const CString& prefix) {
  int i = FindString(startAfter, prefix);
  if (i != CB_ERR) SetCurSel(i);
  return i;
}

BOOL CComboBox::LimitText(int max) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || !cb->lineEdit()) return FALSE;
  cb->lineEdit()->setMaxLength(max <= 0 ? 32767 : max);
  return TRUE;
}

BOOL CComboBox::GetDroppedState() const {
  auto* cb = As<QComboBox>(m_hWnd);
  return cb && cb->view() && cb->view()->isVisible();
}

void CComboBox::ShowDropDown(BOOL show) {
  if (auto* cb = As<QComboBox>(m_hWnd)) {
    if (show) cb->showPopup();
    else cb->hidePopup();
  }
}

int CComboBox::SetDroppedWidth(UINT width) {
  auto* cb = As<QComboBox>(m_hWnd);
  if (!cb || !cb->view()) return CB_ERR;
  cb->view()->setMinimumWidth(static_cast<int>(width));
  return static_cast<int>(width);
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
  if (info && info->kind == CtlKind::CheckListBox) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
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

int CListBox::GetTextLen(int index) const {
  CString t;
  return GetText(index, t);
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

int CListBox::GetSel(int index) const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return LB_ERR;
  return lw->item(index)->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  QSignalBlocker block(lw);
  if (index == -1) {
    for (int i = 0; i < lw->count(); ++i) lw->item(i)->setSelected(select);
    return LB_OKAY;
  }
  if (index < 0 || index >= lw->count()) return LB_ERR;
  lw->item(index)->setSelected(select);
  return LB_OKAY;
}

int CListBox::GetSelCount() const {
  auto* lw = As<QListWidget>(m_hWnd);
  return lw ? static_cast<int>(lw->selectedItems().size()) : LB_ERR;
}

std::vector<int> CListBox::GetSelItems() const {
  std::vector<int> out;
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return out;
  for (int i = 0; i < lw->count(); ++i)
    if (lw->item(i)->isSelected()) out.push_back(i);
  return out;
}

int CListBox::GetTopIndex() const {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw) return LB_ERR;
  QListWidgetItem* top = lw->itemAt(2, 2);
  return top ? lw->row(top) : 0;
}

int CListBox::SetTopIndex(int index) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return LB_ERR;
  lw->scrollToItem(lw->item(index), QAbstractItemView::PositionAtTop);
  return LB_OKAY;
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

void CCheckListBox::Enable(int index, BOOL enable) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || index < 0 || index >= lw->count()) return;
  QListWidgetItem* item = lw->item(index);
  item->setFlags(enable ? item->flags() | Qt::ItemIsEnabled : item->flags() & ~Qt::ItemIsEnabled);
}

void CCheckListBox::ToggleAsUser(int index) {
  auto* lw = As<QListWidget>(m_hWnd);
  if (!lw || !Usable(lw) || index < 0 || index >= lw->count()) return;
  QListWidgetItem* item = lw->item(index);
  if (!(item->flags() & Qt::ItemIsEnabled)) return;
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

// CSpinButtonCtrl

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  if (!m_hWnd) return;
  m_hWnd->setProperty("tabro_lower", lower);
  m_hWnd->setProperty("tabro_upper", upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  lower = m_hWnd ? m_hWnd->property("tabro_lower").toInt() : 0;
  upper = m_hWnd ? m_hWnd->property("tabro_upper").toInt() : 0;
}

int CSpinButtonCtrl::SetPos32(int pos) {
  if (!m_hWnd) return 0;
  int lower, upper;
  GetRange32(lower, upper);
  int lo = std::min(lower, upper), hi = std::max(lower, upper);
  int old = m_hWnd->property("tabro_pos").toInt();
  pos = std::clamp(pos, lo, hi);
  m_hWnd->setProperty("tabro_pos", pos);
  WidgetInfo* info = layer::Info(m_hWnd);
  if (info && (info->flags & tpl::kSetBuddyInt))
    if (CWnd* buddy = GetBuddy()) buddy->SetWindowText(CString::Build(u"%d", pos));
  return old;
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
  if (error) *error = m_hWnd ? FALSE : TRUE;
  return m_hWnd ? m_hWnd->property("tabro_pos").toInt() : 0;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
  CWnd* old = GetBuddy();
  if (m_hWnd) m_hWnd->setProperty("tabro_buddy", QVariant::fromValue<QObject*>(buddy ? buddy->m_hWnd : nullptr));
  return old;
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
  if (!m_hWnd) return nullptr;
  auto* w = qobject_cast<QWidget*>(m_hWnd->property("tabro_buddy").value<QObject*>());
  if (w) return CWnd::FromHandle(w);
  // By default the control created just before the spin is its buddy.
  QWidget* parent = m_hWnd->parentWidget();
  if (!parent) return nullptr;
  QWidget* previous = nullptr;
  for (QObject* o : parent->children()) {
    if (o == m_hWnd) break;
    if (auto* pw = qobject_cast<QWidget*>(o); pw && layer::Info(pw) && layer::Info(pw)->hasKind) previous = pw;
  }
  return previous ? CWnd::FromHandle(previous) : nullptr;
}

void CSpinButtonCtrl::StepAsUser(int delta) {
  if (!m_hWnd || !Usable(m_hWnd)) return;
  NMUPDOWN ud;
  ud.hdr.code = UDN_DELTAPOS;
  ud.iPos = GetPos32();
  // A spin that writes its buddy also starts from the number typed there.
  WidgetInfo* info = layer::Info(m_hWnd);
  if (info && (info->flags & tpl::kSetBuddyInt))
    if (CWnd* buddy = GetBuddy()) {
      bool ok = false;
      int typed = layer::ToQ(buddy->GetWindowText()).trimmed().toInt(&ok);
      if (ok) ud.iPos = typed;
    }
  // The up arrow moves toward the upper end of the range, whichever way the
  // range runs; the notification carries the signed change of position.
  int lower, upper;
  GetRange32(lower, upper);
  ud.iDelta = lower > upper ? -delta : delta;
  if (layer::SendNotify(m_hWnd, ud.hdr) != 0) return;
  SetPos32(ud.iPos + ud.iDelta);
}

// CDateTimeCtrl

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time) {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !time) return FALSE;
  QDate q(time->wYear, time->wMonth, time->wDay);
  if (!q.isValid()) return FALSE;
  d->setProperty("tabro_quiet", true);
  d->setDate(q);
  d->setProperty("tabro_quiet", false);
  return TRUE;
}

DWORD CDateTimeCtrl::GetTime(SYSTEMTIME* time) const {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !time) return 1;
  QDate q = d->date();
  *time = SYSTEMTIME{};
  time->wYear = static_cast<WORD>(q.year());
  time->wMonth = static_cast<WORD>(q.month());
  time->wDay = static_cast<WORD>(q.day());
  time->wDayOfWeek = static_cast<WORD>(q.dayOfWeek() % 7);
  return 0;
}

BOOL CDateTimeCtrl::SetFormat(const CString& format) {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d) return FALSE;
  d->setDisplayFormat(ToQ(format));
  return TRUE;
}

void CDateTimeCtrl::SetTimeAsUser(const SYSTEMTIME& time) {
  auto* d = As<QDateEdit>(m_hWnd);
  if (!d || !Usable(d)) return;
  QDate q(time.wYear, time.wMonth, time.wDay);
  if (q.isValid()) d->setDate(q);
}

// CTabCtrl

namespace {
QTabWidget* Tabs(HWND w) { return qobject_cast<QTabWidget*>(w); }
}

LONG CTabCtrl::InsertItem(int index, const CString& text) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t) return -1;
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  int i = t->insertTab(index < 0 ? t->count() : index, new QWidget(), ToQ(text));
  info.programmaticTab = false;
  return i;
}

BOOL CTabCtrl::DeleteItem(int index) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || index < 0 || index >= t->count()) return FALSE;
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  QWidget* page = t->widget(index);
  t->removeTab(index);
  delete page;
  info.programmaticTab = false;
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t) return FALSE;
  while (t->count() > 0) DeleteItem(t->count() - 1);
  return TRUE;
}

int CTabCtrl::GetItemCount() const {
  QTabWidget* t = Tabs(m_hWnd);
  return t ? t->count() : 0;
}

int CTabCtrl::GetCurSel() const {
  QTabWidget* t = Tabs(m_hWnd);
  return t ? t->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int index) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || index < 0 || index >= t->count()) return -1;
  int old = t->currentIndex();
  WidgetInfo& info = layer::Register(m_hWnd);
  info.programmaticTab = true;
  t->setCurrentIndex(index);
  info.programmaticTab = false;
  return old;
}

CString CTabCtrl::GetItemText(int index) const {
  QTabWidget* t = Tabs(m_hWnd);
  return t && index >= 0 && index < t->count() ? FromQ(t->tabText(index)) : CString();
}

BOOL CTabCtrl::SetItemText(int index, const CString& text) {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || index < 0 || index >= t->count()) return FALSE;
  t->setTabText(index, ToQ(text));
  return TRUE;
}

BOOL CTabCtrl::GetItemRect(int index, CRect* rect) const {
  QTabWidget* t = Tabs(m_hWnd);
  if (!t || !rect || index < 0 || index >= t->count()) return FALSE;
  QRect r = t->tabBar()->tabRect(index);
  QPoint p = t->tabBar()->mapTo(t, r.topLeft());
  *rect = CRect(p.x(), p.y(), p.x() + r.width(), p.y() + r.height());
  return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, CRect* rect) const {
  QTabWidget* t = Tabs(m_hWnd);
  if (!rect) return;
  int tabH = t ? t->tabBar()->sizeHint().height() : 24;
  if (larger) {
    rect->top -= tabH;
    rect->InflateRect(2, 2);
  } else {
    rect->top += tabH;
    rect->DeflateRect(2, 2);
  }
}

void CTabCtrl::SelectAsUser(int index) {
  if (QTabWidget* t = Tabs(m_hWnd)) layer::UserSelectsTab(t, index);
}

bool layer::UserSelectsTab(QTabWidget* t, int index) {
  if (!t || !Usable(t) || index < 0 || index >= t->count() || index == t->currentIndex()) return false;
  if (!t->isTabEnabled(index)) return false;
  NMHDR hdr;
  hdr.code = TCN_SELCHANGING;
  QPointer<QTabWidget> guard(t);
  if (layer::SendNotify(t, hdr) != 0 || !guard) return false;
  t->setCurrentIndex(index);   // TCN_SELCHANGE follows
  return true;
}

// CProgressCtrl

void CProgressCtrl::SetRange32(int lower, int upper) {
  if (auto* p = As<QProgressBar>(m_hWnd)) p->setRange(lower, upper);
}
int CProgressCtrl::SetPos(int pos) {
  auto* p = As<QProgressBar>(m_hWnd);
  if (!p) return 0;
  int old = p->value();
  p->setValue(pos);
  return old;
}
int CProgressCtrl::GetPos() const {
  auto* p = As<QProgressBar>(m_hWnd);
  return p ? p->value() : 0;
}

// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD) {
  m_parent = parent;
  return parent != nullptr;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const CString& text) {
  if (!wnd || !wnd->m_hWnd) return FALSE;
  wnd->m_hWnd->setProperty("tabro_tip", ToQ(text));
  if (m_active) wnd->m_hWnd->setToolTip(ToQ(text));
  return TRUE;
}

void CToolTipCtrl::UpdateTipText(const CString& text, CWnd* wnd) { AddTool(wnd, text); }

void CToolTipCtrl::DelTool(CWnd* wnd) {
  if (!wnd || !wnd->m_hWnd) return;
  wnd->m_hWnd->setProperty("tabro_tip", QVariant());
  wnd->m_hWnd->setToolTip(QString());
}

void CToolTipCtrl::Activate(BOOL activate) { m_active = activate != FALSE; }

CString CToolTipCtrl::GetToolText(CWnd* wnd) const {
  if (!wnd || !wnd->m_hWnd) return CString();
  return FromQ(wnd->m_hWnd->property("tabro_tip").toString());
}
