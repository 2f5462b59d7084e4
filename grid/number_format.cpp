// Display patterns for numbers: FormatNumberCore and FormatNumber.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "grid/number_text.h"
#include "grid/text_width.h"
#include "platform/int_text.h"

namespace {

// Longest padding or decimal count a pattern may ask for: a pattern holds at
// most 30 characters, but "0#999999999" would otherwise ask for a gigabyte.
constexpr int kMaxPadding = 100;
constexpr int kMaxPatternLength = 30;

bool IsDigitPlace(char16_t c) { return c == u'#' || c == u'Z' || c == u'P' || c == u'B'; }

// The unsigned number written at pos (0 when there is none), capped.
int NumberAt(const CString& text, int pos) {
  int n = 0;
  for (int i = pos; i < text.GetLength() && IsAsciiDigit(text[i]); ++i) {
    n = n * 10 + (text[i] - u'0');
    if (n > kMaxPadding) n = kMaxPadding;
  }
  return n;
}

// Integer part of x by its decimal text, for magnitudes beyond 32-bit integers.
double IntegerPartByText(double x) {
  CString text = FormatDouble(x);
  const int dot = text.Find(u'.');
  if (dot >= 0) text.Truncate(dot);
  const std::string ascii = text.ToUtf8();
  double v = 0;
  std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  return v;
}

// Decimals of a number text set to exactly `count`, filled with `fill`.
CString FitDecimals(CString text, int count, char16_t fill) {
  int dot = text.Find(u'.');
  if (dot < 0) {
    dot = text.GetLength();
    text += u'.';
  }
  const int have = text.GetLength() - dot - 1;
  if (have > count) {
    text.Truncate(dot + 1 + count);
  } else if (have < count) {
    text += CString(fill, count - have);
  }
  return text;
}

// Exactly `count` decimals; the blank styles fill with blanks instead of
// zeros. Style B turns trailing zero decimals into blanks; with no decimal
// left, B drops the point and b blanks it.
CString FitBlankDecimals(const CString& number, int count, char16_t blankStyle) {
  CString out = FitDecimals(number, count, blankStyle ? u' ' : u'0');
  const int point = out.Find(u'.');
  if (blankStyle == u'B') {
    for (int i = out.GetLength() - 1; i > point && out[i] == u'0'; --i) out.SetAt(i, u' ');
  }
  bool onlyBlanksAfter = true;
  for (int i = point + 1; i < out.GetLength(); ++i) onlyBlanksAfter = onlyBlanksAfter && out[i] == u' ';
  if (onlyBlanksAfter && blankStyle == u'B') out.Delete(point);
  if (onlyBlanksAfter && blankStyle == u'b') out.SetAt(point, u' ');
  return out;
}

// "," before every group of three integer digits, counted from the point.
CString GroupThousands(const CString& number) {
  int start = 0;
  while (start < number.GetLength() && !IsAsciiDigit(number[start])) ++start;
  int end = start;
  while (end < number.GetLength() && IsAsciiDigit(number[end])) ++end;
  CString out = number.Left(start);
  for (int i = start; i < end; ++i) {
    if (i > start && (end - i) % 3 == 0) out += u',';
    out += number[i];
  }
  out += number.Mid(end);
  return out;
}

enum class SignOption { kNone, kWhiteTriangle, kBlackTriangle, kParenNegative, kParenAlways };

struct SignOptionText {
  const char16_t* text;
  SignOption option;
};
constexpr SignOptionText kSignOptions[] = {
    {u"△", SignOption::kWhiteTriangle},
    {u"▲", SignOption::kBlackTriangle},
    {u"(-)", SignOption::kParenNegative},
    {u"(*)", SignOption::kParenAlways},
};
static_assert(std::size(kSignOptions) == 4);

void DropLeadingBlank(CString& text) {
  if (!text.IsEmpty() && text[0] == u' ') text.Delete(0);
}

// Parentheses around the text, the opening one before a currency sign.
CString Parenthesize(const CString& text) {
  CString out = text;
  const int yen = out.Find(u'\\');
  out.Insert(yen >= 0 ? yen : 0, u'(');
  out += u')';
  return out;
}

CString ApplySignOption(CString result, SignOption option) {
  switch (option) {
    case SignOption::kNone:
      break;
    case SignOption::kParenAlways:
      result.TrimLeft(u' ');
      result = Parenthesize(result);
      break;
    case SignOption::kParenNegative: {
      const int minus = result.Find(u'-');
      if (minus >= 0) {
        result.Delete(minus);
        DropLeadingBlank(result);
        result = Parenthesize(result);
      }
      break;
    }
    case SignOption::kWhiteTriangle:
    case SignOption::kBlackTriangle: {
      const int minus = result.Find(u'-');
      if (minus >= 0) {
        result.SetAt(minus, option == SignOption::kWhiteTriangle ? u'△' : u'▲');
        DropLeadingBlank(result);
      }
      break;
    }
  }
  return result;
}

// Integer part toward zero written with at least `width` characters, zeros
// after the sign (printf's %0<width>d).
CString ZeroPaddedInteger(double x, int width) {
  CString digits = FormatDouble(std::trunc(x));
  CString sign;
  if (!digits.IsEmpty() && digits[0] == u'-') {
    sign = u"-";
    digits.Delete(0);
  }
  const int pad = width - sign.GetLength() - digits.GetLength();
  return sign + (pad > 0 ? CString(u'0', pad) : CString()) + digits;
}

}  // namespace

CString FormatNumberCore(double x, const CString& pattern) {
  if (!std::isfinite(x)) return FormatDouble(x);
  double a = std::fabs(x) > 2.1e9 ? IntegerPartByText(x) : static_cast<double>(TruncNudged(x));
  // A rest within 1e-9 of a whole unit belongs to the next unit.
  if (x < 0) {
    if (x - a > -1 && (x - a) - 1e-9 <= -1) a -= 1;
  } else {
    if (x - a < 1 && (x - a) + 1e-9 >= 1) a += 1;
  }

  CString out = pattern;
  const int length = pattern.GetLength();
  const int dot = pattern.Find(u'.');
  const int places = dot < 0 ? length : dot;

  const CString whole = (a == 0 && x < 0) ? CString(u"-0") : FormatDouble(a);
  const CString aligned = AlignRightColumns(whole, places);
  int j = aligned.GetLength() - 1;
  for (int i = places - 1; i >= 0; --i) {
    const char16_t c = pattern[i];
    if (IsDigitPlace(c)) {
      out.SetAt(i, j >= 0 ? aligned[j--] : u' ');
    } else if (c == u',' || c == u' ') {
      if (j >= 0 && aligned[j] == u'-') {
        out.SetAt(i, u'-');
        --j;
      } else if (c == u',') {
        bool digitsLeft = false;
        for (int k = 0; k <= j; ++k) digitsLeft = digitsLeft || aligned[k] != u' ';
        if (!digitsLeft) out.SetAt(i, u' ');
      }
    }
  }

  if (dot >= 0 && dot + 1 < length) {
    CString digits;
    int point = 0;
    bool negative = false;
    GuardedFcvt(digits, x, 10, point, negative);
    if (point < 0) {
      digits = CString(u'0', -point) + digits;
      point = 0;
    }
    const CString decimals = digits.Mid(point);
    constexpr int kDigitPlaces = 10;
    int k = 0;
    for (int i = dot + 1; i < length; ++i) {
      if (!IsDigitPlace(pattern[i])) continue;
      const bool hasDigit = k < kDigitPlaces && k < decimals.GetLength();
      out.SetAt(i, hasDigit ? decimals[k] : u'0');
      ++k;
    }
  }

  const bool hasB = pattern.Find(u'B') >= 0;
  const bool hasP = pattern.Find(u'P') >= 0;
  if (x > -1e-8 && x < 1e-8 && (hasB || hasP || pattern.Find(u'Z') >= 0)) {
    out = CString(u' ', length);
    if (length > 0 && hasB) {
      out.SetAt(length - 1, u'-');
    } else if (length > 0 && hasP) {
      out.SetAt(length - 1, u'\xFF65');
    }
  }
  return out;
}

CString FormatNumber(double x, const CString& patternIn) {
  CString pattern = patternIn;
  TrimRightBlanks(pattern);
  if (pattern.IsEmpty()) return FormatDouble(x);
  if (pattern == u"\\") return u"\\" + FormatDouble(x);
  if (pattern.GetLength() > kMaxPatternLength) return CString();

  SignOption sign = SignOption::kNone;
  for (const SignOptionText& option : kSignOptions) {
    const int at = pattern.Find(option.text);
    if (at >= 0) {
      pattern.Delete(at, WideLength(option.text));
      sign = option.option;
      break;
    }
  }
  const bool zeroIsEmpty = pattern.Find(u'Z') >= 0 && x == 0;
  const bool zeroPadded =
      pattern.GetLength() >= 2 && pattern[0] == u'0' &&
      (pattern[1] == u'#' || (IsAsciiDigit(pattern[1]) && NumberAt(pattern, 1) > 0));

  CString result;
  if (pattern.Left(2) != u"0#" && (pattern.Find(u'#') >= 0 || pattern == u"Z")) {
    // Digit places: the pattern up to its last place, then literal text.
    if (zeroIsEmpty) return CString();
    const int last = std::max(pattern.ReverseFind(u'#'), pattern.ReverseFind(u'Z'));
    result = FormatNumberCore(x, pattern.Left(last + 1)) + pattern.Mid(last + 1);
    if (result.Find(u'\\') >= 0) {
      CString rest = result.Mid(1);
      rest.TrimLeft(u' ');
      result = result.Left(1) + rest;
    }
  } else if (zeroPadded) {
    if (zeroIsEmpty) return CString();
    int width;
    if (pattern[1] == u'#') {
      width = NumberAt(pattern, 2) + (x < 0 ? 1 : 0);
    } else {
      width = NumberAt(pattern, 1);
    }
    result = ZeroPaddedInteger(x, width);
  } else if (pattern[0] == u'%') {
    result = FormatDouble(x * 100);
    if (pattern.Left(2) == u"%.") {
      const int n = NumberAt(pattern, 2);
      if (n > 0) result = FitDecimals(result, n, u'0');
    }
    result += u'%';
  } else {
    // A prefix, "," for grouping and ".n", ".Bn" or ".bn" for decimals.
    int decimals = 0;
    char16_t blankStyle = 0;
    int at;
    if ((at = pattern.Find(u".B")) >= 0) {
      decimals = NumberAt(pattern, at + 2);
      blankStyle = u'B';
    } else if ((at = pattern.Find(u".b")) >= 0) {
      decimals = NumberAt(pattern, at + 2);
      blankStyle = u'b';
    } else if ((at = pattern.Find(u'.')) >= 0) {
      decimals = NumberAt(pattern, at + 1);
    }
    if (zeroIsEmpty) return CString();
    const int comma = pattern.Find(u',');
    const int dot = pattern.Find(u'.');
    CString prefix;
    CString number;
    if (comma >= 0) {
      prefix = pattern.Left(comma);
      number = GroupThousands(decimals == 0 ? FormatDouble(x) : FormatDoubleNudged(x));
    } else if (dot >= 0) {
      prefix = pattern.Left(dot);
      number = FormatDoubleNudged(x);
    } else {
      result = pattern + FormatDouble(x);
      if (sign == SignOption::kNone || sign == SignOption::kParenAlways) return result;
      return ApplySignOption(result, sign);
    }
    if (decimals > 0) number = FitBlankDecimals(number, decimals, blankStyle);
    result = prefix + number;
  }
  return ApplySignOption(result, sign);
}
