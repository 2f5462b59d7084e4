// The edit control over its widgets.

#include "platform/ui/controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyle>
#include <map>
#include <QPlainTextEdit>

#include "platform/ui/ui_internal.h"

using layer::As;
using layer::ToQ;

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

namespace {

// The application's style, with the masking character of password boxes
// given by the program rather than the style's own dot.
class MaskStyle : public QProxyStyle {
 public:
  explicit MaskStyle(char16_t mask) : QProxyStyle(QApplication::style()->name()), m_mask(mask) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == QStyle::SH_LineEdit_PasswordCharacter) return m_mask;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }

 private:
  char16_t m_mask;
};

}  // namespace

void layer::SetPasswordMask(QLineEdit* edit, char16_t mask) {
  if (!mask) {
    edit->setEchoMode(QLineEdit::Normal);
    return;
  }
  // One style per character, alive as long as the program.
  static std::map<char16_t, MaskStyle*> styles;
  MaskStyle*& style = styles[mask];
  if (!style) style = new MaskStyle(mask);
  edit->setStyle(style);
  edit->setEchoMode(QLineEdit::Password);
}

void layer::SetMultilineReadOnly(QPlainTextEdit* edit, bool readOnly) {
  edit->setReadOnly(readOnly);
  if (readOnly) edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CEdit::SetPasswordChar(char16_t ch) {
  if (auto* le = As<QLineEdit>(m_hWnd)) layer::SetPasswordMask(le, ch);
}

char16_t CEdit::GetPasswordChar() const {
  auto* le = As<QLineEdit>(m_hWnd);
  if (!le || le->echoMode() != QLineEdit::Password) return u'\0';
  return static_cast<char16_t>(le->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, le));
}
