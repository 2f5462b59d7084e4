// The name, new-file and Excel list type dialogs, opened offscreen and driven by control id.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ui/excel_list_type_select_dlg.h"
#include "app/ui/name_dlg.h"
#include "app/ui/new_file_dlg.h"
#include "res/excel_list_type_select_dlg.h"
#include "res/name_dlg.h"
#include "res/new_file_dlg.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"
#include "support/look.h"

namespace {

constexpr int kNameEdit = 1106;
constexpr int kRunToolsCheck = 1250;
constexpr int kGroupedButton = 1185;
constexpr int kUngroupedButton = 1186;

// When TABRO_SCREENSHOT_DIR is set, keeps a picture of the dialog there for a person to look at.
TEST(NameDlg, OpensWithItsTextsAndThePresetName) {
  ScriptedModalDriver modal;
  CNameDlg dlg;
  dlg.m_Name = CString(u"クリップボード");
  modal.Queue(res::IDD_NAME_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"CSVファイル名設定"));
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u"クリップボード"));
    EXPECT_EQ(ui::TextOf(d, IDOK), CString(u"OK"));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"キャンセル"));
    EXPECT_TRUE(ui::IsShown(d, kNameEdit));
    EXPECT_TRUE(ui::IsShown(d, IDOK));
    bool labelFound = false;
    for (int id : ui::ControlIds(d)) {
      if (id == IDC_STATIC && ui::TextOf(d, id) == CString(u"帳票タイトル名")) labelFound = true;
    }
    EXPECT_TRUE(labelFound);
    KeepPicture(d, "name_dlg");
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.Failures(), 0);
}

struct NameCase {
  const char* name;
  const char16_t* typed;
  int result;                 // what DoModal returns (IDCANCEL: OK was refused, then closed)
  const char16_t* message;    // the box shown, or null
  const char16_t* kept;       // m_Name after an accepted OK
};

const char16_t kForbiddenMessage[] = u"禁則文字\n\n : / * ? < > | \\ \"\n\nが含まれています。";

const NameCase kNameCases[] = {
    {"Accepted", u"売上一覧", IDOK, nullptr, u"売上一覧"},
    {"ThirtyCharacters", u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ", IDOK, nullptr,
     u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"},
    {"Empty", u"", IDCANCEL, u"ファイルが名を入力してください。", nullptr},
    {"Slash", u"売上/月次", IDCANCEL, kForbiddenMessage, nullptr},
    {"Colon", u"a:b", IDCANCEL, kForbiddenMessage, nullptr},
    {"Asterisk", u"a*b", IDCANCEL, kForbiddenMessage, nullptr},
    {"Question", u"a?b", IDCANCEL, kForbiddenMessage, nullptr},
    {"LessThan", u"a<b", IDCANCEL, kForbiddenMessage, nullptr},
    {"GreaterThan", u"a>b", IDCANCEL, kForbiddenMessage, nullptr},
    {"Bar", u"a|b", IDCANCEL, kForbiddenMessage, nullptr},
    {"Backslash", u"a\\b", IDCANCEL, kForbiddenMessage, nullptr},
    {"DoubleQuote", u"a\"b", IDCANCEL, kForbiddenMessage, nullptr},
    {"FullWidthSlashIsAllowed", u"a／b", IDOK, nullptr, u"a／b"},
};

class NameDlgOk : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameDlgOk, RefusesEmptyAndForbiddenNamesAndStaysOpen) {
  const NameCase& c = GetParam();
  ScriptedModalDriver modal;
  CNameDlg dlg;
  modal.Queue(res::IDD_NAME_DLG, [&](CDialog& d) {
    ui::Type(d, kNameEdit, CString(c.typed));
    ui::Click(d, IDOK);
    // A refused name stays in the box for correction.
    if (c.result != IDOK) {
      EXPECT_FALSE(d.HasEnded());
      EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(c.typed));
    }
  });
  if (c.message) modal.QueueBox(IDOK, CString(c.message));
  EXPECT_EQ(dlg.DoModal(), c.result);
  if (c.message == nullptr) {
    EXPECT_EQ(dlg.m_Name, CString(c.kept));
  } else {
    const auto transcript = modal.Transcript();
    ASSERT_EQ(transcript.size(), 2u);
    EXPECT_EQ(transcript[1].caption, CString(u"タブロコネクト"));
    EXPECT_EQ(transcript[1].type & MB_TYPEMASK, unsigned(MB_OK));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, NameDlgOk, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NameDlg, TheBoxTakesNoThirtyFirstCharacter) {
  ScriptedModalDriver modal;
  CNameDlg dlg;
  const CString thirtyOne(u'名', 31);
  modal.Queue(res::IDD_NAME_DLG, [&](CDialog& d) {
    auto* edit = dynamic_cast<CEdit*>(d.GetDlgItem(kNameEdit));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetLimitText(), 30u);
    ui::Type(d, kNameEdit, thirtyOne);
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u'名', 30));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Name, CString(u'名', 30));
}

TEST(NameDlg, InputMethodTextIsCutAtTheThirtiethCharacter) {
  ScriptedModalDriver modal;
  CNameDlg dlg;
  modal.Queue(res::IDD_NAME_DLG, [&](CDialog& d) {
    ui::Type(d, kNameEdit, CString(u'名', 27));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("請求書一覧"));
    QApplication::sendEvent(d.GetDlgItem(kNameEdit)->m_hWnd, &commit);
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u'名', 27) + u"請求書");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(NewFileDlg, ShowsOnlyTheBoxAndOk) {
  ScriptedModalDriver modal;
  CNewFileDlg dlg;
  modal.Queue(res::IDD_NEW_FILE_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"新規ファイル作成モード"));
    EXPECT_EQ(ui::TextOf(d, kRunToolsCheck), CString(u"データ加工・集計ツールを起動"));
    EXPECT_TRUE(ui::IsShown(d, kRunToolsCheck));
    EXPECT_TRUE(ui::IsShown(d, IDOK));
    EXPECT_EQ(ui::TextOf(d, IDCANCEL), CString(u"キャンセル"));
    EXPECT_FALSE(ui::IsShown(d, IDCANCEL));
    KeepPicture(d, "new_file_dlg");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

struct RunToolsCase {
  const char* name;
  int preset;
  bool ticked;
  int result;
};

const RunToolsCase kRunToolsCases[] = {
    {"TickedGivesOne", 0, true, 1},
    {"UntickedGivesZero", 1, false, 0},
    {"LeftTickedGivesOne", 1, true, 1},
};

class NewFileDlgOk : public ::testing::TestWithParam<RunToolsCase> {};

TEST_P(NewFileDlgOk, GivesTheBoxState) {
  const RunToolsCase& c = GetParam();
  ScriptedModalDriver modal;
  CNewFileDlg dlg;
  dlg.m_RunTools = c.preset;
  modal.Queue(res::IDD_NEW_FILE_DLG, [&](CDialog& d) {
    EXPECT_EQ(d.IsDlgButtonChecked(kRunToolsCheck), UINT(c.preset));
    ui::SetChecked(d, kRunToolsCheck, c.ticked);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_RunTools, c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, NewFileDlgOk, ::testing::ValuesIn(kRunToolsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExcelListTypeSelectDlg, ShowsTheQuestionAndTwoLargeButtons) {
  ScriptedModalDriver modal;
  CExcelListTypeSelectDlg dlg;
  modal.Queue(res::IDD_EXCEL_LIST_TYPE_SELECT_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"タブロコネクト　Excelリスト出力形式選択"));
    EXPECT_EQ(ui::TextOf(d, kGroupedButton), CString(u"まとめ表示する"));
    EXPECT_EQ(ui::TextOf(d, kUngroupedButton), CString(u"まとめ表示しない"));
    EXPECT_TRUE(ui::IsShown(d, kGroupedButton));
    EXPECT_TRUE(ui::IsShown(d, kUngroupedButton));
    EXPECT_FALSE(ui::IsShown(d, IDOK));
    EXPECT_FALSE(ui::IsShown(d, IDCANCEL));
    bool questionFound = false;
    for (int id : ui::ControlIds(d)) {
      if (ui::TextOf(d, id) == CString(u"グルーピング（データのまとめ）を選択します")) questionFound = true;
    }
    EXPECT_TRUE(questionFound);
    EXPECT_EQ(d.GetExStyle() & WS_EX_TOPMOST, DWORD(WS_EX_TOPMOST));  // stays above other windows
    KeepPicture(d, "excel_list_type_select_dlg");
    ui::Click(d, kGroupedButton);
  });
  dlg.DoModal();
}

struct ListTypeCase {
  const char* name;
  int button;  // 0: the close box
  int listType;
  int result;
};

const ListTypeCase kListTypeCases[] = {
    {"Grouped", kGroupedButton, 2, IDOK},
    {"Ungrouped", kUngroupedButton, 3, IDOK},
    {"ClosedWithoutChoice", 0, CExcelListTypeSelectDlg::kNoListType, IDCANCEL},
};

class ListTypeChoice : public ::testing::TestWithParam<ListTypeCase> {};

TEST_P(ListTypeChoice, SetsTheListTypeAndEnds) {
  const ListTypeCase& c = GetParam();
  ScriptedModalDriver modal;
  CExcelListTypeSelectDlg dlg;
  modal.Queue(res::IDD_EXCEL_LIST_TYPE_SELECT_DLG, [&](CDialog& d) {
    if (c.button != 0) {
      ui::Click(d, c.button);
    } else {
      ui::CloseBox(d);
    }
    EXPECT_TRUE(d.HasEnded());
  });
  EXPECT_EQ(dlg.DoModal(), c.result);
  EXPECT_EQ(dlg.m_ListType, c.listType);
}

INSTANTIATE_TEST_SUITE_P(Table, ListTypeChoice, ::testing::ValuesIn(kListTypeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExcelListTypeSelectDlg, EscChoosesNothing) {
  ScriptedModalDriver modal;
  CExcelListTypeSelectDlg dlg;
  modal.Queue(res::IDD_EXCEL_LIST_TYPE_SELECT_DLG, [](CDialog& d) { ui::PressKey(d, 0, VK_ESCAPE); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_ListType, CExcelListTypeSelectDlg::kNoListType);
}

}  // namespace
