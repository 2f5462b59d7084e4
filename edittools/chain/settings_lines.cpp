#include "edittools/chain/settings_lines.h"

#include "grid/csv_split.h"
#include "grid/text_width.h"
#include "platform/int_text.h"

bool NextSectionLine(CCsvTextFile& in, CString& line) {
  for (;;) {
    if (!in.ReadLine(line, CCsvTextFile::kToolSettingsLineChars)) return false;
    if (line.GetLength() >= 2 && line[0] == u'/' && line[1] == u'/') continue;
    return TrimRightBlanks(line) > 0;
  }
}

int MatchSettingsKey(const CString& line, std::span<const char16_t* const> keys, CString& value) {
  const std::u16string_view text = line.View();
  for (size_t k = 0; k < keys.size(); ++k) {
    if (text.starts_with(keys[k])) {
      value = CString(text.substr(std::char_traits<char16_t>::length(keys[k])));
      return static_cast<int>(k);
    }
  }
  return -1;
}

int SettingsInt(const CString& text) { return TextToInt(text.View()); }

int SplitSettingsList(std::vector<CString>& fields, const CString& value) {
  // A separator after a quoted last field keeps it from being the last field,
  // whose "\n" the splitter would turn into a line break.
  const bool quotedEnd = !value.IsEmpty() && value[value.GetLength() - 1] == u'"';
  CString line = quotedEnd ? value + u"," : value;
  SplitCsvLine(fields, line, false);
  if (quotedEnd && !fields.empty()) fields.pop_back();
  return static_cast<int>(fields.size());
}
