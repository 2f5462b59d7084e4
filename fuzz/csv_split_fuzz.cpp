// Splits arbitrary text as CSV and as TSV and checks the splitter's limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "grid/csv_split.h"
#include "grid/text_width.h"
#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const CString text = BytesToText(bytes, CP_UTF8);
  std::vector<CString> fields;
  for (bool tsv : {false, true}) {
    CString line = text;
    CsvSplitOverflow overflow;
    int n = SplitCsvLine(fields, line, tsv, &overflow);
    if (n < 0 || n > kCsvMaxFields || n != static_cast<int>(fields.size())) std::abort();
    if (n == kCsvMaxFields && !overflow.tooManyFields && text.View().find(tsv ? u'\t' : u',') ==
                                                             std::u16string_view::npos)
      std::abort();
    for (const CString& f : fields)
      if (f.GetLength() > kCsvMaxFieldChars) std::abort();
    if (line.GetLength() > text.GetLength()) std::abort();
  }
  CString folder, name;
  int r = SplitPath(folder, name, text);
  if (r != 0 && r != 1) std::abort();
  (void)ExpandLeadingEnvVar(text);
  // The width routines on the same text.
  int width = GetDisplayWidth(text);
  if (width < text.GetLength()) std::abort();
  for (int n : {0, 1, 3, 10}) {
    if (GetDisplayWidth(AlignRightColumns(text, n)) != n) std::abort();
    if (GetDisplayWidth(AlignInColumns(text, n)) > n) std::abort();
    CString dest;
    CopyColumns(dest, text, n, 1);
    if (GetDisplayWidth(dest) != n) std::abort();
    (void)MidColumns(text, n, n - 1);
  }
  CString kana = text;
  ToHalfWidthKana(kana);
  (void)ToFullWidth(text);
  return 0;
}
