// Statements and the if level of the macro language.

#include <cstring>

#include "macro/macro_depth.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "macro/macro_scan.h"

using macro_scan::CutToInt;
using macro_scan::FindText;
using macro_scan::SkipBlanks;
using macro_scan::StartsWith;
using macro_scan::StartsWithFolded;

namespace {

// Characters that may follow the '[' of a share or running-total statement.
constexpr int kMaxColumnStatementText = 100;

}  // namespace

double CMacroEval::Evaluate(std::u16string_view text, int row) {
  m_Flags = 0;
  m_FontNo = 0;
  m_EraseVertLine = 0;
  m_ColmJoin = 0;
  m_SetBreak = 0;
  m_FontStyle = 0;
  m_LineWidth = 0;
  m_Text.Empty();
  m_IsNumber = 1;
  m_ForceText = 0;
  m_Depth = 0;
  m_Statement = 0;

  // A column evaluates one text row after row: its work copy is made once.
  const bool same = text.size() == m_Source.size() &&
                    (text.empty() || std::memcmp(text.data(), m_Source.data(), text.size() * sizeof(char16_t)) == 0);
  if (!same) {
    m_Source.assign(text);
    macro_scan::MakeWorkCopy(text, m_Work);
    m_Literals.clear();
  }
  m_Row = row;
  m_Cursor = SkipBlanks(m_Work.c_str());

  // statement -> "if " if-level | "return Ratio(" ... | "return Accumu(" ... | ["return "] additive
  if (StartsWithFolded(m_Cursor, u"if ")) {
    m_Cursor += 3;
    return EvalIf();
  }
  if (StartsWithFolded(m_Cursor, u"return ")) {
    if (StartsWithFolded(m_Cursor + 7, u"Ratio(")) {
      m_Cursor += 13;
      return ReadColumnStatement(MACRO_RATIO);
    }
    if (StartsWithFolded(m_Cursor + 7, u"Accumu(")) {
      m_Cursor += 14;
      return ReadColumnStatement(MACRO_ACCUMU);
    }
    m_Cursor += 7;
    m_ForceText = 0;
  }
  const double value = EvalAdditive();
  m_Flags = CurrentKind();
  return value;
}

int CMacroEval::ResultKind() const noexcept {
  if (m_Flags & MACRO_NUMBER) return MACRO_NUMBER;
  if (m_Flags & MACRO_TEXT) return MACRO_TEXT;
  return m_Statement;
}

int CMacroEval::CurrentKind() const noexcept {
  return (m_ForceText || !m_IsNumber) ? MACRO_TEXT : MACRO_NUMBER;
}

// column statement -> '(' ['[' name [']']] ...   (the values come from the whole column)
double CMacroEval::ReadColumnStatement(int kind) {
  m_Cursor = SkipBlanks(m_Cursor);
  m_Text.Empty();
  if (*m_Cursor == u'[') {
    const char16_t* name = m_Cursor + 1;
    // The name is read from at most kMaxColumnStatementText characters: a longer
    // rest makes no statement at all, and its column stays empty.
    int rest = 0;
    while (name[rest] != 0 && rest <= kMaxColumnStatementText) ++rest;
    if (rest > kMaxColumnStatementText) return 0.0;
    const char16_t* end = macro_scan::SkipTo(name, u']');
    m_Text = CString(name, static_cast<int>(end - name));
    m_Cursor = end;
  }
  m_Flags |= kind;
  m_Statement = kind;
  return 0.0;
}

// if-level -> comparison { ('|' | '&') comparison } ["then " branch] ["else if " if-level | "else " branch]
double CMacroEval::EvalIf() {
  m_Cursor = SkipBlanks(m_Cursor);
  double value = EvalCompare();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'|' || *m_Cursor == u'&') {
    const bool isOr = *m_Cursor == u'|';
    m_Cursor = SkipBlanks(m_Cursor + 1);
    const double right = EvalCompare();
    const int a = CutToInt(value);
    const int b = CutToInt(right);
    value = isOr ? (a | b) : (a & b);
    m_Cursor = SkipBlanks(m_Cursor);
  }
  if (*m_Cursor == 0 || !StartsWith(m_Cursor, u"then")) return value;

  if (value == 1.0) {
    const char16_t* then = FindText(m_Cursor, u"then ");
    if (then == nullptr) return value;
    m_Cursor = SkipBlanks(then + 5);
    return ReadBranch(1.0, false);
  }
  if (value != 0.0) return value;

  if (const char16_t* elseIf = FindText(m_Cursor, u"else if ")) {
    m_Cursor = SkipBlanks(elseIf + 8);
    // Each link of an else-if chain nests one level deeper.
    MacroDepthGuard guard(m_Depth);
    return EvalIf();
  }
  const char16_t* otherwise = FindText(m_Cursor, u"else ");
  if (otherwise == nullptr) return 0.0;
  m_Cursor = SkipBlanks(otherwise + 5);
  return ReadBranch(0.0, true);
}

// branch -> [attributes] ("return " additive | "set(" additive [')'])
double CMacroEval::ReadBranch(double noResult, bool setNeedsParen) {
  ParseAttributes(false);
  double value;
  if (StartsWith(m_Cursor, u"return ")) {
    m_Cursor += 7;
    m_ForceText = 0;
    value = EvalAdditive();
  } else if (StartsWith(m_Cursor, u"set(")) {
    m_Cursor += 4;
    m_ForceText = 0;
    m_Cursor = SkipBlanks(m_Cursor);
    value = EvalAdditive();
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u')') {
      ++m_Cursor;
    } else if (setNeedsParen) {
      throw CMacroError(kMacroSetNotClosed);
    }
  } else {
    return noResult;
  }
  m_Flags |= CurrentKind();
  return value;
}
