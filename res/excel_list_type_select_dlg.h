#pragma once
// Dialog 267: the grouping of an Excel list sent at once by a Shift start.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int { IDD_EXCEL_LIST_TYPE_SELECT_DLG = 267, IDC_LISTTYPE_GROUPED = 1185, IDC_LISTTYPE_UNGROUPED = 1186 };

inline constexpr ControlTemplate kExcelListTypeSelectDlgControls[] = {
    // kind                 id             text                                          x   y    cx  cy  flags
    {CtlKind::Static, IDC_STATIC, u"グルーピング（データのまとめ）を選択します", 14, 12, 200, 10},
    {CtlKind::PushButton, IDC_LISTTYPE_GROUPED, u"まとめ表示する", 14, 30, 98, 34},
    {CtlKind::PushButton, IDC_LISTTYPE_UNGROUPED, u"まとめ表示しない", 120, 30, 98, 34},
    {CtlKind::DefPushButton, IDOK, u"OK", 114, 74, 50, 14, tpl::kHidden},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 168, 74, 50, 14, tpl::kHidden},
};
inline constexpr DialogTemplate kExcelListTypeSelectDlg{IDD_EXCEL_LIST_TYPE_SELECT_DLG,
                                                        u"タブロコネクト　Excelリスト出力形式選択", 232, 76,
                                                        kExcelListTypeSelectDlgControls};
TABRO_REGISTER_DIALOG(kExcelListTypeSelectDlg);
}  // namespace res
