#pragma once
// Table rows for evaluator tests: a macro over a row and what it must give.

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "tests/macro/macro_test_row.h"

namespace macrotest {

struct EvalCase {
  const char* name;
  const char16_t* macro;
  std::vector<Field> row;
  int kind;          // expected ResultKind
  double value;      // expected return value
  const char* text;  // expected text side; null: not checked
};

struct ErrorCase {
  const char* name;
  const char16_t* macro;
  std::vector<Field> row;
  const char* error;  // the exact message raised
};

inline void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.name; }
inline void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

// Each case is evaluated twice by one evaluator, as a column evaluates its text
// row after row: the second time reads again what the first one kept.
inline void ExpectOutcome(const EvalCase& c) {
  CMacroEval ev;
  TestRow row(c.row);
  for (int pass = 1; pass <= 2; ++pass) {
    const Outcome out = Evaluate(ev, row, c.macro);
    ASSERT_TRUE(out.error.IsEmpty()) << "raised: " << out.error << " (pass " << pass << ")";
    EXPECT_STREQ(KindName(out.kind), KindName(c.kind)) << "pass " << pass;
    EXPECT_DOUBLE_EQ(out.value, c.value) << "pass " << pass;
    if (c.text != nullptr) {
      EXPECT_EQ(out.text, CString(c.text)) << "pass " << pass;
    }
  }
}

inline void ExpectError(const ErrorCase& c) {
  CMacroEval ev;
  TestRow row(c.row);
  for (int pass = 1; pass <= 2; ++pass) {
    const Outcome out = Evaluate(ev, row, c.macro);
    EXPECT_EQ(out.error, CString(c.error)) << "pass " << pass;
  }
}

}  // namespace macrotest
