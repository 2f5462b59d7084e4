// The column-layout dialog of the macro-column step, driven by control id over a
// small data grid: the list columns and previews, picking and adding a macro
// column, cut and paste through the column menu, the chain mode and storing.
#include <gtest/gtest.h>

#include "app/tabro_client_app.h"
#include "app/up_calls.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "support/screenshot.h"
#include "macro/ui/data_macro_insert.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"

namespace {

constexpr int kSlots = 1250, kSkip = 1280, kList = 1413;

class DataMacroInsertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::ResetTheApp();
    gridtest::Fill(theApp.m_DataGrid, {{u"品名", u"区分", u"単価", u"数量", u"備考"},
                                       {u"りんご", u"A", u"120", u"3", u"x"},
                                       {u"みかん", u"B", u"80", u"2", u"y"},
                                       {u"ぶどう", u"A", u"300", u"1", u"z"},
                                       {u"もも", u"B", u"250", u"4", u"w"},
                                       {u"なし", u"A", u"90", u"5", u"v"},
                                       {u"かき", u"B", u"70", u"6", u"u"}});
    theApp.m_DataRows = 7;
    theApp.m_DataCols = 5;
    theApp.m_TitleRow = 0;
    theApp.DetectColumnTypes(0);
  }
};

std::vector<CString> Headers(CListCtrl& list) {
  std::vector<CString> h;
  CHeaderCtrl* header = list.GetHeaderCtrl();
  for (int i = 0; i < header->GetItemCount(); ++i) h.push_back(header->GetItemText(i));
  return h;
}

void ClickColumn(CListCtrl& list, int column, unsigned keys = 0) {
  CHeaderCtrl* header = list.GetHeaderCtrl();
  CRect r;
  ASSERT_TRUE(header->GetItemRect(column, &r));
  ui::ClickAt(*header, r.CenterPoint(), keys);
}

// A user's click on a slot's box: the box toggles, then the slot is selected.
void ClickSlotBox(CCheckListBox& list, int slot) {
  CRect line;
  ASSERT_NE(list.GetItemRect(slot, &line), LB_ERR);
  ui::ClickAt(list, CPoint(line.left + 10, line.CenterPoint().y));
}

void ChooseFromMenu(ScriptedModalDriver& modal, CListCtrl& list, unsigned command) {
  modal.QueueMenuCommand(command);
  CRect r;
  list.GetClientRect(&r);
  ui::RightClickAt(list, r.CenterPoint());
}

TEST_F(DataMacroInsertTest, OpensWithTheInputColumnsAndAnEndColumn) {
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  modal.Queue(277, [](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_EQ(d.GetWindowText(), CString(u"並び替え・演算"));
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"品名", u"区分", u"単価", u"数量", u"備考", u""}));
    EXPECT_EQ(m.m_ColumnList.GetItemCount(), 4);
    EXPECT_EQ(m.m_ColumnList.GetItemText(3, 2), CString(u"250"));
    EXPECT_EQ(m.m_SlotList.GetCount(), 3);
    for (int s = 0; s < 3; ++s) EXPECT_EQ(m.m_SlotList.GetCheck(s), 0);
    EXPECT_FALSE(ui::IsShown(d, kSkip));
    EXPECT_FALSE(ui::IsShown(d, 1308));
    KeepPicture(d, "data_macro_insert_277");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(theApp.m_MacroSetting.ClmArry.empty());
}

// Regression: the box toggles on the press and the slot is selected after it;
// both used to open the macro, so it came twice.
TEST_F(DataMacroInsertTest, TheBoxOfAnUnselectedSlotOpensItsMacroOnce) {
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    ClickColumn(m.m_ColumnList, 2);
    ClickSlotBox(m.m_SlotList, 1);
    EXPECT_EQ(m.m_SlotList.GetCheck(1), 1);
    EXPECT_EQ(m.m_SlotList.GetCurSel(), 1);
    ui::Click(d, IDCANCEL);
  });
  // One macro dialog; a second one would come unscripted and fail the test.
  modal.Queue(275, [&](CDialog& d) {
    ui::Type(d, 1151, u"[単価]*2");
    ui::Click(d, IDOK);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DataMacroInsertTest, TickingASlotAddsAMacroColumnAtThePickedPlace) {
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    ClickSlotBox(m.m_SlotList, 0);  // no position picked yet
    EXPECT_EQ(m.m_SlotList.GetCheck(0), 0);
    ClickColumn(m.m_ColumnList, 2);
    ClickSlotBox(m.m_SlotList, 0);  // the selected slot: its tick opens the macro once
    EXPECT_EQ(Headers(m.m_ColumnList)[2], CString(u"単価_2"));
    EXPECT_EQ(m.m_ColumnList.GetItemText(0, 2), CString(u"【マクロ１】"));
    EXPECT_EQ(m.m_ColumnList.GetItemText(1, 2), CString(u"[単価]*[数量]"));
    {
      // The macro's name is seen whole, not cut with "…".
      CClientDC dc(&m.m_ColumnList);
      dc.SelectObject(m.m_ColumnList.GetFont());
      EXPECT_LE(dc.GetTextExtent(CString(u"【マクロ１】")).cx + 8, m.m_ColumnList.GetColumnWidth(2));
    }
    KeepPicture(d, "data_macro_insert_277_macro");
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, u"マクロ列の挿入位置が設定されていません。");
  modal.Queue(275, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, 1077), CString(u"単価_2"));
    ui::Type(d, 1151, u"[単価]*[数量]");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  const MACROSETTING& s = theApp.m_MacroSetting;
  ASSERT_EQ(s.ClmArry.size(), 6u);
  EXPECT_EQ(s.ClmArry[2].sourceColumn, -1);
  EXPECT_EQ(s.ClmArry[2].macroNumber, 1);
  EXPECT_EQ(s.ClmArry[2].macroText, CString(u"[単価]*[数量]"));
  EXPECT_EQ(s.ClmArry[3].sourceColumn, 3);
  EXPECT_EQ(s.colms, 6);
  EXPECT_EQ(s.EditDatclms, 5);
  EXPECT_EQ(theApp.m_MacroPreviewRows[0].size(), 5u);  // the snapshot of rows 0 to 4
  EXPECT_EQ(theApp.m_MacroPreviewRows[4][0], CString(u"もも"));
  EXPECT_TRUE(theApp.m_MacroPreviewRows[5].empty());
}

TEST_F(DataMacroInsertTest, RangeCutAndPasteMovesColumnsToTheFront) {
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    ClickColumn(m.m_ColumnList, 1);
    ClickColumn(m.m_ColumnList, 3, ui::kShift);
    ChooseFromMenu(modal, m.m_ColumnList, 32962);
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"品名", u"備考", u""}));
    ClickColumn(m.m_ColumnList, 0);
    ChooseFromMenu(modal, m.m_ColumnList, 32957);
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"区分", u"単価", u"数量", u"品名", u"備考", u""}));
    ClickColumn(m.m_ColumnList, 4);
    ChooseFromMenu(modal, m.m_ColumnList, 32958);
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"区分", u"単価", u"数量", u"品名", u""}));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  std::vector<int> sources;
  for (const MACROCOL& c : theApp.m_MacroSetting.ClmArry) sources.push_back(c.sourceColumn);
  EXPECT_EQ(sources, (std::vector<int>{2, 3, 4, 1}));
}

TEST_F(DataMacroInsertTest, InChainResetsALayoutThatNoLongerFits) {
  theApp.m_MacroSetting.EditDatclms = 5;
  theApp.m_MacroSetting.colms = 2;
  theApp.m_MacroSetting.ClmArry = {MACROCOL{1, 0, CString(), u"品名"}, MACROCOL{2, 0, CString(), u"種別"}};
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  dlg.m_InChain = 1;
  modal.QueueBox(IDOK, u"上位のツールでデータ構造が変わっています。マクロは初期化されました。");
  modal.Queue(277, [](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_EQ(Headers(m.m_ColumnList).size(), 6u);
    EXPECT_TRUE(ui::IsShown(d, kSkip));  // the macro tool is the chain's only tool
    ui::Click(d, kSkip);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Skip, 1);
  EXPECT_EQ(theApp.m_MacroSetting.ClmArry.size(), 2u);  // nothing stored
}

TEST_F(DataMacroInsertTest, RemovingAMacroColumnUnticksItsSlot) {
  theApp.m_MacroSetting.EditDatclms = 5;
  theApp.m_MacroSetting.colms = 7;
  theApp.m_MacroSetting.ClmArry = {MACROCOL{1, 0, CString(), u"品名"}, MACROCOL{-1, 1, u"1", u"a"},
                                   MACROCOL{-1, 3, u"2", u"b"}};
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  dlg.m_InChain = 1;
  theApp.m_ToolOrder[1].toolKind = ToolKind::kSort;  // another tool follows: no "スキップ"
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_FALSE(ui::IsShown(d, kSkip));
    EXPECT_EQ(m.m_SlotList.GetCheck(0), 1);
    EXPECT_EQ(m.m_SlotList.GetCheck(2), 1);
    ClickSlotBox(m.m_SlotList, 0);  // unticking removes the column
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"品名", u"b", u""}));
    ClickColumn(m.m_ColumnList, 1);
    ChooseFromMenu(modal, m.m_ColumnList, 32958);
    EXPECT_EQ(m.m_SlotList.GetCheck(2), 0);
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"品名", u""}));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.m_MacroSetting.ClmArry.size(), 3u);  // cancel stores nothing
}

TEST_F(DataMacroInsertTest, TwoValueItemsAllowOneMacroColumnAtTheEnd) {
  theApp.m_PivotSetting.SumClmArry.resize(2);
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_EQ(m.m_SlotList.GetCount(), 1);
    EXPECT_TRUE(ui::IsShown(d, 1321));
    ClickColumn(m.m_ColumnList, 2);
    EXPECT_FALSE(ui::IsEnabled(d, kSlots));
    ClickColumn(m.m_ColumnList, 5);
    EXPECT_TRUE(ui::IsEnabled(d, kSlots));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DataMacroInsertTest, ReadOnlyViewShowsTheSnapshotAndAcceptsNoChange) {
  theApp.m_MacroSetting.ClmArry = {MACROCOL{2, 0, CString(), u"区分"}, MACROCOL{-1, 1, u"[単価]*2", u"倍"}};
  theApp.m_MacroPreviewRows[0] = {u"名", u"種"};
  theApp.m_MacroPreviewRows[1] = {u"x", u"甲"};
  ScriptedModalDriver modal;
  CDataMacroInsert dlg;
  dlg.m_InChain = dlg.m_ReadOnly = 1;
  modal.Queue(277, [&](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_FALSE(ui::IsShown(d, IDOK));
    EXPECT_FALSE(ui::IsShown(d, kSlots));
    EXPECT_TRUE(ui::IsShown(d, 1308));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"閉じる"));
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"種", u"倍", u""}));
    EXPECT_EQ(m.m_ColumnList.GetItemCount(), 10);
    EXPECT_EQ(m.m_ColumnList.GetItemText(0, 0), CString(u"甲"));
    EXPECT_EQ(m.m_ColumnList.GetItemText(1, 0), CString(u""));
    KeepPicture(d, "data_macro_insert_277_readonly");
    CRect r;
    m.m_ColumnList.GetClientRect(&r);
    ui::RightClickAt(m.m_ColumnList, r.CenterPoint());  // no menu in the view
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DataMacroInsertTest, TheStepReachesTheDialogThroughTheTable) {
  // The program's start-up lives above this layer: the test fills the one entry.
  const MacroDialogFn saved = GetUpCalls().macro;
  GetUpCalls().macro = &RunMacroColumnDialog;
  theApp.m_MacroSetting.EditDatclms = 5;
  theApp.m_MacroSetting.colms = 6;
  theApp.m_MacroSetting.ClmArry = {MACROCOL{1, 0, CString(), u"品名"}, MACROCOL{-1, 2, u"[単価]*[数量]", u"金額"}};
  ScriptedModalDriver modal;
  modal.Queue(277, [](CDialog& d) {
    auto& m = static_cast<CDataMacroInsert&>(d);
    EXPECT_EQ(m.m_SlotList.GetCheck(1), 1);
    EXPECT_EQ(Headers(m.m_ColumnList), (std::vector<CString>{u"品名", u"金額", u""}));
    ui::Click(d, IDOK);
  });
  MacroDialogIo io;
  io.inChain = 1;
  EXPECT_EQ(GetUpCalls().macro(io), IDOK);
  EXPECT_EQ(io.skipped, 0);
  GetUpCalls().macro = saved;
}

}  // namespace
