#pragma once
// Messages of the aggregation engine: one modal box through the UI hooks.

#include "platform/cstring.h"

void ShowPivotMessage(const CString& text);
