#pragma once
// Display-column and character routines shared by every subsystem.
//
// A half-width character (platform/char_props.h) takes one display column, every
// other character two; a surrogate pair is one character of two columns and is
// never cut in half. All routines take and return owned CString texts of any length.

#include "platform/cstring.h"

// True for the trailing blanks: U+0020, U+3000 and U+0001 to U+000D.
inline bool IsTrailingBlank(char16_t c) { return c == u' ' || c == u'\u3000' || (c >= 0x01 && c <= 0x0D); }

// Cuts the trailing blanks of text in place; returns the new length. Blanks inside stay.
int TrimRightBlanks(CString& text);

// Sum of the display widths of the characters; 0 for an empty text.
int GetDisplayWidth(const CString& text);

// n blanks (U+0020); empty for n <= 0.
CString FillBlanks(int n);

// Inserts c at a display column: after the characters that end at or before the
// column. Column 0 puts c in front. When a character straddles the column, c goes
// before it. A text narrower than the column stays unchanged.
void InsertAtColumn(CString& text, char16_t c, int column);

// mode 0: dest = the first min(n, length) code units of source (n < 0 as 0); returns
//         the source position after them.
// mode 1: dest = the characters of source that fit in n columns (a full-width
//         character on the last column is dropped), filled with blanks to exactly n
//         columns; empty for n <= 0. Returns the source position after the characters
//         taken.
// other modes: dest unchanged, returns 0.
int CopyColumns(CString& dest, const CString& source, int n, int mode);
// The same operation under the name the macro syntax checker uses.
int CopyTextColumns(CString& dest, const CString& source, int n, int mode);

// source without its trailing blanks, right-aligned in n columns: when it all fits,
// n - width blanks then the text; otherwise only the last characters that fit, with
// no blanks (one column short when a full-width character would straddle the left
// edge). Empty for n <= 0.
CString AlignInColumns(const CString& source, int n);

// source without its trailing blanks, right-aligned in exactly n columns: cut from the
// left when wider (a straddling full-width character becomes one blank), blanks in
// front when narrower. Empty for n <= 0.
CString AlignRightColumns(const CString& source, int n);

// The part of source from display column start on, at most limit columns wide
// (limit -1: to the end). A full-width character covering columns start - 1 and start
// is skipped and its second column counts against the limit. The walk stops at an
// unassigned character. Empty when source's width is at most start.
CString MidColumns(const CString& source, int start, int limit);

// The text in full-width forms (platform/char_props.h MapToFullWidth).
CString ToFullWidth(const CString& source);

// Maps text in place to half-width characters and katakana, then replaces each voiced
// katakana left full-width (パ ピ プ ペ ポ ガ ... ボ, 25 of them) by its half-width
// kana and the half-width voiced or semi-voiced mark. Returns text.
CString& ToHalfWidthKana(CString& text);

// The product version text of the program (fixed when it is built).
CString GetProductVersion();
