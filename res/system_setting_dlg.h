#pragma once
// Dialog 137 "csvTabroシステム設定".
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_SYSTEM_SETTING = 137,
  IDC_SS_SERVER = 1108,
  IDC_SS_ONPREMISES = 1114,
  IDC_SS_SITE = 1123,
  IDC_SS_PROXY = 1146,
  IDC_SS_TIMEOUT = 1149,
  IDC_SS_MODE_GROUP = 1199,
  IDC_SS_HELP = 57670,
};

inline constexpr ControlTemplate kSystemSettingControls[] = {
    {CtlKind::GroupBox, IDC_SS_MODE_GROUP, u"処理方法", 7, 4, 246, 46},
    {CtlKind::Radio, IDC_SS_SITE, u"csvTabroサイト", 14, 16, 80, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_SS_ONPREMISES, u"オンプレ", 14, 32, 50, 10},
    {CtlKind::Edit, IDC_SS_SERVER, nullptr, 68, 30, 178, 13, tpl::kGroup},
    {CtlKind::Static, IDC_STATIC, u"プロキシ設定", 14, 58, 54, 10},
    {CtlKind::ComboDropList, IDC_SS_PROXY, nullptr, 70, 56, 176, 80},
    {CtlKind::Static, IDC_STATIC, u"タイムアウト時間", 14, 78, 66, 10},
    {CtlKind::Edit, IDC_SS_TIMEOUT, nullptr, 82, 76, 40, 13, tpl::kNumber},
    {CtlKind::Static, IDC_STATIC, u"秒", 126, 78, 14, 10},
    {CtlKind::PushButton, IDC_SS_HELP, u"ヘルプ(&H)", 7, 100, 60, 16},
    {CtlKind::DefPushButton, IDOK, u"OK", 129, 100, 60, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 193, 100, 60, 16},
};
inline constexpr DialogTemplate kSystemSettingDlg{IDD_SYSTEM_SETTING, u"csvTabroシステム設定", 260, 122,
                                                  kSystemSettingControls};
TABRO_REGISTER_DIALOG(kSystemSettingDlg);
}  // namespace res
