#pragma once
// Dialog 130: the sort tool's three keys.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_SORT_DLG = 130,
  IDC_SORT_TYPE1 = 1057,
  IDC_SORT_ORDER1 = 1058,
  IDC_SORT_COLUMN1 = 1059,
  IDC_SORT_COLUMN2 = 1060,
  IDC_SORT_COLUMN3 = 1061,
  IDC_SORT_TYPE2 = 1062,
  IDC_SORT_TYPE3 = 1063,
  IDC_SORT_ORDER2 = 1064,
  IDC_SORT_ORDER3 = 1065,
  IDC_SORT_CLEAR = 1084,
  IDC_SORT_SKIP = 1280,
  IDC_SORT_CONFIRM_NOTE = 1308,
};

inline constexpr ControlTemplate kSortDlgControls[] = {
    // kind                      id                     text                     x    y   cx   cy  flags
    {CtlKind::Static, IDC_STATIC, u"列", 12, 8, 110, 8},
    {CtlKind::Static, IDC_STATIC, u"データタイプ", 128, 8, 90, 8},
    {CtlKind::Static, IDC_STATIC, u"並び順", 224, 8, 54, 8},
    {CtlKind::ComboDropList, IDC_SORT_COLUMN1, nullptr, 12, 20, 110, 120, tpl::kVScroll},
    {CtlKind::ComboDropList, IDC_SORT_TYPE1, nullptr, 128, 20, 90, 60},
    {CtlKind::ComboDropList, IDC_SORT_ORDER1, nullptr, 224, 20, 54, 60},
    {CtlKind::ComboDropList, IDC_SORT_COLUMN2, nullptr, 12, 40, 110, 120, tpl::kVScroll},
    {CtlKind::ComboDropList, IDC_SORT_TYPE2, nullptr, 128, 40, 90, 60},
    {CtlKind::ComboDropList, IDC_SORT_ORDER2, nullptr, 224, 40, 54, 60},
    {CtlKind::ComboDropList, IDC_SORT_COLUMN3, nullptr, 12, 60, 110, 120, tpl::kVScroll},
    {CtlKind::ComboDropList, IDC_SORT_TYPE3, nullptr, 128, 60, 90, 60},
    {CtlKind::ComboDropList, IDC_SORT_ORDER3, nullptr, 224, 60, 54, 60},
    {CtlKind::Static, IDC_SORT_CONFIRM_NOTE, u"確認モードでは変更を受け付けられません", 12, 84, 170, 8,
     tpl::kHidden},
    {CtlKind::PushButton, IDC_SORT_CLEAR, u"クリア", 12, 98, 50, 16},
    {CtlKind::PushButton, IDC_SORT_SKIP, u"スキップ", 118, 98, 50, 16, tpl::kHidden},
    {CtlKind::DefPushButton, IDOK, u"OK", 172, 98, 50, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 228, 98, 50, 16},
};
inline constexpr DialogTemplate kSortDlg{IDD_SORT_DLG, u"ソート", 290, 122, kSortDlgControls};
TABRO_REGISTER_DIALOG(kSortDlg);
}  // namespace res
