#pragma once
// Dialog 473: the detailed settings page of the job settings sheet.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_COMMAND_PROP_PAGE = 473,
  IDC_CMD_AUTO = 2015,
  IDC_CMD_TABLE_A3 = 2025,
  IDC_CMD_TABLE = 2016,
  IDC_CMD_LIST = 2017,
  IDC_CMD_LABEL = 2018,
  IDC_CMD_SINGLE = 1093,
  IDC_CMD_PORTRAIT = 1162,
  IDC_CMD_TAB = 1023,
  IDC_CMD_UPPER_PANE = 1136,
  IDC_CMD_LOWER_PANE = 1137,
};

inline constexpr ControlTemplate kCommandPropPageControls[] = {
    // kind              id                  text                          x    y    cx   cy  flags
    {CtlKind::GroupBox, IDC_STATIC, u"作成タイプ", 7, 4, 150, 100},
    {CtlKind::Radio, IDC_CMD_AUTO, u"自動判別（A4用紙で出力）", 14, 16, 140, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_CMD_TABLE_A3, u"集計表(用紙サイズA3まで)", 14, 30, 140, 10},
    {CtlKind::Radio, IDC_CMD_TABLE, u"集計表", 14, 44, 140, 10},
    {CtlKind::Radio, IDC_CMD_LIST, u"一覧", 14, 58, 140, 10},
    {CtlKind::Radio, IDC_CMD_LABEL, u"ラベル", 14, 72, 140, 10},
    {CtlKind::Radio, IDC_CMD_SINGLE, u"単票", 14, 86, 140, 10},
    {CtlKind::Picture, IDC_CMD_UPPER_PANE, nullptr, 164, 8, 509, 80},
    {CtlKind::CheckBox, IDC_CMD_PORTRAIT, u"縦向きで出力", 164, 94, 100, 10, tpl::kGroup},
    {CtlKind::TabCtrl, IDC_CMD_TAB, nullptr, 7, 110, 350, 214},
    {CtlKind::Picture, IDC_CMD_LOWER_PANE, nullptr, 364, 124, 309, 150},
};
inline constexpr DialogTemplate kCommandPropPage{IDD_COMMAND_PROP_PAGE, u"カスタマイズ2(詳細設定)", 680, 330,
                                                 kCommandPropPageControls, tpl::kChild};
TABRO_REGISTER_DIALOG(kCommandPropPage);
}  // namespace res
