#include "edittools/join/join_key_index.h"

bool TextLess(const CString& a, const CString& b) { return a.View() < b.View(); }

bool CompareJoinKeys(const JOINKEY& a, const JOINKEY& b) {
  const int c = a.key.View().compare(b.key.View());
  return c != 0 ? c < 0 : a.row < b.row;
}

int FindJoinKey(int toFirst, const std::vector<JOINKEY>& index, const CString& key) {
  if (index.empty()) return -1;
  const std::u16string_view k = key.View();
  int found = -1;
  const int last = static_cast<int>(index.size()) - 1;
  if (index[0].key.View() == k) {
    found = 0;
  } else if (index[last].key.View() == k) {
    found = last;
  } else {
    // Halve the range between the two ends, which are known not to match.
    int lo = 0;
    int hi = last;
    while (hi - lo > 1) {
      const int mid = lo + (hi - lo) / 2;
      const int c = index[mid].key.View().compare(k);
      if (c == 0) {
        found = mid;
        break;
      }
      if (c < 0) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
  }
  if (found > 0 && toFirst) {
    while (found > 0 && index[found - 1].key.View() == k) --found;
  }
  return found;
}
