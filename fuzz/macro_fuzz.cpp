// Evaluates and checks arbitrary macro texts. Any text must end: a value, or a
// CMacroError with a non-empty message; the checker never throws.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <vector>

#include "macro/macro_check.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "platform/codepage.h"

namespace {

struct Row {
  std::vector<CString> names{CString("a"), CString("b"), CString("日付"), CString("名"), CString("c"),
                             CString("n")};
  std::vector<CString> cells{CString("12"), CString("1,234.5"), CString("2024/01/31"), CString("山田"),
                             CString("1-2-3"), CString("3")};
  std::vector<const CString*> pointers;
  std::vector<const char16_t*> texts;
  Row() {
    for (const CString& c : cells) {
      pointers.push_back(&c);
      texts.push_back(c.GetString());
    }
  }
};

void EvaluateOnce(CMacroEval& ev, const CString& text) {
  try {
    (void)ev.Evaluate(text, 1);
    const int kind = ev.ResultKind();
    if (kind != 0 && kind != MACRO_NUMBER && kind != MACRO_TEXT && kind != MACRO_RATIO &&
        kind != MACRO_ACCUMU) {
      std::abort();
    }
  } catch (const CMacroError& e) {
    if (e.Text().IsEmpty()) std::abort();
  } catch (...) {
    std::abort();  // nothing else may leave the evaluator
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Row row;
  const CString text = BytesToText(std::string_view(reinterpret_cast<const char*>(data), size), CP_UTF8);

  CMacroEval ev;
  ev.m_RowCells = row.pointers.data();
  ev.m_ValueCount = static_cast<int>(row.cells.size());
  ev.m_ColumnNames = &row.names;
  EvaluateOnce(ev, text);
  // Once more as the macro-column step wraps a text, reusing the context as it does.
  EvaluateOnce(ev, CString(u"return ") + text);

  // As the row condition binds a row.
  CMacroEval condition;
  condition.m_RowTexts = row.texts.data();
  condition.m_ValueCount = static_cast<int>(row.texts.size());
  condition.m_ColumnNames = &row.names;
  EvaluateOnce(condition, CString(u"if ") + text);

  try {
    CMacroCheck check;
    const int result = check.Check(text, &row.names, true);
    if (result != (check.m_Errors.empty() ? 1 : 0)) std::abort();
    for (const CString& finding : check.m_Errors) {
      if (finding.IsEmpty()) std::abort();
    }
  } catch (...) {
    std::abort();
  }
  return 0;
}
