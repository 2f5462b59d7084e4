#include "app/csv_page_grids.h"

#include "app/tabro_client_app.h"

CsvGrids AppCsvGrids() {
  CsvGrids g{theApp.m_EditGrid, theApp.m_DataGrid, theApp.m_TitleRow, theApp.m_EditRows, theApp.m_EditCols,
             theApp.m_SendRows, theApp.m_SendCols, theApp.m_EditModeEntered};
  g.dataRows = theApp.m_DataRows;
  g.dataCols = theApp.m_DataCols;
  g.totalRows = theApp.m_TotalRows;
  g.addCsvCount = theApp.m_JoinDef.AddCsvCnt;
  return g;
}
