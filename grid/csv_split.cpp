#include "grid/csv_split.h"

#include <algorithm>

#include "grid/grid_store.h"
#include "grid/text_width.h"
#include "platform/paths.h"

namespace {

// The part of a field a split keeps: at most the field limit.
std::u16string_view CutField(std::u16string_view field, CsvSplitOverflow* overflow) {
  if (field.size() > static_cast<size_t>(kCsvMaxFieldChars)) {
    field = field.substr(0, static_cast<size_t>(kCsvMaxFieldChars));
    if (overflow) overflow->fieldTooLong = true;
  }
  return field;
}

}  // namespace

bool IsQuotedCsvField(std::u16string_view raw) {
  return raw.size() >= 2 && raw.front() == u'"' && raw.back() == u'"';
}

std::u16string_view CsvFieldText(std::u16string_view raw) {
  return IsQuotedCsvField(raw) ? raw.substr(1, raw.size() - 2) : raw;
}

// line -> field (sep field)* ; field -> '"' text '"' followed by sep | text up to sep
bool CsvFieldCursor::Next(std::u16string_view& raw, bool& last) {
  if (m_Done) return false;
  size_t end = std::u16string_view::npos;  // end of the field (exclusive)
  size_t next = 0;                         // start of the next field
  if (m_Pos < m_Line.size() && m_Line[m_Pos] == u'"') {
    // A quoted field runs to a quote followed by the separator.
    for (size_t q = m_Line.find(u'"', m_Pos + 1); q != std::u16string_view::npos;
         q = m_Line.find(u'"', q + 1)) {
      if (q + 1 < m_Line.size() && m_Line[q + 1] == m_Sep) {
        end = q + 1;
        next = q + 2;
        break;
      }
    }
  } else {
    const size_t s = m_Line.find(m_Sep, m_Pos);
    if (s != std::u16string_view::npos) end = s, next = s + 1;
  }
  last = end == std::u16string_view::npos;
  if (last) {
    end = m_Line.size();  // the rest of the line is the last field
    m_Done = true;
  }
  raw = m_Line.substr(m_Pos, end - m_Pos);
  while (!raw.empty() && IsTrailingBlank(raw.back())) raw.remove_suffix(1);
  m_Pos = next;
  return true;
}

void SplitCsvRow(std::u16string_view line, bool isTsv, CsvRowFields& out) {
  out.cells.clear();
  out.fieldCount = 0;
  out.tooManyColumns = out.fieldTooLong = false;
  while (!line.empty() && IsTrailingBlank(line.back())) line.remove_suffix(1);
  CsvFieldCursor cursor(line, isTsv);
  std::u16string_view raw;
  bool last = false;
  while (cursor.Next(raw, last)) {
    ++out.fieldCount;
    std::u16string_view text = CsvFieldText(raw);
    if (out.cells.size() == static_cast<size_t>(GRID_COLS)) {
      if (!text.empty()) out.tooManyColumns = true;
      continue;
    }
    if (raw.size() > static_cast<size_t>(kCsvMaxFieldChars)) out.fieldTooLong = true;
    if (last && IsQuotedCsvField(raw)) {
      // Only a quoted last field reads "\n" (and in TSV "\t") as the character.
      const bool tab = isTsv && text.find(u"\\t") != std::u16string_view::npos;
      if (text.find(u"\\n") != std::u16string_view::npos || tab) {
        CString unescaped(text);
        unescaped.Replace(CString(u"\\n"), CString(u"\n"));
        if (isTsv) unescaped.Replace(CString(u"\\t"), CString(u"\t"));
        out.escaped.assign(unescaped.View());
        text = out.escaped;
      }
    }
    out.cells.push_back(text);
  }
}

int SplitCsvLine(std::vector<CString>& fields, CString& line, bool isTsv,
                 CsvSplitOverflow* overflow) {
  TrimRightBlanks(line);
  return SplitCsvLine(fields, line.View(), isTsv, overflow, nullptr);
}

int SplitCsvLine(std::vector<CString>& fields, std::u16string_view line, bool isTsv,
                 CsvSplitOverflow* overflow, CStringArena* arena) {
  fields.clear();
  if (overflow) *overflow = CsvSplitOverflow{};
  while (!line.empty() && IsTrailingBlank(line.back())) line.remove_suffix(1);
  CsvFieldCursor cursor(line, isTsv);
  std::u16string_view raw;
  bool last = false;
  while (cursor.Next(raw, last)) {
    if (static_cast<int>(fields.size()) == kCsvMaxFields) {
      // A field after the last one kept: the line had more fields.
      if (overflow) overflow->tooManyFields = true;
      break;
    }
    raw = CutField(raw, overflow);
    if (!last || !IsQuotedCsvField(raw)) {
      const std::u16string_view text = CsvFieldText(raw);
      if (arena != nullptr) {
        fields.push_back(arena->Make(text));
      } else {
        fields.emplace_back(text);
      }
      continue;
    }
    // Only a quoted last field reads "\n" (and in TSV "\t") as the character.
    CString text(CsvFieldText(raw));
    text.Replace(CString(u"\\n"), CString(u"\n"));
    if (isTsv) text.Replace(CString(u"\\t"), CString(u"\t"));
    fields.push_back(std::move(text));
  }
  return static_cast<int>(fields.size());
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
