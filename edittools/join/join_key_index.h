#pragma once
// Sorted key indexes of the key join: entries ordered by key text, then row, and
// searched by halving.

#include <cstdint>
#include <string_view>
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

// The first eight code units of a key as two numbers (a shorter key padded with
// zeros) and its length: heads in number order are keys in code-unit order, so a
// sort or a search that keeps them beside the index decides most comparisons, and
// every one between keys of eight units or fewer, without reading a text.
struct JoinKeyHead {
  uint64_t high = 0;
  uint64_t low = 0;
  uint32_t length = 0;
};
JoinKeyHead MakeJoinKeyHead(std::u16string_view key);

// Ordinal less-than of two texts (UTF-16 code units).
bool TextLess(const CString& a, const CString& b);

// Order of two entries: key text by code unit, then row ascending.
bool CompareJoinKeys(const JOINKEY& a, const JOINKEY& b);

// Sorts entries by CompareJoinKeys; heads receives their heads in the new order.
void SortJoinKeys(std::vector<JOINKEY>& entries, std::vector<JoinKeyHead>& heads);

// Position of an entry with `key` in a sorted index, -1 when there is none. With
// toFirst set, the position of the first of the equal entries.
int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index, const CString& key);
// The same search in an index whose heads SortJoinKeys gave (one per entry).
int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index,
                const std::vector<JoinKeyHead>& heads, const CString& key);
