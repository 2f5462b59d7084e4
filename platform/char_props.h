#pragma once
// Character properties and width mappings of the text layer.
//
// Half-width: East Asian Width Narrow or Halfwidth, and every ASCII code (controls
// included). Everything else, unassigned code points and surrogates included, is
// full-width: two display columns.

#include <string_view>

#include "platform/cstring.h"

// True when the character takes one display column.
bool IsHalfWidthChar(char32_t c);
// True when the code point is assigned in Unicode, or is a surrogate code unit.
bool IsDefinedChar(char32_t c);

// Display columns of the character starting at text[index]: a surrogate pair is one
// character of two columns. units (if given) receives the code units it spans (1 or 2,
// 0 at or past the end, where the width is 0).
int CharWidthAt(std::u16string_view text, size_t index, int* units = nullptr);

// Full-width forms: ASCII "!" to "~" become U+FF01 to U+FF5E, the blank U+3000,
// half-width katakana full-width katakana (a kana followed by a half-width voiced or
// semi-voiced mark becomes the one voiced character), the half-width symbols
// U+FFE8-U+FFEE and the signs U+00A2 U+00A3 U+00A5 U+00A6 U+00AC U+00AF U+20A9
// their full-width forms. Everything else stays.
CString MapToFullWidth(std::u16string_view text);

// Half-width forms and katakana: hiragana become katakana, full-width ASCII, the
// ideographic blank and the full-width signs become their half-width forms,
// katakana and kana punctuation that have a half-width form take it. A voiced or
// semi-voiced katakana whose base has a half-width form becomes two characters,
// the base and the mark (ガ ｶﾞ, パ ﾊﾟ, ヴ ｳﾞ, ヷ ﾜﾞ, ヺ ｦﾞ); ヸ, ヹ and ヵ, ヶ stay.
CString MapToHalfWidthKatakana(std::u16string_view text);

// Simple (one to one) case mapping of a code point.
char32_t ToUpperChar(char32_t c);
char32_t ToLowerChar(char32_t c);
