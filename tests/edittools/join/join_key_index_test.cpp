#include "edittools/join/join_key_index.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

std::vector<JOINKEY> Index(std::initializer_list<const char16_t*> keys) {
  std::vector<JOINKEY> index;
  int row = 0;
  for (const char16_t* k : keys) index.push_back(JOINKEY{row++, -1, k});
  std::sort(index.begin(), index.end(), CompareJoinKeys);
  return index;
}

TEST(FindJoinKey, FindsEveryKeyAndNoOther) {
  // Sizes 1 to 9 so that the halving meets every shape of range.
  std::vector<CString> keys = {u"a", u"c", u"e", u"g", u"i", u"k", u"m", u"o", u"q"};
  for (size_t n = 1; n <= keys.size(); ++n) {
    std::vector<JOINKEY> index;
    for (size_t i = 0; i < n; ++i) index.push_back(JOINKEY{static_cast<int>(i), 0, keys[i]});
    for (size_t i = 0; i < n; ++i) {
      EXPECT_EQ(FindJoinKey(0, index, keys[i]), static_cast<int>(i)) << n << " " << keys[i];
      CString between = keys[i] + u"+";
      EXPECT_EQ(FindJoinKey(0, index, between), -1) << n << " " << between;
    }
    EXPECT_EQ(FindJoinKey(0, index, u""), -1);
  }
  EXPECT_EQ(FindJoinKey(1, {}, u"a"), -1);
}

TEST(FindJoinKey, ToFirstStepsBackOverEqualKeys) {
  const std::vector<JOINKEY> index = Index({u"b", u"b", u"b", u"a", u"c", u"b"});
  const int pos = FindJoinKey(1, index, u"b");
  ASSERT_EQ(pos, 1);
  EXPECT_EQ(index[pos].row, 0);   // equal keys are in row order
  EXPECT_EQ(index[FindJoinKey(1, index, u"c")].key, CString(u"c"));
}

TEST(CompareJoinKeys, CodeUnitOrderThenRow) {
  EXPECT_TRUE(CompareJoinKeys(JOINKEY{5, 0, u"A"}, JOINKEY{1, 0, u"a"}));
  EXPECT_TRUE(CompareJoinKeys(JOINKEY{1, 0, u"x"}, JOINKEY{2, 0, u"x"}));
  EXPECT_FALSE(CompareJoinKeys(JOINKEY{2, 0, u"x"}, JOINKEY{2, 0, u"x"}));
  EXPECT_TRUE(TextLess(u"株", u"Ｚ"));   // U+682A before U+FF3A: no locale order
}

}  // namespace
