#pragma once
// Dialog 275: one computed column of the macro-column layout; dialog 288: the
// date pattern it can insert.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_MACRO_DLG = 275,
  IDC_MACRO_COLUMN_NAME = 1077,
  IDC_MACRO_TEXT = 1151,
  IDC_MACRO_CHECK = 1261,
  IDC_MACRO_PLUS = 1262,
  IDC_MACRO_MINUS = 1263,
  IDC_MACRO_TIMES = 1264,
  IDC_MACRO_DIVIDE = 1265,
  IDC_MACRO_OPEN = 1266,
  IDC_MACRO_CLOSE = 1267,
  IDC_MACRO_FIELDS = 1268,
  IDC_MACRO_INSERT_FIELD = 1269,
  IDC_MACRO_TYPES = 1270,
  IDC_MACRO_EXTENDED = 1271,
  IDC_MACRO_IF = 1272,
  IDC_MACRO_LEFT = 1273,
  IDC_MACRO_RIGHT = 1274,
  IDC_MACRO_MID = 1275,
  IDC_MACRO_FIND = 1276,
  IDC_MACRO_REPLACE = 1277,
  IDC_MACRO_HELP_TEXT = 1278,
  IDC_MACRO_USING = 1279,
  IDC_MACRO_LESS = 1280,
  IDC_MACRO_GREATER = 1281,
  IDC_MACRO_DATE_FORMAT = 1282,
  IDC_MACRO_LESS_EQUAL = 1283,
  IDC_MACRO_GREATER_EQUAL = 1284,
  IDC_MACRO_OR = 1286,
  IDC_MACRO_AND = 1287,
  IDC_MACRO_NOT = 1288,
  IDC_MACRO_ADD_DATE = 1289,
  IDC_MACRO_ACCUMU = 1290,
  IDC_MACRO_RATIO = 1291,

  IDD_DATE_FORMAT = 288,
  IDC_DATEFORMAT_FIRST = 1255,
};

inline constexpr ControlTemplate kMacroDlgControls[] = {
    // kind                id                        text                   x    y    cx   cy   flags
    {CtlKind::GroupBox, IDC_STATIC, u"設定", 7, 7, 220, 152},
    {CtlKind::PushButton, IDC_MACRO_EXTENDED, u"高機能表示", 14, 20, 60, 14},
    {CtlKind::PushButton, IDC_MACRO_CHECK, u"式評価", 80, 20, 50, 14},
    {CtlKind::PushButton, IDC_MACRO_PLUS, u"+", 14, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_MINUS, u"―", 38, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_TIMES, u"＊", 62, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_DIVIDE, u"／", 86, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_OPEN, u"（", 110, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_CLOSE, u"）", 134, 40, 22, 14},
    {CtlKind::PushButton, IDC_MACRO_LESS, u"＜", 14, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_GREATER, u"＞", 38, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_LESS_EQUAL, u"<=", 62, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_GREATER_EQUAL, u">=", 86, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_OR, u"｜", 110, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_AND, u"＆", 134, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_NOT, u"！", 158, 58, 22, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_ACCUMU, u"累計", 14, 76, 40, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_RATIO, u"比率", 58, 76, 40, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_IF, u"if then else 式", 102, 76, 78, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_FIND, u"検索", 14, 94, 32, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_REPLACE, u"置換", 50, 94, 32, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_LEFT, u"Left", 86, 94, 32, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_MID, u"Mid", 122, 94, 32, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_RIGHT, u"Right", 158, 94, 32, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_USING, u"数値書式", 14, 112, 50, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_DATE_FORMAT, u"日付書式", 68, 112, 50, 14, tpl::kHidden},
    {CtlKind::PushButton, IDC_MACRO_ADD_DATE, u"日付加算", 122, 112, 50, 14, tpl::kHidden},
    {CtlKind::Static, IDC_STATIC, u"列名", 14, 136, 24, 8},
    {CtlKind::Edit, IDC_MACRO_COLUMN_NAME, nullptr, 40, 134, 120, 14},
    {CtlKind::GroupBox, IDC_STATIC, u"列名で計算した値を集計できます", 232, 7, 161, 152},
    {CtlKind::Static, IDC_STATIC, u"例\n　[金額]*[数量]\n　[金額]*1000\n　( [金額１]+[金額２] ) / 2", 238, 18, 150,
     40, tpl::kMultiline},
    {CtlKind::ListView, IDC_MACRO_TYPES, nullptr, 238, 62, 70, 66, tpl::kHidden},
    {CtlKind::Static, IDC_STATIC, u"フィールド名が\nタグ名です\n挿入で指定", 238, 130, 70, 26, tpl::kMultiline},
    {CtlKind::ListView, IDC_MACRO_FIELDS, nullptr, 312, 62, 76, 74},
    {CtlKind::PushButton, IDC_MACRO_INSERT_FIELD, u"マクロに挿入", 312, 139, 76, 14, tpl::kDisabled},
    {CtlKind::Edit, IDC_MACRO_TEXT, nullptr, 7, 164, 386, 28, tpl::kMultiline},
    {CtlKind::Static, IDC_MACRO_HELP_TEXT,
     u"【条件でデータを計算できます】\n　if [金額]>10000 then return [金額]*[税率]  else  return 10000\n\n   if "
     u"[会社].Find('㈱') then return ([会社] +'御中') \n  else return ([会社]+'様')\n\n Ratio([分類)　　"
     u"各行の比率を計算\n Accum([分類])　累計で表示 ",
     7, 196, 386, 78, tpl::kHidden | tpl::kMultiline},
    {CtlKind::DefPushButton, IDOK, u"OK", 289, 278, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 343, 278, 50, 14},
};
inline constexpr DialogTemplate kMacroDlg{IDD_MACRO_DLG, u"マクロ設定", 400, 298, kMacroDlgControls};
TABRO_REGISTER_DIALOG(kMacroDlg);

inline constexpr ControlTemplate kDateFormatControls[] = {
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST, u"YYYY （年）", 14, 10, 120, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST + 1, u"YY/MM/DD", 14, 24, 120, 10},
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST + 2, u"和暦YY/MM/DD", 14, 38, 120, 10},
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST + 3, u"和暦ｙ年ｍ月ｄ日", 14, 52, 120, 10},
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST + 4, u"週　（曜日表示）", 14, 66, 120, 10},
    {CtlKind::Radio, IDC_DATEFORMAT_FIRST + 5, u"month dth, y", 14, 80, 120, 10},
    {CtlKind::DefPushButton, IDOK, u"OK", 30, 100, 50, 14, tpl::kGroup},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 84, 100, 50, 14},
};
inline constexpr DialogTemplate kDateFormat{IDD_DATE_FORMAT, u"日付書式", 148, 122, kDateFormatControls};
TABRO_REGISTER_DIALOG(kDateFormat);
}  // namespace res
