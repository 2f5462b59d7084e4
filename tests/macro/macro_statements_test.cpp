// Statements, conditions and arithmetic of the macro language.

#include <gtest/gtest.h>

#include "macro/macro_eval.h"
#include "tests/macro/macro_case.h"

namespace {

using macrotest::ErrorCase;
using macrotest::EvalCase;

const EvalCase kStatementCases[] = {
    {"ReturnInCapitals", u"RETURN [a]", {{"a", "5"}}, MACRO_NUMBER, 5, nullptr},
    {"ReturnCapitalised", u"Return [a]", {{"a", "5"}}, MACRO_NUMBER, 5, nullptr},
    {"IfInCapitals", u"IF [a]=1 then return 2", {{"a", "1"}}, MACRO_NUMBER, 2, nullptr},
    {"RatioWithField", u"return Ratio([売上])", {}, MACRO_RATIO, 0, "売上"},
    {"RatioWithoutBracket", u"return Ratio(売上)", {}, MACRO_RATIO, 0, ""},
    {"AccumuWithField", u"return Accumu( [数量])", {}, MACRO_ACCUMU, 0, "数量"},
    {"RatioNameUnclosed", u"return Ratio([売上", {}, MACRO_RATIO, 0, "売上"},
    // At most 100 characters may follow the '[': here 98 of the name and "])".
    {"RatioRestOf100", u"return Ratio([12345678901234567890123456789012345678901234567890"
                       u"123456789012345678901234567890123456789012345678])",
     {}, MACRO_RATIO, 0, "12345678901234567890123456789012345678901234567890"
                          "123456789012345678901234567890123456789012345678"},
    {"RatioRestOf101IsNoStatement", u"return Ratio([12345678901234567890123456789012345678901234567890"
                                    u"1234567890123456789012345678901234567890123456789])",
     {}, 0, 0, ""},
    {"AccumuLongNameIsNoStatement", u"return Accumu( [項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目"
                                    u"項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目項目"
                                    u"項目項目項目項目項目項目項目項目項目項目])",
     {}, 0, 0, ""},
    {"QuotedText", u"return 'abc'", {}, MACRO_TEXT, 0, "abc"},
    {"Number", u"return 12", {}, MACRO_NUMBER, 12, nullptr},
    {"NumberWithoutReturn", u"12", {}, MACRO_NUMBER, 12, nullptr},
    {"LeadingBlanks", u"   return 3", {}, MACRO_NUMBER, 3, nullptr},
    {"CrLfIsTwoBlanks", u"return 1\r\n+ 2", {}, MACRO_NUMBER, 3, nullptr},
    {"ComparisonAfterReturnNotRead", u"return [a] = 1", {{"a", "7"}}, MACRO_NUMBER, 7, nullptr},
    {"BareWordCountsAsNumber", u"return abc", {}, MACRO_NUMBER, 0, "abc"},
    {"LongBareTokenIsText", u"return 1234567890123456789012345", {}, MACRO_TEXT, 0,
     "1234567890123456789012345"},
    {"EmptyText", u"", {}, MACRO_NUMBER, 0, ""},
};

class StatementTest : public testing::TestWithParam<EvalCase> {};
TEST_P(StatementTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, StatementTest, testing::ValuesIn(kStatementCases),
                         macrotest::CaseName<EvalCase>);

const EvalCase kConditionCases[] = {
    {"ThenBranchText", u"if [a]=1 then return 'x' else return 'y'", {{"a", "1"}}, MACRO_TEXT, 0, "x"},
    {"ElseBranchText", u"if [a]=1 then return 'x' else return 'y'", {{"a", "2"}}, MACRO_TEXT, 0, "y"},
    {"ElseIfTaken", u"if [a]=1 then return 10 else if [a]=2 then return 20 else return 30",
     {{"a", "2"}}, MACRO_NUMBER, 20, nullptr},
    {"ElseAfterElseIf", u"if [a]=1 then return 10 else if [a]=2 then return 20 else return 30",
     {{"a", "3"}}, MACRO_NUMBER, 30, nullptr},
    {"ConditionNotOneIsReturned", u"if [a] then return 1", {{"a", "5"}}, 0, 5, nullptr},
    {"FalseWithoutElse", u"if [a] then return 1", {{"a", "0"}}, 0, 0, nullptr},
    {"OrCombinesBitwise", u"if [a] | [b] then return 1", {{"a", "2"}, {"b", "1"}}, 0, 3, nullptr},
    {"AndOfConditions", u"if [a]>0 & [b]>0 then return 1 else return 2", {{"a", "1"}, {"b", "0"}},
     MACRO_NUMBER, 2, nullptr},
    {"OrOfConditions", u"if [a]>0 | [b]>0 then return 1 else return 2", {{"a", "0"}, {"b", "3"}},
     MACRO_NUMBER, 1, nullptr},
    {"ConditionWithoutThen", u"if 6 & 3", {}, 0, 2, nullptr},
    {"SetWithoutParenInThen", u"if [a]>0 then set([a]*2", {{"a", "4"}}, MACRO_NUMBER, 8, nullptr},
    {"SetInElse", u"if [a]>0 then return 1 else set(0)", {{"a", "0"}}, MACRO_NUMBER, 0, nullptr},
    {"UntakenElseNotRead", u"if [a]>0 then return 1 else set(0", {{"a", "1"}}, MACRO_NUMBER, 1, nullptr},
    {"ThenWithoutBranch", u"if 1=1 then ", {}, 0, 1, nullptr},
    {"ElseWithoutBranch", u"if 1=2 then return 1 else ", {}, 0, 0, nullptr},
    {"ReturnClearsForcedText", u"if 'a'='a' then return 5", {}, MACRO_NUMBER, 5, nullptr},
    // Numbers compare as numbers, texts by code units.
    {"TextLess", u"if 'a' < 'b'", {}, 0, 1, nullptr},
    {"UpperCaseFirst", u"if 'B' < 'a'", {}, 0, 1, nullptr},
    {"PrefixIsSmaller", u"if 'ab' < 'abc'", {}, 0, 1, nullptr},
    {"NumbersCompareAsNumbers", u"if 10 < 9", {}, 0, 0, nullptr},
    {"QuotedNumbersCompareAsTexts", u"if '10' < '9'", {}, 0, 1, nullptr},
    {"FieldEqualsText", u"if [姓] = '山田'", {{"姓", "山田"}}, 0, 1, nullptr},
    {"QuotedSideForcesTextCompare", u"if [数量] = '5'", {{"数量", "05"}}, 0, 0, nullptr},
    {"NumericCompareOfSameField", u"if [数量] = 5", {{"数量", "05"}}, 0, 1, nullptr},
    {"NotEqual", u"if 1 != 2", {}, 0, 1, nullptr},
    {"BangAlone", u"if 2 ! 2", {}, 0, 0, nullptr},
    {"DoubleEquals", u"if 2 == 2", {}, 0, 1, nullptr},
    {"LessOrEqual", u"if 2 <= 2", {}, 0, 1, nullptr},
    {"GreaterOrEqualWithBlank", u"if 1 > = 2", {}, 0, 0, nullptr},
    {"TextNotEqual", u"if 'a' ! 'b'", {}, 0, 1, nullptr},
    {"UnequalTextsEndComparison", u"if 'a' = 'b' = 0", {}, 0, 0, nullptr},
    {"ChainedNumericComparison", u"if 1 = 2 = 0", {}, 0, 1, nullptr},
    {"ElseIfWithTexts", u"if [a]=1 then return 'p' else if [a]=2 then return 'q'", {{"a", "2"}},
     MACRO_TEXT, 0, "q"},
};

class ConditionTest : public testing::TestWithParam<EvalCase> {};
TEST_P(ConditionTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, ConditionTest, testing::ValuesIn(kConditionCases),
                         macrotest::CaseName<EvalCase>);

const EvalCase kArithmeticCases[] = {
    {"DivisionByZero", u"10/0", {}, MACRO_NUMBER, 0, nullptr},
    {"RemainderByZero", u"7%0", {}, MACRO_NUMBER, 0, nullptr},
    {"RemainderKeepsDividendSign", u"-7%3", {}, MACRO_NUMBER, -1, nullptr},
    {"RemainderCutsToIntegers", u"7.9%2", {}, MACRO_NUMBER, 1, nullptr},
    {"RemainderClampsLargeValues", u"3000000000 % 7", {}, MACRO_NUMBER, 1, nullptr},
    {"RemainderOfMinimumByMinusOne", u"-2147483648 % -1", {}, MACRO_NUMBER, 0, nullptr},
    {"NanCutsToZero", u"if log10(-1) | 4", {}, 0, 4, nullptr},
    {"Precedence", u"2 * 3 + 1", {}, MACRO_NUMBER, 7, nullptr},
    {"Parentheses", u"(1 + 2) * 3", {}, MACRO_NUMBER, 9, nullptr},
    {"Negation", u"-[a] * 2", {{"a", "4"}}, MACRO_NUMBER, -8, nullptr},
    {"GroupedFieldsMultiply", u"[a] * [b]", {{"a", "1,000"}, {"b", "3"}}, MACRO_NUMBER, 3000, nullptr},
    {"PlusEquals", u"1 += 2", {}, MACRO_NUMBER, 3, nullptr},
    {"PlusBlankEquals", u"1 + = 2", {}, MACRO_NUMBER, 3, nullptr},
    {"MinusEquals", u"5 -= 2", {}, MACRO_NUMBER, 3, nullptr},
    {"SumKeepsRightText", u"12 + 3", {}, MACRO_NUMBER, 15, "3"},
    {"TextPlusNumberJoins", u"'No.' + 12", {}, MACRO_TEXT, 12, "No.12"},
    {"TwoTextFieldsJoin", u"[姓] + [名]", {{"姓", "山田"}, {"名", "太郎"}}, MACRO_TEXT, 0, "山田太郎"},
    {"SumSoFarWrittenBeforeText", u"1 + 2 + 'x'", {}, MACRO_TEXT, 3, "3x"},
    {"DecimalSumWrittenBeforeText", u"0.1 + 0.2 + '円'", {}, MACRO_TEXT, 0.1 + 0.2, "0.3円"},
    {"MinusNeverJoins", u"'a' - 'b'", {}, MACRO_TEXT, 0, "b"},
    {"DollarForcesText", u"$[a] + 1", {{"a", "5"}}, MACRO_TEXT, 6, "51"},
    {"HashForcesNumber", u"#[a] + 1", {{"a", "12abc"}}, MACRO_NUMBER, 13, nullptr},
    {"HashClearsForcedText", u"'x' + #[a]", {{"a", "5"}}, MACRO_NUMBER, 5, "5"},
    {"AndAfterAddition", u"1 + 1 & 3", {}, MACRO_NUMBER, 2, nullptr},
    {"UnterminatedQuote", u"'abc", {}, MACRO_TEXT, 0, "abc"},
    {"EscapedQuote", u"'it\\'s'", {}, MACRO_TEXT, 0, "it's"},
    {"BackslashBeforeClosingQuote", u"'abc\\' + 'x'", {}, MACRO_TEXT, 0, "abc\\x"},
    {"ProductIsNumberUnlessForced", u"'a' * 2", {}, MACRO_TEXT, 0, nullptr},
    {"ParenthesisStopsAtOtherCharacter", u"(1 x", {}, MACRO_NUMBER, 1, nullptr},
    {"BareTokenStopsAtComma", u"1,234", {}, MACRO_NUMBER, 1, nullptr},
    {"NegativeSignToken", u"▲5", {}, MACRO_NUMBER, -5, nullptr},
};

class ArithmeticTest : public testing::TestWithParam<EvalCase> {};
TEST_P(ArithmeticTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, ArithmeticTest, testing::ValuesIn(kArithmeticCases),
                         macrotest::CaseName<EvalCase>);

const ErrorCase kErrorCases[] = {
    {"CloseParenAsOperand", u"return )", {}, "意味のない　')'が有ります"},
    {"CloseBracketAsOperand", u"return 1 + ]", {}, "意味のない　']'が有ります"},
    {"OpenParenAtEnd", u"return (", {}, "( が閉じてない"},
    {"TextEndsInParentheses", u"return (1 + 2", {}, "( が閉じてないA"},
    {"ElseSetNotClosed", u"if [a]>0 then return 1 else set(0", {{"a", "0"}}, "setが')' で括られたいません"},
    {"WordAfterThenIsNoAttribute", u"if 1=1 then 5", {}, "　5　 は正しく評価できません"},
    {"FieldNotClosed", u"return [a", {{"a", "1"}}, "[ が閉じてない"},
    // "else " found inside the then branch's text starts the else branch there.
    {"ElseInsideQuotedText", u"if [a]=1 then return 'else x' else return 'y'", {{"a", "2"}},
     "　x'　 は正しく評価できません"},
};

class ErrorTest : public testing::TestWithParam<ErrorCase> {};
TEST_P(ErrorTest, Raises) { macrotest::ExpectError(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, ErrorTest, testing::ValuesIn(kErrorCases),
                         macrotest::CaseName<ErrorCase>);

TEST(MacroEvaluate, StateStartsAfreshForEveryRow) {
  CMacroEval ev;
  macrotest::TestRow text({{"t", "abc"}});
  macrotest::TestRow none({{"other", "1"}});
  EXPECT_EQ(macrotest::Evaluate(ev, text, u"return [t]").kind, MACRO_TEXT);
  // A field that is not found keeps the numeric flag; it must not be the previous row's.
  const macrotest::Outcome out = macrotest::Evaluate(ev, none, u"return [t]");
  EXPECT_EQ(out.kind, MACRO_NUMBER);
  EXPECT_EQ(out.text, CString(""));
}

TEST(MacroEvaluate, NestingIsBoundedWithAMessage) {
  auto nested = [](int depth) {
    return std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')');
  };
  CMacroEval ev;
  macrotest::TestRow row({});
  EXPECT_DOUBLE_EQ(macrotest::Evaluate(ev, row, nested(150).c_str()).value, 1);
  EXPECT_EQ(macrotest::Evaluate(ev, row, nested(5000).c_str()).error, CString(kMacroTooDeepMessage));
  const std::u16string conditions = u"if " + std::u16string(5000, u'(') + u"1";
  EXPECT_EQ(macrotest::Evaluate(ev, row, conditions.c_str()).error, CString(kMacroTooDeepMessage));
}

TEST(MacroEvaluate, ElseIfChainsAreBoundedWithAMessage) {
  auto chain = [](int links) {
    CString text(u"if [a]=0 then return 0");
    for (int i = 1; i <= links; ++i) text += CString::Build(u" else if [a]=%d then return %d", i, i);
    return text;
  };
  CMacroEval ev;
  macrotest::TestRow row({{"a", "50"}});
  const macrotest::Outcome found = macrotest::Evaluate(ev, row, chain(60).GetString());
  EXPECT_TRUE(found.error.IsEmpty());
  EXPECT_DOUBLE_EQ(found.value, 50);
  // Once exhausted the stack in builds without tail calls.
  macrotest::TestRow none({{"a", "-1"}});
  EXPECT_EQ(macrotest::Evaluate(ev, none, chain(100000).GetString()).error, CString(kMacroTooDeepMessage));
}

TEST(MacroEvaluate, AndChainsOfComparisonsAreBoundedWithAMessage) {
  auto chain = [](int links) {
    CString text(u"if 1");
    for (int i = 0; i < links; ++i) text += u"=1 & 1";
    return text;
  };
  CMacroEval ev;
  macrotest::TestRow row({});
  EXPECT_DOUBLE_EQ(macrotest::Evaluate(ev, row, chain(100).GetString()).value, 1);
  // Once exhausted the stack: each '&' after a comparison reads a further comparison.
  EXPECT_EQ(macrotest::Evaluate(ev, row, chain(100000).GetString()).error, CString(kMacroTooDeepMessage));
}

TEST(MacroEvaluate, LongTextsAreReadWhole) {
  const std::u16string long_text(3000, u'あ');
  const std::u16string macro = u"return '" + long_text + u"' + 'x'";
  CMacroEval ev;
  macrotest::TestRow row({});
  const macrotest::Outcome out = macrotest::Evaluate(ev, row, macro.c_str());
  EXPECT_EQ(out.text, CString(long_text + u"x"));
}

TEST(MacroEvaluate, RowTextsBindLikeTheRowCondition) {
  const char16_t* cells[] = {u"3", u"4"};
  CMacroEval ev;
  ev.m_RowTexts = cells;
  ev.m_ValueCount = 2;
  std::vector<CString> names = {CString("a"), CString("b")};
  ev.m_ColumnNames = &names;
  EXPECT_DOUBLE_EQ(ev.Evaluate(u"if [a] < [b] then return 1 else return 0", 1), 1);
  EXPECT_DOUBLE_EQ(ev.Evaluate(u"SUM(1,2)", 1), 0);  // no cells to add in a row condition
}

}  // namespace
