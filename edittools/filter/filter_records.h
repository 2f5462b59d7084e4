#pragma once
// The filter conditions and the filter dialog's value records.

#include <cstdint>

#include "platform/cstring.h"

// Kinds of a condition.
enum : int32_t {
  FILTER_VALUES = 0,       // list of accepted values
  FILTER_NUMBER_RANGE = 1,
  FILTER_DATE_RANGE = 2,
  FILTER_TIME_RANGE = 3,
};

inline constexpr int FILTER_MAX_VALUES = 31;
inline constexpr int FILTER_MAX_CONDS = 3;

// One filter condition on one column.
struct FILTERDAT {
  int32_t column = 0;      // 0-based data column tested
  int32_t kind = 0;        // FILTER_*
  int32_t mode = 0;        // entry of the kind's mode list; 0 for a value list, -1 none
  int32_t valueCount = 0;  // texts of filterKey in use, 0 to 31
  // Value list: the accepted texts. Ranges: [0] the bound (lower bound of a range),
  // [1] the upper bound of a range. Dates "yyyymmdd", times "HH:MM:SS".
  CString filterKey[FILTER_MAX_VALUES];

  void Clear() {
    column = kind = mode = valueCount = 0;
    for (CString& s : filterKey) s.Empty();
  }
};

// The filter settings of the current job.
struct FILTERSETTING {
  FILTERDAT conditions[FILTER_MAX_CONDS];
  int32_t FilterCnt = 0;   // conditions in force, 0 to 3
  int32_t ItemCnt = 0;     // filter fields the dialog had set up, 0 to 3

  void Clear() {
    for (FILTERDAT& d : conditions) d.Clear();
    FilterCnt = ItemCnt = 0;
  }
};

// One distinct value of a filter field.
struct FILTERVALUE {
  int32_t row = 0;        // a data row holding the value
  int32_t rowCount = 0;   // data rows holding it
  int32_t linkCount = 0;  // texts in links, 0 to 31
  int32_t checked = 0;    // 1: its line was checked when the lists were last read
  CString text;           // the value (never empty)
  CString linkText;       // the first field's cell in the same row (second field only)
  CString links[FILTER_MAX_VALUES];  // previous field's texts in the rows with this value
};
