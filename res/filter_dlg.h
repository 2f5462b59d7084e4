#pragma once
// Dialog 131: one row condition of the CSV page.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int { IDD_FILTER_DLG = 131, IDC_FILTER_TEXT = 1068 };

inline constexpr ControlTemplate kFilterDlgControls[] = {
    // kind              id            text                                                          x    y   cx   cy
    {CtlKind::Static, IDC_STATIC, u"フィルタを行いたい列、フィルタしたい範囲を指定してください。", 7, 7, 420, 8},
    {CtlKind::Edit, IDC_FILTER_TEXT, nullptr, 7, 19, 420, 14},
    {CtlKind::Static, IDC_STATIC, u"条件式は下記の例文を参考にしてください。", 7, 40, 420, 8},
    {CtlKind::GroupBox, IDC_STATIC, u"【例】", 7, 51, 420, 76},
    {CtlKind::Static, IDC_STATIC, u"[1]＝2　　　　　\t　　　　\t等しい\t\t(1列目が2であるとき)", 14, 64, 406, 8},
    {CtlKind::Static, IDC_STATIC, u"[1]！2　　　　\t\t等しくない\t(1列目が2でないとき)", 14, 76, 406, 8},
    {CtlKind::Static, IDC_STATIC, u"[1]＞＝0\t\t以上\t\t(1列目が0以上のとき)", 14, 88, 406, 8},
    {CtlKind::Static, IDC_STATIC,
     u"[1]＜1 | [1]＞5　　　　\tまたは\t\t(1列目が1より小さいまたは、5より大きいとき)", 14, 100, 406, 8},
    {CtlKind::Static, IDC_STATIC, u"[1]＞1 && [1]＜10　　　　\t且つ\t\t(1列目が1より大きい且つ10より小さいとき)", 14,
     112, 406, 8, tpl::kNoPrefix},
    {CtlKind::DefPushButton, IDOK, u"OK", 323, 134, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 377, 134, 50, 14},
};
inline constexpr DialogTemplate kFilterDlg{IDD_FILTER_DLG, u"フィルター", 434, 155, kFilterDlgControls};
TABRO_REGISTER_DIALOG(kFilterDlg);
}  // namespace res
