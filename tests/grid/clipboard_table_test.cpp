#include <gtest/gtest.h>

#include <string>

#include "grid/clipboard_table.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"

namespace {

const CString kLimitMessage =
    u"列数または行数が規定値を超えています。\n列数：256列\n行数：3000行\n"
    u"貼り付けられるデータは上記の範囲までとなります。";

using gridtest::Lines;
using gridtest::TabFields;

class TableTextTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetSet(); }
  RecordingUiHooks hooks_;
};

TEST_F(TableTextTest, ResultsAndLimits) {
  struct Case {
    const char* name;
    CString text;
    int pageRows, pageCols;  // the counts before the insertion
    int result;
    int rowsAfter, colsAfter;
    CString message;  // empty: none
  };
  const Case cases[] = {
      {"three lines with CR LF", u"a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n", 0, 0, 0, 3, 3, u""},
      {"last line without CR LF", u"a\tb\tc\r\nd\te\tf\r\ng\th\ti", 0, 0, 0, 3, 3, u""},
      {"three lines with LF (copied on Linux)", u"a\tb\tc\nd\te\tf\ng\th\ti\n", 0, 0, 0, 3, 3, u""},
      {"LF and CR LF mixed", u"a\tb\r\nc\td\ne\tf", 0, 0, 0, 3, 2, u""},
      {"one column only", u"a\r\nb\r\nc\r\n", 0, 0, 2, 0, 0, u""},
      {"empty text", u"", 0, 0, 2, 0, 0, u""},
      {"3000 lines fit", Lines(3000, u"1\t2\r\n"), 0, 0, 0, 3000, 2, u""},
      {"3001 lines", Lines(3001, u"1\t2\r\n"), 0, 0, 3, 0, 0, kLimitMessage},
      {"2999 rows and two more", u"1\t2\r\n3\t4\r\n", 2999, 2, 3, 2999, 2, kLimitMessage},
      {"grid already 256 wide", u"1\t2\r\n", 3, 256, 3, 3, 256, kLimitMessage},
      {"257 fields", TabFields(257), 0, 0, 3, 0, 0, kLimitMessage},
      {"256 fields fit", TabFields(256), 0, 0, 0, 1, 256, u""},
      {"field of 10001 characters", CString(u"a\t") + CString(u'x', 10001), 0, 0, 3, 0, 0,
       u"クリップボードのデータの1行目\nCSVデータの項目は10000文字以内にして下さい。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CGridSet& set = gridtest::ResetSet();
    hooks_.Clear();
    TABLEPASTE paste;
    paste.rowCount = c.pageRows;
    paste.colCount = c.pageCols;
    EXPECT_EQ(InsertTableText(set, c.text, paste), c.result);
    EXPECT_EQ(paste.rowCount, c.rowsAfter);
    EXPECT_EQ(paste.colCount, c.colsAfter);
    if (c.message.IsEmpty()) {
      EXPECT_TRUE(hooks_.Boxes().empty());
    } else {
      ASSERT_EQ(hooks_.Boxes().size(), 1u);
      EXPECT_EQ(hooks_.Boxes()[0].text, c.message);
      EXPECT_EQ(hooks_.Boxes()[0].caption, u"タブロコネクト");
    }
    if (c.result != 0) {
      // All or nothing: the grids were not touched.
      EXPECT_EQ(set.m_EditGrid.AllocatedRows(), 0);
      EXPECT_EQ(set.m_DataGrid.AllocatedRows(), 0);
    } else {
      EXPECT_EQ(set.m_EditRows, c.rowsAfter);
      EXPECT_EQ(set.m_EditCols, c.colsAfter);
      EXPECT_EQ(set.m_DataRows, 0);  // the data counts stay
    }
  }
}

TEST_F(TableTextTest, RowsAreInsertedAtTheAnchorInBothGrids) {
  CGridSet& a = gridtest::Set();
  for (int r = 0; r < 8; ++r) {
    a.m_EditGrid[r][0] = CString::Build(u"e%d", r);
    a.m_DataGrid[r][0] = CString::Build(u"d%d", r);
    a.m_RowFilledCount[r] = 100 + r;
  }
  TABLEPASTE paste;
  paste.rowCount = 8;
  paste.colCount = 1;
  paste.anchorRow = 5;
  ASSERT_EQ(InsertTableText(a, u"品名\t金額\t備考\r\nりんご\t100\r\n", paste), 0);
  EXPECT_EQ(paste.rowCount, 10);
  EXPECT_EQ(paste.colCount, 3);
  EXPECT_EQ(paste.widest, 3);
  EXPECT_EQ(a.m_EditRows, 10);
  EXPECT_EQ(a.m_EditCols, 3);
  struct Probe {
    int row;
    const char16_t* edit0;
    const char16_t* data1;
    int filled;
  };
  const Probe probes[] = {
      {4, u"e4", u"", 104},      {5, u"品名", u"金額", 3}, {6, u"りんご", u"100", 2},
      {7, u"e5", u"", 105},      {9, u"e7", u"", 107},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.row);
    EXPECT_EQ(a.m_EditGrid.GetAt(p.row, 0), p.edit0);
    EXPECT_EQ(a.m_DataGrid.GetAt(p.row, 1), p.data1);
    EXPECT_EQ(a.m_RowFilledCount[p.row], p.filled);
  }
  EXPECT_EQ(a.m_DataGrid.GetAt(6, 0), u"りんご");
  EXPECT_EQ(a.m_RowTextCount[5], 2);     // three text cells, counted from -1
  EXPECT_EQ(a.m_RowLastTextCol[5], 2);
  EXPECT_EQ(a.m_RowFieldCount[6], 2);
}

}  // namespace
