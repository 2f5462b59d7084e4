#pragma once
// Dialog 470: the CSV edit page of the job settings sheet; menus 289 (grid
// editing) and 270 (blank handling of counts and averages).
#include "platform/ui/dialog_template.h"
#include "platform/ui/menu.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_CSV_PROP_PAGE = 470,
  IDC_CSV_GRID = 1413,
  IDC_CSV_ROWLIST = 1083,
  IDC_CSV_COMMAND = 1272,
  IDC_CSV_CELLEDIT = 1687,
  IDC_CSV_SORTTEXT = 1054,
  IDC_CSV_CONDTEXT = 1067,
  IDC_CSV_COUNTTEXT = 1076,
  IDC_CSV_TITLEROW = 1077,
  IDC_CSV_FRAME = 1143,
  IDC_CSV_DATAHEADER = 1041,
  IDC_CSV_EDITMODE = 1078,
  IDC_CSV_FILTER = 1044,
  IDC_CSV_SORT = 1042,
  IDC_CSV_COLUMNS = 1086,
  IDC_CSV_CLIPBOARD = 1080,
  IDC_CSV_SUM = 1045,
  IDC_CSV_COUNT = 1046,
  IDC_CSV_SUBJECT = 1052,
  IDC_CSV_ROWTOTAL = 1053,
  IDC_CSV_COLOR = 1043,
  IDC_CSV_GROUP = 1079,
  IDC_CSV_PAGEBREAK = 1081,
  IDC_CSV_CODE39 = 1047,
  IDC_CSV_QR = 1048,
  IDC_CSV_SEAL = 1049,
  IDC_CSV_APPROVAL = 1050,
  IDC_CSV_LETTERS = 1124,
  IDC_CSV_TIMESPAN = 1055,
  IDC_CSV_AVERAGE = 1056,
  IDC_CSV_CLEAR = 1038,
  IDR_CSV_EDIT_MENU = 289,
  IDR_CSV_BLANK_MENU = 270,
  ID_CSV_COPY = 32956,
  ID_CSV_PASTE = 32957,
  ID_CSV_DELETE = 32958,
  ID_CSV_INSERT = 32959,
  ID_CSV_CUT = 32962,
  ID_CSV_DESELECT = 32778,
  ID_CSV_BLANK_INCL = 32781,
  ID_CSV_BLANK_EXCL = 32782,
  ID_CSV_BLANK_CLEAR = 32783,
};

// The tool bar: groups of command buttons, thin lines between the groups.
inline constexpr ControlTemplate kCsvPropPageControls[] = {
    // kind                    id                  text                x    y   cx   cy  flags
    {CtlKind::GroupBox, IDC_CSV_FRAME, nullptr, 2, 0, 676, 32},
    {CtlKind::PushButton, IDC_CSV_COLUMNS, u"列選択", 6, 4, 30, 26},
    {CtlKind::CheckBox, IDC_CSV_DATAHEADER, u"ﾍｯﾀﾞｰ", 38, 4, 30, 26, tpl::kPushLike},
    {CtlKind::PushButton, IDC_CSV_EDITMODE, u"編集", 70, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_SORT, u"ソート", 102, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_FILTER, u"ﾌｨﾙﾀ", 134, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_CLIPBOARD, u"貼付", 166, 4, 30, 26, tpl::kDisabled},
    {CtlKind::PushButton, IDC_CSV_SUM, u"SUM", 210, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_COUNT, u"COUNT", 242, 4, 34, 26},
    {CtlKind::PushButton, IDC_CSV_AVERAGE, u"平均", 278, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_ROWTOTAL, u"横計", 322, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_TIMESPAN, u"時間差", 354, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_COLOR, u"色替", 386, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_GROUP, u"ｸﾞﾙｰﾌﾟ", 430, 4, 30, 26},
    {CtlKind::CheckBox, IDC_CSV_PAGEBREAK, u"改ﾍﾟｰｼﾞ", 462, 4, 36, 26, tpl::kPushLike},
    {CtlKind::PushButton, IDC_CSV_CODE39, u"CODE39", 512, 4, 36, 26},
    {CtlKind::PushButton, IDC_CSV_QR, u"QR", 550, 4, 22, 26},
    {CtlKind::PushButton, IDC_CSV_SEAL, u"認印", 574, 4, 28, 26},
    {CtlKind::PushButton, IDC_CSV_APPROVAL, u"承認印", 604, 4, 30, 26},
    {CtlKind::PushButton, IDC_CSV_SUBJECT, u"科目計", 636, 4, 30, 26},
    {CtlKind::Static, IDC_CSV_COUNTTEXT, nullptr, 4, 36, 200, 12, tpl::kVCenter},
    {CtlKind::Edit, IDC_CSV_TITLEROW, nullptr, 208, 35, 70, 14, tpl::kReadOnly},
    {CtlKind::Static, IDC_CSV_SORTTEXT, nullptr, 284, 34, 110, 26, tpl::kMultiline | tpl::kNoPrefix},
    {CtlKind::Static, IDC_CSV_CONDTEXT, nullptr, 398, 34, 200, 26, tpl::kMultiline | tpl::kNoPrefix},
    {CtlKind::PushButton, IDC_CSV_CLEAR, u"設定クリア", 620, 35, 56, 14},
    {CtlKind::Edit, IDC_CSV_COMMAND, nullptr, 620, 51, 56, 10, tpl::kHidden | tpl::kDisabled},
    {CtlKind::Edit, IDC_CSV_CELLEDIT, nullptr, 36, 63, 640, 14},
    {CtlKind::CheckBox, IDC_CSV_LETTERS, u"A/1", 4, 80, 32, 11, tpl::kPushLike},
    {CtlKind::ListView, IDC_CSV_ROWLIST, nullptr, 4, 91, 32, 191, tpl::kNoColumnHeader | tpl::kNoTabStop},
    {CtlKind::ListView, IDC_CSV_GRID, nullptr, 36, 80, 640, 202, tpl::kShowSelAlways},
};
inline constexpr DialogTemplate kCsvPropPage{IDD_CSV_PROP_PAGE, u"カスタマイズ1(CSV編集)", 680, 286,
                                             kCsvPropPageControls, tpl::kChild};
TABRO_REGISTER_DIALOG(kCsvPropPage);

// The key hints in the texts have no binding on this page.
inline constexpr MenuItemTemplate kCsvEditMenuItems[] = {
    {0, ID_CSV_CUT, u"切り取り"},
    {0, ID_CSV_COPY, u"コピー（&C）\tCtrl+C"},
    {0, ID_CSV_PASTE, u"貼り付け(&P)\tCtrl+V"},
    {0, ID_CSV_DELETE, u"削除（&D）\tDel"},
    {0, ID_CSV_INSERT, u"挿入"},
    {0, 0, nullptr},
    {0, ID_CSV_DESELECT, u"選択状態解除    \tESC"},
};
inline constexpr MenuTemplate kCsvEditMenu{IDR_CSV_EDIT_MENU, kCsvEditMenuItems, 7};
TABRO_REGISTER_MENU(kCsvEditMenu);

inline constexpr MenuItemTemplate kCsvBlankMenuItems[] = {
    {0, ID_CSV_BLANK_INCL, u"空白を含む"},
    {0, ID_CSV_BLANK_EXCL, u"空白を除く"},
    {0, ID_CSV_BLANK_CLEAR, u"解除"},
};
inline constexpr MenuTemplate kCsvBlankMenu{IDR_CSV_BLANK_MENU, kCsvBlankMenuItems, 3};
TABRO_REGISTER_MENU(kCsvBlankMenu);
}  // namespace res
