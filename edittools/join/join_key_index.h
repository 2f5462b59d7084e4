#pragma once
// Sorted key indexes of the key join: entries ordered by key text, then row, and
// searched by halving.

#include <vector>

#include "platform/cstring.h"

// One entry of a key index. For the loaded CSV `row` is its data-grid row and
// `spare` is -1; for an additional CSV `row` is the line of its loaded lines (0 the
// header line).
struct JOINKEY {
  int row = 0;
  int spare = 0;
  CString key;
};

// Ordinal less-than of two texts (UTF-16 code units).
bool TextLess(const CString& a, const CString& b);

// Order of two entries: key text by code unit, then row ascending.
bool CompareJoinKeys(const JOINKEY& a, const JOINKEY& b);

// Position of an entry with `key` in a sorted index, -1 when there is none. With
// toFirst set, the position of the first of the equal entries.
int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index, const CString& key);
