#pragma once
// The one reading of a decimal integer written in text, as the C runtime reads it:
// leading blanks (space, tab to carriage return), an optional sign, then digits up
// to the first other character; no digits give 0; values beyond the int range stop
// at its ends.

#include <climits>
#include <cstdint>
#include <string_view>

constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsRuntimeBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// `found`, when given, tells whether a digit was there.
inline int TextToInt(std::u16string_view text, bool* found = nullptr) {
  size_t i = 0;
  while (i < text.size() && IsRuntimeBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  constexpr int64_t kCap = int64_t{INT_MAX} + 1;
  int64_t value = 0;
  const size_t first = i;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > kCap) value = kCap;
  }
  if (found) *found = i > first;
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}
