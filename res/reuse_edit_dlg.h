#pragma once
// Dialog 271: the reusable-job editor.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_REUSE_EDIT = 271,
  IDC_REUSEEDIT_NAME = 1151,
  IDC_REUSEEDIT_LOCK = 1162,
  IDC_REUSEEDIT_BYFILE = 1209,
  IDC_REUSEEDIT_BYCREATION = 1210,
  IDC_REUSEEDIT_LIST = 1207,
  IDC_REUSEEDIT_DELETE = 1074,
};

inline constexpr ControlTemplate kReuseEditControls[] = {
    // kind                 id                          text                x    y    cx   cy  flags
    {CtlKind::Static, IDC_STATIC, u"※下記のリストより、ジョブを選択してください。", 8, 8, 240, 10},
    {CtlKind::Static, IDC_STATIC, u"ジョブ名編集", 8, 24, 56, 10},
    {CtlKind::Edit, IDC_REUSEEDIT_NAME, u"", 66, 22, 170, 13, tpl::kDisabled},
    {CtlKind::CheckBox, IDC_REUSEEDIT_LOCK, u"編集不可にする", 246, 23, 80, 12, tpl::kDisabled},
    {CtlKind::Radio, IDC_REUSEEDIT_BYFILE, u"ファイル名順", 360, 23, 64, 12, tpl::kGroup},
    {CtlKind::Radio, IDC_REUSEEDIT_BYCREATION, u"作成順", 428, 23, 48, 12},
    {CtlKind::ListView, IDC_REUSEEDIT_LIST, nullptr, 8, 40, 520, 170,
     tpl::kSingleSel | tpl::kShowSelAlways | tpl::kNoSortHeader | tpl::kBorder | tpl::kGroup},
    {CtlKind::PushButton, IDC_REUSEEDIT_DELETE, u"行削除", 8, 216, 50, 14, tpl::kDisabled},
    {CtlKind::DefPushButton, IDOK, u"OK", 422, 216, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 478, 216, 50, 14},
};
inline constexpr DialogTemplate kReuseEdit{IDD_REUSE_EDIT, u"再利用ジョブ編集", 536, 238, kReuseEditControls};
TABRO_REGISTER_DIALOG(kReuseEdit);
}  // namespace res
