// Built-in functions of the macro language.

#include <gtest/gtest.h>

#include <string>

#include "macro/macro_eval.h"
#include "tests/macro/macro_case.h"

namespace {

using macrotest::ErrorCase;
using macrotest::EvalCase;

const std::string k128Stars(128, '*');

const EvalCase kFunctionCases[] = {
    {"RoundHalfUp", u"round([a],0,5)", {{"a", "2.5"}}, MACRO_NUMBER, 3, nullptr},
    {"RoundHalfUpNegative", u"round([a],0,5)", {{"a", "-2.5"}}, MACRO_NUMBER, -3, nullptr},
    {"RoundCut", u"round([a],1,1)", {{"a", "2.59"}}, MACRO_NUMBER, 2.5, nullptr},
    {"RoundUpTens", u"round([a],-1,9)", {{"a", "11"}}, MACRO_NUMBER, 20, nullptr},
    {"RoundFarBelowPrecisionKeepsValue", u"round([a],300,1)", {{"a", "12345678901"}}, MACRO_NUMBER,
     12345678901, nullptr},
    {"RoundHugeDigitsKeepsValue", u"round(123.5,2147483647,5)", {}, MACRO_NUMBER, 123.5, nullptr},
    {"RoundOfExpression", u"round([a] * 1.1, 0, 1)", {{"a", "100"}}, MACRO_NUMBER, 110, nullptr},
    {"Abs", u"abs(-3)", {}, MACRO_NUMBER, 3, nullptr},
    {"Log10", u"log10(1000)", {}, MACRO_NUMBER, 3, nullptr},
    {"Sin", u"sin(0)", {}, MACRO_NUMBER, 0, nullptr},
    {"Cos", u"cos(0)", {}, MACRO_NUMBER, 1, nullptr},
    {"Tan", u"tan(0)", {}, MACRO_NUMBER, 0, nullptr},
    {"FunctionInSum", u"1 + abs(-2) * 3", {}, MACRO_NUMBER, 7, nullptr},
    {"MinWithCommas", u"mindata([a],[b],[c])", {{"a", "3"}, {"b", "1"}, {"c", "2"}}, MACRO_NUMBER, 1, nullptr},
    {"MinWithBlanks", u"mindata([a] [b] [c])", {{"a", "3"}, {"b", "1"}, {"c", "2"}}, MACRO_NUMBER, 1, nullptr},
    {"MaxWithCommas", u"maxdata([a],[b],[c])", {{"a", "3"}, {"b", "1"}, {"c", "2"}}, MACRO_NUMBER, 3, nullptr},
    {"MaxOfNegatives", u"maxdata(-5, -2, -9)", {}, MACRO_NUMBER, -2, nullptr},
    {"MinOfNothing", u"mindata()", {}, MACRO_NUMBER, 0, nullptr},
    {"ValOfText", u"val('12.5')", {}, MACRO_NUMBER, 12.5, nullptr},
    {"ValWithExponent", u"val('1e3')", {}, MACRO_NUMBER, 1000, nullptr},
    {"ValWithPaddedExponent", u"val('1e0000000002')", {}, MACRO_NUMBER, 100, nullptr},
    {"ValOfField", u"val([a]) + 1", {{"a", "7x"}}, MACRO_NUMBER, 8, nullptr},
    {"ValWithoutParen", u"val('4'", {}, MACRO_NUMBER, 4, nullptr},
    {"VtoaGivesText", u"vtoa(1/4)", {}, MACRO_TEXT, 0, "0.25"},
    {"VtoaJoins", u"3 + vtoa(2)", {}, MACRO_TEXT, 3, "32"},
    {"VtoaWithMethod", u"vtoa(1234).Left(2)", {}, MACRO_TEXT, 0, "12"},
    {"RepeatText", u"repeatString('ab', 3)", {}, MACRO_TEXT, 0, "ababab"},
    {"RepeatAtMost128", u"repeatString('*', 200)", {}, MACRO_TEXT, 0, k128Stars.c_str()},
    {"RepeatZero", u"repeatString('*', 0)", {}, MACRO_TEXT, 0, ""},
    {"RepeatFromFields", u"repeatString([s],[n])", {{"s", "-"}, {"n", "4"}}, MACRO_TEXT, 0, "----"},
    {"SumOfColumns", u"SUM(2,4)", {{"a", "100"}, {"b", "1"}, {"c", "2,000"}, {"d", "30"}}, MACRO_NUMBER, 2031,
     nullptr},
    {"SumReversed", u"SUM(4,2)", {{"a", "1"}, {"b", "1"}, {"c", "1"}, {"d", "1"}}, MACRO_NUMBER, 0, nullptr},
    {"SumOneArgument", u"SUM(3)", {{"a", "1"}, {"b", "1"}, {"c", "1"}}, MACRO_NUMBER, 0, nullptr},
    {"SumBeyondRow", u"SUM(1,4)", {{"a", "1"}, {"b", "1"}, {"c", "1"}}, MACRO_NUMBER, 0, nullptr},
    {"SumFromZero", u"SUM(0,2)", {{"a", "1"}, {"b", "1"}}, MACRO_NUMBER, 0, nullptr},
    {"UnknownFunctionIsLiteral", u"foo(1)", {}, MACRO_NUMBER, 0, "foo(1"},
    {"CaseMatters", u"Abs(-3)", {}, MACRO_NUMBER, -3, nullptr},  // the token Abs( minus 3
    {"BlankBeforeParenIsNoCall", u"abs (-3)", {}, MACRO_NUMBER, 0, "abs"},
};

class FunctionTest : public testing::TestWithParam<EvalCase> {};
TEST_P(FunctionTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, FunctionTest, testing::ValuesIn(kFunctionCases),
                         macrotest::CaseName<EvalCase>);

const ErrorCase kFunctionErrors[] = {
    {"RoundFirstComma", u"round(1 0,5)", {}, "round の　, が対応していません"},
    {"RoundSecondComma", u"round(1,0 5)", {}, "round の　, が対応していません"},
    {"RoundMode", u"round(1,0,3)", {}, "1:切捨 5:四捨五入 9:切上 を設定してください"},
    {"RoundNotClosed", u"round(1,0,5", {}, "round の　) が対応していません"},
    {"AbsNotClosed", u"abs(-3", {}, "abs の　) が対応していません"},
    {"Log10NotClosed", u"log10(10", {}, "log10 の　')' が対応していません"},
    {"SinNotClosed", u"sin(1", {}, "sin の　) が対応していません"},
    {"CosNotClosed", u"cos(1", {}, "cos の　) が対応していません"},
    {"TanNotClosed", u"tan(1", {}, "tan の　) が対応していません"},
    {"MinNotClosed", u"mindata([a],[b]", {{"a", "1"}, {"b", "2"}}, "mindata の　) が対応していません"},
    {"MaxNotClosed", u"maxdata(1", {}, "maxdata の　) が対応していません"},
    {"RepeatNoText", u"repeatString(3)", {}, "' が有りません"},
    {"RepeatTextNotClosed", u"repeatString('ab", {}, "' が対応していません"},
    {"RepeatNoComma", u"repeatString('ab')", {}, ", が有りません"},
    {"RepeatCountNotClosed", u"repeatString('ab', 3", {}, "' が対応していません"},
};

class FunctionErrorTest : public testing::TestWithParam<ErrorCase> {};
TEST_P(FunctionErrorTest, Raises) { macrotest::ExpectError(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, FunctionErrorTest, testing::ValuesIn(kFunctionErrors),
                         macrotest::CaseName<ErrorCase>);

}  // namespace
