#pragma once
// Messages of the aggregation engine: one modal box through the UI hooks.

#include "platform/cstring.h"

void ShowPivotMessage(const CString& text);

// Texts the engine and the dialog share.
inline constexpr char16_t kPivotTooManyGroups[] = u"ｸﾞﾙｰﾌﾟ選択は3項目までです。";
inline constexpr char16_t kPivotTooManyRowsFormat[] = u"集計した行数が %d を超えたため処理を中止します。";
