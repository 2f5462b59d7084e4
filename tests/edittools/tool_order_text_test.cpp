#include <gtest/gtest.h>

#include "edittools/chain/tool_order_text.h"

namespace {

using enum ToolKind;

struct OrderCase {
  const char* name;
  TOOLORDER order;
  const char16_t* text;
  const char16_t* letters;
};

const OrderCase kOrderCases[] = {
    {"empty order", {}, u"", u""},
    {"sort only", {TOOLSLOT{kSort, 1}}, u"04-01/00-00/00-00/00-00/00-00", u"ソ"},
    {"aggregation then sort", {TOOLSLOT{kPivot, 1}, TOOLSLOT{kSort, 0}}, u"01-01/04-00/00-00/00-00/00-00", u"集,ソ"},
    {"join, filter, macro columns",
     {TOOLSLOT{kAddCsv, 1}, TOOLSLOT{kFilter, 0}, TOOLSLOT{kMacro, 1}},
     u"02-01/03-00/05-01/00-00/00-00",
     u"追,フ,演"},
    {"all five", {TOOLSLOT{kMacro, 0}, TOOLSLOT{kSort, 0}, TOOLSLOT{kFilter, 0}, TOOLSLOT{kAddCsv, 0}, TOOLSLOT{kPivot, 1}},
     u"05-00/04-00/03-00/02-00/01-01", u"演,ソ,フ,追,集"},
    {"a used slot after an empty first slot is not written", {TOOLSLOT{}, TOOLSLOT{kSort, 1}}, u"", u""},
};

TEST(ToolOrderText, FormatAndLetters) {
  for (const OrderCase& c : kOrderCases) {
    SCOPED_TRACE(c.name);
    const CString text = FormatToolOrder(c.order);
    EXPECT_EQ(text, c.text);
    if (!text.IsEmpty()) {
      EXPECT_EQ(ToolOrderToLetters(text), c.letters);
    }
  }
}

TEST(ToolOrderText, OnlyTheFlagChangesTheText) {
  EXPECT_NE(FormatToolOrder({TOOLSLOT{kSort, 1}}), FormatToolOrder({TOOLSLOT{kSort, 0}}));
}

TEST(ToolOrderText, LettersOfUnusualTexts) {
  // An unknown kind gives no letter but keeps its separator; a short text ends early.
  EXPECT_EQ(ToolOrderToLetters(u"07-00/04-00/00-00/00-00/00-00"), u",ソ");
  EXPECT_EQ(ToolOrderToLetters(u"03-01"), u"フ");
  EXPECT_EQ(ToolOrderToLetters(u"0"), u"");
}

}  // namespace
