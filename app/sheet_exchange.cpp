// The main dialog's side of the settings sheet: the CSV page into the record,
// and the record as command text. The engines in jobsheet/sheet/ do the work.
#include "app/tabro_client_dlg.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/sheet/csv_page_exchange.h"

void CTabroClientDlg::ReadCsvPage(CCsvPropPage* page) {
  ReadCsvPageInto(m_JobSetting, *page, theApp.m_EditCols, theApp.m_EditModeEntered, theApp.m_SendRows,
                  theApp.m_SendCols);
}

CString CTabroClientDlg::BuildCommandText() {
  return ::BuildCommandText(m_JobSetting, theApp.m_EditModeEntered, theApp.m_EditCols);
}
