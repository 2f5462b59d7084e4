#pragma once
// The sort settings and the row reference that the multi-key row sort orders.

#include <cstdint>
#include <vector>

#include "platform/cstring.h"

// Compare types of a sort key.
enum : int32_t {
  SORT_AS_TEXT = 0,
  SORT_AS_NUMBER = 1,
  SORT_AS_DATE = 2,
};

inline constexpr int SORT_MAX_KEYS = 3;

// The sort settings: up to three keys. The fourth entry of each array is room for
// the row-number key that the engine appends to its working copy.
struct SORTKEYS {
  int32_t sortCnt = 0;          // keys in use, 0 to 3
  int32_t column[4] = {};       // 0-based grid column of each key
  int32_t compareType[4] = {};  // SORT_AS_*
  int32_t descending[4] = {};   // non-zero: descending
};

// One row while it is sorted: where it came from and its key texts in key order,
// the row's number as decimal text last.
struct SORTDAT {
  int32_t rowSequence = 0;
  std::vector<CString> keys;
};
