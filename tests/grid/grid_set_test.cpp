#include "grid/grid_set.h"

#include <gtest/gtest.h>

#include <utility>

#include "grid/grid_set_fixture.h"

namespace {

class GridSetTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetSet(); }
};

TEST_F(GridSetTest, SaveKeepsOnlyTheCellsInsideTheDataRegion) {
  CGridSet& a = gridtest::Set();
  for (int r = 0; r < 7; ++r) {
    for (int c = 0; c < 5; ++c) a.m_DataGrid[r][c] = CString::Build(u"%d-%d", r, c);
  }
  a.m_BackupGrid[20][0] = u"stale";
  a.m_DataRows = 5;
  a.m_DataCols = 3;
  SaveGridBackup(a);
  EXPECT_EQ(a.m_BackupGrid.GetAt(4, 2), u"4-2");
  EXPECT_TRUE(a.m_BackupGrid.GetAt(4, 2).SharesBufferWith(a.m_DataGrid.GetAt(4, 2)));
  EXPECT_EQ(a.m_BackupGrid.GetAt(4, 3), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(5, 0), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(6, 4), u"");
  EXPECT_EQ(a.m_BackupGrid.GetAt(20, 0), u"");
}

TEST_F(GridSetTest, RestoreBringsBackTheDataAsLoaded) {
  CGridSet& a = gridtest::Set();
  gridtest::Fill(a.m_DataGrid, {{u"品名", u"金額"}, {u"りんご", u"100"}, {u"みかん", u"200"}});
  a.m_DataRows = 3;
  a.m_DataCols = 2;
  a.m_RowFilledCount[1] = 2;
  a.m_RowTextCount[1] = 0;
  a.m_ColumnTypes[1] = COLTYPE_NUMBER;
  a.m_TitleRow = 0;
  a.m_SourceCodeType = 1;
  SaveGridBackup(a);

  // A step changes everything.
  a.m_DataGrid[1][1] = u"999";
  a.m_DataGrid[5][5] = u"extra";
  a.m_DataRows = 6;
  a.m_DataCols = 6;
  a.m_RowFilledCount[1] = 9;
  a.m_ColumnTypes[1] = COLTYPE_TEXT;
  a.m_EditCols = a.m_EditRows = a.m_SendRows = a.m_SendCols = 4;
  a.m_EditModeEntered = 1;
  a.m_StepGrid[0][0] = u"step";
  a.m_EditGrid[0][0] = u"edit";

  RestoreGridBackup(a);
  EXPECT_EQ(a.m_DataGrid.GetAt(1, 1), u"100");
  EXPECT_EQ(a.m_DataGrid.GetAt(5, 5), u"");
  EXPECT_EQ(a.m_DataRows, 3);
  EXPECT_EQ(a.m_DataCols, 2);
  EXPECT_EQ(a.m_RowFilledCount[1], 2);
  EXPECT_EQ(a.m_ColumnTypes[1], COLTYPE_NUMBER);
  EXPECT_EQ(a.m_EditCols, 0);
  EXPECT_EQ(a.m_SendRows, 0);
  EXPECT_EQ(a.m_EditModeEntered, 0);
  EXPECT_EQ(a.m_TitleRow, 0);
  EXPECT_EQ(a.m_SourceCodeType, 1);
  EXPECT_EQ(a.m_StepGrid.AllocatedRows(), 0);
  EXPECT_EQ(a.m_EditGrid.AllocatedRows(), 0);
  // The backup itself is untouched by later writes to the restored data.
  a.m_DataGrid[2][0] = u"ぶどう";
  RestoreGridBackup(a);
  EXPECT_EQ(a.m_DataGrid.GetAt(2, 0), u"みかん");
}

TEST_F(GridSetTest, MoveStepGridMovesItsRegionAndEmptiesTheColumnsBeyond) {
  CGridSet& a = gridtest::Set();
  for (int r = 0; r < 15; ++r) {
    for (int c = 0; c < 8; ++c) {
      a.m_DataGrid[r][c] = CString::Build(u"d%d-%d", r, c);
      a.m_StepGrid[r][c] = CString::Build(u"s%d-%d", r, c);
    }
  }
  EXPECT_EQ(MoveStepGridToDataGrid(a.m_DataGrid, a.m_StepGrid, 4, 10), 4);
  struct Probe {
    int row, col;
    const char16_t* data;
    const char16_t* step;
  };
  const Probe probes[] = {
      {3, 1, u"s3-1", u""},      // moved
      {9, 3, u"s9-3", u""},      // last moved cell
      {3, 5, u"", u""},          // beyond the columns: both emptied
      {12, 2, u"d12-2", u"s12-2"},  // below the rows: left alone
      {12, 5, u"", u""},         // below the rows and beyond the columns: emptied
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << "row " << p.row << " col " << p.col);
    EXPECT_EQ(a.m_DataGrid.GetAt(p.row, p.col), p.data);
    EXPECT_EQ(a.m_StepGrid.GetAt(p.row, p.col), p.step);
  }
}

TEST_F(GridSetTest, AFreshSetHoldsNoGridRows) {
  const CGridSet& a = gridtest::Set();
  EXPECT_EQ(a.m_EditGrid.AllocatedRows() + a.m_DataGrid.AllocatedRows() +
                a.m_StepGrid.AllocatedRows() + a.m_UploadGrid.AllocatedRows() +
                a.m_BackupGrid.AllocatedRows(),
            0);
  EXPECT_EQ(a.m_DataGrid.Rows(), 30002);
  EXPECT_EQ(a.m_EditGrid.Rows(), 3000);
  EXPECT_EQ(a.m_TitleRow, -1);
}


TEST(RowTableTest, CopiesAreIndependentOnceWritten) {
  RowIntTable a;
  EXPECT_EQ(std::as_const(a)[30001], 0);
  a[3] = 7;
  RowIntTable b = a;   // shares a's numbers
  b[3] = 8;
  a[4] = 9;
  EXPECT_EQ(std::as_const(a)[3], 7);
  EXPECT_EQ(std::as_const(b)[3], 8);
  EXPECT_EQ(std::as_const(b)[4], 0);
  a.fill(0);
  EXPECT_EQ(std::as_const(a)[3], 0);
  EXPECT_EQ(std::as_const(b)[3], 8);
  b.fill(5);
  EXPECT_EQ(std::as_const(b)[30001], 5);
}

}  // namespace
