#include "jobsheet/command/reserved_chars.h"

#include <array>
#include <cstdint>

#include "grid/csv_split.h"
#include "grid/grid_store.h"
#include "platform/int_text.h"

namespace {

// The characters that cannot stand in a file name or would split a value.
constexpr std::array<char16_t, 15> kReserved = {u':', u'/', u'*', u'?', u'<',  u'>', u'|', u'\\',
                                                u'"', u'(', u')', u'[', u']', u';', u','};
static_assert(kReserved.size() == 15);
constexpr char16_t kEscapeBase = 0xF800;

bool IsReserved(char16_t c) {
  for (char16_t r : kReserved)
    if (r == c) return true;
  return false;
}

// A column list never names more columns than a grid has.
constexpr size_t kMaxCompressedNumbers = GRID_COLS;
// Column lists are texts of fewer than this many characters.
constexpr int kMaxListChars = 100000;

void AppendNumber(CString& out, int64_t n) { out += CString::Build(u"%lld", static_cast<long long>(n)); }

}  // namespace

CString EscapeReservedChars(const CString& text) {
  CString out = text;
  for (int i = 0; i < out.GetLength(); ++i)
    if (IsReserved(out[i])) out.SetAt(i, static_cast<char16_t>(kEscapeBase + out[i]));
  return out;
}

CString UnescapeReservedChars(const CString& text) {
  CString out = text;
  for (int i = 0; i < out.GetLength(); ++i) {
    const char16_t c = out[i];
    if (c > kEscapeBase && c < kEscapeBase + 0x80 && IsReserved(static_cast<char16_t>(c - kEscapeBase)))
      out.SetAt(i, static_cast<char16_t>(c - kEscapeBase));
  }
  return out;
}

CString CompressColumnList(const CString& list) {
  CString line = list;
  std::vector<CString> fields;
  const int count = SplitCsvLine(fields, line, false);
  // Every field keeps its place, one that is no number as 0: the service reads
  // the list by position.
  std::vector<int64_t> numbers;
  for (int i = 0; i < count && numbers.size() < kMaxCompressedNumbers; ++i) {
    numbers.push_back(TextToInt(fields[i].View()));
  }

  CString out;
  size_t i = 0;
  while (i < numbers.size()) {
    size_t last = i;
    while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1) ++last;
    if (!out.IsEmpty()) out += u',';
    AppendNumber(out, numbers[i]);
    if (last - i >= 2) {
      out += u'~';
      AppendNumber(out, numbers[last]);
    } else if (last - i == 1) {
      out += u',';
      AppendNumber(out, numbers[last]);
    }
    i = last + 1;
  }
  return out;
}

CString ExpandColumnList(const CString& list) {
  CString line = list;
  std::vector<CString> fields;
  const int count = SplitCsvLine(fields, line, false);
  // Each field keeps its place, an empty range as an empty entry, so that the
  // service finds every later entry where it was written. The result stays a
  // list of fewer than kMaxListChars characters: an entry that would make it
  // longer ends the list, so a range costs no more however far it reaches.
  CString out;
  auto fits = [&out](int more) { return out.GetLength() + more < kMaxListChars; };
  for (int f = 0; f < count; ++f) {
    const CString& field = fields[f];
    const int separator = f > 0 ? 1 : 0;
    const int tilde = field.Find(u'~');
    if (tilde < 0) {
      if (!fits(separator + field.GetLength())) break;
      if (separator) out += u',';
      out += field;
      continue;
    }
    const int64_t first = TextToInt(field.View().substr(0, tilde));
    const int64_t last = TextToInt(field.View().substr(tilde + 1));
    if (first > last) {
      if (!fits(separator)) break;
      if (separator) out += u',';
      continue;
    }
    for (int64_t n = first; n <= last; ++n) {
      const CString number = CString::Build(u"%lld", static_cast<long long>(n));
      const int comma = n > first ? 1 : separator;
      if (!fits(comma + number.GetLength())) return out;
      if (comma) out += u',';
      out += number;
    }
  }
  return out;
}

int SplitCommaList50(const CString& text, std::vector<CString>& items) {
  items.clear();
  const std::u16string_view view = text.View();
  if (view.find(u',') == std::u16string_view::npos) {
    items.push_back(text);
    return 1;
  }
  size_t start = 0;
  while (static_cast<int>(items.size()) < kCommaListMaxItems) {
    size_t end = view.find(u',', start);
    if (end == std::u16string_view::npos) end = view.size();
    const std::u16string_view item = view.substr(start, end - start);
    CString kept(item.substr(0, kCommaListItemChars));
    for (size_t i = kCommaListItemChars; i < item.size(); ++i)
      if (item[i] == u'~') kept += u'~';
    items.push_back(kept);
    if (end == view.size()) break;
    start = end + 1;
  }
  return static_cast<int>(items.size());
}
