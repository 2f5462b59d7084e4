#pragma once
// The tool order as the short text stored with each reusable job, and the
// letters text the job lists show.

#include "edittools/chain/tool_order_records.h"
#include "platform/cstring.h"

// "KK-FF" per slot (kind, open-settings flag, two digits each) joined by "/",
// all five slots; the empty text when slot 0 is empty.
CString FormatToolOrder(const TOOLORDER& order);

// The letters of the kinds in a tool-order text, joined by ",": the kind texts
// stand at positions 0, 6, 12, 18 and 24. A text too short for a slot reads as
// an empty slot there; an unknown kind text gives no letter.
CString ToolOrderToLetters(const CString& text);
