// The syntax checker's field references, methods and functions.

#include <array>
#include <string_view>

#include "macro/macro_check.h"
#include "macro/macro_names.h"
#include "macro/macro_scan.h"
#include "platform/int_text.h"

using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {

constexpr char16_t kRoundCommaMismatch[] = u"round の　','  が対応していません";

// Characters that may not follow the '.' after a field.
constexpr std::u16string_view kBadAfterDot = u"\"!#$%&'()*+,-./<=>?[]_~";



// Passes the next quoted text at or after p; the position after its closing
// quote, or null when no quote opens one or the text ends before it closes.
const char16_t* PassNextQuoted(const char16_t* p) {
  p = SkipTo(p, u'\'');
  if (*p == 0) return nullptr;
  CString text;
  bool closed = false;
  p = macro_scan::ReadQuoted(p + 1, text, closed);
  return closed ? p : nullptr;
}

// Passes an optional sign and digits.
const char16_t* PassInteger(const char16_t* p) {
  if (*p == u'-' || *p == u'+') ++p;
  while (IsAsciiDigit(*p)) ++p;
  return p;
}

}  // namespace

// field -> name ']' [method]   (cursor after '[')
void CMacroCheck::CheckFieldName() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == 0) return;
  const char16_t* end = SkipTo(m_Cursor, u']');
  const CString name(m_Cursor, static_cast<int>(end - m_Cursor));
  if (*end == 0) {
    Record(CString::Build(u"%s の [ が閉じてない", name));
    m_Cursor = end;
    return;
  }
  m_LastField = name;
  m_Cursor = SkipBlanks(end + 1);
  if (*m_Cursor == u'[') Record(CString::Build(u"[%s]の後に [ は使えません。", name));
  if (!HasColumn(name)) Record(CString::Build(u"[%s]はありません", name));
  m_Text.Empty();
  if (*m_Cursor == u'.') CheckMethod();
}

// method -> '.' name ['(' arguments ')']   (cursor at '.')
void CMacroCheck::CheckMethod() {
  const char16_t next = m_Cursor[1];
  if (next == 0) {
    Record(CString::Build(u"[%s]. 以降が完結していない。", m_LastField));
    m_Cursor += 1;
    return;
  }
  if (next == u' ') {
    Record(CString::Build(u"タグ名後 [%s]. の後に空白は使えせん。", m_LastField));
    m_Cursor += 2;
    return;
  }
  if (kBadAfterDot.find(next) != std::u16string_view::npos) {
    Record(CString::Build(u"タグ名後 [%s]. の後に'%s'は使えせん。", m_LastField, CString(next)));
    m_Cursor += 2;
    return;
  }
  const MacroMethodName* rule = macro_scan::FindPrefixed(kMacroMethods, m_Cursor);
  if (rule == nullptr || !rule->checked) {
    // The name up to a blank, an operator, or through the first ')'.
    const char16_t* p = m_Cursor + 1;
    while (*p != 0 && *p != u' ' && *p != u')' &&
           std::u16string_view(u"!%&*+,-/=").find(*p) == std::u16string_view::npos) {
      ++p;
    }
    if (*p == u')') ++p;
    Record(CString::Build(u"[%s].後の　%s は不正の文字です。", m_LastField,
                          CString(m_Cursor + 1, static_cast<int>(p - m_Cursor - 1))));
    m_Cursor = p;
    return;
  }
  m_Cursor += rule->name.size();
  auto record = [&](const char16_t* format) { Record(CString::Build(format, m_LastField)); };
  // Moves past the next ')'; records the unclosed finding when the text ends first.
  auto closeParen = [&]() -> bool {
    const char16_t* p = SkipTo(m_Cursor, u')');
    if (*p == 0) {
      if (rule->checkFinding != nullptr) record(rule->checkFinding);
      m_Cursor = p;
      return false;
    }
    m_Cursor = p + 1;
    return true;
  };

  switch (rule->method) {
    case MacroMethod::Left:
    case MacroMethod::Right:
    case MacroMethod::Date:
      if (closeParen()) m_Cursor = SkipBlanks(m_Cursor);
      break;
    case MacroMethod::Mid: {
      const int a = TextToInt(m_Cursor);
      const char16_t* p = m_Cursor;
      while (*p != 0 && *p != u',' && *p != u')') ++p;
      if (*p == 0) {
        record(u"[%s].Mid の引数の数が異常です");
        m_Cursor = p;
        break;
      }
      if (a < 1) record(u"[%s].Mid の第一引数は１以上を設定して下さい");
      m_Cursor = p + 1;
      if (*p == u',' && closeParen()) m_Cursor = SkipBlanks(m_Cursor);
      break;
    }
    case MacroMethod::AddDate: {
      const char16_t* open = SkipTo(m_Cursor, u'\'');
      const char16_t* close = *open == 0 ? open : SkipTo(open + 1, u'\'');
      if (*close == 0 || close[1] == 0) {
        record(rule->checkFinding);
        m_Cursor = close;
        break;
      }
      m_Cursor = close + 1;
      closeParen();
      break;
    }
    case MacroMethod::Replace: {
      const char16_t* p = PassNextQuoted(m_Cursor);
      if (p == nullptr) {
        record(rule->checkFinding);
        m_Cursor = SkipTo(m_Cursor, 0);
        break;
      }
      p = SkipBlanks(p);
      if (*p != u',') {
        record(u"[%s].replace の [,] が有りません");
        m_Cursor = p;
        break;
      }
      p = PassNextQuoted(p + 1);
      if (p == nullptr) {
        record(rule->checkFinding);
        m_Cursor = SkipTo(m_Cursor, 0);
        break;
      }
      p = SkipBlanks(p);
      if (*p == u')') p = SkipBlanks(p + 1);
      m_Cursor = p;
      break;
    }
    case MacroMethod::Trim:
    case MacroMethod::Len:
    case MacroMethod::ToMb:
    case MacroMethod::ToAsc:
    case MacroMethod::ToUpper:
    case MacroMethod::ToLower:
      closeParen();
      break;
    case MacroMethod::Using: {
      const char16_t* p = SkipBlanks(m_Cursor);
      const char16_t* close = *p == u'\'' ? SkipTo(p + 1, u'\'') : p;
      const char16_t* after = *close == u'\'' ? SkipBlanks(close + 1) : close;
      if (*p != u'\'' || *close != u'\'' || *after != u')') {
        record(rule->checkFinding);
        m_Cursor = after;
        break;
      }
      m_Cursor = SkipBlanks(after + 1);
      break;
    }
    case MacroMethod::Find: {
      const char16_t* p = SkipBlanks(m_Cursor);
      if (*p != u'\'' && *p != u'[') record(rule->checkFinding);
      m_Cursor = SkipTo(p, u')');
      if (*m_Cursor == u')') m_Cursor = SkipBlanks(m_Cursor + 1);
      break;
    }
    case MacroMethod::Refer: {
      // refer(n, n, n)
      int numbers = 0;
      bool inNumber = false;
      const char16_t* p = m_Cursor;
      for (; *p != 0 && *p != u')'; ++p) {
        if (IsAsciiDigit(*p)) {
          if (!inNumber) ++numbers;
          inNumber = true;
        } else if (*p == u',') {
          inNumber = false;
        }
      }
      if (*p == 0) {
        record(rule->checkFinding);
        m_Cursor = p;
        break;
      }
      if (numbers != 3) record(u"[%s].refer の　引数の数が正しくありません");
      m_Cursor = SkipBlanks(p + 1);
      break;
    }
    case MacroMethod::Element:
      m_Cursor = SkipTo(m_Cursor, u')');
      if (*m_Cursor == u')') m_Cursor = SkipBlanks(m_Cursor + 1);
      break;
    case MacroMethod::Reading:
      break;  // not checked: refused above
  }
}

bool CMacroCheck::CheckFunction() {
  const char16_t first = *m_Cursor;
  if (first == 0 || first == u'\'' || first == u'(' || first == u'-' || IsAsciiDigit(first)) return false;
  if (!macro_scan::IsCallToken(m_Cursor)) return false;

  const MacroFunctionName* rule = macro_scan::FindPrefixed(kMacroFunctions, m_Cursor);
  if (rule == nullptr) {
    const char16_t* end = m_Cursor;
    while (*end != 0 && *end != u' ' && *end != u')') ++end;
    if (*end == u')') ++end;
    Record(CString::Build(u"%s こんな関数はありません", CString(m_Cursor, static_cast<int>(end - m_Cursor))));
    m_Cursor = end;
    return false;
  }
  m_Cursor += rule->name.size();
  // Moves past the call's ')'; records the unclosed finding when the text ends first.
  auto closeCall = [&] {
    const char16_t* close = SkipTo(m_Cursor, u')');
    if (*close == 0) {
      if (rule->checkUnclosed != nullptr) Record(CString(rule->checkUnclosed));
      m_Cursor = close;
      return;
    }
    m_Cursor = close + 1;
  };

  switch (rule->function) {
    case MacroFunction::Round: {
      // round(value, digits, mode)
      m_CommaEndsNumber = 1;
      CheckAdditive();
      m_CommaEndsNumber = 0;
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor != u',') {
        Record(CString(kRoundCommaMismatch));
        closeCall();
        break;
      }
      m_Cursor = PassInteger(SkipBlanks(m_Cursor + 1));
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor != u',') {
        Record(CString(kRoundCommaMismatch));
        closeCall();
        break;
      }
      m_Cursor = SkipBlanks(m_Cursor + 1);
      const int mode = TextToInt(m_Cursor);
      m_Cursor = PassInteger(m_Cursor);
      if (mode != 1 && mode != 5 && mode != 9) Record(CString(u"1:切捨 5:四捨五入 9:切上 の値を設定してください"));
      closeCall();
      break;
    }
    case MacroFunction::Abs:
    case MacroFunction::Log10:
    case MacroFunction::Sin:
    case MacroFunction::Cos:
    case MacroFunction::Tan:
    case MacroFunction::Val:
    case MacroFunction::Vtoa:
      CheckAdditive();
      closeCall();
      break;
    case MacroFunction::MinData:
    case MacroFunction::MaxData:
      // field references up to ')'; other characters are passed over
      for (;;) {
        if (*m_Cursor == u')') {
          ++m_Cursor;
          break;
        }
        if (*m_Cursor == 0) {
          Record(CString(rule->checkUnclosed));
          break;
        }
        if (*m_Cursor == u'[') {
          ++m_Cursor;
          CheckFieldName();
        } else {
          ++m_Cursor;
        }
      }
      break;
    case MacroFunction::Repeat: {
      // repeatString('text' | [field], count | [field])
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor == u'\'') {
        const char16_t* close = SkipTo(m_Cursor + 1, u'\'');
        if (*close == 0) {
          Record(CString(u"repeatStringに ['] が対応していません"));
          m_Cursor = close;
          break;
        }
        m_Cursor = close + 1;
      } else if (*m_Cursor == u'[') {
        ++m_Cursor;
        CheckFieldName();
      } else {
        Record(CString(u"repeatStringに 引数が有りません"));
        while (*m_Cursor != 0 && *m_Cursor != u',' && *m_Cursor != u')') ++m_Cursor;
      }
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor == u',') {
        m_Cursor = SkipBlanks(m_Cursor + 1);
        if (*m_Cursor == u'[') {
          ++m_Cursor;
          CheckFieldName();
        } else {
          m_CommaEndsNumber = 1;
          CheckAdditive();
          m_CommaEndsNumber = 0;
        }
      } else {
        Record(CString(u"repeatStringに ['] 有りません"));
      }
      closeCall();
      break;
    }
    case MacroFunction::Sum:
    case MacroFunction::TimeSum:
      closeCall();
      break;
    case MacroFunction::TimeSpan:
      closeCall();
      return false;
    case MacroFunction::Accumu:
    case MacroFunction::Ratio:
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor == u'[') {
        ++m_Cursor;
        CheckFieldName();
      }
      closeCall();
      return false;
  }
  return true;
}
