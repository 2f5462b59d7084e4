#include "jobsheet/command/command_writer.h"

#include <array>
#include <vector>

#include "jobsheet/command/command_tokens.h"
#include "jobsheet/command/reserved_chars.h"

namespace {

struct WriterState {
  const JOBSETTING& job;
  bool csv;       // CSV output carries no layout
  bool kinds02;   // no kind, tabulation or list
  bool edited;    // the CSV page already applied the column settings to the data
  int editCols;   // entries of a row total searched for its last column
};

using Tokens = std::vector<CString>;
using Row = void (*)(const WriterState& s, Tokens& out);

CString Number(int n) { return CString::Build(u"%d", n); }

CString AnglesToFullWidth(CString text) {
  text.Replace(u'<', u'＜');
  text.Replace(u'>', u'＞');
  return text;
}

// "Sum=a,b": the escaped entries up to the first empty one.
template <typename Entry>
void WriteNameList(Tokens& out, const char16_t* keyword, Entry entry) {
  CString token = keyword;
  for (int i = 0; i < kJobNameSlots && !entry(i).IsEmpty(); ++i) {
    if (i > 0) token += u',';
    token += EscapeReservedChars(entry(i));
  }
  out.push_back(token);
}

bool NameListWanted(const WriterState& s, const CString& first) {
  return s.kinds02 && s.job.m_SumAll != 1 && !first.IsEmpty();
}

// The last non-empty entry among the first editCols entries of an item's columns.
CString LastColumn(const HORIZONSUM& item, int editCols) {
  for (int i = editCols - 1; i >= 0; --i)
    if (!item.m_Columns[i].IsEmpty()) return item.m_Columns[i];
  return CString();
}

void WriteTypeS(const WriterState& s, Tokens& out) {
  const JOBSETTING& j = s.job;
  CString token = u"TypeS";
  if (j.m_LabelUse > 0) {
    if (j.m_LabelUse == 1) token += u"=Label";
    if (j.m_LabelUse == 2) token += u"=Adress";
    if (j.m_LabelSheetKind == 2) token += u",A";
    if (j.m_LabelSheetKind == 1) token += u",H";
    if (j.m_LabelLayout1 > 0 && j.m_LabelLayout2 > 0)
      token += CString::Build(u"(%dx%d)", j.m_LabelLayout1, j.m_LabelLayout2);
    // The start label is read only after a label word: "TypeSS3" would end the
    // reading of everything after it.
    if (j.m_StartLabel > 0) token += u"S" + Number(j.m_StartLabel);
  }
  out.push_back(token);
}

void WriteColumnItems(const WriterState& s, Tokens& out, uint8_t kind) {
  for (const BARCOD_STAMPEAI& item : s.job.m_ColumnItems) {
    if (item.m_Kind != kind) continue;
    if (kind == kItemColorRule) {
      // The long-rule prefix is the reader's note; written, it would hide the rule.
      CString rule = item.m_Code;
      if (rule.View().starts_with(kLongRulePrefix)) rule = rule.Mid(static_cast<int>(kLongRulePrefix.size()));
      out.push_back(AnglesToFullWidth(rule));
    } else {
      CString token = item.m_Code + u"=" + EscapeReservedChars(item.m_ColumnName);
      if (kind == kItemBarcode && item.m_NotTrim == 1) token += u",notTrim";
      out.push_back(token);
    }
  }
}

void WriteSelectMacro(const WriterState& s, Tokens& out) {
  CString macro = s.job.m_InpSelecMacro;
  CString trimmed = macro;
  trimmed.TrimLeft();
  if (!trimmed.View().starts_with(u"if ")) macro = u"if " + macro;
  out.push_back(u"InpSelecMacro(" + AnglesToFullWidth(macro) + u")");
}

void WriteSort(const WriterState& s, Tokens& out) {
  const JOBSETTING& j = s.job;
  CString token = u"Sort";
  const int count = j.m_SortCount < kJobSortKeys ? j.m_SortCount : kJobSortKeys;
  for (int i = 0; i < count; ++i) {
    if (j.m_SortCol[i] <= 0) continue;
    if (i > 0) token += u',';
    token += Number(j.m_SortCol[i]);
    if (j.m_SortDesc[i] == 1) token += u'D';
    if (j.m_SortType[i] == 1) token += u'N';
    if (j.m_SortType[i] == 2) token += u'H';
  }
  out.push_back(token);
}

void WriteRowSums(const WriterState& s, Tokens& out) {
  for (const HORIZONSUM& item : s.job.m_RowSums)
    out.push_back(u"SUM(" + EscapeReservedChars(item.m_Result) + u"," + EscapeReservedChars(item.m_Columns[0]) +
                  u"," + EscapeReservedChars(LastColumn(item, s.editCols)) + u")");
}

void WriteTimeSpans(const WriterState& s, Tokens& out) {
  for (const HORIZONSUM& item : s.job.m_TimeSpans)
    out.push_back(u"TimeSpan(" + EscapeReservedChars(item.m_Result) + u"," +
                  EscapeReservedChars(LastColumn(item, s.editCols)) + u"," +
                  EscapeReservedChars(item.m_Columns[0]) + u"," + Number(item.m_Minutes) + u")");
}

void WriteFieldNames(const WriterState& s, Tokens& out) {
  CString token = u"FieldN=";
  bool first = true;
  for (const FIELDNAME& f : s.job.m_FieldNames) {
    if (!first) token += u',';
    first = false;
    token += CString::Build(u"%lld[", static_cast<long long>(f.m_Column) + 1) + EscapeReservedChars(f.m_Name) + u"]";
  }
  out.push_back(token);
}

void Flag(Tokens& out, bool on, const char16_t* keyword) {
  if (on) out.push_back(keyword);
}

// The tokens in the order they are written, each with its condition.
constexpr std::array<Row, 42> kRows = {
    [](const WriterState& s, Tokens& out) {
      if (s.job.m_DocKind != DOC_KIND_TABULATION || s.csv) return;
      out.push_back(s.job.m_SubKind == TAB_SUBKIND_TYPET_PLUS ? u"TypeT+" : s.job.m_SubKind == TAB_SUBKIND_TYPETX ? u"TypeTX" : u"TypeT");
    },
    [](const WriterState& s, Tokens& out) { Flag(out, s.job.m_DocKind == DOC_KIND_LIST && !s.csv, u"TypeL"); },
    [](const WriterState& s, Tokens& out) {
      if (s.job.m_DocKind == DOC_KIND_LABELS && !s.csv) WriteTypeS(s, out);
    },
    [](const WriterState& s, Tokens& out) { Flag(out, s.job.m_DocKind == DOC_KIND_FORM && !s.csv, u"TypeC"); },
    [](const WriterState& s, Tokens& out) { Flag(out, s.job.m_DocKind == DOC_KIND_CROSS, u"TypeCross"); },
    [](const WriterState& s, Tokens& out) { Flag(out, s.job.m_CsvHederTyp == 1 && !s.edited, u"CsvHederTyp"); },
    [](const WriterState& s, Tokens& out) {
      if (s.edited) return;
      // A blank selection is no selection.
      const CString columns = CompressColumnList(s.job.m_Select);
      if (!columns.IsEmpty()) out.push_back(u"Select=" + columns);
    },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.kinds02 && s.job.m_Grayband > 0, u"Grayband"); },
    [](const WriterState& s, Tokens& out) {
      if (s.csv || !s.kinds02 || s.job.m_Break <= 0) return;
      out.push_back(s.job.m_BreakNo > 0 ? u"Break=" + Number(s.job.m_BreakNo) : CString(u"Break"));
    },
    [](const WriterState& s, Tokens& out) {
      if (s.csv || !s.kinds02) return;
      if (!s.job.m_HdClm.IsEmpty())
        out.push_back(u"HdClm=[" + s.job.m_HdClm + u"]");
      else if (s.job.m_HdClmNo > 0)
        out.push_back(u"HdClm=" + Number(s.job.m_HdClmNo));
    },
    [](const WriterState& s, Tokens& out) {
      if (s.csv) return;
      Flag(out, s.job.m_Orientation == 1, u"Portrait");
      Flag(out, s.job.m_Orientation == 2, u"Landscape");
    },
    [](const WriterState& s, Tokens& out) {
      if (s.kinds02 && !s.job.m_Grp.IsEmpty()) out.push_back(u"Grp=" + EscapeReservedChars(s.job.m_Grp));
    },
    [](const WriterState& s, Tokens& out) { Flag(out, s.kinds02 && s.job.m_SumAll == 1, u"Sum=＊"); },
    [](const WriterState& s, Tokens& out) {
      if (NameListWanted(s, s.job.m_Sum[0]))
        WriteNameList(out, u"Sum=", [&](int i) -> const CString& { return s.job.m_Sum[i]; });
    },
    [](const WriterState& s, Tokens& out) {
      if (NameListWanted(s, s.job.m_Counts[0][0]))
        WriteNameList(out, u"Counts=", [&](int i) -> const CString& { return s.job.m_Counts[i][0]; });
    },
    [](const WriterState& s, Tokens& out) {
      if (NameListWanted(s, s.job.m_Counts[0][1]))
        WriteNameList(out, u"CountsV=", [&](int i) -> const CString& { return s.job.m_Counts[i][1]; });
    },
    [](const WriterState& s, Tokens& out) {
      if (NameListWanted(s, s.job.m_Ave[0][0]))
        WriteNameList(out, u"Ave=", [&](int i) -> const CString& { return s.job.m_Ave[i][0]; });
    },
    [](const WriterState& s, Tokens& out) {
      if (NameListWanted(s, s.job.m_Ave[0][1]))
        WriteNameList(out, u"AveV=", [&](int i) -> const CString& { return s.job.m_Ave[i][1]; });
    },
    [](const WriterState& s, Tokens& out) {
      if (s.job.m_DocKind != DOC_KIND_TABULATION || s.job.m_SubKind != TAB_SUBKIND_TYPETX) return;
      Flag(out, s.job.m_ListDoc == 1, u"ListDoc");
      Flag(out, s.job.m_ListDoc == 2, u"ListDoc=TypeA");
      Flag(out, s.job.m_ListDoc == 3, u"ListDoc=TypeB");
    },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.kinds02 && s.job.m_Numbering == 1, u"Numbering"); },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && s.job.m_DocKind != DOC_KIND_LIST) WriteColumnItems(s, out, kItemBarcode);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && s.job.m_DocKind != DOC_KIND_FORM) WriteColumnItems(s, out, kItemSeal);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && s.kinds02) WriteColumnItems(s, out, kItemColorRule);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && s.job.m_OutputFormat != OutputFormat::kExcel && !s.job.m_UserPasswd.IsEmpty())
        out.push_back(u"UserPasswd=" + EscapeReservedChars(s.job.m_UserPasswd));
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && !s.job.m_OwnerPasswd.IsEmpty())
        out.push_back(u"OwnerPasswd=" + EscapeReservedChars(s.job.m_OwnerPasswd));
    },
    [](const WriterState& s, Tokens& out) {
      if ((s.job.m_DocKind == DOC_KIND_NONE || s.job.m_DocKind == DOC_KIND_TABULATION) && !s.job.m_Subject.IsEmpty())
        out.push_back(u"Subject=" + EscapeReservedChars(s.job.m_Subject));
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.job.m_InpSelecMacro.IsEmpty()) WriteSelectMacro(s, out);
    },
    [](const WriterState& s, Tokens& out) {
      Flag(out, s.job.m_HideDetail == 1 && !s.job.m_Sum[0].IsEmpty(), u"HideDetail");
    },
    [](const WriterState& s, Tokens& out) {
      if (s.csv || s.job.m_Sum[0].IsEmpty()) return;
      const CString& column = s.job.m_GraphColumn;
      if (s.job.m_Graph == 1) out.push_back(u"Graph");
      if (s.job.m_Graph == 2) out.push_back(column.IsEmpty() ? CString(u"GraphSum") : u"GraphSum=" + column);
      if (s.job.m_Graph == 3) out.push_back(column.IsEmpty() ? CString(u"GraphGrp") : u"GraphGrp=" + column);
    },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && (s.job.m_HideBits & 1), u"HidePage"); },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && (s.job.m_HideBits & 2), u"HideDate"); },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.job.m_HideFieldName == 1, u"HideFieldName"); },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.job.m_HideTitleName == 1, u"HideTitleName"); },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.job.m_HideErr == 1, u"HideErr"); },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && !s.job.m_Date.IsEmpty()) out.push_back(u"Date=" + s.job.m_Date);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.csv && !s.job.m_Tytl.IsEmpty()) out.push_back(u"Tytl=" + EscapeReservedChars(s.job.m_Tytl));
    },
    [](const WriterState& s, Tokens& out) { Flag(out, !s.csv && s.job.m_Skip == 1, u"Skip=1"); },
    [](const WriterState& s, Tokens& out) {
      if (s.job.m_DateFormat != 0) out.push_back(u"DateFormat=" + Number(s.job.m_DateFormat));
    },
    [](const WriterState& s, Tokens& out) {
      if (s.job.m_SortCount > 0) WriteSort(s, out);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.edited) WriteRowSums(s, out);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.edited) WriteTimeSpans(s, out);
    },
    [](const WriterState& s, Tokens& out) {
      if (!s.edited && !s.job.m_FieldNames.empty()) WriteFieldNames(s, out);
    },
};

}  // namespace

CString BuildCommandText(const JOBSETTING& job, int editModeEntered, int editCols) {
  const WriterState state{job, job.m_OutputFormat == OutputFormat::kCsv, job.m_DocKind >= DOC_KIND_NONE && job.m_DocKind <= DOC_KIND_LIST,
                          editModeEntered != 0,
                          editCols < 0 ? 0 : editCols > kJobNameSlots ? kJobNameSlots : editCols};
  Tokens tokens;
  for (Row row : kRows) row(state, tokens);
  CString text;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0) text += u';';
    text += tokens[i];
  }
  return text;
}
