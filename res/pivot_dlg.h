#pragma once
// Dialog 477: the aggregation tool; dialogs 273 and 303: grouping of a date or
// time level.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_PIVOT_DLG = 477,
  IDC_PV_SIMPLE = 1316, IDC_PV_CROSS = 1317, IDC_PV_GROUP_LIST = 1234,
  IDC_PV_SUM_RADIO = 1240, IDC_PV_COUNT_RADIO = 1241, IDC_PV_SUM_LIST = 1233, IDC_PV_COUNT_LIST = 1238,
  IDC_PV_ROW_SIDE = 1243, IDC_PV_COL_SIDE = 1244, IDC_PV_SUBTOTALS = 1304,
  IDC_PV_LEVEL1_CHECK = 1292, IDC_PV_LEVEL2_CHECK = 1295, IDC_PV_LEVEL3_CHECK = 1296,
  IDC_PV_LEVEL4_CHECK = 1297, IDC_PV_LEVEL5_CHECK = 1298,
  IDC_PV_LEVEL1_DAY = 1260, IDC_PV_LEVEL2_DAY = 1257, IDC_PV_LEVEL3_DAY = 1256,
  IDC_PV_LEVEL4_DAY = 1258, IDC_PV_LEVEL5_DAY = 1259,
  IDC_PV_SUM_STYLE = 1178, IDC_PV_SUM_STYLE_LABEL = 1307, IDC_PV_TOTAL = 1198, IDC_PV_TOTAL_LABEL = 1306,
  IDC_PV_CLEAR = 1311, IDC_PV_SHOW_CSV = 1242, IDC_PV_STEPS = 1310, IDC_PV_STEPS_TEXT = 1288,
  IDC_PV_SKIP = 1280, IDC_PV_VIEW_NOTE = 1308, IDC_PV_VIEW_MARK = 1309, IDC_PV_VIEW_FRAME = 1318,
  IDC_PV_LAYOUT_TEXT = 1286, IDC_PV_ROW_PREVIEW = 1239, IDC_PV_VALUE_PREVIEW = 1235,
  IDC_PV_LEVEL4_NAME = 1151, IDC_PV_LEVEL5_NAME = 1152, IDC_PV_LEVEL4_TEXT = 1247, IDC_PV_LEVEL5_TEXT = 1249,
  IDC_PV_COL_CAPTION = 1245, IDC_PV_ROW_CAPTION = 1248, IDC_PV_ROW_BOX = 1313, IDC_PV_COL_BOX = 1246,
  IDC_PV_PIC_X1Y1 = 1287, IDC_PV_PIC_X2Y1 = 1290, IDC_PV_PIC_X3Y1 = 1299,
  IDC_PV_PIC_X1Y2 = 1291, IDC_PV_PIC_X1Y3 = 1294, IDC_PV_PIC_X2Y2 = 1293,
  IDC_PV_GROUP_BOX = 1400, IDC_PV_VALUE_BOX = 1401, IDC_PV_GROUP_HEAD = 1402, IDC_PV_VALUE_HEAD = 1403,

  IDD_GROP_DATE = 273, IDC_GD_NONE = 1250, IDC_GD_YEAR = 1256, IDC_GD_HALF = 1249, IDC_GD_QUARTER = 1255,
  IDC_GD_MONTH = 1254, IDC_GD_WEEKDAY = 1257, IDC_GD_FIRST_MONTH = 1151, IDC_GD_SPIN = 1305,
  IDD_GROP_TIME = 303, IDC_GT_NONE = 1315, IDC_GT_AMPM = 1316, IDC_GT_HOUR = 1317,
};

inline constexpr ControlTemplate kPivotDlgControls[] = {
    // kind                   id                      text                    x    y    cx   cy  flags
    {CtlKind::CheckBox, IDC_PV_SIMPLE, u"単純集計", 8, 4, 60, 18, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_PV_CROSS, u"クロス集計", 72, 4, 60, 18, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_PV_SUBTOTALS, u"計表示", 148, 4, 50, 18, tpl::kPushLike | tpl::kDisabled},
    {CtlKind::Static, IDC_PV_SUM_STYLE_LABEL, u"合計方法", 214, 9, 36, 8, tpl::kHidden},
    {CtlKind::ComboDropList, IDC_PV_SUM_STYLE, nullptr, 252, 6, 60, 60, tpl::kHidden},
    {CtlKind::PushButton, IDC_PV_CLEAR, u"設定クリア", 328, 4, 56, 18},
    {CtlKind::CheckBox, IDC_PV_STEPS, u"手順表示", 398, 4, 50, 18, tpl::kPushLike},
    {CtlKind::Static, IDC_PV_VIEW_NOTE, u"※確認モードでは変更を\n  受け付けられません。", 452, 2, 116, 18,
     tpl::kHidden | tpl::kMultiline},
    {CtlKind::Static, IDC_PV_VIEW_MARK, u"確認モード", 452, 22, 60, 8, tpl::kHidden},
    {CtlKind::Static, IDC_PV_VIEW_FRAME, nullptr, 452, 32, 112, 10},
    {CtlKind::Static, IDC_PV_STEPS_TEXT,
     u"１）単純 or  クロス集計を選択\n２）グループ列設定、値列設定\n３）必要なら計表示ボタンを押し、合計を設定", 270, 28,
     178, 28, tpl::kHidden | tpl::kMultiline},
    {CtlKind::Radio, IDC_PV_ROW_SIDE, u" 行\n 項\n 目", 2, 60, 26, 40, tpl::kGroup | tpl::kHidden | tpl::kMultiline},
    {CtlKind::Radio, IDC_PV_COL_SIDE, u" 列\n 項\n 目", 193, 60, 25, 40, tpl::kHidden | tpl::kMultiline},
    {CtlKind::GroupBox, IDC_PV_ROW_BOX, nullptr, 28, 56, 164, 150, tpl::kHidden | tpl::kGroup},
    {CtlKind::Static, IDC_PV_ROW_CAPTION, u"分類計　行グループ  (行表示)", 30, 62, 150, 8, tpl::kHidden},
    {CtlKind::ListView, IDC_PV_ROW_PREVIEW, nullptr, 30, 100, 160, 40, tpl::kNoSortHeader},
    {CtlKind::PushButton, IDC_PV_LEVEL3_DAY, u"日", 30, 146, 12, 12, tpl::kHidden},
    {CtlKind::CheckBox, IDC_PV_LEVEL3_CHECK, u"計表示", 43, 146, 39, 12, tpl::kHidden},
    {CtlKind::PushButton, IDC_PV_LEVEL2_DAY, u"日", 84, 146, 12, 12, tpl::kHidden},
    {CtlKind::CheckBox, IDC_PV_LEVEL2_CHECK, u"計表示", 97, 146, 39, 12, tpl::kHidden},
    {CtlKind::PushButton, IDC_PV_LEVEL1_DAY, u"日", 138, 146, 12, 12, tpl::kHidden},
    {CtlKind::CheckBox, IDC_PV_LEVEL1_CHECK, u"計表示", 151, 146, 39, 12, tpl::kHidden},
    {CtlKind::Static, IDC_PV_TOTAL_LABEL, u"総計表示 ", 30, 172, 40, 8, tpl::kHidden},
    {CtlKind::ComboDropList, IDC_PV_TOTAL, nullptr, 72, 170, 80, 80, tpl::kHidden},
    {CtlKind::GroupBox, IDC_PV_COL_BOX, nullptr, 218, 56, 346, 60, tpl::kHidden},
    {CtlKind::Static, IDC_PV_COL_CAPTION, u"分類計　列グループ  (列表示)", 222, 62, 150, 8, tpl::kHidden},
    {CtlKind::PushButton, IDC_PV_LEVEL5_DAY, u"日", 222, 76, 14, 12, tpl::kHidden},
    {CtlKind::Edit, IDC_PV_LEVEL5_NAME, nullptr, 240, 76, 90, 12, tpl::kHidden | tpl::kReadOnly},
    {CtlKind::Static, IDC_PV_LEVEL5_TEXT, nullptr, 334, 78, 170, 8, tpl::kHidden},
    {CtlKind::CheckBox, IDC_PV_LEVEL5_CHECK, u"計表示", 510, 76, 40, 12, tpl::kHidden},
    {CtlKind::PushButton, IDC_PV_LEVEL4_DAY, u"日", 222, 94, 14, 12, tpl::kHidden},
    {CtlKind::Edit, IDC_PV_LEVEL4_NAME, nullptr, 240, 94, 90, 12, tpl::kHidden | tpl::kReadOnly},
    {CtlKind::Static, IDC_PV_LEVEL4_TEXT, nullptr, 334, 96, 170, 8, tpl::kHidden},
    {CtlKind::CheckBox, IDC_PV_LEVEL4_CHECK, u"計表示", 510, 94, 40, 12, tpl::kHidden},
    {CtlKind::ListView, IDC_PV_VALUE_PREVIEW, nullptr, 218, 120, 346, 40, tpl::kNoSortHeader},
    {CtlKind::Static, IDC_STATIC, u"書式イメージ", 218, 168, 60, 8},
    {CtlKind::Picture, IDC_PV_PIC_X1Y1, u"283.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Picture, IDC_PV_PIC_X2Y1, u"282.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Picture, IDC_PV_PIC_X3Y1, u"285.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Picture, IDC_PV_PIC_X1Y2, u"281.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Picture, IDC_PV_PIC_X1Y3, u"278.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Picture, IDC_PV_PIC_X2Y2, u"280.png", 218, 180, 120, 60, tpl::kHidden | tpl::kBorder},
    {CtlKind::Static, IDC_STATIC, u"書式パターン", 350, 180, 60, 8},
    {CtlKind::Static, IDC_PV_LAYOUT_TEXT, nullptr, 350, 194, 80, 8},
    {CtlKind::Static, IDC_STATIC, u"＊集計項目数は仮です", 350, 208, 100, 8},
    {CtlKind::GroupBox, IDC_PV_GROUP_BOX, u"グループ項目  (小→中→大分類の順)", 8, 250, 200, 142},
    {CtlKind::Static, IDC_PV_GROUP_HEAD, u"項目", 16, 262, 60, 8},
    {CtlKind::CheckListBox, IDC_PV_GROUP_LIST, nullptr, 16, 274, 184, 110, tpl::kDisabled | tpl::kVScroll},
    {CtlKind::GroupBox, IDC_PV_VALUE_BOX, u"集計項目", 218, 250, 200, 142},
    {CtlKind::Radio, IDC_PV_SUM_RADIO, u"合計値集計", 226, 262, 60, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_PV_COUNT_RADIO, u"件数集計", 292, 262, 60, 10},
    {CtlKind::Static, IDC_PV_VALUE_HEAD, u" 集計項目", 226, 276, 60, 8, tpl::kGroup},
    {CtlKind::CheckListBox, IDC_PV_SUM_LIST, nullptr, 226, 286, 184, 98, tpl::kDisabled | tpl::kVScroll},
    {CtlKind::CheckListBox, IDC_PV_COUNT_LIST, nullptr, 226, 286, 184, 98,
     tpl::kDisabled | tpl::kHidden | tpl::kVScroll},
    {CtlKind::PushButton, IDC_PV_SHOW_CSV, u"CSVﾌｧｲﾙ表示", 8, 400, 70, 16},
    {CtlKind::PushButton, IDC_PV_SKIP, u"スキップ", 388, 400, 56, 16, tpl::kHidden},
    {CtlKind::DefPushButton, IDOK, u"OK", 448, 400, 56, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 508, 400, 56, 16},
};
inline constexpr DialogTemplate kPivotDlg{IDD_PIVOT_DLG, u"データ集計", 572, 423, kPivotDlgControls};
TABRO_REGISTER_DIALOG(kPivotDlg);

inline constexpr ControlTemplate kGropDateControls[] = {
    {CtlKind::GroupBox, IDC_STATIC, u"該当年、年度", 8, 6, 150, 96},
    {CtlKind::Radio, IDC_GD_NONE, u"ｸﾞﾙｰﾌﾟ化無し", 16, 18, 120, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_GD_YEAR, u"年度でグループ化", 16, 32, 120, 10},
    {CtlKind::Radio, IDC_GD_HALF, u"半期でグループ化", 16, 46, 120, 10},
    {CtlKind::Radio, IDC_GD_QUARTER, u"四半期でグループ化", 16, 60, 120, 10},
    {CtlKind::Radio, IDC_GD_MONTH, u"月でグループ化", 16, 74, 120, 10},
    {CtlKind::Radio, IDC_GD_WEEKDAY, u"曜日でグループ化", 16, 88, 120, 10},
    {CtlKind::Static, IDC_STATIC, u"年度最初の月", 16, 112, 60, 8, tpl::kGroup},
    {CtlKind::Edit, IDC_GD_FIRST_MONTH, nullptr, 80, 110, 30, 12, tpl::kNumber},
    {CtlKind::Spin, IDC_GD_SPIN, nullptr, 112, 110, 10, 12},
    {CtlKind::DefPushButton, IDOK, u"OK", 40, 132, 50, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 96, 132, 50, 16},
};
inline constexpr DialogTemplate kGropDate{IDD_GROP_DATE, u"日付のグループ化", 166, 156, kGropDateControls};
TABRO_REGISTER_DIALOG(kGropDate);

inline constexpr ControlTemplate kGropTimeControls[] = {
    {CtlKind::Radio, IDC_GT_NONE, u"グループ化無し", 16, 12, 120, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_GT_AMPM, u"午前、午後グループ", 16, 28, 120, 10},
    {CtlKind::Radio, IDC_GT_HOUR, u"時刻グループ", 16, 44, 120, 10},
    {CtlKind::DefPushButton, IDOK, u"OK", 20, 64, 50, 16, tpl::kGroup},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 76, 64, 50, 16},
};
inline constexpr DialogTemplate kGropTime{IDD_GROP_TIME, u"時刻のグループ化", 140, 88, kGropTimeControls};
TABRO_REGISTER_DIALOG(kGropTime);
}  // namespace res
