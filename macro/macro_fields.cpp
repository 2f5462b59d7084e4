// Field references and tags of the macro language.

#include <algorithm>
#include <string_view>

#include "grid/number_text.h"
#include "grid/text_width.h"
#include "macro/macro_eval.h"
#include "macro/macro_scan.h"

using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {

// Longest tag, from '<' to '>' inclusive.
constexpr int kMaxTag = 19;

bool IsDigitsOnly(std::u16string_view name) {
  for (char16_t c : name) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

int CMacroEval::FindColumn(std::u16string_view name) const {
  if (m_ColumnNames != nullptr) {
    const std::vector<CString>& names = *m_ColumnNames;
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i].View() == name) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  if (m_TitleSource == nullptr || m_TitleSource->m_TitleRow < 0) return 0;
  const CGridSet& set = *m_TitleSource;
  const int cols = std::min(set.m_DataCols, set.m_DataGrid.Cols());
  for (int c = 0; c < cols; ++c) {
    if (set.m_DataGrid.GetAt(set.m_TitleRow, c).View() == name) return c + 1;
  }
  return 0;
}

bool CMacroEval::FindCell(std::u16string_view name, CString& cell) const {
  if (m_RowCells == nullptr && m_RowTexts == nullptr) return false;
  const int column = FindColumn(name);
  if (column < 1 || column > m_ValueCount) return false;
  if (m_RowCells != nullptr) {
    const CString* p = m_RowCells[column - 1];
    if (p != nullptr) {
      cell = *p;
    } else {
      cell.Empty();
    }
  } else {
    cell = CString(m_RowTexts[column - 1]);
  }
  return true;
}

CString CMacroEval::CellText(const CString& name) const {
  CString cell;
  FindCell(name.View(), cell);
  return cell;
}

// field -> name ']' [method]   (cursor after '[')
double CMacroEval::ReadFieldReference() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == 0) return 0.0;
  const char16_t* end = SkipTo(m_Cursor, u']');
  if (*end == 0) throw CMacroError(u"[ が閉じてない");
  const std::u16string_view name(m_Cursor, static_cast<size_t>(end - m_Cursor));
  m_Cursor = SkipBlanks(end + 1);
  m_Text.Empty();
  // Names of digits only are never looked up; a name that is not found gives 0
  // with an empty text and leaves the numeric flag as it was.
  if (!name.empty() && !IsDigitsOnly(name) && (m_RowCells != nullptr || m_RowTexts != nullptr)) {
    if (!FindCell(name, m_Text)) return 0.0;
  }
  if (*m_Cursor == u'.') return ApplyMethod();
  return PlainValue();
}

// tag -> '<' name '>' ['(' ...]   (cursor at '<')
double CMacroEval::ReadTag() {
  const char16_t* p = m_Cursor + 1;
  while (*p != 0 && *p != u'>' && (p - m_Cursor) + 1 <= kMaxTag) ++p;
  if (*p != u'>' || (p - m_Cursor) + 1 > kMaxTag) {
    // No tag: the '<' stays for the comparison level.
    return PlainValue();
  }
  m_Cursor = p + 1;
  if (*m_Cursor == u'(') EvalUnary();  // its value is dropped, its text side stays
  return 0.0;
}

double CMacroEval::PlainValue() {
  const int length = m_Text.GetLength();
  if (length > macro_scan::kMaxNumberLength) {
    m_IsNumber = 0;
    return 0.0;
  }
  if (length == 0) {
    m_IsNumber = 1;
    return 0.0;
  }
  const double value = ParseNumberText(m_Text);
  // The text without its trailing blanks, up to its first zero unit.
  const std::u16string_view text = m_Text.View();
  size_t end = text.size();
  while (end > 0 && IsTrailingBlank(text[end - 1])) --end;
  size_t i = 0;
  while (i < end && text[i] == u' ') ++i;
  bool number = true;
  bool signSeen = false;
  for (const size_t first = i; i < end && text[i] != 0 && number; ++i) {
    const char16_t c = text[i];
    if (macro_scan::IsWideDigit(c) || c == u'+' || c == u',' || c == u'-' || c == u'.') continue;
    if (c == u'\\' && i == first) continue;
    if ((c == u'▲' || c == u'△') && !signSeen) {
      signSeen = true;
      continue;
    }
    number = false;
  }
  m_IsNumber = number ? 1 : 0;
  return value;
}

CString CMacroEval::ReadFieldArgument() {
  const char16_t* name = m_Cursor + 1;
  const char16_t* end = SkipTo(name, u']');
  const CString text = CellText(CString(name, static_cast<int>(end - name)));
  m_Cursor = *end == u']' ? end + 1 : end;
  return text;
}
