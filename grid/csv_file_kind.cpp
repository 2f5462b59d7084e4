#include "grid/csv_file_kind.h"

#include <iterator>
#include <string_view>

CsvFileKind CsvFileKindOf(const CString& path) {
  struct Extension {
    std::u16string_view text;
    CsvFileKind kind;
  };
  static constexpr Extension kExtensions[] = {{u".csv", CsvFileKind::kCsv},
                                              {u".CSV", CsvFileKind::kCsv},
                                              {u".tsv", CsvFileKind::kTsv},
                                              {u".TSV", CsvFileKind::kTsv}};
  static_assert(std::size(kExtensions) == 4);
  const std::u16string_view text = path.View();
  const size_t slash = text.find_last_of(u"/\\");
  const std::u16string_view name = slash == std::u16string_view::npos ? text : text.substr(slash + 1);
  for (const Extension& ext : kExtensions) {
    if (name.size() > ext.text.size() && name.ends_with(ext.text)) return ext.kind;
  }
  return CsvFileKind::kNone;
}
