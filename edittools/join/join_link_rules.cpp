#include "edittools/join/join_link_rules.h"

namespace {

// One row per (target, source) pair that makes a link. swap: the dropped row is
// itemA (the link's lower list is the source).
struct DropRule {
  int target;
  int source;
  int listA;
  int listB;
  bool sourceIsA;
  int array;
};
constexpr DropRule kDropRules[] = {
    {0, 1, 0, 1, false, 0}, {0, 2, 0, 2, false, 1}, {1, 0, 0, 1, true, 0}, {1, 2, 1, 2, false, 1},
    {2, 0, 0, 2, true, 1},  {2, 1, 1, 2, true, 1},  {3, 0, 0, 3, true, 2}, {3, 1, 1, 3, true, 2},
};
static_assert(sizeof(kDropRules) / sizeof(kDropRules[0]) == 8);

constexpr int kKeyLinksPerArray = 2;

}  // namespace

bool LinkForDrop(int target, int targetRow, int source, int sourceRow, ALIGN& link, int& array) {
  for (const DropRule& r : kDropRules) {
    if (r.target != target || r.source != source) continue;
    link.listA = r.listA;
    link.listB = r.listB;
    link.itemA = r.sourceIsA ? sourceRow : targetRow;
    link.itemB = r.sourceIsA ? targetRow : sourceRow;
    array = r.array;
    return true;
  }
  return false;
}

int CheckLink(const std::vector<ALIGN> (&arrays)[JOIN_LINK_ARRAYS], int array, const ALIGN& link) {
  if (array < 0 || array >= JOIN_LINK_ARRAYS) return LINK_ARRAY_FULL;
  const std::vector<ALIGN>& links = arrays[array];
  if (link.listB != 3 && static_cast<int>(links.size()) >= kKeyLinksPerArray) return LINK_ARRAY_FULL;
  // Array 1 links the second additional CSV either to the first or to the loaded
  // CSV, never both ways at once.
  for (const ALIGN& a : arrays[1]) {
    const bool firstToSecond = a.listA == 1 && a.listB == 2;
    const bool loadedToSecond = a.listA == 0 && a.listB == 2;
    if ((firstToSecond && link.listA == 0 && link.listB == 2) ||
        (loadedToSecond && link.listA == 1 && link.listB == 2)) {
      return LINK_BAD_CHAIN;
    }
  }
  for (const ALIGN& a : links) {
    if (a.listA == link.listA && (a.itemA == link.itemA || a.itemB == link.itemB)) return LINK_FIELD_USED;
  }
  return LINK_OK;
}

CString LinkRefusalText(int code) {
  switch (code) {
    case LINK_ARRAY_FULL: return CString(u"1つのCSVファイルに対し、3つ以上繋ぎを設定することはできません");
    case LINK_BAD_CHAIN:
      return CString(u"この繋ぎを設定することはできません\n(コンバーターで使用時は追加CSVの順で繋いでください)");
    case LINK_FIELD_USED: return CString(u"同じフィールド名に対して複数の繋ぎを設定することはできません");
    default: return CString();
  }
}
