#include <gtest/gtest.h>

#include <string>

#include "edittools/join/join_link_rules.h"

namespace {

TEST(JoinLinkRules, DropsMakeTheLinkOfTheirPair) {
  struct Case {
    const char* name;
    int target, source;
    bool makes;
    ALIGN link;   // with drop row 4 on the target and dragged row 7 of the source
    int array;
  };
  const Case cases[] = {
      {"first add onto loaded", 0, 1, true, {0, 1, 4, 7}, 0},
      {"loaded onto first add", 1, 0, true, {0, 1, 7, 4}, 0},
      {"second add onto loaded", 0, 2, true, {0, 2, 4, 7}, 1},
      {"loaded onto second add", 2, 0, true, {0, 2, 7, 4}, 1},
      {"second add onto first", 1, 2, true, {1, 2, 4, 7}, 1},
      {"first add onto second", 2, 1, true, {1, 2, 7, 4}, 1},
      {"loaded onto serial list", 3, 0, true, {0, 3, 7, 4}, 2},
      {"first add onto serial list", 3, 1, true, {1, 3, 7, 4}, 2},
      {"own rows", 1, 1, false, {}, 0},
      {"serial list onto loaded", 0, 3, false, {}, 0},
      {"serial list onto first add", 1, 3, false, {}, 0},
  };
  for (const Case& c : cases) {
    ALIGN link{-1, -1, -1, -1};
    int array = -1;
    ASSERT_EQ(LinkForDrop(c.target, 4, c.source, 7, link, array), c.makes) << c.name;
    if (!c.makes) continue;
    EXPECT_EQ(link.listA, c.link.listA) << c.name;
    EXPECT_EQ(link.listB, c.link.listB) << c.name;
    EXPECT_EQ(link.itemA, c.link.itemA) << c.name;
    EXPECT_EQ(link.itemB, c.link.itemB) << c.name;
    EXPECT_EQ(array, c.array) << c.name;
  }
}

TEST(JoinLinkRules, ChecksInTheirOrder) {
  struct Case {
    const char* name;
    std::vector<ALIGN> arrays[JOIN_LINK_ARRAYS];
    int array;
    ALIGN link;
    int expected;
  };
  const Case cases[] = {
      {"first link", {{}, {}, {}}, 0, {0, 1, 0, 0}, LINK_OK},
      {"third key link", {{{0, 1, 0, 0}, {0, 1, 1, 1}}, {}, {}}, 0, {0, 1, 2, 2}, LINK_ARRAY_FULL},
      {"third serial link", {{}, {}, {{0, 3, 0, 0}, {1, 3, 0, 0}}}, 2, {0, 3, 1, 1}, LINK_OK},
      {"loaded field twice", {{{0, 1, 0, 0}}, {}, {}}, 0, {0, 1, 0, 1}, LINK_FIELD_USED},
      {"additional field twice", {{{0, 1, 0, 0}}, {}, {}}, 0, {0, 1, 1, 0}, LINK_FIELD_USED},
      {"same loaded field to the other CSV", {{{0, 1, 0, 0}}, {}, {}}, 1, {0, 2, 0, 0}, LINK_OK},
      {"loaded to second after first to second", {{}, {{1, 2, 0, 0}}, {}}, 1, {0, 2, 1, 1}, LINK_BAD_CHAIN},
      {"first to second after loaded to second", {{}, {{0, 2, 0, 0}}, {}}, 1, {1, 2, 1, 1}, LINK_BAD_CHAIN},
      {"full before chaining", {{}, {{1, 2, 0, 0}, {1, 2, 1, 1}}, {}}, 1, {0, 2, 2, 2}, LINK_ARRAY_FULL},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckLink(c.arrays, c.array, c.link), c.expected) << c.name;
  EXPECT_EQ(LinkRefusalText(LINK_FIELD_USED), CString(u"同じフィールド名に対して複数の繋ぎを設定することはできません"));
  EXPECT_TRUE(LinkRefusalText(LINK_OK).IsEmpty());
}

}  // namespace
