#pragma once
// Readers of the command tokens whose values have a structure of their own: sort
// keys, page break, header column, label options, barcode, seal and colour-rule
// items, the row-selection macro, row totals, time differences and field names.
//
// Each reader is called with pos just after its keyword in text. It sets its fields
// and returns true with pos at the start of the next token, or false when the
// reading of the whole command ends.

#include <string_view>

#include "jobsheet/command/job_setting.h"

using CommandTokenReader = bool (*)(JOBSETTING& job, std::u16string_view keyword,
                                    std::u16string_view text, size_t& pos);

bool ReadSortToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadBreakToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadHdClmToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadTypeSToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadBarcodeToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadSealToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadColorRuleToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadSelectMacroToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadRowSumToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadTimeSpanToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);
bool ReadFieldNameToken(JOBSETTING& job, std::u16string_view keyword, std::u16string_view text, size_t& pos);

// Stores a name-list value ("Sum=", "Counts=", ...) into the entries that slot(job, i)
// gives: nothing for a value that begins with "＊"; otherwise the items of
// SplitCommaList50, unescaped, from entry 0 on (later entries keep their values).
using NameSlot = CString& (*)(JOBSETTING& job, int index);
void StoreNameList(JOBSETTING& job, std::u16string_view value, NameSlot slot);

// The prefix a colour rule of more than 40 characters is stored with.
inline constexpr std::u16string_view kLongRulePrefix = u"マクロが長すぎ ";
inline constexpr int kLongRuleChars = 40;
