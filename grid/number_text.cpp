#include "grid/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

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

// Significant digits and point position of a fixed-point or scientific text, in
// a buffer on the stack: the longest is 309 digits before the point and
// kMaxDecimals after it.
constexpr int kMaxDecimals = 400;
struct Digits {
  char d[320 + kMaxDecimals];
  int n = 0;
  std::string_view View() const noexcept { return std::string_view(d, static_cast<size_t>(n)); }
};

// Fixed-point text "ddd.ddd" of a ({>= 0}) with `decimals` places, split into
// significant digits and the point position.
void FixedDigits(double a, int decimals, Digits& digits, int& point) {
  digits.n = 0;
  point = 0;
  char text[sizeof(Digits::d) + 2];
  const auto res = std::to_chars(text, text + sizeof(text), a, std::chars_format::fixed, decimals);
  const int length = static_cast<int>(res.ptr - text);
  int dot = 0;
  while (dot < length && text[dot] != '.') ++dot;
  const int fracStart = dot < length ? dot + 1 : length;
  if (!(dot == 1 && text[0] == '0')) {
    for (int i = 0; i < dot; ++i) digits.d[digits.n++] = text[i];
    for (int i = fracStart; i < length; ++i) digits.d[digits.n++] = text[i];
    point = dot;
    return;
  }
  int first = fracStart;
  while (first < length && text[first] == '0') ++first;
  if (first == length) return;  // every digit is zero
  for (int i = first; i < length; ++i) digits.d[digits.n++] = text[i];
  point = -(first - fracStart);
}

// Digits of a (>= 0) rounded to `count` significant digits.
void SignificantDigits(double a, int count, Digits& digits, int& point) {
  digits.n = 0;
  point = 0;
  if (count <= 0 || a == 0) return;
  count = std::min(count, static_cast<int>(sizeof(Digits::d)));  // never more than 309 here
  char text[sizeof(Digits::d) + 16];
  const auto res = std::to_chars(text, text + sizeof(text), a, std::chars_format::scientific, count - 1);
  const char* e = text;
  while (e < res.ptr && *e != 'e') ++e;
  for (const char* p = text; p < e; ++p) {
    if (*p != '.') digits.d[digits.n++] = *p;
  }
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exponent);
  point = exponent + 1;
}

// GuardedFcvt into a buffer; false for a value that is not finite.
bool FcvtDigits(double value, int decimals, Digits& digits, int& point, bool& negative) {
  digits.n = 0;
  point = 0;
  negative = std::signbit(value);
  if (!std::isfinite(value)) return false;
  const double a = std::fabs(value);
  // Decimals beyond what a double can carry add only zeros.
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  int p = 0;
  if (decimals >= 0) {
    FixedDigits(a, decimals, digits, p);
  } else {
    FixedDigits(a, 0, digits, p);
    SignificantDigits(a, p + decimals, digits, p);
  }
  if (digits.n > 0 && p + decimals > 14) {
    const int again = 15 - p;
    if (again >= 0) {
      FixedDigits(a, again, digits, p);
    } else {
      SignificantDigits(a, 15, digits, p);
    }
  }
  point = p;
  return true;
}

// The text of BuildDecimalText, unit by unit through put.
template <typename Text, typename Put>
void WriteDecimalText(double x, const Text& digits, int point, Put put) {
  const int n = static_cast<int>(digits.size());
  if (x < 0) put(u'-');
  if (point <= 0) {
    put(u'0');
    put(u'.');
    for (int i = point; i < 0; ++i) put(u'0');
    for (int i = 0; i < n; ++i) put(static_cast<char16_t>(digits[static_cast<size_t>(i)]));
    return;
  }
  for (int i = 0; i < n && i < point; ++i) put(static_cast<char16_t>(digits[static_cast<size_t>(i)]));
  if (n < point) {
    for (int i = n; i < point; ++i) put(u'0');
    return;
  }
  put(u'.');
  for (int i = point; i < n; ++i) put(static_cast<char16_t>(digits[static_cast<size_t>(i)]));
}

// The text FormatDouble gives for a (>= 0, below 1e15) worked out exactly in
// integers, added to out and n: a is m * 2^e, so a * 10^d rounded to a whole
// number is m * 10^d shifted right with the bits shifted out deciding. False for
// an exact half (left to the runtime's own rounding) and for tiny values.
bool ExactDecimalText(double a, char16_t* out, int& n) {
  if (!(a < 1e15)) return false;
  int exponent = 0;
  const double fraction = std::frexp(a, &exponent);
  const auto m = static_cast<uint64_t>(std::ldexp(fraction, 53));  // a = m * 2^(exponent - 53)
  const int shift = 53 - exponent;
  static constexpr uint64_t kPowers[] = {1,          10,          100,          1000,          10000,         100000,
                                         1000000,    10000000,    100000000,    1000000000,    10000000000};
  // a * 10^decimals rounded to the nearest whole number.
  using Wide = unsigned __int128;  // m * 10^10 needs 87 bits
  const auto scaled = [&](int decimals, Wide& value) {
    const Wide product = static_cast<Wide>(m) * kPowers[decimals];
    if (shift <= 0) {
      value = product << -shift;
      return true;
    }
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    const Wide rest = product & ((half << 1) - 1);
    value = product >> shift;
    if (rest == half) return false;
    if (rest > half) ++value;
    return true;
  };
  if (a != 0 && shift > 120) return false;
  // GuardedFcvt(a, 10): 10 decimals, 15 digits in all from 10000 on.
  Wide value = 0;
  int decimals = 10;
  if (!scaled(decimals, value)) return false;
  int whole = 0;
  for (Wide w = value / kPowers[10]; w != 0; w /= 10) ++whole;
  if (whole > 15) return false;
  if (whole + decimals > 14) {
    decimals = 15 - whole;
    if (!scaled(decimals, value)) return false;
  }
  // Whole part, then the decimals without their trailing zeros; below 10^15 now.
  uint64_t fractionPart = static_cast<uint64_t>(value) % kPowers[decimals];
  uint64_t wholePart = static_cast<uint64_t>(value) / kPowers[decimals];
  char16_t digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + wholePart % 10);
    wholePart /= 10;
  } while (wholePart != 0);
  while (count > 0) out[n++] = digits[--count];
  while (decimals > 0 && fractionPart % 10 == 0) {
    fractionPart /= 10;
    --decimals;
  }
  if (decimals > 0) {
    out[n++] = u'.';
    for (int i = decimals - 1; i >= 0; --i) {
      out[n + i] = static_cast<char16_t>(u'0' + fractionPart % 10);
      fractionPart /= 10;
    }
    n += decimals;
  }
  return true;
}

int CopyText(std::u16string_view text, char16_t* out) {
  for (size_t i = 0; i < text.size(); ++i) out[i] = text[i];
  return static_cast<int>(text.size());
}

}  // namespace

bool GuardedFcvt(CString& digits, double value, int decimals, int& point, bool& negative) {
  Digits d;
  const bool finite = FcvtDigits(value, decimals, d, point, negative);
  char16_t* out = digits.GetBuffer(d.n);
  for (int i = 0; i < d.n; ++i) out[i] = static_cast<char16_t>(static_cast<unsigned char>(d.d[i]));
  digits.ReleaseBuffer(d.n);
  return finite;
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
  WriteDecimalText(x, digits.View(), point, [&out](char16_t c) { out += c; });
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

int FormatDoubleInto(double x, char16_t* out) {
  if (std::isnan(x)) return CopyText(u"nan", out);
  if (std::isinf(x)) return CopyText(x < 0 ? u"-inf" : u"inf", out);
  int n = 0;
  if (x < 0) out[n++] = u'-';
  const int sign = n;
  if (ExactDecimalText(std::fabs(x), out, n)) {
    if (n == sign + 1 && out[sign] == u'0') return CopyText(u"0", out);  // no "-0"
    return n;
  }
  n = 0;
  Digits digits;
  int point = 0;
  bool negative = false;
  FcvtDigits(x, 10, digits, point, negative);
  WriteDecimalText(x, digits.View(), point, [out, &n](char16_t c) { out[n++] = c; });
  // StripTrailingZeros: no blanks come here, and the text always holds a point
  // unless it is a whole number.
  const std::u16string_view text(out, static_cast<size_t>(n));
  if (text.find(u'.') != std::u16string_view::npos) {
    while (n > 0 && out[n - 1] == u'0') --n;
    if (n > 0 && out[n - 1] == u'.') --n;
  }
  if (n == 2 && out[0] == u'-' && out[1] == u'0') return CopyText(u"0", out);
  return n;
}

CString FormatDouble(double x) {
  char16_t text[kMaxDoubleText];
  return CString(std::u16string_view(text, static_cast<size_t>(FormatDoubleInto(x, text))));
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
  char taken[kMaxLength];  // one character at most for each unit read
  int length = 0;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (c == u',' || c == u'\\') continue;
    if (c == u'-' || c == u'.' || (c >= u'0' && c <= u'9')) {
      taken[length++] = static_cast<char>(c);
      continue;
    }
    if (c == u'▲' || c == u'△') {
      taken[length++] = '-';
      // "▲ 100": the blank belongs to the sign, it does not end the number.
      if (i + 1 < n && (text[i + 1] == u' ' || text[i + 1] == u'\x3000')) ++i;
      continue;
    }
    break;
  }
  // What from_chars reads of it: a sign, digits, a point and digits. Up to 2^53
  // with at most 22 decimals the value is one exact integer divided by one exact
  // power of ten, which rounds as from_chars does; other numbers go to it.
  int at = length > 0 && taken[0] == '-' ? 1 : 0;
  uint64_t digits = 0;
  int count = 0, decimals = 0;
  bool point = false;
  for (; at < length; ++at) {
    const char c = taken[at];
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9' && count < 18) {
      digits = digits * 10 + static_cast<uint64_t>(c - '0');
      ++count;
      decimals += point ? 1 : 0;
    } else {
      break;
    }
  }
  const bool stopped = at < length && taken[at] >= '0' && taken[at] <= '9';  // 18 digits and more
  if (count == 0) return 0;
  if (!stopped && digits <= (uint64_t{1} << 53) && decimals <= 22) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double value = static_cast<double>(digits) / kPowers[decimals];
    return taken[0] == '-' ? -value : value;
  }
  double value = 0;
  const auto res = std::from_chars(taken, taken + length, value);
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
