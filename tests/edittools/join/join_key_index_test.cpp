#include "edittools/join/join_key_index.h"

#include <algorithm>
#include <string>
#include <vector>

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

// Keys whose order the heads alone cannot decide: equal first eight units, one key
// the start of another, a zero unit, units above 0x7FFF.
const std::vector<std::u16string> kAwkwardKeys = {
    u"ABCDEFGH", u"ABCDEFGHI", u"ABCDEFGHJ", u"ABCDEFGH\u0000", u"ABCDEFG", u"ABCDEFGHIJKLMNOPQ",
    u"ABCDEFGHIJKLMNOPP", u"A", u"", u"B", u"株式会社東京商事", u"株式会社東京商事本店", u"株",
    u"\uFFFF", u"\u0000", u"C10000", u"C10001", u"C1000", u"ABCDEFGHI", u"A", u"AZ", u"BA",
    u"AAAABZ", u"AAAACA", u"AAAAAAAB\u0001", u"AAAAAAAA\uFFFF"};

TEST(SortJoinKeys, SameOrderAsCompareJoinKeys) {
  std::vector<JOINKEY> expected;
  int row = 0;
  for (const std::u16string& k : kAwkwardKeys) expected.push_back(JOINKEY{row++, 0, CString(k)});
  std::vector<JOINKEY> sorted = expected;
  std::sort(expected.begin(), expected.end(), CompareJoinKeys);
  std::vector<JoinKeyHead> heads;
  SortJoinKeys(sorted, heads);
  ASSERT_EQ(sorted.size(), expected.size());
  ASSERT_EQ(heads.size(), sorted.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    EXPECT_EQ(sorted[i].row, expected[i].row) << i;
    EXPECT_EQ(sorted[i].key, expected[i].key) << i;
  }
}

TEST(FindJoinKey, WithHeadsFindsWhatTheTextsFind) {
  std::vector<JOINKEY> index;
  int row = 0;
  for (const std::u16string& k : kAwkwardKeys) index.push_back(JOINKEY{row++, 0, CString(k)});
  std::vector<JoinKeyHead> heads;
  SortJoinKeys(index, heads);
  std::vector<std::u16string> probes = kAwkwardKeys;
  for (const char16_t* absent : {u"ABCDEFGH\u0000\u0000", u"ABCDEFGHIJ", u"AB", u"C100000", u"\uFFFE"}) {
    probes.push_back(absent);
  }
  for (const std::u16string& p : probes) {
    for (int toFirst : {0, 1}) {
      EXPECT_EQ(FindJoinKey(toFirst, index, heads, CString(p)), FindJoinKey(toFirst, index, CString(p)))
          << CString(p) << " " << toFirst;
    }
  }
}

TEST(CompareJoinKeys, CodeUnitOrderThenRow) {
  EXPECT_TRUE(CompareJoinKeys(JOINKEY{5, 0, u"A"}, JOINKEY{1, 0, u"a"}));
  EXPECT_TRUE(CompareJoinKeys(JOINKEY{1, 0, u"x"}, JOINKEY{2, 0, u"x"}));
  EXPECT_FALSE(CompareJoinKeys(JOINKEY{2, 0, u"x"}, JOINKEY{2, 0, u"x"}));
  EXPECT_TRUE(TextLess(u"株", u"Ｚ"));   // U+682A before U+FF3A: no locale order
}

}  // namespace
