#pragma once
// Dialog 476: the join editor. Its four column lists are made at run time; the
// template holds the button row along the bottom.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_ADDCSV_VIEW = 476,
  IDC_ADDCSV_DELETE = 1074,
  IDC_ADDCSV_ADD = 1183,
  IDC_ADDCSV_CLOSE = 1194,
  IDC_ADDCSV_CLEAR = 1195,
  IDC_ADDCSV_SHOWFILE = 1201,
  IDC_ADDCSV_SKIP = 1280,
  IDC_ADDCSV_NOTSAVED = 1309,
  IDC_ADDCSV_SERIAL = 1312,
  IDC_ADDCSV_UNDO = 1321,
  IDC_ADDCSV_LIST0 = 900,   // lists 0 to 3: 900 to 903
};

inline constexpr ControlTemplate kAddcsvViewControls[] = {
    // kind                  id                   text                          x    y    cx  cy  flags
    {CtlKind::PushButton, IDC_ADDCSV_ADD, u"CSV追加", 8, 222, 50, 14},
    {CtlKind::PushButton, IDC_ADDCSV_DELETE, u"追加CSV削除", 62, 222, 58, 14},
    {CtlKind::PushButton, IDC_ADDCSV_CLEAR, u"繋ぎクリア", 124, 222, 52, 14},
    {CtlKind::PushButton, IDC_ADDCSV_UNDO, u"元に戻す", 180, 222, 48, 14},
    {CtlKind::CheckBox, IDC_ADDCSV_SERIAL, u"直列接続", 236, 224, 50, 10},
    {CtlKind::PushButton, IDC_ADDCSV_SHOWFILE, u"CSVファイル表示", 292, 222, 70, 14},
    {CtlKind::Static, IDC_ADDCSV_NOTSAVED, u"変更しても保存されません", 292, 225, 110, 10, tpl::kHidden},
    {CtlKind::PushButton, IDC_ADDCSV_SKIP, u"スキップ", 406, 222, 50, 14, tpl::kHidden},
    {CtlKind::DefPushButton, IDOK, u"実行", 460, 222, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 514, 222, 56, 14},
    {CtlKind::PushButton, IDC_ADDCSV_CLOSE, u"閉じる", 460, 222, 50, 14, tpl::kHidden},
};
inline constexpr DialogTemplate kAddcsvView{IDD_ADDCSV_VIEW, u"追加CSVファイル", 580, 242, kAddcsvViewControls};
TABRO_REGISTER_DIALOG(kAddcsvView);
}  // namespace res
