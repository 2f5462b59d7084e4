#pragma once
// The row condition typed into the filter dialog: characters it may not contain.

#include "platform/cstring.h"

// The message that refuses text, or an empty text when it may be taken. Refused,
// in this order: "<>", the full-width ＝ ！ ＜ ＞, any of : / * ? | and the
// backslash, and ")", which would end the condition inside the command text.
CString FilterTextRefusal(const CString& text);

// The condition as the page's own evaluation reads it, in every form the filter
// dialog's examples teach: "if " put in front unless it is there; the full-width
// ＜ ＞ ＝ ！ as ASCII; "&&" and "||" outside quotes as the language's "&" and "|";
// a reference "[n]" (digits only, 1 <= n <= columns) as "[" +
// ColumnNumberName(n) + "]", which the caller gives the evaluator as the name of
// the n-th column. Field names and quoted texts are otherwise kept as written.
CString PageConditionStatement(const CString& condition, int columns);

// The private field name standing for the 1-based column n: it begins with a
// control character, so no title cell and no typed name is ever equal to it.
CString ColumnNumberName(int n);
