#include "grid/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/int_text.h"

namespace {

// Correction against binary representation error, by magnitude of the value.
struct EpsilonStep {
  double below;
  double epsilon;
};
constexpr EpsilonStep kEpsilonSteps[] = {
    {1e1, 1e-14},  {1e2, 1e-13},  {1e3, 1e-12},  {1e4, 1e-11}, {1e5, 1e-10},
    {1e6, 1e-9},   {1e7, 1e-8},   {1e8, 1e-7},   {1e9, 1e-6},  {1e10, 1e-5},
    {1e11, 1e-4},  {1e12, 1e-3},  {1e13, 1e-2},  {1e15, 0.1},
};
static_assert(std::size(kEpsilonSteps) == 14);
constexpr double kEpsilonAbove = 1.0;  // 1e15 and above

double MagnitudeEpsilon(double x) {
  const double m = std::fabs(x);
  for (const EpsilonStep& step : kEpsilonSteps) {
    if (m < step.below) return step.epsilon;
  }
  return kEpsilonAbove;
}

bool IsBlankOrControl(char16_t c) { return c == u' ' || c == u'\x3000' || (c >= 1 && c <= 13); }

int64_t SaturatedInt64(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = 9.2e18;
  if (v >= kLimit) return std::numeric_limits<int64_t>::max();
  if (v <= -kLimit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

// Fixed-point text "ddd.ddd" of a ({>= 0}) with `decimals` places, split into
// significant digits and the point position.
void FixedDigits(double a, int decimals, std::string& digits, int& point) {
  digits.clear();
  point = 0;
  std::string text(340 + static_cast<size_t>(decimals), '\0');
  auto res = std::to_chars(text.data(), text.data() + text.size(), a, std::chars_format::fixed,
                           decimals);
  text.resize(res.ptr - text.data());
  const size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  if (whole != "0") {
    digits = whole + frac;
    point = static_cast<int>(whole.size());
    return;
  }
  size_t zeros = 0;
  while (zeros < frac.size() && frac[zeros] == '0') ++zeros;
  if (zeros == frac.size()) return;  // every digit is zero
  digits = frac.substr(zeros);
  point = -static_cast<int>(zeros);
}

// Digits of a (>= 0) rounded to `count` significant digits.
void SignificantDigits(double a, int count, std::string& digits, int& point) {
  digits.clear();
  point = 0;
  if (count <= 0 || a == 0) return;
  std::string text(count + 40, '\0');
  auto res = std::to_chars(text.data(), text.data() + text.size(), a,
                           std::chars_format::scientific, count - 1);
  text.resize(res.ptr - text.data());
  const size_t e = text.find('e');
  for (size_t i = 0; i < e; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  point = std::stoi(text.substr(e + 1)) + 1;
}

CString Ascii(const std::string& s) {
  CString out;
  char16_t* p = out.GetBuffer(static_cast<int>(s.size()));
  for (size_t i = 0; i < s.size(); ++i) p[i] = static_cast<char16_t>(static_cast<unsigned char>(s[i]));
  out.ReleaseBuffer(static_cast<int>(s.size()));
  return out;
}

}  // namespace

bool GuardedFcvt(CString& digits, double value, int decimals, int& point, bool& negative) {
  digits.Empty();
  point = 0;
  negative = std::signbit(value);
  if (!std::isfinite(value)) return false;
  const double a = std::fabs(value);
  // Decimals beyond what a double can carry add only zeros.
  constexpr int kMaxDecimals = 400;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  std::string d;
  int p = 0;
  if (decimals >= 0) {
    FixedDigits(a, decimals, d, p);
  } else {
    std::string probe;
    FixedDigits(a, 0, probe, p);
    SignificantDigits(a, p + decimals, d, p);
  }
  if (!d.empty() && p + decimals > 14) {
    const int again = 15 - p;
    if (again >= 0) {
      FixedDigits(a, again, d, p);
    } else {
      SignificantDigits(a, 15, d, p);
    }
  }
  digits = Ascii(d);
  point = p;
  return true;
}

int64_t DigitsIntegerPart(double x) {
  CString digits;
  int point = 0;
  bool negative = false;
  if (!GuardedFcvt(digits, x, 10, point, negative) || point <= 0) return 0;
  if (point > 18) return std::numeric_limits<int64_t>::max();
  int64_t n = 0;
  for (int i = 0; i < point; ++i) {
    const int d = i < digits.GetLength() ? digits[i] - u'0' : 0;
    n = n * 10 + d;
  }
  return n;
}

int64_t TruncNudged(double x) {
  if (x > 0) x += MagnitudeEpsilon(x);
  if (x < 0) x -= MagnitudeEpsilon(x);
  return SaturatedInt64(std::trunc(x));
}

CString BuildDecimalText(double x, const CString& digits, int point) {
  CString out;
  if (x < 0) out += u'-';
  if (point <= 0) {
    out += u"0.";
    for (int i = point; i < 0; ++i) out += u'0';
    out += digits;
    return out;
  }
  if (digits.GetLength() < point) {
    out += digits;
    for (int i = digits.GetLength(); i < point; ++i) out += u'0';
    return out;
  }
  out += digits.Left(point);
  out += u'.';
  out += digits.Mid(point);
  return out;
}

int StripTrailingZeros(CString& text) {
  int n = text.GetLength();
  while (n > 0 && IsBlankOrControl(text[n - 1])) --n;
  text.Truncate(n);
  if (text.Find(u'.') >= 0) {
    while (n > 0 && text[n - 1] == u'0') --n;
    if (n > 0 && text[n - 1] == u'.') --n;
    text.Truncate(n);
  }
  return n;
}

CString FormatDouble(double x) {
  if (std::isnan(x)) return CString(u"nan");
  if (std::isinf(x)) return CString(x < 0 ? u"-inf" : u"inf");
  CString digits;
  int point = 0;
  bool negative = false;
  GuardedFcvt(digits, x, 10, point, negative);
  CString text = BuildDecimalText(x, digits, point);
  StripTrailingZeros(text);
  if (text == u"-0") text = u"0";
  return text;
}

CString FormatDoubleNudged(double x) {
  if (x > 0) x += 1e-11;
  if (x < 0) x -= 1e-11;
  return FormatDouble(x);
}

CString FormatZeroPadded(int value, int width) {
  if (width <= 0) return CString();
  const CString number = CString::Build(u"%d", value);
  if (number.GetLength() >= width) return number.Right(width);
  return CString(u'0', width - number.GetLength()) + number;
}

double ReadDouble(const char16_t* p) {
  while (IsRuntimeBlank(*p)) ++p;
  // Collect the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
  std::string s;
  if (*p == u'+' || *p == u'-') s += char(*p++);
  int digits = 0;
  for (; IsAsciiDigit(*p); ++p, ++digits) s += char(*p);
  if (*p == u'.') {
    s += '.';
    for (++p; IsAsciiDigit(*p); ++p, ++digits) s += char(*p);
  }
  if (digits == 0) return 0.0;
  if (*p == u'e' || *p == u'E') {
    const char16_t* q = p + 1;
    std::string exponent = "e";
    if (*q == u'+' || *q == u'-') exponent += char(*q++);
    if (IsAsciiDigit(*q)) {
      // Leading zeros carry no weight; past seven digits the value is out of range anyway.
      while (*q == u'0' && IsAsciiDigit(q[1])) ++q;
      for (; IsAsciiDigit(*q); ++q) {
        if (exponent.size() < 9) exponent += char(*q);
      }
      s += exponent;
    }
  }
  // from_chars does not follow the locale, unlike strtod.
  const char* first = s.c_str();
  if (*first == '+') ++first;
  double value = 0.0;
  const std::errc ec = std::from_chars(first, s.c_str() + s.size(), value).ec;
  if (ec == std::errc::result_out_of_range) {
    // Overflow reads as infinity and underflow as zero, as the runtime does:
    // the magnitude is the count of integer digits plus the exponent.
    const bool negative = s[0] == '-';
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    long magnitude = 0;
    while (i < s.size() && s[i] == '0') ++i;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++magnitude;
    const size_t e = s.find('e');
    if (e != std::string::npos) magnitude += std::strtol(s.c_str() + e + 1, nullptr, 10);
    if (magnitude > 0) return negative ? -HUGE_VAL : HUGE_VAL;
    return negative ? -0.0 : 0.0;
  }
  return value;
}

// number -> blanks* ( digit | "." | "-" | "," | "\" | sign blank? )* ; anything else ends it
double ParseNumberText(const CString& text) {
  constexpr int kMaxLength = 30;
  const int n = text.GetLength();
  if (n > kMaxLength) return 0;
  int i = 0;
  while (i < n && text[i] == u' ') ++i;
  std::string taken;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (c == u',' || c == u'\\') continue;
    if (c == u'-' || c == u'.' || (c >= u'0' && c <= u'9')) {
      taken += static_cast<char>(c);
      continue;
    }
    if (c == u'▲' || c == u'△') {
      taken += '-';
      // "▲ 100": the blank belongs to the sign, it does not end the number.
      if (i + 1 < n && (text[i + 1] == u' ' || text[i + 1] == u'\x3000')) ++i;
      continue;
    }
    break;
  }
  double value = 0;
  const auto res = std::from_chars(taken.data(), taken.data() + taken.size(), value);
  if (res.ec != std::errc()) return 0;
  return value;
}

bool IsNumberText(const CString& text) {
  const int n = text.GetLength();
  int i = 0;
  while (i < n && text[i] == u' ') ++i;
  const int first = i;
  // A percent sign needs a plain number before it: no blank, sign or grouping.
  bool plain = first == 0;
  bool seenPoint = false;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (c >= u'0' && c <= u'9') continue;
    if (c == u'.') {
      if (seenPoint) return false;
      seenPoint = true;
    } else if (c == u',') {
      plain = false;
    } else if ((c == u'-' || c == u'\\') && i == first) {
      plain = false;
    } else if (c == u'%') {
      if (i != n - 1 || !plain) return false;
    } else {
      return false;
    }
  }
  return true;
}

int IsNumberOrDateText(const CString& text) {
  const int n = text.GetLength();
  if (n == 0) return -1;
  int i = 0;
  while (i < n && text[i] == u' ') ++i;
  const int first = i;
  bool seenPoint = false;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if ((c >= u'0' && c <= u'9') || c == u' ' || c == u',' || c == u'/' || c == u':') continue;
    if (c == u'.') {
      if (seenPoint) return 0;
      seenPoint = true;
    } else if ((c == u'-' || c == u'\\') && i == first) {
    } else if (c == u'%' && !seenPoint) {
    } else {
      return 0;
    }
  }
  return 1;
}

double RoundingEpsilon(double x) {
  if (x == 0 || !std::isfinite(x)) return 0;
  CString digits;
  int point = 0;
  bool negative = false;
  GuardedFcvt(digits, x, 10, point, negative);
  if (digits.GetLength() < 15 || digits[14] != u'9') return 0;
  const double e = MagnitudeEpsilon(x);
  return x < 0 ? -e : e;
}

double RoundValue(int digit, double& value, int position) {
  if (!std::isfinite(value)) return value;
  // Beyond these the scale is infinite or zero anyway; the bound keeps the loop short.
  constexpr int kMaxPosition = 400;
  if (position > kMaxPosition) position = kMaxPosition;
  if (position < -kMaxPosition) position = -kMaxPosition;
  double f = 1;
  if (position <= 0) {
    for (int i = position; i < 1; ++i) f *= 10;
  } else {
    for (int i = 1; i < position; ++i) f *= 0.1;
  }
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);

  double h = digit;
  if (digit == 9) {
    constexpr double kNines[] = {9.99999, 9.9999, 9.999, 9.99, 9.9};
    static_assert(std::size(kNines) == 5);
    const int c = position <= 0 ? 1 - position : position - 1;
    h = c < 5 ? kNines[c] : 9;
  }
  double l = (f * magnitude + h) / 10;
  // A scale beyond the double range would give NaN; the value has no digits there to round.
  if (!std::isfinite(l)) return value;
  double result;
  if (l < 2.1e9) {
    if (digit == 0) l += RoundingEpsilon(l);
    result = static_cast<double>(DigitsIntegerPart(l)) * 10;
  } else {
    const double m = std::trunc(l / 1e9) * 1e9;
    result = std::trunc(l - m) * 10 + m * 10;
  }
  double rounded = f == 0 ? 0 : result / f;
  if (negative) rounded = -rounded;
  value = rounded;
  return rounded;
}
