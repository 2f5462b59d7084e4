#pragma once
// The files of the reusable jobs in the program folder: the job list
// "ReuseCommandFile.txt" (UTF-8, one line per job, LF), each job's data-edit
// settings file kept line by line with its job, and the "BackUp" copy made by a
// reset. These routines work on the list they are given; the application object
// owns the list.
//
// List line: "csvFile","command","outputKind","jobName",filePathCount,locked,reserved,"toolOrder"
// Texts are quoted without escaping, so a text may not hold a double quote
// directly followed by a comma.

#include <vector>

#include "jobsheet/reuse/reuse_command.h"
#include "platform/cstring.h"

inline constexpr char16_t kReuseListFileName[] = u"ReuseCommandFile.txt";
inline constexpr char16_t kReuseBackupFolderName[] = u"BackUp";

enum class ReuseListRead {
  kNoFile,   // no list file (or it could not be opened): nothing appended
  kWhole,    // every line was read
  kPartial,  // a line or a settings file could not be read whole: what was read is
             // appended, but writing the list back would lose the rest
};

// Appends the jobs of the list file to jobs, each with the lines of its settings
// file (filePathCount recounted from them when the file exists). A job without a
// name takes its base name; its settings file is looked up under the empty name.
ReuseListRead LoadReuseList(const CString& programFolder, std::vector<REUSECOMMAND>& jobs);

// The list-file line of one job, LF included.
CString FormatReuseLine(const REUSECOMMAND& job);

// The whole list file as it would be written: the lines of the jobs not flagged
// deleted.
CString FormatReuseList(const std::vector<REUSECOMMAND>& jobs);

// True when a text cannot be stored in a list line (it would end its field early).
bool ReuseTextBreaksLine(const CString& text);

// Writes the settings files of renamed jobs and of jobs whose lines changed (creating
// the "DataEditTool" folder when missing), then deletes the files of deleted jobs and
// the old files of renamed ones. An old file is deleted only after its job's new file
// was written, and never when this save wrote that path for another job. false when
// any file could not be written or deleted.
bool SaveReuseToolFiles(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs);

// Writes the list file (jobs flagged deleted left out), replacing it whole or not at
// all. false when it could not be written.
bool SaveReuseList(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs);

enum class ReuseReset { kDone, kBackupFailed, kClearFailed };

// Backs up the list file and the "DataEditTool" folder into "BackUp" (replacing the
// previous backup), and only when that succeeded empties the list file and deletes
// the files directly inside "DataEditTool". kBackupFailed: nothing was emptied or
// deleted. The caller reports a failure.
ReuseReset ResetReuseStore(const CString& programFolder);
