// Read, write, read again. The first byte chooses the output format and whether the
// CSV page edited the data, the second the edit grid's column count; the rest is the
// command text. The record read back must be the first record as the writer can
// carry it: the fields the format, kind or edited state leave out are empty, and the
// known losses of the language are applied (cross table, "Sum=＊", header number
// under a name, sort keys outside 1 to 19, skip other than 1, row totals reduced to
// first and last column, the macro's "if ", label options without a family, the
// 50-character cut of the items of a list, the expanded form of the used columns,
// the full-width angles of a colour rule's column).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/grid_store.h"
#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/command/reserved_chars.h"

namespace {

struct Options {
  OutputFormat format;
  bool edited;
  int editCols;
};

CString Cut50(const CString& item) {
  CString kept = item.Left(kCommaListItemChars);
  for (int i = kCommaListItemChars; i < item.GetLength(); ++i)
    if (item[i] == u'~') kept += u'~';
  return kept;
}

template <typename Slot>
void ExpectList(const JOBSETTING& r, JOBSETTING& e, Slot slot) {
  int count = 0;
  while (count < kJobNameSlots && !slot(r, count).IsEmpty()) ++count;
  for (int i = 0; i < count && i < kCommaListMaxItems; ++i)
    slot(e, i) = count > 1 ? Cut50(slot(r, i)) : slot(r, i);
}

CString LastColumn(const HORIZONSUM& h, int editCols) {
  for (int i = editCols - 1; i >= 0; --i)
    if (!h.m_Columns[i].IsEmpty()) return h.m_Columns[i];
  return CString();
}

JOBSETTING Expected(const JOBSETTING& r, const Options& o) {
  JOBSETTING e;
  e.m_OutputFormat = r.m_OutputFormat;
  const bool csv = r.m_OutputFormat == OutputFormat::kCsv;
  const bool kinds02 = r.m_DocKind >= 0 && r.m_DocKind <= 2;

  if (!csv && r.m_DocKind >= 1 && r.m_DocKind <= 4) e.m_DocKind = r.m_DocKind;
  if (e.m_DocKind == 1 && (r.m_SubKind == 1 || r.m_SubKind == 2)) e.m_SubKind = r.m_SubKind;
  if (e.m_DocKind == 3 && (r.m_LabelUse == 1 || r.m_LabelUse == 2)) {
    const bool family = r.m_LabelSheetKind == 1 || r.m_LabelSheetKind == 2;
    const bool layout = r.m_LabelLayout1 > 0 && r.m_LabelLayout2 > 0;
    if (family) {
      e.m_LabelUse = r.m_LabelUse;
      e.m_LabelSheetKind = r.m_LabelSheetKind;
      if (layout) e.m_LabelLayout1 = r.m_LabelLayout1, e.m_LabelLayout2 = r.m_LabelLayout2;
      if (r.m_StartLabel > 0) e.m_StartLabel = r.m_StartLabel;
    } else if (!layout && r.m_StartLabel <= 0) {
      e.m_LabelUse = r.m_LabelUse;
    }
  }
  if (r.m_CsvHederTyp == 1 && !o.edited) e.m_CsvHederTyp = 1;
  if (!r.m_Select.IsEmpty() && !o.edited) e.m_Select = ExpandColumnList(CompressColumnList(r.m_Select));
  if (!csv && kinds02) {
    if (r.m_Grayband > 0) e.m_Grayband = 1;
    if (r.m_Break > 0) {
      e.m_Break = 1;
      if (r.m_BreakNo > 0) e.m_BreakNo = r.m_BreakNo;
    }
    if (!r.m_HdClm.IsEmpty())
      e.m_HdClm = r.m_HdClm;
    else if (r.m_HdClmNo > 0)
      e.m_HdClmNo = r.m_HdClmNo;
    if (r.m_Numbering == 1) e.m_Numbering = 1;
  }
  if (!csv && (r.m_Orientation == 1 || r.m_Orientation == 2)) e.m_Orientation = r.m_Orientation;
  if (kinds02) {
    e.m_Grp = r.m_Grp;
    if (r.m_SumAll == 1) {
      e.m_SumAll = 1;
    } else {
      ExpectList(r, e, [](auto& j, int i) -> auto& { return j.m_Sum[i]; });
      ExpectList(r, e, [](auto& j, int i) -> auto& { return j.m_Counts[i][0]; });
      ExpectList(r, e, [](auto& j, int i) -> auto& { return j.m_Counts[i][1]; });
      ExpectList(r, e, [](auto& j, int i) -> auto& { return j.m_Ave[i][0]; });
      ExpectList(r, e, [](auto& j, int i) -> auto& { return j.m_Ave[i][1]; });
    }
  }
  if (r.m_DocKind == 1 && r.m_SubKind == 2 && r.m_ListDoc >= 1 && r.m_ListDoc <= 3) e.m_ListDoc = r.m_ListDoc;
  if (!csv) {
    // Items come back grouped by kind, each kind in its own order.
    const bool wanted[3] = {r.m_DocKind != 2, r.m_DocKind != 4, kinds02};
    for (uint8_t kind : {kItemBarcode, kItemSeal, kItemColorRule}) {
      if (!wanted[kind]) continue;
      for (const BARCOD_STAMPEAI& item : r.m_ColumnItems) {
        if (item.m_Kind != kind) continue;
        BARCOD_STAMPEAI back = item;
        back.m_ColumnNo = 0;
        back.m_NotTrim = kind == kItemBarcode && item.m_NotTrim == 1 ? 1 : 0;
        // A rule is written with full-width angles, and its column is read as it stands.
        if (kind == kItemColorRule) {
          back.m_ColumnName.Replace(u'<', u'＜');
          back.m_ColumnName.Replace(u'>', u'＞');
        }
        e.m_ColumnItems.push_back(back);
      }
    }
    if (r.m_OutputFormat != OutputFormat::kExcel) e.m_UserPasswd = r.m_UserPasswd;
    e.m_OwnerPasswd = r.m_OwnerPasswd;
    if (!r.m_Sum[0].IsEmpty() && r.m_Graph >= 1 && r.m_Graph <= 3) {
      e.m_Graph = r.m_Graph;
      if (r.m_Graph != 1) e.m_GraphColumn = r.m_GraphColumn;
    }
    e.m_HideBits = r.m_HideBits & 3;
    e.m_HideFieldName = r.m_HideFieldName == 1;
    e.m_HideTitleName = r.m_HideTitleName == 1;
    e.m_HideErr = r.m_HideErr == 1;
    e.m_Date = r.m_Date;
    e.m_Tytl = r.m_Tytl;
    e.m_Skip = r.m_Skip == 1;
  }
  if (r.m_DocKind == 0 || r.m_DocKind == 1) e.m_Subject = r.m_Subject;
  if (!r.m_InpSelecMacro.IsEmpty()) {
    CString trimmed = r.m_InpSelecMacro;
    trimmed.TrimLeft();
    e.m_InpSelecMacro = trimmed.View().starts_with(u"if ") ? r.m_InpSelecMacro : u"if " + r.m_InpSelecMacro;
  }
  if (r.m_HideDetail == 1 && !r.m_Sum[0].IsEmpty()) e.m_HideDetail = 1;
  e.m_DateFormat = r.m_DateFormat;
  if (r.m_SortCount > 0) {
    int k = 0;
    for (int i = 0; i < r.m_SortCount && i < kJobSortKeys; ++i) {
      if (r.m_SortCol[i] < 1 || r.m_SortCol[i] > 19) continue;
      e.m_SortCol[k] = r.m_SortCol[i];
      e.m_SortType[k] = r.m_SortType[i] == 1 || r.m_SortType[i] == 2 ? r.m_SortType[i] : 0;
      e.m_SortDesc[k] = r.m_SortDesc[i] == 1;
      ++k;
    }
    e.m_SortCount = static_cast<int16_t>(k);
  }
  if (!o.edited) {
    for (const HORIZONSUM& h : r.m_RowSums) {
      HORIZONSUM back;
      back.m_Result = h.m_Result;
      back.m_Columns[0] = h.m_Columns[0];
      back.m_Columns[1] = LastColumn(h, o.editCols);
      e.m_RowSums.push_back(back);
    }
    for (const HORIZONSUM& h : r.m_TimeSpans) {
      HORIZONSUM back;
      back.m_Result = h.m_Result;
      back.m_Minutes = h.m_Minutes;
      back.m_Columns[0] = h.m_Columns[0];
      back.m_Columns[1] = LastColumn(h, o.editCols);
      e.m_TimeSpans.push_back(back);
    }
    e.m_FieldNames = r.m_FieldNames;
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const OutputFormat kFormats[] = {OutputFormat::kPdf, OutputFormat::kExcel, OutputFormat::kCsv};
  const Options o{kFormats[data[0] % 3], ((data[0] >> 2) & 1) != 0, data[1] == 255 ? GRID_COLS : data[1]};
  const CString text(std::string(reinterpret_cast<const char*>(data + 2), size - 2));

  JOBSETTING first;
  ParseCommandText(first, text);
  first.m_OutputFormat = o.format;
  const CString written = BuildCommandText(first, o.edited, o.editCols);

  JOBSETTING again;
  ParseCommandText(again, written);
  again.m_OutputFormat = o.format;
  if (!(again == Expected(first, o))) {
    std::fprintf(stderr, "format %d edited %d columns %d\ntext: %s\nwritten: %s\nrewritten: %s\n",
                 OutputFormatNumber(o.format), o.edited, o.editCols, text.ToUtf8().c_str(), written.ToUtf8().c_str(),
                 BuildCommandText(again, o.edited, o.editCols).ToUtf8().c_str());
    std::abort();
  }
  return 0;
}
