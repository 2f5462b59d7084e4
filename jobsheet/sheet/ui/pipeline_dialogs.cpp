#include "jobsheet/sheet/ui/pipeline_dialogs.h"

#include <algorithm>

#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/ui/command_prop_page.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "jobsheet/sheet/ui/main_propty_page.h"

int RunSettingsSheet(CTabroClientDlg& dlg, int runType, bool show, CCsvPropPage* data, bool crossTable) {
  if (dlg.FillCsvPage(dlg.m_InputPath, data, runType) == 0) return SHEET_STOPPED;
  CMainProptyPage mainPage;
  CCsvPropPageWnd csvPage(*data);
  CCommandPropPage commandPage;
  dlg.FillCommandPage(&commandPage);
  std::copy(std::begin(data->m_ColumnCodes), std::end(data->m_ColumnCodes), mainPage.m_ColumnCodes);
  mainPage.m_SubjectColumn = data->m_SubjectCol;
  if (theApp.m_EditCols == -1) return SHEET_TOO_MANY_COLUMNS;
  if (!show) return SHEET_NOT_SHOWN;
  CEditPropSheet sheet(dlg.m_InputPath);
  sheet.Prepare(&dlg, &mainPage, &csvPage, &commandPage, theApp.m_SyokikidoGamen);
  // The sheet knows the tools' cross table by its own kind; the job sends DOC_KIND_CROSS.
  if (crossTable) sheet.m_DocKind = mainPage.m_DocKind = DOC_KIND_TOOL_CROSS;
  return static_cast<int>(sheet.DoModal());
}

int ReplayJoin(CTabroClientDlg&) {
  CMainProptyPage page;
  return page.RunAddCsv();
}
