#pragma once
// The macro-column layout: which input columns are kept, in which order, and the
// computed columns placed among them.

#include <cstdint>
#include <vector>

#include "grid/grid_store.h"
#include "platform/cstring.h"

// One output column of a layout. A data column has macroNumber 0 and copies input
// column sourceColumn (1-based); a macro column has sourceColumn -1 and macroNumber
// 1 to 3. No other combination is valid.
struct MACROCOL {
  int32_t sourceColumn = 0;
  int32_t macroNumber = 0;
  CString macroText;    // empty for a data column
  CString columnName;   // input title, or the name given to the macro column
};

// The stored layout; each field is kept under its own key in the "@Macro" section.
struct MACROSETTING {
  int32_t colms = 0;            // the dialog's column count when stored
  int32_t SelectCol[GRID_COLS] = {};  // column map carried over from the previous layout
  int32_t EditDatclms = 0;      // data columns when the dialog started
  std::vector<MACROCOL> ClmArry;  // the layout in output order

  void Clear() {
    colms = 0;
    for (int32_t& c : SelectCol) c = 0;
    EditDatclms = 0;
    ClmArry.clear();
  }
};
