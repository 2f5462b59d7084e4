#include "grid/csv_split.h"

#include <algorithm>

#include "grid/text_width.h"
#include "platform/paths.h"

namespace {

// The part of line a field keeps: trailing blanks cut, at most the field limit.
std::u16string_view CutField(std::u16string_view line, int first, int count,
                             CsvSplitOverflow* overflow) {
  std::u16string_view field = line.substr(static_cast<size_t>(first), static_cast<size_t>(count));
  while (!field.empty() && IsTrailingBlank(field.back())) field.remove_suffix(1);
  if (field.size() > static_cast<size_t>(kCsvMaxFieldChars)) {
    field = field.substr(0, static_cast<size_t>(kCsvMaxFieldChars));
    if (overflow) overflow->fieldTooLong = true;
  }
  return field;
}

bool IsQuoted(std::u16string_view field) {
  return field.size() >= 2 && field.front() == u'"' && field.back() == u'"';
}

std::u16string_view Unquoted(std::u16string_view field) {
  return IsQuoted(field) ? field.substr(1, field.size() - 2) : field;
}

}  // namespace

// line -> field (sep field)* ; field -> '"' text '"' followed by sep | text up to sep
int SplitCsvLine(std::vector<CString>& fields, CString& line, bool isTsv,
                 CsvSplitOverflow* overflow) {
  fields.clear();
  if (overflow) *overflow = CsvSplitOverflow{};
  const int length = TrimRightBlanks(line);
  if (length == 0) return 0;
  const char16_t sep = isTsv ? u'\t' : u',';
  const char16_t pair[3] = {u'"', sep, 0};
  int pos = 0;
  while (pos <= length) {
    int end = -1;   // end of the field (exclusive)
    int next = -1;  // start of the next field
    if (pos < length && line[pos] == u'"') {
      int q = line.Find(pair, pos + 1);
      if (q >= 0) end = q + 1, next = q + 2;
    } else {
      int s = line.Find(sep, pos);
      if (s >= 0) end = s, next = s + 1;
    }
    if (end < 0) break;  // the rest of the line is the last field
    fields.emplace_back(Unquoted(CutField(line.View(), pos, end - pos, overflow)));
    pos = next;
    if (static_cast<int>(fields.size()) == kCsvMaxFields) {
      // A separator followed the last field kept: the line had more fields.
      if (overflow) overflow->tooManyFields = true;
      return kCsvMaxFields;
    }
  }
  std::u16string_view rest = CutField(line.View(), pos, length - pos, overflow);
  CString last(Unquoted(rest));
  if (IsQuoted(rest)) {
    last.Replace(CString(u"\\n"), CString(u"\n"));
    if (isTsv) last.Replace(CString(u"\\t"), CString(u"\t"));
  }
  fields.push_back(last);
  return static_cast<int>(fields.size());
}

bool IsTsvPath(const CString& path) {
  const int slash = std::max(path.ReverseFind(u'/'), path.ReverseFind(u'\\'));
  const int dot = path.ReverseFind(u'.');
  if (dot <= slash) return false;
  const CString ext = path.Mid(dot);
  return ext == u".tsv" || ext == u".TSV";
}

int SplitPath(CString& folder, CString& name, const CString& path) {
  int slash = path.ReverseFind(u'/');
  if (slash >= 0) {
    folder = path.Left(slash);
    name = path.Mid(slash + 1);
    return 1;
  }
  // A Windows path: drive, folder up to the last backslash, then name and extension.
  int start = (path.GetLength() >= 2 && path[1] == u':') ? 2 : 0;
  int backslash = path.ReverseFind(u'\\');
  int nameStart = backslash >= start ? backslash + 1 : start;
  folder = path.Left(nameStart);
  name = path.Mid(nameStart);
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == u'\\')
    folder.Truncate(folder.GetLength() - 1);
  return 0;
}

CString ExpandLeadingEnvVar(const CString& text) {
  if (text.GetLength() < 2 || text[0] != u'%') return text;
  int close = text.Find(u'%', 1);
  if (close < 0) return text;
  auto value = GetEnvVar(text.Mid(1, close - 1));
  if (!value) return text;
  return *value + text.Mid(close + 1);
}
