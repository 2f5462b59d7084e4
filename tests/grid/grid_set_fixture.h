#pragma once
// The grid set the grid tests work on: a fresh one per ResetSet(), so each test
// starts from the same place whatever ran before it.

#include <initializer_list>
#include <memory>

#include "grid/grid_set.h"

namespace gridtest {

inline std::unique_ptr<CGridSet>& SetHolder() {
  static std::unique_ptr<CGridSet> set = std::make_unique<CGridSet>();
  return set;
}

// The current set.
inline CGridSet& Set() { return *SetHolder(); }

// Replaces the set by a freshly built one and returns it.
inline CGridSet& ResetSet() {
  SetHolder() = std::make_unique<CGridSet>();
  return Set();
}

// Writes rows of cells into a grid, row r from the r-th list.
inline void Fill(CTextGrid& grid, std::initializer_list<std::initializer_list<const char16_t*>> rows) {
  int r = 0;
  for (const auto& cells : rows) {
    int c = 0;
    for (const char16_t* cell : cells) grid[r][c++] = cell;
    ++r;
  }
}

// count copies of line, one after the other.
inline CString Lines(int count, const char16_t* line) {
  CString text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

// One line of count tab-separated fields "v".
inline CString TabFields(int count) {
  CString line;
  for (int i = 0; i < count; ++i) line += i ? u"\tv" : u"v";
  return line;
}

}  // namespace gridtest
