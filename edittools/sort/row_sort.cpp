#include "edittools/sort/row_sort.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>

#include "grid/date_text.h"
#include "grid/number_text.h"
#include "platform/int_text.h"

namespace {

// The leading integer of a text: blanks, a sign, digits; 0 without digits.
int LeadingInt(const CString& text) { return TextToInt(text.View()); }

// Cuts t after the first separator of the list found past its start; the
// integer before it goes to value. Counts the cuts made.
int SeparatorPass(CString& t, const char16_t* const* seps, int count, int& value) {
  int cuts = 0;
  for (int s = 0; s < count; ++s) {
    const int pos = t.Find(seps[s]);
    if (pos > 0) {
      value = LeadingInt(t);
      t = t.Mid(pos + 1);
      ++cuts;
    }
  }
  return cuts;
}

// One key of one entry in the form it is compared in.
union PreparedKey {
  double number;
  int64_t date;
  struct {
    const char16_t* chars;
    size_t length;
  } text;
};

int CompareText(const PreparedKey& a, const PreparedKey& b) {
  const size_t n = std::min(a.text.length, b.text.length);
  for (size_t i = 0; i < n; ++i) {
    if (a.text.chars[i] != b.text.chars[i]) return a.text.chars[i] < b.text.chars[i] ? -1 : 1;
  }
  return a.text.length == b.text.length ? 0 : (a.text.length < b.text.length ? -1 : 1);
}

template <typename T>
int CompareValues(T x, T y) {
  return x > y ? 1 : (x < y ? -1 : 0);
}

PreparedKey Prepare(int type, const CString& text) {
  PreparedKey k{};
  switch (type) {
    case SORT_AS_TEXT: {
      const std::u16string_view v = text.View();
      k.text = {v.data(), v.size()};
      break;
    }
    case SORT_AS_NUMBER: k.number = ReadDouble(text.GetString()); break;
    case SORT_AS_DATE: k.date = DateKeyValue(text); break;
    default: break;
  }
  return k;
}

int ComparePrepared(int keyCount, const int* types, const int* orders, const PreparedKey* a,
                    const PreparedKey* b) {
  for (int k = 0; k < keyCount; ++k) {
    int r = 0;
    switch (types[k]) {
      case SORT_AS_TEXT: r = CompareText(a[k], b[k]); break;
      case SORT_AS_NUMBER: r = CompareValues(a[k].number, b[k].number); break;
      case SORT_AS_DATE: r = CompareValues(a[k].date, b[k].date); break;
      default: break;
    }
    if (r != 0) return orders[k] != 0 ? -r : r;
  }
  return 0;
}

}  // namespace

int DateKeyValue(const CString& text) {
  static constexpr const char16_t* kYearSeps[] = {u"/", u"-", u".", u"年"};
  static constexpr const char16_t* kMonthSeps[] = {u"/", u"-", u".", u"月"};
  CString t = text;
  int year = 1900;
  int month = 1;
  int cuts = SeparatorPass(t, kYearSeps, 4, year);
  cuts += SeparatorPass(t, kMonthSeps, 4, month);
  if (cuts == 2) return DateToSerialDay(year, month, LeadingInt(t));
  return LeadingInt(text);
}

int CompareSortRows(int keyCount, const int* types, const int* orders, const SORTDAT* a,
                    const SORTDAT* b) {
  for (int k = 0; k < keyCount; ++k) {
    const PreparedKey x = Prepare(types[k], a->keys[static_cast<size_t>(k)]);
    const PreparedKey y = Prepare(types[k], b->keys[static_cast<size_t>(k)]);
    const int r = ComparePrepared(1, types + k, orders + k, &x, &y);
    if (r != 0) return r;
  }
  return 0;
}

void SwapSortRows(std::vector<SORTDAT>& rows, int i, int j) {
  if (i < 0 || j < 0 || static_cast<size_t>(i) >= rows.size() || static_cast<size_t>(j) >= rows.size())
    throw std::out_of_range("SwapSortRows: index outside the array");
  std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
}

namespace {

// The quicksort of SortRows over prepared keys, width of them per entry: the
// order of the entries, as indexes.
std::vector<int> SortPrepared(int n, size_t width, const int* types, const int* orders,
                              const std::vector<PreparedKey>& keys) {
  std::vector<int> order(static_cast<size_t>(n));
  for (int e = 0; e < n; ++e) order[static_cast<size_t>(e)] = e;
  const int keyCount = static_cast<int>(width);
  auto compare = [&](int a, int b) {
    return ComparePrepared(keyCount, types, orders, &keys[static_cast<size_t>(a) * width],
                           &keys[static_cast<size_t>(b) * width]);
  };
  auto at = [&](int i) -> int& { return order[static_cast<size_t>(i)]; };

  std::vector<std::pair<int, int>> pending;
  int lo = 0;
  int hi = n - 1;
  for (;;) {
    if (hi - lo == 1) {
      if (compare(at(lo), at(hi)) > 0) std::swap(at(lo), at(hi));
    } else if (hi > lo) {
      // Partition [lo, hi] around a copy of the middle entry.
      const int pivot = at((lo + hi) / 2);
      int i = lo;
      int j = hi;
      for (;;) {
        while (i < n && compare(at(i), pivot) < 0) ++i;
        while (j >= 0 && compare(at(j), pivot) > 0) --j;
        if (j < i) break;
        if (j == i) {
          ++i, --j;
          break;
        }
        std::swap(at(i), at(j));
        ++i, --j;
        if (i > j) break;
      }
      if (i < hi) {
        if (j > lo) pending.emplace_back(lo, j);
        lo = i;
        continue;
      }
      if (j > lo) {
        hi = j;
        continue;
      }
    }
    if (pending.empty()) break;
    std::tie(lo, hi) = pending.back();
    pending.pop_back();
  }
  return order;
}

}  // namespace

void SortRows(int keyCount, const int* types, const int* orders, std::vector<SORTDAT>* rows) {
  const int n = static_cast<int>(rows->size());
  if (n <= 1 || keyCount <= 0) return;
  // Each key converted once; the sort moves small indexes, the entries move once.
  const size_t width = static_cast<size_t>(keyCount);
  std::vector<PreparedKey> keys(static_cast<size_t>(n) * width);
  for (int e = 0; e < n; ++e) {
    const SORTDAT& d = (*rows)[static_cast<size_t>(e)];
    for (size_t k = 0; k < width; ++k) keys[static_cast<size_t>(e) * width + k] = Prepare(types[k], d.keys[k]);
  }
  const std::vector<int> order = SortPrepared(n, width, types, orders, keys);
  std::vector<SORTDAT> sorted;
  sorted.reserve(static_cast<size_t>(n));
  for (int e : order) sorted.push_back(std::move((*rows)[static_cast<size_t>(e)]));
  rows->swap(sorted);
}

std::vector<int> SortedEntryOrder(int keyCount, const int* types, const int* orders, int n,
                                  const std::function<const CString&(int entry, int key)>& keyAt) {
  std::vector<int> order;
  if (n <= 0) return order;
  keyCount = std::clamp(keyCount, 0, SORT_MAX_KEYS);
  // The entry's own index is the last key, a number ascending, as in SortRows.
  const size_t width = static_cast<size_t>(keyCount) + 1;
  int allTypes[SORT_MAX_KEYS + 1];
  int allOrders[SORT_MAX_KEYS + 1];
  for (int k = 0; k < keyCount; ++k) {
    allTypes[k] = types[k];
    allOrders[k] = orders[k];
  }
  allTypes[keyCount] = SORT_AS_NUMBER;
  allOrders[keyCount] = 0;
  std::vector<PreparedKey> keys(static_cast<size_t>(n) * width);
  for (int e = 0; e < n; ++e) {
    PreparedKey* entry = &keys[static_cast<size_t>(e) * width];
    for (int k = 0; k < keyCount; ++k) entry[k] = Prepare(types[k], keyAt(e, k));
    entry[keyCount].number = e;
  }
  if (n == 1) return {0};
  return SortPrepared(n, width, allTypes, allOrders, keys);
}
