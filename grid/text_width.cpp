#include "grid/text_width.h"

#include <string>
#include <vector>

#include "platform/char_props.h"
#include "platform/code_point.h"

#ifndef TABRO_PRODUCT_VERSION
#define TABRO_PRODUCT_VERSION "0.0.0"
#endif

namespace {

// One character of a text: where it starts, its code units and its columns.
struct Char {
  int pos;
  int units;
  int width;
};

std::vector<Char> Characters(std::u16string_view text) {
  std::vector<Char> out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    int units = 0;
    int width = CharWidthAt(text, i, &units);
    out.push_back({static_cast<int>(i), units, width});
    i += static_cast<size_t>(units);
  }
  return out;
}

CString Trimmed(const CString& source) {
  CString copy = source;
  TrimRightBlanks(copy);
  return copy;
}

// The last characters of text that fit in n columns: their start and width.
void TakeFromRight(const CString& text, int n, int* start, int* width, bool* all) {
  std::vector<Char> chars = Characters(text.View());
  int sum = 0;
  size_t taken = 0;
  while (taken < chars.size()) {
    const Char& c = chars[chars.size() - 1 - taken];
    if (sum + c.width > n) break;
    sum += c.width;
    ++taken;
  }
  *start = taken == 0 ? text.GetLength() : chars[chars.size() - taken].pos;
  *width = sum;
  *all = taken == chars.size();
}

struct KanaFix {
  char16_t full;
  char16_t half[2];
};
constexpr KanaFix kKanaFixes[] = {
    {u'パ', {u'ﾊ', u'ﾟ'}}, {u'ピ', {u'ﾋ', u'ﾟ'}}, {u'プ', {u'ﾌ', u'ﾟ'}}, {u'ペ', {u'ﾍ', u'ﾟ'}},
    {u'ポ', {u'ﾎ', u'ﾟ'}}, {u'ガ', {u'ｶ', u'ﾞ'}}, {u'ギ', {u'ｷ', u'ﾞ'}}, {u'グ', {u'ｸ', u'ﾞ'}},
    {u'ゲ', {u'ｹ', u'ﾞ'}}, {u'ゴ', {u'ｺ', u'ﾞ'}}, {u'ザ', {u'ｻ', u'ﾞ'}}, {u'ジ', {u'ｼ', u'ﾞ'}},
    {u'ズ', {u'ｽ', u'ﾞ'}}, {u'ゼ', {u'ｾ', u'ﾞ'}}, {u'ゾ', {u'ｿ', u'ﾞ'}}, {u'ダ', {u'ﾀ', u'ﾞ'}},
    {u'ヂ', {u'ﾁ', u'ﾞ'}}, {u'ヅ', {u'ﾂ', u'ﾞ'}}, {u'デ', {u'ﾃ', u'ﾞ'}}, {u'ド', {u'ﾄ', u'ﾞ'}},
    {u'バ', {u'ﾊ', u'ﾞ'}}, {u'ビ', {u'ﾋ', u'ﾞ'}}, {u'ブ', {u'ﾌ', u'ﾞ'}}, {u'ベ', {u'ﾍ', u'ﾞ'}},
    {u'ボ', {u'ﾎ', u'ﾞ'}},
};
static_assert(sizeof(kKanaFixes) / sizeof(kKanaFixes[0]) == 25);

}  // namespace

int TrimRightBlanks(CString& text) {
  std::u16string_view v = text.View();
  size_t end = v.size();
  while (end > 0 && IsTrailingBlank(v[end - 1])) --end;
  if (end != v.size()) text.Truncate(static_cast<int>(end));
  return static_cast<int>(end);
}

int GetDisplayWidth(const CString& text) {
  std::u16string_view v = text.View();
  int sum = 0;
  for (size_t i = 0; i < v.size();) {
    int units = 0;
    sum += CharWidthAt(v, i, &units);
    i += static_cast<size_t>(units);
  }
  return sum;
}

CString FillBlanks(int n) { return n > 0 ? CString(u' ', n) : CString(); }

void InsertAtColumn(CString& text, char16_t c, int column) {
  if (column <= 0) {
    text.Insert(0, c);
    return;
  }
  std::u16string_view v = text.View();
  int sum = 0, lastUnits = 0;
  size_t pos = 0;
  while (pos < v.size() && sum < column) {
    sum += CharWidthAt(v, pos, &lastUnits);
    pos += static_cast<size_t>(lastUnits);
  }
  if (sum < column) return;  // narrower than the column
  if (sum > column) pos -= static_cast<size_t>(lastUnits);  // straddles: c goes before it
  text.Insert(static_cast<int>(pos), c);
}

int CopyColumns(CString& dest, const CString& source, int n, int mode) {
  if (mode == 0) {
    int count = n < 0 ? 0 : (n < source.GetLength() ? n : source.GetLength());
    dest = source.Left(count);
    return count;
  }
  if (mode != 1) return 0;
  if (n <= 0) {
    dest.Empty();
    return 0;
  }
  std::u16string_view v = source.View();
  int sum = 0, units = 0;
  size_t pos = 0;
  while (pos < v.size() && sum < n) {
    int w = CharWidthAt(v, pos, &units);
    if (sum + w > n) break;  // a full-width character on the last column
    sum += w;
    pos += static_cast<size_t>(units);
  }
  dest = source.Left(static_cast<int>(pos)) + FillBlanks(n - sum);
  return static_cast<int>(pos);
}

int CopyTextColumns(CString& dest, const CString& source, int n, int mode) {
  return CopyColumns(dest, source, n, mode);
}

CString AlignInColumns(const CString& source, int n) {
  if (n <= 0) return CString();
  CString copy = Trimmed(source);
  int start = 0, width = 0;
  bool all = false;
  TakeFromRight(copy, n, &start, &width, &all);
  if (all) return FillBlanks(n - width) + copy;
  return copy.Mid(start);
}

CString AlignRightColumns(const CString& source, int n) {
  if (n <= 0) return CString();
  CString copy = Trimmed(source);
  int start = 0, width = 0;
  bool all = false;
  TakeFromRight(copy, n, &start, &width, &all);
  return FillBlanks(n - width) + copy.Mid(start);
}

CString MidColumns(const CString& source, int start, int limit) {
  if (start < 0) start = 0;
  int total = GetDisplayWidth(source);
  if (total == 0 || total <= start) return CString();
  std::u16string_view v = source.View();
  auto usable = [&](size_t pos) {
    return IsDefinedChar(ReadCodePoint(v, pos).value);
  };
  size_t pos = 0;
  int col = 0, units = 0;
  while (pos < v.size() && col < start && usable(pos)) {
    col += CharWidthAt(v, pos, &units);
    pos += static_cast<size_t>(units);
  }
  int taken = col > start ? col - start : 0;  // a full-width character across the start
  size_t first = pos;
  while (pos < v.size() && usable(pos)) {
    int w = CharWidthAt(v, pos, &units);
    if (limit != -1 && taken + w > limit) break;
    taken += w;
    pos += static_cast<size_t>(units);
  }
  return source.Mid(static_cast<int>(first), static_cast<int>(pos - first));
}

CString ToFullWidth(const CString& source) { return MapToFullWidth(source.View()); }

CString& ToHalfWidthKana(CString& text) {
  CString mapped = MapToHalfWidthKatakana(text.View());
  std::u16string out;
  out.reserve(static_cast<size_t>(mapped.GetLength()) * 2);
  for (char16_t c : mapped.View()) {
    const KanaFix* fix = nullptr;
    for (const KanaFix& f : kKanaFixes)
      if (f.full == c) fix = &f;
    if (fix) {
      out.push_back(fix->half[0]);
      out.push_back(fix->half[1]);
    } else {
      out.push_back(c);
    }
  }
  text = CString(out);
  return text;
}

CString GetProductVersion() { return CString(TABRO_PRODUCT_VERSION); }
