#include "edittools/join/join_key_index.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHeadUnits = 8;

// Order of two keys by their heads: <0, 0, >0, or kReadTexts when only their texts
// after the first eight units can tell.
constexpr int kReadTexts = 2;
template <typename A, typename B>   // JoinKeyHead, or a record with its members
int CompareHeads(const A& a, const B& b) {
  if (a.high != b.high) return a.high < b.high ? -1 : 1;
  if (a.low != b.low) return a.low < b.low ? -1 : 1;
  // The first eight units agree: a key of eight units or fewer is then the other's
  // start, padded with zeros, and the shorter comes first.
  if (a.length <= kHeadUnits || b.length <= kHeadUnits) {
    return a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
  }
  return kReadTexts;
}

// Order of two keys longer than eight units whose first eight units agree.
int CompareAfterHeads(std::u16string_view a, std::u16string_view b) {
  const int c = a.substr(kHeadUnits).compare(b.substr(kHeadUnits));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The search of FindJoinKey; compare(i) orders entry i against the key searched.
template <typename Compare>
int FindSorted(int toFirst, int size, Compare compare) {
  if (size == 0) return -1;
  int found = -1;
  const int last = size - 1;
  if (compare(0) == 0) {
    found = 0;
  } else if (compare(last) == 0) {
    found = last;
  } else {
    // Halve the range between the two ends, which are known not to match.
    int lo = 0;
    int hi = last;
    while (hi - lo > 1) {
      const int mid = lo + (hi - lo) / 2;
      const int c = compare(mid);
      if (c == 0) {
        found = mid;
        break;
      }
      // Written as a choice of values, which the compiler may make without a jump:
      // which half comes next is a coin toss to the processor.
      const bool below = c < 0;
      lo = below ? mid : lo;
      hi = below ? hi : mid;
    }
  }
  if (found > 0 && toFirst) {
    while (found > 0 && compare(found - 1) == 0) --found;
  }
  return found;
}

}  // namespace

namespace {

// Four code units read from memory as one number, the first unit the highest.
uint64_t FirstUnitHighest(const char16_t* units) {
  uint64_t x;
  std::memcpy(&x, units, sizeof x);
  x = (x & 0x0000FFFF0000FFFFu) << 16 | (x >> 16 & 0x0000FFFF0000FFFFu);
  return x << 32 | x >> 32;
}

}  // namespace

JoinKeyHead MakeJoinKeyHead(std::u16string_view key) {
  const uint32_t length = static_cast<uint32_t>(key.size());
  if (key.size() >= kHeadUnits) {
    return JoinKeyHead{FirstUnitHighest(key.data()), FirstUnitHighest(key.data() + 4), length};
  }
  char16_t units[kHeadUnits] = {};
  for (size_t i = 0; i < key.size(); ++i) units[i] = key[i];
  return JoinKeyHead{FirstUnitHighest(units), FirstUnitHighest(units + 4), length};
}

bool TextLess(const CString& a, const CString& b) { return a.View() < b.View(); }

bool CompareJoinKeys(const JOINKEY& a, const JOINKEY& b) {
  const int c = a.key.View().compare(b.key.View());
  return c != 0 ? c < 0 : a.row < b.row;
}

void SortJoinKeys(std::vector<JOINKEY>& entries, std::vector<JoinKeyHead>& heads) {
  // An entry's head and number side by side, so that the sort moves small records
  // and reads an entry only when two heads cannot decide.
  struct Item {
    uint64_t high;
    uint64_t low;
    uint32_t length;
    int32_t from;
  };
  static_assert(sizeof(Item) == 24);
  const size_t n = entries.size();
  std::vector<Item> items;
  items.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const JoinKeyHead h = MakeJoinKeyHead(entries[i].key.View());
    items.push_back(Item{h.high, h.low, h.length, static_cast<int32_t>(i)});
  }
  const auto less = [&](const Item& a, const Item& b) {
    int c = CompareHeads(a, b);
    const JOINKEY& ea = entries[static_cast<size_t>(a.from)];
    const JOINKEY& eb = entries[static_cast<size_t>(b.from)];
    if (c == kReadTexts) c = CompareAfterHeads(ea.key.View(), eb.key.View());
    return c != 0 ? c < 0 : ea.row < eb.row;
  };
  // Files often come sorted by their key already: one pass finds that out.
  if (!std::is_sorted(items.begin(), items.end(), less)) std::sort(items.begin(), items.end(), less);
  heads.clear();
  heads.reserve(n);
  for (const Item& item : items) heads.push_back(JoinKeyHead{item.high, item.low, item.length});
  // The entries take their places along the cycles of the new order, in place: a
  // sorted copy would be as much memory again, and fresh memory costs page faults.
  for (size_t i = 0; i < n; ++i) {
    if (items[i].from < 0 || static_cast<size_t>(items[i].from) == i) continue;
    JOINKEY held = std::move(entries[i]);
    for (size_t j = i;;) {
      const size_t k = static_cast<size_t>(items[j].from);
      items[j].from = -1;   // placed
      if (k == i) {
        entries[j] = std::move(held);
        break;
      }
      entries[j] = std::move(entries[k]);
      j = k;
    }
  }
}

int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index, const CString& key) {
  const std::u16string_view k = key.View();
  return FindSorted(toFirst, static_cast<int>(index.size()),
                    [&](int i) { return index[static_cast<size_t>(i)].key.View().compare(k); });
}

int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index,
                const std::vector<JoinKeyHead>& heads, const CString& key) {
  if (heads.size() != index.size()) return FindJoinKey(toFirst, index, key);
  const std::u16string_view k = key.View();
  const JoinKeyHead h = MakeJoinKeyHead(k);
  return FindSorted(toFirst, static_cast<int>(index.size()), [&](int i) {
    const size_t e = static_cast<size_t>(i);
    const int c = CompareHeads(heads[e], h);
    return c != kReadTexts ? c : CompareAfterHeads(index[e].key.View(), k);
  });
}
