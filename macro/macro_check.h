#pragma once
// CMacroCheck: the syntax checker of the macro language.
//
// It reads a macro text the way the evaluator does, but without a row: instead
// of stopping at the first error it collects findings, checks field names
// against a table of column names, and ends with one message box that lists
// the findings or says the text is fine.
//
//   CMacroCheck check;
//   if (!check.Check(u"return [売上] * 1.1", &names, false)) ...  // box shown
//
// The caller wraps the user's text in "return %s" unless it begins (after its
// leading blanks) with "if".

#include <string>
#include <vector>

#include "platform/cstring.h"

class CMacroCheck {
 public:
  CMacroCheck() = default;
  CMacroCheck(const CMacroCheck&) = delete;
  CMacroCheck& operator=(const CMacroCheck&) = delete;

  // Checks text against the column names (may be null: no name is known).
  // With no finding: shows "項目評価　OK" unless silent, returns 1. Otherwise
  // shows the findings (also when silent) and returns 0. The box is a plain OK
  // box (MB_OK, the default symbol) with the program's caption, shown through
  // GetUiHooks().
  int Check(const char16_t* text, const std::vector<CString>* names, bool silent);
  int Check(const CString& text, const std::vector<CString>* names, bool silent) {
    return Check(text.GetString(), names, silent);
  }

  // Whether the name is an entry of the column-name table (exact, case-sensitive).
  bool HasColumn(const CString& name) const;

  // The levels, mirroring the evaluator's; each records findings and moves m_Cursor.
  void CheckStatement(const char16_t* text);
  void CheckIf();
  void CheckCompare();
  void SkipAttributes();
  void CheckAdditive();
  void CheckMultiplicative();
  void CheckUnary();
  void CheckLiteral();
  // False when the token at the cursor is no function call whose value counts;
  // after an unknown call (a finding), TimeSpan(, Accumu( and Ratio( the cursor
  // stands after the call, otherwise nothing was read.
  bool CheckFunction();

  // Fields, in the order of the checker's context record.
  CString m_Text;                                 // text side of the last operand
  int m_IsNumber = 1;                             // numeric flag of the last operand
  const char16_t* m_Cursor = nullptr;             // reading position in the work copy
  std::vector<CString> m_Errors;                  // findings in the order found
  const std::vector<CString>* m_Names = nullptr;  // the column-name table (the caller's)
  CString m_LastField;                            // last field name read, for method findings
  int m_CommaEndsNumber = 0;                      // while set, ',' ends a number literal

 private:
  void Record(const CString& finding) { m_Errors.push_back(finding); }
  void CheckMethod();
  void CheckFieldName();

  std::u16string m_Work;  // work copy of the text
  int m_Depth = 0;        // nesting of the levels being read
};
