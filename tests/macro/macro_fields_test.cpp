// Field references, tags and methods of the macro language.

#include <gtest/gtest.h>

#include <memory>

#include "grid/grid_set.h"
#include "macro/macro_eval.h"
#include "macro/macro_scan.h"
#include "tests/macro/macro_case.h"

namespace {

using macrotest::ErrorCase;
using macrotest::EvalCase;

const EvalCase kFieldCases[] = {
    {"DigitNameNeverLookedUp", u"[7]", {{"7", "99"}}, MACRO_NUMBER, 0, ""},
    {"EmptyNameIsZero", u"[]", {}, MACRO_NUMBER, 0, ""},
    {"GroupedNumber", u"[金額]", {{"金額", "1,234"}}, MACRO_NUMBER, 1234, "1,234"},
    {"BlankInsideIsText", u"[金額]", {{"金額", "1 234"}}, MACRO_TEXT, 1, "1 234"},
    {"TriangleSign", u"[金額]", {{"金額", "▲500"}}, MACRO_NUMBER, -500, nullptr},
    {"SecondSignIsText", u"[金額]", {{"金額", "▲△500"}}, MACRO_TEXT, 0, nullptr},
    {"YenFirst", u"[金額]", {{"金額", "\\1,000"}}, MACRO_NUMBER, 1000, nullptr},
    {"YenNotFirstIsText", u"[金額]", {{"金額", "1\\000"}}, MACRO_TEXT, 1000, nullptr},
    {"TrailingBlanksAllowed", u"[金額]", {{"金額", " 12　"}}, MACRO_NUMBER, 12, nullptr},
    {"DigitsThenLetters", u"[金額]", {{"金額", "12abc"}}, MACRO_TEXT, 12, "12abc"},
    {"EmptyCellIsZero", u"[金額]", {{"金額", ""}}, MACRO_NUMBER, 0, ""},
    {"TwentyFiveCharactersAreText", u"[n]", {{"n", "1234567890123456789012345"}}, MACRO_TEXT, 0, nullptr},
    {"LastColumn", u"[b]", {{"a", "1"}, {"b", "2"}}, MACRO_NUMBER, 2, nullptr},
    {"NameNotFound", u"[無い] + 1", {{"a", "1"}}, MACRO_NUMBER, 1, nullptr},
    {"BlanksBeforeName", u"[ a]", {{"a", "4"}}, MACRO_NUMBER, 4, nullptr},
    {"NamesAreCaseSensitive", u"[A]", {{"a", "4"}}, MACRO_NUMBER, 0, nullptr},
    {"TagIsZero", u"<b> + 3", {}, MACRO_NUMBER, 3, nullptr},
    {"TagWithParenthesesKeepsText", u"<b>('x')", {}, MACRO_TEXT, 0, "x"},
    {"NineteenCharacterTag", u"<abcdefghijklmnopq> + 3", {}, MACRO_NUMBER, 3, nullptr},
    {"LongerTagIsNoTag", u"<abcdefghijklmnopqr> + 3", {}, MACRO_NUMBER, 0, nullptr},
};

class FieldTest : public testing::TestWithParam<EvalCase> {};
TEST_P(FieldTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, FieldTest, testing::ValuesIn(kFieldCases),
                         macrotest::CaseName<EvalCase>);

const EvalCase kMethodCases[] = {
    {"Left", u"[c].Left(2)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, "AB"},
    {"LeftZero", u"[c].Left(0)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, ""},
    {"LeftBeyond", u"[c].Left(9)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, "ABCDE"},
    {"Right", u"[c].Right(2)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, "DE"},
    {"MidToEnd", u"[コード].Mid(2)", {{"コード", "ABCDE"}}, MACRO_TEXT, 0, "BCDE"},
    {"MidCount", u"[c].Mid(2,2)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, "BC"},
    {"MidBeyond", u"[c].Mid(9,2)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, ""},
    {"MidNoCount", u"[c].Mid(2,0)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, ""},
    {"Chain", u"[c].Left(3).Right(1)", {{"c", "ABCDE"}}, MACRO_TEXT, 0, "C"},
    {"DateMethod", u"[d].date(yyyy年mm月dd日)", {{"d", "2024/3/5"}}, MACRO_TEXT, 0, "2024年03月05日"},
    {"DateOfNoDateKeepsText", u"[d].date(yyyy)", {{"d", "abc"}}, MACRO_TEXT, 0, "abc"},
    {"DateMethodOnDateAndTime", u"[d].date(yyyy/mm/dd)", {{"d", "2024/01/05 09:30"}}, MACRO_TEXT, 0, "2024/01/05"},
    {"AddMonthToLeapFebruary", u"[日付].AddDate('m',1)", {{"日付", "2024/01/31"}}, MACRO_TEXT, 0, "2024/02/29"},
    {"AddMonthToFebruary", u"[日付].AddDate('m',1)", {{"日付", "2023/01/31"}}, MACRO_TEXT, 0, "2023/02/28"},
    {"AddMonthOverYear", u"[日付].AddDate('m',1)", {{"日付", "2024/12/15"}}, MACRO_TEXT, 0, "2025/01/15"},
    {"SubtractMonth", u"[日付].AddDate('m',-1)", {{"日付", "2024/01/15"}}, MACRO_TEXT, 0, "2023/12/15"},
    {"AddThirteenMonths", u"[日付].AddDate('m', 13)", {{"日付", "2024/01/31"}}, MACRO_TEXT, 0, "2025/02/28"},
    {"AddYearFromLeapDay", u"[日付].AddDate('y',1)", {{"日付", "2024/02/29"}}, MACRO_TEXT, 0, "2025/02/28"},
    {"AddDayPacked", u"[日付].AddDate('d',1)", {{"日付", "20240131"}}, MACRO_TEXT, 0, "20240201"},
    {"AddDaySixDigits", u"[日付].AddDate('d',1)", {{"日付", "240229"}}, MACRO_TEXT, 0, "240301"},
    {"AddDayFromField", u"[日付].AddDate('d',[n])", {{"日付", "2024/12/31"}, {"n", "2"}}, MACRO_TEXT, 0,
     "2025/01/02"},
    {"AddMonthKanji", u"[日付].AddDate('m',1)", {{"日付", "24年1月31日"}}, MACRO_TEXT, 0, "24年2月29日"},
    {"AddMonthKanjiFullYear", u"[日付].AddDate('m',1)", {{"日付", "2024年1月31日"}}, MACRO_TEXT, 0,
     "2024年2月29日"},
    {"OtherUnitRewrites", u"[日付].AddDate('x',1)", {{"日付", "24/3/5"}}, MACRO_TEXT, 0, "24/03/05"},
    {"NoDateUnchanged", u"[名前].AddDate('d',1)", {{"名前", "山田"}}, MACRO_TEXT, 0, "山田"},
    {"LargeCountUnchanged", u"[日付].AddDate('d',10000)", {{"日付", "2024/01/31"}}, MACRO_TEXT, 0, "2024/01/31"},
    {"PastLastYearUnchanged", u"[日付].AddDate('d',1)", {{"日付", "2099/12/31"}}, MACRO_TEXT, 0, "2099/12/31"},
    {"BeforeFirstYearUnchanged", u"[日付].AddDate('y',-2000000000)", {{"日付", "2024/01/31"}}, MACRO_TEXT, 0,
     "2024/01/31"},
    {"ReplaceAll", u"[c].replace('-','/')", {{"c", "1-2-3"}}, MACRO_TEXT, 0, "1/2/3"},
    {"ReplaceEmptyOld", u"[c].replace('','x')", {{"c", "abc"}}, MACRO_TEXT, 0, "abc"},
    {"ReplaceWithEscapedQuote", u"[c].replace('a','\\'b')", {{"c", "cat"}}, MACRO_TEXT, 0, "c'bt"},
    {"Trim", u"[c].trim()", {{"c", " \tab　 "}}, MACRO_TEXT, 0, "ab"},
    {"LenCountsColumns", u"[c].len()", {{"c", "ｱいA"}}, MACRO_NUMBER, 4, "ｱいA"},
    {"LenPlusOne", u"[c].len() + 1", {{"c", "abc"}}, MACRO_NUMBER, 4, nullptr},
    {"ToFullWidth", u"[c].tomb()", {{"c", "ab1"}}, MACRO_TEXT, 0, "ａｂ１"},
    {"ToHalfWidthKana", u"[c].toasc()", {{"c", "ガあＡ"}}, MACRO_TEXT, 0, "ｶﾞｱA"},
    {"ToUpper", u"[c].toupper()", {{"c", "abCé"}}, MACRO_TEXT, 0, "ABCÉ"},
    {"ToLower", u"[c].tolower()", {{"c", "ABc"}}, MACRO_TEXT, 0, "abc"},
    {"UsingPattern", u"[c].Using('▲###,###')", {{"c", "-1234"}}, MACRO_TEXT, 0, "▲1,234"},
    {"Reading", u"[a].reading()", {{"a", "0120"}}, MACRO_TEXT, 0, "ぜろ・いち・に・ぜろ"},
    {"ReadingKeepsOtherCharacters", u"[a].reading()", {{"a", "A9"}}, MACRO_TEXT, 0, "A・きゅう"},
    {"FindHalfWidth", u"[c].Find('b')", {{"c", "abc"}}, MACRO_NUMBER, 1, "abc"},
    {"FindAfterFullWidth", u"[c].Find('b')", {{"c", "あいb"}}, MACRO_NUMBER, 4, nullptr},
    {"FindFullWidth", u"[c].Find('い')", {{"c", "aい"}}, MACRO_NUMBER, 2, nullptr},
    {"FindMissing", u"[c].Find('z')", {{"c", "abc"}}, MACRO_NUMBER, -1, nullptr},
    {"FindField", u"[c].Find([p])", {{"c", "abc"}, {"p", "c"}}, MACRO_NUMBER, 2, "abc"},
    {"ElementSecond", u"[住所].element('-',2)", {{"住所", "1-2-3"}}, MACRO_TEXT, 0, "2"},
    {"ElementBeyond", u"[住所].element('-',4)", {{"住所", "1-2-3"}}, MACRO_TEXT, 0, ""},
    {"ElementZero", u"[住所].element('-',0)", {{"住所", "1-2-3"}}, MACRO_TEXT, 0, ""},
    {"ElementFromFields", u"[住所].element([s],[n])", {{"住所", "a/b/c"}, {"s", "/"}, {"n", "3"}},
     MACRO_TEXT, 0, "c"},
    {"UnknownMethodIgnored", u"[x].foo(1)", {{"x", "42"}}, MACRO_NUMBER, 42, "42"},
    {"MethodOnMissingField", u"[無い].Left(2)", {{"a", "1"}}, MACRO_TEXT, 0, ""},
    {"MethodAfterParentheses", u"('abc').Left(1)", {}, MACRO_TEXT, 0, "a"},
    {"HashAfterMethod", u"#[c].Left(2) + 1", {{"c", "12abc"}}, MACRO_NUMBER, 1, nullptr},
};

class MethodTest : public testing::TestWithParam<EvalCase> {};
TEST_P(MethodTest, Gives) { macrotest::ExpectOutcome(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, MethodTest, testing::ValuesIn(kMethodCases),
                         macrotest::CaseName<EvalCase>);

const ErrorCase kMethodErrors[] = {
    {"LeftNotClosed", u"[c].Left(2", {{"c", "x"}}, ") が対応していません"},
    {"RightNotClosed", u"[c].Right(2", {{"c", "x"}}, ") が対応していません"},
    {"MidWithoutSeparator", u"[c].Mid(2", {{"c", "x"}}, "引数の数が異常です"},
    {"MidFirstBelowOne", u"[c].Mid(0,2)", {{"c", "x"}}, "mid の第一引数は１以上を設定して下さい"},
    {"MidTwoNotClosed", u"[c].Mid(1,2", {{"c", "x"}}, ") が対応していません"},
    {"DateNotClosed", u"[c].date(yy", {{"c", "x"}}, ") が対応していません"},
    {"AddDateUnitUnquoted", u"[c].AddDate(d,1)", {{"c", "2024/01/01"}}, "引数の数が異常です"},
    {"AddDateEndsAfterUnit", u"[c].AddDate('d'", {{"c", "2024/01/01"}}, "引数の数が異常です"},
    {"AddDateNotClosed", u"[c].AddDate('d',1", {{"c", "2024/01/01"}}, "引数の数が異常です"},
    {"AddDateImpossibleDate", u"[c].AddDate('d',1)", {{"c", "2024/13/01"}}, "日付が正しくありません　2024/13/01"},
    {"ReplaceNoQuote", u"[c].replace(a,b)", {{"c", "x"}}, "' が対応していません"},
    {"ReplaceOldNotClosed", u"[c].replace('a", {{"c", "x"}}, "' が対応していません"},
    {"ReplaceNoComma", u"[c].replace('a' 'b')", {{"c", "x"}}, ", が有りません"},
    {"ReplaceNewNotClosed", u"[c].replace('a','b", {{"c", "x"}}, "' が対応していません"},
    {"UsingUnquoted", u"[c].Using(###)", {{"c", "1"}}, "Using の書式は'で括ってください"},
    {"UsingNotClosed", u"[c].Using('###)", {{"c", "1"}}, "Using の書式は'で括ってください"},
    {"UsingNoParen", u"[c].Using('###' x", {{"c", "1"}}, "Using の書式は'で括ってください"},
    {"FindBareWord", u"[c].Find(b)", {{"c", "abc"}}, "' が対応していません"},
};

class MethodErrorTest : public testing::TestWithParam<ErrorCase> {};
TEST_P(MethodErrorTest, Raises) { macrotest::ExpectError(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, MethodErrorTest, testing::ValuesIn(kMethodErrors),
                         macrotest::CaseName<ErrorCase>);

TEST(MacroFindDisplayColumn, CountsDisplayColumns) {
  EXPECT_EQ(FindDisplayColumn(CString("abc"), CString("b")), 1);
  EXPECT_EQ(FindDisplayColumn(CString("あいb"), CString("b")), 4);
  EXPECT_EQ(FindDisplayColumn(CString("aい"), CString("い")), 2);
  EXPECT_EQ(FindDisplayColumn(CString(""), CString("")), -1);
  EXPECT_EQ(FindDisplayColumn(CString("abc"), CString("x")), -1);
}

}  // namespace

namespace {

TEST(MacroFindColumn, WithoutNamesUsesTheTitleRowOfTheSourcesDataGrid) {
  auto set = std::make_unique<CGridSet>();
  set->m_DataGrid[1][0] = CString("単価");
  set->m_DataGrid[1][1] = CString("数量");
  set->m_DataGrid[1][2] = CString("備考");
  set->m_DataCols = 2;  // the third title lies outside the data region
  set->m_TitleRow = 1;
  CMacroEval ev;
  EXPECT_EQ(ev.FindColumn(CString("単価")), 0);  // no source: no name is found
  ev.m_TitleSource = set.get();
  EXPECT_EQ(ev.FindColumn(CString("単価")), 1);
  EXPECT_EQ(ev.FindColumn(CString("数量")), 2);
  EXPECT_EQ(ev.FindColumn(CString("備考")), 0);
  const CString cells[] = {CString("120"), CString("3")};
  const CString* row[] = {&cells[0], &cells[1]};
  ev.m_RowCells = row;
  ev.m_ValueCount = 2;
  EXPECT_DOUBLE_EQ(ev.Evaluate(u"return [単価]*[数量]", 2), 360);
  set->m_TitleRow = -1;  // no title row: no name is found
  EXPECT_EQ(ev.FindColumn(CString("単価")), 0);
}

struct QuoteCase {
  const char* name;
  const char16_t* at;  // text from the backslash on
  bool escaped;
};

void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }

const QuoteCase kQuoteCases[] = {
    {"BeforeLetters", u"\\'s'", true},
    {"AtEnd", u"\\'", true},
    {"BlanksThenEnd", u"\\'   ", true},
    {"BeforeOperator", u"\\' + 'x'", false},
    {"BeforeComma", u"\\',2)", false},
    {"BeforeParen", u"\\')", false},
    {"BeforeColon", u"\\':", false},
    {"BeforeThen", u"\\' then return 1", false},
    {"BeforeElse", u"\\' else return 1", false},
    {"BeforeDefault", u"\\'default:", false},
    {"BeforeThenWord", u"\\' thenx", true},
    {"NoQuote", u"\\x", false},
};

std::string QuoteCaseName(const testing::TestParamInfo<QuoteCase>& info) { return info.param.name; }

class EscapedQuoteTest : public testing::TestWithParam<QuoteCase> {};
TEST_P(EscapedQuoteTest, Decides) { EXPECT_EQ(IsEscapedQuote(GetParam().at), GetParam().escaped); }
INSTANTIATE_TEST_SUITE_P(Macro, EscapedQuoteTest, testing::ValuesIn(kQuoteCases), QuoteCaseName);

TEST(MacroReading, LongTextsAreReadWhole) {
  const std::string digits(1200, '1');
  macrotest::TestRow row({{"a", digits.c_str()}});
  CMacroEval ev;
  const macrotest::Outcome out = macrotest::Evaluate(ev, row, u"[a].reading()");
  // 1200 readings and 1199 separators.
  EXPECT_EQ(out.text.GetLength(), 1200 * 2 + 1199);
}

}  // namespace
