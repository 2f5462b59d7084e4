#pragma once
// PivotSum: the running sum of one value column of the aggregation.
//
// Money columns are summed exactly: while every added value is a whole number the
// sum is kept as a 64-bit integer, so amounts beyond the 15 digits a double
// formats exactly never pick up rounding. The first fraction (or an integer sum
// that would overflow) switches the sum to a double for good.

#include <cstdint>

#include "platform/cstring.h"

class PivotSum {
 public:
  void Reset() noexcept { *this = PivotSum(); }
  void Add(double value) noexcept;
  void Add(const PivotSum& other) noexcept;
  // Adds a cell read as ParseNumberText reads it; integers of up to 18 digits
  // are taken digit by digit, beyond the precision of a double.
  void AddText(const CString& text);

  bool IsExact() const noexcept { return exact_; }
  double Value() const noexcept { return exact_ ? static_cast<double>(whole_) : value_; }
  // Decimal text: every digit of an integer sum, FormatDouble otherwise.
  CString Text() const;

 private:
  void AddWhole(int64_t n) noexcept;
  int64_t whole_ = 0;
  double value_ = 0;
  bool exact_ = true;
};
