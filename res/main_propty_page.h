#pragma once
// Dialog 472: the basic settings page of the job settings sheet.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_MAIN_PROPTY_PAGE = 472,
  IDC_MAIN_PAPER = 1091,
  IDC_MAIN_FORMAT = 1092,
  IDC_MAIN_PAPER_PICTURE = 2021,
  IDC_MAIN_FORMAT_PICTURE = 2022,
  IDC_MAIN_PDF = 1087,
  IDC_MAIN_EXCEL = 1088,
  IDC_MAIN_HTML = 1093,
  IDC_MAIN_CSV = 1089,
  IDC_MAIN_PDF_PICTURE = 2019,
  IDC_MAIN_EXCEL_PICTURE = 2020,
  IDC_MAIN_CSV_PICTURE = 2023,
  IDC_MAIN_LISTTYPE = 1168,
  IDC_MAIN_CHARCODE_CHECK = 1162,
  IDC_MAIN_CHARCODE = 1178,
  IDC_MAIN_TOOLS_BOX = 1319,
  IDC_MAIN_TOOLS = 1279,
  IDC_MAIN_DELETE_AFTER = 1090,
  IDC_MAIN_COMMAND_BOX = 1126,
  IDC_MAIN_COMMAND = 1125,
  IDC_MAIN_PICTURE = 1135,
};

inline constexpr ControlTemplate kMainProptyPageControls[] = {
    // kind              id                        text                        x    y    cx   cy  flags
    {CtlKind::GroupBox, IDC_STATIC, u"作成タイプ（推奨）", 7, 4, 198, 74},
    {CtlKind::Picture, IDC_MAIN_PAPER_PICTURE, nullptr, 14, 15, 88, 40},
    {CtlKind::Picture, IDC_MAIN_FORMAT_PICTURE, nullptr, 110, 15, 88, 40},
    {CtlKind::Radio, IDC_MAIN_PAPER, u"用紙優先(A4)", 14, 60, 90, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_MAIN_FORMAT, u"書式優先(集計表)", 110, 60, 90, 10},
    {CtlKind::GroupBox, IDC_STATIC, u"出力形式", 7, 82, 198, 100},
    {CtlKind::Picture, IDC_MAIN_PDF_PICTURE, nullptr, 14, 93, 58, 32},
    {CtlKind::Picture, IDC_MAIN_EXCEL_PICTURE, nullptr, 78, 93, 58, 32},
    {CtlKind::Picture, IDC_MAIN_CSV_PICTURE, nullptr, 142, 93, 58, 32},
    {CtlKind::Radio, IDC_MAIN_PDF, u"PDF", 14, 129, 58, 10, tpl::kGroup},
    {CtlKind::Radio, IDC_MAIN_EXCEL, u"Excel", 78, 129, 58, 10},
    {CtlKind::Radio, IDC_MAIN_HTML, u"HTML", 14, 129, 58, 10, tpl::kHidden | tpl::kDisabled},
    {CtlKind::Radio, IDC_MAIN_CSV, u"CSV", 142, 129, 58, 10},
    {CtlKind::ComboDropList, IDC_MAIN_LISTTYPE, nullptr, 14, 144, 184, 80, tpl::kGroup},
    {CtlKind::CheckBox, IDC_MAIN_CHARCODE_CHECK, u"文字コード指定", 14, 164, 84, 10, tpl::kGroup},
    {CtlKind::ComboDropList, IDC_MAIN_CHARCODE, nullptr, 104, 162, 94, 60},
    {CtlKind::GroupBox, IDC_MAIN_TOOLS_BOX, u"データ加工・集計ツール", 7, 186, 198, 32},
    {CtlKind::PushButton, IDC_MAIN_TOOLS, u"メニュー確認", 14, 198, 70, 14, tpl::kGroup},
    {CtlKind::CheckBox, IDC_MAIN_DELETE_AFTER, u"処理後CSVファイルを削除", 7, 224, 150, 10, tpl::kGroup},
    {CtlKind::GroupBox, IDC_MAIN_COMMAND_BOX, u"設定コマンド", 7, 238, 198, 56},
    {CtlKind::Edit, IDC_MAIN_COMMAND, nullptr, 14, 250, 184, 40, tpl::kMultiline | tpl::kReadOnly | tpl::kVScroll},
    {CtlKind::Picture, IDC_MAIN_PICTURE, nullptr, 212, 8, 461, 286},
};
inline constexpr DialogTemplate kMainProptyPage{IDD_MAIN_PROPTY_PAGE, u"基本設定", 680, 330, kMainProptyPageControls,
                                                tpl::kChild};
TABRO_REGISTER_DIALOG(kMainProptyPage);
}  // namespace res
