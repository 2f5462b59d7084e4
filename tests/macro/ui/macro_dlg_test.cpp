// The macro definition dialog and its date-pattern dialog, driven by control id:
// what the buttons insert, the field list and its type filter, and the checks on OK.
#include <gtest/gtest.h>

#include "support/screenshot.h"
#include "macro/ui/date_format.h"
#include "macro/ui/macro_dlg.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"

namespace {

constexpr int kText = 1151, kName = 1077, kFields = 1268, kTypes = 1270, kInsert = 1269, kExtended = 1271;

void ClickRow(CListCtrl& list, int row) {
  CRect cell;
  ASSERT_TRUE(list.GetSubItemRect(row, 0, LVIR_BOUNDS, cell));
  ui::ClickAt(list, cell.CenterPoint());
}

std::vector<CString> Rows(CListCtrl& list) {
  std::vector<CString> rows;
  for (int i = 0; i < list.GetItemCount(); ++i) rows.push_back(list.GetItemText(i, 0));
  return rows;
}

// 売上 and 数量 numeric, 名前 text, 日付 a date, one field without a name.
void Prepare(CMacroDlg& dlg) {
  dlg.m_FieldNames = {u"名前", u"売上", u"日付", u"", u"数量"};
  dlg.m_FieldTypes[0] = 0;
  dlg.m_FieldTypes[1] = 1;
  dlg.m_FieldTypes[2] = 2;
  dlg.m_FieldTypes[3] = 1;
  dlg.m_FieldTypes[4] = 1;
}

TEST(MacroDlg, OpensWithTheNumericFieldsAndTheExtendedButtonsHidden) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  Prepare(dlg);
  modal.Queue(275, [](CDialog& d) {
    auto& m = static_cast<CMacroDlg&>(d);
    EXPECT_EQ(d.GetWindowText(), CString(u"マクロ設定"));
    EXPECT_EQ(Rows(m.m_FieldList), (std::vector<CString>{u"売上", u"数量"}));
    EXPECT_FALSE(ui::IsShown(d, kTypes));
    EXPECT_FALSE(ui::IsShown(d, 1290));
    EXPECT_FALSE(ui::IsEnabled(d, kInsert));
    KeepPicture(d, "macro_dlg_275");
    ui::Click(d, kExtended);
    EXPECT_TRUE(ui::IsShown(d, kTypes));
    EXPECT_TRUE(ui::IsShown(d, 1278));
    EXPECT_TRUE(m.m_FieldList.GetItemCount() == 0);  // a type must be chosen first
    KeepPicture(d, "macro_dlg_275_extended");
    ClickRow(m.m_TypeList, 0);                       // "全項目": every named field
    EXPECT_EQ(Rows(m.m_FieldList), (std::vector<CString>{u"名前", u"売上", u"日付", u"数量"}));
    ClickRow(m.m_TypeList, 3);
    EXPECT_EQ(Rows(m.m_FieldList), (std::vector<CString>{u"日付"}));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(MacroDlg, RatioThenAFieldFillsTheCallAndTheName) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  Prepare(dlg);
  modal.Queue(275, [](CDialog& d) {
    auto& m = static_cast<CMacroDlg&>(d);
    ui::Click(d, kExtended);
    ClickRow(m.m_TypeList, 2);
    ui::Click(d, 1291);
    EXPECT_EQ(ui::TextOf(d, kText), CString(u"Ratio()"));
    EXPECT_EQ(ui::TextOf(d, kName), CString(u"比率"));
    // Showing the new name put the caret at the start; the user moves it.
    ui::PressKey(d, kText, VK_END);
    ui::PressKey(d, kText, VK_LEFT);
    ClickRow(m.m_FieldList, 0);
    EXPECT_TRUE(ui::IsEnabled(d, kInsert));
    ui::Click(d, kInsert);
    EXPECT_EQ(ui::TextOf(d, kText), CString(u"Ratio([売上])"));
    EXPECT_FALSE(ui::IsEnabled(d, kInsert));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Expression, CString(u"Ratio([売上])"));
  EXPECT_EQ(dlg.m_ColumnName, CString(u"比率"));
  EXPECT_EQ(GetUiHooks().GetClipboardText(), CString(u"[売上]"));  // the snippet replaced the clipboard
}

TEST(MacroDlg, TemplateKeepsItsPlaceholderWhenAFieldIsInserted) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  Prepare(dlg);
  modal.Queue(275, [](CDialog& d) {
    auto& m = static_cast<CMacroDlg&>(d);
    ui::Click(d, kExtended);
    ClickRow(m.m_TypeList, 1);
    ui::Click(d, 1272);
    ClickRow(m.m_FieldList, 0);
    ui::Click(d, kInsert);
    EXPECT_EQ(ui::TextOf(d, kText), CString(u"if [XXX] >0  then return XXX else return XXX[名前]"));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(MacroDlg, SnippetButtonsInsertTheirText) {
  struct Case {
    int id;
    const char16_t* text;
  };
  const Case cases[] = {{1263, u"-"}, {1264, u"*"}, {1288, u"! "}, {1276, u".Find( 'ABCD')"},
                        {1277, u".replace('old', 'new')"}, {1275, u".Mid(3,2)"}, {1279, u".Using('\\,')"},
                        {1289, u".AddDate('d',10) //y:年 m:月 d:日　10:加算"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ScriptedModalDriver modal;
    CMacroDlg dlg;
    modal.Queue(275, [&](CDialog& d) {
      ui::Click(d, kExtended);
      ui::Click(d, c.id);
      EXPECT_EQ(ui::TextOf(d, kText), CString(c.text));
      ui::Click(d, IDCANCEL);
    });
    dlg.DoModal();
  }
}

TEST(MacroDlg, DateFormatInsertsTheChosenPattern) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  modal.Queue(275, [](CDialog& d) {
    ui::Click(d, kExtended);
    ui::Click(d, 1282);
    EXPECT_EQ(ui::TextOf(d, kText), CString(u".date(和暦ｙ年ｍ月ｄ日)"));
    ui::Click(d, IDCANCEL);
  });
  modal.Queue(288, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"日付書式"));
    KeepPicture(d, "date_format_288");
    ui::SetChecked(d, 1258, true);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(MacroDlg, RatioOnlyOffersTheTwoColumnCalls) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  Prepare(dlg);
  dlg.m_RatioOnly = 1;
  modal.Queue(275, [](CDialog& d) {
    EXPECT_FALSE(ui::IsShown(d, kFields));
    EXPECT_FALSE(ui::IsShown(d, kExtended));
    EXPECT_TRUE(ui::IsShown(d, 1290));
    EXPECT_TRUE(ui::IsShown(d, 1291));
    EXPECT_FALSE(ui::IsShown(d, 1272));
    ui::Click(d, 1290);
    EXPECT_EQ(ui::TextOf(d, kName), CString(u"累計"));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(MacroDlg, OkNeedsANameAndACleanText) {
  ScriptedModalDriver modal;
  CMacroDlg dlg;
  Prepare(dlg);
  modal.Queue(275, [](CDialog& d) {
    ui::Type(d, kText, u"[売上]*2");
    ui::Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    ui::Type(d, kName, u"倍");
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, u"列名が登録されていません。");
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Expression, CString(u"[売上]*2"));
  EXPECT_EQ(dlg.m_ColumnName, CString(u"倍"));
}

TEST(MacroDlg, CheckerWrapsAllButATextStartingWithIf) {
  CMacroDlg dlg;
  Prepare(dlg);
  RecordingUiHooks hooks;
  dlg.m_Expression = u"  if [売上]>1 then return 1 else return 2";
  EXPECT_EQ(dlg.CheckExpression(1), 1);
  dlg.m_Expression = u"[売上]+1";
  EXPECT_EQ(dlg.CheckExpression(1), 1);
  dlg.m_Expression = u"([売上]+1";
  EXPECT_EQ(dlg.CheckExpression(1), 0);
  EXPECT_EQ(hooks.Messages().size(), 1u);  // the findings, in one box
}

}  // namespace
