// The sort dialog in its three forms, driven offscreen by control id.
#include <gtest/gtest.h>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_dlg.h"
#include "edittools/sort/ui/sort_dlg.h"
#include "platform/ui/modal_driver.h"
#include "res/sort_dlg.h"
#include "tests/edittools/ui/dialog_test_support.h"

namespace {

constexpr int kColumn[3] = {res::IDC_SORT_COLUMN1, res::IDC_SORT_COLUMN2, res::IDC_SORT_COLUMN3};
constexpr int kType[3] = {res::IDC_SORT_TYPE1, res::IDC_SORT_TYPE2, res::IDC_SORT_TYPE3};
constexpr int kOrder[3] = {res::IDC_SORT_ORDER1, res::IDC_SORT_ORDER2, res::IDC_SORT_ORDER3};

CComboBox& Combo(CDialog& d, int id) { return *static_cast<CComboBox*>(d.GetDlgItem(id)); }

const CString kNames[] = {u"店舗", u"数量", u"日付"};

class SortDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    tooltest::LoadRows({{u"店舗", u"数量", u"日付"}, {u"b", u"2", u"2024/01/02"}, {u"a", u"10", u"2024/01/01"}});
  }
  // Opens a first set-up: no start keys, presets text, number, date.
  void PrepareFirstSetUp(CSortDlg& dlg) {
    const int none[3] = {0, 0, 0};
    dlg.SetSortSettings(none, none, none, 3, kNames, 0);
    for (int c = 0; c < 3; ++c) dlg.m_TypePresets[c] = static_cast<uint8_t>(c);
  }
};

TEST_F(SortDialog, FirstSetUpShowsEmptyKeysAndStoresTheChosenOnesClosedUp) {
  ScriptedModalDriver modal;
  CSortDlg dlg;
  PrepareFirstSetUp(dlg);
  theApp.m_SortColumnNames = {CString(u"前")};
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"ソート"));
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(Combo(d, kColumn[k]).GetCount(), 3);
      EXPECT_EQ(Combo(d, kColumn[k]).GetCurSel(), -1);
      EXPECT_EQ(ui::TextOf(d, kType[k]), CString(u"文字として比較"));
      EXPECT_EQ(ui::TextOf(d, kOrder[k]), CString(u"昇順"));
    }
    EXPECT_FALSE(ui::IsShown(d, res::IDC_SORT_SKIP));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_SORT_CONFIRM_NOTE));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"キャンセル"));
    tooltest::KeepPicture(d, "sort_dlg_first");
    // Only key 3 given: the date column presets its compare type.
    ASSERT_TRUE(ui::Choose(d, kColumn[2], 2));
    EXPECT_EQ(ui::TextOf(d, kType[2]), CString(u"日付として比較"));
    ASSERT_TRUE(ui::Choose(d, kOrder[2], 1));
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(dlg.m_KeyCount, 1);
  const SORTKEYS& s = theApp.m_SortSetting;
  EXPECT_EQ(s.sortCnt, 1);
  EXPECT_EQ(s.column[0], 2);
  EXPECT_EQ(s.compareType[0], SORT_AS_DATE);
  EXPECT_EQ(s.descending[0], 1);
  EXPECT_EQ(dlg.m_KeyColumn[1], -1);
  EXPECT_EQ(theApp.m_SortTypeTable[1], 1);
  // The names are appended, not replacing what was there.
  EXPECT_EQ(theApp.m_SortColumnNames, (std::vector<CString>{u"前", u"店舗", u"数量", u"日付"}));
}

TEST_F(SortDialog, ClearEmptiesTheColumnsAndOkStoresNoKey) {
  ScriptedModalDriver modal;
  CSortDlg dlg;
  const int columns[3] = {2, 1, 0};
  const int types[3] = {1, 0, 0};
  const int orders[3] = {1, 0, 0};
  dlg.SetSortSettings(columns, types, orders, 3, kNames, 0);
  theApp.m_SortSetting.sortCnt = 1;
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, kColumn[0]), CString(u"数量"));
    EXPECT_EQ(ui::TextOf(d, kOrder[0]), CString(u"降順"));
    ui::Click(d, res::IDC_SORT_CLEAR);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(Combo(d, kColumn[k]).GetCurSel(), -1);
      EXPECT_EQ(ui::TextOf(d, kType[k]), CString(u"文字として比較"));
      EXPECT_EQ(ui::TextOf(d, kOrder[k]), CString(u"昇順"));
    }
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 0);
}

TEST_F(SortDialog, InChainPresetsTheStoredKeyAndSkipKeepsIt) {
  theApp.m_SortSetting.sortCnt = 1;
  theApp.m_SortSetting.column[0] = 1;
  theApp.m_SortSetting.compareType[0] = SORT_AS_NUMBER;
  theApp.m_SortSetting.descending[0] = 1;
  {
    ScriptedModalDriver modal;
    CSortDlg dlg;
    PrepareFirstSetUp(dlg);
    dlg.m_InChain = 1;
    modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
      EXPECT_EQ(ui::TextOf(d, kColumn[0]), CString(u"数量"));
      EXPECT_EQ(ui::TextOf(d, kType[0]), CString(u"数値として比較"));
      EXPECT_EQ(ui::TextOf(d, kOrder[0]), CString(u"降順"));
      for (int k = 1; k < 3; ++k) {
        EXPECT_EQ(Combo(d, kColumn[k]).GetCurSel(), -1);
        EXPECT_EQ(Combo(d, kType[k]).GetCurSel(), -1);
        EXPECT_EQ(Combo(d, kOrder[k]).GetCurSel(), -1);
      }
      EXPECT_TRUE(ui::IsShown(d, res::IDC_SORT_SKIP));
      tooltest::KeepPicture(d, "sort_dlg_chain");
      ASSERT_TRUE(ui::Choose(d, kColumn[1], 0));
      ui::Click(d, res::IDC_SORT_SKIP);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(modal.Failures(), 0);
    EXPECT_EQ(dlg.m_Skip, 1);
    EXPECT_EQ(theApp.m_SortSetting.column[0], 1);
    EXPECT_TRUE(theApp.m_SortColumnNames.empty());
  }
  // The second key's order list was never chosen: stored as -1.
  ScriptedModalDriver modal;
  CSortDlg dlg;
  PrepareFirstSetUp(dlg);
  dlg.m_InChain = 1;
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
    ASSERT_TRUE(ui::Choose(d, kColumn[1], 2));
    EXPECT_EQ(ui::TextOf(d, kType[1]), CString(u"日付として比較"));
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 2);
  EXPECT_EQ(theApp.m_SortSetting.column[1], 2);
  EXPECT_EQ(theApp.m_SortSetting.descending[1], -1);
}

TEST_F(SortDialog, ConfirmationModeShowsTheStoredKeysAndStoresNothing) {
  theApp.m_SortSetting.sortCnt = 1;
  theApp.m_SortSetting.column[0] = 1;
  theApp.m_SortSetting.compareType[0] = SORT_AS_NUMBER;
  theApp.m_SortColumnNames = {CString(u"品名"), CString(u"金額")};
  theApp.m_SortTypeTable[0] = SORT_AS_DATE;
  ScriptedModalDriver modal;
  CSortDlg dlg;
  dlg.m_ConfirmMode = 1;
  dlg.m_InChain = 1;
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, kColumn[0]), CString(u"金額"));
    EXPECT_EQ(ui::TextOf(d, kType[0]), CString(u"数値として比較"));
    EXPECT_FALSE(ui::IsShown(d, IDOK));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_SORT_SKIP));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_SORT_CLEAR));
    EXPECT_TRUE(ui::IsShown(d, res::IDC_SORT_CONFIRM_NOTE));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"閉じる"));
    tooltest::KeepPicture(d, "sort_dlg_view");
    // The lists stay usable and follow the stored presets; nothing is kept.
    ASSERT_TRUE(ui::Choose(d, kColumn[1], 0));
    EXPECT_EQ(ui::TextOf(d, kType[1]), CString(u"日付として比較"));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 1);
  EXPECT_EQ(theApp.m_SortColumnNames.size(), 2u);
}

TEST_F(SortDialog, TheSortStepSortsThroughTheDialog) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& d) {
    // The step presets each column's compare type from its detected type.
    ASSERT_TRUE(ui::Choose(d, kColumn[0], 1));
    EXPECT_EQ(ui::TextOf(d, kType[0]), CString(u"数値として比較"));
    ASSERT_TRUE(ui::Choose(d, kOrder[0], 1));
    ui::Click(d, IDOK);
  });
  CTabroClientDlg main;
  EXPECT_EQ(main.RunSortStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(DataGridAsCsv(), "店舗,数量,日付\na,10,2024/01/01\nb,2,2024/01/02\n");
}

}  // namespace
