// The filter engine's counts, row moves and clock; the kinds and modes on cell
// texts are covered by the case folders.

#include <gtest/gtest.h>

#include <array>
#include <ctime>

#include "edittools/filter/filter_engine.h"
#include "grid/date_text.h"

namespace {

struct Data {
  CTextGrid grid{40};
  int rows = 0;
  std::array<int16_t, 40> fieldCounts{};

  // Column 0 the row's label, column 1 its value; row 0 the title.
  explicit Data(std::initializer_list<const char16_t*> values) {
    grid[0][0] = u"label";
    grid[0][1] = u"value";
    rows = 1;
    for (const char16_t* v : values) {
      grid[rows][0] = CString::Build(u"r%d", rows);
      grid[rows][1] = v;
      fieldCounts[static_cast<size_t>(rows)] = 2;
      ++rows;
    }
  }
  FilterTarget Target(int titleRow = 0, int editRows = 0) {
    return FilterTarget{grid, rows, 2, titleRow, editRows, fieldCounts};
  }
};

FILTERDAT Cond(int kind, int mode, std::initializer_list<const char16_t*> keys) {
  FILTERDAT d;
  d.column = 1;
  d.kind = kind;
  d.mode = mode;
  for (const char16_t* k : keys) d.filterKey[d.valueCount++] = k;
  return d;
}

// Noon of 2024-03-01 in the test's time zone.
std::time_t Noon20240301() {
  std::tm tm{};
  tm.tm_year = 124;
  tm.tm_mon = 2;
  tm.tm_mday = 1;
  tm.tm_hour = 12;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

TEST(FilterEngine, TodayYesterdayAndTheDayBeforeFollowTheClock) {
  struct Case {
    int mode;
    const char16_t* kept;
  };
  for (const Case c : {Case{3, u"2024/03/01"}, Case{4, u"2024/02/29"}, Case{5, u"2024/02/28"}}) {
    Data d({u"2024/02/28", u"2024/02/29", u"2024/03/01", u""});
    const FILTERDAT cond = Cond(FILTER_DATE_RANGE, c.mode, {});
    ApplyFilters(1, &cond, d.Target(), Noon20240301());
    ASSERT_EQ(d.rows, 2) << c.mode;
    EXPECT_EQ(d.grid.GetAt(1, 1), c.kept);
  }
}

TEST(FilterEngine, DroppedRowsAreEmptiedAndUncounted) {
  Data d({u"1", u"5", u"2", u"7"});
  d.grid[3][2] = u"beyond the columns";
  const FILTERDAT cond = Cond(FILTER_NUMBER_RANGE, 1, {u"5"});
  ApplyFilters(1, &cond, d.Target(), 0);
  EXPECT_EQ(d.rows, 3);
  EXPECT_EQ(d.grid.GetAt(1, 0), u"r2");
  EXPECT_EQ(d.grid.GetAt(2, 0), u"r4");
  for (int r = 3; r < 5; ++r) {
    EXPECT_EQ(d.grid.GetAt(r, 0), u"");
    EXPECT_EQ(d.grid.GetAt(r, 1), u"");
    EXPECT_EQ(d.fieldCounts[static_cast<size_t>(r)], 0);
  }
  EXPECT_EQ(d.grid.GetAt(3, 2), u"beyond the columns");
  EXPECT_EQ(d.fieldCounts[1], 2);
}

TEST(FilterEngine, RowsEndAtTheEditRowsWhenFewer) {
  Data d({u"1", u"2", u"3", u"4"});
  ApplyFilters(0, nullptr, d.Target(0, 3), 0);
  EXPECT_EQ(d.rows, 3);
  EXPECT_EQ(d.grid.GetAt(3, 0), u"r3");  // not examined, not emptied
}

TEST(FilterEngine, TitleRowAndRowsAboveStay) {
  Data d({u"x", u"keep", u"x", u"keep"});
  const FILTERDAT cond = Cond(FILTER_VALUES, 0, {u"keep"});
  ApplyFilters(1, &cond, d.Target(1), 0);  // row 1 taken as the title row
  EXPECT_EQ(d.rows, 4);
  EXPECT_EQ(d.grid.GetAt(0, 0), u"label");
  EXPECT_EQ(d.grid.GetAt(1, 0), u"r1");
  EXPECT_EQ(d.grid.GetAt(2, 0), u"r2");
  EXPECT_EQ(d.grid.GetAt(3, 0), u"r4");
}

TEST(FilterEngine, WithoutTitleRowRowZeroIsExamined) {
  Data d({u"a"});
  const FILTERDAT cond = Cond(FILTER_VALUES, 0, {u"a"});
  ApplyFilters(1, &cond, d.Target(-1), 0);
  EXPECT_EQ(d.rows, 1);
  EXPECT_EQ(d.grid.GetAt(0, 0), u"r1");
}

TEST(FilterEngine, ModesThatDoNotApplyRestrictNothing) {
  for (const FILTERDAT& cond : {Cond(FILTER_VALUES, 1, {}), Cond(FILTER_NUMBER_RANGE, 3, {u"1"}),
                                Cond(FILTER_TIME_RANGE, 3, {}), Cond(9, 0, {})}) {
    Data d({u"a", u""});
    ApplyFilters(1, &cond, d.Target(), 0);
    EXPECT_EQ(d.rows, 3);
  }
}

}  // namespace
