#pragma once
// Dialogs 133, 135, 471 and 136: the four tabs of the detailed settings page
// (special settings, header, security, labels), child dialogs of its tab control.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_TAB_DLG1 = 133,
  IDC_TAB1_NUMBERING = 2005,
  IDC_TAB1_GRAYBAND = 2006,
  IDC_TAB1_HIDEDETAIL = 1132,
  IDC_TAB1_GRAPH = 1162,
  IDC_TAB1_GRAPH_AUTO = 1170,
  IDC_TAB1_GRAPH_TOTAL = 1171,
  IDC_TAB1_GRAPH_GROUP = 1172,
  IDC_TAB1_GRAPH_TYPE = 1174,
  IDC_TAB1_GRAPH_BOX = 1175,
  IDC_TAB1_DATEFORMAT = 1198,

  IDD_TAB_DLG2 = 135,
  IDC_TAB2_TITLE_FILE = 2007,
  IDC_TAB2_TITLE_HIDDEN = 2008,
  IDC_TAB2_TITLE_SPECIFIED = 2009,
  IDC_TAB2_TITLE = 2010,
  IDC_TAB2_DATE_CREATED = 2011,
  IDC_TAB2_DATE_HIDDEN = 1167,
  IDC_TAB2_DATE_SPECIFIED = 2012,
  IDC_TAB2_DATE = 1101,
  IDC_TAB2_HIDEPAGE = 2013,
  IDC_TAB2_HIDEERR = 2014,
  IDC_TAB2_HIDEFIELDNAME = 1166,

  IDD_TAB_DLG3 = 471,
  IDC_TAB3_READ_PASSWORD = 1095,
  IDC_TAB3_EDIT_PASSWORD = 1102,
  IDC_TAB3_SHOW = 1162,

  IDD_TAB_DLG4 = 136,
  IDC_TAB4_SEAL = 2002,
  IDC_TAB4_PRODUCT = 2003,
  IDC_TAB4_ADDRESS = 2004,
  IDC_TAB4_SHEET = 1103,
  IDC_TAB4_START = 2001,
};

inline constexpr ControlTemplate kTabDlg1Controls[] = {
    // kind                id                      text                        x    y    cx   cy  flags
    {CtlKind::GroupBox, IDC_STATIC, u"表示の飾り", 4, 2, 150, 54},
    {CtlKind::CheckBox, IDC_TAB1_NUMBERING, u"ナンバリング", 10, 13, 138, 10, tpl::kGroup},
    {CtlKind::Static, IDC_STATIC, u"※科目集計との同時設定不可", 16, 25, 132, 8},
    {CtlKind::CheckBox, IDC_TAB1_GRAYBAND, u"帯背景色", 10, 39, 138, 10},
    {CtlKind::GroupBox, IDC_STATIC, u"特殊表示", 4, 60, 150, 52},
    {CtlKind::CheckBox, IDC_TAB1_HIDEDETAIL, u"合計値のみ表示する", 10, 71, 138, 10, tpl::kGroup},
    {CtlKind::Static, IDC_STATIC, u"※「CSV編集画面」の合計を\n　併用して下さい。", 10, 84, 142, 24},
    {CtlKind::GroupBox, IDC_STATIC, u"日付書式", 4, 116, 150, 70},
    {CtlKind::ComboDropList, IDC_TAB1_DATEFORMAT, nullptr, 10, 128, 138, 80, tpl::kGroup},
    // Each of the note's two lines on one line of its own.
    {CtlKind::Static, IDC_STATIC, u"※全ての列の日付データに対して、\n　設定した書式が適応されます。", 10, 146, 142, 36},
    {CtlKind::GroupBox, IDC_STATIC, nullptr, 158, 2, 182, 184},
    {CtlKind::CheckBox, IDC_TAB1_GRAPH, u"グラフ作成", 164, 11, 120, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_TAB1_GRAPH_AUTO, u"自動判別", 170, 24, 120, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_TAB1_GRAPH_TOTAL, u"総計", 170, 36, 120, 10},
    {CtlKind::Radio, IDC_TAB1_GRAPH_GROUP, u"グループ・科目集計", 170, 48, 120, 10},
    {CtlKind::GroupBox, IDC_TAB1_GRAPH_BOX, u"グラフ種類", 164, 62, 130, 34, tpl::kGroup},
    {CtlKind::ComboDropList, IDC_TAB1_GRAPH_TYPE, nullptr, 170, 75, 118, 80},
    {CtlKind::Static, IDC_STATIC, u"※「CSV編集画面」の合計を併用して下さい。\n  作成タイプを「集計表」にして下さい。", 164,
     102, 172, 60},
};
// As wide as the detailed page's tab control leaves it.
inline constexpr DialogTemplate kTabDlg1{IDD_TAB_DLG1, u"特殊設定", 344, 190, kTabDlg1Controls, tpl::kChild};
TABRO_REGISTER_DIALOG(kTabDlg1);

inline constexpr ControlTemplate kTabDlg2Controls[] = {
    {CtlKind::GroupBox, IDC_STATIC, u"タイトル", 4, 2, 234, 62},
    {CtlKind::Radio, IDC_TAB2_TITLE_FILE, u"ファイル名で表示", 10, 13, 110, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_TAB2_TITLE_HIDDEN, u"タイトル非表示", 10, 25, 110, 10},
    {CtlKind::Radio, IDC_TAB2_TITLE_SPECIFIED, u"タイトル指定", 10, 37, 110, 10},
    {CtlKind::Edit, IDC_TAB2_TITLE, nullptr, 24, 48, 206, 13, tpl::kGroup},
    {CtlKind::GroupBox, IDC_STATIC, u"日付", 4, 66, 234, 52},
    {CtlKind::Radio, IDC_TAB2_DATE_CREATED, u"作成日で表示", 10, 77, 100, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_TAB2_DATE_HIDDEN, u"日付非表示", 10, 89, 100, 10},
    {CtlKind::Radio, IDC_TAB2_DATE_SPECIFIED, u"日付指定", 10, 101, 64, 10},
    {CtlKind::DateTime, IDC_TAB2_DATE, nullptr, 78, 99, 96, 13, tpl::kGroup},
    {CtlKind::CheckBox, IDC_TAB2_HIDEPAGE, u"ページ番号非表示", 10, 124, 200, 10, tpl::kGroup},
    {CtlKind::CheckBox, IDC_TAB2_HIDEFIELDNAME, u"タイトル列非表示(CSVデータ1行目)", 10, 137, 200, 10},
    {CtlKind::CheckBox, IDC_TAB2_HIDEERR, u"エラー非表示", 10, 150, 200, 10},
};
inline constexpr DialogTemplate kTabDlg2{IDD_TAB_DLG2, u"ヘッダー部編集", 252, 190, kTabDlg2Controls, tpl::kChild};
TABRO_REGISTER_DIALOG(kTabDlg2);

inline constexpr ControlTemplate kTabDlg3Controls[] = {
    {CtlKind::GroupBox, IDC_STATIC, u"読込パスワード", 4, 2, 234, 44},
    {CtlKind::Edit, IDC_TAB3_READ_PASSWORD, nullptr, 10, 14, 150, 13, tpl::kPassword},
    {CtlKind::Static, IDC_STATIC, u"※出力形式Excel時は設定不可。", 10, 31, 200, 8},
    {CtlKind::GroupBox, IDC_STATIC, u"編集パスワード", 4, 50, 234, 32},
    {CtlKind::Edit, IDC_TAB3_EDIT_PASSWORD, nullptr, 10, 62, 150, 13, tpl::kPassword},
    {CtlKind::CheckBox, IDC_TAB3_SHOW, u"入力したパスワードを表示（確認）する", 10, 90, 220, 10},
};
inline constexpr DialogTemplate kTabDlg3{IDD_TAB_DLG3, u"セキュリティ", 252, 190, kTabDlg3Controls, tpl::kChild};
TABRO_REGISTER_DIALOG(kTabDlg3);

inline constexpr ControlTemplate kTabDlg4Controls[] = {
    {CtlKind::GroupBox, IDC_STATIC, u"使用用途", 4, 2, 234, 30},
    {CtlKind::Radio, IDC_TAB4_SEAL, u"シール", 10, 14, 60, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_TAB4_PRODUCT, u"商品ラベル", 76, 14, 70, 10},
    {CtlKind::Radio, IDC_TAB4_ADDRESS, u"住所ラベル", 152, 14, 70, 10},
    {CtlKind::GroupBox, IDC_STATIC, u"使用ラベル", 4, 36, 234, 32},
    {CtlKind::ComboDropList, IDC_TAB4_SHEET, nullptr, 10, 48, 120, 100, tpl::kGroup},
    {CtlKind::GroupBox, IDC_STATIC, u"印刷開始位置", 4, 72, 234, 32},
    {CtlKind::PushButton, IDC_TAB4_START, u"印刷位置指定", 10, 84, 70, 14, tpl::kGroup},
};
inline constexpr DialogTemplate kTabDlg4{IDD_TAB_DLG4, u"ラベル設定", 252, 190, kTabDlg4Controls, tpl::kChild};
TABRO_REGISTER_DIALOG(kTabDlg4);
}  // namespace res
