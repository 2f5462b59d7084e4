#pragma once
// Dialog 268: the filter tool's three fields, side by side.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_MAIN_FILTER = 268,
  IDC_MF_FIELD_LABEL1 = 1211, IDC_MF_FIELD_LABEL2 = 1226, IDC_MF_FIELD_LABEL3 = 1227,
  IDC_MF_FIELD_COMBO1 = 1198, IDC_MF_FIELD_COMBO2 = 1199, IDC_MF_FIELD_COMBO3 = 1200,
  IDC_MF_NAME1 = 1151, IDC_MF_NAME2 = 1153, IDC_MF_NAME3 = 1154,
  IDC_MF_LIST1 = 1202, IDC_MF_LIST2 = 1203, IDC_MF_LIST3 = 1087,
  IDC_MF_COND1 = 1214, IDC_MF_COND2 = 1218, IDC_MF_COND3 = 1224,
  IDC_MF_MODE1 = 1178, IDC_MF_MODE2 = 1179, IDC_MF_MODE3 = 1180,
  IDC_MF_UPPER1 = 1149, IDC_MF_UPPER2 = 1152, IDC_MF_UPPER3 = 1156,
  IDC_MF_UPPER_HINT1 = 1212, IDC_MF_UPPER_HINT2 = 1222, IDC_MF_UPPER_HINT3 = 1216,
  IDC_MF_UPPER_WORD1 = 1207, IDC_MF_UPPER_WORD2 = 1208, IDC_MF_UPPER_WORD3 = 1219,
  IDC_MF_LOWER1 = 1150, IDC_MF_LOWER2 = 1155, IDC_MF_LOWER3 = 1157,
  IDC_MF_LOWER_HINT1 = 1213, IDC_MF_LOWER_HINT2 = 1217, IDC_MF_LOWER_HINT3 = 1223,
  IDC_MF_LOWER_WORD1 = 1206, IDC_MF_LOWER_WORD2 = 1215, IDC_MF_LOWER_WORD3 = 1220,
  IDC_MF_STYLE_BOX = 1225, IDC_MF_REMOVE = 1204, IDC_MF_ADD = 1205,
  IDC_MF_ADD_TEXT = 1228, IDC_MF_REMOVE_TEXT = 1229, IDC_MF_NOTE = 1210,
  IDC_MF_RESET = 1084, IDC_MF_COUNT_LABEL = 1251, IDC_MF_COUNT = 1231,
  IDC_MF_ROWS_LABEL = 1252, IDC_MF_ROWS = 1221, IDC_MF_MESSAGE = 1232,
  IDC_MF_CONFIRM_NOTE = 1308, IDC_MF_NARROW = 3, IDC_MF_SKIP = 1280,
};

// One field's column of controls, x the column's left edge.
#define TABRO_MF_FIELD(n, x, label, labelFlags)                                              \
  {CtlKind::Static, IDC_MF_FIELD_LABEL##n, label, x, 8, 138, 8, labelFlags},                                \
      {CtlKind::ComboDropList, IDC_MF_FIELD_COMBO##n, nullptr, x, 20, 138, 160, tpl::kHidden | tpl::kVScroll}, \
      {CtlKind::Edit, IDC_MF_NAME##n, nullptr, x, 20, 138, 14, tpl::kHidden | tpl::kReadOnly},              \
      {CtlKind::CheckListBox, IDC_MF_LIST##n, nullptr, x, 40, 138, 150, tpl::kHidden | tpl::kVScroll},      \
      {CtlKind::Static, IDC_MF_COND##n, u"日付条件", x, 42, 60, 8},                                          \
      {CtlKind::ComboDropList, IDC_MF_MODE##n, nullptr, x + 62, 40, 76, 80, tpl::kHidden},                  \
      {CtlKind::Edit, IDC_MF_UPPER##n, nullptr, x, 60, 100, 14, tpl::kHidden},                              \
      {CtlKind::Static, IDC_MF_UPPER_WORD##n, u"から", x + 104, 63, 34, 8},                                   \
      {CtlKind::Static, IDC_MF_UPPER_HINT##n, u"2024/1/20 の様に", x, 76, 138, 8, tpl::kHidden},            \
      {CtlKind::Edit, IDC_MF_LOWER##n, nullptr, x, 92, 100, 14, tpl::kHidden},                              \
      {CtlKind::Static, IDC_MF_LOWER_WORD##n, u"まで", x + 104, 95, 34, 8},                                   \
      {CtlKind::Static, IDC_MF_LOWER_HINT##n, u"2024/1/20 の様に", x, 108, 138, 8, tpl::kHidden}

inline constexpr ControlTemplate kMainFilterControls[] = {
    TABRO_MF_FIELD(1, 8, u"第１フィルタ項目", 0),
    TABRO_MF_FIELD(2, 154, u"第２フィルタ項目", tpl::kHidden),
    TABRO_MF_FIELD(3, 300, u"第３フィルタ項目", tpl::kHidden),
    {CtlKind::Edit, IDC_MF_MESSAGE, nullptr, 8, 20, 430, 100,
     tpl::kHidden | tpl::kMultiline | tpl::kReadOnly},
    {CtlKind::Static, IDC_MF_NOTE,
     u"※上位（第１フィルタ項目）から順に選択してください。\n※フィルタ項目は重複しないように選択してください。", 8,
     196, 250, 18, tpl::kMultiline},
    {CtlKind::GroupBox, IDC_MF_STYLE_BOX, u"チェックボックス選択方式", 8, 218, 250, 40},
    {CtlKind::Radio, IDC_MF_REMOVE, u"解除式", 16, 242, 50, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_MF_ADD, u"追加式", 16, 229, 50, 10},
    {CtlKind::Static, IDC_MF_ADD_TEXT, u"絞り込みたい項目を選択", 70, 230, 180, 8},
    {CtlKind::Static, IDC_MF_REMOVE_TEXT, u"不要な項目の選択を解除", 70, 243, 180, 8},
    {CtlKind::Static, IDC_MF_COUNT_LABEL, u"該当データ数", 8, 266, 50, 8},
    {CtlKind::Static, IDC_MF_COUNT, nullptr, 60, 266, 250, 8},
    {CtlKind::Static, IDC_MF_ROWS_LABEL, u"明細行数", 270, 202, 50, 8},
    {CtlKind::Edit, IDC_MF_ROWS, nullptr, 322, 200, 50, 12, tpl::kReadOnly},
    {CtlKind::PushButton, IDC_MF_RESET, u"初期化", 270, 236, 50, 16},
    {CtlKind::Static, IDC_MF_CONFIRM_NOTE, u"確認モードでは変更を受け付けられません", 270, 255, 170, 8},
    {CtlKind::PushButton, IDC_MF_NARROW, u"更に絞り込み", 150, 282, 60, 16, tpl::kHidden},
    {CtlKind::PushButton, IDC_MF_SKIP, u"スキップ", 214, 282, 60, 16, tpl::kHidden},
    {CtlKind::DefPushButton, IDOK, u"フィルタ実行", 278, 282, 80, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 362, 282, 76, 16},
};
#undef TABRO_MF_FIELD
inline constexpr DialogTemplate kMainFilter{IDD_MAIN_FILTER, u"フィルタ", 448, 304, kMainFilterControls};
TABRO_REGISTER_DIALOG(kMainFilter);
}  // namespace res
