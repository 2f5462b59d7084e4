// The CSV edit page's cursor, selections and own clipboard, on the grids without a window.

#include <gtest/gtest.h>

#include "tests/jobsheet/csv_page_fixture.h"

namespace {

using Rows = std::vector<std::u16string>;

const std::vector<const char16_t*> kSmall = {u"name,price,qty", u"a,1,10", u"b,2,20", u"c,3,30"};

TEST(CsvPageCursor, OutsideEditModeOnlyTheTitleRowTakesTheCursor) {
  PageFixture f;
  f.Load(kSmall);
  f.Cell(2, 1);
  EXPECT_EQ(f.page.m_SelCell.row, -1);
  EXPECT_FALSE(f.page.TypeIntoCell(f.g, u"x"));
  EXPECT_EQ(f.edit->GetAt(2, 1), CString(u"2"));
  f.Cell(0, 0);
  for (int i = 0; i < 5; ++i) f.page.MoveCursor(f.g, DIR_DOWN);   // Enter moves right here
  EXPECT_EQ(f.page.m_SelCell.row, 0);
  EXPECT_EQ(f.page.m_SelCell.subitem, 2 + kFirstDataSubItem);   // stops at the last column in use
  f.page.MoveCursor(f.g, DIR_UP);
  EXPECT_EQ(f.page.m_SelCell.subitem, 1 + kFirstDataSubItem);
  EXPECT_EQ(f.page.m_CellText, CString(u"price"));
}

TEST(CsvPageCursor, InEditModeTheCursorStopsAtTheLastSpareRowAndColumn) {
  PageFixture f;
  f.Load(kSmall, 0, true);
  f.Cell(0, 0);
  for (int i = 0; i < 30; ++i) f.page.MoveCursor(f.g, DIR_DOWN);
  for (int i = 0; i < 30; ++i) f.page.MoveCursor(f.g, DIR_RIGHT);
  EXPECT_EQ(f.page.m_SelCell.row, 4 + 10 - 1);
  EXPECT_EQ(f.page.m_SelCell.subitem, 3 + 10 + 1);
  for (int i = 0; i < 30; ++i) f.page.MoveCursor(f.g, DIR_UP);
  for (int i = 0; i < 30; ++i) f.page.MoveCursor(f.g, DIR_LEFT);
  EXPECT_EQ(f.page.m_SelCell.row, 0);
  EXPECT_EQ(f.page.m_SelCell.subitem, kFirstDataSubItem);
}

TEST(CsvPageTyping, TitleRowTextBecomesTheFieldName) {
  PageFixture f;
  f.Load(kSmall);
  f.Cell(0, 1);
  EXPECT_TRUE(f.page.TypeIntoCell(f.g, u"単価"));
  EXPECT_EQ(f.page.m_HeaderNames[1], CString(u"単価"));
  EXPECT_EQ(f.page.m_HeaderEdited[1], 1);
  EXPECT_EQ(f.edit->GetAt(0, 1), CString(u"単価"));
}

TEST(CsvPageTyping, BeyondTheColumnsInUseAFieldNameComesFirst) {
  PageFixture f;
  f.Load(kSmall, 0, true);
  f.Cell(2, 4);
  EXPECT_FALSE(f.page.TypeIntoCell(f.g, u"x"));
  ASSERT_EQ(f.Messages().size(), 1u);
  EXPECT_EQ(f.Messages()[0],
            CString(u"管理列外の入力は正しく処理できません(3列以内）\n先にフィールド欄に入力して下さい。"));
  EXPECT_TRUE(f.edit->GetAt(2, 4).IsEmpty());
  f.Cell(0, 4);
  EXPECT_TRUE(f.page.TypeIntoCell(f.g, u"memo"));
  EXPECT_EQ(f.page.m_ColCount, 5);
  f.Cell(6, 4);
  EXPECT_TRUE(f.page.TypeIntoCell(f.g, u"x"));
  EXPECT_EQ(f.page.m_RowCount, 7);
}

TEST(CsvPageClipboard, TwoCellsLandAtTheRangeCornerOneCellFillsIt) {
  const std::vector<const char16_t*> grid = {u"h0,h1,h2,h3,h4", u"a,b,,,", u",,,,", u",,,,", u",,,,", u",,,,"};
  {
    PageFixture f;
    f.Load(grid, 0, true);
    f.Cell(1, 0);
    f.Cell(1, 1, true);
    f.page.OnEditCopy(f.g);
    f.Cell(3, 2);
    f.Cell(5, 4, true);
    f.page.OnEditPaste(f.g);
    EXPECT_EQ(f.Rows()[3], u",,a,b,");
    EXPECT_EQ(f.Rows()[4], u",,,,");
    EXPECT_EQ(f.Rows()[5], u",,,,");
  }
  {
    PageFixture f;
    f.Load(grid, 0, true);
    f.Cell(1, 0);
    f.page.OnEditCopy(f.g);
    f.Cell(3, 2);
    f.Cell(5, 4, true);
    f.page.OnEditPaste(f.g);
    for (int r = 3; r <= 5; ++r) EXPECT_EQ(f.Rows()[r], u",,a,a,a") << r;
  }
}

TEST(CsvPageClipboard, PastedColumnCopyIsNamedWithSuffix) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(1);
  f.page.OnEditCopy(f.g);
  f.Column(3);
  EXPECT_EQ(f.page.m_PasteSubItem, 3 + kFirstDataSubItem);
  EXPECT_TRUE(f.page.IsColumnSelected(1 + kFirstDataSubItem));   // the source stays shown
  f.page.OnEditPaste(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"name,price,qty,price_2", u"a,1,10,1", u"b,2,20,2", u"c,3,30,3"}));
  EXPECT_EQ(f.page.m_HeaderNames[3], CString(u"price_2"));
  EXPECT_EQ(f.page.m_HeaderEdited[3], 1);
  EXPECT_EQ(f.page.m_ColumnMap[3], 2);
  EXPECT_EQ(f.page.m_ClipState, CLIP_EMPTY);
  EXPECT_EQ(f.page.m_SelKind, SEL_NONE);
}

TEST(CsvPageClipboard, CutAndInsertMovesAColumnWithItsNameAndSettings) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_ColumnCodes[0] = CODE_CODE39;
  f.page.m_GroupCol = 1;
  f.Column(0);
  f.page.OnEditCut(f.g);
  f.Column(2);
  f.page.OnEditInsert(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"price,name,qty", u"1,a,10", u"2,b,20", u"3,c,30"}));
  EXPECT_EQ(f.page.m_HeaderNames[1], CString(u"name"));
  EXPECT_EQ(f.page.m_HeaderEdited[1], 0);
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_CODE39);
  EXPECT_EQ(f.page.m_ColumnCodes[0], 0);
  EXPECT_EQ(f.page.m_GroupCol, 2);
  EXPECT_EQ(f.page.m_ColumnMap[0], 2);
  EXPECT_EQ(f.page.m_ColumnMap[1], 1);
  EXPECT_EQ(f.page.m_ColCount, 3);
}

TEST(CsvPageClipboard, PastingACopyOfTheGroupColumnMovesTheGroupToTheRightmost) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_GroupCol = 1;
  f.Column(0);
  f.page.OnEditCopy(f.g);
  f.Column(2);
  f.page.OnEditPaste(f.g);
  EXPECT_EQ(f.page.m_GroupCol, 3);
}

std::vector<const char16_t*> TenRows() {
  return {u"r0,x", u"r1,x", u"r2,x", u"r3,x", u"r4,x", u"r5,x", u"r6,x", u"r7,x", u"r8,x", u"r9,x"};
}

TEST(CsvPageClipboard, CutRowsAboveTheTitleAndEscKeepsTheTitleRow) {
  PageFixture f;
  f.Load(TenRows(), 5, true);
  f.Row(2);
  f.Row(3, true);
  f.page.OnEditCut(f.g);
  f.page.ClearSelection();
  EXPECT_EQ(f.titleRow, 5);
  EXPECT_EQ(f.Rows()[2], u"r2,x");
}

TEST(CsvPageClipboard, MovingRowsAboveTheTitleBelowItShiftsTheTitleRow) {
  PageFixture f;
  f.Load(TenRows(), 5, true);
  f.Row(2);
  f.Row(3, true);
  f.page.OnEditCut(f.g);
  f.Row(8);
  f.page.OnEditInsert(f.g);
  EXPECT_EQ(f.titleRow, 3);
  EXPECT_EQ(f.page.m_PageTitleRow, 3);
  EXPECT_EQ(f.page.m_TitleRowText, CString(u"タイトル行=4"));
  EXPECT_EQ(f.Rows(), (Rows{u"r0,x", u"r1,x", u"r4,x", u"r5,x", u"r6,x", u"r7,x", u"r2,x", u"r3,x", u"r8,x",
                            u"r9,x"}));
}

TEST(CsvPageClipboard, DeletingRowsAboveTheTitleMovesItUp) {
  PageFixture f;
  f.Load(TenRows(), 4, true);
  f.Row(1);
  f.Row(2, true);
  f.page.OnEditDelete(f.g);
  EXPECT_EQ(f.titleRow, 2);
  EXPECT_EQ(f.page.m_TitleRowText, CString(u"タイトル行=3"));
  EXPECT_EQ(f.page.m_RowCount, 8);
  EXPECT_EQ(f.Rows()[2], u"r4,x");
  EXPECT_TRUE(f.edit->GetAt(8, 0).IsEmpty());
}

TEST(CsvPageClipboard, CopiedRowsArePastedAroundTheTitleRowButNeverOverIt) {
  PageFixture f;
  f.Load(TenRows(), 2, true);
  f.Row(3);
  f.Row(4, true);
  f.page.OnEditCopy(f.g);
  f.Row(1);   // rows 1 and 2 would be written: row 2 is the title row
  f.page.OnEditPaste(f.g);
  ASSERT_EQ(f.Messages(), std::vector<CString>{CString(u"タイトル行を含む行への貼り付けはできません。")});
  EXPECT_EQ(f.Rows()[2], u"r2,x");
  EXPECT_EQ(f.page.m_ClipState, CLIP_COPIED);   // the copy waits for another target
  f.Row(6);
  f.page.OnEditPaste(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"r0,x", u"r1,x", u"r2,x", u"r3,x", u"r4,x", u"r5,x", u"r3,x", u"r4,x", u"r8,x",
                            u"r9,x"}));
  EXPECT_EQ(f.titleRow, 2);
}

TEST(CsvPageClipboard, PasteNeverWritesBelowTheLastRow) {
  PageFixture f;
  f.Load({u"h,i", u"a,1", u"b,2", u"c,3"}, 0, true);
  f.Cell(1, 0);
  f.Cell(3, 0, true);
  f.page.OnEditCopy(f.g);
  f.page.m_RowCount = 2990;
  f.Cell(2998, 0);
  f.page.OnEditPaste(f.g);
  EXPECT_EQ(f.edit->GetAt(2998, 0), CString(u"a"));
  EXPECT_EQ(f.edit->GetAt(2999, 0), CString(u"b"));
  EXPECT_EQ(f.page.m_RowCount, EDIT_GRID_ROWS);
}

TEST(CsvPageClipboard, ColumnPasteNeverWritesPastTheLastColumn) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_ColumnCodes[2] = CODE_SUM;
  f.Column(1);
  f.Column(2, true);
  f.page.OnEditCopy(f.g);
  f.page.m_ColCount = 255;
  f.Column(255);
  f.page.OnEditPaste(f.g);
  EXPECT_EQ(f.edit->GetAt(1, 255), CString(u"1"));
  EXPECT_EQ(f.page.m_HeaderNames[255], CString(u"price_2"));
  EXPECT_EQ(f.page.m_ColumnMap[255], 2);
  EXPECT_EQ(f.page.m_ColumnCodes[255], 0);
  EXPECT_EQ(f.page.m_ColCount, GRID_COLS);
}

// Each refusal: the message, and the grid and counts as they were.
struct Refusal {
  const char* name;
  void (*act)(PageFixture&);
  const char16_t* message;
};

const Refusal kRefusals[] = {
    {"cut rows holding the title row",
     [](PageFixture& f) { f.Row(0); f.Row(1, true); f.page.OnEditCut(f.g); },
     u"タイトル行を含む行の切り取りはできません。"},
    {"delete rows holding the title row",
     [](PageFixture& f) { f.Row(1); f.Row(0, false, true); f.page.OnEditDelete(f.g); },
     u"タイトル行を含む行の削除はできません。"},
    {"paste copied rows at once: the target is row 0, the title row",
     [](PageFixture& f) { f.Row(2); f.page.OnEditCopy(f.g); f.page.OnEditPaste(f.g); },
     u"タイトル行を含む行への貼り付けはできません。"},
    {"paste columns onto their source",
     [](PageFixture& f) { f.Column(0); f.Column(1, true); f.page.OnEditCopy(f.g); f.Column(1); f.page.OnEditPaste(f.g); },
     u"貼り付け元の列の間には、貼り付けできません"},
    {"insert columns into their source",
     [](PageFixture& f) { f.Column(0); f.Column(1, true); f.page.OnEditCopy(f.g); f.Column(1); f.page.OnEditInsert(f.g); },
     u"挿入元の列の間には、挿入できません"},
    {"move a cut onto itself",
     [](PageFixture& f) { f.Column(1); f.page.OnEditCut(f.g); f.Column(1); f.page.OnEditInsert(f.g); },
     u"選択した範囲外に移動先を設定してください"},
    {"move a cut between its columns",
     [](PageFixture& f) { f.Column(0); f.Column(2, false, true); f.page.OnEditCut(f.g); f.Column(1); f.page.OnEditInsert(f.g); },
     u"重なった列には挿入できません"},
    {"insert rows beyond 3000",
     [](PageFixture& f) { f.page.m_RowCount = 2991; f.Row(2); f.page.OnEditCopy(f.g); f.Row(3); f.page.OnEditInsert(f.g); },
     u"最大行数を超えます。追加できません"},
    {"insert columns beyond 256",
     [](PageFixture& f) { f.page.m_ColCount = 256; f.Column(1); f.page.OnEditCopy(f.g); f.Column(3); f.page.OnEditInsert(f.g); },
     u"最大列数を超えます。追加できません"},
};

TEST(CsvPageClipboard, RefusalsChangeNothing) {
  for (const Refusal& c : kRefusals) {
    SCOPED_TRACE(c.name);
    PageFixture f;
    f.Load(kSmall, 0, true);
    const Rows before = f.Rows();
    const int rows = f.page.m_RowCount, title = f.titleRow;
    c.act(f);
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_EQ(f.Messages()[0], CString(c.message));
    f.page.m_RowCount = rows;
    f.page.m_ColCount = 3;
    EXPECT_EQ(f.Rows(), before);
    EXPECT_EQ(f.titleRow, title);
  }
}

TEST(CsvPageClipboard, ShiftOrCtrlClickDropsAPendingCopy) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(0);
  f.page.OnEditCopy(f.g);
  EXPECT_TRUE(f.page.GetEditMenuState(f.g).insert);
  f.Column(2, false, true);
  EXPECT_EQ(f.page.m_ClipState, CLIP_EMPTY);
  EXPECT_FALSE(f.page.GetEditMenuState(f.g).paste);
  EXPECT_FALSE(f.page.GetEditMenuState(f.g).deselect);
}

TEST(CsvPageClipboard, ClearingBringsBackTheTitleRowAsLoaded) {
  PageFixture f;
  f.Load(TenRows(), 4, true);
  f.Row(1);
  f.Row(2, true);
  f.page.OnEditDelete(f.g);
  ASSERT_EQ(f.titleRow, 2);
  f.page.ClearSettings(f.g);
  EXPECT_EQ(f.titleRow, 4);
  EXPECT_EQ(f.page.m_PageTitleRow, 4);
  EXPECT_EQ(f.page.m_TitleRowText, CString(u"タイトル行=5"));
  EXPECT_EQ(f.page.m_HeaderNames[0], CString(u"r4"));
  EXPECT_EQ(f.Rows()[4], u"r4,x");
  EXPECT_EQ(f.page.m_RowCount, 10);
}

TEST(CsvPageClipboard, DeletingColumnsRecordsThemAsOmitted) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(1);
  f.page.OnEditDelete(f.g);
  EXPECT_EQ(f.Rows(), (Rows{u"name,qty", u"a,10", u"b,20", u"c,30"}));
  ASSERT_EQ(f.page.m_OmittedColumns.size(), 1u);
  EXPECT_EQ(f.page.m_OmittedColumns[0].m_SourceColumn, 2);
  EXPECT_EQ(f.page.m_ColumnMap[1], 3);
  EXPECT_EQ(f.page.m_HeaderNames[1], CString(u"qty"));
  EXPECT_TRUE(f.page.m_HeaderNames[2].IsEmpty());
}

// Sort keys after a column edit: each key {1-based column, type, descending} in priority order.
struct KeyMove {
  const char* name;
  void (*act)(PageFixture&);
  int keys[3][3];
};

// Key 1 on qty (number, descending), key 2 on date (date, ascending).
const KeyMove kKeyMoves[] = {
    {"delete a column left of both keys",
     [](PageFixture& f) { f.Column(0); f.page.OnEditDelete(f.g); },
     {{3, 1, 1}, {1, 2, 0}, {0, 0, 0}}},
    {"delete the first key's column: the second moves up",
     [](PageFixture& f) { f.Column(3); f.page.OnEditDelete(f.g); },
     {{2, 2, 0}, {0, 0, 0}, {0, 0, 0}}},
    {"move the first key's column to the front",
     [](PageFixture& f) { f.Column(3); f.page.OnEditCut(f.g); f.Column(0); f.page.OnEditInsert(f.g); },
     {{1, 1, 1}, {3, 2, 0}, {0, 0, 0}}},
    {"insert a copy of a key column",
     [](PageFixture& f) { f.Column(1); f.page.OnEditCopy(f.g); f.Column(0); f.page.OnEditInsert(f.g); },
     {{5, 1, 1}, {3, 2, 0}, {0, 0, 0}}},
    {"paste a copy of a key column",
     [](PageFixture& f) { f.Column(1); f.page.OnEditCopy(f.g); f.Column(0); f.page.OnEditPaste(f.g); },
     {{4, 1, 1}, {2, 2, 0}, {0, 0, 0}}},
    {"paste over a key column",
     [](PageFixture& f) { f.Column(0); f.page.OnEditCopy(f.g); f.Column(1); f.page.OnEditPaste(f.g); },
     {{4, 1, 1}, {0, 0, 0}, {0, 0, 0}}},
    {"the column selection moves the second key's column to the front",
     [](PageFixture& f) {
       std::vector<COLDATA> used = f.page.UsedColumns(f.g);
       std::swap(used[0], used[1]);
       f.page.ApplyColumnSelection(f.g, used, {});
     },
     {{4, 1, 1}, {1, 2, 0}, {0, 0, 0}}},
    {"the column selection leaves out the first key's column",
     [](PageFixture& f) {
       std::vector<COLDATA> used = f.page.UsedColumns(f.g);
       used.pop_back();
       f.page.ApplyColumnSelection(f.g, used, {});
     },
     {{2, 2, 0}, {0, 0, 0}, {0, 0, 0}}},
};

TEST(CsvPageClipboard, SortKeysKeepTheirColumnsTypesAndOrder) {
  for (const KeyMove& c : kKeyMoves) {
    SCOPED_TRACE(c.name);
    PageFixture f;
    f.Load({u"name,date,price,qty", u"a,2024/01/02,1,10", u"b,2024/01/01,2,20"});
    f.page.m_SortCols[0] = 4, f.page.m_SortTypes[0] = 1, f.page.m_SortDesc[0] = 1;
    f.page.m_SortCols[1] = 2, f.page.m_SortTypes[1] = 2, f.page.m_SortDesc[1] = 0;
    c.act(f);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(f.page.m_SortCols[k], c.keys[k][0]) << "key " << k + 1;
      EXPECT_EQ(f.page.m_SortTypes[k], c.keys[k][1]) << "key " << k + 1;
      EXPECT_EQ(f.page.m_SortDesc[k], c.keys[k][2]) << "key " << k + 1;
    }
  }
}

// The keys listed beside the grid are those the selection left.
TEST(CsvPageColumns, TheSortTextFollowsTheColumnSelection) {
  PageFixture f;
  f.Load({u"name,date,price,qty", u"a,2024/01/02,1,10", u"b,2024/01/01,2,20"});
  f.page.m_SortCols[0] = 4, f.page.m_SortCols[1] = 2;
  f.page.ShowSortKeys();
  ASSERT_EQ(f.page.m_SortText, CString(u"qty\ndate\n"));
  std::vector<COLDATA> used = f.page.UsedColumns(f.g);
  used.pop_back();
  f.page.ApplyColumnSelection(f.g, used, {});
  EXPECT_EQ(f.page.m_SortText, CString(u"date\n"));
}

TEST(CsvPageClipboard, MenuItemsFollowTheState) {
  PageFixture f;
  f.Load(kSmall);
  auto s = f.page.GetEditMenuState(f.g);
  EXPECT_FALSE(s.cut || s.copy || s.paste || s.del || s.insert || s.deselect);
  f.Column(1);
  s = f.page.GetEditMenuState(f.g);
  EXPECT_TRUE(s.cut && s.copy && s.del);
  EXPECT_FALSE(s.paste || s.insert || s.deselect);
  f.page.OnEditCut(f.g);
  s = f.page.GetEditMenuState(f.g);
  EXPECT_FALSE(s.copy || s.paste);
  EXPECT_TRUE(s.insert && s.deselect);
  f.page.ClearSelection();
  f.Column(5);   // no field name there
  s = f.page.GetEditMenuState(f.g);
  EXPECT_FALSE(s.cut || s.copy || s.del);
}

}  // namespace
