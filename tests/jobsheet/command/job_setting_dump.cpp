#include "jobsheet/command/job_setting_dump.h"

#include <cstdio>

namespace {

std::string Quote(const CString& text) {
  std::u16string plain;
  std::string out = "'";
  auto flush = [&] {
    out += Utf16ToUtf8(plain);
    plain.clear();
  };
  for (char16_t c : text.View()) {
    if (c >= 0xE000 && c <= 0xF8FF) {
      flush();
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
      out += code;
    } else {
      plain += c;
    }
  }
  flush();
  return out + "'";
}

class Dump {
 public:
  void Num(const char* name, long long value) {
    if (value != 0) Add(std::string(name) + "=" + std::to_string(value));
  }
  void Text(const char* name, const CString& value) {
    if (!value.IsEmpty()) Add(std::string(name) + "=" + Quote(value));
  }
  void Ints(const char* name, const int32_t (&values)[kJobSortKeys]) {
    bool any = false;
    for (int v : values) any = any || v != 0;
    if (!any) return;
    std::string s = std::string(name) + "=[";
    for (int i = 0; i < kJobSortKeys; ++i) s += (i ? "," : "") + std::to_string(values[i]);
    Add(s + "]");
  }
  // Entries up to the last non-empty one.
  template <typename Entry>
  void Names(const char* name, Entry entry) {
    int last = -1;
    for (int i = 0; i < kJobNameSlots; ++i)
      if (!entry(i).IsEmpty()) last = i;
    if (last < 0) return;
    std::string s = std::string(name) + "=[";
    for (int i = 0; i <= last; ++i) s += (i ? "," : "") + Quote(entry(i));
    Add(s + "]");
  }
  void Add(const std::string& part) { out_ += (out_.empty() ? "" : " ") + part; }
  std::string Take() { return out_; }

 private:
  std::string out_;
};

std::string Columns(const HORIZONSUM& h) {
  int last = -1;
  for (int i = 0; i < kJobNameSlots; ++i)
    if (!h.m_Columns[i].IsEmpty()) last = i;
  std::string s;
  for (int i = 0; i <= last; ++i) s += (i ? "," : "") + Quote(h.m_Columns[i]);
  return s;
}

// {result:first,...,last} with "/minutes" after the result when not 0.
std::string Horizontal(const std::vector<HORIZONSUM>& list) {
  std::string s = "[";
  for (size_t i = 0; i < list.size(); ++i) {
    s += (i ? "," : "") + std::string("{") + Quote(list[i].m_Result);
    if (list[i].m_Minutes != 0) s += "/" + std::to_string(list[i].m_Minutes);
    s += ":" + Columns(list[i]) + "}";
  }
  return s + "]";
}

}  // namespace

std::string DumpJobSetting(const JOBSETTING& j) {
  Dump d;
  d.Num("OutputFormat", OutputFormatNumber(j.m_OutputFormat));
  d.Num("DocKind", j.m_DocKind);
  d.Num("Orientation", j.m_Orientation);
  d.Num("SubKind", j.m_SubKind);
  d.Num("ListDoc", j.m_ListDoc);
  d.Num("Grayband", j.m_Grayband);
  d.Num("CsvHederTyp", j.m_CsvHederTyp);
  d.Num("Break", j.m_Break);
  d.Num("BreakNo", j.m_BreakNo);
  d.Num("HdClmNo", j.m_HdClmNo);
  d.Num("Numbering", j.m_Numbering);
  d.Num("HideBits", j.m_HideBits);
  d.Num("HideDetail", j.m_HideDetail);
  d.Num("HideFieldName", j.m_HideFieldName);
  d.Num("HideTitleName", j.m_HideTitleName);
  d.Num("Skip", j.m_Skip);
  d.Num("HideErr", j.m_HideErr);
  d.Num("LabelUse", j.m_LabelUse);
  d.Num("LabelLayout1", j.m_LabelLayout1);
  d.Num("LabelLayout2", j.m_LabelLayout2);
  d.Num("LabelSheetKind", j.m_LabelSheetKind);
  d.Num("StartLabel", j.m_StartLabel);
  d.Num("SumAll", j.m_SumAll);
  d.Num("SortCount", j.m_SortCount);
  d.Ints("SortCol", j.m_SortCol);
  d.Ints("SortType", j.m_SortType);
  d.Ints("SortDesc", j.m_SortDesc);
  d.Num("Graph", j.m_Graph);
  d.Num("DateFormat", j.m_DateFormat);
  d.Num("CharCode", j.m_CharCode);
  d.Text("Tytl", j.m_Tytl);
  d.Text("Select", j.m_Select);
  d.Text("Subject", j.m_Subject);
  d.Text("Grp", j.m_Grp);
  d.Text("InpSelecMacro", j.m_InpSelecMacro);
  d.Text("Date", j.m_Date);
  d.Text("HdClm", j.m_HdClm);
  d.Names("Sum", [&](int i) -> const CString& { return j.m_Sum[i]; });
  d.Names("Counts", [&](int i) -> const CString& { return j.m_Counts[i][0]; });
  d.Names("CountsV", [&](int i) -> const CString& { return j.m_Counts[i][1]; });
  d.Names("Ave", [&](int i) -> const CString& { return j.m_Ave[i][0]; });
  d.Names("AveV", [&](int i) -> const CString& { return j.m_Ave[i][1]; });
  d.Text("UserPasswd", j.m_UserPasswd);
  d.Text("OwnerPasswd", j.m_OwnerPasswd);
  d.Text("GraphColumn", j.m_GraphColumn);
  if (!j.m_RowSums.empty()) d.Add("RowSums=" + Horizontal(j.m_RowSums));
  if (!j.m_TimeSpans.empty()) d.Add("TimeSpans=" + Horizontal(j.m_TimeSpans));
  if (!j.m_ColumnItems.empty()) {
    std::string s = "Items=[";
    for (size_t i = 0; i < j.m_ColumnItems.size(); ++i) {
      const BARCOD_STAMPEAI& it = j.m_ColumnItems[i];
      s += (i ? "," : "") + std::string("{") + std::to_string(it.m_Kind) + "," + std::to_string(it.m_ColumnNo) +
           "," + std::to_string(it.m_NotTrim) + "," + Quote(it.m_Code) + "," + Quote(it.m_ColumnName) + "}";
    }
    d.Add(s + "]");
  }
  if (!j.m_FieldNames.empty()) {
    std::string s = "FieldNames=[";
    for (size_t i = 0; i < j.m_FieldNames.size(); ++i)
      s += (i ? "," : "") + std::to_string(j.m_FieldNames[i].m_Column) + ":" + Quote(j.m_FieldNames[i].m_Name);
    d.Add(s + "]");
  }
  return d.Take();
}
