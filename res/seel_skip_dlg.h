#pragma once
// Dialog 229: the label where printing starts, clicked on a picture of the sheet.
// The picture is drawn by the dialog between (40, 35) and (240, 185).
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int {
  IDD_SEEL_SKIP_DLG = 229,
  IDC_SEEL_START = 1003,
  IDC_SEEL_ROW = 1005,
  IDC_SEEL_COL = 1006,
  IDC_SEEL_ORDER = 1007,
  IDC_SEEL_MAKER = 1104,
  IDC_SEEL_ORDER_LABEL = 1008,
};

inline constexpr ControlTemplate kSeelSkipDlgControls[] = {
    // kind              id                 text                  x    y   cx  cy  flags
    {CtlKind::Static, IDC_STATIC, u"開始シール番号", 7, 10, 62, 8},
    {CtlKind::Edit, IDC_SEEL_START, nullptr, 70, 8, 24, 14, tpl::kReadOnly},
    {CtlKind::Edit, IDC_SEEL_ROW, nullptr, 100, 8, 20, 14, tpl::kReadOnly},
    {CtlKind::Static, IDC_STATIC, u"行", 122, 10, 10, 8},
    {CtlKind::Edit, IDC_SEEL_COL, nullptr, 134, 8, 20, 14, tpl::kReadOnly},
    {CtlKind::Static, IDC_STATIC, u"列", 156, 10, 10, 8},
    {CtlKind::Static, IDC_STATIC, u"印刷メーカー", 170, 10, 54, 8},
    {CtlKind::Edit, IDC_SEEL_MAKER, nullptr, 226, 8, 48, 14, tpl::kReadOnly},
    {CtlKind::Static, IDC_SEEL_ORDER_LABEL, u"シール印刷向き", 7, 24, 62, 8, tpl::kHidden},
    {CtlKind::Edit, IDC_SEEL_ORDER, nullptr, 70, 22, 30, 12, tpl::kReadOnly | tpl::kHidden},
    {CtlKind::Static, IDC_STATIC, u"印刷を開始したいシールをクリックしてください", 40, 190, 200, 8},
    {CtlKind::DefPushButton, IDOK, u"OK", 162, 204, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 216, 204, 50, 14},
};
inline constexpr DialogTemplate kSeelSkipDlg{IDD_SEEL_SKIP_DLG, u"スキップシール　（指定シールから印刷を始めます）", 280,
                                             225, kSeelSkipDlgControls};
TABRO_REGISTER_DIALOG(kSeelSkipDlg);
}  // namespace res
