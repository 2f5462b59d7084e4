#include "app/ui/tool_dialog_setup.h"

#include "app/tool_dialogs.h"
#include "edittools/filter/ui/main_filter.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "edittools/sort/ui/sort_dlg.h"

void InstallToolDialogs() {
  ToolDialogTable& table = ToolDialogs();
  table.sort = &RunSortDialog;
  table.filter = &RunFilterDialog;
  table.pivot = &RunPivotDialog;
}
