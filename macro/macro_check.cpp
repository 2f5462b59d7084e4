// The syntax checker's statement, condition, arithmetic and literal levels.

#include "macro/macro_check.h"

#include "macro/macro_depth.h"
#include "macro/macro_error.h"
#include "macro/macro_scan.h"
#include "platform/int_text.h"
#include "platform/ui_hooks.h"

using macro_scan::FindText;
using macro_scan::SkipBlanks;
using macro_scan::StartsWith;
using macro_scan::StartsWithFolded;

namespace {

constexpr char16_t kTrailingOperator[] = u"末尾の　%s は使えません。";

// Characters that end a word the checker reports: those of a bare token and digits.
bool EndsWord(char16_t c) { return macro_scan::EndsBareToken(c) || IsAsciiDigit(c); }

}  // namespace

int CMacroCheck::Check(const char16_t* text, const std::vector<CString>* names, bool silent) {
  m_Errors.clear();
  m_CommaEndsNumber = 0;
  m_Names = names;
  m_Depth = 0;
  try {
    CheckStatement(text);
  } catch (const CMacroError& e) {
    Record(e.Text());  // nesting too deep: reported like any finding
  }
  if (m_Errors.empty()) {
    if (!silent) GetUiHooks().MessageBox(CString(u"項目評価　OK"), kAppCaption, MB_OK);
    return 1;
  }
  CString message(u"【構文エラー】\n");
  for (const CString& finding : m_Errors) {
    message += finding;
    message += u"\n";
  }
  message += u"\n＊必ず確認してください";
  GetUiHooks().MessageBox(message, kAppCaption, MB_OK);
  return 0;
}

bool CMacroCheck::HasColumn(const CString& name) const {
  if (m_Names == nullptr) return false;
  for (const CString& entry : *m_Names) {
    if (entry == name) return true;
  }
  return false;
}

// statement -> "if " if-level | "return " comparison | if-level
void CMacroCheck::CheckStatement(const char16_t* text) {
  macro_scan::MakeWorkCopy(text, m_Work);
  m_Cursor = SkipBlanks(m_Work.c_str());
  if (StartsWithFolded(m_Cursor, u"if ")) {
    m_Cursor += 3;
    CheckIf();
  } else if (StartsWithFolded(m_Cursor, u"return ")) {
    // A comparison, so that "!=" and "==" after return are reported too.
    m_Cursor += 7;
    CheckCompare();
  } else {
    CheckIf();
  }
}

// if-level -> comparison { ('|' | '&') comparison } ["then " branch] ["else if " if-level] ["else " branch]
void CMacroCheck::CheckIf() {
  m_Cursor = SkipBlanks(m_Cursor);
  CheckCompare();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'|' || *m_Cursor == u'&') {
    m_Cursor = SkipBlanks(m_Cursor + 1);
    CheckCompare();
    m_Cursor = SkipBlanks(m_Cursor);
  }
  if (*m_Cursor == 0 || !StartsWith(m_Cursor, u"then")) return;

  if (const char16_t* then = FindText(m_Cursor, u"then ")) {
    m_Cursor = SkipBlanks(then + 5);
    SkipAttributes();
    if (StartsWith(m_Cursor, u"return ")) {
      m_Cursor += 7;
      CheckAdditive();
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor != 0 && !StartsWith(m_Cursor, u"else ")) {
        const char16_t* end = macro_scan::SkipTo(m_Cursor, u' ');
        Record(CString::Build(u"return 以降に不明の処理があります->  %s",
                              CString(m_Cursor, static_cast<int>(end - m_Cursor))));
      }
    } else if (StartsWith(m_Cursor, u"set(")) {
      m_Cursor = SkipBlanks(m_Cursor + 4);
      CheckAdditive();
      if (*m_Cursor == u')') ++m_Cursor;
    }
  }
  if (const char16_t* elseIf = FindText(m_Cursor, u"else if ")) {
    m_Cursor = SkipBlanks(elseIf + 8);
    // Each link of an else-if chain nests one level deeper.
    MacroDepthGuard guard(m_Depth);
    CheckIf();
  }
  if (const char16_t* otherwise = FindText(m_Cursor, u"else ")) {
    m_Cursor = otherwise + 5;
    if (StartsWith(m_Cursor, u"then ")) Record(CString(u"else 直後に　then　は使えません"));
    m_Cursor = SkipBlanks(m_Cursor);
    SkipAttributes();
    if (StartsWith(m_Cursor, u"return ")) {
      m_Cursor += 7;
      CheckAdditive();
    } else if (StartsWith(m_Cursor, u"set(")) {
      m_Cursor = SkipBlanks(m_Cursor + 4);
      CheckAdditive();
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor == u')') {
        ++m_Cursor;
      } else {
        Record(CString(kMacroSetNotClosed));
      }
    }
  }
}

void CMacroCheck::SkipAttributes() {
  while (*m_Cursor != 0 && !StartsWith(m_Cursor, u"return ") && !StartsWith(m_Cursor, u"set(") &&
         !StartsWith(m_Cursor, u"else ")) {
    ++m_Cursor;
  }
}

// comparison -> additive { ('!' | '<' | '=' | '>') ['='] additive ['&' comparison] }
void CMacroCheck::CheckCompare() {
  CheckAdditive();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'!' || *m_Cursor == u'<' || *m_Cursor == u'=' || *m_Cursor == u'>') {
    const char16_t op = *m_Cursor++;
    if (op == u'!' && *m_Cursor == u'=') Record(CString(u"!=　は使えません"));
    if (op == u'=' && *m_Cursor == u'=') Record(CString(u"==　は使えません"));
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u'=') ++m_Cursor;
    CheckAdditive();
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u'&') {
      ++m_Cursor;
      MacroDepthGuard guard(m_Depth);  // each '&' of a chain nests one level deeper
      CheckCompare();
    }
    m_Cursor = SkipBlanks(m_Cursor);
  }
}

// additive -> multiplicative { ('+' | '-') ['='] multiplicative ['&' additive] }
void CMacroCheck::CheckAdditive() {
  // Every way of nesting passes here.
  MacroDepthGuard guard(m_Depth);
  CheckMultiplicative();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'+' || *m_Cursor == u'-') {
    const char16_t op = *m_Cursor;
    m_Cursor = SkipBlanks(m_Cursor + 1);
    if (*m_Cursor == 0) {
      Record(CString::Build(kTrailingOperator, CString(op)));
      return;
    }
    if (*m_Cursor == u'=') ++m_Cursor;
    CheckMultiplicative();
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u'&') {
      ++m_Cursor;
      CheckAdditive();
    }
    m_Cursor = SkipBlanks(m_Cursor);
  }
}

// multiplicative -> unary { ('*' | '/' | '%') unary }
void CMacroCheck::CheckMultiplicative() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == u',' || *m_Cursor == 0) return;
  CheckUnary();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'*' || *m_Cursor == u'/' || *m_Cursor == u'%') {
    const char16_t op = *m_Cursor;
    m_Cursor = SkipBlanks(m_Cursor + 1);
    if (*m_Cursor == 0) {
      Record(CString::Build(kTrailingOperator, CString(op)));
      return;
    }
    CheckUnary();
    m_Cursor = SkipBlanks(m_Cursor);
  }
}

// unary -> ["$[" | "#["] ['-'] ('[' field {method} | '<' field {method}
//          | function [method] | '(' if-level ')' [method] | literal)
void CMacroCheck::CheckUnary() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == u')') Record(CString(kMacroStrayParen));
  if (*m_Cursor == u']') Record(CString(kMacroStrayBracket));
  if ((m_Cursor[0] == u'$' || m_Cursor[0] == u'#') && m_Cursor[1] == u'[') ++m_Cursor;
  if (*m_Cursor == u'-') ++m_Cursor;

  if (*m_Cursor == u'[' || *m_Cursor == u'<') {
    ++m_Cursor;
    CheckFieldName();
    while (*m_Cursor == u'.') CheckMethod();
    return;
  }
  const char16_t* const token = m_Cursor;
  if (CheckFunction()) {
    if (*m_Cursor == u'.') CheckMethod();
    return;
  }
  // After an unknown call, TimeSpan(, Accumu( or Ratio( the rest is a literal.
  if (m_Cursor == token && *m_Cursor == u'(') {
    ++m_Cursor;
    if (*m_Cursor == 0) {
      Record(CString(u"( が閉じてない。３"));
      return;
    }
    CheckIf();
    if (*m_Cursor == u')') {
      ++m_Cursor;
      if (*m_Cursor == u'.') {
        CheckMethod();
        if (*m_Cursor != u')') Record(CString(u"( が閉じてない１"));
      }
    } else if (*m_Cursor == 0) {
      Record(CString(u"( が閉じてない。２"));
    }
    return;
  }
  CheckLiteral();
}

// literal -> "'" text ["'"] | number | word (a word is a finding)
void CMacroCheck::CheckLiteral() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == 0) return;
  m_Text.Empty();
  m_IsNumber = 1;
  if (*m_Cursor == u'\'') {
    m_IsNumber = 0;
    bool closed = false;  // an unterminated text is no finding
    m_Cursor = macro_scan::ReadQuoted(m_Cursor + 1, m_Text, closed);
    return;
  }
  auto inNumber = [&](char16_t c) {
    return IsAsciiDigit(c) || c == u'.' || (c == u',' && !m_CommaEndsNumber);
  };
  if (inNumber(*m_Cursor) || *m_Cursor == u'-') {
    const char16_t* start = m_Cursor;
    if (*m_Cursor == u'-') ++m_Cursor;
    bool pointSeen = false;
    for (; inNumber(*m_Cursor); ++m_Cursor) {
      if (*m_Cursor != u'.' || m_Cursor == start) continue;
      if (pointSeen) Record(CString(u"数値の中にコンマが複数あります"));
      pointSeen = true;
    }
    m_Text = CString(start, static_cast<int>(m_Cursor - start));
    return;
  }
  const char16_t* start = m_Cursor;
  while (!EndsWord(*m_Cursor)) ++m_Cursor;
  if (m_Cursor > start) {
    Record(CString::Build(u" %s  異常な文字がありました。", CString(start, static_cast<int>(m_Cursor - start))));
  }
}
