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

inline void ExpectOutcome(const EvalCase& c) {
  CMacroEval ev;
  TestRow row(c.row);
  const Outcome out = Evaluate(ev, row, c.macro);
  ASSERT_TRUE(out.error.IsEmpty()) << "raised: " << out.error;
  EXPECT_STREQ(KindName(out.kind), KindName(c.kind));
  EXPECT_DOUBLE_EQ(out.value, c.value);
  if (c.text != nullptr) {
    EXPECT_EQ(out.text, CString(c.text));
  }
}

inline void ExpectError(const ErrorCase& c) {
  CMacroEval ev;
  TestRow row(c.row);
  const Outcome out = Evaluate(ev, row, c.macro);
  EXPECT_EQ(out.error, CString(c.error));
}

}  // namespace macrotest
