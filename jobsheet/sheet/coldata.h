#pragma once
// COLDATA: one column of the CSV page as the column-selection dialog and the
// page exchange it (displayed columns, and columns taken off the display).

#include <cstdint>
#include <vector>

#include "platform/cstring.h"

// Bits of COLDATA::m_RoleFlags.
enum : int32_t { COLROLE_SUBJECT = 1, COLROLE_GROUP = 2, COLROLE_SORTKEY = 4 };

struct COLDATA {
  int32_t m_SourceColumn = 0;   // 1-based column of the loaded data the column shows
  int32_t m_CommandCode = 0;    // the column's command code, 0 none
  int32_t m_RoleFlags = 0;      // COLROLE_* bits
  int32_t m_RowSumRole = 0;     // role in a row total: 0 none, 1 summed, 2 result
  int32_t m_Reserved1 = 0;
  int32_t m_TimeSpanRole = 0;   // role in a time difference: 0 none, 1 source, 2 result
  int32_t m_Reserved2 = 0;
  CString m_Name;               // header text; empty in a deleted-column list

  bool operator==(const COLDATA&) const = default;
};

using COLDATAARRAY = std::vector<COLDATA>;
