// The CSV page's clipboard read: the page's own flags, counts and field names
// around the grid engine's insertion.

#include <gtest/gtest.h>

#include "app/app_reset.h"
#include "app/tabro_client_app.h"
#include "grid/grid_set_fixture.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

using gridtest::Lines;
using gridtest::TabFields;

class ClipboardReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::ResetTheApp(); }
  void TearDown() override { apptest::ResetTheApp(); }
  RecordingUiHooks hooks_;
};

TEST_F(ClipboardReaderTest, AnEmptyClipboardIsNoText) {
  CCsvPropPage page;
  EXPECT_EQ(page.ReadClipboardText(), CCsvPropPage::CLIP_NO_TEXT);
  EXPECT_TRUE(hooks_.Boxes().empty());
}

TEST_F(ClipboardReaderTest, ThePageTakesTheNewCountsAndItsColumnMap) {
  theApp.m_EditModeEntered = 1;
  hooks_.SetClipboard(u"品名\t金額\t備考\r\nりんご\t100\r\n");
  CCsvPropPage page;
  page.m_RowCount = 2;
  page.m_ColCount = 1;
  ASSERT_EQ(page.ReadClipboardText(), CCsvPropPage::CLIP_INSERTED);
  EXPECT_EQ(page.m_RowCount, 4);
  EXPECT_EQ(page.m_ColCount, 3);
  EXPECT_EQ(page.m_EditMode, 1);
  EXPECT_EQ(page.m_ColumnMap[0], 1);
  EXPECT_EQ(page.m_ColumnMap[2], 3);
  EXPECT_EQ(theApp.m_EditRows, 4);
  EXPECT_EQ(theApp.m_EditCols, 3);
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
