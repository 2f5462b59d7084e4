#pragma once
// REUSECOMMAND: one reusable job as the job list keeps it, and
// REUSECOMMAND_SAMECSVFILE: one such job as offered for the current input.

#include <vector>

#include "jobsheet/command/job_setting.h"
#include "platform/cstring.h"

struct REUSECOMMAND {
  CString csvFile;        // base name of the inputs the job serves (case-sensitive)
  CString command;        // document command text
  CString outputKind;     // "PDF", "EXCEL", "CSV", "CSV-UTF8" or "CSV-SJIS"
  CString jobName;        // unique per csvFile; also the output name of its documents
  int filePathCount = 0;  // "FilePath=" lines of the job's settings file
  int locked = 0;         // 1: "編集不可" in the editor
  int reserved = 0;       // kept as read
  CString toolFilePath;   // the job's settings file as found at loading, empty when none
  std::vector<CString> toolLines;  // that file's lines as read, line ends included
  int deleted = 0;           // drop at the next save, with its settings file
  int toolLinesChanged = 0;  // write toolLines as the job's settings file at the next save
  int nameChanged = 0;       // move the settings file to the new name at the next save
  CString toolOrder;         // tool-order text, empty when the job has no tools

  // Empties every text and the line list; every number becomes 0.
  void Clear() { *this = REUSECOMMAND(); }
};

struct REUSECOMMAND_SAMECSVFILE {
  CString command;
  CString jobName;
  OutputFormat outputFormat = OutputFormat::kPdf;
  int charCode = 2;       // 0 UTF-8, 1 Shift_JIS, 2 no conversion
  int filePathCount = 0;
  int locked = 0;
  int jobNo = 0;          // 1-based position in the job list
  CString toolOrder;
};

// The output kind stored for a run's output format and character code; null when
// the pair has none (then a new job keeps an empty kind, an overwritten one its old).
const char16_t* OutputKindText(OutputFormat outputFormat, int charCode);

// The output format and character code of a stored kind. PDF and Excel jobs carry
// no code of their own and give 2 (no conversion). false, nothing set, for a kind
// that is none of the five.
bool OutputKindToFormat(const CString& kind, OutputFormat* outputFormat, int* charCode);

// The entries of the jobs serving baseName (exact, case-sensitive), in list order;
// a job whose name holds "/" or NUL (a hand-edited list) is left out.
std::vector<REUSECOMMAND_SAMECSVFILE> CollectJobsOfFile(const std::vector<REUSECOMMAND>& jobs,
                                                        const CString& baseName);
