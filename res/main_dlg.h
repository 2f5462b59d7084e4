#pragma once
// Dialog 102, the main window; dialog 100, the About box; menu 290, the
// settings menu of the menu button.
#include "platform/ui/dialog_template.h"
#include "platform/ui/menu.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_TABROCLIENT_DIALOG = 102,
  IDD_ABOUTBOX = 100,
  IDR_SETTINGS_MENU = 290,
  IDC_MAIN_SELECT_FILE = 1065,
  IDC_MAIN_DROP_ZONE = 1066,
  IDC_MAIN_LAUNCH = 1075,
  IDC_MAIN_SYSTEM_SETTINGS = 1115,
  IDC_MAIN_FROM_CLIPBOARD = 1118,
  IDC_MAIN_USER_SETTINGS = 1131,
  IDC_MAIN_EDIT_REUSE = 1208,
  IDC_MAIN_SETTINGS_MENU = 1310,
  IDC_MAIN_UNUSED1 = 1024,
  IDC_MAIN_UNUSED2 = 1127,
  IDC_MAIN_UNUSED3 = 1162,
  IDC_MAIN_UNUSED4 = 1250,
  IDC_MAIN_HELP = 57670,
  IDC_ABOUT_VERSION = 1176,
  ID_MENU_SYSTEM_SETTINGS = 32784,
  ID_MENU_USER_SETTINGS = 32785,
  ID_MENU_UNUSED = 32786,
  IDM_ABOUTBOX = 16,
  IDS_ABOUTBOX = 101,
  IDT_COMMAND_LINE_START = 105,
  IDI_APP_IMAGE = 128,
};

inline constexpr char16_t kDropZoneText[] = u"ここへCSVファイルをドロップ";
inline constexpr char16_t kAboutMenuText[] = u"バージョン情報 ";

inline constexpr ControlTemplate kMainDlgControls[] = {
    // kind                    id                        text                       x    y    cx   cy  flags
    {CtlKind::GroupBox, IDC_STATIC, nullptr, 8, 6, 224, 62},
    {CtlKind::Static, IDC_MAIN_DROP_ZONE, kDropZoneText, 14, 18, 212, 44,
     tpl::kCenter | tpl::kVCenter | tpl::kNoPrefix},
    {CtlKind::PushButton, IDC_MAIN_SELECT_FILE, u"ファイル選択", 8, 74, 70, 18},
    {CtlKind::PushButton, IDC_MAIN_FROM_CLIPBOARD, u"クリップボードから", 84, 74, 78, 18},
    {CtlKind::PushButton, IDC_MAIN_LAUNCH, u"起動", 168, 74, 64, 18, tpl::kHidden},
    {CtlKind::PushButton, IDC_MAIN_EDIT_REUSE, u"再利用ジョブ編集", 8, 98, 70, 18},
    {CtlKind::PushButton, IDC_MAIN_SETTINGS_MENU, u"     設定", 84, 98, 78, 18},
    {CtlKind::PushButton, IDC_MAIN_USER_SETTINGS, u"ユーザー設定", 84, 98, 78, 18, tpl::kHidden},
    {CtlKind::PushButton, IDC_MAIN_SYSTEM_SETTINGS, u"システム設定", 84, 98, 78, 18, tpl::kHidden},
    {CtlKind::PushButton, IDC_MAIN_HELP, u"ヘルプ(&H)", 8, 122, 70, 18},
    {CtlKind::PushButton, IDOK, u"終了", 162, 122, 70, 18},
    {CtlKind::Static, IDC_MAIN_UNUSED1, nullptr, 0, 0, 1, 1, tpl::kHidden},
    {CtlKind::Static, IDC_MAIN_UNUSED2, nullptr, 0, 0, 1, 1, tpl::kHidden},
    {CtlKind::Static, IDC_MAIN_UNUSED3, nullptr, 0, 0, 1, 1, tpl::kHidden},
    {CtlKind::Static, IDC_MAIN_UNUSED4, nullptr, 0, 0, 1, 1, tpl::kHidden},
};
inline constexpr DialogTemplate kMainDlg{IDD_TABROCLIENT_DIALOG, kAppCaption, 240, 148, kMainDlgControls,
                                         tpl::kMinimizeBox};
TABRO_REGISTER_DIALOG(kMainDlg);

inline constexpr ControlTemplate kAboutDlgControls[] = {
    {CtlKind::Static, IDC_STATIC, u"タブロコネクト  Version", 14, 14, 110, 10, tpl::kNoPrefix},
    {CtlKind::Static, IDC_ABOUT_VERSION, nullptr, 126, 14, 60, 10, tpl::kNoPrefix},
    {CtlKind::DefPushButton, IDOK, u"OK", 136, 34, 50, 16},
};
inline constexpr DialogTemplate kAboutDlg{IDD_ABOUTBOX, u"タブロコネクト バージョン情報 ", 196, 58, kAboutDlgControls};
TABRO_REGISTER_DIALOG(kAboutDlg);

// Menu 290: its first popup is the menu button's; 32786 is removed at start.
inline constexpr MenuItemTemplate kSettingsMenuItems[] = {
    {0, 0, u"設定", MF_POPUP},
    {1, ID_MENU_USER_SETTINGS, u"ユーザー設定"},
    {1, ID_MENU_SYSTEM_SETTINGS, u"システム設定"},
    {1, ID_MENU_UNUSED, u"-"},
};
inline constexpr MenuTemplate kSettingsMenu{IDR_SETTINGS_MENU, kSettingsMenuItems, 4};
TABRO_REGISTER_MENU(kSettingsMenu);
}  // namespace res
