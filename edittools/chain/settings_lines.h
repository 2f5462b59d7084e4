#pragma once
// Line-level reading shared by the section readers of the data-edit settings file.

#include <span>
#include <vector>

#include "grid/csv_text_file.h"
#include "platform/cstring.h"

// Next line of a section, trailing blanks cut and "//" comments passed over.
// False when the section ends: end of the file, a line too long for the
// reader, or a blank line.
bool NextSectionLine(CCsvTextFile& in, CString& line);

// Index of the first key the line starts with; value gets the rest of the line.
// -1 when none matches.
int MatchSettingsKey(const CString& line, std::span<const char16_t* const> keys, CString& value);

// A decimal integer as the runtime reads it (blanks, sign, digits; 0 when none).
int SettingsInt(const CString& text);

// The fields of a list value. A quoted last field is taken as written (the
// splitter's line-break escapes apply to CSV data, not to this file).
int SplitSettingsList(std::vector<CString>& fields, const CString& value);
