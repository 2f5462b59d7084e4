// Field references and tags of the macro language.

#include <algorithm>

#include "grid/number_text.h"
#include "grid/text_width.h"
#include "macro/macro_eval.h"
#include "macro/macro_scan.h"

using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {

// Longest tag, from '<' to '>' inclusive.
constexpr int kMaxTag = 19;

bool IsDigitsOnly(const CString& name) {
  for (char16_t c : name.View()) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

int CMacroEval::FindColumn(const CString& name) const {
  if (m_ColumnNames != nullptr) {
    const std::vector<CString>& names = *m_ColumnNames;
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  if (m_TitleSource == nullptr || m_TitleSource->m_TitleRow < 0) return 0;
  const CGridSet& set = *m_TitleSource;
  const int cols = std::min(set.m_DataCols, set.m_DataGrid.Cols());
  for (int c = 0; c < cols; ++c) {
    if (set.m_DataGrid.GetAt(set.m_TitleRow, c) == name) return c + 1;
  }
  return 0;
}

bool CMacroEval::FindCell(const CString& name, CString& cell) const {
  if (m_RowCells == nullptr && m_RowTexts == nullptr) return false;
  const int column = FindColumn(name);
  if (column < 1 || column > m_ValueCount) return false;
  if (m_RowCells != nullptr) {
    const CString* p = m_RowCells[column - 1];
    cell = p != nullptr ? *p : CString();
  } else {
    cell = CString(m_RowTexts[column - 1]);
  }
  return true;
}

CString CMacroEval::CellText(const CString& name) const {
  CString cell;
  FindCell(name, cell);
  return cell;
}

// field -> name ']' [method]   (cursor after '[')
double CMacroEval::ReadFieldReference() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == 0) return 0.0;
  const char16_t* end = SkipTo(m_Cursor, u']');
  if (*end == 0) throw CMacroError(u"[ が閉じてない");
  const CString name(m_Cursor, static_cast<int>(end - m_Cursor));
  m_Cursor = SkipBlanks(end + 1);
  m_Text.Empty();
  // Names of digits only are never looked up; a name that is not found gives 0
  // with an empty text and leaves the numeric flag as it was.
  if (!name.IsEmpty() && !IsDigitsOnly(name) && (m_RowCells != nullptr || m_RowTexts != nullptr)) {
    CString cell;
    if (!FindCell(name, cell)) return 0.0;
    m_Text = cell;
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
  CString trimmed = m_Text;
  TrimRightBlanks(trimmed);
  const char16_t* p = SkipBlanks(trimmed.GetString());
  bool number = true;
  bool signSeen = false;
  for (const char16_t* first = p; *p != 0 && number; ++p) {
    const char16_t c = *p;
    if (macro_scan::IsWideDigit(c) || c == u'+' || c == u',' || c == u'-' || c == u'.') continue;
    if (c == u'\\' && p == first) continue;
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
