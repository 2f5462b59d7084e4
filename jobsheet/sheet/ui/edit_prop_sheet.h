#pragma once
// CEditPropSheet: the job settings sheet. Three pages (basic, CSV, detailed), its
// own buttons "実行", "テスト実行" and "全設定クリア" in place of OK, and the
// usage line of the service's print counts. The sheet holds the state the pages
// share; each page takes it when it becomes active and hands it back when left.
//
// DoModal gives 1 after a successful "実行", 2 after cancel or the close box; the
// pages were stored into the main dialog's record in both cases.

#include <cstdint>

#include "grid/grid_store.h"
#include "jobsheet/command/job_setting.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CTabroClientDlg;
class CMainProptyPage;
class CCsvSheetPage;
class CCommandPropPage;

// Ids of the sheet's own buttons.
enum : int {
  IDC_SHEET_EXECUTE = 1094,
  IDC_SHEET_TESTRUN = 1099,
  IDC_SHEET_CLEARALL = 1273,
  IDC_SHEET_USAGE_TITLE = 1274,
  IDC_SHEET_USAGE = 1275,
};

class CEditPropSheet : public CPropertySheet {
 public:
  explicit CEditPropSheet(const CString& caption, CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  // The pipeline's preparation: the three pages in order, no apply button, the
  // shared state from the main dialog's record (after the CSV and detailed pages
  // were filled) and the start page (startPage 0 to 2; clipboard input always 1).
  void Prepare(CTabroClientDlg* mainDlg, CMainProptyPage* mainPage, CCsvSheetPage* csvPage,
               CCommandPropPage* commandPage, int startPage);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnCancel() override;
  void OnOK() override {}

  // Stores a page's copies as the shared state; the test run is offered unless
  // the output is CSV.
  void SetPageState(int docKind, int subKind, int csvHederTyp, OutputFormat outputFormat, const int* columnCodes,
                    int subjectColumn, uint8_t numbering, int charCode, int editMode, int fromClipboard);
  // The active page into the record.
  void StoreActivePage();
  // Asks the service for the print counts and shows them.
  void RefreshUsage();

  CTabroClientDlg* m_MainDlg = nullptr;
  CMainProptyPage* m_MainPage = nullptr;
  CCsvSheetPage* m_CsvPage = nullptr;
  CCommandPropPage* m_CommandPage = nullptr;
  OutputFormat m_OutputFormat = OutputFormat::kPdf;
  int m_DocKind = 0;
  int m_SubKind = 0;
  int m_CsvHederTyp = 0;
  int m_FromClipboard = 0;
  int m_CharCode = 0;
  int m_EditMode = 0;
  int m_ColumnCodes[GRID_COLS] = {};
  int m_SubjectColumn = 0;
  uint8_t m_Numbering = 0;
  int m_BreakMode = 0;
  CMFCButton m_ExecuteButton;
  CMFCButton m_TestRunButton;
  CMFCButton m_ClearAllButton;
  CToolTipCtrl m_ToolTip;
  CStatic m_UsageTitle;
  CStatic m_UsageText;

 private:
  afx_msg void OnExecute();
  afx_msg void OnTestRun();
  afx_msg void OnClearAll();
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  // Stores the pages and sends; the data source is the page's grid once it was
  // edited or for clipboard input.
  unsigned Send(int test);
  void PlaceButtons();
};
