#pragma once
// The user settings file "TabroUserSetting.ini" and the watch settings file
// "TabroConnectInf.txt" in the program folder: Shift_JIS text, one
// "key=value" line each, CR LF line ends. They are read and written by the
// CTabroClientApp members LoadUserSettings, SaveUserSettings,
// LoadWatchSettings and SaveWatchSettings (app/tabro_client_app.h).
//
// Writing goes through a temporary file and a rename; a failed write is
// reported in a message box and leaves the old file as it was. A value that
// Shift_JIS cannot hold is never written as "?": the save is refused with a
// message, and folder choosers check a chosen folder beforehand with
// CheckSettingsFolderText.

#include "platform/cstring.h"

inline constexpr char16_t kUserSettingsFileName[] = u"TabroUserSetting.ini";
inline constexpr char16_t kWatchSettingsFileName[] = u"TabroConnectInf.txt";

// True when every character of text can be stored in a settings file (Shift_JIS).
bool IsSettingsFileText(const CString& text);

// For a folder the user has just chosen: true when it can be stored; otherwise
// shows a message naming the folder and returns false.
bool CheckSettingsFolderText(const CString& folder);

// The number at the start of a settings value: optional sign, then decimal
// digits up to the first other character; 0 when there is none. Values beyond
// the int range stop at its ends.
int ReadSettingsNumber(const CString& text);
