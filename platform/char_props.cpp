#include "platform/char_props.h"

#include <unicode/uchar.h>

#include <array>
#include <bitset>
#include <iterator>
#include <memory>

#include "platform/code_point.h"

namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr char16_t kHalfKanaToFull[] = {
    u'\u3002', u'\u300C', u'\u300D', u'\u3001', u'\u30FB', u'\u30F2', u'\u30A1', u'\u30A3',
    u'\u30A5', u'\u30A7', u'\u30A9', u'\u30E3', u'\u30E5', u'\u30E7', u'\u30C3', u'\u30FC',
    u'\u30A2', u'\u30A4', u'\u30A6', u'\u30A8', u'\u30AA', u'\u30AB', u'\u30AD', u'\u30AF',
    u'\u30B1', u'\u30B3', u'\u30B5', u'\u30B7', u'\u30B9', u'\u30BB', u'\u30BD', u'\u30BF',
    u'\u30C1', u'\u30C4', u'\u30C6', u'\u30C8', u'\u30CA', u'\u30CB', u'\u30CC', u'\u30CD',
    u'\u30CE', u'\u30CF', u'\u30D2', u'\u30D5', u'\u30D8', u'\u30DB', u'\u30DE', u'\u30DF',
    u'\u30E0', u'\u30E1', u'\u30E2', u'\u30E4', u'\u30E6', u'\u30E8', u'\u30E9', u'\u30EA',
    u'\u30EB', u'\u30EC', u'\u30ED', u'\u30EF', u'\u30F3', u'\u309B', u'\u309C',
};
static_assert(sizeof(kHalfKanaToFull) / sizeof(kHalfKanaToFull[0]) == 0xFF9F - 0xFF61 + 1);

// Signs with a full-width form elsewhere than U+FF01..U+FF5E.
struct SignPair {
  char16_t half, full;
};
constexpr SignPair kSigns[] = {
    {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'},
    {u'\u00AF', u'\uFFE3'}, {u'\u00A6', u'\uFFE4'}, {u'\u00A5', u'\uFFE5'},
    {u'\u20A9', u'\uFFE6'}, {u'\uFFE8', u'\u2502'}, {u'\uFFE9', u'\u2190'},
    {u'\uFFEA', u'\u2191'}, {u'\uFFEB', u'\u2192'}, {u'\uFFEC', u'\u2193'},
    {u'\uFFED', u'\u25A0'}, {u'\uFFEE', u'\u25CB'},
};
static_assert(sizeof(kSigns) / sizeof(kSigns[0]) == 14);

// Width bits of the basic plane, built once.
const std::bitset<0x10000>& HalfWidthTable() {
  static const std::unique_ptr<std::bitset<0x10000>> table = [] {
    auto t = std::make_unique<std::bitset<0x10000>>();
    for (char32_t c = 0; c < 0x10000; ++c) {
      if (IsSurrogate(c)) continue;
      if (c < 0x80) {
        t->set(c);
        continue;
      }
      int w = u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_EAST_ASIAN_WIDTH);
      if (w == U_EA_NARROW || w == U_EA_HALFWIDTH) t->set(c);
    }
    return t;
  }();
  return *table;
}


// Voiced (mark U+FF9E) or semi-voiced (U+FF9F) form of a full-width katakana, or 0.
char16_t ComposeKana(char16_t kana, char16_t mark) {
  if (mark == u'\uFF9E') {
    if (kana == u'\u30A6') return u'\u30F4';
    if ((kana >= u'\u30AB' && kana <= u'\u30C1' && (kana & 1)) ||
        kana == u'\u30C4' || kana == u'\u30C6' || kana == u'\u30C8')
      return static_cast<char16_t>(kana + 1);
    if (kana >= u'\u30CF' && kana <= u'\u30DB' && (kana - 0x30CF) % 3 == 0)
      return static_cast<char16_t>(kana + 1);
  } else if (mark == u'\uFF9F') {
    if (kana >= u'\u30CF' && kana <= u'\u30DB' && (kana - 0x30CF) % 3 == 0)
      return static_cast<char16_t>(kana + 2);
  }
  return 0;
}

}  // namespace

bool IsHalfWidthChar(char32_t c) {
  if (c < 0x10000) return HalfWidthTable().test(c);
  if (c > 0x10FFFF) return false;
  int w = u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_EAST_ASIAN_WIDTH);
  return w == U_EA_NARROW || w == U_EA_HALFWIDTH;
}

bool IsDefinedChar(char32_t c) {
  if (IsSurrogate(c)) return true;
  return c <= 0x10FFFF && u_isdefined(static_cast<UChar32>(c));
}

int CharWidthAt(std::u16string_view text, size_t index, int* units) {
  if (index >= text.size()) {
    if (units) *units = 0;
    return 0;
  }
  const CodePointRead read = ReadCodePoint(text, index);
  if (units) *units = read.units;
  if (read.units == 2) return IsHalfWidthChar(read.value) ? 1 : 2;
  return HalfWidthTable().test(read.value) ? 1 : 2;
}

CString MapToFullWidth(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u' ') {
      out.push_back(u'\u3000');
    } else if (c >= u'!' && c <= u'~') {
      out.push_back(static_cast<char16_t>(c - u'!' + 0xFF01));
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      char16_t full = kHalfKanaToFull[c - 0xFF61];
      char16_t composed = i + 1 < text.size() ? ComposeKana(full, text[i + 1]) : 0;
      if (composed) {
        out.push_back(composed);
        ++i;
      } else {
        out.push_back(full);
      }
    } else {
      char16_t mapped = c;
      for (const SignPair& s : kSigns)
        if (s.half == c) mapped = s.full;
      out.push_back(mapped);
    }
  }
  return CString(out);
}

namespace {

// Half-width base and mark of a voiced or semi-voiced katakana, or false. The
// kana whose base has a half-width form: ガ-ド, バ-ポ, ヴ, ヷ and ヺ.
bool SplitVoicedKana(char16_t c, char16_t& base, char16_t& mark) {
  constexpr char16_t kMarks[] = {u'\uFF9E', u'\uFF9F'};
  for (size_t k = 0; k < std::size(kHalfKanaToFull); ++k) {
    for (char16_t m : kMarks) {
      if (ComposeKana(kHalfKanaToFull[k], m) == c) {
        base = static_cast<char16_t>(0xFF61 + k);
        mark = m;
        return true;
      }
    }
  }
  // ワ and ヲ with the voiced mark, which the full-width direction does not compose.
  if (c == u'\u30F7' || c == u'\u30FA') {
    base = c == u'\u30F7' ? u'\uFF9C' : u'\uFF66';
    mark = u'\uFF9E';
    return true;
  }
  return false;
}

}  // namespace

CString MapToHalfWidthKatakana(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    // Hiragana first become katakana.
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) c = static_cast<char16_t>(c + 0x60);
    char16_t base = 0, mark = 0;
    if (SplitVoicedKana(c, base, mark)) {
      out.push_back(base);
      out.push_back(mark);
      continue;
    }
    char16_t mapped = c;
    if (c == u'\u3000') {
      mapped = u' ';
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
      mapped = static_cast<char16_t>(c - 0xFF01 + u'!');
    } else if ((c >= 0x3001 && c <= 0x30FF)) {
      for (size_t k = 0; k < sizeof(kHalfKanaToFull) / sizeof(kHalfKanaToFull[0]); ++k)
        if (kHalfKanaToFull[k] == c) {
          mapped = static_cast<char16_t>(0xFF61 + k);
          break;
        }
    } else {
      for (const SignPair& s : kSigns)
        if (s.full == c) mapped = s.half;
    }
    out.push_back(mapped);
  }
  return CString(out);
}

char32_t ToUpperChar(char32_t c) { return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c))); }
char32_t ToLowerChar(char32_t c) { return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c))); }
