#pragma once
// Times of day in the forms the CSV edit page computes with, and the texts of
// its computed columns.

#include <vector>

#include "platform/cstring.h"

// Forms of a time text.
enum : int {
  TIME_NONE = 0,
  TIME_JAPANESE = 1,   // "8時30分", "9時", "30分"
  TIME_COLON = 2,      // "8:30"
  TIME_POINT = 3,      // "8.30"
};

struct TimeText {
  int hours = 0;
  int minutes = 0;
  int form = TIME_NONE;
};

// Reads a time: "時" after the first character gives the hours (the integer at
// the start) and "分" after the first character of what follows the minutes;
// otherwise ":" or "." after the first character separates hours and minutes.
// Integers are an optional sign and digits (0 when there are none).
TimeText ReadTimeText(const CString& text);

// The row total of cells: with any cell in a time form, the sum of their times
// as "h:mm" (hours not carried into days); otherwise the sum of the cells'
// numbers, each step cut toward zero to a 64-bit integer.
CString RowTotalText(const std::vector<CString>& cells);

// The time from the start cell to the end cell (on the next day when its hour
// is smaller) less the minutes, written in the end cell's form. A start cell
// without a time form is 0:00. Empty when the end cell has no time form, either
// time is not a valid time of day, or the difference is not positive.
CString TimeSpanText(const CString& startCell, const CString& endCell, int minutesLeftOut);
