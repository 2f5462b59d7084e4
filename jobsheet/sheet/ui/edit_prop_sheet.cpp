#include "jobsheet/sheet/ui/edit_prop_sheet.h"

#include <algorithm>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/ui/command_prop_page.h"
#include "jobsheet/sheet/ui/csv_sheet_page.h"
#include "jobsheet/sheet/ui/main_propty_page.h"
#include "jobsheet/sheet/usage_line.h"
#include "platform/ui/dc.h"
#include "platform/ui/menu.h"

BEGIN_MESSAGE_MAP(CEditPropSheet, CPropertySheet)
  ON_BN_CLICKED(IDC_SHEET_EXECUTE, &CEditPropSheet::OnExecute)
  ON_BN_CLICKED(IDC_SHEET_TESTRUN, &CEditPropSheet::OnTestRun)
  ON_BN_CLICKED(IDC_SHEET_CLEARALL, &CEditPropSheet::OnClearAll)
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CEditPropSheet::CEditPropSheet(const CString& caption, CWnd* parent) : CPropertySheet(caption, parent) {}

void CEditPropSheet::Prepare(CTabroClientDlg* mainDlg, CMainProptyPage* mainPage, CCsvSheetPage* csvPage,
                             CCommandPropPage* commandPage, int startPage) {
  m_MainDlg = mainDlg;
  m_MainPage = mainPage;
  m_CsvPage = csvPage;
  m_CommandPage = commandPage;
  AddPage(mainPage);
  AddPage(csvPage);
  AddPage(commandPage);
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  const JOBSETTING& job = mainDlg->m_JobSetting;
  m_OutputFormat = job.m_OutputFormat;
  m_DocKind = job.m_DocKind;
  m_SubKind = job.m_SubKind;
  m_CsvHederTyp = job.m_CsvHederTyp;
  m_CharCode = job.m_CharCode;
  m_FromClipboard = theApp.m_InputKind == INPUT_CLIPBOARD ? 1 : 0;
  const CCsvPropPage& csv = csvPage->Page();
  m_BreakMode = csv.m_PageBreak;
  m_SubjectColumn = csv.m_SubjectCol;
  std::copy(std::begin(csv.m_ColumnCodes), std::end(csv.m_ColumnCodes), m_ColumnCodes);
  // The basic page opens on the job's output and list type.
  mainPage->m_OutputFormat = job.m_OutputFormat;
  mainPage->m_DocKind = job.m_DocKind;
  mainPage->m_SubKind = job.m_SubKind;
  mainPage->m_CsvHederTyp = job.m_CsvHederTyp;
  mainPage->m_CharCode = job.m_CharCode;
  mainPage->m_ListType = job.m_ListDoc;
  mainPage->m_FromClipboard = m_FromClipboard;
  int start = (startPage >= 0 && startPage <= 2) ? startPage : 0;
  if (m_FromClipboard) start = 1;
  m_psh.nStartPage = static_cast<UINT>(start);
}

void CEditPropSheet::PlaceButtons() {
  CWnd* ok = GetDlgItem(IDOK);
  CWnd* cancel = GetDlgItem(IDCANCEL);
  CWnd* help = GetDlgItem(IDHELP);
  if (!ok || !cancel || !help) return;
  CRect okRect, cancelRect, helpRect, tabRect;
  ok->GetWindowRect(&okRect);
  cancel->GetWindowRect(&cancelRect);
  help->GetWindowRect(&helpRect);
  ScreenToClient(&okRect);
  ScreenToClient(&cancelRect);
  ScreenToClient(&helpRect);
  const int w = cancelRect.Width();
  const int g = cancelRect.left - okRect.right;
  ok->ShowWindow(SW_HIDE);
  // "実行" and "キャンセル" end the row. Without a help button its stock place is
  // the cancel button's own, so the row is laid out from the cancel button leftwards.
  if (helpRect.left > cancelRect.left) {
    m_ExecuteButton.Create(u"実行", WS_VISIBLE | BS_PUSHBUTTON, cancelRect, this, IDC_SHEET_EXECUTE);
    cancel->MoveWindow(helpRect);
    help->MoveWindow(okRect);
  } else {
    m_ExecuteButton.Create(u"実行", WS_VISIBLE | BS_PUSHBUTTON, okRect, this, IDC_SHEET_EXECUTE);
    okRect.OffsetRect(-(w + g), 0);
  }
  // As wide as its caption needs, at least one button wide.
  constexpr char16_t kClearAllCaption[] = u"全設定クリア";
  const int clearWidth = std::max(w, CClientDC(this).GetTextExtent(kClearAllCaption).cx + 24);
  const CRect clearRect(okRect.left - g - clearWidth, okRect.top, okRect.left - g, okRect.bottom);
  m_ClearAllButton.Create(kClearAllCaption, WS_VISIBLE | BS_PUSHBUTTON, clearRect, this, IDC_SHEET_CLEARALL);
  int left = 4;
  if (CTabCtrl* tab = GetTabControl()) {
    tab->GetWindowRect(&tabRect);
    ScreenToClient(&tabRect);
    left = tabRect.left;
  }
  m_TestRunButton.Create(u"テスト実行", WS_VISIBLE | BS_PUSHBUTTON, CRect(left, okRect.top, left + w, okRect.bottom),
                         this, IDC_SHEET_TESTRUN);
  m_ExecuteButton.SetFont(ok->GetFont());
  m_TestRunButton.SetFont(ok->GetFont());
  m_ToolTip.Create(this);
  m_ToolTip.AddTool(&m_TestRunButton, u"クレジットを消費せず、1ページのみ表示します。");
  if (theApp.m_PrintCountKnown) {
    const int usageRight = clearRect.left - g;
    // Three and a half buttons wide, or what the longest line needs in this font.
    const int needed = CClientDC(this).GetTextExtent(UsageLineText(99999, 99999)).cx + 16;
    const int usageLeft = usageRight - std::max(static_cast<int>(3.5 * w), needed);
    m_UsageText.Create(CString(), WS_VISIBLE | SS_CENTER | SS_SUNKEN,
                       CRect(usageLeft, okRect.top, usageRight, okRect.bottom), this, IDC_SHEET_USAGE);
    m_UsageTitle.Create(u"使用状況", WS_VISIBLE | SS_CENTER,
                        CRect(usageLeft - g - w, okRect.top, usageLeft - g, okRect.bottom), this,
                        IDC_SHEET_USAGE_TITLE);
    m_UsageText.SetFont(ok->GetFont());
    m_UsageTitle.SetFont(ok->GetFont());
  }
}

BOOL CEditPropSheet::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  PlaceButtons();
  RefreshUsage();
  ModifyStyle(0, WS_MINIMIZEBOX);
  if (CMenu* menu = GetSystemMenu(FALSE)) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, SC_MINIMIZE, u"最小化");
  }
  m_TestRunButton.EnableWindow(m_OutputFormat != OutputFormat::kCsv);
  // Decided once: a cross table from the data-edit tools has nothing to clear to.
  m_ClearAllButton.ShowWindow(m_DocKind == DOC_KIND_TOOL_CROSS ? SW_HIDE : SW_SHOW);
  return TRUE;
}

void CEditPropSheet::RefreshUsage() {
  theApp.m_Operation.QueryPrintCount();
  if (!theApp.m_PrintCountKnown) return;
  if (m_UsageText.GetSafeHwnd()) {
    m_UsageText.SetWindowText(UsageLineText(theApp.m_PrintUsed, theApp.m_PrintContract));
  }
  if (theApp.m_PrintContract - theApp.m_PrintUsed <= 0) {
    GetUiHooks().MessageBox(kUsageExceededText, u"お知らせ", MB_OK | MB_ICONEXCLAMATION);
  }
}

BOOL CEditPropSheet::PreTranslateMessage(MSG* msg) {
  // Enter never presses a button and Esc never closes the sheet: both reach the
  // focused control as ordinary keys.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
  if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_MENU) return FALSE;
  return CPropertySheet::PreTranslateMessage(msg);
}

void CEditPropSheet::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == SC_MINIMIZE && m_pParentWnd) m_pParentWnd->ShowWindow(SW_MINIMIZE);
  CPropertySheet::OnSysCommand(id, lParam);
}

void CEditPropSheet::SetPageState(int docKind, int subKind, int csvHederTyp, OutputFormat outputFormat,
                                  const int* columnCodes, int subjectColumn, uint8_t numbering, int charCode,
                                  int editMode, int fromClipboard) {
  m_DocKind = docKind;
  m_SubKind = subKind;
  m_CsvHederTyp = csvHederTyp;
  m_OutputFormat = outputFormat;
  for (int i = 0; i < theApp.m_EditCols && i < GRID_COLS; ++i) m_ColumnCodes[i] = columnCodes[i];
  m_SubjectColumn = subjectColumn;
  m_Numbering = numbering;
  m_CharCode = charCode;
  m_EditMode = editMode;
  m_FromClipboard = fromClipboard;
  if (m_TestRunButton.GetSafeHwnd()) m_TestRunButton.EnableWindow(outputFormat != OutputFormat::kCsv);
}

void CEditPropSheet::StoreActivePage() {
  if (!m_MainDlg) return;
  switch (GetActiveIndex()) {
    case 0: m_MainDlg->ReadMainPage(m_MainPage); break;
    case 1: m_MainDlg->ReadCsvPage(&m_CsvPage->Page()); break;
    case 2: m_MainDlg->ReadCommandPage(m_CommandPage); break;
    default: break;
  }
}

unsigned CEditPropSheet::Send(int test) {
  // The detailed page refuses a title it cannot take: nothing is sent then.
  if (GetActiveIndex() == 2 && m_CommandPage && !m_CommandPage->OnKillActive()) return 1;
  StoreActivePage();
  m_MainDlg->ReadCsvPage(&m_CsvPage->Page());
  const int source =
      (theApp.m_EditModeEntered || theApp.m_InputKind == INPUT_CLIPBOARD) ? SEND_EDIT_GRID : SEND_AS_LOADED;
  return m_MainDlg->SendJob(test, source, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
}

void CEditPropSheet::OnExecute() {
  if (Send(SEND_DOCUMENT) == 0) EndDialog(IDOK);
}

void CEditPropSheet::OnTestRun() {
  m_TestRunButton.EnableWindow(FALSE);
  Send(SEND_TEST_RUN);
  m_TestRunButton.EnableWindow(TRUE);
}

void CEditPropSheet::OnCancel() {
  StoreActivePage();
  if (m_MainDlg && m_CsvPage) m_MainDlg->ReadCsvPage(&m_CsvPage->Page());
  EndDialog(IDCANCEL);
}

void CEditPropSheet::OnClearAll() {
  CWaitCursor wait;
  m_MainDlg->ResetJobSettings(RESET_JOB_ONLY);
  const bool tableX = theApp.m_DefaultCommand == u"TypeTX";
  const int kind = tableX ? 1 : 0;
  const int subKind = tableX ? 2 : 0;
  JOBSETTING& job = m_MainDlg->m_JobSetting;
  job.m_DocKind = kind;
  job.m_SubKind = static_cast<uint8_t>(subKind);
  m_DocKind = kind;
  m_SubKind = subKind;
  m_OutputFormat = OutputFormat::kPdf;
  m_BreakMode = 0;
  m_MainPage->m_DocKind = m_CommandPage->m_DocKind = kind;
  m_MainPage->m_SubKind = m_CommandPage->m_SubKind = subKind;
  m_MainPage->m_OutputFormat = m_CommandPage->m_OutputFormat = OutputFormat::kPdf;
  CCsvPropPage& csv = m_CsvPage->Page();
  csv.m_ReportKind = kind;
  csv.m_SubKind = subKind;
  csv.m_OutputFormat = OutputFormat::kPdf;
  m_CsvPage->ResetToSource();
  m_MainDlg->FillCommandPage(m_CommandPage);
  m_CommandPage->RefreshPages();
  m_MainPage->ResetOutputSettings();
}
