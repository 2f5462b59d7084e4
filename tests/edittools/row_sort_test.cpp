#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include "edittools/sort/row_sort.h"
#include "edittools/sort/sort_grid.h"
#include "grid/date_text.h"

namespace {

SORTDAT Row(int seq, std::vector<CString> keys) {
  SORTDAT d;
  d.rowSequence = seq;
  d.keys = std::move(keys);
  return d;
}

struct CompareCase {
  const char* name;
  int type;
  int descending;
  const char16_t* a;
  const char16_t* b;
  int expected;
};

const CompareCase kCompareCases[] = {
    {"text: upper case before lower case", SORT_AS_TEXT, 0, u"B", u"a", -1},
    {"text: 10 before 9", SORT_AS_TEXT, 0, u"10", u"9", -1},
    {"text: a prefix first", SORT_AS_TEXT, 0, u"ab", u"abc", -1},
    {"text: descending reverses", SORT_AS_TEXT, 1, u"B", u"a", 1},
    {"text: above the BMP by code unit", SORT_AS_TEXT, 0, u"\U0002000B", u"\uFF21", -1},
    {"number: comma ends the number", SORT_AS_NUMBER, 0, u"1,000", u"2", -1},
    {"number: yen sign counts as 0", SORT_AS_NUMBER, 0, u"￥500", u"0", 0},
    {"number: text counts as 0", SORT_AS_NUMBER, 0, u"abc", u"", 0},
    {"number: a leading blank is skipped", SORT_AS_NUMBER, 0, u" 12", u"12", 0},
    {"number: exponent", SORT_AS_NUMBER, 0, u"1e3", u"999", 1},
    {"number: descending", SORT_AS_NUMBER, 1, u"5", u"7", 1},
    {"date: forms compare equal", SORT_AS_DATE, 0, u"2020/01/05", u"2020-1-5", 0},
    {"date: 年月日 equals slashes", SORT_AS_DATE, 0, u"2020年1月5日", u"2020.1.5", 0},
    {"date: by day, not by text", SORT_AS_DATE, 0, u"2020/1/5", u"2020/1/10", -1},
    {"date: impossible before every date", SORT_AS_DATE, 0, u"2020/2/30", u"1900/1/1", -1},
    {"date: empty after impossible", SORT_AS_DATE, 0, u"", u"2020/2/30", 1},
    {"date: empty before possible", SORT_AS_DATE, 0, u"", u"1900/1/1", -1},
    {"date: eight digits after every date with separators", SORT_AS_DATE, 0, u"20200101", u"2099/12/31", 1},
    {"unknown compare type is neutral", 3, 0, u"a", u"b", 0},
};

TEST(RowSort, CompareSortRows) {
  for (const CompareCase& c : kCompareCases) {
    SCOPED_TRACE(c.name);
    const SORTDAT a = Row(0, {c.a});
    const SORTDAT b = Row(1, {c.b});
    EXPECT_EQ(CompareSortRows(1, &c.type, &c.descending, &a, &b), c.expected);
  }
}

TEST(RowSort, DateKeyValueOfOddTexts) {
  EXPECT_EQ(DateKeyValue(u"2020/1/5"), DateToSerialDay(2020, 1, 5));
  // One separator or three: the text's leading integer.
  EXPECT_EQ(DateKeyValue(u"2020/5"), 2020);
  EXPECT_EQ(DateKeyValue(u"5月3日"), 5);
  EXPECT_EQ(DateKeyValue(u"2020/01/05 10.30.00"), 2020);
}

// The convention every caller follows: user keys, then the row number.
std::vector<SORTDAT> Rows(const std::vector<int>& values) {
  std::vector<SORTDAT> rows;
  for (size_t i = 0; i < values.size(); ++i) {
    rows.push_back(Row(static_cast<int>(i), {CString::Build(u"%d", values[i]), CString::Build(u"%d", static_cast<int>(i))}));
  }
  return rows;
}

void ExpectStableOrder(const std::vector<int>& values, int descending) {
  std::vector<SORTDAT> rows = Rows(values);
  const int types[] = {SORT_AS_NUMBER, SORT_AS_NUMBER};
  const int orders[] = {descending, 0};
  SortRows(2, types, orders, &rows);
  std::vector<int> expected(values.size());
  for (size_t i = 0; i < values.size(); ++i) expected[i] = static_cast<int>(i);
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
    return descending ? values[static_cast<size_t>(a)] > values[static_cast<size_t>(b)]
                      : values[static_cast<size_t>(a)] < values[static_cast<size_t>(b)];
  });
  ASSERT_EQ(rows.size(), values.size());
  for (size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i].rowSequence, expected[i]) << "at " << i;
  // The same order without entry records, the index key added by the sort itself.
  std::vector<CString> texts;
  for (int v : values) texts.push_back(CString::Build(u"%d", v));
  const std::vector<int> order = SortedEntryOrder(
      1, types, orders, static_cast<int>(values.size()),
      [&texts](int entry, int) -> const CString& { return texts[static_cast<size_t>(entry)]; });
  EXPECT_EQ(order, expected);
}

TEST(RowSort, LargeInputsSortStablyInBothDirections) {
  std::mt19937 gen(7);
  std::vector<int> random(30000), few(30000), sorted(30000), reversed(30000), organ(30000);
  for (int i = 0; i < 30000; ++i) {
    random[static_cast<size_t>(i)] = static_cast<int>(gen() % 100000);
    few[static_cast<size_t>(i)] = static_cast<int>(gen() % 3);
    sorted[static_cast<size_t>(i)] = i;
    reversed[static_cast<size_t>(i)] = 30000 - i;
    organ[static_cast<size_t>(i)] = i < 15000 ? i : 30000 - i;
  }
  for (const auto* values : {&random, &few, &sorted, &reversed, &organ}) {
    ExpectStableOrder(*values, 0);
    ExpectStableOrder(*values, 1);
  }
}

TEST(RowSort, NothingToSortAndSwapOutsideTheArray) {
  std::vector<SORTDAT> none;
  const int types[] = {SORT_AS_TEXT};
  const int orders[] = {0};
  SortRows(1, types, orders, &none);
  std::vector<SORTDAT> one = Rows({5});
  SortRows(2, types, orders, &one);
  EXPECT_EQ(one[0].rowSequence, 0);
  EXPECT_THROW(SwapSortRows(one, 0, 1), std::out_of_range);
  EXPECT_THROW(SwapSortRows(one, -1, 0), std::out_of_range);
}

TEST(SortDataGrid, OnlyDataRowsAndColumnsMove) {
  CTextGrid grid(10);
  const char16_t* cells[][3] = {{u"above", u"", u""}, {u"k", u"v", u""}, {u"b", u"2", u"tail1"},
                                {u"a", u"1", u""},    {u"c", u"3", u"tail3"}};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c)
      if (*cells[r][c]) grid[r][c] = cells[r][c];
  grid[5][0] = u"beyond the rows";
  SORTKEYS keys;
  keys.sortCnt = 1;
  keys.column[0] = 0;
  EXPECT_EQ(SortDataGrid(grid, 1, 5, 2, keys), 1);
  const char16_t* expected[][3] = {{u"above", u"", u""}, {u"k", u"v", u""}, {u"a", u"1", u"tail1"},
                                   {u"b", u"2", u""},    {u"c", u"3", u"tail3"}};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid.GetAt(r, c), expected[r][c]) << r << "," << c;
  EXPECT_EQ(grid.GetAt(5, 0), u"beyond the rows");
}

}  // namespace
