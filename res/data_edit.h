#pragma once
// Dialog 274: which data-edit tools run, and in which order.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_DATA_EDIT = 274,
  IDC_TOOL_ADDCSV = 1163,
  IDC_TOOL_PIVOT = 1164,
  IDC_TOOL_FILTER = 1162,
  IDC_TOOL_SORT = 1165,
  IDC_TOOL_MACRO = 1166,
  IDC_ORDER_SLOT1 = 1251,
  IDC_ORDER_SLOT2 = 1252,
  IDC_ORDER_SLOT3 = 1253,
  IDC_ORDER_SLOT4 = 1254,
  IDC_ORDER_SLOT5 = 1259,
  IDC_NEXT_CHECK1 = 1255,
  IDC_NEXT_CHECK2 = 1256,
  IDC_NEXT_CHECK3 = 1257,
  IDC_NEXT_CHECK4 = 1258,
  IDC_NEXT_CHECK5 = 1260,
  IDC_ROW_COUNT = 1313,
  IDC_ORDER_TITLE = 1314,
  IDC_NEXT_TITLE = 1315,
};

inline constexpr ControlTemplate kDataEditControls[] = {
    // kind                    id                 text                             x    y    cx  cy  flags
    {CtlKind::Static, IDC_STATIC, u"処理したい順番に選択してください。", 8, 2, 146, 9},
    {CtlKind::Static, IDC_ORDER_TITLE, u" 処理順", 21, 26, 50, 10},
    {CtlKind::Static, IDC_NEXT_TITLE, u"        次回\n設定画面起動", 76, 22, 70, 17, tpl::kMultiline},
    {CtlKind::PushButton, IDC_ORDER_SLOT1, nullptr, 21, 40, 73, 21},
    {CtlKind::CheckBox, IDC_NEXT_CHECK1, u"次回\n設定画面起動", 113, 40, 62, 21, tpl::kHidden | tpl::kMultiline},
    {CtlKind::PushButton, IDC_ORDER_SLOT2, nullptr, 21, 75, 73, 21},
    {CtlKind::CheckBox, IDC_NEXT_CHECK2, u"次回\n設定画面起動", 113, 75, 62, 21, tpl::kHidden | tpl::kMultiline},
    {CtlKind::PushButton, IDC_ORDER_SLOT3, nullptr, 21, 110, 73, 21},
    {CtlKind::CheckBox, IDC_NEXT_CHECK3, u"次回\n設定画面起動", 113, 110, 62, 21, tpl::kHidden | tpl::kMultiline},
    {CtlKind::PushButton, IDC_ORDER_SLOT4, nullptr, 21, 145, 73, 21},
    {CtlKind::CheckBox, IDC_NEXT_CHECK4, u"次回\n設定画面起動", 113, 145, 62, 21, tpl::kHidden | tpl::kMultiline},
    {CtlKind::PushButton, IDC_ORDER_SLOT5, nullptr, 21, 179, 73, 21},
    {CtlKind::CheckBox, IDC_NEXT_CHECK5, u"次回\n設定画面起動", 113, 179, 62, 21, tpl::kHidden | tpl::kMultiline},
    {CtlKind::CheckBox, IDC_TOOL_PIVOT, u"データ積算", 196, 42, 82, 17, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_TOOL_ADDCSV, u"追加CSVファイル", 196, 62, 82, 17, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_TOOL_MACRO, u"マクロでデータ作成", 196, 82, 82, 17, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_TOOL_FILTER, u"フィルタ", 196, 102, 82, 17, tpl::kPushLike},
    {CtlKind::CheckBox, IDC_TOOL_SORT, u"ソート", 196, 122, 82, 17, tpl::kPushLike},
    {CtlKind::Static, IDC_STATIC, u"※解除方法\n 解除したい項目ボタンをクリック", 156, 0, 124, 18, tpl::kMultiline},
    {CtlKind::Static, IDC_ROW_COUNT, nullptr, 182, 178, 98, 40, tpl::kMultiline},
    {CtlKind::DefPushButton, IDOK, u"実行", 168, 220, 52, 16, tpl::kDisabled},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 224, 220, 52, 16},
};
inline constexpr DialogTemplate kDataEdit{IDD_DATA_EDIT, u"データ加工・集計ツール選択画面", 282, 245,
                                          kDataEditControls};
TABRO_REGISTER_DIALOG(kDataEdit);
}  // namespace res
