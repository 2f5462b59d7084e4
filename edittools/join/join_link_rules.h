#pragma once
// The rules for drawing a link in the join editor: which link a drop of one
// list's row on another's makes, and whether the definition can take it.

#include <vector>

#include "edittools/join/join_records.h"
#include "platform/cstring.h"

// The link made by dropping row sourceRow of list source on row targetRow of
// list target (lists 0 loaded CSV, 1 and 2 additional CSVs, 3 serial output).
// False when such a drop makes no link (the same list, or from the serial list
// onto list 0 or 1); else the link and the link array (0 to 2) it goes to.
bool LinkForDrop(int target, int targetRow, int source, int sourceRow, ALIGN& link, int& array);

enum : int {
  LINK_OK = 0,
  LINK_FIELD_USED = -1,    // a field of the link is linked already in that array
  LINK_BAD_CHAIN = -2,     // the two additional CSVs would be chained the wrong way
  LINK_ARRAY_FULL = -3,    // a key array holds two links already
};

// Checks a link against the link arrays, in this order: a full key array, a
// wrong chaining of the additional CSVs, a field linked twice. LINK_*.
int CheckLink(const std::vector<ALIGN> (&arrays)[JOIN_LINK_ARRAYS], int array, const ALIGN& link);

// The message of a refusal (empty for LINK_OK).
CString LinkRefusalText(int code);
