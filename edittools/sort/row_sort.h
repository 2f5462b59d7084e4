#pragma once
// The program's one multi-key row sort. A caller describes each row by a SORTDAT
// holding the row's key texts, with the row's own index as decimal text as the
// last key (compare type number, ascending), so that the order is total and rows
// with equal user keys keep their order; it sorts the array and then moves its
// rows into the sorted order.

#include <functional>
#include <vector>

#include "edittools/sort/sort_records.h"
#include "platform/cstring.h"

// Date key of a text: "y<sep>m<sep>d" with the separators / - . or 年 and 月
// gives the serial day (-1 for an impossible date); any other text gives its
// leading integer (0 when it has none), so packed dates sort after every date
// written with separators and empty cells before every possible date.
int DateKeyValue(const CString& text);

// -1 when a sorts before b, 1 when after, 0 when the first keyCount keys are
// equal. types: SORT_AS_TEXT (code units), SORT_AS_NUMBER (leading decimal number,
// 0 without one), SORT_AS_DATE (DateKeyValue); any other type is neutral.
// orders: non-zero reverses that key.
int CompareSortRows(int keyCount, const int* types, const int* orders, const SORTDAT* a,
                    const SORTDAT* b);

// Sorts rows in place by the first keyCount keys of every entry (each entry holds
// at least keyCount keys). A non-recursive quicksort whose pending ranges are kept
// on a stack that grows as needed; each key text is converted once.
void SortRows(int keyCount, const int* types, const int* orders, std::vector<SORTDAT>* rows);

// The order SortRows would give entries whose first keyCount keys (at most
// SORT_MAX_KEYS) are keyAt(entry, key), each followed by its own index as text:
// element i is the entry that comes i-th. The keys are read once each and must stay
// valid until it returns; no entry record is made.
std::vector<int> SortedEntryOrder(int keyCount, const int* types, const int* orders, int n,
                                  const std::function<const CString&(int entry, int key)>& keyAt);

// Exchanges entries i and j; throws std::out_of_range for an index outside the array.
void SwapSortRows(std::vector<SORTDAT>& rows, int i, int j);
