#pragma once
// Column kinds of the join: what a column's header and sample values say it holds,
// and how a key cell of each kind is normalised before keys are compared.

#include <cstdint>

#include "platform/cstring.h"

enum : uint8_t {
  JOINKIND_NONE = 0,
  JOINKIND_COMPANY = 1,
  JOINKIND_PERSON = 2,
  JOINKIND_DATE = 3,
  JOINKIND_PHONE = 4,
  JOINKIND_POSTAL = 5,
  JOINKIND_CODE = 6,
  JOINKIND_UNDETERMINED = 255,
};

// Kind 0 to 6 of a header by the word it ends with (after a trailing serial is cut),
// -1 for a header that is empty after that. Exact, case- and width-sensitive.
int ClassifyLabelHeader(const CString& header);

// The kind when a value of class valueClass (ClassifyValueText) fits a header of
// that kind, else 0.
int IsKindCompatible(int kind, int valueClass);

// The editor's "型" label of a kind; empty for 0, 255 and unknown kinds.
const char16_t* JoinKindLabel(int kind);

// A key cell made comparable: blanks at both ends cut, then the kind's own rule
// (company forms spelled out, blanks and separators of names, phones and postal
// codes removed, dates as yyyy/mm/dd).
CString NormalizeJoinKey(const CString& text, int kind);
