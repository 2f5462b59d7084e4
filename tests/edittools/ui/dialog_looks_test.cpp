// The tool dialogs drawn in the states their users meet (each mode of the
// aggregation, the order dialog on large data and in each form, the filter
// on long values and ranges): nothing cut, nothing covered. The pictures are
// kept under the build folder (renders/).
#include <gtest/gtest.h>

#include <string>

#include "app/tabro_client_app.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/filter/ui/main_filter.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "platform/ui/modal_driver.h"
#include "res/data_edit.h"
#include "res/main_filter.h"
#include "res/pivot_dlg.h"
#include "tests/edittools/ui/dialog_test_support.h"
#include "tests/support/look.h"

namespace {

using namespace res;

CCheckListBox& List(CDialog& d, int id) { return *static_cast<CCheckListBox*>(d.GetDlgItem(id)); }

// A user's click on an entry's text: toggles it and selects it.
void Tick(CDialog& d, int id, const char16_t* text) {
  CCheckListBox& list = List(d, id);
  for (int e = 0; e < list.GetCount(); ++e) {
    if (list.GetText(e) != CString(text)) continue;
    list.ToggleAsUser(e);
    ui::Choose(d, id, e);
    return;
  }
  ADD_FAILURE() << "no entry";
}

CRect RectOf(CDialog& d, int id) {
  CRect r;
  d.GetDlgItem(id)->GetWindowRect(&r);
  d.ScreenToClient(&r);
  return r;
}

// Pixels of a control as drawn alone in a colour, once a paint has handed it
// the colours of the dialog's present state.
int Pixels(CDialog& d, int id, COLORREF colour) {
  ui::Render(*d.GetDlgItem(id));
  ui::Picture p = ui::Render(*d.GetDlgItem(id));
  return p.CountColour(CRect(0, 0, p.Width(), p.Height()), colour);
}

// The top right pixel of a control, past its text and box: its background.
COLORREF Corner(CDialog& d, int id) {
  ui::Render(*d.GetDlgItem(id));
  ui::Picture p = ui::Render(*d.GetDlgItem(id));
  return p.Pixel(p.Width() - 1, 0);
}

CString Num(int n) {
  CString s;
  s.Format(u"%d", n);
  return s;
}

// 60 data rows: shop, date, item, staff and a quantity; names as long as such
// columns are named.
void LoadSales() {
  tooltest::LoadRows({{u"店舗名称", u"売上日付", u"商品分類名", u"担当者氏名", u"販売数量"}});
  const char16_t* shops[] = {u"東京本店", u"大阪支店", u"名古屋営業所"};
  const char16_t* dates[] = {u"2024/01/05", u"2024/02/10", u"2024/03/15"};
  const char16_t* staff[] = {u"佐藤", u"鈴木", u"高橋"};
  for (int r = 1; r <= 60; ++r) {
    theApp.m_DataGrid[r][0] = CString(shops[r % 3]);
    theApp.m_DataGrid[r][1] = CString(dates[r % 3]);
    theApp.m_DataGrid[r][2] = CString(r % 2 ? u"生鮮食品" : u"日用雑貨");
    theApp.m_DataGrid[r][3] = CString(staff[(r / 3) % 3]);
    theApp.m_DataGrid[r][4] = Num(r * 3);
    theApp.m_RowFieldCount[static_cast<size_t>(r)] = 5;
  }
  theApp.m_DataRows = 61;
}

class DialogLooks : public ::testing::Test {
 protected:
  RecordingUiHooks hooks_;
};

TEST_F(DialogLooks, AggregationInEachMode) {
  LoadSales();
  ScriptedModalDriver modal;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_EQ(LookAt(d, "pivot_unchosen"), "");
    ui::Click(d, IDC_PV_SIMPLE);
    Tick(d, IDC_PV_GROUP_LIST, u"店舗名称");
    Tick(d, IDC_PV_GROUP_LIST, u"売上日付");
    Tick(d, IDC_PV_GROUP_LIST, u"商品分類名");
    Tick(d, IDC_PV_SUM_LIST, u"販売数量");
    ui::SetChecked(d, IDC_PV_SUBTOTALS, true);
    ui::SetChecked(d, IDC_PV_LEVEL2_CHECK, true);
    ui::SetChecked(d, IDC_PV_STEPS, true);
    for (int id : {IDC_PV_LEVEL1_CHECK, IDC_PV_LEVEL2_DAY, IDC_PV_SUM_STYLE, IDC_PV_TOTAL, IDC_PV_STEPS_TEXT})
      EXPECT_TRUE(ui::IsShown(d, id)) << id;
    EXPECT_EQ(LookAt(d, "pivot_simple"), "");
    ui::Click(d, IDC_PV_CLEAR);
    ui::Click(d, IDC_PV_CROSS);
    Tick(d, IDC_PV_GROUP_LIST, u"店舗名称");
    ui::Click(d, IDC_PV_COL_SIDE);
    Tick(d, IDC_PV_GROUP_LIST, u"売上日付");
    Tick(d, IDC_PV_GROUP_LIST, u"商品分類名");
    ui::Click(d, IDC_PV_COUNT_RADIO);
    Tick(d, IDC_PV_COUNT_LIST, u"担当者氏名");
    ui::SetChecked(d, IDC_PV_SUBTOTALS, true);
    for (int id : {IDC_PV_ROW_SIDE, IDC_PV_LEVEL4_NAME, IDC_PV_LEVEL5_TEXT, IDC_PV_LEVEL4_DAY, IDC_PV_TOTAL})
      EXPECT_TRUE(ui::IsShown(d, id)) << id;
    EXPECT_EQ(LookAt(d, "pivot_cross"), "");
    // White goes with the side being edited, and leaves with it.
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    EXPECT_GT(Pixels(d, IDC_PV_COL_CAPTION, kWhite), 100);
    ui::Click(d, IDC_PV_ROW_SIDE);
    for (int id : {IDC_PV_COL_CAPTION, IDC_PV_LEVEL4_CHECK, IDC_PV_LEVEL5_CHECK})
      EXPECT_NE(Corner(d, id), kWhite) << id;
    EXPECT_GT(Pixels(d, IDC_PV_ROW_CAPTION, kWhite), 100);
    EXPECT_EQ(LookAt(d, "pivot_cross_row_side"), "");
    ui::Click(d, IDOK);
  });
  CPivotDlg dlg;
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modal.Failures(), 0);

  // Viewing the stored cross set-up.
  CPivotDlg view;
  view.m_ConfirmMode = 1;
  view.m_InChain = 1;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    EXPECT_TRUE(ui::IsShown(d, IDC_PV_VIEW_NOTE));
    EXPECT_EQ(LookAt(d, "pivot_view"), "");
    ui::Click(d, IDCANCEL);
  });
  view.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DialogLooks, AggregationFrameAndBand) {
  LoadSales();
  ScriptedModalDriver modal;
  modal.Queue(IDD_PIVOT_DLG, [](CDialog& d) {
    ui::Click(d, IDC_PV_CROSS);
    ui::SetChecked(d, IDC_PV_SUBTOTALS, true);
    // The row side's level checks stay inside the red frame of its area.
    const CRect frame = RectOf(d, IDC_PV_ROW_BOX);
    for (int id : {IDC_PV_LEVEL3_CHECK, IDC_PV_LEVEL2_CHECK, IDC_PV_LEVEL1_CHECK}) {
      const CRect r = RectOf(d, id);
      EXPECT_TRUE(r.left > frame.left && r.right < frame.right) << id;
    }
    // The separator 15 pixels right of 設定クリア lies in the gap before 手順表示.
    EXPECT_LT(RectOf(d, IDC_PV_CLEAR).right + 15, RectOf(d, IDC_PV_STEPS).left);
    // The empty static under the notices shows no dark frame.
    ui::Picture p = ui::Render(*d.GetDlgItem(IDC_PV_VIEW_FRAME));
    int dark = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) dark += GetRValue(p.Pixel(x, y)) < 160 ? 1 : 0;
    EXPECT_EQ(dark, 0);
    EXPECT_EQ(LookAt(d, "pivot_band_and_frame"), "");
    ui::Click(d, IDCANCEL);
  });
  CPivotDlg dlg;
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(DialogLooks, OrderDialogOnLargeDataAndInEachForm) {
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  theApp.m_DataRows = 123457;
  ScriptedModalDriver modal;
  modal.Queue(IDD_DATA_EDIT, [](CDialog& d) {
    for (int id : {IDC_TOOL_ADDCSV, IDC_TOOL_FILTER, IDC_TOOL_SORT, IDC_TOOL_MACRO}) ui::Click(d, id);
    for (int id : {IDC_NEXT_CHECK1, IDC_NEXT_CHECK4}) EXPECT_TRUE(ui::IsShown(d, id)) << id;
    EXPECT_EQ(LookAt(d, "data_edit_large"), "");
    ui::Click(d, IDOK);
  });
  {
    CDataEdit dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
  }
  modal.Queue(IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, IDOK), CString(u"保存終了"));
    EXPECT_EQ(LookAt(d, "data_edit_confirm"), "");
    ui::Click(d, IDCANCEL);
  });
  {
    CDataEdit dlg;
    dlg.m_ConfirmMode = 1;
    dlg.DoModal();
  }
  EXPECT_EQ(modal.Failures(), 0);
  theApp.ResetToolSettings(TOOL_RESET_ALL);
}

// The longest value the filter meets (20 characters), ticked, and a range field.
TEST_F(DialogLooks, FilterOnTheLongestValueAndARange) {
  const char16_t* value = u"東京都千代田区丸の内一丁目二番三号ビル";
  tooltest::LoadRows({{u"住所", u"数量", u"日付"}});
  for (int r = 1; r <= 60; ++r) {
    theApp.m_DataGrid[r][0] = CString(r <= 30 ? value : u"大阪");
    theApp.m_DataGrid[r][1] = Num(r);
    theApp.m_DataGrid[r][2] = CString(u"2024/01/") + Num(r % 28 + 1);
    theApp.m_RowFieldCount[static_cast<size_t>(r)] = 3;
  }
  theApp.m_DataRows = 61;
  ScriptedModalDriver modal;
  modal.Queue(IDD_MAIN_FILTER, [value](CDialog& d) {
    CCheckListBox& list = List(d, IDC_MF_LIST1);
    for (int e = 0; e < list.GetCount(); ++e)
      if (list.GetText(e) == CString(value)) {
        list.ToggleAsUser(e);
        ui::Choose(d, IDC_MF_LIST1, e);
      }
    EXPECT_EQ(ui::TextOf(d, IDC_MF_COUNT), CString(u"【" + std::u16string(value) + u"】は30件"));
    EXPECT_EQ(LookAt(d, "main_filter_longest_value"), "");
    ui::Click(d, IDC_MF_RESET);
    CComboBox& fields = *static_cast<CComboBox*>(d.GetDlgItem(IDC_MF_FIELD_COMBO1));
    for (int i = 0; i < fields.GetCount(); ++i)
      if (fields.GetLBText(i) == CString(u"範囲)  日付")) ui::Choose(d, IDC_MF_FIELD_COMBO1, i);
    ui::Choose(d, IDC_MF_MODE1, 2);
    EXPECT_EQ(LookAt(d, "main_filter_range"), "");
    ui::Click(d, IDCANCEL);
  });
  CMainFilter dlg;
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

}  // namespace
