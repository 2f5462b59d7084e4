// Comparisons, arithmetic, the unary level and literals of the macro language.

#include <cmath>
#include <cstdint>
#include <string_view>

#include "grid/number_text.h"
#include "macro/macro_depth.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "macro/macro_scan.h"

using macro_scan::CutToInt;
using macro_scan::SkipBlanks;

namespace {

bool IsCompareOperator(char16_t c) { return c == u'!' || c == u'<' || c == u'=' || c == u'>'; }

}  // namespace

// comparison -> additive { ('!' | '<' | '=' | '>') ['='] additive ['&' comparison] }
double CMacroEval::EvalCompare() {
  double left = EvalAdditive();
  bool leftIsNumber = m_IsNumber != 0;
  m_Cursor = SkipBlanks(m_Cursor);
  while (IsCompareOperator(*m_Cursor)) {
    const CString leftText = m_Text;
    const char16_t op = *m_Cursor;
    m_Cursor = SkipBlanks(m_Cursor + 1);
    bool orEqual = false;
    if (*m_Cursor == u'=') {
      ++m_Cursor;
      orEqual = true;
    }
    const double right = EvalAdditive();
    const bool rightIsNumber = m_IsNumber != 0;
    bool result;
    if (leftIsNumber && rightIsNumber) {
      switch (op) {
        case u'!': result = !(left == right); break;
        case u'=': result = left == right; break;
        case u'<': result = orEqual ? left <= right : left < right; break;
        default: result = orEqual ? left >= right : left > right; break;
      }
    } else {
      const int order = leftText.Compare(m_Text);
      switch (op) {
        case u'!': result = order != 0; break;
        case u'=':
          if (order != 0) return 0.0;  // unequal texts end the whole comparison
          result = true;
          break;
        case u'<': result = orEqual ? order <= 0 : order < 0; break;
        default: result = orEqual ? order >= 0 : order > 0; break;
      }
    }
    double value = result ? 1.0 : 0.0;
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u'&') {
      ++m_Cursor;
      MacroDepthGuard guard(m_Depth);  // each '&' of a chain nests one level deeper
      const double more = EvalCompare();
      value = CutToInt(value) & CutToInt(more);
    }
    leftIsNumber = leftIsNumber && rightIsNumber;
    left = value;
    m_Cursor = SkipBlanks(m_Cursor);
  }
  return left;
}

// additive -> multiplicative { ('+' | '-') ['='] multiplicative ['&' additive] }
double CMacroEval::EvalAdditive() {
  // Every way of nesting (parentheses, conditions, arguments) passes here.
  MacroDepthGuard guard(m_Depth);
  bool levelForced = m_ForceText != 0;
  double value = EvalMultiplicative();
  levelForced = levelForced || m_ForceText != 0;
  bool leftIsNumber = m_IsNumber != 0;
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'+' || *m_Cursor == u'-') {
    const CString leftText = m_Text;
    const char16_t op = *m_Cursor;
    m_Cursor = SkipBlanks(m_Cursor + 1);
    if (*m_Cursor == u'=') ++m_Cursor;  // "+=" and "-=" read as '+' and '-'
    const double right = EvalMultiplicative();
    const bool rightIsNumber = m_IsNumber != 0;
    if (op == u'-') {
      value -= right;
    } else {
      const double sum = value + right;
      if (!m_ForceText) {
        if (!rightIsNumber) m_Text = leftText + m_Text;
      } else if (rightIsNumber || levelForced || !leftIsNumber) {
        m_Text = leftText + m_Text;
      } else {
        m_Text = FormatDouble(value) + m_Text;
      }
      value = sum;
    }
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == u'&') {
      ++m_Cursor;
      const double more = EvalAdditive();
      value = CutToInt(value) & CutToInt(more);
    }
    levelForced = levelForced || m_ForceText != 0;
    if (!rightIsNumber) leftIsNumber = false;
    m_Cursor = SkipBlanks(m_Cursor);
  }
  return value;
}

// multiplicative -> unary { ('*' | '/' | '%') unary }; empty before ',' or the end
double CMacroEval::EvalMultiplicative() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == u',' || *m_Cursor == 0) return 0.0;
  double value = EvalUnary();
  m_Cursor = SkipBlanks(m_Cursor);
  while (*m_Cursor == u'*' || *m_Cursor == u'/' || *m_Cursor == u'%') {
    const char16_t op = *m_Cursor++;
    const double right = EvalUnary();
    if (op == u'*') {
      value *= right;
    } else if (op == u'/') {
      value = right == 0.0 ? 0.0 : value / right;
    } else {
      const int a = CutToInt(value);
      const int b = CutToInt(right);
      // -1 is left out: INT_MIN % -1 overflows, and any x % -1 is 0.
      value = (b == 0 || b == -1) ? 0.0 : static_cast<double>(a % b);
    }
    m_IsNumber = m_ForceText ? 0 : 1;
    m_Cursor = SkipBlanks(m_Cursor);
  }
  return value;
}

// unary -> ["$[" | "#["] ['-'] ('[' field {method} | '<' tag {method}
//          | function [method] | '(' if-level ')' [method] | literal)
double CMacroEval::EvalUnary() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == u')') throw CMacroError(kMacroStrayParen);
  if (*m_Cursor == u']') throw CMacroError(kMacroStrayBracket);

  char16_t prefix = 0;
  if ((m_Cursor[0] == u'$' || m_Cursor[0] == u'#') && m_Cursor[1] == u'[') {
    prefix = m_Cursor[0];
    m_ForceText = prefix == u'$' ? 1 : 0;
    ++m_Cursor;
  }
  double sign = 1.0;
  if (*m_Cursor == u'-') {
    sign = -1.0;
    ++m_Cursor;
  }
  auto applyPrefix = [&] {
    if (prefix == u'$') m_IsNumber = 0;
    if (prefix == u'#') m_IsNumber = 1;
  };

  double value = 0.0;
  const char16_t c = *m_Cursor;
  if (c == u'[' || c == u'<') {
    if (c == u'[') {
      ++m_Cursor;
      value = ReadFieldReference();
    } else {
      value = ReadTag();
    }
    applyPrefix();
    while (*m_Cursor == u'.') {
      value = ApplyMethod();
      applyPrefix();
    }
  } else if (c == u'(') {
    ++m_Cursor;
    if (*m_Cursor == 0) throw CMacroError(u"( が閉じてない");
    value = EvalIf();
    if (*m_Cursor == u')') {
      ++m_Cursor;
      if (*m_Cursor == u'.') value = ApplyMethod();
    } else if (*m_Cursor == 0) {
      throw CMacroError(u"( が閉じてないA");
    }
  } else if (c != 0 && CallFunction(value)) {
    if (*m_Cursor == u'.') value = ApplyMethod();
  } else {
    value = EvalLiteral();
  }
  return value * sign;
}

// literal -> "'" text ["'"] | bare token
double CMacroEval::EvalLiteral() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == 0) return 0.0;
  // A literal reads nothing but the text: one read on an earlier row at the same
  // place of the same work copy is taken again.
  const char16_t* work = m_Work.c_str();
  const auto at = reinterpret_cast<uintptr_t>(m_Cursor) - reinterpret_cast<uintptr_t>(work);
  const bool inWork = at < m_Work.size() * sizeof(char16_t);
  if (inWork) {
    for (const LiteralRead& read : m_Literals) {
      if (read.start != m_Cursor) continue;
      m_Text = read.text;
      m_IsNumber = read.isNumber;
      if (read.quoted) m_ForceText = 1;
      m_Cursor = read.end;
      return read.value;
    }
  }
  const char16_t* start = m_Cursor;
  m_Text.Empty();
  m_IsNumber = 1;
  double value = 0.0;
  const bool quoted = *m_Cursor == u'\'';
  if (quoted) {
    m_ForceText = 1;
    m_IsNumber = 0;
    bool closed = false;  // an unterminated text ends with the macro, without an error
    m_Cursor = macro_scan::ReadQuoted(m_Cursor + 1, m_Text, closed);
  } else {
    while (!macro_scan::EndsBareToken(*m_Cursor)) ++m_Cursor;
    const int length = static_cast<int>(m_Cursor - start);
    m_Text = CString(start, length);
    if (length > macro_scan::kMaxNumberLength) {
      m_IsNumber = 0;
    } else {
      value = ParseNumberText(m_Text);
    }
  }
  if (inWork && m_Literals.size() < kMaxLiteralReads) {
    m_Literals.push_back(LiteralRead{start, m_Cursor, m_Text, value, m_IsNumber, quoted});
  }
  return value;
}
