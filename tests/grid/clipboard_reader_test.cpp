#include <gtest/gtest.h>

#include <string>

#include "app/tabro_client_app.h"
#include "grid/app_state.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

const CString kLimitMessage =
    u"列数または行数が規定値を超えています。\n列数：256列\n行数：3000行\n"
    u"貼り付けられるデータは上記の範囲までとなります。";

CString Lines(int count, const char16_t* line) {
  CString text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

CString TabFields(int count) {
  CString line;
  for (int i = 0; i < count; ++i) line += i ? u"\tv" : u"v";
  return line;
}

class ClipboardReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetAppState(); }
  void TearDown() override { gridtest::ResetAppState(); }
  RecordingUiHooks hooks_;
};

TEST_F(ClipboardReaderTest, ResultsAndLimits) {
  struct Case {
    const char* name;
    CString clipboard;
    int pageRows, pageCols;  // the page's grid before the read
    int result;
    int rowsAfter, colsAfter;
    CString message;  // empty: none
  };
  const Case cases[] = {
      {"three lines with CR LF", u"a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n", 0, 0, 0, 3, 3, u""},
      {"last line without CR LF", u"a\tb\tc\r\nd\te\tf\r\ng\th\ti", 0, 0, 0, 3, 3, u""},
      {"one column only", u"a\r\nb\r\nc\r\n", 0, 0, 2, 0, 0, u""},
      {"empty clipboard", u"", 0, 0, -2, 0, 0, u""},
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
    gridtest::ResetAppState();
    hooks_.Clear();
    hooks_.SetClipboard(c.clipboard);
    CCsvPropPage page;
    page.m_RowCount = c.pageRows;
    page.m_ColCount = c.pageCols;
    EXPECT_EQ(page.ReadClipboardText(), c.result);
    EXPECT_EQ(page.m_RowCount, c.rowsAfter);
    EXPECT_EQ(page.m_ColCount, c.colsAfter);
    if (c.message.IsEmpty()) {
      EXPECT_TRUE(hooks_.Boxes().empty());
    } else {
      ASSERT_EQ(hooks_.Boxes().size(), 1u);
      EXPECT_EQ(hooks_.Boxes()[0].text, c.message);
      EXPECT_EQ(hooks_.Boxes()[0].caption, u"タブロコネクト");
    }
    if (c.result != 0) {
      // All or nothing: the grids were not touched.
      EXPECT_EQ(theApp.m_EditGrid.AllocatedRows(), 0);
      EXPECT_EQ(theApp.m_DataGrid.AllocatedRows(), 0);
    } else {
      EXPECT_EQ(theApp.m_EditRows, c.rowsAfter);
      EXPECT_EQ(theApp.m_EditCols, c.colsAfter);
      EXPECT_EQ(theApp.m_DataRows, 0);  // the data counts stay
    }
  }
}

TEST_F(ClipboardReaderTest, RegressionAnEarlierOverflowRefusedEveryLaterRead) {
  CCsvPropPage page;
  hooks_.SetClipboard(TabFields(300));
  ASSERT_EQ(page.ReadClipboardText(), 3);
  EXPECT_EQ(page.m_PasteColsOver, 1);
  hooks_.SetClipboard(Lines(3001, u"1\t2\r\n"));
  ASSERT_EQ(page.ReadClipboardText(), 3);
  EXPECT_EQ(page.m_PasteRowsOver, 1);
  // The flags stay for the page to show, but a text that fits is taken.
  hooks_.SetClipboard(u"品名\t金額\r\nりんご\t100\r\n");
  EXPECT_EQ(page.ReadClipboardText(), 0);
  EXPECT_EQ(page.m_RowCount, 2);
  EXPECT_EQ(page.m_PasteColsOver, 1);
}

TEST_F(ClipboardReaderTest, RowsAreInsertedAtTheAnchorInBothGrids) {
  CTabroClientApp& a = theApp;
  for (int r = 0; r < 8; ++r) {
    a.m_EditGrid[r][0] = CString::Build(u"e%d", r);
    a.m_DataGrid[r][0] = CString::Build(u"d%d", r);
    a.m_RowFilledCount[r] = 100 + r;
  }
  hooks_.SetClipboard(u"品名\t金額\t備考\r\nりんご\t100\r\n");
  CCsvPropPage page;
  page.m_RowCount = 8;
  page.m_ColCount = 1;
  page.m_AnchorRow = 5;
  ASSERT_EQ(page.ReadClipboardText(), 0);
  EXPECT_EQ(page.m_RowCount, 10);
  EXPECT_EQ(page.m_ColCount, 3);
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
  EXPECT_EQ(page.m_ColumnMap[2], 3);
}

TEST_F(ClipboardReaderTest, FieldNamesComeFromTheTitleRow) {
  theApp.m_TitleRow = 0;
  hooks_.SetClipboard(u"品名\t金額\r\nりんご\t100\r\n");
  CCsvPropPage page;
  ASSERT_EQ(page.ReadClipboardText(), 0);
  EXPECT_EQ(page.m_PageTitleRow, 0);
  EXPECT_EQ(page.m_HeaderNames[1], u"金額");
  EXPECT_EQ(theApp.m_SendCols, 2);
}

}  // namespace
