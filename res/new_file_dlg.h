#pragma once
// Dialog 302: whether a new file's data-edit tools start with their dialogs.
#include "platform/ui/dialog_template.h"
#include "platform/ui_hooks.h"

namespace res {
enum : int { IDD_NEW_FILE_DLG = 302, IDC_NEWFILE_RUN_TOOLS = 1250 };

inline constexpr ControlTemplate kNewFileDlgControls[] = {
    // kind                    id                   text                              x   y   cx  cy  flags
    {CtlKind::CheckBox, IDC_NEWFILE_RUN_TOOLS, u"データ加工・集計ツールを起動", 14, 14, 150, 12},
    {CtlKind::DefPushButton, IDOK, u"OK", 66, 38, 50, 16},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 120, 38, 50, 16, tpl::kHidden},
};
inline constexpr DialogTemplate kNewFileDlg{IDD_NEW_FILE_DLG, u"新規ファイル作成モード", 182, 64,
                                            kNewFileDlgControls};
TABRO_REGISTER_DIALOG(kNewFileDlg);
}  // namespace res
