#pragma once
// Number text routines: the program's own conversions between doubles and
// text, independent of any locale. The decimal point is ".", the grouping
// separator ",", the currency sign "\"; the negative signs ▲ and △ are read.
//
// Every routine is reentrant and keeps no state; results are returned as new
// strings, except where a routine writes into a buffer the caller gives.

#include <cstdint>

#include "platform/cstring.h"

// Fixed-point digits of |value| rounded at `decimals` places after the point,
// limited to 15 digits: when point + decimals exceeds 14, the digits are taken
// again with 15 - point decimals. `digits` holds the digits without point or
// sign (empty when every digit is zero), `point` the point position counted
// from the left (0 or below for values under 1), `negative` the sign.
// False (and empty digits) only for a value that is not finite.
bool GuardedFcvt(CString& digits, double value, int decimals, int& point, bool& negative);

// The integer formed by the digits before the point of GuardedFcvt(x, 10),
// sign ignored; 2.99999999999 gives 3. Saturates far beyond 64 bits.
int64_t DigitsIntegerPart(double x);

// Integer part toward zero of x moved away from zero by the epsilon of its
// magnitude (1e-14 below 10 ... 1 from 1e15). Saturates beyond 64 bits.
int64_t TruncNudged(double x);

// Decimal text from fixed-point digits: "-" for x below 0; point 0 or below
// gives "0." and -point zeros before the digits; otherwise the point goes
// after `point` digits (zeros appended and no point when the digits are fewer).
CString BuildDecimalText(double x, const CString& digits, int point);

// Decimal text of x with at most 15 significant digits and 10 decimals,
// trailing zeros and a trailing point removed, "-0" written as "0".
CString FormatDouble(double x);

// The text of FormatDouble written into out, which has room for kMaxDoubleText
// units (no terminator is written); returns its length. For loops that make many
// cells without a string each.
inline constexpr int kMaxDoubleText = 320;
int FormatDoubleInto(double x, char16_t* out);

// FormatDouble after moving x 1e-11 away from zero.
CString FormatDoubleNudged(double x);

// Cuts trailing blanks (U+0020, U+3000, U+0001-U+000D); when the text holds
// a ".", also trailing "0" characters and then a trailing ".". New length.
int StripTrailingZeros(CString& text);

// value right-aligned in `width` characters padded with "0"; a longer text
// keeps only its last `width` characters. Width 0 or below gives "".
CString FormatZeroPadded(int value, int width);

// Reads a number: texts over 30 characters give 0; leading blanks skipped;
// "," and "\" skipped; "-", "." and digits taken; ▲ or △ is a minus sign
// (a blank right after it is skipped too); any other character ends the
// number. The taken characters are converted as far as they form a number.
double ParseNumberText(const CString& text);

// The runtime's decimal text-to-double reading: leading white space, a sign,
// digits with one point and an exponent, as far as they form a number; 0 when
// nothing does. Out of range reads as infinity or zero, as the runtime does.
double ReadDouble(const char16_t* p);

// True for the empty text and for number texts: digits, one ".", "," anywhere,
// a "-" or "\" first after leading blanks, and a last "%" preceded only by
// digits and the point.
bool IsNumberText(const CString& text);

// -1 for the empty text; 1 for number or date text (digits, blanks, ",", "/",
// ":", one ".", a leading "-" or "\", "%" before any "."); 0 otherwise.
int IsNumberOrDateText(const CString& text);

// Correction for values whose 15th significant digit is "9": the epsilon of
// x's magnitude with x's sign; 0 otherwise (always 0 below 10000).
double RoundingEpsilon(double x);

// Rounds `value` at `position` (-1 first decimal, 0 units, 1 tens, 2 hundreds)
// with `digit` as rounding kind: 0 cuts, 5 rounds half up, 9 rounds up, any
// other digit d rounds up from d. Stores the result back and returns it.
double RoundValue(int digit, double& value, int position);

// Formats x by a digit pattern: "#", "Z", "P", "B" are digit places, ","
// groups, a blank may take the minus sign, "." starts the decimal places
// (cut, not rounded); other characters are copied. Near-zero x with a Z, P or
// B place gives blanks (last one "･" for P, "-" for B).
CString FormatNumberCore(double x, const CString& pattern);

// Formats x by a display pattern of the macro language and the settings
// sheet: digit-place patterns, "0#n" / "0n" zero padding, "%" and "%.n"
// percentages, prefixes with "," grouping and ".n" / ".Bn" / ".bn" decimals,
// and the sign options △, ▲, "(-)", "(*)". A pattern over 30 characters
// gives "". Never fails.
CString FormatNumber(double x, const CString& pattern);
