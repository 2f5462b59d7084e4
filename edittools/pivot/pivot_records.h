#pragma once
// The stored settings of the aggregation tool: value items and group items.

#include <array>
#include <cstdint>
#include <vector>

#include "edittools/pivot/pivot_sum.h"
#include "grid/grid_store.h"
#include "platform/cstring.h"

// One value item.
struct SUMCLM {
  int32_t column = 0;     // 0-based data column whose cells are aggregated
  int32_t sumKind = 0;    // 1 numeric sum, 2 count of non-empty cells
  int32_t listIndex = 0;  // position in the dialog's value list (restores the tick)
};

// One group item (the order of the settings file's "GrpClmArry=" values).
struct GRPCLM {
  int32_t column = 0;       // 0-based data column holding the group key
  int32_t orientation = 0;  // 1 row item, 2 column item (cross table)
  int32_t listIndex = 0;    // position in the dialog's group list
  int32_t level = 0;        // row items 1 to 3, column items 4 and 5
  int32_t columnType = 0;   // the column's type byte when chosen
  int32_t groupUnit = 0;    // 0 none; date: 1 fiscal year .. 5 weekday; time: 1 am/pm, 2 hour
  int32_t groupKind = 0;    // 0 date unit, 1 time unit
  int32_t subtotal = 0;     // 1 totals of this level are written
};

// Values of SumType.
enum : int32_t {
  PIVOT_SIMPLE = 0,  // "単純集計"
  PIVOT_CROSS = 1,   // "クロス集計"
};

// The aggregation settings held by the application object; fields named after
// their keys in the data-edit settings file.
struct PIVOTSETTING {
  int32_t Head = 0;        // leading value, kept by a reset
  int32_t Colms = 0;       // data column count when stored
  int32_t SumType = 0;     // PIVOT_SIMPLE or PIVOT_CROSS
  int32_t SumStyl = 0;     // 0 "分類計", 1 "一括計"
  int32_t TotalFg = 0;     // 0 "無し", 1 "分類毎計", 2 "総合計計", 3 "分類毎,総合計"
  int32_t NendMonth = 0;   // first month of the fiscal year, 1 to 12
  std::vector<SUMCLM> SumClmArry;
  std::vector<GRPCLM> GrpClmArry;

  // The settings ints after Head are zeroed and both lists emptied.
  void Clear() {
    Colms = SumType = SumStyl = TotalFg = NendMonth = 0;
    SumClmArry.clear();
    GrpClmArry.clear();
  }
};

inline constexpr int PIVOT_MAX_GROUPS = 3;     // group items of one aggregation
inline constexpr int PIVOT_TAG_COUNT = 5;

// The sorted distinct keys of one or two work-grid columns with their value sums.
struct GROUPKEYS {
  std::vector<std::vector<PivotSum>> sums;  // one entry of sumCount sums per distinct key
  int grpCount = 0;       // group columns of the work grid when built
  int sumCount = 0;       // value columns of the work grid when built
  int keyCount = 0;       // key columns, 1 or 2
  int distinctCount = 0;  // distinct keys
  int capacity = 0;       // rows of the range the table was built from
  std::vector<CString> keys[3];  // list k: key k of every distinct key, in key order

  void Clear() { *this = GROUPKEYS(); }
};

// The state of one aggregation run, held by the main dialog. The counts and
// headerRows stay readable after the step; the key tables are freed before it ends.
struct PIVOTRUN {
  std::array<uint8_t, GRID_COLS> columnTypes{};  // column types at the step's start
  int sumType = -1;   // SumType of the run; -1 before the dialog was answered
  int nendMonth = 1;  // first month of the fiscal year
  int totalFg = 0;
  int sumStyl = 0;
  PivotSum levelSums[PIVOT_MAX_GROUPS][GRID_COLS];  // the subtotal pass uses row 0
  std::vector<CString> rowKeys;  // sorted distinct row keys of a cross table
  GROUPKEYS innerKeys;   // kind 2
  GROUPKEYS lowerKeys;   // kind 1
  GROUPKEYS groupRows;   // kind 0
  int lowerKeyCount = 0;
  int innerKeyCount = 0;
  int headerRows = 0;    // column items: header rows of a cross table
  int totalsRow = 0;     // first row of the grand-total block, 0 when none
  int sumCount = 0;
  int groupCount = 0;
  int rowItemCount = 0;
  int colItemCount = 0;
  CString levelTags[PIVOT_TAG_COUNT];  // U+FFF2, U+FFF1, U+FFF0, U+FFEF, U+FFEE
  std::vector<SUMCLM> sumItems;
  std::vector<GRPCLM> groupItems;
};
