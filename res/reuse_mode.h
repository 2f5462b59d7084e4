#pragma once
// Dialog 269: whether a run is kept as a reusable job.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_REUSE_MODE = 269,
  IDC_REUSEMODE_OVERWRITE = 1199,
  IDC_REUSEMODE_NEW = 1200,
  IDC_REUSEMODE_NONE = 1201,
  IDC_REUSEMODE_NEWNAME = 1151,
  IDC_REUSEMODE_CURNAME = 1152,
  IDC_REUSEMODE_NEWLABEL = 1206,
  IDC_REUSEMODE_CURLABEL = 1207,
  IDC_REUSEMODE_NAMES = 1211,
};

inline constexpr ControlTemplate kReuseModeControls[] = {
    // kind                 id                        text                   x    y   cx   cy  flags
    {CtlKind::Radio, IDC_REUSEMODE_OVERWRITE, u"上書き", 12, 10, 60, 12, tpl::kGroup},
    {CtlKind::Radio, IDC_REUSEMODE_NEW, u"新規作成", 12, 44, 60, 12},
    {CtlKind::Radio, IDC_REUSEMODE_NONE, u"登録しない", 12, 90, 70, 16, tpl::kPushLike},
    {CtlKind::Static, IDC_REUSEMODE_CURLABEL, u"上書き先ジョブ名", 24, 25, 70, 10},
    {CtlKind::Edit, IDC_REUSEMODE_CURNAME, u"", 96, 23, 170, 13, tpl::kReadOnly},
    {CtlKind::Static, IDC_REUSEMODE_NEWLABEL, u"新規ジョブ名", 24, 60, 70, 10},
    {CtlKind::Edit, IDC_REUSEMODE_NEWNAME, u"", 96, 58, 170, 13},
    {CtlKind::PushButton, IDC_REUSEMODE_NAMES, u"使用中ジョブ名一覧", 180, 74, 86, 14},
    {CtlKind::DefPushButton, IDOK, u"OK", 160, 94, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 216, 94, 50, 14},
};
inline constexpr DialogTemplate kReuseMode{IDD_REUSE_MODE, u"ジョブ保存画面", 278, 116, kReuseModeControls};
TABRO_REGISTER_DIALOG(kReuseMode);
}  // namespace res
