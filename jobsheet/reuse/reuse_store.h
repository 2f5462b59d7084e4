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

#include <optional>
#include <string>
#include <vector>

#include "jobsheet/reuse/reuse_command.h"
#include "platform/cstring.h"

inline constexpr char16_t kReuseListFileName[] = u"ReuseCommandFile.txt";
inline constexpr char16_t kReuseBackupFolderName[] = u"BackUp";
// Lock file beside the list: every program that runs takes it, shared while it
// reads the list and exclusive while it saves or resets, so no program writes
// over a list another one changed since it read it.
inline constexpr char16_t kReuseLockFileName[] = u"ReuseCommandFile.lock";

enum class ReuseListRead {
  kNoFile,   // no list file (or it could not be opened): nothing appended
  kWhole,    // every line was read
  kPartial,  // a line or a settings file could not be read whole: what was read is
             // appended, but writing the list back would lose the rest
};

// Appends the jobs of the list file to jobs, each with the lines of its settings
// file (filePathCount recounted from them when the file exists). A job without a
// name takes its base name; its settings file is looked up under the empty name.
// A job whose names make no file of the settings folder (EditSettingsNameFits)
// keeps its line but gets no settings file. When listBytes is given it receives
// the list file's bytes as read (nullopt when there is no file): the stamp that
// SaveReuseStore checks.
ReuseListRead LoadReuseList(const CString& programFolder, std::vector<REUSECOMMAND>& jobs,
                            std::optional<std::string>* listBytes = nullptr);

// The list-file line of one job, LF included.
CString FormatReuseLine(const REUSECOMMAND& job);

// The whole list file as it would be written: the lines of the jobs not flagged
// deleted.
CString FormatReuseList(const std::vector<REUSECOMMAND>& jobs);

// True when a text cannot be stored in a list line (it would end its field early).
bool ReuseTextBreaksLine(const CString& text);

enum class ReuseSave {
  kSaved,             // the list and the settings files are as the jobs ask
  kChangedElsewhere,  // the list file is no longer the one stamped: nothing written
  kFailed,            // a file could not be written or deleted: everything put back
  kFailedPartly,      // as kFailed, but a file could not be put back
  kNameRefused,       // a job to write has names that make no settings file
                      // (EditSettingsNameFits): nothing written
};

// Saves the jobs as one change, under the exclusive lock: checks that the list file
// still has the stamped bytes (listStamp, from LoadReuseList), then writes the new
// list (jobs flagged deleted left out), then the settings files of renamed jobs and
// of jobs whose lines changed, and only then deletes the files of deleted jobs and
// the old files of renamed ones (never a path this save wrote). Each file is
// replaced whole or not at all; on any failure every file already changed gets its
// old bytes back. A job to write whose names make no settings file is refused
// before anything is written. On kSaved the regular ".txt" files of the settings
// folder that no listed job names (left by a save that was killed) are removed,
// and listStamp becomes the new list's bytes.
ReuseSave SaveReuseStore(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs,
                         std::optional<std::string>& listStamp);

enum class ReuseReset { kDone, kBackupFailed, kClearFailed };

// Backs up the list file and the "DataEditTool" folder into "BackUp" (replacing the
// previous backup), and only when that succeeded empties the list file and deletes
// the files directly inside "DataEditTool". kBackupFailed: nothing was emptied or
// deleted. The caller reports a failure.
ReuseReset ResetReuseStore(const CString& programFolder);
