#pragma once
// Routines over the application object's grids and join settings: each hands
// theApp's state to a grid engine.

#include "platform/cstring.h"

// Path of additional CSV 0 or 1 of the join definition (empty for any other index).
// For an input from the watch folder the file is looked for in the folder's "Sub"
// sub-folder: watch folder + "/Sub/" + the stored path's file name.
CString GetAddCsvPath(int index);

// How an additional CSV stands in the watch folder's "Sub", nothing followed
// through a link: usable only when "Sub" is a real folder (not a link) and the
// file a regular file in it (not a link, a folder or a pipe).
enum class WatchSubFile { kUsable, kMissing, kSubNotAFolder, kNotARegularFile };
WatchSubFile CheckWatchSubFile(const CString& watchFolder, const CString& name);
// Removes the additional CSV name from the watch folder's "Sub" when
// CheckWatchSubFile finds it usable; anything else is left alone.
void RemoveWatchSubFile(const CString& watchFolder, const CString& name);
