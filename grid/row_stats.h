#pragma once
// The statistics the data grid keeps per row (theApp.m_RowFilledCount,
// m_RowTextCount, m_RowLastTextCol), counted the same way for a loaded file row and
// for a row pasted from the clipboard.

#include <span>

#include "grid/number_text.h"
#include "platform/cstring.h"

struct RowStats {
  int filled = 0;       // cells that are not empty
  int textCount = -1;   // cells that are neither empty nor number or date text, minus one
  int lastTextCol = 0;  // column of the last such cell; 0 when there is none

  // Counts the cell in column c, of kind IsNumberOrDateText gave it; cells are
  // counted from left to right.
  void Count(int c, int kind) {
    if (kind != -1) ++filled;
    if (kind == 0) {
      ++textCount;
      lastTextCol = c;
    }
  }
};

inline RowStats CountRowCells(std::span<const CString> cells) {
  RowStats s;
  for (size_t c = 0; c < cells.size(); ++c) s.Count(static_cast<int>(c), IsNumberOrDateText(cells[c]));
  return s;
}
