// The settings sheet's small dialogs: row condition, column selection, time
// difference minutes, label start and the ASCII-only edit, driven by control id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tabro_client_app.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/label_grid.h"
#include "jobsheet/sheet/ui/edit_check.h"
#include "jobsheet/sheet/ui/field_select_dlg.h"
#include "jobsheet/sheet/ui/filter_dlg.h"
#include "jobsheet/sheet/ui/seel_skip_dlg.h"
#include "jobsheet/sheet/ui/time_span_dlg.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"
#include "support/screenshot.h"

namespace {

// ---- CFilterDlg ---------------------------------------------------------------

const char16_t kNotEqual[] = u"フィルタの条件(不一致)は\n\n <>ではなく、半角の!を入力して下さい。";
const char16_t kFullWidth[] = u"フィルタの条件には\n\n ＜ ＞ ＝ ！ \n\nは半角で入力して下さい。";
const char16_t kForbidden[] = u"フィルタの条件には\n\n : / * ?  | \\ \n\nは利用できません。";
const char16_t kParen[] = u"フィルタの条件には\n\n ) \n\nは利用できません。";

struct FilterCase {
  const char* name;
  const char16_t* typed;
  int editMode;
  const char16_t* message;   // null: accepted
};

const FilterCase kFilterCases[] = {
    {"NotEqualBang", u"[1]!2", 0, nullptr},
    {"NotEqualPair", u"[1]<>2", 0, kNotEqual},
    {"FullWidthGreater", u"[1]＞1", 0, kFullWidth},
    {"FullWidthBang", u"[1]！2", 0, kFullWidth},
    {"Slash", u"[1]=1/2", 0, kForbidden},
    {"Bar", u"[1]<1 | [1]>5", 0, kForbidden},
    {"Backslash", u"[1]=\\", 0, kForbidden},
    {"Paren", u"([1]>1)", 0, kParen},
    {"EditModeTakesAnything", u"[1]<>2/)", 1, nullptr},
};

class FilterDlgOk : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterDlgOk, RefusesWhatTheConditionMayNotCarry) {
  const FilterCase& c = GetParam();
  theApp.m_EditModeEntered = c.editMode;
  ScriptedModalDriver modal;
  CFilterDlg dlg;
  modal.Queue(131, [&](CDialog& d) {
    ui::Type(d, 1068, CString(c.typed));
    ui::Click(d, IDOK);
    if (c.message) {
      EXPECT_FALSE(d.HasEnded());
    }
  });
  if (c.message) modal.QueueBox(IDOK, c.message);
  EXPECT_EQ(dlg.DoModal(), c.message ? IDCANCEL : IDOK);
  theApp.m_EditModeEntered = 0;
  if (c.message) {
    const auto t = modal.Transcript();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].kind, ScriptedModalDriver::Entry::Kind::Box);
    EXPECT_EQ(t[1].caption, CString(u"タブロコネクト"));
    EXPECT_EQ(t[1].type & MB_TYPEMASK, unsigned(MB_OK));
  } else {
    EXPECT_EQ(dlg.m_Filter, CString(c.typed));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, FilterDlgOk, ::testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilterDlg, ShowsThePresetTextTheSamplesAndTakesAtMostAHundredCharacters) {
  ScriptedModalDriver modal;
  CFilterDlg dlg;
  dlg.m_Filter = u"[2]=1";
  modal.Queue(131, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"フィルター"));
    EXPECT_EQ(ui::TextOf(d, 1068), CString(u"[2]=1"));
    EXPECT_EQ(dynamic_cast<CEdit*>(d.GetDlgItem(1068))->GetLimitText(), 100u);
    KeepPicture(d, "filter_dlg_131");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_Filter, CString(u"[2]=1"));
}

// ---- CFieldSelectDaialog ----------------------------------------------------------

COLDATA Column(int source, const char16_t* name, int code = 0, int flags = 0, int rowSum = 0, int span = 0) {
  COLDATA c;
  c.m_SourceColumn = source;
  c.m_Name = name;
  c.m_CommandCode = code;
  c.m_RoleFlags = flags;
  c.m_RowSumRole = rowSum;
  c.m_TimeSpanRole = span;
  return c;
}

std::vector<CString> ListItems(CDialog& d, int id) {
  auto* list = dynamic_cast<CListBox*>(d.GetDlgItem(id));
  std::vector<CString> items;
  for (int i = 0; i < list->GetCount(); ++i) items.push_back(list->GetText(i));
  return items;
}

class FieldSelect : public ::testing::Test {
 protected:
  void SetUp() override { theApp.m_EditCols = 4; }
  void TearDown() override { theApp.m_EditCols = 0; }
  std::vector<CString> names{u"日付", u"品名", u"数量", u"金額"};
};

TEST_F(FieldSelect, DeletedColumnsComeBackWithoutCodeOrRoles) {
  ScriptedModalDriver modal;
  CFieldSelectDaialog dlg;
  dlg.SetColumns({Column(1, u"日付", 0, 1), Column(3, u"数量", 1, 4), Column(5, u"横計")}, {Column(2, u"")}, names);
  modal.Queue(134, [](CDialog& d) {
    EXPECT_EQ(ListItems(d, 1085), (std::vector<CString>{u"日付", u"数量", u"横計"}));
    EXPECT_EQ(ListItems(d, 1086), (std::vector<CString>{u"品名"}));
    KeepPicture(d, "field_select_dlg_134");
    ui::Choose(d, 1085, 1);
    ui::Click(d, 1021);   // → 数量, inserted at the end of the deleted list
    EXPECT_EQ(ListItems(d, 1086), (std::vector<CString>{u"品名", u"数量"}));
    EXPECT_EQ(dynamic_cast<CListBox*>(d.GetDlgItem(1085))->GetCurSel(), 1);
    ui::Choose(d, 1085, 1);
    ui::Click(d, 1021);   // 横計 goes in front of the chosen 数量; the used list's choice moves up
    EXPECT_EQ(ListItems(d, 1086), (std::vector<CString>{u"品名", u"横計", u"数量"}));
    EXPECT_EQ(dynamic_cast<CListBox*>(d.GetDlgItem(1085))->GetCurSel(), 0);
    ui::Choose(d, 1086, 2);
    ui::Click(d, 1022);   // ← 数量, in front of the selected 日付
    EXPECT_EQ(ListItems(d, 1085), (std::vector<CString>{u"数量", u"日付"}));
    ui::Click(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  std::vector<COLDATA> used, deleted;
  EXPECT_EQ(dlg.GetColumns(used, deleted), 2);
  EXPECT_EQ(used[0], Column(3, u"数量"));   // code 1 and the sort-key role are gone
  EXPECT_EQ(used[1], Column(1, u"日付", 0, 1));
  ASSERT_EQ(deleted.size(), 2u);
  EXPECT_EQ(deleted[1], Column(5, u""));
  EXPECT_TRUE(modal.Messages().empty());
}

struct RefusalCase {
  const char* name;
  std::vector<COLDATA> used;
  std::vector<COLDATA> deleted;
  int selectUsed;      // -1 none
  int selectDeleted;   // -1 none
  int button;
  const char16_t* message;
};

class FieldSelectRefusal : public FieldSelect, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FieldSelectRefusal, SaysWhyAndChangesNothing) {
  const RefusalCase& c = GetParam();
  ScriptedModalDriver modal;
  CFieldSelectDaialog dlg;
  dlg.SetColumns(c.used, c.deleted, names);
  modal.Queue(134, [&](CDialog& d) {
    if (c.selectUsed >= 0) ui::Choose(d, 1085, c.selectUsed);
    if (c.selectDeleted >= 0) ui::Choose(d, 1086, c.selectDeleted);
    ui::Click(d, c.button);
    EXPECT_FALSE(d.HasEnded());
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, c.message);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(modal.Messages().size(), 1u);
  EXPECT_EQ(dlg.m_Used, c.used);
  EXPECT_EQ(dlg.m_Deleted, c.deleted);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FieldSelectRefusal,
    ::testing::Values(
        RefusalCase{"LastColumn", {Column(1, u"日付")}, {}, 0, -1, 1021, u"列を全て削除することは出来ません。"},
        RefusalCase{"NothingSelected", {Column(1, u"日付"), Column(2, u"品名")}, {}, -1, -1, 1021,
                    u"削除する列の列名を「使用データ列名」の列名から選択してください。"},
        RefusalCase{"SummedColumn", {Column(1, u"日付"), Column(3, u"数量", 0, 0, 1)}, {}, 1, -1, 1021,
                    u"横計が設定されているため削除できません。"},
        RefusalCase{"RowTotalResult", {Column(1, u"日付"), Column(5, u"横計", 0, 0, 2)}, {}, 1, -1, 1021,
                    u"横計が設定されているため削除できません。"},
        RefusalCase{"TimeSpanColumn", {Column(1, u"日付"), Column(3, u"数量", 0, 0, 0, 2)}, {}, 1, -1, 1021,
                    u"時間差が設定されているため削除できません。"},
        RefusalCase{"NothingDeleted", {Column(1, u"日付")}, {}, -1, -1, 1022, u"削除した列がありません。"},
        RefusalCase{"NoDeletedChosen", {Column(1, u"日付")}, {Column(2, u"")}, -1, -1, 1022,
                    u"追加する列の列名を「削除データ列名」の列名から選択してください。"},
        RefusalCase{"MoveWithoutChoice", {Column(1, u"日付"), Column(2, u"品名")}, {}, -1, -1, 1023,
                    u"移動する列名を「使用データ列名」から選択してください。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldSelect, UpAndDownStopAtTheEndsAndKeepTheChoice) {
  ScriptedModalDriver modal;
  CFieldSelectDaialog dlg;
  dlg.SetColumns({Column(1, u"日付"), Column(2, u"品名"), Column(3, u"数量")}, {}, names);
  modal.Queue(134, [](CDialog& d) {
    ui::Choose(d, 1085, 0);
    ui::Click(d, 1023);
    EXPECT_EQ(ListItems(d, 1085), (std::vector<CString>{u"日付", u"品名", u"数量"}));
    ui::Click(d, 1024);
    ui::Click(d, 1024);
    ui::Click(d, 1024);
    EXPECT_EQ(ListItems(d, 1085), (std::vector<CString>{u"品名", u"数量", u"日付"}));
    EXPECT_EQ(dynamic_cast<CListBox*>(d.GetDlgItem(1085))->GetCurSel(), 2);
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(modal.Messages().empty());
}

TEST_F(FieldSelect, AResultColumnOfAnEarlierRowTotalCannotBeDeletedEither) {
  // Two row totals on the page: 日付+品名 into 数量, then 数量+金額 beyond. The
  // column records carry the role a column has in any of them.
  CCsvPropPage page;
  CTextGrid edit{EDIT_GRID_ROWS};
  for (int c = 0; c < 4; ++c) {
    edit.SetAt(0, c, names[c]);
    page.m_ColumnMap[c] = c + 1;
  }
  page.m_ColCount = 4;
  HORIZONTAL first, second;
  first.flags[0] = first.flags[1] = HZ_INPUT;
  first.flags[2] = HZ_RESULT;
  second.flags[2] = second.flags[3] = HZ_INPUT;
  page.m_RowTotals = {first, second};
  int titleRow = 0, rows = 2, cols = 4, sendRows = 0, sendCols = 0, editMode = 0;
  const CsvGrids g{edit, edit, titleRow, rows, cols, sendRows, sendCols, editMode};
  ScriptedModalDriver modal;
  CFieldSelectDaialog dlg;
  dlg.SetColumns(page.UsedColumns(g), {}, names);
  modal.Queue(134, [](CDialog& d) {
    ui::Choose(d, 1085, 2);
    ui::Click(d, 1021);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, u"横計が設定されているため削除できません。");
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FieldSelect, TwoHundredShownAndSixtyDeletedStartWithAnEmptyDeletedList) {
  std::vector<COLDATA> used(200, Column(1, u"日付"));
  std::vector<COLDATA> deleted(60, Column(2, u""));
  CFieldSelectDaialog dlg;
  dlg.SetColumns(used, deleted, names);
  EXPECT_EQ(dlg.m_Used.size(), 200u);
  EXPECT_TRUE(dlg.m_Deleted.empty());
  CFieldSelectDaialog fewer;
  fewer.SetColumns(std::vector<COLDATA>(200, Column(1, u"日付")), std::vector<COLDATA>(55, Column(2, u"")), names);
  EXPECT_EQ(fewer.m_Deleted.size(), 55u);
}

// ---- CTimeSpanDlg ------------------------------------------------------------------

TEST(TimeSpanDlg, OpensWithZeroAndTakesDigitsOnly) {
  ScriptedModalDriver modal;
  CTimeSpanDlg dlg;
  dlg.m_Minutes = u"45";
  modal.Queue(266, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"時間差設定"));
    EXPECT_EQ(ui::TextOf(d, 1151), CString(u"0"));
    KeepPicture(d, "time_span_dlg_266");
    EXPECT_FALSE(ui::Type(d, 1151, u"3a0"));
    EXPECT_EQ(ui::TextOf(d, 1151), CString(u"30"));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Minutes, CString(u"30"));
}

// ---- CSeelSkipDlg ------------------------------------------------------------------

TEST(SeelSkipDlg, AStartBeyondTheSheetOpensOnTheFirstLabel) {
  ScriptedModalDriver modal;
  CSeelSkipDlg dlg;
  dlg.m_StartLabel = 13;
  dlg.m_LabelsAcross = 2;
  dlg.m_LabelsDown = 6;
  dlg.m_Maker = 1;
  modal.Queue(229, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, 1003), CString(u"1"));
    EXPECT_EQ(ui::TextOf(d, 1005), CString(u"1"));
    EXPECT_EQ(ui::TextOf(d, 1006), CString(u"1"));
    EXPECT_EQ(ui::TextOf(d, 1104), CString(u"ヒサゴ"));
    EXPECT_EQ(ui::TextOf(d, 1007), CString(u"行毎"));
    EXPECT_FALSE(ui::IsShown(d, 1007));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_StartLabel, 1);
}

TEST(SeelSkipDlg, AClickOnALabelMakesItTheStartAndAClickBetweenLabelsChangesNothing) {
  ScriptedModalDriver modal;
  CSeelSkipDlg dlg;
  dlg.m_StartLabel = 2;
  dlg.m_LabelsAcross = 2;
  dlg.m_LabelsDown = 4;
  dlg.m_Maker = 2;
  modal.Queue(229, [&](CDialog& d) {
    auto& s = static_cast<CSeelSkipDlg&>(d);
    EXPECT_EQ(ui::TextOf(d, 1005), CString(u"1"));
    EXPECT_EQ(ui::TextOf(d, 1006), CString(u"2"));
    EXPECT_EQ(ui::TextOf(d, 1104), CString(u"エーワン"));
    // Label 5 stands in row 3, column 1.
    const SEELDATA& five = s.m_Labels[4];
    ASSERT_EQ(five.m_Number, 5);
    ui::ClickAt(d, CPoint((five.m_Left + five.m_Right) / 2, (five.m_Top + five.m_Bottom) / 2));
    EXPECT_EQ(ui::TextOf(d, 1003), CString(u"5"));
    EXPECT_EQ(ui::TextOf(d, 1005), CString(u"3"));
    EXPECT_EQ(ui::TextOf(d, 1006), CString(u"1"));
    ui::Picture picture = ui::Render(d);
    EXPECT_EQ(picture.Pixel(five.m_Left + 8, five.m_Bottom - 4), RGB(240, 248, 255));
    KeepPicture(d, "seel_skip_dlg_229");
    // Between labels 5 and 6, in the margins.
    ui::ClickAt(d, CPoint((five.m_Right + s.m_Labels[5].m_Left) / 2, (five.m_Top + five.m_Bottom) / 2));
    EXPECT_EQ(ui::TextOf(d, 1003), CString(u"5"));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_StartLabel, 5);
}

TEST(LabelGrid, NumbersRunAlongRowsOrDownColumns) {
  std::vector<int> along, down;
  for (const SEELDATA& c : BuildLabelCells(2, 3, 1, 96, 96)) along.push_back(c.m_Number);
  for (const SEELDATA& c : BuildLabelCells(2, 3, 0, 96, 96)) down.push_back(c.m_Number);
  EXPECT_EQ(along, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(down, (std::vector<int>{1, 4, 2, 5, 3, 6}));
  EXPECT_TRUE(BuildLabelCells(0, 3, 1, 96, 96).empty());
  // 2 across at 96 dpi: dx 150, margins of 7.5.
  const SEELDATA first = BuildLabelCells(2, 3, 1, 96, 96)[0];
  EXPECT_EQ(first.m_Left, 68);
  EXPECT_EQ(first.m_Right, 202);
  EXPECT_EQ(BuildLabelCells(2, 3, 1, 192, 192)[0].m_Left, 136);
}

TEST(LabelGrid, TheNumbersFontFollowsTheSheetSize) {
  struct Case {
    int across, down, height, offset;
  };
  for (const Case& c : {Case{30, 10, 5, 0}, Case{21, 3, 10, 0}, Case{12, 12, 10, 2}, Case{3, 8, 18, 5}}) {
    const LABELFONT f = LabelNumberFont(c.across, c.down);
    EXPECT_EQ(f.height, c.height) << c.across << "x" << c.down;
    EXPECT_EQ(f.offset, c.offset) << c.across << "x" << c.down;
  }
}

// ---- CEditCheck --------------------------------------------------------------------

constexpr ControlTemplate kCheckControls[] = {{CtlKind::Edit, 1095, nullptr, 5, 5, 100, 14, tpl::kPassword}};
constexpr DialogTemplate kCheckDlg{9171, u"パスワード", 120, 30, kCheckControls};

class CCheckHost : public CDialog {
 public:
  CCheckHost() : CDialog(kCheckDlg) {}
  CEditCheck m_Edit;
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_Edit.SubclassDlgItem(1095, this);
    m_Edit.SetLimitText(5);
    return TRUE;
  }
};

TEST(EditCheck, KeepsOnlyPrintableHalfWidthCharacters) {
  RecordingUiHooks hooks;
  ScriptedModalDriver modal;
  CCheckHost dlg;
  modal.Queue(9171, [&](CDialog& d) {
    EXPECT_FALSE(ui::Type(d, 1095, u"aＡ b"));
    EXPECT_EQ(ui::TextOf(d, 1095), CString(u"ab"));
    hooks.SetClipboard(u"a b c");
    dlg.m_Edit.SetWindowText(CString());
    dlg.m_Edit.Paste();
    EXPECT_EQ(ui::TextOf(d, 1095), CString(u"abc"));
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
}

TEST(EditCheck, AtTheLimitKeysOtherThanBackspaceDoNothing) {
  ScriptedModalDriver modal;
  CCheckHost dlg;
  modal.Queue(9171, [&](CDialog& d) {
    ASSERT_TRUE(ui::Type(d, 1095, u"abcde"));
    dlg.m_Edit.SetSel(0, 0);
    ui::PressKey(d, 1095, VK_DELETE);
    EXPECT_EQ(ui::TextOf(d, 1095), CString(u"abcde"));
    dlg.m_Edit.SetSel(5, 5);
    ui::PressKey(d, 1095, VK_BACK);
    EXPECT_EQ(ui::TextOf(d, 1095), CString(u"abcd"));
    dlg.m_Edit.SetSel(0, 0);
    ui::PressKey(d, 1095, VK_DELETE);
    EXPECT_EQ(ui::TextOf(d, 1095), CString(u"bcd"));
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
}

}  // namespace
