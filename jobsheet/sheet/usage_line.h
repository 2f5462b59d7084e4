#pragma once
// The settings sheet's usage line of the service's print counts.

#include "platform/cstring.h"

// "使用回数[u] 契約数[c] 残数[c-u] 使用率[r％]"; a contract of 0 gives the rate 0.
CString UsageLineText(int used, int contracted);
// The notice shown when nothing is left of the contract.
inline constexpr const char16_t* kUsageExceededText = u"契約の利用回数を超えています。\n購買担当者にご連絡ください。";
