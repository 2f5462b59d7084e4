#pragma once
// Column type detection: what kind of values each column of the loaded data holds,
// judged from its cells and from the meaning of its field name.

#include "platform/cstring.h"

class CGridSet;

// Value kinds of ClassifyValueText.
enum : int {
  VALUE_EMPTY = 0,
  VALUE_INTEGER = 1,
  VALUE_DECIMAL = 2,
  VALUE_LEADING_ZERO = 3,   // digits with a leading zero, not 6 characters long
  VALUE_TEXT = 4,
  VALUE_DATE = 5,           // two separators
  VALUE_TIME = 6,           // two colons
  VALUE_DATETIME = 7,
};

// Header classes of ClassifyHeaderText.
enum : int {
  HEADER_NO_TITLE = -1,     // the data has no title row
  HEADER_EMPTY = 0,
  HEADER_NAME = 1,
  HEADER_AMOUNT = 2,
  HEADER_CODE = 3,
  HEADER_DATE = 4,
  HEADER_YEAR_MONTH = 5,
  HEADER_MONTH_DAY = 6,
  HEADER_TIME = 7,
  HEADER_MONTH = 8,
  HEADER_EXCLUDED = 13,     // words that rule out the other classes
  HEADER_UNKNOWN = 255,
};

// Kind of a cell text (VALUE_*). Leading blanks are skipped; ",", a last "%" and a
// first "\" or "-" are ignored; "/" and "-" count as separators, ":" as colons;
// 年, 月 and 日 may each appear once in this order. A text of blanks only is an
// integer.
int ClassifyValueText(const CString& text);

// Cuts trailing blanks and a trailing serial of one or two digits (with a directly
// preceding "-", "_", "ー", "―" or "＿") from a field name; the first character is
// never cut. Returns the new length.
int StripHeaderSerial(CString& text);

// For a field name ending in 年度 or 年, with n characters before that ending: 1 when
// it names a year code, 0 for the relative words (今年度, 来年 ...), for n of 0 or less
// and for a plain year number before the ending.
int IsFiscalYearWord(const CString& text, int n);

// Header class (HEADER_*) of a field name as written.
int ClassifyHeaderText(const CString& name);

// Header class of a column's field name in the set's title row of its data grid;
// HEADER_NO_TITLE when there is no title row.
int ClassifyTitleField(const CGridSet& set, int column);

// Column types of the set's data grid (source 0) or edit grid (source 1) into
// m_ColumnTypes, judged with the data grid's title row. Returns the number of
// columns examined.
int ScanColumnTypes(CGridSet& set, int source);
