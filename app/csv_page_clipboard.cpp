// The CSV page's reading of a table from the clipboard: hands theApp's grids and
// the page's counts to the grid engine.

#include <algorithm>

#include "app/tabro_client_app.h"
#include "grid/clipboard_table.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

int CCsvPropPage::ReadClipboardText() {
  m_EditMode = theApp.m_EditModeEntered;

  const CString text = GetUiHooks().GetClipboardText();
  if (text.IsEmpty()) return CLIP_NO_TEXT;

  TABLEPASTE paste;
  paste.rowCount = m_RowCount;
  paste.colCount = m_ColCount;
  paste.anchorRow = m_AnchorRow;
  const int result = InsertTableText(theApp, text, paste);
  if (paste.rowsOver) m_PasteRowsOver = 1;
  if (paste.colsOver) m_PasteColsOver = 1;
  if (result != TABLE_INSERTED) return result;

  m_RowCount = paste.rowCount;
  m_ColCount = paste.colCount;
  LoadColumnNames();
  for (int c = 0; c < paste.widest; ++c) m_ColumnMap[c] = c + 1;
  return CLIP_INSERTED;
}

void CCsvPropPage::LoadColumnNames() {
  if (theApp.m_TitleRow != -1) {
    if (m_ColCount == 0 && theApp.m_EditCols > 0) m_ColCount = theApp.m_SendCols;
    if (m_RowCount == 0 && theApp.m_EditRows > 0) m_RowCount = theApp.m_SendRows;
  }
  m_PageTitleRow = theApp.m_TitleRow;
  // Until edit mode moves rows, the title row is the data grid's.
  if (!theApp.m_EditModeEntered) m_LoadedTitleRow = theApp.m_TitleRow;
  if (m_PageTitleRow >= 0) {
    const CTextGrid& data = theApp.m_DataGrid;
    const int cols = std::min(theApp.m_EditCols, GRID_COLS);
    for (int c = 0; c < cols; ++c) m_HeaderNames[c] = data.GetAt(m_PageTitleRow, c);
  }
  if (m_ColumnsChanged != 1) {
    theApp.m_SendCols = m_ColCount;
  } else {
    const int cols = std::clamp(m_ColCount, 0, GRID_COLS);
    m_ColCount = static_cast<int>(std::count_if(m_ColumnMap, m_ColumnMap + cols,
                                                [](int v) { return v > 0; }));
    theApp.m_SendCols = m_ColCount;
  }
}
