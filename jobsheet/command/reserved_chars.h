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
// plus 1) become first~last, shorter runs stay as numbers; order is kept. Every
// field is read as an integer, one that is no number as 0 ("1,x,3" gives "1,0,3"),
// whether or not it names a column. At most 256 numbers are read; an empty or
// blank list gives "".
CString CompressColumnList(const CString& list);

// "1~3,5" -> "1,2,3,5", fields joined by ",". A field a~b gives a..b (nothing when
// a > b, so "1,5~3" gives "1,"); any other field is copied as it stands. The result
// has fewer than 100,000 characters: the entries that would not fit are left off.
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
