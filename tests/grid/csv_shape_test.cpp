#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/csv_shape.h"
#include "grid/grid_set_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::u16string>>;

// Puts rows into the data grid as the loader would and returns the title row the
// shape analysis finds.
int TitleRowOf(const Rows& rows) {
  gridtest::ResetSet();
  CGridSet& a = gridtest::Set();
  int cols = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    cols = std::max(cols, static_cast<int>(rows[r].size()));
    for (size_t c = 0; c < rows[r].size(); ++c) {
      if (rows[r][c].empty()) continue;
      a.m_DataGrid[static_cast<int>(r)][static_cast<int>(c)] = CString(rows[r][c]);
      ++a.m_RowFilledCount[r];
    }
  }
  return FindTitleRow(a.m_DataGrid, cols, static_cast<int>(rows.size()), a.m_RowFilledCount);
}

std::u16string Num(int n) { return CString::Build(u"%d", n).ToU16(); }

// Rows first..last-1 of three number columns; a column's cells above its own start stay empty.
void AddNumbers(Rows& rows, int first, int last, std::vector<int> starts) {
  for (int r = first; r < last; ++r) {
    std::vector<std::u16string> row;
    for (int start : starts) row.push_back(r >= start ? Num(r * 10) : u"");
    rows.push_back(row);
  }
}

Rows WithRuns(std::vector<int> starts) {
  Rows rows = {{u"売上一覧"}, {}, {u"品名", u"数量", u"金額"}};
  AddNumbers(rows, 3, 120, starts);
  return rows;
}

TEST(CsvShape, TitleRowOfCommonShapes) {
  struct Case {
    const char* name;
    Rows rows;
    int title;
  };
  Rows notesAbove;  // 21 rows: notes, field names at 7, a blank row at 9
  for (int r = 0; r < 7; ++r) notesAbove.push_back({u"注記"});
  notesAbove.push_back({u"日付", u"数量", u"金額"});
  AddNumbers(notesAbove, 8, 9, {0, 0, 0});
  notesAbove.push_back({});
  AddNumbers(notesAbove, 10, 21, {0, 0, 0});
  Rows textFarDown = {{u"品名", u"金額"}};  // judged from rows 0 to 100 only
  for (int r = 1; r < 300; ++r) textFarDown.push_back({u"商品", r == 200 ? u"未定" : Num(r)});
  // The only full row lies below the probe row: no row above it counts against a column.
  Rows fullRowFarDown = {{u"売上表"}, {u"数量"}};
  for (int r = 2; r < 150; ++r) fullRowFarDown.push_back({Num(r)});
  fullRowFarDown.push_back({u"合計", u"備考"});
  // Columns 0 and 1 hold text in row 1 and so are not numeric, yet their runs vote.
  Rows notedColumns = {{u"単価", u"数量", u"金額"}, {u"未定", u"未定", u"100"}};
  AddNumbers(notedColumns, 2, 10, {0, 0, 0});

  const Case cases[] = {
      {"field names above amounts",
       {{u"品名", u"数量", u"金額"}, {u"りんご", u"3", u"300"}, {u"みかん", u"5", u"250"}},
       0},
      {"report title, empty line, field names",
       {{u"売上報告"}, {}, {u"品名", u"数量", u"金額"}, {u"りんご", u"3", u"300"},
        {u"みかん", u"5", u"250"}, {u"ぶどう", u"1", u"800"}},
       2},
      {"numbers from the first line", {{u"1", u"2"}, {u"3", u"4"}, {u"5", u"6"}}, -1},
      {"text only", {{u"a", u"b"}, {u"c", u"d"}}, 0},
      {"one line of numbers", {{u"1", u"2", u"3"}}, -1},
      {"no rows", {}, 0},
      {"runs starting at 3, 3 and 5", WithRuns({3, 3, 5}), 2},
      {"runs starting at 5, 5 and 3", WithRuns({5, 5, 3}), 4},
      {"text starts decide below a quarter", notesAbove, 7},
      {"text beyond row 100 is not looked at", textFarDown, 0},
      {"first full row below the probe row", fullRowFarDown, 1},
      {"columns with text below the first full row vote", notedColumns, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TitleRowOf(c.rows), c.title);
  }
  gridtest::ResetSet();
}

}  // namespace
