#pragma once
// Dialog 143 "ユーザー設定".
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_USER_SETTING = 143,
  IDC_US_WATCH_ON = 1105,
  IDC_US_WATCH_OFF = 1106,
  IDC_US_WATCH_BROWSE = 1109,
  IDC_US_WATCH_FOLDER = 1110,
  IDC_US_OUT_FOLDER = 1111,
  IDC_US_OUT_BROWSE = 1112,
  IDC_US_OUT_COMBO = 1117,
  IDC_US_START_BASIC = 1128,
  IDC_US_START_CSV = 1129,
  IDC_US_START_DETAIL = 1130,
  IDC_US_SERVER_CONNECT = 1157,
  IDC_US_REUSE = 1162,
  IDC_US_CLEAR_REUSE = 1177,
  IDC_US_NAME_COMBO = 1178,
  IDC_US_SHIFT_GROUPED = 1180,
  IDC_US_SHIFT_UNGROUPED = 1181,
  IDC_US_SHIFT_ASK = 1182,
  IDC_US_TYPE_A4 = 1187,
  IDC_US_TYPE_TABLE = 1188,
  IDC_US_HELP = 57670,
};

inline constexpr ControlTemplate kUserSettingControls[] = {
    {CtlKind::GroupBox, IDC_STATIC, u"初期起動画面設定", 7, 4, 170, 28},
    {CtlKind::Radio, IDC_US_START_BASIC, u"基本設定", 14, 16, 52, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_US_START_CSV, u"CSV編集", 68, 16, 50, 10},
    {CtlKind::Radio, IDC_US_START_DETAIL, u"詳細設定", 120, 16, 52, 10},
    {CtlKind::GroupBox, IDC_STATIC, u"出力タイプ", 182, 4, 187, 28},
    {CtlKind::Radio, IDC_US_TYPE_A4, u"用紙優先(A4)", 188, 16, 70, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_US_TYPE_TABLE, u"書式優先（集計表）", 262, 16, 98, 10},
    {CtlKind::GroupBox, IDC_STATIC, u"出力ドキュメント", 7, 36, 362, 50},
    {CtlKind::ComboDropList, IDC_US_OUT_COMBO, nullptr, 14, 48, 344, 80, tpl::kGroup},
    {CtlKind::Edit, IDC_US_OUT_FOLDER, nullptr, 14, 66, 324, 13},
    {CtlKind::PushButton, IDC_US_OUT_BROWSE, u"：", 342, 66, 16, 13},
    {CtlKind::Static, IDC_STATIC, u"出力ファイル名", 14, 94, 60, 10},
    {CtlKind::ComboDropList, IDC_US_NAME_COMBO, nullptr, 76, 92, 110, 60},
    {CtlKind::GroupBox, IDC_STATIC, u"監視フォルダ", 7, 110, 362, 58},
    {CtlKind::Radio, IDC_US_WATCH_OFF, u"無効", 14, 122, 40, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_US_WATCH_ON, u"有効", 56, 122, 40, 10},
    {CtlKind::Edit, IDC_US_WATCH_FOLDER, nullptr, 14, 136, 324, 13, tpl::kGroup},
    {CtlKind::PushButton, IDC_US_WATCH_BROWSE, u"：", 342, 136, 16, 13},
    {CtlKind::Static, IDC_STATIC, u"【禁則事項】CSV監視フォルダは他のアプリケーションで使用しない場所を指定してください",
     14, 153, 344, 10},
    {CtlKind::GroupBox, IDC_STATIC,
     u"設定条件の保存機能（読み込んだCSVファイル名が同じ場合、前回設定した条件を有効にする。）", 7, 172, 362, 28},
    {CtlKind::CheckBox, IDC_US_REUSE, u"有効にする", 14, 184, 60, 10},
    {CtlKind::PushButton, IDC_US_CLEAR_REUSE, u"保存情報クリア", 288, 182, 70, 14},
    {CtlKind::CheckBox, IDC_US_SERVER_CONNECT, u"検証サーバーへ接続する", 90, 184, 110, 10, tpl::kHidden},
    {CtlKind::GroupBox, IDC_STATIC, u"Shiftキーを押しながら、Excel分析用リスト", 7, 204, 362, 28},
    {CtlKind::Radio, IDC_US_SHIFT_GROUPED, u"まとめ表示をする", 14, 216, 80, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_US_SHIFT_UNGROUPED, u"まとめ表示しない", 100, 216, 80, 10},
    {CtlKind::Radio, IDC_US_SHIFT_ASK, u"出力時選択", 186, 216, 70, 10},
    {CtlKind::PushButton, IDC_US_HELP, u"ヘルプ(&H)", 7, 240, 60, 16, tpl::kGroup},
    {CtlKind::DefPushButton, IDOK, u"OK", 245, 240, 60, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 309, 240, 60, 16},
};
inline constexpr DialogTemplate kUserSettingDlg{IDD_USER_SETTING, u"ユーザー設定", 376, 262, kUserSettingControls};
TABRO_REGISTER_DIALOG(kUserSettingDlg);
}  // namespace res
