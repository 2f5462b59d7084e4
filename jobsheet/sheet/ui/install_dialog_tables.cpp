#include "jobsheet/sheet/ui/install_dialog_tables.h"

#include "edittools/chain/ui/data_edit.h"
#include "edittools/chain/ui/tool_dialogs_install.h"
#include "jobsheet/sheet/ui/main_propty_page.h"
#include "jobsheet/sheet/ui/pipeline_dialogs.h"

void InstallDialogTables() {
  InstallToolDialogs();
  CMainProptyPage::s_ConfirmTools = &RunOrderConfirmation;
  RegisterPipelineDialogs();
}
