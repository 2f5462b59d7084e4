#pragma once
// Dialog 475: the title of data pasted from the clipboard.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int { IDD_NAME_DLG = 475, IDC_NAMEDLG_NAME = 1106 };

inline constexpr ControlTemplate kNameDlgControls[] = {
    // kind                    id             text               x   y   cx  cy  flags
    {CtlKind::Static, IDC_STATIC, u"帳票タイトル名", 10, 14, 56, 10, tpl::kVCenter},
    {CtlKind::Edit, IDC_NAMEDLG_NAME, nullptr, 70, 12, 150, 14},
    {CtlKind::DefPushButton, IDOK, u"OK", 116, 38, 50, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 170, 38, 50, 16},
};
inline constexpr DialogTemplate kNameDlg{IDD_NAME_DLG, u"CSVファイル名設定", 232, 64, kNameDlgControls};
TABRO_REGISTER_DIALOG(kNameDlg);
}  // namespace res
