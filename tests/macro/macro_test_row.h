#pragma once
// A row of named cells for macro tests, and one evaluation's outcome.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "macro/macro_eval.h"
#include "platform/cstring.h"

namespace macrotest {

struct Field {
  const char* name;
  const char* cell;
};

// Column names and cells, bound to an evaluator as the macro-column step binds them.
class TestRow {
 public:
  TestRow(std::initializer_list<Field> fields) : TestRow(std::vector<Field>(fields)) {}
  explicit TestRow(const std::vector<Field>& fields) {
    for (const Field& f : fields) {
      names_.emplace_back(f.name);
      cells_.emplace_back(f.cell);
    }
    for (const CString& c : cells_) pointers_.push_back(&c);
  }
  TestRow(const TestRow&) = delete;
  TestRow& operator=(const TestRow&) = delete;

  void Bind(CMacroEval& ev) const {
    ev.m_RowCells = pointers_.data();
    ev.m_RowTexts = nullptr;
    ev.m_ValueCount = static_cast<int>(cells_.size());
    ev.m_ColumnNames = &names_;
    ev.m_ForceText = 0;
  }
  const std::vector<CString>& Names() const { return names_; }

 private:
  std::vector<CString> names_;
  std::vector<CString> cells_;
  std::vector<const CString*> pointers_;
};

struct Outcome {
  double value = 0;
  int kind = 0;
  CString text;
  CString error;  // the message when the evaluation raised one
};

inline Outcome Evaluate(CMacroEval& ev, const TestRow& row, const char16_t* macro) {
  Outcome out;
  row.Bind(ev);
  try {
    out.value = ev.Evaluate(macro, 1);
    out.kind = ev.ResultKind();
    out.text = ev.m_Text;
  } catch (const CMacroError& e) {
    out.error = e.Text();
  }
  return out;
}

inline const char* KindName(int kind) {
  switch (kind) {
    case MACRO_NUMBER: return "NUMBER";
    case MACRO_TEXT: return "TEXT";
    case MACRO_RATIO: return "RATIO";
    case MACRO_ACCUMU: return "ACCUMU";
    case 0: return "none";
    default: return "?";
  }
}

}  // namespace macrotest
