#pragma once
// Dialog 132: the colour rule of one column of the CSV edit page.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_COLOR_DLG = 132,
  IDC_COLOR_COLUMN = 1073,
  IDC_COLOR_OPERATOR = 1070,
  IDC_COLOR_VALUE = 1687,
  IDC_COLOR_ACTION = 1165,
  IDC_COLOR_COLOUR = 1071,
  IDC_COLOR_RULE = 1069,
  IDC_COLOR_DELETE = 1074,
};

inline constexpr ControlTemplate kColorDlgControls[] = {
    // kind                    id                   text                         x    y   cx   cy  flags
    {CtlKind::Static, IDC_STATIC, u"該当条件の時　指定した選択列の色で文字を表示する", 10, 8, 230, 10},
    {CtlKind::Static, IDC_STATIC, u"選択列", 10, 26, 70, 10, tpl::kVCenter},
    {CtlKind::Edit, IDC_COLOR_COLUMN, nullptr, 84, 24, 150, 14, tpl::kReadOnly},
    {CtlKind::Static, IDC_STATIC, u"比較式", 10, 44, 70, 10, tpl::kVCenter},
    {CtlKind::ComboDropList, IDC_COLOR_OPERATOR, u"<\n<=\n=\n>\n>=\n!\nσ", 84, 42, 60, 100},
    {CtlKind::Static, IDC_STATIC, u"比較値（列、値）", 10, 62, 70, 10, tpl::kVCenter},
    {CtlKind::Edit, IDC_COLOR_VALUE, nullptr, 84, 60, 150, 14},
    {CtlKind::Static, IDC_STATIC, u"処理", 10, 80, 70, 10, tpl::kVCenter},
    {CtlKind::ComboDropList, IDC_COLOR_ACTION, u"文字\n塗潰\n一行塗潰", 84, 78, 80, 60},
    {CtlKind::Static, IDC_STATIC, u"結果の表示色", 10, 98, 70, 10, tpl::kVCenter},
    {CtlKind::ComboDropList, IDC_COLOR_COLOUR, u"赤\n青\n緑\n黄\n灰\nシアン\nマゼンタ", 84, 96, 80, 100},
    {CtlKind::Edit, IDC_COLOR_RULE, nullptr, 10, 116, 224, 28, tpl::kReadOnly | tpl::kMultiline},
    {CtlKind::PushButton, IDC_COLOR_DELETE, u"削除", 10, 152, 50, 16},
    {CtlKind::DefPushButton, IDOK, u"OK", 130, 152, 50, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 184, 152, 50, 16},
};
inline constexpr DialogTemplate kColorDlg{IDD_COLOR_DLG, u"色替え", 244, 176, kColorDlgControls};
TABRO_REGISTER_DIALOG(kColorDlg);
}  // namespace res
