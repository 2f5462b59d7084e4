#pragma once
// Codecs of the command text: reserved-character escaping of free-text values, the
// column lists of "Select=" and the comma splitter of the name lists.

#include <vector>

#include "platform/cstring.h"

// A copy of text with each of : / * ? < > | \ " ( ) [ ] ; , replaced by the
// private-use character U+F800 plus its code; other characters stay.
CString EscapeReservedChars(const CString& text);

// The reverse: each of the 15 escaped forms back to its character; everything else,
// other private-use characters included, stays.
CString UnescapeReservedChars(const CString& text);

// "1,2,3,5" -> "1~3,5": runs of three or more consecutive numbers (each the previous
// plus 1) become first~last, shorter runs stay as numbers; order is kept. Fields
// that name no column 1 to 256 (no number, 0, 300) are dropped. At most 256 numbers
// are kept; a list left without any gives "".
CString CompressColumnList(const CString& list);

// "1~3,5" -> "1,2,3,5", numbers joined by ",". A range a~b gives a..b clipped to
// the columns 1 to 256 (nothing when empty); any other field gives its number when
// it is a column 1 to 256. Entries outside that range are dropped whole, so the
// result holds no empty entry ("300,301" gives "").
CString ExpandColumnList(const CString& list);

// Most items a name list carries.
inline constexpr int kCommaListMaxItems = 20;
// Characters an item of a list with more than one item keeps.
inline constexpr int kCommaListItemChars = 50;

// Splits text at "," into items (cleared first); returns the number of items kept.
// A text without "," is one item, whole. Otherwise empty items count; each item
// keeps its first 50 characters, plus every "~" found among the characters cut
// off. Items after the 20th are dropped.
int SplitCommaList50(const CString& text, std::vector<CString>& items);
