#include "jobsheet/reuse/ui/overlap_list.h"

#include <algorithm>

#include "edittools/chain/tool_order_text.h"
#include "res/overlap_list.h"

namespace {

struct ColumnDef {
  const char16_t* caption;
  int width;
};
// The tool column is a little wider than 100 so its heading is seen whole.
constexpr ColumnDef kColumns[] = {
    {u"出力ﾌｧｲﾙ", 60}, {u"ジョブ名", 180}, {u"ﾃﾞｰﾀ加工・集計ﾂｰﾙ", 112}, {u"コマンド", 100}};
constexpr int kMaxCsvNameChars = 100;

const char16_t* BadgeText(OutputFormat outputFormat) {
  switch (outputFormat) {
    case OutputFormat::kPdf: return u"PDF";
    case OutputFormat::kExcel: return u"EXCEL";
    case OutputFormat::kCsv: return u"CSV";
  }
  return u"";
}

}  // namespace

BEGIN_MESSAGE_MAP(COverlapList, CDialogEx)
  ON_NOTIFY(NM_CLICK, res::IDC_OVERLAP_LIST, &COverlapList::OnClickList)
  ON_NOTIFY(NM_DBLCLK, res::IDC_OVERLAP_LIST, &COverlapList::OnDblClkList)
  ON_BN_CLICKED(res::IDC_OVERLAP_OK, &COverlapList::OnChooseButton)
  ON_BN_CLICKED(res::IDC_OVERLAP_NEW, &COverlapList::OnNewJob)
END_MESSAGE_MAP()

COverlapList::COverlapList(CWnd* parent) : CDialogEx(res::IDD_OVERLAP_LIST, parent) {
  m_List.m_BadgeOf = [this](int row) {
    return row >= 0 && row < static_cast<int>(m_FormatTexts.size()) ? m_FormatTexts[row] : CString();
  };
}

void COverlapList::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_OVERLAP_LIST, m_List);
  DDX_Control(pDX, res::IDC_OVERLAP_OK, m_OkButton);
  DDX_Text(pDX, res::IDC_OVERLAP_CSVNAME, m_CsvName);
}

BOOL COverlapList::OnInitDialog() {
  m_CsvName = m_CsvName.Left(kMaxCsvNameChars);
  CDialogEx::OnInitDialog();
  m_List.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  // The command, the last column, takes the list's free width.
  CRect client;
  m_List.GetClientRect(&client);
  int used = 0;
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    const bool last = i + 1 == static_cast<int>(std::size(kColumns));
    const int width = last ? std::max(kColumns[i].width, client.Width() - used) : kColumns[i].width;
    m_List.InsertColumn(i, CString(kColumns[i].caption), LVCFMT_LEFT, width);
    used += width;
  }
  m_List.DeleteAllItems();
  m_FormatTexts.clear();
  const int count = m_Jobs ? std::min<int>(m_JobCount, static_cast<int>(m_Jobs->size())) : 0;
  for (int i = 0; i < count; ++i) {
    const REUSECOMMAND_SAMECSVFILE& job = (*m_Jobs)[i];
    m_List.InsertItem(i, CString());
    m_List.SetItemText(i, 1, job.jobName);
    m_List.SetItemText(i, 2, job.toolOrder.IsEmpty() ? CString() : ToolOrderToLetters(job.toolOrder));
    m_List.SetItemText(i, 3, job.command);
    m_FormatTexts.push_back(CString(BadgeText(job.outputFormat)));
  }
  m_OkButton.EnableWindow(FALSE);
  UpdateData(FALSE);
  return TRUE;
}

void COverlapList::OnClickList(NMHDR* hdr, LRESULT* result) {
  auto* act = reinterpret_cast<NMITEMACTIVATE*>(hdr);
  LVHITTESTINFO hit;
  hit.pt = act->ptAction;
  m_Selected = m_List.SubItemHitTest(&hit);
  m_OkButton.EnableWindow(TRUE);
  *result = 0;
}

void COverlapList::OnDblClkList(NMHDR*, LRESULT* result) {
  *result = 0;
  OnChooseButton();
}

void COverlapList::OnChooseButton() {
  m_NewRequested = 0;
  CDialogEx::OnOK();
}

// The hidden default button: Enter chooses like "OK".
void COverlapList::OnOK() { OnChooseButton(); }

void COverlapList::OnNewJob() {
  m_NewRequested = 1;
  CDialogEx::OnOK();
}
