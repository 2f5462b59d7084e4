// Drawing attributes at the head of a branch.

#include <gtest/gtest.h>

#include <vector>

#include "macro/macro_eval.h"
#include "tests/macro/macro_case.h"

namespace {

using macrotest::ErrorCase;
using macrotest::Field;

struct AttributeCase {
  const char* name;
  const char16_t* macro;
  std::vector<Field> row;
  int flags;               // the whole m_Flags
  int kind;                // ResultKind
  double value;
  int CMacroEval::*member;  // stored value to check; null: none
  int stored;
};

void PrintTo(const AttributeCase& c, std::ostream* os) { *os << c.name; }

const AttributeCase kAttributeCases[] = {
    {"TextColorRed", u"if [a]>0 then TextColor('赤') return [a]", {{"a", "5"}},
     MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR, MACRO_NUMBER, 5, &CMacroEval::m_TextColor, 0x0000FF},
    {"ColourWithoutQuotes", u"if [a]>0 then TextColor(赤) return [a]", {{"a", "5"}},
     MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR, MACRO_NUMBER, 5, &CMacroEval::m_TextColor, 0},
    {"PastColorBlue", u"if 1=1 then PastColor('青') return 1", {}, MACRO_NUMBER | MACRO_ATTR_PASTCOLOR,
     MACRO_NUMBER, 1, &CMacroEval::m_PastColor, 0xFF0000},
    {"LineColorYellow", u"if 1=1 then LineColor('黄') return 'x'", {}, MACRO_TEXT | MACRO_ATTR_LINECOLOR,
     MACRO_TEXT, 0, &CMacroEval::m_LineColor, 0x00FFFF},
    {"ColourFromField", u"if 1=1 then TextColor([c]) return 1", {{"c", "'シアン'"}},
     MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR, MACRO_NUMBER, 1, &CMacroEval::m_TextColor, 0xFFFF00},
    {"ColourMagenta", u"if 1=1 then TextColor('マゼンタ') return 1", {}, MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR,
     MACRO_NUMBER, 1, &CMacroEval::m_TextColor, 0xFF00FF},
    {"ColourGrey", u"if 1=1 then TextColor('灰') return 1", {}, MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR,
     MACRO_NUMBER, 1, &CMacroEval::m_TextColor, 0xC0C0C0},
    {"ColourWhite", u"if 1=1 then PastColor('白') return 1", {}, MACRO_NUMBER | MACRO_ATTR_PASTCOLOR,
     MACRO_NUMBER, 1, &CMacroEval::m_PastColor, 0xFFFFFF},
    {"ColourGreen", u"if 1=1 then PastColor('緑') return 1", {}, MACRO_NUMBER | MACRO_ATTR_PASTCOLOR,
     MACRO_NUMBER, 1, &CMacroEval::m_PastColor, 0x00FF00},
    {"FontNoStoresMinusOne", u"if 1=1 then FontNo(3) return 1", {}, MACRO_NUMBER | MACRO_ATTR_FONTNO,
     MACRO_NUMBER, 1, &CMacroEval::m_FontNo, 2},
    {"FontStyle", u"if 1=1 then FontStyle(3) return 1", {}, MACRO_NUMBER | MACRO_ATTR_FONTSTYLE,
     MACRO_NUMBER, 1, &CMacroEval::m_FontStyle, 3},
    {"EraseVertLine", u"if 1=1 then eraseVertLine(0) return 1", {},
     MACRO_NUMBER | MACRO_ATTR_ERASEVERTLINE, MACRO_NUMBER, 1, &CMacroEval::m_EraseVertLine, 1},
    {"ColmJoin", u"if 1=1 then ColmJoin(2) return 1", {}, MACRO_NUMBER | MACRO_ATTR_COLMJOIN,
     MACRO_NUMBER, 1, &CMacroEval::m_ColmJoin, 2},
    {"SetBreak", u"if 1=1 then SetBreak(0) return 1", {}, MACRO_NUMBER | MACRO_ATTR_SETBREAK,
     MACRO_NUMBER, 1, &CMacroEval::m_SetBreak, 1},
    {"LineStyleDash", u"if 1=1 then LineStyle('dash') return 1", {}, MACRO_NUMBER | MACRO_ATTR_LINESTYLE,
     MACRO_NUMBER, 1, &CMacroEval::m_LineStyle, 2},
    {"LineStyleDouble", u"if 1=1 then LineStyle('double') return 1", {}, MACRO_NUMBER | MACRO_ATTR_LINESTYLE,
     MACRO_NUMBER, 1, &CMacroEval::m_LineStyle, 9},
    {"LineStyleUnquoted", u"if 1=1 then LineStyle(dash) return 1", {}, MACRO_NUMBER | MACRO_ATTR_LINESTYLE,
     MACRO_NUMBER, 1, &CMacroEval::m_LineStyle, 0},
    {"LineWidth", u"if 1=1 then LineWidth(5) return 1", {}, MACRO_NUMBER | MACRO_ATTR_LINEWIDTH,
     MACRO_NUMBER, 1, &CMacroEval::m_LineWidth, 5},
    {"DrawHPos", u"if 1=1 then DrawHPos(-7) return 1", {}, MACRO_NUMBER | MACRO_ATTR_DRAWHPOS,
     MACRO_NUMBER, 1, &CMacroEval::m_DrawHPos, -7},
    {"StrikeOutZeroIsOne", u"if 1=1 then StrikeOut(0) return 1", {}, MACRO_NUMBER | MACRO_ATTR_STRIKEOUT,
     MACRO_NUMBER, 1, &CMacroEval::m_StrikeOut, 1},
    {"StrikeOutTwo", u"if 1=1 then StrikeOut(2) return 1", {}, MACRO_NUMBER | MACRO_ATTR_STRIKEOUT,
     MACRO_NUMBER, 1, &CMacroEval::m_StrikeOut, 2},
    {"AttributesInElse", u"if 1=2 then return 1 else TextColor('黒') FontNo(2) set(9)", {},
     MACRO_NUMBER | MACRO_ATTR_TEXTCOLOR | MACRO_ATTR_FONTNO, MACRO_NUMBER, 9, &CMacroEval::m_FontNo, 1},
    {"UntakenBranchNotRead", u"if [a]>0 then Bold(1) return 1", {{"a", "0"}}, 0, 0, 0, nullptr, 0},
    {"ChainedListEndsAtWord", u"if [a]>0 then SetBreak(0) Bold(1) return 1", {{"a", "1"}},
     MACRO_ATTR_SETBREAK, 0, 1, nullptr, 0},
    // The share and running-total kinds come only from their statements.
    {"LineColorIsNoShare", u"if 1=1 then LineColor('緑')", {}, MACRO_ATTR_LINECOLOR, 0, 1,
     &CMacroEval::m_LineColor, 0x00FF00},
    {"FontNoIsNoRunningTotal", u"if 1=1 then FontNo(2)", {}, MACRO_ATTR_FONTNO, 0, 1, &CMacroEval::m_FontNo, 1},
};

std::string AttributeCaseName(const testing::TestParamInfo<AttributeCase>& info) { return info.param.name; }

class AttributeTest : public testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeTest, Stores) {
  const AttributeCase& c = GetParam();
  CMacroEval ev;
  macrotest::TestRow row(c.row);
  const macrotest::Outcome out = macrotest::Evaluate(ev, row, c.macro);
  ASSERT_TRUE(out.error.IsEmpty()) << "raised: " << out.error;
  EXPECT_EQ(ev.m_Flags, c.flags);
  EXPECT_STREQ(macrotest::KindName(out.kind), macrotest::KindName(c.kind));
  EXPECT_DOUBLE_EQ(out.value, c.value);
  if (c.member != nullptr) {
    EXPECT_EQ(ev.*c.member, c.stored);
  }
}

INSTANTIATE_TEST_SUITE_P(Macro, AttributeTest, testing::ValuesIn(kAttributeCases), AttributeCaseName);

struct DrawCase {
  const char* name;
  const char16_t* macro;
  std::vector<Field> row;
  const char* drawText;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

const DrawCase kDrawCases[] = {
    {"NumberCutToInteger", u"if 1=1 then DrawItem('%d件', [数]) return 1", {{"数", "12.7"}}, "12件"},
    {"PercentDFilledFirst", u"if 1=1 then DrawItem('%s件 %d円', [名], [額]) return 1",
     {{"名", "山田"}, {"額", "1500"}}, "1500件 山田円"},
    {"AtMostFourValues", u"if 1=1 then DrawItem('%d%d%d%d%d', 1, 2, 3, 4) return 1", {}, "1234%d"},
    {"NoValues", u"if 1=1 then DrawItem('見出し') return 1", {}, "見出し"},
    {"TextValue", u"if 1=1 then DrawItem('[%s]', 'x' + 'y') return 1", {}, "[xy]"},
};

std::string DrawCaseName(const testing::TestParamInfo<DrawCase>& info) { return info.param.name; }

class DrawItemTest : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawItemTest, Fills) {
  const DrawCase& c = GetParam();
  CMacroEval ev;
  macrotest::TestRow row(c.row);
  const macrotest::Outcome out = macrotest::Evaluate(ev, row, c.macro);
  ASSERT_TRUE(out.error.IsEmpty()) << "raised: " << out.error;
  EXPECT_TRUE(ev.m_Flags & MACRO_ATTR_DRAWITEM);
  EXPECT_EQ(ev.m_DrawText, CString(c.drawText));
}

INSTANTIATE_TEST_SUITE_P(Macro, DrawItemTest, testing::ValuesIn(kDrawCases), DrawCaseName);

const ErrorCase kAttributeErrors[] = {
    {"UnknownAttribute", u"if [a]>0 then Bold(1) return 1", {{"a", "1"}}, "　Bold(1)　 は正しく評価できません"},
    {"UnknownAfterUnchained", u"if 1=1 then TextColor('赤') Bold(1) return 1", {}, "　Bold(1)　 は正しく評価できません"},
    {"FontNoZero", u"if 1=1 then FontNo(0) return 1", {}, "フォント番号は１以上を設定してください"},
    {"FontNoWithoutValue", u"if 1=1 then FontNo return 1", {}, "フォント番号は１以上を設定してください"},
    {"DrawItemUnquoted", u"if 1=1 then DrawItem(x) return 1", {}, "'　が有りません"},
};

class AttributeErrorTest : public testing::TestWithParam<ErrorCase> {};
TEST_P(AttributeErrorTest, Raises) { macrotest::ExpectError(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Macro, AttributeErrorTest, testing::ValuesIn(kAttributeErrors),
                         macrotest::CaseName<ErrorCase>);

TEST(MacroAttributes, ColoursOutliveTheRowButFlagsDoNot) {
  CMacroEval ev;
  macrotest::TestRow row({});
  macrotest::Evaluate(ev, row, u"if 1=1 then TextColor('赤') FontNo(4) DrawItem('見出し') return 1");
  macrotest::Evaluate(ev, row, u"return 2");
  EXPECT_EQ(ev.m_Flags, MACRO_NUMBER);
  EXPECT_EQ(ev.m_TextColor, 0x0000FF);
  EXPECT_EQ(ev.m_FontNo, 0);
  EXPECT_EQ(ev.m_DrawText, CString(u"見出し"));
  // A DrawItem without its parenthesis keeps the text it had.
  macrotest::Evaluate(ev, row, u"if 1=1 then DrawItem return 3");
  EXPECT_EQ(ev.m_Flags, MACRO_NUMBER | MACRO_ATTR_DRAWITEM);
  EXPECT_EQ(ev.m_DrawText, CString(u"見出し"));
}

}  // namespace
