#pragma once
// Date and time group values of the aggregation, and their display labels.
//
// While grouping, a date or time cell is rewritten into a group value that sorts
// in calendar order as plain text ("1日曜日", "2午後", "00" for the first month of
// the fiscal year); after the summary table is built, the final pass turns those
// values into display labels (see CPivotEngine::RelabelPivotGroups).

#include <cstdint>

#include "platform/cstring.h"

// Date group units (GRPCLM::groupUnit with groupKind 0).
enum : int32_t {
  GROUP_FISCAL_YEAR = 1,
  GROUP_HALF_YEAR = 2,
  GROUP_QUARTER = 3,
  GROUP_MONTH = 4,
  GROUP_WEEKDAY = 5,
};
// Time group units (groupKind 1).
enum : int32_t {
  GROUP_AM_PM = 1,
  GROUP_HOUR = 2,
};

// Group value of a date cell with the fiscal year starting in month firstMonth:
// "%d年度", "上半期"/"下半期", quarter "1".."4", fiscal month "00".."11" or the
// weekday "1日曜日".."7土曜日". An empty cell, and a cell that gives no month,
// give an empty text; an unknown unit gives the cell unchanged.
CString GroupDateValue(int unit, const CString& cell, int firstMonth);

// Lets the next bad year or month show its message again (tests start afresh).
void ResetGroupDateNotice();

// Group value of a time cell (H:MM:SS or HH:MM:SS): "1午前"/"2午後" or "%02d時";
// an empty text for other forms; an unknown unit gives the cell unchanged.
CString GroupTimeValue(int unit, const CString& cell);

// True when ApplyDateTimeGroups leaves the cell non-empty under a group item of
// that kind (GRPCLM::groupKind) and unit: an empty cell, a date that gives no
// month and a time not written H:MM:SS have no group value. Shows no message.
bool HasGroupValue(int kind, int unit, const CString& cell, int firstMonth);

// Display label of a fiscal year, half or quarter group value; anything else
// comes back unchanged. A value already labelled keeps its one "年度".
CString FormatPeriodLabel(int unit, const CString& value);

// The decimal prefix of a text: leading blanks, a sign and digits; 0 without digits.
int DecimalPrefix(const CString& text);
