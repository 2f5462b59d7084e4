#include "edittools/chain/ui/tool_dialogs_install.h"

#include "app/tool_dialogs.h"
#include "edittools/chain/ui/data_edit.h"
#include "edittools/join/ui/addcsv_view.h"

void InstallToolDialogs() {
  ToolDialogTable& table = ToolDialogs();
  table.order = &RunOrderDialog;
  table.addCsv = &RunAddCsvDialog;
}
