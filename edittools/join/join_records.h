#pragma once
// The join definition: how the loaded CSV is joined with up to two additional CSVs.

#include <cstdint>
#include <vector>

#include "grid/grid_store.h"
#include "platform/cstring.h"

// One link between a column of one list and a column of another. Lists: 0 the
// loaded CSV, 1 and 2 the additional CSVs, 3 the serial output list. The lower list
// is always listA.
struct ALIGN {
  int32_t listA = 0;
  int32_t listB = 0;
  int32_t itemA = 0;   // 0-based column of listA
  int32_t itemB = 0;   // 0-based column of listB (serial link: output position)
};

// A column list's rectangle in the join editor, as the user left it.
struct JOINLISTRECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// Values of AdelSelect.
enum : uint8_t {
  ADDCOL_OUTPUT = 0,    // the column is output
  ADDCOL_KEY = 1,       // a key column of a link (not output)
  ADDCOL_DISCARD = 2,   // discarded by the user (not output)
};

inline constexpr int JOIN_MAX_ADDCSV = 2;
inline constexpr int JOIN_LINK_ARRAYS = 3;   // 0 and 1 key links, 2 the serial mapping

// The plain values of the join definition, cleared as one block.
struct JOINDEF_PLAIN {
  int32_t AddCSVFg = 0;                         // a join is in force
  int32_t SerealFg = 0;                         // 1 serial join, 0 key join
  JOINLISTRECT ListPosition[3] = {};
  uint8_t AdelSelect[JOIN_MAX_ADDCSV][GRID_COLS] = {};   // ADDCOL_* per column
  int32_t AddCsvCols[JOIN_MAX_ADDCSV] = {};     // column count of each CSV (<= GRID_COLS)
  int32_t AddCsvRows[JOIN_MAX_ADDCSV] = {};     // lines when last joined (<= 3000)
  int32_t AddCsvExtra[JOIN_MAX_ADDCSV] = {};    // third count of the "AddCsv" line
  int32_t AddCsvCnt = 0;                        // additional CSVs, 0 to 2
  int32_t AddColms = 0;
  int32_t AddCsvUpdateFg = 0;
  int32_t AddCsvReserved[256] = {};            // reserved space of the record, not columns
};

struct JOINDEF : JOINDEF_PLAIN {
  CString AddCsvPath[JOIN_MAX_ADDCSV];    // full path of each additional CSV
  CString AddCsvTitle[JOIN_MAX_ADDCSV];   // its file title (between last "\" or "/" and last ".")
  std::vector<ALIGN> AlignArry[JOIN_LINK_ARRAYS];

  // Everything back to 0 or empty; the link arrays release their storage.
  void Clear() {
    static_cast<JOINDEF_PLAIN&>(*this) = JOINDEF_PLAIN{};
    for (CString& s : AddCsvPath) s.Empty();
    for (CString& s : AddCsvTitle) s.Empty();
    for (std::vector<ALIGN>& a : AlignArry) std::vector<ALIGN>().swap(a);
  }
};
