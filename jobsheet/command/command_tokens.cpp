#include "jobsheet/command/command_tokens.h"

#include <vector>

#include "platform/int_text.h"
#include "jobsheet/command/reserved_chars.h"

namespace {

constexpr size_t kNone = std::u16string_view::npos;
constexpr char16_t kFullAsterisk = u'＊';

char16_t At(std::u16string_view text, size_t i) { return i < text.size() ? text[i] : u'\0'; }

// End of the token that contains from: its ";" or the end of the text.
size_t TokenEnd(std::u16string_view text, size_t from) {
  if (from > text.size()) return text.size();
  const size_t semi = text.find(u';', from);
  return semi == kNone ? text.size() : semi;
}

// Goes on after the first ";" at or after from; false when there is none.
bool GoOnAfterSemicolon(std::u16string_view text, size_t from, size_t& pos) {
  const size_t end = TokenEnd(text, from);
  if (end >= text.size()) return false;
  pos = end + 1;
  return true;
}

// First of chars in [from, limit); limit when there is none.
size_t FindBefore(std::u16string_view text, char16_t c, size_t from, size_t limit) {
  if (from >= limit) return limit;
  const size_t at = text.substr(0, limit).find(c, from);
  return at == kNone ? limit : at;
}

bool IsSortRunChar(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'-'; }

void FullWidthAnglesToAscii(CString& text) {
  text.Replace(u'＜', u'<');
  text.Replace(u'＞', u'>');
}

bool LeftOut(std::u16string_view arg) { return !arg.empty() && arg[0] == kFullAsterisk; }

}  // namespace

// Sort -> key {"," key} up to ";" or ")"; key -> number ("N"|"H")["D"] | number "D"["N"|"H"]
bool ReadSortToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  const size_t n = text.size();
  size_t p = pos;
  int kept = 0;
  while (p < n && text[p] != u';' && text[p] != u')') {
    size_t runEnd = p;
    while (runEnd < n && IsSortRunChar(text[runEnd])) ++runEnd;
    const int number = TextToInt(text.substr(p, runEnd - p));
    if (runEnd == p || number < 0 || number > 19) {
      // Not a key: skip to the next separator.
      p = text.find_first_of(u",;)", p);
      if (p == kNone) p = n;
      if (p < n && text[p] == u',') ++p;
      continue;
    }
    p = runEnd;
    // Keys beyond the record's four places are read over and dropped.
    const bool fits = kept < kJobSortKeys;
    int type = fits ? job.m_SortType[kept] : 0;
    int desc = fits ? job.m_SortDesc[kept] : 0;
    const char16_t c = At(text, p);
    if (c == u'N' || c == u'H') {
      type = c == u'N' ? 1 : 2;
      ++p;
      desc = At(text, p) == u'D' ? 1 : 0;
      if (desc) ++p;
    } else if (c == u'D') {
      desc = 1;
      ++p;
      const char16_t t = At(text, p);
      type = t == u'N' ? 1 : t == u'H' ? 2 : 0;
      if (type) ++p;
    }
    if (fits) {
      job.m_SortCol[kept] = number;
      job.m_SortType[kept] = type;
      job.m_SortDesc[kept] = desc;
      ++kept;
    }
    if (At(text, p) == u',') ++p;
  }
  job.m_SortCount = static_cast<int16_t>(kept);
  return GoOnAfterSemicolon(text, pos, pos);
}

// Break -> ["=" (number | "[" name "]")]
bool ReadBreakToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  job.m_Break = 1;
  size_t p = pos;
  if (At(text, p) == u'=') {
    ++p;
    if (At(text, p) == u'[') {
      const size_t close = text.find(u']', p + 1);
      p = close == kNone ? text.size() : close + 1;
    } else {
      job.m_BreakNo = static_cast<int8_t>(TextToInt(text.substr(p)));
    }
  }
  return GoOnAfterSemicolon(text, p, pos);
}

// HdClm= -> blanks (number | "[" name ["]"])
bool ReadHdClmToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  size_t p = pos;
  while (p < text.size() && IsRuntimeBlank(text[p])) ++p;
  if (At(text, p) == u'[') {
    size_t close = text.find(u']', p + 1);
    if (close == kNone) close = text.size();
    job.m_HdClm = CString(text.substr(p + 1, close - p - 1));
    p = close < text.size() ? close + 1 : close;
  } else {
    job.m_HdClmNo = TextToInt(text.substr(p));
  }
  return GoOnAfterSemicolon(text, p, pos);
}

// TypeS -> ";" | "=" word ["," letter ["(" a "x" b ")"]] {"S" n}
bool ReadTypeSToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  job.m_DocKind = DOC_KIND_LABELS;
  const size_t n = text.size();
  if (At(text, pos) != u'=') {
    if (At(text, pos) != u';') return false;
    ++pos;
    return true;
  }
  const size_t wordStart = pos + 1;
  size_t wordEnd = text.find_first_of(u";,", wordStart);
  if (wordEnd == kNone) wordEnd = n;
  const std::u16string_view word = text.substr(wordStart, wordEnd - wordStart);
  if (word == std::u16string_view(u"Adress")) {
    job.m_LabelUse = 2;
  } else if (word == std::u16string_view(u"Label")) {
    job.m_LabelUse = 1;
  } else {
    if (At(text, wordEnd) != u';') return false;
    pos = wordEnd + 1;
    return true;
  }

  size_t p = wordStart;
  if (At(text, wordEnd) == u',') {
    p = wordEnd + 1;
    const char16_t letter = At(text, p);
    if (p < n && letter >= u'A' && letter <= u'Z') {
      if (letter == u'H') job.m_LabelSheetKind = 1;
      if (letter == u'A') job.m_LabelSheetKind = 2;
      ++p;
    } else {
      job.m_LabelSheetKind = 100;
    }
    if (At(text, p) == u'(') {
      ++p;
      job.m_LabelLayout1 = static_cast<int16_t>(TextToInt(text.substr(p)));
      size_t stop = text.find_first_of(u";)", p);
      if (stop == kNone) stop = n;
      const size_t x = FindBefore(text, u'x', p, stop);
      if (x < stop) job.m_LabelLayout2 = static_cast<int16_t>(TextToInt(text.substr(x + 1)));
      // Without its ")" the layout runs to the token's end and no start label follows.
      p = At(text, stop) == u')' ? stop + 1 : stop;
    }
  }
  const size_t end = TokenEnd(text, p);
  for (size_t i = p; i < end; ++i)
    if (text[i] == u'S') job.m_StartLabel = TextToInt(text.substr(i + 1, end - i - 1));
  return GoOnAfterSemicolon(text, p, pos);
}

// CODE39= | QR= | CustmerCode= -> column [",notTrim" ...]
bool ReadBarcodeToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos) {
  const size_t end = TokenEnd(text, pos);
  const std::u16string_view value = text.substr(pos, end - pos);
  const size_t notTrim = value.find(u",notTrim", 1);
  BARCOD_STAMPEAI item;
  item.m_Kind = kItemBarcode;
  item.m_NotTrim = notTrim != kNone ? 1 : 0;
  item.m_Code = CString(keyword.substr(0, keyword.size() - 1));
  item.m_ColumnName = UnescapeReservedChars(CString(value.substr(0, notTrim)));
  job.m_ColumnItems.push_back(item);
  return GoOnAfterSemicolon(text, pos, pos);
}

// 認印= | 承認印= | 承認日印= -> column
bool ReadSealToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos) {
  const size_t end = TokenEnd(text, pos);
  BARCOD_STAMPEAI item;
  item.m_Kind = kItemSeal;
  item.m_Code = CString(keyword.substr(0, keyword.size() - 1));
  item.m_ColumnName = UnescapeReservedChars(CString(text.substr(pos, end - pos)));
  job.m_ColumnItems.push_back(item);
  return GoOnAfterSemicolon(text, pos, pos);
}

// "if [" column "]" ... up to ";": the whole token is the rule
bool ReadColorRuleToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos) {
  const size_t start = pos - keyword.size();
  const size_t end = TokenEnd(text, pos);
  CString rule(text.substr(start, end - start));
  if (rule.GetLength() > kLongRuleChars) rule = CString(kLongRulePrefix) + rule;
  FullWidthAnglesToAscii(rule);
  // The column stays as written, full-width angles included: it is matched against
  // the header names, which may hold them.
  const size_t close = FindBefore(text, u']', pos, end);
  BARCOD_STAMPEAI item;
  item.m_Kind = kItemColorRule;
  item.m_Code = rule;
  item.m_ColumnName = CString(text.substr(pos, close - pos));
  job.m_ColumnItems.push_back(item);
  return GoOnAfterSemicolon(text, pos, pos);
}

// InpSelecMacro( -> macro ")"
bool ReadSelectMacroToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  const size_t close = text.find(u')', pos);
  if (close == kNone) {
    job.m_InpSelecMacro.Empty();
    return false;
  }
  CString macro(text.substr(pos, close - pos));
  FullWidthAnglesToAscii(macro);
  job.m_InpSelecMacro = macro;
  return GoOnAfterSemicolon(text, close + 1, pos);
}

namespace {

// The argument from p up to the next "," of the token (the token's end when there is
// none); p moves past the ",".
std::u16string_view NextArgument(std::u16string_view text, size_t& p, size_t tokenEnd) {
  const size_t comma = FindBefore(text, u',', p, tokenEnd);
  const std::u16string_view arg = text.substr(p, comma - p);
  p = comma < tokenEnd ? comma + 1 : tokenEnd;
  return arg;
}

CString ArgumentText(std::u16string_view arg) {
  return LeftOut(arg) ? CString() : UnescapeReservedChars(CString(arg));
}

}  // namespace

// SUM( -> result "," first "," last ")"
bool ReadRowSumToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  const size_t end = TokenEnd(text, pos);
  size_t p = pos;
  const std::u16string_view a1 = NextArgument(text, p, end);
  const std::u16string_view a2 = NextArgument(text, p, end);
  std::u16string_view a3;
  if (end < text.size()) {
    // The character before the ";" is taken as the closing ")".
    if (end > p + 1) a3 = text.substr(p, end - 1 - p);
  } else {
    a3 = text.substr(p, FindBefore(text, u')', p, end) - p);
  }
  HORIZONSUM item;
  item.m_Result = ArgumentText(a1);
  int next = 0;
  if (!LeftOut(a2)) item.m_Columns[next++] = ArgumentText(a2);
  if (!LeftOut(a3)) item.m_Columns[next] = ArgumentText(a3);
  job.m_RowSums.push_back(std::move(item));
  return GoOnAfterSemicolon(text, pos, pos);
}

// TimeSpan( -> result "," last "," first "," minutes ")"
bool ReadTimeSpanToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  const size_t end = TokenEnd(text, pos);
  size_t p = pos;
  const std::u16string_view a1 = NextArgument(text, p, end);
  const std::u16string_view a2 = NextArgument(text, p, end);
  const std::u16string_view a3 = NextArgument(text, p, end);
  const std::u16string_view a4 = text.substr(p, FindBefore(text, u')', p, end) - p);
  HORIZONSUM item;
  item.m_Result = ArgumentText(a1);
  item.m_Columns[1] = ArgumentText(a2);
  item.m_Columns[0] = ArgumentText(a3);
  item.m_Minutes = LeftOut(a4) ? 0 : TextToInt(a4);
  job.m_TimeSpans.push_back(std::move(item));
  return GoOnAfterSemicolon(text, pos, pos);
}

// FieldN= -> item {"," item}; item -> n "[" name "]"
bool ReadFieldNameToken(JOBSETTING& job, std::u16string_view, std::u16string_view text, size_t& pos) {
  job.m_FieldNames.clear();
  const size_t end = TokenEnd(text, pos);
  size_t p = pos;
  while (p < end) {
    const size_t open = FindBefore(text, u'[', p, end);
    if (open >= end) break;
    const int n = TextToInt(text.substr(p, open - p));
    const size_t close = FindBefore(text, u']', open + 1, end);
    if (close >= end) break;
    const CString name = UnescapeReservedChars(CString(text.substr(open + 1, close - open - 1)));
    const size_t comma = FindBefore(text, u',', close + 1, end);
    p = comma < end ? comma + 1 : end;
    if (n >= 1) job.m_FieldNames.push_back(FIELDNAME{n - 1, name});
  }
  return GoOnAfterSemicolon(text, pos, pos);
}

void StoreNameList(JOBSETTING& job, std::u16string_view value, NameSlot slot) {
  if (LeftOut(value)) return;
  std::vector<CString> items;
  const int count = SplitCommaList50(CString(value), items);
  for (int i = 0; i < count && i < kJobNameSlots; ++i) slot(job, i) = UnescapeReservedChars(items[i]);
}
