// The syntax checker's field references, methods and functions.

#include <array>
#include <string_view>

#include "macro/macro_check.h"
#include "macro/macro_scan.h"
#include "platform/int_text.h"

using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Characters that may not follow the '.' after a field.
constexpr std::u16string_view kBadAfterDot = u"\"!#$%&'()*+,-./<=>?[]_~";

enum class Method {
  Left, Mid, Right, Date, AddDate, Replace, Trim, Len, ToMb, ToAsc, ToUpper, ToLower,
  Using, Find, Refer, Element,
};

struct MethodRule {
  std::u16string_view name;
  Method method;
  const char16_t* unclosed;  // finding when the text ends before ')' (%s: the field)
};

// The evaluator's methods in its order, and ".refer(" which only the checker knows.
constexpr std::array<MethodRule, 16> kMethods = {{
    {u".Left(", Method::Left, u"[%s].left( の ')' が対応していません"},
    {u".Mid(", Method::Mid, u"[%s].Mid( の ')' が対応していません"},
    {u".Right(", Method::Right, u"[%s].Right(の ')' が対応していません"},
    {u".date(", Method::Date, u"[%s].date( の ')' が対応していません"},
    {u".AddDate(", Method::AddDate, u"[%s].AddDateの　引数の数が異常です"},
    {u".replace", Method::Replace, u"[%s].replace の ['] が対応していません"},
    {u".trim(", Method::Trim, u"[%s].trim の　')' が対応していません"},
    {u".len(", Method::Len, u"[%s].len の　')' が対応していません"},
    {u".tomb(", Method::ToMb, u"[%s].tomb の　')' が対応していません"},
    {u".toasc(", Method::ToAsc, u"[%s].toasc の　')' が対応していません"},
    {u".toupper(", Method::ToUpper, u"[%s].toupper の　')' が対応していません"},
    {u".tolower(", Method::ToLower, u"[%s].tolower の　')' が対応していません"},
    {u".Using(", Method::Using, u"[%s].Using の書式は'で括ってください"},
    {u".Find(", Method::Find, u"[%s].Find の引数が正しくありません"},
    {u".refer(", Method::Refer, u"[%s].refer の　')' が対応していません"},
    {u".element(", Method::Element, nullptr},
}};
static_assert(kMethods.size() == 16);

enum class Function {
  Round, Abs, Log10, Sin, Cos, Tan, MinData, MaxData, Val, Vtoa, Repeat, Sum, TimeSum, TimeSpan,
  Accumu, Ratio,
};

struct FunctionRule {
  std::u16string_view name;
  Function function;
  const char16_t* unclosed;  // finding when the text ends before ')'
};

// The evaluator's functions and those of the column statements and the command language.
constexpr std::array<FunctionRule, 16> kFunctions = {{
    {u"round(", Function::Round, u"round の　')' が対応していません"},
    {u"abs(", Function::Abs, u"abs の　')' が対応していません"},
    {u"log10(", Function::Log10, u"log10 の　')' が対応していません"},
    {u"sin(", Function::Sin, u"sin の　')' が対応していません"},
    {u"cos(", Function::Cos, u"cos の　')' が対応していません"},
    {u"tan(", Function::Tan, u"tan の　')' が対応していません"},
    {u"mindata(", Function::MinData, u"mindata の　')' が対応していません"},
    {u"maxdata(", Function::MaxData, u"maxdata の　')' が対応していません"},
    {u"val(", Function::Val, u"val の　')' が対応していません"},
    {u"vtoa(", Function::Vtoa, u"vtoa の　')' が対応していません"},
    {u"repeatString(", Function::Repeat, u"repeatString　の ')' が対応していません"},
    {u"SUM(", Function::Sum, nullptr},
    {u"TimeSUM(", Function::TimeSum, nullptr},
    {u"TimeSpan(", Function::TimeSpan, nullptr},
    {u"Accumu(", Function::Accumu, nullptr},
    {u"Ratio(", Function::Ratio, nullptr},
}};
static_assert(kFunctions.size() == 16);

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
  while (IsDigit(*p)) ++p;
  return p;
}

}  // namespace

void CMacroCheck::CheckField() {
  if (*m_Cursor == u'.') {
    CheckMethod();
  } else {
    CheckFieldName();
  }
}

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
  const MethodRule* rule = macro_scan::FindPrefixed(kMethods, m_Cursor);
  if (rule == nullptr) {
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
      if (rule->unclosed != nullptr) record(rule->unclosed);
      m_Cursor = p;
      return false;
    }
    m_Cursor = p + 1;
    return true;
  };

  switch (rule->method) {
    case Method::Left:
    case Method::Right:
    case Method::Date:
      if (closeParen()) m_Cursor = SkipBlanks(m_Cursor);
      break;
    case Method::Mid: {
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
    case Method::AddDate: {
      const char16_t* open = SkipTo(m_Cursor, u'\'');
      const char16_t* close = *open == 0 ? open : SkipTo(open + 1, u'\'');
      if (*close == 0 || close[1] == 0) {
        record(rule->unclosed);
        m_Cursor = close;
        break;
      }
      m_Cursor = close + 1;
      closeParen();
      break;
    }
    case Method::Replace: {
      const char16_t* p = PassNextQuoted(m_Cursor);
      if (p == nullptr) {
        record(rule->unclosed);
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
        record(rule->unclosed);
        m_Cursor = SkipTo(m_Cursor, 0);
        break;
      }
      p = SkipBlanks(p);
      if (*p == u')') p = SkipBlanks(p + 1);
      m_Cursor = p;
      break;
    }
    case Method::Trim:
    case Method::Len:
    case Method::ToMb:
    case Method::ToAsc:
    case Method::ToUpper:
    case Method::ToLower:
      closeParen();
      break;
    case Method::Using: {
      const char16_t* p = SkipBlanks(m_Cursor);
      const char16_t* close = *p == u'\'' ? SkipTo(p + 1, u'\'') : p;
      const char16_t* after = *close == u'\'' ? SkipBlanks(close + 1) : close;
      if (*p != u'\'' || *close != u'\'' || *after != u')') {
        record(rule->unclosed);
        m_Cursor = after;
        break;
      }
      m_Cursor = SkipBlanks(after + 1);
      break;
    }
    case Method::Find: {
      const char16_t* p = SkipBlanks(m_Cursor);
      if (*p != u'\'' && *p != u'[') record(rule->unclosed);
      m_Cursor = SkipTo(p, u')');
      if (*m_Cursor == u')') m_Cursor = SkipBlanks(m_Cursor + 1);
      break;
    }
    case Method::Refer: {
      // refer(n, n, n)
      int numbers = 0;
      bool inNumber = false;
      const char16_t* p = m_Cursor;
      for (; *p != 0 && *p != u')'; ++p) {
        if (IsDigit(*p)) {
          if (!inNumber) ++numbers;
          inNumber = true;
        } else if (*p == u',') {
          inNumber = false;
        }
      }
      if (*p == 0) {
        record(rule->unclosed);
        m_Cursor = p;
        break;
      }
      if (numbers != 3) record(u"[%s].refer の　引数の数が正しくありません");
      m_Cursor = SkipBlanks(p + 1);
      break;
    }
    case Method::Element:
      m_Cursor = SkipTo(m_Cursor, u')');
      if (*m_Cursor == u')') m_Cursor = SkipBlanks(m_Cursor + 1);
      break;
  }
}

bool CMacroCheck::CheckFunction() {
  const char16_t first = *m_Cursor;
  if (first == 0 || first == u'\'' || first == u'(' || first == u'-' || IsDigit(first)) return false;
  if (!macro_scan::IsCallToken(m_Cursor)) return false;

  const FunctionRule* rule = macro_scan::FindPrefixed(kFunctions, m_Cursor);
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
      if (rule->unclosed != nullptr) Record(CString(rule->unclosed));
      m_Cursor = close;
      return;
    }
    m_Cursor = close + 1;
  };

  switch (rule->function) {
    case Function::Round: {
      // round(value, digits, mode)
      m_CommaEndsNumber = 1;
      CheckAdditive();
      m_CommaEndsNumber = 0;
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor != u',') {
        Record(CString(u"round の　','  が対応していません"));
        closeCall();
        break;
      }
      m_Cursor = PassInteger(SkipBlanks(m_Cursor + 1));
      m_Cursor = SkipBlanks(m_Cursor);
      if (*m_Cursor != u',') {
        Record(CString(u"round の　','  が対応していません"));
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
    case Function::Abs:
    case Function::Log10:
    case Function::Sin:
    case Function::Cos:
    case Function::Tan:
    case Function::Val:
    case Function::Vtoa:
      CheckAdditive();
      closeCall();
      break;
    case Function::MinData:
    case Function::MaxData:
      // field references up to ')'; other characters are passed over
      for (;;) {
        if (*m_Cursor == u')') {
          ++m_Cursor;
          break;
        }
        if (*m_Cursor == 0) {
          Record(CString(rule->unclosed));
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
    case Function::Repeat: {
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
    case Function::Sum:
    case Function::TimeSum:
      closeCall();
      break;
    case Function::TimeSpan:
      closeCall();
      return false;
    case Function::Accumu:
    case Function::Ratio:
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
