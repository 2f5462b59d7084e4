#pragma once
// What the basic and the detailed settings pages hold of the job record, as plain
// values, and how they move between the pages and the record.

#include <cstdint>

#include "jobsheet/command/job_setting.h"
#include "platform/cstring.h"

// The basic page's values that reach the record.
struct MAINPAGEVALUES {
  OutputFormat outputFormat = OutputFormat::kPdf;
  int charCode = 2;       // 0 UTF-8, 1 Shift_JIS, 2 none
  int subKind = 0;
  int listType = 0;       // Excel list type 0 to 3
  int docKind = 0;        // 0 to 5 or DOC_KIND_TOOL_CROSS, as the pages hold it
  int deleteAfter = 0;    // "処理後CSVファイルを削除"
};

// Basic page into record: output format, character code, sub-kind, list type
// (kinds 0 to 2 only, else 0), kind (DOC_KIND_TOOL_CROSS stored as DOC_KIND_CROSS)
// and the delete-after flag.
void ReadMainValues(JOBSETTING& job, int& deleteAfterSend, const MAINPAGEVALUES& v);

// The detailed page's copy of the record, and what its tab dialogs hold.
struct COMMANDPAGEVALUES {
  int docKind = 0;             // 0 to 5 or DOC_KIND_TOOL_CROSS, as the pages hold it
  int subKind = 0;
  int csvHederTyp = 0;
  int charCode = 0;
  uint8_t orientation = 0;     // portrait flag
  uint8_t labelUse = 0;        // 0 seal sheet, 1 product labels, 2 address labels
  int16_t labelLayout1 = 0;
  int16_t labelLayout2 = 0;
  int16_t labelSheetKind = 0;  // 1 "ヒサゴ", 2 "エーワン"
  int32_t startLabel = 0;
  uint8_t numbering = 0;
  uint8_t grayband = 0;
  uint8_t hideDetail = 0;
  uint8_t graph = 0;           // 0 none, 1 Graph, 2 GraphSum, 3 GraphGrp
  CString graphType;           // "", "Bar", "Lin", "Pai", "Prt"
  int dateFormat = 0;
  uint8_t hideFieldName = 0;
  uint8_t hideTitleName = 0;
  CString title;
  uint8_t hideBits = 0;        // bit value 1 HidePage, 2 HideDate
  CString date;
  uint8_t hideErr = 0;
  CString userPasswd;
  CString ownerPasswd;
};

// Largest label layout the sheet picture can show: a layout read from a command
// with more labels across or down is refused.
inline constexpr int kMaxLabelLayout = 50;

// Record into the detailed page's copy. The label layout, sheet family and start
// label are taken only for label use 1 or 2; a layout beyond kMaxLabelLayout
// leaves every label value as the page had it and returns false.
bool FillCommandValues(const JOBSETTING& job, COMMANDPAGEVALUES& v);
// The detailed page's values into the record; kind-dependent fields as the page
// rules say (numbering and grey band for kinds 0 to 2, hide detail for 0 and 1,
// the date text only while the date is not hidden).
void ReadCommandValues(JOBSETTING& job, const COMMANDPAGEVALUES& v);

// The message for a label layout refused by FillCommandValues.
CString LabelLayoutRefusal(int across, int down);
