// The tool-order dialog, opened offscreen and driven by control id.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/chain/ui/tool_button_images.h"
#include "macro/ui/data_macro_insert.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/addcsv_view.h"
#include "res/data_edit.h"
#include "res/pivot_dlg.h"
#include "res/sort_dlg.h"
#include "res/data_macro_insert.h"
#include "res/main_filter.h"
#include "tests/edittools/ui/dialog_test_support.h"
#include "support/look.h"
#include "support/temp_dir.h"

namespace {

using enum ToolKind;

constexpr int kToolIds[5] = {res::IDC_TOOL_PIVOT, res::IDC_TOOL_ADDCSV, res::IDC_TOOL_FILTER, res::IDC_TOOL_SORT,
                             res::IDC_TOOL_MACRO};
constexpr int kSlotIds[5] = {res::IDC_ORDER_SLOT1, res::IDC_ORDER_SLOT2, res::IDC_ORDER_SLOT3, res::IDC_ORDER_SLOT4,
                             res::IDC_ORDER_SLOT5};
constexpr int kCheckIds[5] = {res::IDC_NEXT_CHECK1, res::IDC_NEXT_CHECK2, res::IDC_NEXT_CHECK3, res::IDC_NEXT_CHECK4,
                              res::IDC_NEXT_CHECK5};

// Enabled state of the five tool buttons, kinds 1 to 5, as "10011".
std::string EnabledTools(CDialog& d) {
  std::string s;
  for (int id : kToolIds) s += ui::IsEnabled(d, id) ? '1' : '0';
  return s;
}
std::string ShownChecks(CDialog& d) {
  std::string s;
  for (int id : kCheckIds) s += ui::IsShown(d, id) ? '1' : '0';
  return s;
}
// The tool in each slot, by the tip its picture carries.
std::string Slots(CDialog& d) {
  std::string s;
  for (int id : kSlotIds) s += static_cast<CDataEdit&>(d).m_ToolTips.GetToolText(d.GetDlgItem(id)).ToUtf8() + "|";
  return s;
}

// Pixels of a control drawn in a colour.
int Pixels(CDialog& d, int id, COLORREF colour) {
  ui::Picture p = ui::Render(*d.GetDlgItem(id));
  return p.CountColour(CRect(0, 0, p.Width(), p.Height()), colour);
}

TOOLORDER Order(std::initializer_list<TOOLSLOT> entries) {
  TOOLORDER order{};
  size_t i = 0;
  for (const TOOLSLOT& s : entries) order[i++] = s;
  return order;
}

class DataEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ResetToolSettings(TOOL_RESET_ALL);
    theApp.m_DataRows = 1235;
  }
  void TearDown() override { theApp.ResetToolSettings(TOOL_RESET_ALL); }
  RecordingUiHooks hooks_;
};

TEST_F(DataEditTest, SelectionFormBuildsTheOrderWithTheAggregationRule) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"データ加工・集計ツール選択画面"));
    EXPECT_EQ(Slots(d), "|||||");
    EXPECT_EQ(ShownChecks(d), "00000");
    EXPECT_EQ(EnabledTools(d), "11111");
    EXPECT_EQ(ui::TextOf(d, IDOK), CString(u"実行"));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"キャンセル"));
    EXPECT_TRUE(ui::IsEnabled(d, IDOK));
    EXPECT_EQ(ui::TextOf(d, res::IDC_ROW_COUNT), CString(u"データ行数 =   1,235"));
    EXPECT_EQ(static_cast<CDataEdit&>(d).m_ToolTips.GetToolText(d.GetDlgItem(res::IDC_TOOL_ADDCSV)),
              CString(u"ファイル結合"));
    KeepPicture(d, "data_edit_empty");

    // The aggregation leaves only macro columns to add.
    ui::Click(d, res::IDC_TOOL_PIVOT);
    EXPECT_EQ(EnabledTools(d), "10001");
    EXPECT_EQ(Slots(d), "データ積算|||||");
    EXPECT_EQ(ShownChecks(d), "10000");
    EXPECT_EQ(d.IsDlgButtonChecked(res::IDC_NEXT_CHECK1), 1u);
    ui::Click(d, res::IDC_TOOL_PIVOT);
    EXPECT_EQ(EnabledTools(d), "11111");
    EXPECT_EQ(ShownChecks(d), "00000");

    // A join chosen before the aggregation stays removable.
    ui::Click(d, res::IDC_TOOL_ADDCSV);
    ui::Click(d, res::IDC_TOOL_PIVOT);
    EXPECT_EQ(EnabledTools(d), "11001");

    // Removing the middle one of three moves the last up with its tick.
    ui::Click(d, res::IDC_TOOL_MACRO);
    ui::Click(d, res::IDC_NEXT_CHECK3);   // untick the macro columns
    KeepPicture(d, "data_edit_three_tools");
    ui::Click(d, res::IDC_TOOL_PIVOT);
    EXPECT_EQ(Slots(d), "追加CSVファイル|マクロでデータ作成||||");
    EXPECT_EQ(ShownChecks(d), "11000");
    EXPECT_EQ(d.IsDlgButtonChecked(res::IDC_NEXT_CHECK2), 0u);
    ui::Click(d, IDOK);
  });
  CDataEdit dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, kAddCsv);
  EXPECT_EQ(theApp.m_ToolOrder[0].openSettingsNextTime, 1);
  EXPECT_EQ(theApp.m_ToolOrder[1].toolKind, kMacro);
  EXPECT_EQ(theApp.m_ToolOrder[1].openSettingsNextTime, 0);
  EXPECT_EQ(theApp.m_ToolOrder[2].toolKind, kNone);
}

TEST_F(DataEditTest, ButtonsAndSlotsShowTheToolsPictures) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    // No text on the buttons: the pictures carry the captions.
    for (int id : kToolIds) EXPECT_EQ(ui::TextOf(d, id), CString()) << id;
    for (int id : kSlotIds) EXPECT_EQ(ui::TextOf(d, id), CString()) << id;
    const int normal = Pixels(d, res::IDC_TOOL_SORT, kToolImageBlue);
    EXPECT_GT(normal, 100);   // the symbol tile
    for (int id : kSlotIds) {
      EXPECT_EQ(Pixels(d, id, kToolImageBlue), 0) << id;
      EXPECT_GT(Pixels(d, id, kToolImageEmptyFill), 1000) << id;
    }
    ui::Click(d, res::IDC_TOOL_SORT);
    // Pressed: the whole picture turns blue; the first slot shows the sort.
    EXPECT_GT(Pixels(d, res::IDC_TOOL_SORT, kToolImageBlue), 4 * normal);
    EXPECT_GT(Pixels(d, res::IDC_ORDER_SLOT1, kToolImageBlue), 100);
    EXPECT_LT(Pixels(d, res::IDC_ORDER_SLOT1, kToolImageEmptyFill), 100);
    EXPECT_EQ(Slots(d), "ソート|||||");
    KeepPicture(d, "data_edit_sort_pressed");
    ui::Click(d, res::IDC_TOOL_SORT);
    EXPECT_EQ(Pixels(d, res::IDC_TOOL_SORT, kToolImageBlue), normal);
    EXPECT_EQ(Pixels(d, res::IDC_ORDER_SLOT1, kToolImageBlue), 0);
    ui::Click(d, IDCANCEL);
  });
  CDataEdit dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DataEditTest, TheReleaseNoteLeavesThePanelFree) {
  const ControlTemplate* note = nullptr;
  for (const ControlTemplate& c : res::kDataEdit.controls)
    if (c.text && std::u16string_view(c.text).starts_with(u"※解除方法")) note = &c;
  ASSERT_NE(note, nullptr);
  const CRect noteRect(DluToPixelsX(note->x), DluToPixelsY(note->y), DluToPixelsX(note->x + note->cx),
                       DluToPixelsY(note->y + note->cy));
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [&](CDialog& d) {
    const CRect panel = static_cast<CDataEdit&>(d).PanelRect();
    EXPECT_TRUE(noteRect.bottom <= panel.top || noteRect.left >= panel.right);
    ui::Click(d, IDCANCEL);
  });
  CDataEdit dlg;
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DataEditTest, CancelLeavesTheStoredOrder) {
  theApp.m_ToolOrder = Order({{kSort, 0}});
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(Slots(d), "ソート|||||");
    EXPECT_EQ(ShownChecks(d), "10000");
    EXPECT_EQ(d.IsDlgButtonChecked(res::IDC_NEXT_CHECK1), 0u);
    ui::Click(d, res::IDC_TOOL_FILTER);
    ui::Click(d, IDCANCEL);
  });
  CDataEdit dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, kSort);
  EXPECT_EQ(theApp.m_ToolOrder[1].toolKind, kNone);
}

TEST(DataEditRowText, CountsAndTheJoinWarning) {
  struct Case {
    const char* name;
    int rows;
    const char16_t* text;
  };
  const Case cases[] = {
      // The six digit places of "###,###" keep their blanks.
      {"thousands grouped", 1235, u"データ行数 =   1,235"},
      {"3000 is still joinable", 3000, u"データ行数 =   3,000"},
      {"above 3000 warns",
       3001, u"データ行数 =   3,001 \n追加CSV処理は3,000行\n以上はできません\nフィルタで絞ってください"},
  };
  for (const Case& c : cases) EXPECT_EQ(CDataEdit::RowCountText(c.rows), CString(c.text)) << c.name;
}

// The warning exists for large data; it was cut exactly there.
TEST_F(DataEditTest, TheRowCountWarningIsSeenWhole) {
  theApp.m_DataRows = 123457;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(tooltest::TextCut(d, res::IDC_ROW_COUNT), "");
    EXPECT_EQ(tooltest::TextCut(d, res::IDC_NEXT_TITLE), "");
    KeepPicture(d, "data_edit_large");
    ui::Click(d, IDCANCEL);
  });
  CDataEdit dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DataEditTest, ResumeFormLocksTheToolsThatRan) {
  const TOOLORDER resume = Order({{kPivot, 1}, {kMacro, 0}});
  theApp.m_ToolOrder = resume;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    // The aggregation ran; its rule is not applied until the first toggle.
    EXPECT_EQ(EnabledTools(d), "01111");
    EXPECT_EQ(Slots(d), "データ積算|マクロでデータ作成||||");
    EXPECT_EQ(d.IsDlgButtonChecked(res::IDC_TOOL_MACRO), 1u);
    KeepPicture(d, "data_edit_resume");
    ui::Click(d, res::IDC_TOOL_MACRO);   // remove the cancelled tool
    EXPECT_EQ(EnabledTools(d), "00001");
    EXPECT_EQ(Slots(d), "データ積算|||||");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(RunOrderDialog(0, &resume, 1), IDOK);
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, kPivot);
  EXPECT_EQ(theApp.m_ToolOrder[1].toolKind, kNone);
}

TEST_F(DataEditTest, RestartFormRemovesFromTheEndAndResetsWhatWasTakenOff) {
  theApp.m_ToolOrder = Order({{kAddCsv, 1}, {kFilter, 1}, {kSort, 1}});
  theApp.m_JoinDef.AddCsvCnt = 1;
  theApp.m_FilterConds.FilterCnt = 1;
  theApp.m_SortSetting.sortCnt = 2;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    // Of the chosen tools only the last can be taken off; the others can be added.
    EXPECT_EQ(EnabledTools(d), "10011");
    KeepPicture(d, "data_edit_restart");
    ui::Click(d, res::IDC_TOOL_SORT);
    EXPECT_EQ(EnabledTools(d), "10111");
    ui::Click(d, res::IDC_TOOL_FILTER);
    EXPECT_EQ(EnabledTools(d), "11111");
    ui::Click(d, res::IDC_TOOL_MACRO);
    EXPECT_EQ(Slots(d), "追加CSVファイル|マクロでデータ作成||||");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(RunOrderDialog(1, nullptr, 0), IDOK);
  EXPECT_EQ(theApp.m_ToolOrder[1].toolKind, kMacro);
  EXPECT_EQ(theApp.m_JoinDef.AddCsvCnt, 1);
  EXPECT_EQ(theApp.m_FilterConds.FilterCnt, 0);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 0);
}

TEST_F(DataEditTest, RestartWithOnlyTicksChangedResetsNothing) {
  theApp.m_ToolOrder = Order({{kFilter, 1}, {kSort, 1}});
  theApp.m_SortSetting.sortCnt = 2;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_NEXT_CHECK2);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(RunOrderDialog(1, nullptr, 0), IDOK);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 2);
  EXPECT_EQ(theApp.m_ToolOrder[1].openSettingsNextTime, 0);
}

TEST_F(DataEditTest, ConfirmationFormChangesOnlyTicksAndShowsTheJoinReadOnly) {
  theApp.m_ToolOrder = Order({{kAddCsv, 1}, {kSort, 1}});
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, IDOK), CString(u"保存終了"));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"終了"));
    EXPECT_FALSE(ui::IsEnabled(d, IDOK));
    EXPECT_EQ(EnabledTools(d), "00000");
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ROW_COUNT));
    KeepPicture(d, "data_edit_confirm");
    ui::Click(d, res::IDC_ORDER_SLOT3);   // empty: nothing opens
    ui::Click(d, res::IDC_ORDER_SLOT1);   // the join editor, read-only
    EXPECT_FALSE(ui::IsEnabled(d, IDOK));
    ui::Click(d, res::IDC_NEXT_CHECK2);
    EXPECT_TRUE(ui::IsEnabled(d, IDOK));
    ui::Click(d, IDOK);
  });
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& v) {
    EXPECT_TRUE(ui::IsShown(v, res::IDC_ADDCSV_NOTSAVED));
    EXPECT_FALSE(ui::IsShown(v, IDOK));
    EXPECT_EQ(ui::TextOf(v, IDCANCEL), CString(u"閉じる"));
    ui::Click(v, IDCANCEL);
  });
  RunOrderConfirmation();
  EXPECT_EQ(theApp.m_ToolOrder[0].openSettingsNextTime, 1);
  EXPECT_EQ(theApp.m_ToolOrder[1].openSettingsNextTime, 0);
  EXPECT_EQ(theApp.m_ToolOrder[1].toolKind, kSort);
}

// Regression: only the join editor opened from the confirmation form; the
// other slots opened nothing.
TEST_F(DataEditTest, ConfirmationFormSlotsOpenEachToolReadOnly) {
  theApp.m_ToolOrder = Order({{kSort, 1}, {kFilter, 1}, {kPivot, 1}, {kMacro, 1}});
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    for (int slot : {res::IDC_ORDER_SLOT1, res::IDC_ORDER_SLOT2, res::IDC_ORDER_SLOT3, res::IDC_ORDER_SLOT4})
      ui::Click(d, slot);
    ui::Click(d, IDCANCEL);
  });
  modal.Queue(res::IDD_SORT_DLG, [](CDialog& v) {
    EXPECT_FALSE(ui::IsShown(v, IDOK));
    ui::Click(v, IDCANCEL);
  });
  modal.Queue(res::IDD_MAIN_FILTER, [](CDialog& v) {
    EXPECT_FALSE(ui::IsShown(v, IDOK));
    EXPECT_FALSE(ui::IsShown(v, res::IDC_MF_SKIP));
    EXPECT_TRUE(ui::IsShown(v, res::IDC_MF_CONFIRM_NOTE));
    EXPECT_EQ(ui::TextOf(v, IDCANCEL), CString(u"閉じる"));
    ui::Click(v, IDCANCEL);
  });
  modal.Queue(res::IDD_PIVOT_DLG, [](CDialog& v) {
    EXPECT_FALSE(ui::IsShown(v, IDOK));
    ui::Click(v, IDCANCEL);
  });
  modal.Queue(res::IDD_DATA_MACRO_INSERT, [](CDialog& v) { ui::Click(v, IDCANCEL); });
  const MACROSETTING macroBefore = theApp.m_MacroSetting;
  RunOrderConfirmation();
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_MacroSetting.ClmArry.size(), macroBefore.ClmArry.size());   // viewing resets nothing
}


std::vector<CString> Headings(CListCtrl& list) {
  std::vector<CString> h;
  CHeaderCtrl* header = list.GetHeaderCtrl();
  for (int i = 0; i < header->GetItemCount(); ++i) h.push_back(header->GetItemText(i));
  return h;
}

// Regression: after a replayed chain ending in a cross table, the filter slot
// opened a new set-up over the filtered rows and the macro slot took its
// headings from the title row as the cross table had moved it, a data row by
// then. Each view shows the data its step ran on.
TEST_F(DataEditTest, TheSlotViewsShowTheDataTheirStepsRanOn) {
  testsupport::TempDir dir;
  dir.Write("input.csv",
            "店舗,商品,金額\n東京,りんご,100\n大阪,みかん,200\n東京,みかん,400\n大阪,りんご,500\n福岡,りんご,50\n");
  dir.Write("settings.txt",
            "@Header\nVersion=1.0\nEditInf=0,3,0\nEditInf=1,4,0\nEditInf=2,5,0\nEditInf=3,1,0\n\n"
            "@Filter\nFilterCnt=1\nItemCnt=1\nfilter=0,0,0,0,2\nfilterKey=0,0,\"東京\"\nfilterKey=0,1,\"大阪\"\n\n"
            "@Sort\nsortCnt=1\nsortdata=0,2,1,1\n\n"
            "@Macro\ncolms=3\nEditDatclms=3\nClmArry_Count=3\n"
            "ClmArry=0,1,0,\"\",\"店舗\"\nClmArry=1,2,0,\"\",\"商品\"\nClmArry=2,3,0,\"\",\"金額\"\n\n"
            "@Pivot\nColms=3\nSumType=1\nSumStyl=0\nTotalFg=0\nNendMonth=4\nSumClmArryCount=1\n"
            "SumClmArry=0,2,1,0\nGrpClmArryCount=2\nGrpClmArry=0,0,1,0,1,0,0,0,0\nGrpClmArry=1,1,2,1,4,0,0,0,0\n\n");
  tooltest::LoadRows({{u""}});
  CTabroClientDlg main;
  ASSERT_TRUE(LoadInputForReplay(main, FromFsPath(dir / "input.csv")));
  CString error;
  ASSERT_EQ(ReplayToolChain(main, FromFsPath(dir / "settings.txt"), error), 0) << error.ToUtf8();
  ASSERT_GT(theApp.m_TitleRow, 0);  // the cross table's heading row lies above

  ScriptedModalDriver modal;
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    ui::Click(d, res::IDC_ORDER_SLOT1);
    ui::Click(d, res::IDC_ORDER_SLOT3);
    ui::Click(d, IDCANCEL);
  });
  modal.Queue(res::IDD_MAIN_FILTER, [](CDialog& v) {
    EXPECT_FALSE(ui::IsShown(v, IDOK));
    EXPECT_EQ(ui::TextOf(v, IDCANCEL), CString(u"閉じる"));
    EXPECT_TRUE(ui::IsShown(v, res::IDC_MF_CONFIRM_NOTE));
    EXPECT_EQ(ui::TextOf(v, res::IDC_MF_NAME1), CString(u"店舗"));
    auto* list = static_cast<CCheckListBox*>(v.GetDlgItem(res::IDC_MF_LIST1));
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetText(0), CString(u"東京"));
    EXPECT_EQ(list->GetCheck(0), BST_CHECKED);
    EXPECT_EQ(list->GetText(1), CString(u"大阪"));
    EXPECT_EQ(list->GetCheck(1), BST_CHECKED);
    ui::Click(v, IDCANCEL);
  });
  modal.Queue(res::IDD_DATA_MACRO_INSERT, [](CDialog& v) {
    auto& view = static_cast<CDataMacroInsert&>(v);
    EXPECT_EQ(Headings(view.m_ColumnList), (std::vector<CString>{u"店舗", u"商品", u"金額", u""}));
    // The first row as the sort left it for the macro step.
    EXPECT_EQ(view.m_ColumnList.GetItemText(0, 2), CString(u"500"));
    ui::Click(v, IDCANCEL);
  });
  RunOrderConfirmation();
  EXPECT_EQ(modal.Failures(), 0);
}

}  // namespace
