#pragma once
// The one reading of code points out of UTF-16 text, and their writing.

#include <string>
#include <string_view>

inline constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
inline constexpr bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

struct CodePointRead {
  char32_t value = 0;  // the code point; a lone surrogate stands for itself
  int units = 0;       // code units it spans: 1, 2 for a pair, 0 at or past the end
};

// The code point that starts at text[index].
inline CodePointRead ReadCodePoint(std::u16string_view text, size_t index) {
  if (index >= text.size()) return {};
  const char16_t c = text[index];
  if (IsHighSurrogate(c) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
    return {0x10000 + ((char32_t{c} - 0xD800) << 10) + (char32_t{text[index + 1]} - 0xDC00), 2};
  }
  return {c, 1};
}

// Appends a code point (at most U+10FFFF) as one or two code units.
inline void AppendCodePoint(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}
