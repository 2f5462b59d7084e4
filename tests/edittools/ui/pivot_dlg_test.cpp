// The aggregation dialog, its grouping dialogs and check list, driven offscreen.
#include <gtest/gtest.h>

#include "app/steps/tool_replay.h"
#include "app/tabro_client_dlg.h"
#include "edittools/pivot/ui/check_list_box_ex.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/modal_driver.h"
#include "res/pivot_dlg.h"
#include "tests/edittools/ui/dialog_test_support.h"

#include <QAbstractButton>
#include <QLabel>

namespace {

using namespace res;

CCheckListBox& List(CDialog& d, int id) { return *static_cast<CCheckListBox*>(d.GetDlgItem(id)); }
CListCtrl& Preview(CDialog& d, int id) { return *static_cast<CListCtrl*>(d.GetDlgItem(id)); }

std::vector<CString> Entries(CDialog& d, int id) {
  std::vector<CString> out;
  for (int i = 0; i < List(d, id).GetCount(); ++i) out.push_back(List(d, id).GetText(i));
  return out;
}

int EntryOf(CDialog& d, int id, const CString& text) {
  for (int i = 0; i < List(d, id).GetCount(); ++i) {
    if (List(d, id).GetText(i) == text) return i;
  }
  return -1;
}

// A user's click on an entry's text: toggles it and selects it.
void Tick(CDialog& d, int id, const char16_t* text) {
  const int e = EntryOf(d, id, CString(text));
  ASSERT_GE(e, 0) << "no entry";
  CRect r;
  List(d, id).GetItemRect(e, &r);
  ASSERT_TRUE(ui::ClickAt(List(d, id), CPoint(r.left + 40, r.CenterPoint().y)));
}

CString HeaderOf(CDialog& d, int id, int column) {
  LVCOLUMN col{};
  col.mask = LVCF_TEXT;
  Preview(d, id).GetColumn(column, &col);
  return col.pszText;
}

// 30 data rows: shop (3 values), date (5 values), item (2), staff (3), quantity (numbers).
void LoadSales() {
  tooltest::LoadRows({{u"店舗", u"日付", u"品目", u"担当", u"数量"}});
  const char16_t* shops[] = {u"東京", u"大阪", u"名古屋"};
  const char16_t* dates[] = {u"2024/01/05", u"2024/02/10", u"2024/03/15", u"2024/04/20", u"2024/05/25"};
  const char16_t* staff[] = {u"佐藤", u"鈴木", u"高橋"};
  for (int r = 1; r <= 30; ++r) {
    theApp.m_DataGrid[r][0] = CString(shops[r % 3]);
    theApp.m_DataGrid[r][1] = CString(dates[r % 5]);
    theApp.m_DataGrid[r][2] = CString(r % 2 ? u"りんご" : u"みかん");
    theApp.m_DataGrid[r][3] = CString(staff[(r / 3) % 3]);
    CString qty;
    qty.Format(u"%d", r * 3);
    theApp.m_DataGrid[r][4] = qty;
    theApp.m_RowFieldCount[static_cast<size_t>(r)] = 5;
  }
  theApp.m_DataRows = 31;
  theApp.m_CsvPath = CString(u"/tmp/sales.csv");
}

// A stored simple aggregation: 品目 as its one group item, the quantity summed.
PIVOTSETTING& StoreOneGroupAggregation() {
  PIVOTSETTING& s = theApp.m_PivotSetting;
  s.SumType = PIVOT_SIMPLE;
  s.SumClmArry = {SUMCLM{4, 1, 0}};
  GRPCLM g;
  g.column = 2;
  g.orientation = 1;
  g.listIndex = 2;
  g.level = 1;
  s.GrpClmArry = {g};
  return s;
}

class PivotDialog : public ::testing::Test {
 protected:
  void SetUp() override { LoadSales(); }
  RecordingUiHooks hooks_;
};

TEST_F(PivotDialog, FirstSetUpOffersTheColumnsByTypeAndStoresASimpleAggregation) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  theApp.m_PivotColumnNames = {CString(u"前")};
  modal.Queue(IDD_PIVOT_DLG, [&modal](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"データ集計"));
    EXPECT_FALSE(ui::IsEnabled(d, IDC_PV_GROUP_LIST));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_SKIP));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_ROW_SIDE));
    EXPECT_EQ(Entries(d, IDC_PV_GROUP_LIST), (std::vector<CString>{u"店舗", u"日付", u"品目", u"担当"}));
    EXPECT_EQ(Entries(d, IDC_PV_SUM_LIST), (std::vector<CString>{u"数量"}));
    EXPECT_EQ(Entries(d, IDC_PV_COUNT_LIST).size(), 5u);
    ui::Click(d, IDC_PV_SIMPLE);
    EXPECT_TRUE(ui::IsEnabled(d, IDC_PV_GROUP_LIST));
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    EXPECT_FALSE(ui::IsEnabled(d, IDC_PV_SIMPLE));
    EXPECT_EQ(HeaderOf(d, IDC_PV_ROW_PREVIEW, 2), CString(u"店舗"));
    EXPECT_EQ(Preview(d, IDC_PV_ROW_PREVIEW).GetItemText(0, 2), CString(u"大阪"));
    EXPECT_EQ(ui::TextOf(d, IDC_PV_LAYOUT_TEXT), CString(u"( X1,Y1 )"));
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_PIC_X1Y1));
    Tick(d, IDC_PV_GROUP_LIST, u"品目");
    Tick(d, IDC_PV_GROUP_LIST, u"担当");
    EXPECT_EQ(ui::TextOf(d, IDC_PV_LAYOUT_TEXT), CString(u"( X3,Y1 )"));
    // A fourth group item is refused and its tick taken back.
    modal.QueueBox(IDOK, CString(u"ｸﾞﾙｰﾌﾟ選択は3項目までです。"));
    Tick(d, IDC_PV_GROUP_LIST, u"日付");
    EXPECT_EQ(List(d, IDC_PV_GROUP_LIST).GetCheck(1), BST_UNCHECKED);
    // Group items without value items.
    modal.QueueBox(IDOK, CString(u"積算項目の設定が有りません。"));
    ui::Click(d, IDOK);
    Tick(d, IDC_PV_SUM_LIST, u"数量");
    ui::Click(d, IDC_PV_COUNT_RADIO);
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_SUM_LIST));
    Tick(d, IDC_PV_COUNT_LIST, u"数量");
    EXPECT_EQ(HeaderOf(d, IDC_PV_VALUE_PREVIEW, 0), CString(u"数量"));
    EXPECT_EQ(HeaderOf(d, IDC_PV_VALUE_PREVIEW, 1), CString(u"数量 (件)"));
    EXPECT_EQ(Preview(d, IDC_PV_VALUE_PREVIEW).GetItemText(0, 0), CString(u"3"));
    tooltest::KeepPicture(d, "pivot_dlg_first");
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  const PIVOTSETTING& s = theApp.m_PivotSetting;
  EXPECT_EQ(s.SumType, PIVOT_SIMPLE);
  EXPECT_EQ(s.Colms, 5);
  EXPECT_EQ(s.NendMonth, 1);
  ASSERT_EQ(s.GrpClmArry.size(), 3u);
  EXPECT_EQ(s.GrpClmArry[0].column, 0);
  EXPECT_EQ(s.GrpClmArry[1].column, 2);
  EXPECT_EQ(s.GrpClmArry[2].level, 3);
  ASSERT_EQ(s.SumClmArry.size(), 2u);
  EXPECT_EQ(s.SumClmArry[0].sumKind, 1);
  EXPECT_EQ(s.SumClmArry[1].sumKind, 2);
  EXPECT_EQ(theApp.m_PivotColumnNames.size(), 6u);
  EXPECT_EQ(theApp.m_PivotSampleTexts[0], CString(u"大阪"));
}

TEST_F(PivotDialog, RemovingAGroupItemClosesTheLevels) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [&dlg](CDialog& d) {
    ui::Click(d, IDC_PV_SIMPLE);
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    Tick(d, IDC_PV_GROUP_LIST, u"品目");
    Tick(d, IDC_PV_GROUP_LIST, u"担当");
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    ASSERT_EQ(dlg.m_GrpClmArry.size(), 2u);
    EXPECT_EQ(dlg.m_GrpClmArry[0].level, 1);
    EXPECT_EQ(dlg.m_GrpClmArry[1].level, 2);
    Tick(d, IDC_PV_GROUP_LIST, u"日付");
    EXPECT_EQ(dlg.m_GrpClmArry[2].level, 3);
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_TRUE(theApp.m_PivotSetting.GrpClmArry.empty());
}

TEST_F(PivotDialog, CrossTabulationNeedsBothSides) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [&modal, &dlg](CDialog& d) {
    ui::Click(d, IDC_PV_CROSS);
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_ROW_SIDE));
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_LEVEL4_NAME));
    Tick(d, IDC_PV_SUM_LIST, u"数量");
    // Column items only: no row group.
    ui::Click(d, IDC_PV_COL_SIDE);
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    Tick(d, IDC_PV_GROUP_LIST, u"品目");
    modal.QueueBox(IDOK, CString(u"クロス集計の横ｸﾞﾙｰﾌﾟ選択は２項目までです。"));
    Tick(d, IDC_PV_GROUP_LIST, u"担当");
    EXPECT_EQ(ui::TextOf(d, IDC_PV_LEVEL4_NAME), CString(u"店舗"));
    EXPECT_EQ(ui::TextOf(d, IDC_PV_LEVEL5_TEXT), CString(u" りんご"));
    EXPECT_EQ(ui::TextOf(d, IDC_PV_LAYOUT_TEXT), CString());
    modal.QueueBox(IDOK, CString(u"クロス集計設定なのに行グループ設定が有りません。"));
    ui::Click(d, IDOK);
    ui::Click(d, IDC_PV_ROW_SIDE);
    Tick(d, IDC_PV_GROUP_LIST, u"担当");
    EXPECT_EQ(dlg.m_GrpClmArry.back().level, 1);
    tooltest::KeepPicture(d, "pivot_dlg_cross");
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  const PIVOTSETTING& s = theApp.m_PivotSetting;
  EXPECT_EQ(s.SumType, PIVOT_CROSS);
  ASSERT_EQ(s.GrpClmArry.size(), 3u);
  // Ordered by level: the row item first.
  EXPECT_EQ(s.GrpClmArry[0].column, 3);
  EXPECT_EQ(s.GrpClmArry[1].level, 4);
  EXPECT_EQ(s.GrpClmArry[2].level, 5);
  EXPECT_EQ(dlg.m_ColumnSideCount, 2);
}

TEST_F(PivotDialog, CrossTabulationWithRowItemsOnlyIsRefused) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [&modal](CDialog& d) {
    ui::Click(d, IDC_PV_CROSS);
    Tick(d, IDC_PV_SUM_LIST, u"数量");
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    modal.QueueBox(IDOK, CString(u"クロス集計設定なのに行グループ設定が有りません。"));
    ui::Click(d, IDOK);
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(PivotDialog, DateLevelGroupingAndSubtotalLabels) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [&modal, &dlg](CDialog& d) {
    ui::Click(d, IDC_PV_SIMPLE);
    Tick(d, IDC_PV_GROUP_LIST, u"日付");
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_LEVEL1_DAY));
    modal.Queue(IDD_GROP_DATE, [](CDialog& g) {
      EXPECT_EQ(g.GetWindowText(), CString(u"日付のグループ化"));
      ASSERT_TRUE(ui::Type(g, IDC_GD_FIRST_MONTH, CString(u"12")));
      // The up arrow at 12 stays at 12; the down arrow lowers the month.
      static_cast<CSpinButtonCtrl*>(g.GetDlgItem(IDC_GD_SPIN))->StepAsUser(+1);
      EXPECT_EQ(ui::TextOf(g, IDC_GD_FIRST_MONTH), CString(u"12"));
      static_cast<CSpinButtonCtrl*>(g.GetDlgItem(IDC_GD_SPIN))->StepAsUser(-1);
      EXPECT_EQ(ui::TextOf(g, IDC_GD_FIRST_MONTH), CString(u"11"));
      ui::Click(g, IDC_GD_MONTH);
      tooltest::KeepPicture(g, "grop_date");
      ui::Click(g, IDOK);
    });
    ui::Click(d, IDC_PV_LEVEL1_DAY);
    EXPECT_EQ(dlg.m_NendMonth, 11);
    EXPECT_EQ(Preview(d, IDC_PV_ROW_PREVIEW).GetItemText(1, 2), CString(u"(月　)"));
    ui::Click(d, IDC_PV_SUBTOTALS);
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_LEVEL1_CHECK));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_LEVEL2_CHECK));
    ui::Click(d, IDC_PV_LEVEL1_CHECK);
    EXPECT_EQ(Preview(d, IDC_PV_ROW_PREVIEW).GetItemText(1, 2), CString(u"(月　計)"));
    // A month outside 1 to 12 is refused by the month box's range check.
    modal.Queue(IDD_GROP_DATE, [&modal](CDialog& g) {
      EXPECT_EQ(ui::TextOf(g, IDC_GD_FIRST_MONTH), CString(u"11"));
      ASSERT_TRUE(ui::Type(g, IDC_GD_FIRST_MONTH, CString(u"13")));
      modal.QueueBox(IDOK);
      ui::Click(g, IDOK);
      ui::Click(g, IDCANCEL);
    });
    ui::Click(d, IDC_PV_LEVEL1_DAY);
    tooltest::KeepPicture(d, "pivot_dlg_labels");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
  ASSERT_EQ(dlg.m_GrpClmArry.size(), 1u);
  EXPECT_EQ(dlg.m_GrpClmArry[0].groupUnit, 4);
  EXPECT_EQ(dlg.m_GrpClmArry[0].subtotal, 1);
}

TEST_F(PivotDialog, InChainRestoresTheTicksAndSkipKeepsTheSettings) {
  StoreOneGroupAggregation().NendMonth = 4;
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  dlg.m_InChain = 1;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_SKIP));
    EXPECT_EQ(List(d, IDC_PV_GROUP_LIST).GetCheck(2), BST_CHECKED);
    EXPECT_EQ(List(d, IDC_PV_SUM_LIST).GetCheck(0), BST_CHECKED);
    EXPECT_EQ(HeaderOf(d, IDC_PV_ROW_PREVIEW, 2), CString(u"品目"));
    EXPECT_TRUE(ui::IsEnabled(d, IDC_PV_GROUP_LIST));
    tooltest::KeepPicture(d, "pivot_dlg_chain");
    ui::Click(d, IDC_PV_SKIP);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(dlg.m_Skip, 1);
  EXPECT_EQ(dlg.m_NendMonth, 4);
  EXPECT_TRUE(theApp.m_PivotColumnNames.empty());

  // With a tool after the aggregation in the second slot, "スキップ" is not offered.
  theApp.m_ToolOrder[1].toolKind = ToolKind::kSort;
  CPivotDlg again;
  again.m_InChain = 1;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_SKIP));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

// The "合計方法" list once kept showing 一括計 after a clear stored 分類計.
TEST_F(PivotDialog, ClearShowsTheStoredSumStyle) {
  StoreOneGroupAggregation().SumStyl = 1;
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  dlg.m_InChain = 1;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    auto* style = static_cast<CComboBox*>(d.GetDlgItem(IDC_PV_SUM_STYLE));
    EXPECT_EQ(style->GetCurSel(), 1);
    ui::Click(d, IDC_PV_CLEAR);
    EXPECT_EQ(static_cast<CPivotDlg&>(d).m_SumStyl, 0);
    EXPECT_EQ(style->GetCurSel(), 0);
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

// The side radios and the steps text start hidden; shown, they are seen whole.
TEST_F(PivotDialog, CrossSidesAndStepsAreSeenWhole) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    ui::Click(d, IDC_PV_CROSS);
    ui::Click(d, IDC_PV_STEPS);
    for (int id : {IDC_PV_ROW_SIDE, IDC_PV_COL_SIDE, IDC_PV_STEPS_TEXT}) {
      EXPECT_TRUE(ui::IsShown(d, id)) << id;
      EXPECT_EQ(tooltest::TextCut(d, id), "") << id;
    }
    tooltest::KeepPicture(d, "pivot_dlg_cross_steps");
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

// 書式イメージ shows the picture of the layout, and the image buttons carry
// their images and say what they do.
TEST_F(PivotDialog, SampleLayoutPicturesAndButtonLooks) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    CPivotDlg& p = static_cast<CPivotDlg&>(d);
    const struct {
      int id;
      const char16_t* tip;
    } looks[] = {
        {IDC_PV_SIMPLE,
         u"列グループに最大3つまでの項目を設定し、それぞれの組み合わせごとに数値の集計、件数を設定できます。"},
        {IDC_PV_CROSS,
         u"列グループに最大2つ、行グループに最大2つの項目を設定し、それぞれの組み合わせごとに数値の集計、件数を設定できます。"},
        {IDC_PV_SUBTOTALS, u"合計チェックボックスの表示/非表示を切り替えます。"},
    };
    for (const auto& look : looks) {
      EXPECT_EQ(p.m_ToolTips.GetToolText(d.GetDlgItem(look.id)), CString(look.tip)) << look.id;
      auto* button = qobject_cast<QAbstractButton*>(d.GetDlgItem(look.id)->m_hWnd);
      ASSERT_NE(button, nullptr);
      EXPECT_FALSE(button->icon().isNull()) << look.id;
    }
    const int pictures[] = {IDC_PV_PIC_X1Y1, IDC_PV_PIC_X2Y1, IDC_PV_PIC_X3Y1,
                            IDC_PV_PIC_X1Y2, IDC_PV_PIC_X1Y3, IDC_PV_PIC_X2Y2};
    for (int id : pictures) {
      auto* label = qobject_cast<QLabel*>(d.GetDlgItem(id)->m_hWnd);
      ASSERT_NE(label, nullptr);
      EXPECT_FALSE(label->pixmap().isNull()) << id;
    }
    ui::Click(d, IDC_PV_CROSS);
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_PIC_X1Y1));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_PIC_X2Y2));
    tooltest::KeepPicture(d, "pivot_dlg_layout_picture");
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(PivotDialog, ViewingShowsTheStoredSetUpAndStoresNothing) {
  PIVOTSETTING& s = theApp.m_PivotSetting;
  s.SumType = PIVOT_SIMPLE;
  s.Colms = 2;
  s.SumClmArry = {SUMCLM{1, 2, 0}};
  GRPCLM g;
  g.column = 0;
  g.orientation = 1;
  g.level = 1;
  s.GrpClmArry = {g};
  theApp.m_PivotColumnNames = {CString(u"部門"), CString(u"売上")};
  theApp.m_PivotSampleTexts = {CString(u"営業"), CString(u"100")};
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  dlg.m_ConfirmMode = 1;
  dlg.m_InChain = 1;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"データ集計【確認モード】"));
    EXPECT_FALSE(ui::IsShown(d, IDOK));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_GROUP_LIST));
    EXPECT_FALSE(ui::IsShown(d, IDC_PV_CLEAR));
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_VIEW_NOTE));
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_VIEW_MARK));
    EXPECT_FALSE(ui::IsEnabled(d, IDC_PV_SIMPLE));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"閉じる"));
    EXPECT_EQ(HeaderOf(d, IDC_PV_ROW_PREVIEW, 2), CString(u"部門"));
    EXPECT_EQ(HeaderOf(d, IDC_PV_VALUE_PREVIEW, 0), CString(u"売上 (件)"));
    EXPECT_EQ(Preview(d, IDC_PV_VALUE_PREVIEW).GetItemText(0, 0), CString(u"100"));
    tooltest::KeepPicture(d, "pivot_dlg_view");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(theApp.m_PivotColumnNames.size(), 2u);
}

TEST_F(PivotDialog, CheckListTogglesOnceAndIgnoresTheEmptyArea) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [&dlg](CDialog& d) {
    ui::Click(d, IDC_PV_SIMPLE);
    CCheckListBox& list = List(d, IDC_PV_GROUP_LIST);
    CRect first;
    list.GetItemRect(0, &first);
    // On the check box itself: the base toggles it, once.
    ASSERT_TRUE(ui::ClickAt(list, CPoint(first.left + 6, first.CenterPoint().y)));
    EXPECT_EQ(list.GetCheck(0), BST_CHECKED);
    EXPECT_EQ(dlg.m_GrpClmArry.size(), 1u);
    CRect last;
    list.GetItemRect(list.GetCount() - 1, &last);
    ASSERT_TRUE(ui::ClickAt(list, CPoint(last.left + 40, last.bottom + 20)));
    EXPECT_EQ(dlg.m_GrpClmArry.size(), 1u);
    // Later clicks still work.
    Tick(d, IDC_PV_GROUP_LIST, u"店舗");
    EXPECT_EQ(list.GetCheck(0), BST_UNCHECKED);
    EXPECT_TRUE(dlg.m_GrpClmArry.empty());
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

// Red pixels of the frame drawn where a hidden group box lies.
int RedOn(CDialog& d, int boxId) {
  CRect r;
  d.GetDlgItem(boxId)->GetWindowRect(&r);
  d.ScreenToClient(&r);
  return ui::Render(d).CountColour(r, RGB(255, 0, 0));
}

TEST_F(PivotDialog, TheFrameMarksTheSideBeingEdited) {
  ScriptedModalDriver modal;
  CPivotDlg dlg;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_EQ(RedOn(d, IDC_PV_ROW_BOX) + RedOn(d, IDC_PV_COL_BOX), 0);
    ui::Click(d, IDC_PV_CROSS);
    EXPECT_GT(RedOn(d, IDC_PV_ROW_BOX), 0);
    EXPECT_EQ(RedOn(d, IDC_PV_COL_BOX), 0);
    ui::Click(d, IDC_PV_COL_SIDE);
    EXPECT_EQ(RedOn(d, IDC_PV_ROW_BOX), 0);
    EXPECT_GT(RedOn(d, IDC_PV_COL_BOX), 0);
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(PivotDialog, TheAggregationStepRunsThroughTheDialog) {
  ScriptedModalDriver modal;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    ui::Click(d, IDC_PV_SIMPLE);
    Tick(d, IDC_PV_GROUP_LIST, u"品目");
    Tick(d, IDC_PV_SUM_LIST, u"数量");
    ui::Click(d, IDOK);
  });
  CTabroClientDlg main;
  EXPECT_EQ(main.RunPivotStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_RAN);
  EXPECT_EQ(modal.Failures(), 0);
  // Odd rows are apples (3, 9, ... 87), even rows oranges (6, 12, ... 90).
  const std::string data = DataGridAsCsv();
  EXPECT_NE(data.find("みかん,720"), std::string::npos) << data;
  EXPECT_NE(data.find("りんご,675"), std::string::npos) << data;
}

}  // namespace
