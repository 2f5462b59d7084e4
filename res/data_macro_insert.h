#pragma once
// Dialog 277: the column layout of the macro-column step; menu 259: its column menu.
#include "platform/ui/dialog_template.h"
#include "platform/ui/menu.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_DATA_MACRO_INSERT = 277,
  IDC_MACROINS_SLOTS = 1250,
  IDC_MACROINS_SLOT_CAPTION = 1251,
  IDC_MACROINS_SLOT_HINT = 1252,
  IDC_MACROINS_SKIP = 1280,
  IDC_MACROINS_READONLY_NOTE = 1308,
  IDC_MACROINS_TOTAL_NOTE = 1320,
  IDC_MACROINS_VALUES_NOTE = 1321,
  IDC_MACROINS_LIST = 1413,
  IDR_MACROINS_MENU = 259,
  ID_MACROINS_DESELECT = 32778,
  ID_MACROINS_PASTE = 32957,
  ID_MACROINS_DELETE = 32958,
  ID_MACROINS_CUT = 32962,
};

inline constexpr ControlTemplate kDataMacroInsertControls[] = {
    // kind                id                          text        x    y    cx   cy   flags
    {CtlKind::Static, IDC_STATIC,
     u"マクロで計算したデータを列に追加出来ます。\n列の位置クリックでカットアンドペースト可能\n"
     u"表示したい順番や不要の列を削除できます。",
     7, 7, 386, 26, tpl::kMultiline},
    {CtlKind::Static, IDC_STATIC, u"データリスト", 7, 36, 80, 8},
    {CtlKind::ListView, IDC_MACROINS_LIST, nullptr, 7, 46, 386, 90},
    {CtlKind::Static, IDC_MACROINS_SLOT_CAPTION, u"マクロ用カラム挿入、削除", 7, 142, 120, 8},
    {CtlKind::CheckListBox, IDC_MACROINS_SLOTS, nullptr, 7, 152, 100, 36},
    {CtlKind::Static, IDC_MACROINS_SLOT_HINT,
     u"追加の場合は、上のリストの追加したい位置のタグをクリックした後\nマクロを挿入", 112, 152, 281, 18,
     tpl::kMultiline},
    {CtlKind::Static, IDC_MACROINS_TOTAL_NOTE,
     u"注） クロス集計の合計列が有る場合、合計欄にはマクロ結果は反映されません", 112, 172, 281, 18,
     tpl::kHidden | tpl::kMultiline},
    {CtlKind::Static, IDC_MACROINS_VALUES_NOTE,
     u"注） クロス集計されたデータで、データ集計が２列以上あるので列の末尾に１つだけ設定できます。\n"
     u"　　　マクロは比率と累計のみ有効です。",
     7, 192, 386, 18, tpl::kHidden | tpl::kMultiline},
    {CtlKind::Static, IDC_MACROINS_READONLY_NOTE, u"確認モードでは変更を受け付けられません", 7, 214, 200, 8},
    {CtlKind::PushButton, IDC_MACROINS_SKIP, u"スキップ", 235, 228, 50, 14, tpl::kHidden},
    {CtlKind::DefPushButton, IDOK, u"OK", 289, 228, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 343, 228, 50, 14},
};
inline constexpr DialogTemplate kDataMacroInsert{IDD_DATA_MACRO_INSERT, u"並び替え・演算", 400, 248,
                                                 kDataMacroInsertControls};
TABRO_REGISTER_DIALOG(kDataMacroInsert);

inline constexpr MenuItemTemplate kMacroInsMenuItems[] = {
    {0, 0, u"列", MF_POPUP},
    {1, ID_MACROINS_CUT, u"切り取り"},
    {1, ID_MACROINS_PASTE, u"貼り付け"},
    {1, ID_MACROINS_DELETE, u"削除"},
    {1, ID_MACROINS_DESELECT, u"選択状態解除"},
};
inline constexpr MenuTemplate kMacroInsMenu{IDR_MACROINS_MENU, kMacroInsMenuItems, 5};
TABRO_REGISTER_MENU(kMacroInsMenu);
}  // namespace res
