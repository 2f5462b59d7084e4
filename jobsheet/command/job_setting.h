#pragma once
// JOBSETTING: the parsed form of one document command text, with its item records.
//
// The main dialog holds one record per input: it is reset, filled by
// ParseCommandText, edited by the settings pages and written back by
// BuildCommandText. Numbers start at 0, texts empty, lists empty.
//
// The fixed text arrays (m_Sum, m_Counts, m_Ave, HORIZONSUM::m_Columns) are filled
// from index 0 without gaps; the first empty entry ends a list.

#include <cstdint>
#include <vector>

#include "grid/grid_store.h"
#include "platform/cstring.h"

// Entries of the name lists and of a row total's column list: one per grid column.
inline constexpr int kJobNameSlots = GRID_COLS;
// Sort keys the record holds.
inline constexpr int kJobSortKeys = 4;

// One row total ("SUM(") or time difference ("TimeSpan(").
struct HORIZONSUM {
  CString m_Result;       // column that receives the result
  int32_t m_Minutes = 0;  // time differences only: minutes left out of the difference
  // Source columns in column order, packed from index 0. A parsed item holds the
  // first column in [0] and the last in [1].
  CString m_Columns[kJobNameSlots];

  bool operator==(const HORIZONSUM&) const = default;
};

// Item kinds of BARCOD_STAMPEAI::m_Kind.
inline constexpr uint8_t kItemBarcode = 0;
inline constexpr uint8_t kItemSeal = 1;
inline constexpr uint8_t kItemColorRule = 2;

// One per-column item: a barcode, a seal stamp or a colour rule.
struct BARCOD_STAMPEAI {
  uint8_t m_Kind = kItemBarcode;
  int32_t m_ColumnNo = 0;  // 1-based column from the CSV page; 0 when parsed
  int32_t m_NotTrim = 0;   // barcodes: 1 keeps the cell's blanks (",notTrim")
  CString m_Code;          // "CODE39"/"QR"/"CustmerCode", "認印"/"承認印"/"承認日印", or the rule text
  CString m_ColumnName;    // column the item applies to

  bool operator==(const BARCOD_STAMPEAI&) const = default;
};

// One field-name replacement.
struct FIELDNAME {
  int32_t m_Column = 0;  // 0-based column (written 1-based)
  CString m_Name;

  bool operator==(const FIELDNAME&) const = default;
};

// Output formats of m_OutputFormat, with the numbers of the settings page's
// radio group and of the document request. A switch over OutputFormat names
// every format and has no default, so the compiler (-Werror=switch) shows each
// place a new format must be handled.
enum class OutputFormat : int32_t {
  kPdf = 0,
  kExcel = 1,
  kCsv = 3,
};
// A format's number, for the radio group that shows it.
constexpr int32_t OutputFormatNumber(OutputFormat format) { return static_cast<int32_t>(format); }

// The document kinds of m_DocKind, with the kind token of each.
inline constexpr int32_t DOC_KIND_NONE = 0;        // no kind token
inline constexpr int32_t DOC_KIND_TABULATION = 1;  // "TypeT", "TypeT+", "TypeTX"
inline constexpr int32_t DOC_KIND_LIST = 2;        // "TypeL"
inline constexpr int32_t DOC_KIND_LABELS = 3;      // "TypeS"
inline constexpr int32_t DOC_KIND_FORM = 4;        // "TypeC"
inline constexpr int32_t DOC_KIND_CROSS = 5;       // "TypeCross"
// The variants of DOC_KIND_TABULATION (m_SubKind), with the token of each.
inline constexpr uint8_t TAB_SUBKIND_TYPET = 0;       // "TypeT"
inline constexpr uint8_t TAB_SUBKIND_TYPET_PLUS = 1;  // "TypeT+"
inline constexpr uint8_t TAB_SUBKIND_TYPETX = 2;      // "TypeTX"
// The settings sheet's kind for a cross table made by the data-edit tools; the
// record it fills stores it as DOC_KIND_CROSS.
inline constexpr int32_t DOC_KIND_TOOL_CROSS = 6;

struct JOBSETTING {
  OutputFormat m_OutputFormat = OutputFormat::kPdf;
  int32_t m_DocKind = 0;         // 0 none, 1 TypeT family, 2 TypeL, 3 TypeS, 4 TypeC, 5 TypeCross
  uint8_t m_Orientation = 0;     // 1 Portrait, 2 Landscape
  uint8_t m_SubKind = 0;         // kind 1: 0 TypeT, 1 TypeT+, 2 TypeTX
  uint8_t m_ListDoc = 0;         // 1 ListDoc, 2 ListDoc=TypeA, 3 ListDoc=TypeB
  uint8_t m_Grayband = 0;
  uint8_t m_CsvHederTyp = 0;
  uint8_t m_Break = 0;
  int8_t m_BreakNo = 0;          // n of "Break=" n
  int32_t m_HdClmNo = 0;         // n of "HdClm=" n
  uint8_t m_Numbering = 0;
  uint8_t m_HideBits = 0;        // bit value 1 HidePage, 2 HideDate
  uint8_t m_HideDetail = 0;
  uint8_t m_HideFieldName = 0;
  uint8_t m_HideTitleName = 0;
  int16_t m_Skip = 0;
  uint8_t m_HideErr = 0;
  uint8_t m_LabelUse = 0;        // 0 sticker, 1 "=Label", 2 "=Adress"
  int16_t m_LabelLayout1 = 0;    // a of "(" a "x" b ")"
  int16_t m_LabelLayout2 = 0;    // b
  int16_t m_LabelSheetKind = 0;  // 1 ",H", 2 ",A", 100 anything else after the comma
  int32_t m_StartLabel = 0;      // n of "S" n
  uint8_t m_SumAll = 0;          // "Sum=＊"
  int16_t m_SortCount = 0;       // keys in use, 0 to 4
  int32_t m_SortCol[kJobSortKeys] = {};
  int32_t m_SortType[kJobSortKeys] = {};  // 0 text, 1 number ("N"), 2 date ("H")
  int32_t m_SortDesc[kJobSortKeys] = {};  // 1 descending ("D")
  uint8_t m_Graph = 0;           // 1 Graph, 2 GraphSum, 3 GraphGrp
  int32_t m_DateFormat = 0;
  int32_t m_CharCode = 0;        // CSV output: 0 UTF-8, 1 Shift_JIS, 2 none
  CString m_Tytl;
  CString m_Select;              // expanded column list, "1,2,3,5"
  CString m_Subject;
  CString m_Grp;
  CString m_InpSelecMacro;
  CString m_Date;
  CString m_HdClm;
  CString m_Sum[kJobNameSlots];
  CString m_Counts[kJobNameSlots][2];  // [i][0] with blanks ("Counts="), [i][1] without ("CountsV=")
  CString m_Ave[kJobNameSlots][2];     // [i][0] with blanks ("Ave="), [i][1] without ("AveV=")
  CString m_UserPasswd;
  CString m_OwnerPasswd;
  CString m_GraphColumn;
  std::vector<HORIZONSUM> m_RowSums;
  std::vector<HORIZONSUM> m_TimeSpans;
  std::vector<BARCOD_STAMPEAI> m_ColumnItems;  // in the order met
  std::vector<FIELDNAME> m_FieldNames;

  // Every number 0, every text and array entry empty, the four lists emptied.
  void Reset();

  bool operator==(const JOBSETTING&) const = default;
};
