#pragma once
// The stored settings of the aggregation tool: value items and group items.

#include <cstdint>
#include <vector>

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
