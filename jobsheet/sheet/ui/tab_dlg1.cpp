#include "jobsheet/sheet/ui/tab_dlg1.h"

#include "app/tabro_client_app.h"
#include "jobsheet/sheet/csv_page_types.h"
#include "res/tab_dlgs.h"

namespace {

struct GraphType {
  const char16_t* text;
  const char16_t* code;
};
constexpr GraphType kGraphTypes[] = {
    {u"指定なし", u""}, {u"棒グラフ", u"Bar"}, {u"折れ線グラフ", u"Lin"}, {u"円グラフ", u"Pai"}, {u"パレート図", u"Prt"},
};
static_assert(sizeof(kGraphTypes) / sizeof(kGraphTypes[0]) == 5);

constexpr const char16_t* kDateFormats[] = {u"yy年m月d日",    u"yy年mm月dd日", u"y年m月d日",
                                            u"和暦y年m月d日", u"W暦y.m.d",     u"yyyy/mm/dd"};
static_assert(sizeof(kDateFormats) / sizeof(kDateFormats[0]) == 6);

uint8_t Ticked(const CButton& b) { return b.GetCheck() == BST_CHECKED ? 1 : 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CTabDlg1, CDialogEx)
  ON_BN_CLICKED(res::IDC_TAB1_NUMBERING, &CTabDlg1::OnNumbering)
  ON_BN_CLICKED(res::IDC_TAB1_GRAYBAND, &CTabDlg1::OnGrayband)
  ON_BN_CLICKED(res::IDC_TAB1_HIDEDETAIL, &CTabDlg1::OnHideDetail)
  ON_CBN_SELCHANGE(res::IDC_TAB1_DATEFORMAT, &CTabDlg1::OnDateFormatChange)
  ON_BN_CLICKED(res::IDC_TAB1_GRAPH, &CTabDlg1::OnGraph)
  ON_BN_CLICKED(res::IDC_TAB1_GRAPH_AUTO, &CTabDlg1::OnGraphAuto)
  ON_BN_CLICKED(res::IDC_TAB1_GRAPH_TOTAL, &CTabDlg1::OnGraphTotal)
  ON_BN_CLICKED(res::IDC_TAB1_GRAPH_GROUP, &CTabDlg1::OnGraphGroup)
  ON_CBN_SELCHANGE(res::IDC_TAB1_GRAPH_TYPE, &CTabDlg1::OnGraphTypeChange)
END_MESSAGE_MAP()

CTabDlg1::CTabDlg1(CWnd* parent) : CDialogEx(res::IDD_TAB_DLG1, parent) {}

void CTabDlg1::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_TAB1_NUMBERING, m_NumberingCheck);
  DDX_Control(pDX, res::IDC_TAB1_GRAYBAND, m_GraybandCheck);
  DDX_Control(pDX, res::IDC_TAB1_HIDEDETAIL, m_HideDetailCheck);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH, m_GraphCheck);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH_TYPE, m_GraphTypeCombo);
  DDX_Control(pDX, res::IDC_TAB1_DATEFORMAT, m_DateFormatCombo);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH_AUTO, m_GraphAuto);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH_TOTAL, m_GraphTotal);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH_GROUP, m_GraphGroup);
  DDX_Control(pDX, res::IDC_TAB1_GRAPH_BOX, m_GraphBox);
  DDX_Radio(pDX, res::IDC_TAB1_GRAPH_AUTO, m_GraphRadio);
}

BOOL CTabDlg1::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_Numbering = m_Grayband = m_HideDetail = m_Graph = m_HasSum = 0;
  m_GraphRadio = m_DateFormat = 0;
  m_GraphType.Empty();
  for (const GraphType& t : kGraphTypes) m_GraphTypeCombo.AddString(t.text);
  for (const char16_t* f : kDateFormats) m_DateFormatCombo.AddString(f);
  m_GraphTypeCombo.SetCurSel(0);
  m_DateFormatCombo.SetCurSel(0);
  m_GraphTypeCombo.EnableWindow(FALSE);
  UpdateData(FALSE);
  return TRUE;
}

void CTabDlg1::OnNumbering() { m_Numbering = Ticked(m_NumberingCheck); }
void CTabDlg1::OnGrayband() { m_Grayband = Ticked(m_GraybandCheck); }
void CTabDlg1::OnHideDetail() { m_HideDetail = Ticked(m_HideDetailCheck); }
void CTabDlg1::OnDateFormatChange() { m_DateFormat = m_DateFormatCombo.GetCurSel(); }

void CTabDlg1::EnableGraphChoice(bool enable) {
  m_GraphAuto.EnableWindow(enable);
  m_GraphTotal.EnableWindow(enable);
  m_GraphGroup.EnableWindow(enable);
  m_GraphBox.EnableWindow(enable);
  m_GraphTypeCombo.EnableWindow(enable && (m_Graph == 2 || m_Graph == 3));
}

void CTabDlg1::OnGraph() {
  if (Ticked(m_GraphCheck)) {
    m_Graph = static_cast<uint8_t>(m_GraphRadio + 1);
    EnableGraphChoice(m_DocKind == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX && m_HasSum == 1);
  } else {
    m_Graph = 0;
    EnableGraphChoice(false);
  }
}

void CTabDlg1::ChooseGraph(int radio) {
  UpdateData(TRUE);
  m_GraphRadio = radio;
  m_Graph = static_cast<uint8_t>(radio + 1);
  if (radio == 0) {
    m_GraphTypeCombo.EnableWindow(FALSE);
    m_GraphType.Empty();
  } else {
    m_GraphTypeCombo.EnableWindow(TRUE);
    const int sel = m_GraphTypeCombo.GetCurSel();
    m_GraphType = (sel >= 0 && sel < 5) ? kGraphTypes[sel].code : u"";
  }
  UpdateData(FALSE);
}

void CTabDlg1::OnGraphAuto() { ChooseGraph(0); }
void CTabDlg1::OnGraphTotal() { ChooseGraph(1); }
void CTabDlg1::OnGraphGroup() { ChooseGraph(2); }

void CTabDlg1::OnGraphTypeChange() {
  const int sel = m_GraphTypeCombo.GetCurSel();
  m_GraphType = (sel >= 0 && sel < 5) ? kGraphTypes[sel].code : u"";
}

void CTabDlg1::SelectGraphType() {
  int index = 0;
  for (int i = 0; i < 5; ++i) {
    if (m_GraphType == kGraphTypes[i].code) index = i;
  }
  m_GraphTypeCombo.SetCurSel(index);
}

void CTabDlg1::LoadFrom(int k, int s, const int* codes, int c, OutputFormat f) {
  UpdateData(TRUE);
  m_NumberingCheck.SetCheck(m_Numbering ? BST_CHECKED : BST_UNCHECKED);
  m_GraybandCheck.SetCheck(m_Grayband ? BST_CHECKED : BST_UNCHECKED);
  m_HideDetailCheck.SetCheck(m_HideDetail ? BST_CHECKED : BST_UNCHECKED);
  m_DateFormatCombo.SetCurSel(m_DateFormat);
  if (m_Graph == 0) {
    m_GraphRadio = 0;
    m_GraphCheck.SetCheck(BST_UNCHECKED);
  } else {
    m_GraphRadio = m_Graph - 1;
    m_GraphCheck.SetCheck(BST_CHECKED);
  }
  SelectGraphType();
  m_HasSum = 0;
  for (int i = 0; i < theApp.m_EditCols && i < GRID_COLS; ++i) {
    if (codes[i] == CODE_SUM) m_HasSum = 1;
  }
  m_DocKind = k;
  m_SubKind = s;
  EnableGraphChoice(Ticked(m_GraphCheck) && f != OutputFormat::kCsv && k == 1 && s == 2 && m_HasSum == 1);
  m_HideDetailCheck.EnableWindow(m_HasSum == 1);
  m_NumberingCheck.EnableWindow(c <= 0 && f != OutputFormat::kCsv);
  UpdateData(FALSE);
}
