#include "jobsheet/sheet/page_values.h"

namespace {
// The tools' cross table is a cross table in the record.
int StoredKind(int pageKind) { return pageKind == DOC_KIND_TOOL_CROSS ? DOC_KIND_CROSS : pageKind; }
}  // namespace

void ReadMainValues(JOBSETTING& job, int& deleteAfterSend, const MAINPAGEVALUES& v) {
  job.m_OutputFormat = v.outputFormat;
  job.m_CharCode = v.charCode;
  job.m_SubKind = static_cast<uint8_t>(v.subKind);
  job.m_ListDoc = (v.docKind >= DOC_KIND_NONE && v.docKind <= DOC_KIND_LIST) ? static_cast<uint8_t>(v.listType) : 0;
  job.m_DocKind = StoredKind(v.docKind);
  deleteAfterSend = v.deleteAfter;
}

bool FillCommandValues(const JOBSETTING& job, COMMANDPAGEVALUES& v) {
  v.docKind = job.m_DocKind;
  v.subKind = static_cast<int8_t>(job.m_SubKind);
  v.csvHederTyp = job.m_CsvHederTyp;
  v.charCode = job.m_CharCode;
  v.orientation = job.m_Orientation;
  bool taken = true;
  if (job.m_LabelUse == 1 || job.m_LabelUse == 2) {
    if (job.m_LabelLayout1 > kMaxLabelLayout || job.m_LabelLayout2 > kMaxLabelLayout) {
      taken = false;
    } else {
      v.labelUse = job.m_LabelUse;
      v.labelLayout1 = job.m_LabelLayout1;
      v.labelLayout2 = job.m_LabelLayout2;
      v.labelSheetKind = job.m_LabelSheetKind;
      v.startLabel = job.m_StartLabel;
    }
  } else {
    v.labelUse = job.m_LabelUse;
  }
  v.numbering = job.m_Numbering;
  v.grayband = job.m_Grayband;
  v.hideDetail = job.m_HideDetail;
  v.graph = job.m_Graph;
  v.graphType = job.m_GraphColumn;
  v.dateFormat = job.m_DateFormat;
  v.hideFieldName = job.m_HideFieldName;
  v.hideTitleName = job.m_HideTitleName;
  v.title = job.m_Tytl;
  v.hideBits = job.m_HideBits;
  v.date = job.m_Date;
  v.hideErr = job.m_HideErr;
  v.userPasswd = job.m_UserPasswd;
  v.ownerPasswd = job.m_OwnerPasswd;
  return taken;
}

void ReadCommandValues(JOBSETTING& job, const COMMANDPAGEVALUES& v) {
  const int kind = v.docKind;
  job.m_SubKind = static_cast<uint8_t>(v.subKind);
  job.m_DocKind = StoredKind(kind);
  job.m_Orientation = v.orientation;
  job.m_LabelUse = v.labelUse;
  if (v.labelUse == 1 || v.labelUse == 2) {
    job.m_LabelLayout1 = v.labelLayout1;
    job.m_LabelLayout2 = v.labelLayout2;
    job.m_LabelSheetKind = v.labelSheetKind;
    job.m_StartLabel = v.startLabel;
  }
  if (kind >= 0 && kind <= 2) {
    job.m_Numbering = v.numbering;
    job.m_Grayband = v.grayband;
  }
  job.m_HideDetail = (kind == 0 || kind == 1) ? v.hideDetail : 0;
  job.m_Graph = v.graph;
  job.m_GraphColumn = v.graphType;
  job.m_DateFormat = v.dateFormat;
  job.m_HideFieldName = v.hideFieldName;
  job.m_HideTitleName = v.hideTitleName;
  job.m_Tytl = v.title;
  job.m_HideBits = v.hideBits;
  job.m_Date = (v.hideBits == 0 || v.hideBits == 1) ? v.date : CString();
  job.m_HideErr = v.hideErr;
  job.m_UserPasswd = v.userPasswd;
  job.m_OwnerPasswd = v.ownerPasswd;
}

CString LabelLayoutRefusal(int across, int down) {
  return CString::Build(u"ラベルの配置(%d×%d)が大きすぎるため、ラベル設定は読み込みません。\n%d×%dまでのラベルを指定してください。",
                        across, down, kMaxLabelLayout, kMaxLabelLayout);
}
