#pragma once
// Dialog 270: choosing a stored reusable job for the current input.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_OVERLAP_LIST = 270,
  IDC_OVERLAP_CSVNAME = 1204,
  IDC_OVERLAP_LIST = 1205,
  IDC_OVERLAP_NEW = 1314,
  IDC_OVERLAP_OK = 1319,
};

inline constexpr ControlTemplate kOverlapListControls[] = {
    // kind                 id                  text                 x    y    cx   cy  flags
    {CtlKind::GroupBox, IDC_STATIC, u"CSVファイル名", 8, 6, 434, 26},
    {CtlKind::Static, IDC_OVERLAP_CSVNAME, u"", 16, 17, 418, 10, tpl::kNoPrefix},
    {CtlKind::ListView, IDC_OVERLAP_LIST, nullptr, 8, 38, 434, 120,
     tpl::kSingleSel | tpl::kShowSelAlways | tpl::kNoSortHeader | tpl::kBorder},
    {CtlKind::Static, IDC_STATIC,
     u"※使用するジョブをダブルクリックしてください。\n※新しいジョブを作成する場合は、\n　「新規作成」ボタンを押してください。",
     8, 164, 250, 30, tpl::kMultiline},
    {CtlKind::PushButton, IDC_OVERLAP_OK, u"OK", 276, 176, 52, 16},
    {CtlKind::PushButton, IDC_OVERLAP_NEW, u"新規作成", 332, 176, 52, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 388, 176, 54, 16},
    {CtlKind::DefPushButton, IDOK, u"OK", 276, 176, 52, 16, tpl::kHidden},
};
inline constexpr DialogTemplate kOverlapList{IDD_OVERLAP_LIST, u"再利用ジョブ選択", 450, 200, kOverlapListControls};
TABRO_REGISTER_DIALOG(kOverlapList);
}  // namespace res
