#pragma once
// Reading helpers shared by the macro evaluator and the syntax checker. Both read
// a zero-terminated work copy through a cursor; every helper stops at the
// terminator, so no loop can run past the end of the text.

#include <string>
#include <string_view>

#include "platform/cstring.h"

// True when a backslash and a quote at p stand for one quote character inside a
// quoted text: after those two characters and any blanks the text neither ends
// an operand (! & ) + , < = > | :) nor begins with "default:", "then " or
// "else ". At the end of the text it is true.
bool IsEscapedQuote(const char16_t* p);

namespace macro_scan {

// Fills work with the work copy of a macro text, up to its first zero unit:
// every CR LF pair becomes two blanks (a lone CR or LF stays). A null text reads
// as empty. The string's storage is reused from row to row.
void MakeWorkCopy(std::u16string_view text, std::u16string& work);
inline void MakeWorkCopy(const char16_t* text, std::u16string& work) {
  MakeWorkCopy(text != nullptr ? std::u16string_view(text) : std::u16string_view(), work);
}

// Reads a quoted text whose opening quote is just before p: a backslash and
// quote that IsEscapedQuote accepts give one quote, every other character is
// taken as it stands. Returns the position after the closing quote, or the
// terminator when the text ends first (closed is then false).
const char16_t* ReadQuoted(const char16_t* p, CString& out, bool& closed);

// Characters that end a bare token: the end, a blank, ! % & ' ) * + , - / < = > |.
bool EndsBareToken(char16_t c);

// A token at p is a call when a '(' stands in it before the first blank or the end.
bool IsCallToken(const char16_t* p);

}  // namespace macro_scan

namespace macro_scan {

// Longest bare token or field text that can count as a number.
inline constexpr int kMaxNumberLength = 24;

// Only U+0020 is a blank in the macro language.
inline const char16_t* SkipBlanks(const char16_t* p) {
  while (*p == u' ') ++p;
  return p;
}

inline bool StartsWith(const char16_t* p, std::u16string_view word) {
  for (char16_t c : word) {
    if (*p != c) return false;  // also stops at the terminator
    ++p;
  }
  return true;
}

// The first entry of a name table (entries with a u16string_view `name`) whose
// name the text at p begins with, compared exactly; null when there is none.
template <typename Table>
const typename Table::value_type* FindPrefixed(const Table& table, const char16_t* p) {
  for (const auto& entry : table) {
    if (StartsWith(p, entry.name)) return &entry;
  }
  return nullptr;
}

// Statement keywords: ASCII letters compared without case.
bool StartsWithFolded(const char16_t* p, std::u16string_view word);

// First occurrence of word at or after p; null when there is none.
const char16_t* FindText(const char16_t* p, std::u16string_view word);

// The first c at or after p, or the terminator.
inline const char16_t* SkipTo(const char16_t* p, char16_t c) {
  while (*p != 0 && *p != c) ++p;
  return p;
}

// A value cut toward zero to an int; clamped to the int range, NaN gives 0.
int CutToInt(double value);

// White space of the runtime's wide class (used by ".trim(").
bool IsWideSpace(char16_t c);

// Decimal digit of any script (the wide digit class).
bool IsWideDigit(char16_t c);

}  // namespace macro_scan
