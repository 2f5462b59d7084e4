#include "jobsheet/sheet/ui/main_propty_page.h"

#include "app/steps/join_replay.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "edittools/chain/ui/data_edit.h"
#include "jobsheet/sheet/page_values.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "jobsheet/sheet/ui/preview_bitmap.h"
#include "res/main_propty_page.h"

namespace {

constexpr const char16_t* kListTypes[] = {u"通常", u"リスト形式", u"分析用リスト形式(TypeA)",
                                          u"分析用リスト形式(TypeB)"};
constexpr const char16_t* kCharCodes[] = {u"UTF-8", u"Shift-JIS"};

// The six pictures with their bitmaps; the large one fills the right half.
struct PICTURE {
  int id;
  UINT bitmap;
};
constexpr PICTURE kPictures[] = {{res::IDC_MAIN_PAPER_PICTURE, 139}, {res::IDC_MAIN_FORMAT_PICTURE, 140},
                                 {res::IDC_MAIN_PDF_PICTURE, 141},   {res::IDC_MAIN_EXCEL_PICTURE, 142},
                                 {res::IDC_MAIN_CSV_PICTURE, 268},   {res::IDC_MAIN_PICTURE, 144}};
static_assert(sizeof(kPictures) / sizeof(kPictures[0]) == 6);

CEditPropSheet* SheetOf(const CPropertyPage& page) { return dynamic_cast<CEditPropSheet*>(page.GetSheet()); }

}  // namespace

BEGIN_MESSAGE_MAP(CMainProptyPage, CPropertyPage)
  ON_BN_CLICKED(res::IDC_MAIN_PDF, &CMainProptyPage::OnPdf)
  ON_BN_CLICKED(res::IDC_MAIN_EXCEL, &CMainProptyPage::OnExcel)
  ON_BN_CLICKED(res::IDC_MAIN_CSV, &CMainProptyPage::OnCsv)
  ON_BN_CLICKED(res::IDC_MAIN_PAPER, &CMainProptyPage::OnPaperPriority)
  ON_BN_CLICKED(res::IDC_MAIN_FORMAT, &CMainProptyPage::OnFormatPriority)
  ON_CBN_SELCHANGE(res::IDC_MAIN_LISTTYPE, &CMainProptyPage::OnListTypeChange)
  ON_BN_CLICKED(res::IDC_MAIN_CHARCODE_CHECK, &CMainProptyPage::OnCharCodeCheck)
  ON_CBN_SELCHANGE(res::IDC_MAIN_CHARCODE, &CMainProptyPage::OnCharCodeChange)
  ON_BN_CLICKED(res::IDC_MAIN_DELETE_AFTER, &CMainProptyPage::OnDeleteAfter)
  ON_BN_CLICKED(res::IDC_MAIN_TOOLS, &CMainProptyPage::OnConfirmTools)
END_MESSAGE_MAP()

CMainProptyPage::CMainProptyPage() : CPropertyPage(res::IDD_MAIN_PROPTY_PAGE) {}

void CMainProptyPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_MAIN_PAPER, m_CreationRadio);
  DDX_Radio(pDX, res::IDC_MAIN_PDF, m_OutputRadio);
  DDX_Check(pDX, res::IDC_MAIN_DELETE_AFTER, m_DeleteAfter);
  DDX_Text(pDX, res::IDC_MAIN_COMMAND, m_CommandText);
  DDX_Control(pDX, res::IDC_MAIN_LISTTYPE, m_ListTypeCombo);
  DDX_Control(pDX, res::IDC_MAIN_CHARCODE, m_CharCodeCombo);
  DDX_Control(pDX, res::IDC_MAIN_CHARCODE_CHECK, m_CharCodeCheck);
  for (int i = 0; i < 6; ++i) DDX_Control(pDX, kPictures[i].id, m_Pictures[i]);
}

void CMainProptyPage::Enable(int id, bool enable) {
  if (CWnd* w = GetDlgItem(id)) w->EnableWindow(enable);
}

void CMainProptyPage::Store() {
  CEditPropSheet* sheet = SheetOf(*this);
  if (!sheet) return;
  if (sheet->m_MainDlg) sheet->m_MainDlg->ReadMainPage(this);
  sheet->SetPageState(m_DocKind, m_SubKind, m_CsvHederTyp, m_OutputFormat, m_ColumnCodes, m_SubjectColumn,
                      m_Numbering, m_CharCode, m_EditMode, m_FromClipboard);
}

void CMainProptyPage::DrawBitmaps() {
  for (int i = 0; i < 6; ++i) {
    if (!m_Pictures[i].GetSafeHwnd()) continue;
    FitOptions fit;
    fit.centred = true;
    if (kPictures[i].id == res::IDC_MAIN_PICTURE) fit.widthScale = 0.991;
    ShowFittedBitmap(m_Pictures[i], kPictures[i].bitmap, fit);
  }
}

BOOL CMainProptyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (m_OutputFormat == OutputFormat::kPdf || m_OutputFormat == OutputFormat::kExcel) {
    m_OutputRadio = OutputFormatNumber(m_OutputFormat);
    Enable(res::IDC_MAIN_PAPER, true);
    Enable(res::IDC_MAIN_FORMAT, true);
    Enable(res::IDC_MAIN_CHARCODE_CHECK, false);
    Enable(res::IDC_MAIN_CHARCODE, false);
  } else {
    m_OutputRadio = OutputFormatNumber(OutputFormat::kCsv);
    Enable(res::IDC_MAIN_PAPER, false);
    Enable(res::IDC_MAIN_FORMAT, false);
    Enable(res::IDC_MAIN_CHARCODE_CHECK, true);
    Enable(res::IDC_MAIN_CHARCODE, false);
    m_CharCode = 2;
  }
  m_CreationRadio = 0;
  m_DeleteAfter = 0;
  for (const char16_t* t : kListTypes) m_ListTypeCombo.AddString(t);
  for (const char16_t* t : kCharCodes) m_CharCodeCombo.AddString(t);
  m_ListTypeCombo.SetCurSel(0);
  m_CharCodeCombo.SetCurSel(0);
  // Clipboard input has no file to delete.
  if (m_FromClipboard) GetDlgItem(res::IDC_MAIN_DELETE_AFTER)->ShowWindow(SW_HIDE);
  if (theApp.m_ToolOrder[0].toolKind == ToolKind::kNone) {
    GetDlgItem(res::IDC_MAIN_TOOLS_BOX)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_MAIN_TOOLS)->ShowWindow(SW_HIDE);
  }
  UpdateData(FALSE);
  DrawBitmaps();
  return TRUE;
}

BOOL CMainProptyPage::OnSetActive() {
  const int listType = m_ListType;
  if (CEditPropSheet* sheet = SheetOf(*this)) {
    m_CsvHederTyp = sheet->m_CsvHederTyp;
    m_OutputFormat = sheet->m_OutputFormat;
    for (int i = 0; i < theApp.m_EditCols && i < GRID_COLS; ++i) m_ColumnCodes[i] = sheet->m_ColumnCodes[i];
    m_SubjectColumn = sheet->m_SubjectColumn;
    m_Numbering = sheet->m_Numbering;
    m_EditMode = sheet->m_EditMode;
    m_CharCode = sheet->m_CharCode;
    m_DocKind = sheet->m_DocKind;
    m_SubKind = sheet->m_SubKind;
    m_FromClipboard = sheet->m_FromClipboard;
  }
  // An edited grid of a file input is sent as it is: no plain CSV of it.
  Enable(res::IDC_MAIN_CSV, !(m_EditMode && !m_FromClipboard));
  if (listType != 0) {
    m_OutputFormat = OutputFormat::kExcel;
    m_ListTypeCombo.SetCurSel(listType);
  }
  const bool tableX = m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX;
  const bool creation = m_OutputFormat != OutputFormat::kCsv && (m_DocKind == DOC_KIND_NONE || tableX);
  Enable(res::IDC_MAIN_PAPER, creation);
  Enable(res::IDC_MAIN_FORMAT, creation);
  if (tableX && m_OutputFormat == OutputFormat::kExcel) {
    Enable(res::IDC_MAIN_LISTTYPE, true);
  } else {
    Enable(res::IDC_MAIN_LISTTYPE, false);
    Enable(res::IDC_MAIN_CHARCODE, false);
    m_ListType = 0;
  }
  if (m_OutputFormat == OutputFormat::kCsv) {
    if (m_CharCode == 2) {
      m_CharCodeCheck.SetCheck(BST_UNCHECKED);
      Enable(res::IDC_MAIN_CHARCODE, false);
    } else if (m_CharCode == 0 || m_CharCode == 1) {
      m_CharCodeCheck.SetCheck(BST_CHECKED);
      Enable(res::IDC_MAIN_CHARCODE, true);
      m_CharCodeCombo.SetCurSel(m_CharCode);
    }
  }
  if (m_DocKind == DOC_KIND_TOOL_CROSS) Enable(res::IDC_MAIN_CSV, false);
  m_CreationRadio = m_DocKind;
  m_OutputRadio = OutputFormatNumber(m_OutputFormat);
  UpdateData(FALSE);
  UpdateCommandText();
  return TRUE;
}

BOOL CMainProptyPage::OnKillActive() {
  Store();
  return TRUE;
}

void CMainProptyPage::AfterOutputChoice() {
  Store();
  Enable(res::IDC_MAIN_PAPER, m_DocKind != DOC_KIND_TOOL_CROSS);
  Enable(res::IDC_MAIN_FORMAT, m_DocKind != DOC_KIND_TOOL_CROSS);
  UpdateCommandText();
}

void CMainProptyPage::OnPdf() {
  m_OutputFormat = OutputFormat::kPdf;
  m_ListType = 0;
  Enable(res::IDC_MAIN_LISTTYPE, false);
  Enable(res::IDC_MAIN_CHARCODE, false);
  Enable(res::IDC_MAIN_CHARCODE_CHECK, false);
  AfterOutputChoice();
}

void CMainProptyPage::OnExcel() {
  m_OutputFormat = OutputFormat::kExcel;
  const bool tableX = m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX;
  Enable(res::IDC_MAIN_LISTTYPE, tableX);
  Enable(res::IDC_MAIN_CHARCODE, false);
  Enable(res::IDC_MAIN_CHARCODE_CHECK, false);
  const bool formatPriority = IsDlgButtonChecked(res::IDC_MAIN_FORMAT) == BST_CHECKED;
  m_ListType = formatPriority ? m_ListTypeCombo.GetCurSel() : 0;
  AfterOutputChoice();
}

void CMainProptyPage::OnCsv() {
  m_OutputFormat = OutputFormat::kCsv;
  m_ListType = 0;
  Enable(res::IDC_MAIN_LISTTYPE, false);
  Enable(res::IDC_MAIN_CHARCODE_CHECK, true);
  if (m_CharCodeCheck.GetCheck() == BST_CHECKED) {
    Enable(res::IDC_MAIN_CHARCODE, true);
    m_CharCode = m_CharCodeCombo.GetCurSel();
  } else {
    Enable(res::IDC_MAIN_CHARCODE, false);
    m_CharCode = 2;
  }
  AfterOutputChoice();
}

void CMainProptyPage::OnPaperPriority() {
  m_DocKind = DOC_KIND_NONE;
  m_SubKind = TAB_SUBKIND_TYPET;
  m_ListType = 0;
  Enable(res::IDC_MAIN_LISTTYPE, false);
  Enable(res::IDC_MAIN_CHARCODE, false);
  Store();
  UpdateCommandText();
}

void CMainProptyPage::OnFormatPriority() {
  m_DocKind = DOC_KIND_TABULATION;
  m_SubKind = TAB_SUBKIND_TYPETX;
  if (IsDlgButtonChecked(res::IDC_MAIN_EXCEL) == BST_CHECKED) {
    m_ListType = m_ListTypeCombo.GetCurSel();
    Enable(res::IDC_MAIN_LISTTYPE, true);
  } else {
    m_ListType = 0;
    Enable(res::IDC_MAIN_LISTTYPE, false);
  }
  Enable(res::IDC_MAIN_CHARCODE, false);
  Store();
  UpdateCommandText();
}

void CMainProptyPage::OnListTypeChange() {
  m_ListType = m_ListTypeCombo.GetCurSel();
  Store();
  UpdateCommandText();
}

void CMainProptyPage::OnCharCodeCheck() {
  if (m_CharCodeCheck.GetCheck() == BST_CHECKED) {
    Enable(res::IDC_MAIN_CHARCODE, true);
    m_CharCode = m_CharCodeCombo.GetCurSel();
  } else {
    Enable(res::IDC_MAIN_CHARCODE, false);
    m_CharCode = 2;
  }
  Store();
  UpdateData(FALSE);
}

void CMainProptyPage::OnCharCodeChange() {
  m_CharCode = m_CharCodeCombo.GetCurSel();
  Store();
}

void CMainProptyPage::OnDeleteAfter() { m_DeleteAfter = IsDlgButtonChecked(res::IDC_MAIN_DELETE_AFTER) == BST_CHECKED; }

void CMainProptyPage::UpdateCommandText() {
  CEditPropSheet* sheet = SheetOf(*this);
  m_CommandText = (sheet && sheet->m_MainDlg) ? sheet->m_MainDlg->BuildCommandText() : CString();
  if (GetSafeHwnd()) SetDlgItemText(res::IDC_MAIN_COMMAND, m_CommandText);
}

void CMainProptyPage::ResetOutputSettings() {
  if (!GetSafeHwnd()) return;
  if (GetSheet() && GetSheet()->GetActivePage() == this) OnSetActive();
  m_CharCodeCheck.SetCheck(BST_UNCHECKED);
  m_CharCodeCombo.SetCurSel(0);
  m_ListTypeCombo.SetCurSel(0);
  UpdateData(FALSE);
  UpdateCommandText();
  m_OutputRadio = OutputFormatNumber(OutputFormat::kPdf);
  UpdateData(FALSE);
  OnPdf();
}

void CMainProptyPage::OnConfirmTools() {
  RunOrderConfirmation();
}

int CMainProptyPage::RunAddCsv() {
  CAddcsvJoin join;
  PrepareJoinReplay(join);
  CWaitCursor wait;
  return join.JoinByKeys();
}

void CTabroClientDlg::ReadMainPage(CMainProptyPage* page) {
  MAINPAGEVALUES v;
  v.outputFormat = page->m_OutputFormat;
  v.charCode = page->m_CharCode;
  v.subKind = page->m_SubKind;
  v.listType = page->m_ListType;
  v.docKind = page->m_DocKind;
  v.deleteAfter = page->m_DeleteAfter;
  ReadMainValues(m_JobSetting, m_DeleteAfterSend, v);
}
