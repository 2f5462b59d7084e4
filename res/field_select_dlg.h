#pragma once
// Dialog 134: which columns the CSV page shows, and in which order.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_FIELD_SELECT_DLG = 134,
  IDC_FIELDSEL_DELETE = 1021,
  IDC_FIELDSEL_ADD = 1022,
  IDC_FIELDSEL_UP = 1023,
  IDC_FIELDSEL_DOWN = 1024,
  IDC_FIELDSEL_USED = 1085,
  IDC_FIELDSEL_DELETED = 1086,
};

inline constexpr ControlTemplate kFieldSelectDlgControls[] = {
    // kind                id                    text            x    y    cx   cy
    {CtlKind::GroupBox, IDC_STATIC, u"使用データ列名", 7, 7, 124, 170},
    {CtlKind::ListBox, IDC_FIELDSEL_USED, nullptr, 14, 20, 110, 150, tpl::kVScroll},
    {CtlKind::PushButton, IDC_FIELDSEL_DELETE, u"→（削除）", 138, 44, 54, 16},
    {CtlKind::PushButton, IDC_FIELDSEL_ADD, u"←（選択）", 138, 66, 54, 16},
    {CtlKind::PushButton, IDC_FIELDSEL_UP, u"↑", 138, 104, 54, 16},
    {CtlKind::PushButton, IDC_FIELDSEL_DOWN, u"↓", 138, 126, 54, 16},
    {CtlKind::GroupBox, IDC_STATIC, u"削除データ列名", 199, 7, 124, 170},
    {CtlKind::ListBox, IDC_FIELDSEL_DELETED, nullptr, 206, 20, 110, 150, tpl::kVScroll},
    {CtlKind::DefPushButton, IDOK, u"OK", 219, 184, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 273, 184, 50, 14},
};
inline constexpr DialogTemplate kFieldSelectDlg{IDD_FIELD_SELECT_DLG, u"列選択", 330, 205, kFieldSelectDlgControls};
TABRO_REGISTER_DIALOG(kFieldSelectDlg);
}  // namespace res
