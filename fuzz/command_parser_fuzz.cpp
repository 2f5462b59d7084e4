// Any text read as a command: no crash, no sanitizer report, the record's counts stay
// in their ranges, the writer runs on whatever was read, and the codecs keep their
// promises on the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/grid_store.h"
#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/command/reserved_chars.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

bool HasEscapedForm(const CString& text) {
  return UnescapeReservedChars(text) != text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString text(std::string(reinterpret_cast<const char*>(data), size));

  JOBSETTING job;
  ParseCommandText(job, text);
  Check(job.m_SortCount >= 0 && job.m_SortCount <= kJobSortKeys, "sort count");
  Check(job.m_DocKind >= 0 && job.m_DocKind <= 4, "kind");
  for (const HORIZONSUM& h : job.m_RowSums) Check(h.m_Columns[2].IsEmpty(), "row total columns");
  for (OutputFormat format : {OutputFormat::kPdf, OutputFormat::kExcel, OutputFormat::kCsv}) {
    job.m_OutputFormat = format;
    BuildCommandText(job, 0, GRID_COLS);
    BuildCommandText(job, 1, 0);
  }

  if (!HasEscapedForm(text)) Check(UnescapeReservedChars(EscapeReservedChars(text)) == text, "escape round trip");
  const CString escaped = EscapeReservedChars(text);
  Check(escaped.GetLength() == text.GetLength(), "escape keeps the length");
  Check(escaped.FindOneOf(u";,") < 0, "escaped separators");

  const CString expanded = ExpandColumnList(text);
  CompressColumnList(expanded);
  CompressColumnList(text);

  std::vector<CString> items;
  const int count = SplitCommaList50(text, items);
  Check(count >= 1 && count <= kCommaListMaxItems && count == static_cast<int>(items.size()), "item count");
  return 0;
}
