#include "jobsheet/reuse/reuse_command.h"

#include <array>

namespace {

struct OutputKindRow {
  const char16_t* text;
  OutputFormat outputFormat;
  int charCode;  // -1: any code
};

constexpr std::array<OutputKindRow, 5> kOutputKinds = {{
    {u"PDF", OutputFormat::kPdf, -1},
    {u"EXCEL", OutputFormat::kExcel, -1},
    {u"CSV-UTF8", OutputFormat::kCsv, 0},
    {u"CSV-SJIS", OutputFormat::kCsv, 1},
    {u"CSV", OutputFormat::kCsv, 2},
}};

}  // namespace

const char16_t* OutputKindText(OutputFormat outputFormat, int charCode) {
  for (const OutputKindRow& row : kOutputKinds) {
    if (row.outputFormat == outputFormat && (row.charCode < 0 || row.charCode == charCode)) {
      return row.text;
    }
  }
  return nullptr;
}

bool OutputKindToFormat(const CString& kind, OutputFormat* outputFormat, int* charCode) {
  for (const OutputKindRow& row : kOutputKinds) {
    if (kind == row.text) {
      *outputFormat = row.outputFormat;
      *charCode = row.charCode < 0 ? 2 : row.charCode;
      return true;
    }
  }
  return false;
}

std::vector<REUSECOMMAND_SAMECSVFILE> CollectJobsOfFile(const std::vector<REUSECOMMAND>& jobs,
                                                        const CString& baseName) {
  std::vector<REUSECOMMAND_SAMECSVFILE> entries;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const REUSECOMMAND& job = jobs[i];
    if (job.csvFile != baseName) continue;
    // The job name becomes the documents' name: one from a hand-edited list that
    // would reach another folder is never offered.
    if (job.jobName.Find(u'/') >= 0 || job.jobName.Find(u'\0') >= 0) continue;
    REUSECOMMAND_SAMECSVFILE e;
    e.command = job.command;
    e.jobName = job.jobName;
    OutputKindToFormat(job.outputKind, &e.outputFormat, &e.charCode);
    e.filePathCount = job.filePathCount;
    e.locked = job.locked;
    e.jobNo = static_cast<int>(i) + 1;
    e.toolOrder = job.toolOrder;
    entries.push_back(e);
  }
  return entries;
}
