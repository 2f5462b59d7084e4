// The CSV edit page's window: the commands of menu 289 and the clipboard button.

#include "app/tabro_client_app.h"
#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "res/csv_prop_page.h"

void CCsvPropPageWnd::OnEditCut() {
  CsvGrids g = AppCsvGrids();
  m_Page.OnEditCut(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditCopy() {
  CsvGrids g = AppCsvGrids();
  m_Page.OnEditCopy(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditPaste() {
  CsvGrids g = AppCsvGrids();
  m_Page.OnEditPaste(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditDelete() {
  CsvGrids g = AppCsvGrids();
  m_Page.OnEditDelete(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditInsert() {
  CsvGrids g = AppCsvGrids();
  m_Page.OnEditInsert(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditDeselect() {
  m_Page.OnEditDeselect();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnClipboardRead() {
  m_Page.m_PasteRowsOver = 0;
  m_Page.m_PasteColsOver = 0;
  if (m_Page.ReadClipboardText() == CCsvPropPage::CLIP_INSERTED) {
    FillGridList(m_Page.m_RowCount, m_Page.m_ColCount);
    UpdateCommandButtons();
    m_Page.m_TitleRowText.Format(kCsvTitleRowFormat, theApp.m_TitleRow + 1);
  }
  GetUiHooks().EmptyClipboard();
  RefreshAfterCommand();
}
