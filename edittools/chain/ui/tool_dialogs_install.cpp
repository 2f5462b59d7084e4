#include "edittools/chain/ui/tool_dialogs_install.h"

#include "app/tool_dialogs.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/filter/ui/main_filter.h"
#include "edittools/join/ui/addcsv_view.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "edittools/sort/ui/sort_dlg.h"
#include "macro/ui/data_macro_insert.h"

void InstallToolDialogs() {
  ToolDialogTable& table = ToolDialogs();
  table.order = &RunOrderDialog;
  table.addCsv = &RunAddCsvDialog;
  table.sort = &RunSortDialog;
  table.filter = &RunFilterDialog;
  table.pivot = &RunPivotDialog;
  table.macro = &RunMacroColumnDialog;
}
