#pragma once
// Where a job's data-edit settings file lives. The reusable-job store and the
// settings-file reader and writer name the same files by this one rule.

#include "platform/cstring.h"

// "<programFolder>/DataEditTool/<baseName>.txt" when jobName equals baseName
// (exact, case-sensitive), else "<programFolder>/DataEditTool/<baseName>_<jobName>.txt".
// A caller for which an empty job name means the base name passes baseName itself.
CString EditSettingsFilePath(const CString& programFolder, const CString& baseName,
                             const CString& jobName);

// "<programFolder>/DataEditTool".
CString EditSettingsFolder(const CString& programFolder);
