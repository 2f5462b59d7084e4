#pragma once
// Where a job's data-edit settings file lives. The reusable-job store and the
// settings-file reader and writer name the same files by this one rule.

#include "platform/cstring.h"

// "<baseName>.txt" when jobName equals baseName (exact, case-sensitive), else
// "<baseName>_<jobName>.txt".
CString EditSettingsFileName(const CString& baseName, const CString& jobName);

// True when that name can be a file of the settings folder: no "/" or NUL (it
// would reach outside the folder) and at most 255 bytes in UTF-8, the system's
// limit for a file name.
bool EditSettingsNameFits(const CString& baseName, const CString& jobName);

// "<programFolder>/DataEditTool/" and the file name above. Empty when the name
// does not fit, so names from a hand-edited job list never open, write or delete
// a file outside the folder. A caller for which an empty job name means the base
// name passes baseName itself.
CString EditSettingsFilePath(const CString& programFolder, const CString& baseName,
                             const CString& jobName);

// "<programFolder>/DataEditTool".
CString EditSettingsFolder(const CString& programFolder);
