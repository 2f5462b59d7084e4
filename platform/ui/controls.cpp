// The common controls over their widgets: what they share, and their creation
// at run time. Each family's operations are in its own file.

#include "platform/ui/controls.h"

#include <QLineEdit>

#include "platform/ui/ui_internal.h"

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

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  uint32_t f = CommonFlags(style);
  if (style & CBS_SORT) f |= tpl::kSort;
  CtlKind kind = (style & 0x3) == CBS_DROPDOWNLIST ? CtlKind::ComboDropList : CtlKind::ComboDropDown;
  return CreateControl(static_cast<int>(kind), CString(), f, rect, parent, id);
}
