#include "jobsheet/sheet/ui/command_prop_page.h"

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/csv_page_types.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "jobsheet/sheet/ui/preview_bitmap.h"
#include "res/command_prop_page.h"
#include "res/tab_dlgs.h"

namespace {

// The type radios in radio order, with the kind, sub-kind and upper picture of each.
struct TYPERADIO {
  int id;
  int kind;
  int subKind;
  UINT bitmap;
};
constexpr TYPERADIO kTypeRadios[] = {
    {res::IDC_CMD_AUTO, 0, 0, 145},  {res::IDC_CMD_TABLE_A3, 1, 0, 230}, {res::IDC_CMD_TABLE, 1, 2, 224},
    {res::IDC_CMD_LIST, 2, 0, 227},  {res::IDC_CMD_LABEL, 3, 0, 228},    {res::IDC_CMD_SINGLE, 4, 0, 229},
};
static_assert(sizeof(kTypeRadios) / sizeof(kTypeRadios[0]) == 6);

constexpr CCommandPropPage::TABENTRY kLabelTabs[] = {
    {u"ラベル設定", 4, 233}, {u"ヘッダー部編集", 2, 231}, {u"セキュリティ", 3, 232}};
constexpr CCommandPropPage::TABENTRY kSingleFormTabs[] = {{u"ヘッダー部編集", 2, 231}, {u"セキュリティ", 3, 232}};
constexpr CCommandPropPage::TABENTRY kOtherTabs[] = {
    {u"特殊設定", 1, 146}, {u"ヘッダー部編集", 2, 231}, {u"セキュリティ", 3, 232}};
constexpr CCommandPropPage::TABENTRY kCsvTabs[] = {{u"特殊設定", 1, 146}};

CEditPropSheet* SheetOf(const CPropertyPage& page) { return dynamic_cast<CEditPropSheet*>(page.GetSheet()); }

}  // namespace

BEGIN_MESSAGE_MAP(CCommandPropPage, CPropertyPage)
  ON_BN_CLICKED(res::IDC_CMD_AUTO, &CCommandPropPage::OnAutoType)
  ON_BN_CLICKED(res::IDC_CMD_TABLE, &CCommandPropPage::OnTableType)
  ON_BN_CLICKED(res::IDC_CMD_LIST, &CCommandPropPage::OnListType)
  ON_BN_CLICKED(res::IDC_CMD_LABEL, &CCommandPropPage::OnLabelType)
  ON_BN_CLICKED(res::IDC_CMD_TABLE_A3, &CCommandPropPage::OnTableA3Type)
  ON_BN_CLICKED(res::IDC_CMD_SINGLE, &CCommandPropPage::OnSingleFormType)
  ON_BN_CLICKED(res::IDC_CMD_PORTRAIT, &CCommandPropPage::OnPortrait)
  ON_NOTIFY(TCN_SELCHANGE, res::IDC_CMD_TAB, &CCommandPropPage::OnTabSelChange)
END_MESSAGE_MAP()

CCommandPropPage::CCommandPropPage() : CPropertyPage(res::IDD_COMMAND_PROP_PAGE) {}

CCommandPropPage::~CCommandPropPage() = default;

void CCommandPropPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_CMD_AUTO, m_TypeRadio);
  DDX_Control(pDX, res::IDC_CMD_TAB, m_Tab);
  DDX_Control(pDX, res::IDC_CMD_AUTO, m_AutoRadio);
  DDX_Control(pDX, res::IDC_CMD_TABLE, m_TableRadio);
  DDX_Control(pDX, res::IDC_CMD_LIST, m_ListRadio);
  DDX_Control(pDX, res::IDC_CMD_LABEL, m_LabelRadio);
  DDX_Control(pDX, res::IDC_CMD_TABLE_A3, m_TableA3Radio);
  DDX_Control(pDX, res::IDC_CMD_SINGLE, m_SingleRadio);
  DDX_Control(pDX, res::IDC_CMD_UPPER_PANE, m_UpperPane);
  DDX_Control(pDX, res::IDC_CMD_LOWER_PANE, m_LowerPane);
  DDX_Control(pDX, res::IDC_CMD_PORTRAIT, m_PortraitCheck);
}

void CCommandPropPage::TakeSheetState() {
  CEditPropSheet* sheet = SheetOf(*this);
  if (!sheet) return;
  m_DocKind = sheet->m_DocKind;
  m_SubKind = sheet->m_SubKind;
  m_CsvHederTyp = sheet->m_CsvHederTyp;
  m_OutputFormat = sheet->m_OutputFormat;
  m_CharCode = sheet->m_CharCode;
  m_EditMode = sheet->m_EditMode;
  m_FromClipboard = sheet->m_FromClipboard;
  for (int i = 0; i < theApp.m_EditCols && i < GRID_COLS; ++i) m_ColumnCodes[i] = sheet->m_ColumnCodes[i];
  m_SubjectColumn = sheet->m_SubjectColumn;
  m_Numbering = sheet->m_Numbering;
}

bool CCommandPropPage::HasSumColumn() const {
  for (int i = 0; i < theApp.m_EditCols && i < GRID_COLS; ++i) {
    if (m_ColumnCodes[i] == CODE_SUM) return true;
  }
  return false;
}

CDialog* CCommandPropPage::TabDialog(int dialog) const {
  switch (dialog) {
    case 1: return m_TabDlg1.get();
    case 2: return m_TabDlg2.get();
    case 3: return m_TabDlg3.get();
    default: return m_TabDlg4.get();
  }
}

void CCommandPropPage::ShowTabDialog(int dialog) {
  for (int d = 1; d <= 4; ++d) {
    if (CDialog* dlg = TabDialog(d)) dlg->ShowWindow(d == dialog ? SW_SHOW : SW_HIDE);
  }
}

int CCommandPropPage::Tabs(const TABENTRY** entries) const {
  if (m_OutputFormat == OutputFormat::kCsv) {
    *entries = kCsvTabs;
    return 1;
  }
  if (m_DocKind == DOC_KIND_LABELS) {
    *entries = kLabelTabs;
    return 3;
  }
  if (m_DocKind == DOC_KIND_FORM) {
    *entries = kSingleFormTabs;
    return 2;
  }
  *entries = kOtherTabs;
  return 3;
}

BOOL CCommandPropPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  TakeSheetState();
  UpdateData(TRUE);
  m_TypeRadio = 0;
  m_PortraitCheck.SetCheck(m_Portrait ? BST_CHECKED : BST_UNCHECKED);

  // The tab dialogs fill the tab control below its row of tabs.
  for (const char16_t* text : {u"ラベル設定", u"特殊設定", u"ヘッダー部編集", u"セキュリティ"}) {
    m_Tab.InsertItem(m_Tab.GetItemCount(), text);
  }
  CRect area;
  m_Tab.GetClientRect(&area);
  CRect item;
  m_Tab.GetItemRect(1, &item);
  area.left += 2;
  area.right -= 4;
  area.bottom -= 4;
  area.top += item.bottom;
  m_TabDlg4 = std::make_unique<CTabDlg4>(&m_Tab);
  m_TabDlg1 = std::make_unique<CTabDlg1>(&m_Tab);
  m_TabDlg2 = std::make_unique<CTabDlg2>(&m_Tab);
  m_TabDlg3 = std::make_unique<CTabDlg3>(&m_Tab);
  const std::pair<CDialog*, UINT> dialogs[] = {{m_TabDlg4.get(), res::IDD_TAB_DLG4},
                                               {m_TabDlg1.get(), res::IDD_TAB_DLG1},
                                               {m_TabDlg2.get(), res::IDD_TAB_DLG2},
                                               {m_TabDlg3.get(), res::IDD_TAB_DLG3}};
  for (const auto& [dlg, id] : dialogs) {
    dlg->Create(id, &m_Tab);
    dlg->MoveWindow(area);
  }
  m_Tab.DeleteItem(0);
  SetCreationType(m_DocKind, m_SubKind);
  PushToTabs();
  UpdateData(FALSE);
  return TRUE;
}

void CCommandPropPage::EnableTypeRadios(bool enable) {
  for (CButton* b : {&m_AutoRadio, &m_TableA3Radio, &m_TableRadio, &m_ListRadio, &m_LabelRadio, &m_SingleRadio}) {
    b->EnableWindow(enable);
  }
}

void CCommandPropPage::SetCreationType(int b, int s) {
  m_DocKind = b <= 2 ? b : b - 1;
  m_SubKind = s;
  m_Tab.DeleteAllItems();
  UpdateData(TRUE);
  CTabDlg1& tab1 = *m_TabDlg1;
  if (m_OutputFormat == OutputFormat::kCsv) {
    m_Tab.InsertItem(0, u"特殊設定");
    m_Tab.SetCurSel(0);
    ShowTabDialog(1);
    EnableTypeRadios(false);
    tab1.m_GraphAuto.EnableWindow(FALSE);
    tab1.m_GraphTotal.EnableWindow(FALSE);
    tab1.m_GraphGroup.EnableWindow(FALSE);
    tab1.m_GraphTypeCombo.EnableWindow(FALSE);
    tab1.m_GraphBox.EnableWindow(FALSE);
    tab1.m_GraphCheck.EnableWindow(FALSE);
    tab1.m_NumberingCheck.EnableWindow(FALSE);
    tab1.m_GraybandCheck.EnableWindow(FALSE);
  } else {
    EnableTypeRadios(true);
    tab1.m_NumberingCheck.EnableWindow(TRUE);
    tab1.m_GraybandCheck.EnableWindow(TRUE);
    const TABENTRY* tabs = nullptr;
    const int count = Tabs(&tabs);
    for (int i = 0; i < count; ++i) m_Tab.InsertItem(i, tabs[i].text);
    m_Tab.SetCurSel(0);
    ShowTabDialog(tabs[0].dialog);
    if (m_DocKind != DOC_KIND_LABELS && m_DocKind != DOC_KIND_FORM) {
      if (m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX && HasSumColumn()) {
        tab1.m_GraphAuto.EnableWindow(TRUE);
        tab1.m_GraphTotal.EnableWindow(TRUE);
        tab1.m_GraphGroup.EnableWindow(TRUE);
        tab1.m_GraphBox.EnableWindow(TRUE);
        tab1.m_GraphCheck.EnableWindow(TRUE);
      } else {
        tab1.m_GraphAuto.EnableWindow(FALSE);
        tab1.m_GraphTotal.EnableWindow(FALSE);
        tab1.m_GraphGroup.EnableWindow(FALSE);
        tab1.m_GraphTypeCombo.EnableWindow(FALSE);
        tab1.m_GraphBox.EnableWindow(FALSE);
      }
    }
  }
  // A header-type job cannot be printed on labels or single forms; CSV output
  // chooses no type at all.
  if (m_OutputFormat != OutputFormat::kCsv) {
    m_LabelRadio.EnableWindow(m_CsvHederTyp != 1);
    m_SingleRadio.EnableWindow(m_CsvHederTyp != 1);
  }
  UpdateData(FALSE);
  tab1.LoadFrom(m_DocKind, m_SubKind, m_ColumnCodes, m_SubjectColumn, m_OutputFormat);
}

UINT CCommandPropPage::UpperBitmap() const {
  for (const TYPERADIO& r : kTypeRadios) {
    if (r.kind == m_DocKind && (r.kind != DOC_KIND_TABULATION || r.subKind == m_SubKind)) return r.bitmap;
  }
  return 0;
}

UINT CCommandPropPage::LowerBitmap() const {
  if (UpperBitmap() == 0) return 0;
  const TABENTRY* tabs = nullptr;
  const int count = Tabs(&tabs);
  const int sel = m_Tab.GetCurSel();
  return (sel >= 0 && sel < count) ? tabs[sel].bitmap : 0;
}

void CCommandPropPage::UpdatePreviews() {
  if (m_UpperPane.GetSafeHwnd()) ShowFittedBitmap(m_UpperPane, UpperBitmap(), FitOptions{});
  if (m_LowerPane.GetSafeHwnd()) ShowFittedBitmap(m_LowerPane, LowerBitmap(), FitOptions{});
}

void CCommandPropPage::OnAutoType() {
  SetCreationType(0, 0);
  UpdatePreviews();
}
void CCommandPropPage::OnTableA3Type() {
  SetCreationType(1, 0);
  UpdatePreviews();
}
void CCommandPropPage::OnTableType() {
  SetCreationType(1, 2);
  UpdatePreviews();
}
void CCommandPropPage::OnListType() {
  SetCreationType(3, 0);
  UpdatePreviews();
}
void CCommandPropPage::OnLabelType() {
  SetCreationType(4, 0);
  UpdatePreviews();
}
void CCommandPropPage::OnSingleFormType() {
  SetCreationType(5, 0);
  UpdatePreviews();
}

void CCommandPropPage::OnPortrait() { m_Portrait = m_PortraitCheck.GetCheck() == BST_CHECKED ? 1 : 0; }

BOOL CCommandPropPage::OnSetActive() {
  TakeSheetState();
  UpdateData(TRUE);
  if (m_DocKind == DOC_KIND_TOOL_CROSS) {
    m_TypeRadio = -1;
    EnableTypeRadios(false);
    m_PortraitCheck.ShowWindow(SW_HIDE);
  } else if (m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPET) {
    SetCreationType(1, 0);
    m_TypeRadio = 1;
  } else if (m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX) {
    SetCreationType(1, 2);
    m_TypeRadio = 2;
  } else if (m_DocKind == DOC_KIND_NONE) {
    SetCreationType(0, 0);
    m_TypeRadio = 0;
  } else {
    // Kinds without a radio of their own (1 with sub-kind 1, 5) become single forms.
    SetCreationType(m_DocKind == DOC_KIND_LIST ? 3 : (m_DocKind == DOC_KIND_LABELS ? 4 : 5), 0);
    m_TypeRadio = m_DocKind + 1;
  }
  UpdatePreviews();
  UpdateData(FALSE);
  m_TabDlg4->Refresh();
  m_TabDlg1->LoadFrom(m_DocKind, m_SubKind, m_ColumnCodes, m_SubjectColumn, m_OutputFormat);
  m_TabDlg2->LoadFrom();
  m_TabDlg3->LoadFrom(m_OutputFormat);
  return TRUE;
}

BOOL CCommandPropPage::OnKillActive() {
  if (m_TabDlg2->m_TitleSpecified == 1) {
    // A refused title is never taken in (and so never sent): the page stays.
    const CString title = m_TabDlg2->m_TitleEdit.GetWindowText();
    if (!TitleFits(title)) return FALSE;
    m_TabDlg2->m_Title = title;
  }
  CTabDlg3& tab3 = *m_TabDlg3;
  tab3.m_UserPasswd = tab3.m_ReadPasswordEdit.IsWindowEnabled() ? tab3.m_ReadPasswordEdit.GetWindowText() : CString();
  tab3.m_OwnerPasswd = tab3.m_EditPasswordEdit.IsWindowEnabled() ? tab3.m_EditPasswordEdit.GetWindowText() : CString();
  m_Numbering = m_TabDlg1->m_Numbering;
  if (CEditPropSheet* sheet = SheetOf(*this)) {
    sheet->SetPageState(m_DocKind, m_SubKind, m_CsvHederTyp, m_OutputFormat, m_ColumnCodes, m_SubjectColumn,
                        m_Numbering, m_CharCode, m_EditMode, m_FromClipboard);
    if (sheet->m_MainDlg) sheet->m_MainDlg->ReadCommandPage(this);
  }
  return TRUE;
}

void CCommandPropPage::PushToTabs() {
  CTabDlg4& t4 = *m_TabDlg4;
  t4.m_LabelUse = m_Job.labelUse;
  t4.m_LabelLayout1 = m_Job.labelLayout1;
  t4.m_LabelLayout2 = m_Job.labelLayout2;
  t4.m_LabelSheetKind = m_Job.labelSheetKind;
  t4.m_StartLabel = m_Job.startLabel;
  CTabDlg1& t1 = *m_TabDlg1;
  t1.m_Numbering = m_Job.numbering;
  t1.m_Grayband = m_Job.grayband;
  t1.m_HideDetail = m_Job.hideDetail;
  t1.m_Graph = m_Job.graph;
  t1.m_GraphType = m_Job.graphType;
  t1.m_DocKind = m_DocKind;
  t1.m_SubKind = m_SubKind;
  t1.m_DateFormat = m_Job.dateFormat;
  CTabDlg2& t2 = *m_TabDlg2;
  t2.m_HideTitleName = m_Job.hideTitleName;
  t2.m_Title = m_Job.title;
  t2.m_HideBits = m_Job.hideBits;
  t2.m_Date = m_Job.date;
  t2.m_HideErr = m_Job.hideErr;
  t2.m_HideFieldName = m_Job.hideFieldName;
  m_TabDlg3->m_UserPasswd = m_Job.userPasswd;
  m_TabDlg3->m_OwnerPasswd = m_Job.ownerPasswd;
}

void CCommandPropPage::RefreshPages() {
  if (!m_TabDlg1 || !m_TabDlg2 || !m_TabDlg3 || !m_TabDlg4) return;
  PushToTabs();
  m_TabDlg2->Reset();
  CTabDlg3& t3 = *m_TabDlg3;
  if (t3.m_ShowPassword) {
    t3.m_ShowPassword = 0;
    t3.UpdateData(FALSE);
    t3.m_ReadPasswordEdit.SetPasswordChar(u'*');
    t3.m_EditPasswordEdit.SetPasswordChar(u'*');
  }
  CTabDlg4& t4 = *m_TabDlg4;
  t4.m_UsageRadio = 0;
  t4.UpdateData(FALSE);
  t4.m_SheetCombo.SetCurSel(0);
  t4.m_LabelUse = 0;
  t4.m_SheetCombo.EnableWindow(FALSE);
  t4.m_StartButton.EnableWindow(FALSE);
  if (GetSheet() && GetSheet()->GetActivePage() == this) OnSetActive();
  t4.Refresh();
  m_TabDlg1->LoadFrom(m_DocKind, m_SubKind, m_ColumnCodes, m_SubjectColumn, m_OutputFormat);
  m_TabDlg2->LoadFrom();
  m_TabDlg3->LoadFrom(m_OutputFormat);
  UpdateData(FALSE);
}

void CCommandPropPage::OnTabSelChange(NMHDR*, LRESULT* result) {
  const TABENTRY* tabs = nullptr;
  const int count = Tabs(&tabs);
  const int sel = m_Tab.GetCurSel();
  if (sel >= 0 && sel < count) ShowTabDialog(tabs[sel].dialog);
  UpdatePreviews();
  if (result) *result = 0;
}
