#pragma once
// The filter engine: keeps the data rows that meet every condition.

#include <cstdint>
#include <ctime>
#include <span>

#include "edittools/filter/filter_records.h"
#include "grid/grid_store.h"

// The grid the filter works on, with the counts it reads and changes.
struct FilterTarget {
  CTextGrid& grid;
  int& dataRows;                    // becomes the last kept row + 1
  int dataCols;
  int titleRow;                     // -1: none, rows are examined from row 0
  int editRows;                     // when above 0 and below dataRows, rows end there
  std::span<int16_t> rowFieldCount; // entries of emptied rows become 0
};

// Filters the examined rows in place by the first count conditions: a row is kept
// when every condition holds, kept rows move up in their order, the rows left
// over are emptied. "Today", "yesterday" and the day before are the local dates
// of now, now less one day and less two days. Returns 1.
//  - value list (mode 0): the cell equals one of the valueCount texts exactly;
//    no values: no row holds; other modes hold.
//  - number: cell and bounds by ParseNumberText; mode 0 <=, 1 >=, 2 between.
//  - date: the cell as "yyyymmdd" text by FormatDateTime, compared as text;
//    modes 0 to 2 as numbers, 3 today, 4 yesterday, 5 the day before.
//  - time: the trimmed cell (the part after its first blank for a date and
//    time) as "HH:MM:SS", compared as text; modes 0 to 2.
// Any other kind or mode holds.
int ApplyFilters(int count, const FILTERDAT* conds, FilterTarget target, std::time_t now);
