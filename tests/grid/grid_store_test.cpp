#include "grid/grid_store.h"

#include <gtest/gtest.h>

#include "platform/string_arena.h"

namespace {

TEST(TextGrid, EmptyGridOwnsNoRowsAndReadsEmptyEverywhere) {
  CTextGrid grid(GRID_MAX_ROWS);
  const CTextGrid& g = grid;
  EXPECT_EQ(g[0][0], u"");
  EXPECT_EQ(g.GetAt(30001, 255), u"");
  EXPECT_EQ(g.GetAt(-1, 0), u"");
  EXPECT_EQ(g.GetAt(30002, 0), u"");
  EXPECT_EQ(g.GetAt(0, 256), u"");
  EXPECT_EQ(grid.AllocatedRows(), 0);
}

TEST(TextGrid, WritingACellCreatesOnlyItsRowAndClearReleasesIt) {
  CTextGrid grid(GRID_MAX_ROWS);
  grid[100][7] = u"品名";
  EXPECT_EQ(grid.AllocatedRows(), 1);
  EXPECT_EQ(grid.GetAt(100, 7), u"品名");
  EXPECT_EQ(grid.GetAt(100, 8), u"");
  EXPECT_EQ(grid.GetAt(99, 7), u"");
  grid.Clear();
  EXPECT_EQ(grid.AllocatedRows(), 0);
  EXPECT_EQ(grid.GetAt(100, 7), u"");
}

// A row made in a string arena lives like any other: shared with another grid,
// copied on a write, and its place goes back with the row.
TEST(TextGrid, RowsMadeInAnArenaAreOrdinaryRows) {
  const int before = CStringArena::LiveBlocks();
  {
    CTextGrid data(GRID_MAX_ROWS);
    CTextGrid backup(GRID_MAX_ROWS);
    {
      CStringArena arena;
      for (int r = 0; r < 3; ++r) {
        CString* cells = data.PrepareRow(r, 2, &arena);
        cells[0] = arena.Make(u"品名");
        cells[1] = arena.Make(CString::Build(u"%d", r).View());
        backup.ShareRow(r, data, 2);
      }
    }
    data[1][1] = u"変更";  // shared: data gets a copy of its own
    data[2][5] = u"右";    // widens the row
    EXPECT_EQ(data.GetAt(1, 1), u"変更");
    EXPECT_EQ(backup.GetAt(1, 1), u"1");
    EXPECT_EQ(data.GetAt(2, 5), u"右");
    EXPECT_EQ(data.GetAt(2, 1), u"2");
    data.Clear();
    EXPECT_EQ(backup.GetAt(0, 0), u"品名");
    EXPECT_EQ(backup.GetAt(2, 1), u"2");
    EXPECT_EQ(CStringArena::LiveBlocks(), before + 1);
    backup.Clear();
    EXPECT_EQ(CStringArena::LiveBlocks(), before);
  }
}

// Rows a loader fills without noting them one by one count once the run is noted:
// the used-row bound covers them (Clear releases them) and the write count moves.
TEST(TextGrid, RowsPreparedUnnotedCountOnceNoted) {
  CTextGrid grid(GRID_MAX_ROWS);
  grid.PrepareRowTable();
  const uint64_t version = grid.Version();
  for (int r = 10; r < 13; ++r) grid.PrepareRowUnnoted(r, 2, nullptr)[1] = u"x";
  grid.NoteRowsFilled(13);
  EXPECT_EQ(grid.UsedRows(), 13);
  EXPECT_NE(grid.Version(), version);
  EXPECT_EQ(grid.GetAt(12, 1), u"x");
  EXPECT_EQ(grid.PrepareRowUnnoted(30002, 2, nullptr), nullptr);
  grid.Clear();
  EXPECT_EQ(grid.AllocatedRows(), 0);
}

TEST(TextGrid, WritesOutsideTheGridAreIgnored) {
  CTextGrid grid(EDIT_GRID_ROWS);
  grid[3000][0] = u"x";
  grid[-1][0] = u"x";
  grid[0][256] = u"x";
  grid[0][-1] = u"x";
  EXPECT_EQ(grid.AllocatedRows(), 0);
  EXPECT_EQ(grid.PrepareRow(3000, 5), nullptr);
}

TEST(TextGrid, CopyingACellSharesItsText) {
  CTextGrid a(GRID_MAX_ROWS), b(GRID_MAX_ROWS);
  a[0][0] = u"東京都千代田区";
  b[5][3] = a.GetAt(0, 0);
  EXPECT_TRUE(b.GetAt(5, 3).SharesBufferWith(a.GetAt(0, 0)));
}

TEST(TextGrid, ASharedRowIsCopiedOnTheFirstWrite) {
  CTextGrid data(GRID_MAX_ROWS), backup(GRID_MAX_ROWS);
  data[0][0] = u"a";
  data[0][1] = u"b";
  backup.ShareRow(0, data, 2);
  data[0][1] = u"changed";
  EXPECT_EQ(backup.GetAt(0, 1), u"b");
  EXPECT_EQ(data.GetAt(0, 1), u"changed");
  backup[0][0] = u"other";
  EXPECT_EQ(data.GetAt(0, 0), u"a");
}

TEST(TextGrid, ShareRowCutsTheCellsBeyondTheRegion) {
  CTextGrid data(GRID_MAX_ROWS), backup(GRID_MAX_ROWS);
  data[0][0] = u"a";
  data[0][4] = u"beyond";
  backup.ShareRow(0, data, 3);
  EXPECT_EQ(backup.GetAt(0, 0), u"a");
  EXPECT_EQ(backup.GetAt(0, 4), u"");
  EXPECT_EQ(data.GetAt(0, 4), u"beyond");
}

// Walks over the rows stop at UsedRows: every way a row gets storage must move it,
// or the row's cells would read as empty.
TEST(TextGrid, EveryWayOfStoringARowKeepsItInsideTheUsedRows) {
  struct Case {
    const char* name;
    void (*store)(CTextGrid& grid, CTextGrid& other);   // stores row 20000 of grid
  };
  const Case cases[] = {
      {"cell", [](CTextGrid& g, CTextGrid&) { g[20000][1] = u"x"; }},
      {"prepared row", [](CTextGrid& g, CTextGrid&) { g.PrepareRow(20000, 2)[1] = u"x"; }},
      {"shared row", [](CTextGrid& g, CTextGrid& o) { g.ShareRow(20000, o, 2); }},
      {"taken row", [](CTextGrid& g, CTextGrid& o) { g.TakeRow(20000, o, 2); }},
      {"swapped row", [](CTextGrid& g, CTextGrid&) { g[3][1] = u"x"; g.SwapRows(3, 20000); }},
  };
  for (const Case& c : cases) {
    CTextGrid grid(GRID_MAX_ROWS), other(GRID_MAX_ROWS);
    other[20000][1] = u"x";
    c.store(grid, other);
    EXPECT_GT(grid.UsedRows(), 20000) << c.name;
    EXPECT_EQ(grid.GetAt(20000, 1), u"x") << c.name;
    EXPECT_EQ(grid.AllocatedRows(), 1) << c.name;
    // What lies below the bound moves with the whole grid.
    CTextGrid step(GRID_MAX_ROWS);
    MoveStepGridToDataGrid(step, grid, 2, 0);
    EXPECT_EQ(grid.GetAt(20000, 1), u"x") << c.name;
    MoveStepGridToDataGrid(step, grid, 1, 0);
    EXPECT_EQ(grid.GetAt(20000, 1), u"") << c.name;
    grid.Clear();
    EXPECT_EQ(grid.UsedRows(), 0) << c.name;
  }
}

// A cell read from a row that the same statement widens stayed valid.
TEST(TextGrid, RegressionAssigningACellToAWiderColumnOfItsOwnRow) {
  CTextGrid grid(GRID_MAX_ROWS);
  CString* cells = grid.PrepareRow(0, 3);
  cells[2] = u"moved text";
  grid[0][200] = grid[0][2];
  EXPECT_EQ(grid.GetAt(0, 200), u"moved text");
  EXPECT_EQ(grid.GetAt(0, 2), u"moved text");
}

}  // namespace
