#pragma once
// The user settings file "TabroUserSetting.ini" and the watch settings file
// "TabroConnectInf.txt" in the program folder: one "key=value" line each, CR LF
// line ends, Shift_JIS text when Shift_JIS holds every value, else UTF-8 behind a
// byte-order mark (a folder name may hold any character). Both forms are read,
// LF line ends too. They are read and written by the CTabroClientApp members
// LoadUserSettings, SaveUserSettings, LoadWatchSettings and SaveWatchSettings
// (app/tabro_client_app.h).
//
// Writing goes through a temporary file and a rename; a failed write is
// reported in a message box and leaves the old file as it was. A value holding
// a line break is never written: the save is refused with a message, and folder
// choosers check a chosen folder beforehand with CheckSettingsFolderText. A
// settings file that is there but cannot be read (a folder, a FIFO, a binary
// file) is reported and left alone; only a missing (or empty) user settings file
// is written with the defaults.

#include "platform/cstring.h"

inline constexpr char16_t kUserSettingsFileName[] = u"TabroUserSetting.ini";
inline constexpr char16_t kWatchSettingsFileName[] = u"TabroConnectInf.txt";

// The profile folder a save-folder index stands for (1 Downloads, 2 Desktop,
// 3 Documents); empty for other indexes.
CString SaveFolderForIndex(int index);

// The folder documents are saved in: the stored one, or the Desktop when a
// settings file written by hand stores none (never the working folder).
CString DocumentFolder(const CString& stored);

// True when text can be stored as one line of a settings file: no line break
// and no lone surrogate.
bool IsSettingsFileText(const CString& text);

// For a folder the user has just chosen: true when it can be stored and read
// back the same (no trailing blanks, which reading cuts); otherwise shows a
// message naming the folder and returns false.
bool CheckSettingsFolderText(const CString& folder);
