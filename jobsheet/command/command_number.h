#pragma once
// Numbers inside command values, read as a decimal integer: leading blanks skipped,
// an optional sign, digits up to the first non-digit; no digits give 0. Values
// beyond the int range stop at its ends.

#include <climits>
#include <cstdint>
#include <string_view>

inline bool IsCommandBlank(char16_t c) { return c == u' ' || (c >= 0x09 && c <= 0x0D); }

inline int ReadCommandNumber(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && IsCommandBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  constexpr int64_t kCap = int64_t{INT_MAX} + 1;
  int64_t value = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    value = value * 10 + (s[i] - u'0');
    if (value > kCap) value = kCap;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}
