#include "jobsheet/sheet/column_codes.h"

#include "grid/text_width.h"

CString Trimmed(CString text) {
  TrimRightBlanks(text);
  return text;
}

const COLUMNCODEINFO* FindColumnCode(int code) {
  for (const COLUMNCODEINFO& info : kColumnCodes) {
    if (info.code == code) return &info;
  }
  return nullptr;
}

int ColumnCodeOfItem(const BARCOD_STAMPEAI& item) {
  if (item.m_Kind == kItemColorRule) return CODE_COLOR;
  const CString code = Trimmed(item.m_Code);
  for (const COLUMNCODEINFO& info : kColumnCodes) {
    if (info.itemCode != nullptr && info.itemKind == item.m_Kind && code == info.itemCode) return info.code;
  }
  return CODE_NONE;
}

CString& NameListEntry(JOBSETTING& job, int list, int i) {
  switch (list) {
    case NAMELIST_SUM: return job.m_Sum[i];
    case NAMELIST_COUNTS: return job.m_Counts[i][0];
    case NAMELIST_COUNTSV: return job.m_Counts[i][1];
    case NAMELIST_AVE: return job.m_Ave[i][0];
    default: return job.m_Ave[i][1];
  }
}

const CString& NameListEntry(const JOBSETTING& job, int list, int i) {
  return NameListEntry(const_cast<JOBSETTING&>(job), list, i);
}
