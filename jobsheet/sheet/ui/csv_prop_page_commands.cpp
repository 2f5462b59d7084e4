// The CSV edit page's window: the column command buttons, their menus and
// dialogs, the row settings and edit mode.

#include "app/tabro_client_app.h"
#include "app/up_calls.h"
#include "jobsheet/sheet/ui/color_dlg.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "jobsheet/sheet/ui/field_select_dlg.h"
#include "jobsheet/sheet/ui/filter_dlg.h"
#include "jobsheet/sheet/ui/time_span_dlg.h"
#include "platform/int_text.h"
#include "platform/ui_hooks.h"
#include "res/csv_prop_page.h"

void CCsvPropPageWnd::OnSum() {
  m_Page.OnSum();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::ShowBlankMenu(int buttonId) {
  CMenu menu;
  if (!menu.LoadMenu(res::IDR_CSV_BLANK_MENU)) return;
  const std::array<bool, 3> on = m_Page.CountMenuState();
  const UINT ids[3] = {res::ID_CSV_BLANK_INCL, res::ID_CSV_BLANK_EXCL, res::ID_CSV_BLANK_CLEAR};
  for (int i = 0; i < 3; ++i) menu.EnableMenuItem(ids[i], MF_BYCOMMAND | (on[i] ? MF_ENABLED : MF_GRAYED));
  CRect r;
  GetDlgItem(buttonId)->GetWindowRect(&r);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, r.right, r.bottom, this);
}

void CCsvPropPageWnd::OnCount() {
  if (m_Page.OnCount()) ShowBlankMenu(res::IDC_CSV_COUNT);
}

void CCsvPropPageWnd::OnAverage() {
  if (m_Page.OnAverage()) ShowBlankMenu(res::IDC_CSV_AVERAGE);
}

void CCsvPropPageWnd::OnCountBlankIncluded() {
  m_Page.ToggleColumnCommand(m_Page.m_MenuCodeIncl);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnCountBlankExcluded() {
  m_Page.ToggleColumnCommand(m_Page.m_MenuCodeExcl);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnCountBlankClear() {
  m_Page.OnCountBlankClear();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnCode39() {
  m_Page.OnBarcodeOrSeal(CODE_CODE39);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnQr() {
  m_Page.OnBarcodeOrSeal(CODE_QR);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnSeal() {
  m_Page.OnBarcodeOrSeal(CODE_SEAL);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnApprovalSeal() {
  m_Page.OnBarcodeOrSeal(CODE_APPROVAL_SEAL);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnColor() {
  int column = -1;
  if (!m_Page.ColorRuleTarget(&column)) return;
  CColorDlg dlg(this);
  dlg.m_ColumnName = m_Page.m_HeaderNames[column];
  dlg.m_RuleText = m_Page.m_ColorRuleText;
  if (dlg.DoModal() == IDOK) m_Page.SetColorRule(column, dlg.GetRuleText());
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnSubjectTotal() {
  m_Page.OnSubjectTotal();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnGroupColumn() {
  m_Page.OnGroupColumn();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnRowTotal() {
  CsvGrids g = AppCsvGrids();
  if (m_Page.CheckRowTotal()) m_Page.AddRowTotal(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnTimeSpan() {
  CsvGrids g = AppCsvGrids();
  if (!m_Page.CheckTimeSpan()) return;
  CTimeSpanDlg dlg(this);
  if (dlg.DoModal() != IDOK) return;
  m_Page.AddTimeSpan(g, TextToInt(dlg.m_Minutes.View()));
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnFilter() {
  CFilterDlg dlg(this);
  dlg.m_Filter = m_Page.m_Condition;
  const bool ok = dlg.DoModal() == IDOK;
  CsvGrids g = AppCsvGrids();
  if (ok) m_Page.ApplyFilterResult(g, dlg.m_Filter);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnSort() {
  theApp.DetectColumnTypes(1);
  SortDialogIo io;
  for (int k = 0; k < 3; ++k) {
    io.keyColumns[k] = m_Page.m_SortCols[k];
    io.keyTypes[k] = m_Page.m_SortTypes[k];
    io.keyDescending[k] = m_Page.m_SortDesc[k];
  }
  io.columnCount = m_Page.m_ColCount;
  for (int c = 0; c < m_Page.m_ColCount && c < GRID_COLS; ++c) {
    io.columnNames.push_back(m_Page.m_HeaderNames[c]);
    // Numbers and dates sort as such; every other column type as text.
    const int type = theApp.m_ColumnTypes[c];
    io.columnTypes.push_back(type == COLTYPE_NUMBER ? SORT_AS_NUMBER : type == COLTYPE_DATE ? SORT_AS_DATE : SORT_AS_TEXT);
  }
  const bool ok = GetUpCalls().sort(io) == IDOK;
  if (ok) {
    bool ended = false;
    for (int k = 0; k < 3; ++k) {
      ended = ended || io.resultColumns[k] < 0;
      m_Page.m_SortCols[k] = ended ? 0 : io.resultColumns[k] + 1;
      m_Page.m_SortTypes[k] = ended ? 0 : io.resultTypes[k];
      m_Page.m_SortDesc[k] = ended ? 0 : io.resultDescending[k];
    }
  }
  CsvGrids g = AppCsvGrids();
  if (ok) m_Page.ApplySortResult(g);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnEditMode() {
  if (GetUiHooks().MessageBox(u"編集モードにします。以降変更はできません。", kAppCaption, MB_OKCANCEL | MB_ICONWARNING) !=
      IDOK)
    return;
  CsvGrids g = AppCsvGrids();
  m_Page.EnterEditMode(g);
  ClearGridList();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnColumnSelect() {
  CsvGrids g = AppCsvGrids();
  std::vector<COLDATA> used = m_Page.UsedColumns(g);
  std::vector<COLDATA> omitted;
  for (const COLDATA& d : m_Page.m_OmittedColumns) {
    COLDATA o;
    o.m_SourceColumn = d.m_SourceColumn;
    omitted.push_back(o);
  }
  std::vector<CString> names;
  for (int c = 0; c < theApp.m_EditCols && theApp.m_TitleRow >= 0; ++c)
    names.push_back(theApp.m_DataGrid.GetAt(theApp.m_TitleRow, c));
  CFieldSelectDaialog dlg(this);
  dlg.SetColumns(used, omitted, names);
  if (dlg.DoModal() != IDOK) return;
  dlg.GetColumns(used, omitted);
  m_Page.ApplyColumnSelection(g, used, omitted);
  ClearGridList();
  RefreshAfterCommand();
}

void CCsvPropPageWnd::OnClearSettings() {
  CWaitCursor wait;
  UpdateData(TRUE);
  m_BtnClear.EnableWindow(FALSE);
  CsvGrids g = AppCsvGrids();
  m_Page.ClearSettings(g);
  ClearGridList();
  HandBack();
  if (CWnd* w = GetDlgItem(res::IDC_CSV_COUNTTEXT)) w->SetWindowText(m_Page.CountLine(g));
  m_BtnClear.EnableWindow(TRUE);
  RefreshAfterCommand();
}

void CCsvPropPageWnd::ResetToSource() {
  if (!m_hWnd) {
    CsvGrids g = AppCsvGrids();
    m_Page.ResetToSource(g);
    return;
  }
  OnClearSettings();
  if (GetSheet() && GetSheet()->GetActivePage() == this) OnSetActive();
}

void CCsvPropPageWnd::OnDataHeader() {
  UpdateData(TRUE);
  if (m_Page.m_DataHeader == 1) m_Page.m_PageBreak = 0;
  ShowValues();
  SetupButtons();
  UpdateCommandButtons();
}

void CCsvPropPageWnd::OnPageBreak() {
  UpdateData(TRUE);
  SetupButtons();
}

void CCsvPropPageWnd::RefreshColumnCaptions() {
  UpdateData(TRUE);
  UpdateAllCaptions();
  if (CWnd* h = m_GridList.GetHeaderCtrl()) h->Invalidate(FALSE);
}
