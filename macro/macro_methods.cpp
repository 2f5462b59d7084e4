// Methods of field references: ".Left(3)", ".date(yy/mm/dd)" and the rest.

#include <array>
#include <string_view>

#include "grid/date_text.h"
#include "grid/number_text.h"
#include "grid/text_width.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "macro/macro_names.h"
#include "macro/macro_scan.h"
#include "platform/code_point.h"
#include "platform/int_text.h"
#include "platform/char_props.h"

using macro_scan::ReadQuoted;
using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {


// Readings of the digits 0 to 9.
constexpr std::array<std::u16string_view, 10> kDigitReadings = {
    u"ぜろ", u"いち", u"に", u"さん", u"よん", u"ご", u"ろく", u"しち", u"はち", u"きゅう"};

const char16_t kEndsParen[] = u") が対応していません";
const char16_t kBadArgCount[] = u"引数の数が異常です";

CString TrimWideSpace(const CString& text) {
  std::u16string_view v = text.View();
  size_t first = 0;
  while (first < v.size() && macro_scan::IsWideSpace(v[first])) ++first;
  size_t last = v.size();
  while (last > first && macro_scan::IsWideSpace(v[last - 1])) --last;
  return CString(v.substr(first, last - first));
}

CString Reading(const CString& text) {
  std::u16string_view v = text.View();
  CString out;
  for (size_t i = 0; i < v.size();) {
    if (i > 0) out += u"・";
    const char16_t c = v[i];
    if (c >= u'0' && c <= u'9') {
      const std::u16string_view r = kDigitReadings[c - u'0'];
      out.Append(r.data(), static_cast<int>(r.size()));
      ++i;
    } else {
      // A surrogate pair is one character.
      const int units = ReadCodePoint(v, i).units;
      out.Append(v.data() + i, units);
      i += units;
    }
  }
  return out;
}

CString Element(const CString& text, char16_t separator, int n) {
  if (n < 1) return CString();
  std::u16string_view v = text.View();
  size_t start = 0;
  for (int piece = 1;; ++piece) {
    const size_t end = separator == 0 ? std::u16string_view::npos : v.find(separator, start);
    if (piece == n) {
      return CString(v.substr(start, end == std::u16string_view::npos ? v.size() - start : end - start));
    }
    if (end == std::u16string_view::npos) return CString();
    start = end + 1;
  }
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Writes a date in the form ParseDateText reported: the units digit gives the
// year (1 two digits plain, 2 two digits padded, 3 whole), the tens digit the
// separators (0 none, 1 "/", 2 年月日).
CString WriteDateForm(int form, int year, int month, int day) {
  const int yearKind = form % 10;
  const int separators = form / 10;
  CString text;
  if (yearKind == 2) {
    text = CString::Build(u"%02d", year % 100);
  } else if (yearKind == 3) {
    text = CString::Build(u"%d", year);
  } else {
    text = CString::Build(u"%d", year % 100);
  }
  if (separators == 2) {
    text += CString::Build(u"年%d月%d日", month, day);
  } else if (separators == 1) {
    text += CString::Build(u"/%02d/%02d", month, day);
  } else {
    text += CString::Build(u"%02d%02d", month, day);
  }
  return text;
}

// Earliest and latest year a moved date may have.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2099;

// Moves the date in text by n units ("y" years, "m" months, "d" days; any other
// unit moves nothing but the date is written anew) and writes it in the form
// the text had. The text stays as it is when it is no date, when n is 10000 or
// more, or when the result lies outside the supported years. An impossible date
// raises its message.
void MoveDateText(CString& text, const CString& unit, int n) {
  int form = 0;
  DateTextError error = DateTextError::kNone;
  const int64_t time = ParseDateText(text, form, error);
  if (error != DateTextError::kNone) {
    throw CMacroError(CString::Build(u"日付が正しくありません　%s", text));
  }
  if (form == 0 || n >= 10000) return;
  int year = 0, month = 0, day = 0;
  TimeValueToDate(time, year, month, day);
  // Calendar arithmetic in 64 bits.
  long long y = year, m = month, d = day;
  if (unit == u"y") {
    y += n;
  } else if (unit == u"m") {
    y += n / 12;
    m += n % 12;
    if (m < 1) {
      m += 12;
      --y;
    } else if (m > 12) {
      m -= 12;
      ++y;
    }
  } else if (unit == u"d") {
    if (n < -(kLastYear - kFirstYear + 1) * 366) return;
    TimeValueToDate(DateToTimeValue(year, month, day + n), year, month, day);
    y = year;
    m = month;
    d = day;
  }
  if (y < kFirstYear || y > kLastYear) return;
  const int last = DaysInMonth(static_cast<int>(y), static_cast<int>(m));
  if (d > last) d = last;
  text = WriteDateForm(form, static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
}

}  // namespace

// method -> '.' name ['(' arguments ')']   (cursor at '.')
double CMacroEval::ApplyMethod() {
  const MacroMethodName* found = macro_scan::FindPrefixed(kMacroMethods, m_Cursor);
  if (found == nullptr || !found->evaluated) {
    // An unknown method is passed over up to a blank or ')'.
    while (*m_Cursor != 0 && *m_Cursor != u' ' && *m_Cursor != u')') ++m_Cursor;
    return PlainValue();
  }
  m_Cursor += found->name.size();

  // Moves past the next ')' when there is one (the argument-less methods).
  auto passParen = [&] {
    m_Cursor = SkipTo(m_Cursor, u')');
    if (*m_Cursor == u')') ++m_Cursor;
  };
  // The next ')' must come before the end.
  auto requireParen = [&](const char16_t* message) {
    const char16_t* p = SkipTo(m_Cursor, u')');
    if (*p == 0) throw CMacroError(message);
    m_Cursor = p + 1;
  };

  double value = 0.0;
  m_IsNumber = 0;
  switch (found->method) {
    case MacroMethod::Left: {
      const int n = TextToInt(m_Cursor);
      requireParen(kEndsParen);
      m_Text = n <= 0 ? CString() : m_Text.Left(n);
      break;
    }
    case MacroMethod::Mid: {
      const int a = TextToInt(m_Cursor);
      const char16_t* p = m_Cursor;
      while (*p != 0 && *p != u',' && *p != u')') ++p;
      if (*p == 0) throw CMacroError(kBadArgCount);
      if (a < 1) throw CMacroError(u"mid の第一引数は１以上を設定して下さい");
      const bool beyond = a > m_Text.GetLength();
      if (*p == u')') {
        m_Cursor = p + 1;
        m_Text = beyond ? CString() : m_Text.Mid(a - 1);
      } else {
        m_Cursor = p + 1;
        const int b = TextToInt(m_Cursor);
        requireParen(kEndsParen);
        m_Text = (beyond || b < 1) ? CString() : m_Text.Mid(a - 1, b);
      }
      break;
    }
    case MacroMethod::Right: {
      const int n = TextToInt(m_Cursor);
      requireParen(kEndsParen);
      m_Text = n <= 0 ? CString() : m_Text.Right(n);
      break;
    }
    case MacroMethod::Date: {
      const char16_t* end = SkipTo(m_Cursor, u')');
      if (*end == 0) throw CMacroError(kEndsParen);
      const CString pattern(m_Cursor, static_cast<int>(end - m_Cursor));
      m_Cursor = end + 1;
      CString formatted = FormatDateTime(m_Text, pattern);
      if (!formatted.IsEmpty()) m_Text = formatted;
      break;
    }
    case MacroMethod::AddDate: {
      // AddDate('unit', n | [field])
      const char16_t* open = SkipTo(m_Cursor, u'\'');
      if (*open == 0) throw CMacroError(kBadArgCount);
      const char16_t* close = SkipTo(open + 1, u'\'');
      if (*close == 0 || close[1] == 0) throw CMacroError(kBadArgCount);
      const CString unit(open + 1, static_cast<int>(close - open - 1));
      m_Cursor = close + 1;
      while (*m_Cursor == u' ' || *m_Cursor == u',') ++m_Cursor;
      const int n = *m_Cursor == u'[' ? TextToInt(ReadFieldArgument().View()) : TextToInt(m_Cursor);
      requireParen(kBadArgCount);
      MoveDateText(m_Text, unit, n);
      break;
    }
    case MacroMethod::Replace: {
      // replace('old', 'new'); everything up to the first quote is passed over
      const char16_t* p = SkipTo(m_Cursor, u'\'');
      if (*p == 0) throw CMacroError(kMacroQuoteMismatch);
      CString from, to;
      bool closed = false;
      p = ReadQuoted(p + 1, from, closed);
      if (!closed) throw CMacroError(kMacroQuoteMismatch);
      p = SkipBlanks(p);
      if (*p != u',') throw CMacroError(kMacroCommaMissing);
      p = SkipTo(p + 1, u'\'');
      if (*p == 0) throw CMacroError(kMacroQuoteMismatch);
      p = ReadQuoted(p + 1, to, closed);
      if (!closed) throw CMacroError(kMacroQuoteMismatch);
      p = SkipBlanks(p);
      if (*p == u')') ++p;
      m_Cursor = p;
      if (!from.IsEmpty()) m_Text.Replace(from, to);
      break;
    }
    case MacroMethod::Trim:
      passParen();
      m_Text = TrimWideSpace(m_Text);
      break;
    case MacroMethod::Len:
      passParen();
      value = GetDisplayWidth(m_Text);
      m_IsNumber = 1;
      break;
    case MacroMethod::ToMb:
      passParen();
      m_Text = ToFullWidth(m_Text);
      break;
    case MacroMethod::ToAsc:
      passParen();
      ToHalfWidthKana(m_Text);
      break;
    case MacroMethod::ToUpper:
      passParen();
      m_Text.MakeUpper();
      break;
    case MacroMethod::ToLower:
      passParen();
      m_Text.MakeLower();
      break;
    case MacroMethod::Using: {
      const char16_t kUsing[] = u"Using の書式は'で括ってください";
      const char16_t* p = SkipBlanks(m_Cursor);
      if (*p != u'\'') throw CMacroError(kUsing);
      const char16_t* close = SkipTo(p + 1, u'\'');
      if (*close == 0) throw CMacroError(kUsing);
      const CString pattern(p + 1, static_cast<int>(close - p - 1));
      p = SkipBlanks(close + 1);
      if (*p != u')') throw CMacroError(kUsing);
      m_Cursor = p + 1;
      m_Text = FormatNumber(ParseNumberText(m_Text), pattern);
      break;
    }
    case MacroMethod::Reading:
      m_Text = Reading(m_Text);
      break;
    case MacroMethod::Find: {
      m_Cursor = SkipBlanks(m_Cursor);
      CString pattern;
      if (*m_Cursor == u'\'') {
        bool closed = false;
        m_Cursor = ReadQuoted(m_Cursor + 1, pattern, closed);
      } else if (*m_Cursor == u'[') {
        pattern = ReadFieldArgument();
      } else {
        throw CMacroError(kMacroQuoteMismatch);
      }
      passParen();
      value = FindDisplayColumn(m_Text, pattern);
      m_IsNumber = 1;
      break;
    }
    case MacroMethod::Element: {
      // element('c' | [field], n | [field])
      m_Cursor = SkipBlanks(m_Cursor);
      char16_t separator = 0;
      if (*m_Cursor == u'\'') {
        separator = m_Cursor[1];
        m_Cursor += separator != 0 ? 2 : 1;
      } else if (*m_Cursor == u'[') {
        const CString cell = ReadFieldArgument();
        separator = cell.IsEmpty() ? char16_t(0) : cell[0];
      }
      m_Cursor = SkipTo(m_Cursor, u',');
      int n = 0;
      if (*m_Cursor == u',') {
        m_Cursor = SkipBlanks(m_Cursor + 1);
        n = *m_Cursor == u'[' ? TextToInt(ReadFieldArgument().View()) : TextToInt(m_Cursor);
      }
      passParen();
      m_Text = Element(m_Text, separator, n);
      break;
    }
    case MacroMethod::Refer:
      break;  // not evaluated: passed over above
  }
  return value;
}

int FindDisplayColumn(const CString& text, const CString& pattern) {
  if (text.IsEmpty()) return -1;
  const int position = text.Find(pattern);
  if (position < 0) return -1;
  return GetDisplayWidth(text.Left(position)) + CharWidthAt(text.View(), position) - 1;
}
