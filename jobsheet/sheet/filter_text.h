#pragma once
// The row condition typed into the filter dialog: characters it may not contain.

#include "platform/cstring.h"

// The message that refuses text, or an empty text when it may be taken. Refused,
// in this order: "<>", the full-width ＝ ！ ＜ ＞, any of : / * ? | and the
// backslash, and ")", which would end the condition inside the command text.
CString FilterTextRefusal(const CString& text);
