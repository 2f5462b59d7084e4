// The filter dialog in its three forms, driven offscreen by control id.
#include <gtest/gtest.h>

#include <string>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_dlg.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/filter/ui/main_filter.h"
#include "platform/ui/modal_driver.h"
#include "res/data_edit.h"
#include "res/main_filter.h"
#include "tests/edittools/ui/dialog_test_support.h"

namespace {

using namespace res;

CCheckListBox& List(CDialog& d, int id) { return *static_cast<CCheckListBox*>(d.GetDlgItem(id)); }
CComboBox& Combo(CDialog& d, int id) { return *static_cast<CComboBox*>(d.GetDlgItem(id)); }

std::vector<std::u16string> Lines(CDialog& d, int id) {
  std::vector<std::u16string> out;
  CCheckListBox& l = List(d, id);
  for (int i = 0; i < l.GetCount(); ++i) out.push_back((l.GetCheck(i) == BST_CHECKED ? u"+" : u"") + l.GetText(i).ToU16());
  return out;
}

// A user's click on a line's check box: toggles it and selects the line.
void ClickLine(CDialog& d, int id, int line) {
  List(d, id).ToggleAsUser(line);
  ui::Choose(d, id, line);
}

// The confirmation view: nothing to run or skip, the notice, "閉じる".
void ExpectConfirmationView(CDialog& d) {
  EXPECT_FALSE(ui::IsShown(d, IDOK));
  EXPECT_FALSE(ui::IsShown(d, IDC_MF_SKIP));
  EXPECT_TRUE(ui::IsShown(d, IDC_MF_CONFIRM_NOTE));
  EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"閉じる"));
}

int FindItem(CComboBox& c, const CString& text) {
  for (int i = 0; i < c.GetCount(); ++i) {
    if (c.GetLBText(i) == text) return i;
  }
  return -1;
}

std::u16string Num(int n) {
  std::u16string s;
  for (char ch : std::to_string(n)) s.push_back(static_cast<char16_t>(ch));
  return s;
}

// 60 data rows: region (east for shops 1 and 2, west for shop 3), shop, a
// number of 40 values and a distinct date per row.
void LoadShops() {
  tooltest::LoadRows({{u"地域", u"店舗", u"数量", u"日付"}});
  for (int r = 1; r <= 60; ++r) {
    const int shop = (r - 1) % 3 + 1;
    theApp.m_DataGrid[r][0] = CString(shop == 3 ? u"west" : u"east");
    theApp.m_DataGrid[r][1] = CString(u"s" + Num(shop));
    theApp.m_DataGrid[r][2] = CString(Num(r % 40));
    theApp.m_DataGrid[r][3] = CString(u"2024/01/" + Num(r % 28 + 1)) ;
    theApp.m_RowFieldCount[static_cast<size_t>(r)] = 4;
  }
  theApp.m_DataRows = 61;
}

class FilterDialog : public ::testing::Test {
 protected:
  void SetUp() override { LoadShops(); }
};

TEST_F(FilterDialog, FreshSetsUpTheRepeatingColumnsAndStoresTheChecks) {
  ScriptedModalDriver modal;
  CMainFilter dlg;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"フィルタ"));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME1), CString(u"地域"));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME2), CString(u"店舗"));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_FIELD_COMBO1));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_LIST3));
    EXPECT_EQ(Lines(d, IDC_MF_LIST1), (std::vector<std::u16string>{u"east", u"west"}));
    EXPECT_EQ(Lines(d, IDC_MF_LIST2), (std::vector<std::u16string>{u"s1", u"s2", u"s3"}));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_ROWS), CString(u"60"));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_SKIP));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_NARROW));
    EXPECT_TRUE(ui::IsShown(d, IDC_MF_RESET));
    EXPECT_TRUE(ui::IsShown(d, IDC_MF_ADD));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_CONFIRM_NOTE));
    ClickLine(d, IDC_MF_LIST1, 1);
    EXPECT_EQ(ui::TextOf(d, IDC_MF_COUNT), CString(u"【west】は20件"));
    EXPECT_EQ(Lines(d, IDC_MF_LIST2), (std::vector<std::u16string>{u"s3"}));
    tooltest::KeepPicture(d, "main_filter_first");
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  // The second field has nothing checked under "追加式": no condition from it.
  ASSERT_EQ(dlg.m_CondCount, 1);
  EXPECT_EQ(dlg.m_Conds[0].kind, FILTER_VALUES);
  EXPECT_EQ(dlg.m_Conds[0].column, 0);
  EXPECT_EQ(dlg.m_Conds[0].valueCount, 1);
  EXPECT_EQ(dlg.m_Conds[0].filterKey[0], CString(u"west"));
  EXPECT_EQ(theApp.m_FilterConds.ItemCnt, 2);
  EXPECT_EQ(theApp.m_FilterConds.FilterCnt, 1);
  EXPECT_EQ(theApp.m_FilterHeadRows[0].size(), 4u);
}

// A click on a line's box, delivered as the window system does: the line is
// checked, counted, and narrows the next field. The first line lies under the
// blank date-condition label.
TEST_F(FilterDialog, AClickOnALinesBoxChecksAndCountsIt) {
  struct Case {
    int line;
    std::vector<std::u16string> lines, next;
    const char16_t* count;
  };
  const Case cases[] = {
      {0, {u"+east", u"west"}, {u"s1", u"s2"}, u"【east】は40件"},
      {1, {u"east", u"+west"}, {u"s3"}, u"【west】は20件"},
  };
  for (const Case& c : cases) {
    ScriptedModalDriver modal;
    CMainFilter dlg;
    modal.Queue(IDD_MAIN_FILTER, [&c](CDialog& d) {
      CCheckListBox& list = List(d, IDC_MF_LIST1);
      CRect line;
      list.GetItemRect(c.line, &line);
      ui::ClickAt(list, CPoint(line.left + 10, line.CenterPoint().y));
      EXPECT_EQ(Lines(d, IDC_MF_LIST1), c.lines);
      EXPECT_EQ(ui::TextOf(d, IDC_MF_COUNT), CString(c.count));
      EXPECT_EQ(Lines(d, IDC_MF_LIST2), c.next);
      ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(modal.Failures(), 0);
  }
}

// The count line of a checked value, for values of 10 and 20 characters.
TEST(FilterDialogCountLine, LongValuesAreSeenWhole) {
  const char16_t* const values[] = {u"東京都千代田区丸の内", u"東京都千代田区丸の内一丁目二番三号ビル"};
  for (const char16_t* value : values) {
    tooltest::LoadRows({{u"住所", u"数量"}});
    for (int r = 1; r <= 60; ++r) {
      theApp.m_DataGrid[r][0] = CString(r <= 30 ? value : u"大阪");
      theApp.m_DataGrid[r][1] = CString(Num(r));
      theApp.m_RowFieldCount[static_cast<size_t>(r)] = 2;
    }
    theApp.m_DataRows = 61;
    ScriptedModalDriver modal;
    CMainFilter dlg;
    modal.Queue(IDD_MAIN_FILTER, [value](CDialog& d) {
      const int line = Lines(d, IDC_MF_LIST1)[0] == value ? 0 : 1;
      ClickLine(d, IDC_MF_LIST1, line);
      EXPECT_EQ(ui::TextOf(d, IDC_MF_COUNT), CString(u"【" + std::u16string(value) + u"】は30件"));
      EXPECT_EQ(tooltest::TextCut(d, IDC_MF_COUNT), "");
      EXPECT_EQ(tooltest::TextCut(d, IDC_MF_ROWS_LABEL), "");
      tooltest::KeepPicture(d, "main_filter_long_value");
      ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(modal.Failures(), 0);
  }
}

TEST_F(FilterDialog, ResetThenARangeFieldEndsTheChoice) {
  ScriptedModalDriver modal;
  CMainFilter dlg;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    ui::Click(d, IDC_MF_RESET);
    EXPECT_TRUE(ui::IsShown(d, IDC_MF_FIELD_COMBO1));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_LIST1));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_ADD));
    CComboBox& fields = Combo(d, IDC_MF_FIELD_COMBO1);
    EXPECT_GE(FindItem(fields, CString(u"ﾁｪｯｸ)  地域")), 0);
    const int date = FindItem(fields, CString(u"範囲)  日付"));
    ASSERT_GE(date, 0);
    ASSERT_TRUE(ui::Choose(d, IDC_MF_FIELD_COMBO1, date));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_FIELD_COMBO1));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_FIELD_COMBO2));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_COND1), CString(u"日付条件"));
    EXPECT_EQ(Combo(d, IDC_MF_MODE1).GetCount(), 6);
    ASSERT_TRUE(ui::Choose(d, IDC_MF_MODE1, 2));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_UPPER_WORD1), CString(u"から"));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_LOWER_WORD1), CString(u"まで"));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_UPPER_HINT1), CString(u"24/01/01の様に"));
    ASSERT_TRUE(ui::Type(d, IDC_MF_UPPER1, CString(u"24/01/05")));
    ASSERT_TRUE(ui::Type(d, IDC_MF_LOWER1, CString(u"2024/1/9")));
    tooltest::KeepPicture(d, "main_filter_range");
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  ASSERT_EQ(dlg.m_CondCount, 1);
  EXPECT_EQ(dlg.m_Conds[0].kind, FILTER_DATE_RANGE);
  EXPECT_EQ(dlg.m_Conds[0].mode, 2);
  EXPECT_EQ(dlg.m_Conds[0].filterKey[0], CString(u"20240105"));
  EXPECT_EQ(dlg.m_Conds[0].filterKey[1], CString(u"20240109"));
  EXPECT_EQ(dlg.m_Conds[0].valueCount, 2);
}

TEST_F(FilterDialog, RemoveStyleRefusesToHideEverything) {
  ScriptedModalDriver modal;
  CMainFilter dlg;
  modal.Queue(IDD_MAIN_FILTER, [&modal](CDialog& d) {
    ui::Click(d, IDC_MF_REMOVE);
    EXPECT_EQ(Lines(d, IDC_MF_LIST1), (std::vector<std::u16string>{u"+east", u"+west"}));
    ClickLine(d, IDC_MF_LIST1, 0);
    EXPECT_EQ(Lines(d, IDC_MF_LIST2), (std::vector<std::u16string>{u"+s3"}));
    modal.QueueBox(IDOK, CString(u"検索項目が０です。　全て非表示になるのでやり直してください。"));
    ClickLine(d, IDC_MF_LIST1, 1);
    EXPECT_EQ(ui::TextOf(d, IDC_MF_COUNT), CString(u"未チェックの為、対象外です。"));
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  // Nothing checked under "解除式": neither this field nor a later one filters.
  EXPECT_EQ(dlg.m_CondCount, 0);
}

TEST_F(FilterDialog, InChainPresetsTheStoredChecksAndSkipKeepsThem) {
  {
    ScriptedModalDriver modal;
    CMainFilter first;
    modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
      ClickLine(d, IDC_MF_LIST1, 1);
      ui::Click(d, IDOK);
    });
    ASSERT_EQ(first.DoModal(), IDOK);
  }
  ScriptedModalDriver modal;
  CMainFilter dlg;
  dlg.m_InChain = 1;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    EXPECT_TRUE(ui::IsShown(d, IDC_MF_SKIP));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_NARROW));
    EXPECT_EQ(Lines(d, IDC_MF_LIST1), (std::vector<std::u16string>{u"east", u"+west"}));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME1), CString(u"地域"));
    // 店舗 gave no condition; it still stands on its own column.
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME2), CString(u"店舗"));
    EXPECT_EQ(Lines(d, IDC_MF_LIST2), (std::vector<std::u16string>{u"s3"}));
    tooltest::KeepPicture(d, "main_filter_chain");
    ui::Click(d, IDC_MF_SKIP);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(dlg.m_Skip, 1);
  EXPECT_EQ(theApp.m_FilterConds.conditions[0].filterKey[0], CString(u"west"));
}

TEST_F(FilterDialog, ReadOnlyViewShowsTheStoredListsAndStoresNothing) {
  {
    ScriptedModalDriver modal;
    CMainFilter first;
    modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
      ClickLine(d, IDC_MF_LIST1, 0);
      ui::Click(d, IDOK);
    });
    ASSERT_EQ(first.DoModal(), IDOK);
  }
  const size_t heads = theApp.m_FilterHeadRows[0].size();
  ScriptedModalDriver modal;
  CMainFilter dlg;
  dlg.m_InChain = 1;
  dlg.m_ReadOnly = 1;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    ExpectConfirmationView(d);
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_RESET));
    EXPECT_FALSE(ui::IsShown(d, IDC_MF_ROWS));
    EXPECT_FALSE(ui::IsEnabled(d, IDC_MF_ADD));
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME1), CString(u"地域"));
    EXPECT_EQ(Lines(d, IDC_MF_LIST1), (std::vector<std::u16string>{u"+east", u"west"}));
    tooltest::KeepPicture(d, "main_filter_view");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_FilterHeadRows[0].size(), heads);
}

struct NoCandidateCase {
  const char* name;
  int rows;
  bool runShown;
};

TEST(FilterDialogNoCandidate, ExplainsAndOffersWhatCanBeDone) {
  const NoCandidateCase cases[] = {{"SmallData", 20, true}, {"LargeData", 3000, false}};
  for (const NoCandidateCase& c : cases) {
    tooltest::LoadRows({{u"番号"}});
    for (int r = 1; r < c.rows; ++r) theApp.m_DataGrid[r][0] = CString(u"n" + Num(r));
    theApp.m_DataRows = c.rows;
    ScriptedModalDriver modal;
    CMainFilter dlg;
    modal.Queue(IDD_MAIN_FILTER, [&c](CDialog& d) {
      EXPECT_TRUE(ui::IsShown(d, IDC_MF_MESSAGE)) << c.name;
      EXPECT_EQ(ui::TextOf(d, IDC_MF_MESSAGE).Find(u"絞り込み対象項目が見つかりません。"), 0) << c.name;
      EXPECT_FALSE(ui::IsShown(d, IDC_MF_FIELD_COMBO1)) << c.name;
      EXPECT_FALSE(ui::IsShown(d, IDC_MF_RESET)) << c.name;
      EXPECT_EQ(ui::IsShown(d, IDOK), c.runShown) << c.name;
      if (c.runShown) tooltest::KeepPicture(d, "main_filter_none");
      ui::Click(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(modal.Failures(), 0) << c.name;
  }
}

TEST_F(FilterDialog, TheFilterStepFiltersThroughTheDialog) {
  ScriptedModalDriver modal;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    ClickLine(d, IDC_MF_LIST1, 1);
    ClickLine(d, IDC_MF_LIST2, 0);
    ui::Click(d, IDOK);
  });
  CTabroClientDlg main;
  EXPECT_EQ(main.RunFilterStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_DataRows, 21);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(20, 1), CString(u"s3"));
}


// Regression: the order dialog's filter slot opened a new set-up over the rows
// the filter had already kept (other fields, nothing ticked, "フィルタ実行").
TEST_F(FilterDialog, TheOrderDialogsFilterSlotShowsWhatTheStepStored) {
  ScriptedModalDriver modal;
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    ClickLine(d, IDC_MF_LIST1, 1);  // west
    ui::Click(d, IDOK);
  });
  CTabroClientDlg main;
  ASSERT_EQ(main.RunFilterStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  ASSERT_EQ(theApp.m_DataRows, 21);
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kFilter, 1};
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_ORDER_SLOT1);
    ui::Click(d, IDCANCEL);
  });
  modal.Queue(IDD_MAIN_FILTER, [](CDialog& d) {
    ExpectConfirmationView(d);
    EXPECT_EQ(ui::TextOf(d, IDC_MF_NAME1), CString(u"地域"));
    EXPECT_EQ(Lines(d, IDC_MF_LIST1), (std::vector<std::u16string>{u"east", u"+west"}));
    ui::Click(d, IDCANCEL);
  });
  RunOrderConfirmation();
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_DataRows, 21);
  theApp.ResetToolSettings(TOOL_RESET_ALL);
}

}  // namespace

