// The syntax checker: findings, the one message box, silent mode.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/macro_check.h"
#include "macro/macro_error.h"
#include "platform/ui_hooks.h"

namespace {

struct CheckCase {
  const char* name;
  const char16_t* text;  // as the macro editor passes it (wrapped in "return " unless an if)
  std::vector<const char*> names;
  std::vector<const char*> findings;  // empty: the text is fine
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

const CheckCase kCheckCases[] = {
    {"FieldKnown", u"return [売上] * 1.1", {"売上"}, {}},
    {"FieldMissing", u"return [売上] * 1.1", {}, {"[売上]はありません"}},
    {"DigitNameLookedUp", u"return [7]", {}, {"[7]はありません"}},
    {"BangEquals", u"return [a] != 1", {"a"}, {"!=　は使えません"}},
    {"BangAlone", u"return [a] ! 1", {"a"}, {}},
    {"BangBlankEquals", u"return [a] ! = 1", {"a"}, {}},
    {"DoubleEquals", u"return [a] == 1", {"a"}, {"==　は使えません"}},
    {"LessOrEqual", u"if [a] <= 1 then return 1", {"a"}, {}},
    {"PlusAtEnd", u"return [a] +", {"a"}, {"末尾の　+ は使えません。"}},
    {"TimesAtEnd", u"return [a] * ", {"a"}, {"末尾の　* は使えません。"}},
    {"BareWord", u"return abc + 1", {}, {" abc  異常な文字がありました。"}},
    {"DigitsThenLetters", u"return 12abc", {}, {}},
    {"TwoPoints", u"return 1.2.3", {}, {"数値の中にコンマが複数あります"}},
    {"PointFirstNotCounted", u"return .5.5", {}, {}},
    {"AttributesThenReturn", u"if [a]>0 then TextColor('赤') return 1", {"a"}, {}},
    {"AttributesOnly", u"if [a]>0 then TextColor('赤')", {"a"}, {}},
    {"WordAfterReturn", u"if [a]>0 then return 1 foo", {"a"}, {"return 以降に不明の処理があります->  foo"}},
    {"ThenAfterElse", u"if [a]>0 then return 1 else then return 2", {"a"}, {"else 直後に　then　は使えません"}},
    {"ElseIfChecked", u"if [a]>0 then return 1 else if [b]>0 then return 2 else return [c]", {"a"},
     {"[b]はありません", "[c]はありません"}},
    {"ElseSetNotClosed", u"if [a]>0 then return 1 else set(0", {"a"}, {"setが')' で括られたいません"}},
    {"ElseSetClosed", u"if [a]>0 then set(1) else set(0)", {"a"}, {}},
    {"ReadingUnknown", u"return [a].reading()", {"a"}, {"[a].後の　reading() は不正の文字です。"}},
    {"ReferTwoNumbers", u"return [a].refer(1,2)", {"a"}, {"[a].refer の　引数の数が正しくありません"}},
    {"ReferThreeNumbers", u"return [a].refer(1,2,3)", {"a"}, {}},
    {"ReferNotClosed", u"return [a].refer(1,2,3", {"a"}, {"[a].refer の　')' が対応していません"}},
    {"UnknownFunction", u"return foo(1)", {}, {"foo(1) こんな関数はありません"}},
    {"MinDataNotClosed", u"return mindata([a],[b]", {"a", "b"}, {"mindata の　')' が対応していません"}},
    {"MinDataFieldsChecked", u"return maxdata([a],[x])", {"a"}, {"[x]はありません"}},
    {"MethodAfterParentheses", u"return ([a]).Left(2)", {"a"}, {"( が閉じてない１"}},
    {"MethodInsideParentheses", u"return (([a]).Left(2))", {"a"}, {}},
    {"OpenParenAtEnd", u"return (", {}, {"( が閉じてない。３"}},
    {"ParenNotClosed", u"return (1 + 2", {}, {"( が閉じてない。２"}},
    {"CloseParenAsOperand", u"return )", {}, {"意味のない　')'が有ります"}},
    {"CloseBracketAsOperand", u"return ]", {}, {"意味のない　']'が有ります", " ]  異常な文字がありました。"}},
    {"FieldNotClosed", u"return [ab", {}, {"ab の [ が閉じてない"}},
    {"FieldAfterField", u"return [a][b]", {"a", "b"}, {"[a]の後に [ は使えません。"}},
    {"DotAtEnd", u"return [a].", {"a"}, {"[a]. 以降が完結していない。"}},
    {"BlankAfterDot", u"return [a]. Left(1)", {"a"}, {"タグ名後 [a]. の後に空白は使えせん。"}},
    {"SymbolAfterDot", u"return [a].(1)", {"a"}, {"タグ名後 [a]. の後に'('は使えせん。"}},
    {"LeftNotClosed", u"return [a].Left(2", {"a"}, {"[a].left( の ')' が対応していません"}},
    {"MidOneArgumentNotClosed", u"return [a].Mid(2", {"a"}, {"[a].Mid の引数の数が異常です"}},
    {"MidFirstBelowOne", u"return [a].Mid(0,1)", {"a"}, {"[a].Mid の第一引数は１以上を設定して下さい"}},
    {"MidTwoNotClosed", u"return [a].Mid(1,2", {"a"}, {"[a].Mid( の ')' が対応していません"}},
    {"RightNotClosed", u"return [a].Right(1", {"a"}, {"[a].Right(の ')' が対応していません"}},
    {"DateNotClosed", u"return [a].date(yy", {"a"}, {"[a].date( の ')' が対応していません"}},
    {"AddDateUnquoted", u"return [a].AddDate(d,1)", {"a"}, {"[a].AddDateの　引数の数が異常です"}},
    {"AddDateEndsAfterUnit", u"return [a].AddDate('d'", {"a"}, {"[a].AddDateの　引数の数が異常です"}},
    {"AddDateNotClosed", u"return [a].AddDate('d',1", {"a"}, {"[a].AddDateの　引数の数が異常です"}},
    {"AddDateFine", u"return [a].AddDate('m',1)", {"a"}, {}},
    {"ReplaceUnquoted", u"return [a].replace(x,y)", {"a"}, {"[a].replace の ['] が対応していません"}},
    {"ReplaceOldNotClosed", u"return [a].replace('x", {"a"}, {"[a].replace の ['] が対応していません"}},
    {"ReplaceNoComma", u"return [a].replace('x' 'y')", {"a"}, {"[a].replace の [,] が有りません"}},
    {"ReplaceNotClosed", u"return [a].replace('x','y", {"a"}, {"[a].replace の ['] が対応していません"}},
    {"ReplaceFine", u"return [a].replace('x','y')", {"a"}, {}},
    {"TrimNotClosed", u"return [a].trim(", {"a"}, {"[a].trim の　')' が対応していません"}},
    {"LenNotClosed", u"return [a].len(", {"a"}, {"[a].len の　')' が対応していません"}},
    {"TombNotClosed", u"return [a].tomb(", {"a"}, {"[a].tomb の　')' が対応していません"}},
    {"ToascNotClosed", u"return [a].toasc(", {"a"}, {"[a].toasc の　')' が対応していません"}},
    {"ToupperNotClosed", u"return [a].toupper(", {"a"}, {"[a].toupper の　')' が対応していません"}},
    {"TolowerNotClosed", u"return [a].tolower(", {"a"}, {"[a].tolower の　')' が対応していません"}},
    {"UsingUnquoted", u"return [a].Using(###)", {"a"}, {"[a].Using の書式は'で括ってください"}},
    {"FindBareWord", u"return [a].Find(b)", {"a"}, {"[a].Find の引数が正しくありません"}},
    {"ElementFine", u"return [a].element('-',2)", {"a"}, {}},
    {"RoundMissingComma", u"return round([a] 1)", {"a"}, {"round の　','  が対応していません"}},
    {"RoundBadMode", u"return round([a],0,3)", {"a"}, {"1:切捨 5:四捨五入 9:切上 の値を設定してください"}},
    {"RoundNotClosed", u"return round([a],0,5", {"a"}, {"round の　')' が対応していません"}},
    {"RoundFine", u"return round([a],0,5)", {"a"}, {}},
    {"AbsNotClosed", u"return abs([a]", {"a"}, {"abs の　')' が対応していません"}},
    {"Log10NotClosed", u"return log10([a]", {"a"}, {"log10 の　')' が対応していません"}},
    {"SinNotClosed", u"return sin([a]", {"a"}, {"sin の　')' が対応していません"}},
    {"CosNotClosed", u"return cos([a]", {"a"}, {"cos の　')' が対応していません"}},
    {"TanNotClosed", u"return tan([a]", {"a"}, {"tan の　')' が対応していません"}},
    {"ValNotClosed", u"return val([a]", {"a"}, {"val の　')' が対応していません"}},
    {"VtoaNotClosed", u"return vtoa([a]", {"a"}, {"vtoa の　')' が対応していません"}},
    {"RepeatNoText", u"return repeatString(3, 2)", {}, {"repeatStringに 引数が有りません"}},
    {"RepeatTextNotClosed", u"return repeatString('ab", {}, {"repeatStringに ['] が対応していません"}},
    {"RepeatNoComma", u"return repeatString('ab' 2)", {}, {"repeatStringに ['] 有りません"}},
    {"RepeatNotClosed", u"return repeatString('ab', 2", {}, {"repeatString　の ')' が対応していません"}},
    {"RepeatFine", u"return repeatString([a], 2)", {"a"}, {}},
    {"SumFine", u"return SUM(1,3)", {}, {}},
    {"TimeSpanThenLiteral", u"return TimeSpan(1,2)", {}, {}},
    {"TextAfterRatioIsALiteral", u"return Ratio([売上])(1)", {"売上"}, {" (  異常な文字がありました。"}},
    {"TextAfterUnknownCallIsALiteral", u"return foo(1)abc", {}, {"foo(1) こんな関数はありません", " abc  異常な文字がありました。"}},
    {"RatioField", u"return Ratio([売上])", {"売上"}, {}},
    {"RatioMissingField", u"return Ratio([x])", {}, {"[x]はありません"}},
    {"FindingsInOrder", u"return [x] + abc", {}, {"[x]はありません", " abc  異常な文字がありました。"}},
    {"EmptyText", u"", {}, {}},
};

std::string CheckCaseName(const testing::TestParamInfo<CheckCase>& info) { return info.param.name; }

class CheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, ShowsOneBox) {
  const CheckCase& c = GetParam();
  std::vector<CString> names;
  for (const char* n : c.names) names.emplace_back(n);
  RecordingUiHooks hooks;
  CMacroCheck check;
  const int result = check.Check(c.text, &names, false);

  CString expected(u"項目評価　OK");
  if (!c.findings.empty()) {
    expected = u"【構文エラー】\n";
    for (const char* f : c.findings) {
      expected += CString(f);
      expected += u"\n";
    }
    expected += u"\n＊必ず確認してください";
  }
  EXPECT_EQ(result, c.findings.empty() ? 1 : 0);
  const std::vector<RecordingUiHooks::Box> boxes = hooks.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, expected);
  EXPECT_EQ(boxes[0].caption, CString(u"タブロコネクト"));
  EXPECT_EQ(boxes[0].type, unsigned(MB_OK));
}

INSTANTIATE_TEST_SUITE_P(Macro, CheckTest, testing::ValuesIn(kCheckCases), CheckCaseName);

TEST(MacroCheck, SilentShowsOnlyFindings) {
  std::vector<CString> names = {CString("a")};
  RecordingUiHooks hooks;
  CMacroCheck check;
  EXPECT_EQ(check.Check(u"return [a] + 1", &names, true), 1);
  EXPECT_TRUE(hooks.Boxes().empty());
  EXPECT_EQ(check.Check(u"return [b] + 1", &names, true), 0);
  ASSERT_EQ(hooks.Messages().size(), 1u);
  EXPECT_EQ(hooks.Messages()[0], CString(u"【構文エラー】\n[b]はありません\n\n＊必ず確認してください"));
}

TEST(MacroCheck, FindingsDoNotCarryOver) {
  RecordingUiHooks hooks;
  CMacroCheck check;
  EXPECT_EQ(check.Check(u"return [x]", nullptr, true), 0);
  EXPECT_EQ(check.Check(u"return 1", nullptr, true), 1);
  EXPECT_TRUE(check.m_Errors.empty());
}

struct ChainCase {
  const char* name;
  const char16_t* head;
  const char16_t* link;  // repeated 100000 times after the head
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

// Each once exhausted the stack: every link nests one level deeper.
const ChainCase kLongChains[] = {
    {"ElseIf", u"if [a]>0 then return 1", u" else if [a]>0 then return 1"},
    {"AndAfterComparison", u"if [a]", u"=1 & [a]"},
};

class LongChainTest : public testing::TestWithParam<ChainCase> {};

TEST_P(LongChainTest, EndsWithAFinding) {
  std::u16string text = GetParam().head;
  for (int i = 0; i < 100000; ++i) text += GetParam().link;
  std::vector<CString> names = {CString("a")};
  RecordingUiHooks hooks;
  CMacroCheck check;
  EXPECT_EQ(check.Check(text.c_str(), &names, true), 0);
  ASSERT_EQ(check.m_Errors.size(), 1u);
  EXPECT_EQ(check.m_Errors[0], CString(kMacroTooDeepMessage));
}

INSTANTIATE_TEST_SUITE_P(Macro, LongChainTest, testing::ValuesIn(kLongChains),
                         [](const testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

TEST(MacroCheck, DeepNestingIsAFinding) {
  RecordingUiHooks hooks;
  CMacroCheck check;
  const std::u16string deep = u"return " + std::u16string(5000, u'(') + u"1";
  EXPECT_EQ(check.Check(deep.c_str(), nullptr, true), 0);
  ASSERT_FALSE(check.m_Errors.empty());
  EXPECT_EQ(check.m_Errors.back(), CString(kMacroTooDeepMessage));
}

}  // namespace
