#include "edittools/chain/ui/tool_dialogs_install.h"

#include "app/up_calls.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/filter/ui/main_filter.h"
#include "edittools/join/ui/addcsv_view.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "edittools/sort/ui/sort_dlg.h"
#include "macro/ui/data_macro_insert.h"

void InstallToolDialogs() {
  UpCalls& calls = GetUpCalls();
  calls.order = &RunOrderDialog;
  calls.addCsv = &RunAddCsvDialog;
  calls.sort = &RunSortDialog;
  calls.filter = &RunFilterDialog;
  calls.pivot = &RunPivotDialog;
  calls.macro = &RunMacroColumnDialog;
}
