#pragma once
// CSV line splitting and the small path routines beside it.

#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "platform/string_arena.h"

inline constexpr int kCsvMaxFields = 1000;
inline constexpr int kCsvMaxFieldChars = 10000;

// What a split had to leave out, so that a caller can refuse the line.
struct CsvSplitOverflow {
  bool tooManyFields = false;  // the line had more than 1000 fields; the rest was dropped
  bool fieldTooLong = false;   // a field had more than 10000 characters; it was cut
};

// Walks the fields of one line whose trailing blanks are already cut, by the rule
// of SplitCsvLine below but without its limits: each field comes as it stands in the
// line, its trailing blanks cut and its quotes still on (CsvFieldText takes them
// off). Views point into the line. A line that is empty has no field.
class CsvFieldCursor {
 public:
  CsvFieldCursor(std::u16string_view line, bool isTsv)
      : m_Line(line), m_Sep(isTsv ? u'\t' : u','), m_Done(line.empty()) {}
  // The next field; false after the last one. last says that it is the line's last.
  bool Next(std::u16string_view& raw, bool& last);

 private:
  std::u16string_view m_Line;
  char16_t m_Sep;
  size_t m_Pos = 0;
  bool m_Done;
};

// A field's text: without its quotes when it begins and ends with one.
std::u16string_view CsvFieldText(std::u16string_view raw);
// Whether a field begins and ends with a double quote.
bool IsQuotedCsvField(std::u16string_view raw);

// The cells one line gives a grid row, for the loader and the clipboard: the fields
// by the rule of SplitCsvLine, as views, the first 256 of them kept. A field past
// column 256 that is empty is dropped without a word (spreadsheets pad lines with
// them); one that holds text makes the line too wide. No field is cut.
struct CsvRowFields {
  std::vector<std::u16string_view> cells;  // into the line, or into `escaped`
  std::u16string escaped;                  // the quoted last field with "\n" read
  int fieldCount = 0;                      // fields of the line, dropped ones included
  bool tooManyColumns = false;             // a field past column 256 holds text
  bool fieldTooLong = false;               // a kept field has more than 10000 characters
};
// Splits line (its trailing blanks are cut here) into out; out's storage is reused.
void SplitCsvRow(std::u16string_view line, bool isTsv, CsvRowFields& out);

// Splits one CSV (isTsv false: comma) or TSV (tab) line into fields.
// line is trimmed in place first (TrimRightBlanks). fields is cleared and receives
// the fields; the count is returned (0 for a line that is empty after trimming).
//  - A field starting with a double quote runs to the next quote followed by the
//    separator; when it then begins and ends with a quote both are dropped. Doubled
//    quotes stay doubled. A quote that is not a field's first character is text.
//  - Each field loses its trailing blanks (U+0020, U+3000, U+0001-U+000D); leading
//    blanks stay.
//  - Only the last field, when it was quoted, turns "\n" into a line feed and, for
//    TSV, "\t" into a tab.
//  - At most 1000 fields and 10000 characters a field are kept; overflow (if given)
//    says whether anything was left out.
int SplitCsvLine(std::vector<CString>& fields, CString& line, bool isTsv,
                 CsvSplitOverflow* overflow = nullptr);
// The same split of a line given as text (its trailing blanks cut here); with an
// arena the fields are made in it, for a reader that keeps many lines.
int SplitCsvLine(std::vector<CString>& fields, std::u16string_view line, bool isTsv,
                 CsvSplitOverflow* overflow, CStringArena* arena);

// Splits a path or URL into folder and name.
// With a "/" in it: folder = text before the last "/", name = text after; returns 1.
// Otherwise a Windows-style path ("C:\dir\file.ext"): folder = drive and folder
// without a final backslash, name = file name with extension; returns 0.
// Any length is accepted.
int SplitPath(CString& folder, CString& name, const CString& path);

// When text begins with "%NAME%" and NAME is a set environment variable (USERPROFILE
// falls back to HOME), returns its value followed by the rest of the text; otherwise
// returns text unchanged.
CString ExpandLeadingEnvVar(const CString& text);
