// CTabroClientDlg::FillCommandPage and ReadCommandPage: the record and the
// detailed page with its tabs.
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/page_values.h"
#include "jobsheet/sheet/ui/command_prop_page.h"

void CTabroClientDlg::FillCommandPage(CCommandPropPage* page) {
  COMMANDPAGEVALUES v = page->m_Job;
  if (!FillCommandValues(m_JobSetting, v)) {
    theApp.DoMessageBox(LabelLayoutRefusal(m_JobSetting.m_LabelLayout1, m_JobSetting.m_LabelLayout2),
                        MB_OK | MB_ICONEXCLAMATION);
  }
  page->m_DocKind = v.docKind;
  page->m_SubKind = v.subKind;
  page->m_CsvHederTyp = v.csvHederTyp;
  page->m_CharCode = v.charCode;
  page->m_Portrait = v.orientation;
  page->m_Job = v;
}

void CTabroClientDlg::ReadCommandPage(CCommandPropPage* page) {
  COMMANDPAGEVALUES v = page->m_Job;
  v.docKind = page->m_DocKind;
  v.subKind = page->m_SubKind;
  v.orientation = page->m_Portrait;
  // A page that was never shown has no tabs: its copy of the record stands.
  if (!page->m_TabDlg1 || !page->m_TabDlg2 || !page->m_TabDlg3 || !page->m_TabDlg4) {
    ReadCommandValues(m_JobSetting, v);
    return;
  }
  const CTabDlg4& t4 = *page->m_TabDlg4;
  v.labelUse = t4.m_LabelUse;
  v.labelLayout1 = t4.m_LabelLayout1;
  v.labelLayout2 = t4.m_LabelLayout2;
  v.labelSheetKind = t4.m_LabelSheetKind;
  v.startLabel = t4.m_StartLabel;
  const CTabDlg1& t1 = *page->m_TabDlg1;
  v.numbering = t1.m_Numbering;
  v.grayband = t1.m_Grayband;
  v.hideDetail = t1.m_HideDetail;
  v.graph = t1.m_Graph;
  v.graphType = t1.m_GraphType;
  v.dateFormat = t1.m_DateFormat;
  const CTabDlg2& t2 = *page->m_TabDlg2;
  v.hideFieldName = t2.m_HideFieldName;
  v.hideTitleName = t2.m_HideTitleName;
  v.title = t2.m_Title;
  v.hideBits = t2.m_HideBits;
  v.date = t2.m_Date;
  v.hideErr = t2.m_HideErr;
  v.userPasswd = page->m_TabDlg3->m_UserPasswd;
  v.ownerPasswd = page->m_TabDlg3->m_OwnerPasswd;
  ReadCommandValues(m_JobSetting, v);
}
