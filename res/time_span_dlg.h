#pragma once
// Dialog 266: minutes left out of a new time difference.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int { IDD_TIME_SPAN_DLG = 266, IDC_TIMESPAN_MINUTES = 1151 };

inline constexpr ControlTemplate kTimeSpanDlgControls[] = {
    // kind              id                     text                                                   x   y   cx  cy  flags
    {CtlKind::Static, IDC_STATIC, u"時間差の結果から、\n省きたい時間を入力してください。(休憩時間等)", 10, 8, 190, 18},
    {CtlKind::Edit, IDC_TIMESPAN_MINUTES, nullptr, 10, 32, 60, 14, tpl::kNumber},
    {CtlKind::Static, IDC_STATIC, u"分", 74, 35, 16, 8},
    {CtlKind::DefPushButton, IDOK, u"OK", 96, 56, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 150, 56, 50, 14},
};
inline constexpr DialogTemplate kTimeSpanDlg{IDD_TIME_SPAN_DLG, u"時間差設定", 210, 78, kTimeSpanDlgControls};
TABRO_REGISTER_DIALOG(kTimeSpanDlg);
}  // namespace res
