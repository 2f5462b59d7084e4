// CTabroClientDlg::FillCsvPage: the record and the loaded data into the CSV page
// before the sheet opens.
#include "app/csv_page_grids.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/csv_page_exchange.h"
#include "platform/ui_hooks.h"

// Both run types fill the page alike; the parameter keeps the member's signature.
int CTabroClientDlg::FillCsvPage(CString path, CCsvPropPage* page, int mode) {
  CsvGrids grids = AppCsvGrids();
  if (theApp.m_InputKind == INPUT_CLIPBOARD) {
    const int read = page->ReadClipboardText();
    if (read > 0) return 0;
    if (read == 0) GetUiHooks().EmptyClipboard();
  } else {
    page->ParseColumnOrder(m_JobSetting.m_Select, theApp.m_EditCols);
    if (theApp.m_SendCols == 0 && theApp.m_SendRows == 0) page->CopySourceToGrid(grids);
    if (theApp.m_JoinDef.AddCsvCnt > 0) {
      // The joined grid is put into the page's column order in place.
      for (int r = 0; r < theApp.m_EditRows; ++r) {
        CString row[GRID_COLS];
        for (int j = 0; j < GRID_COLS; ++j) row[j] = theApp.m_EditGrid.GetAt(r, j);
        for (int j = 0; j < theApp.m_EditCols && j < GRID_COLS; ++j) {
          if (page->m_ColumnsChanged == 0) page->m_ColumnMap[j] = j + 1;
          const int source = page->m_ColumnMap[j];
          if (source >= 1 && source <= GRID_COLS) theApp.m_EditGrid.SetAt(r, j, row[source - 1]);
        }
      }
      page->m_ColCount = theApp.m_EditCols;
      page->m_ColumnsChanged = 1;
    }
    page->LoadColumnNames();
    page->ApplyJobSettings(grids, path, theApp.m_EditModeEntered, m_JobSetting);
  }
  MatchJobToCsvPage(m_JobSetting, *page, theApp.m_EditCols);
  return 1;
}
