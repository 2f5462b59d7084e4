// Exact integer sums with a double fallback.
#include "edittools/pivot/pivot_sum.h"

#include <cmath>

#include "grid/number_text.h"

namespace {

// Doubles hold every integer up to 2^53 exactly.
constexpr double kExactLimit = 9007199254740992.0;
constexpr int kMaxWholeDigits = 18;
// ParseNumberText reads no text longer than this.
constexpr int kMaxNumberText = 30;

// An integer cell (blanks, one leading "-", digits, "," and "\\"), read exactly.
bool ReadWholeText(const CString& text, int64_t& out) {
  const int n = text.GetLength();
  int i = 0;
  while (i < n && text[i] == u' ') ++i;
  bool negative = false;
  if (i < n && text[i] == u'-') {
    negative = true;
    ++i;
  }
  int64_t value = 0;
  int digits = 0;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (c == u',' || c == u'\\') continue;
    if (c < u'0' || c > u'9' || ++digits > kMaxWholeDigits) return false;
    value = value * 10 + (c - u'0');
  }
  if (digits == 0) return false;
  out = negative ? -value : value;
  return true;
}

}  // namespace

void PivotSum::AddWhole(int64_t n) noexcept {
  int64_t sum = 0;
  if (exact_ && !__builtin_add_overflow(whole_, n, &sum)) {
    whole_ = sum;
    return;
  }
  if (exact_) {
    value_ = static_cast<double>(whole_);
    exact_ = false;
  }
  value_ += static_cast<double>(n);
}

void PivotSum::Add(double value) noexcept {
  if (exact_ && value == std::trunc(value) && std::fabs(value) <= kExactLimit) {
    AddWhole(static_cast<int64_t>(value));
    return;
  }
  if (exact_) {
    value_ = static_cast<double>(whole_);
    exact_ = false;
  }
  value_ += value;
}

void PivotSum::Add(const PivotSum& other) noexcept {
  if (other.exact_) {
    AddWhole(other.whole_);
  } else {
    Add(other.value_);
  }
}

void PivotSum::AddText(const CString& text) {
  // Plain integers (the usual money cell) are read here without a detour through
  // a double; ReadWholeText accepts only texts that ParseNumberText reads the same.
  int64_t whole = 0;
  if (text.GetLength() <= kMaxNumberText && ReadWholeText(text, whole)) {
    AddWhole(whole);
    return;
  }
  const double value = ParseNumberText(text);
  if (std::fabs(value) >= kExactLimit && ReadWholeText(text, whole)) {
    AddWhole(whole);
    return;
  }
  Add(value);
}

CString PivotSum::Text() const {
  if (exact_) return CString::Build(u"%lld", static_cast<long long>(whole_));
  return FormatDouble(value_);
}
