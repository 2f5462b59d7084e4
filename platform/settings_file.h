#pragma once
// The one reader of the program's settings files: the user and watch settings, the
// system, deployment and on-premises files, and the reusable-job list with its
// settings files. Whatever stands at a settings file's path, reading it never
// blocks, never throws and never takes anything but a regular text file.
//
// A file that begins with a UTF-8 byte-order mark is UTF-8 text (the mark is not
// part of the first line); any other file is in the code page its caller names.
// The program writes a file with the mark only when its code page cannot hold
// every character (SettingsFileBytes), so both forms read back the same.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cstring.h"

enum class SettingsFileState {
  kMissing,     // nothing has that name
  kRead,        // a regular file, read whole
  kUnreadable,  // a folder, FIFO or device, a file that cannot be opened or read,
                // or a binary file (one holding a NUL byte)
};

struct SettingsFileText {
  SettingsFileState state = SettingsFileState::kMissing;
  bool utf8Bom = false;  // the file began with a UTF-8 byte-order mark
  std::string bytes;     // the file's bytes after the mark
};

// Reads the file at path whole. A FIFO or device is never opened for waiting.
SettingsFileText ReadSettingsFile(const CString& path);

// The bytes of a regular file as they are (a mark, NUL bytes and all) into bytes
// (emptied otherwise); kUnreadable for anything else there or a failed read.
SettingsFileState ReadFileBytes(const CString& path, std::string& bytes);

// Calls onLine for each line of bytes without its LF (a CR before it stays in the
// line); ended is false only for a last line that has no LF. No bytes, no lines.
void ForEachLineOf(std::string_view bytes, const std::function<void(std::string_view line, bool ended)>& onLine);

// The text of a line of the file: UTF-8 when the file had the mark, otherwise
// codePage; bytes that do not convert are replaced.
CString SettingsLineText(const SettingsFileText& file, std::string_view line, int codePage);

// The bytes of a settings file holding text: in codePage when it holds every
// character, otherwise UTF-8 behind the mark.
std::string SettingsFileBytes(const CString& text, int codePage);

// "設定ファイル「path」を読み込めませんでした。既定の設定で続けます。" in a warning box.
void ReportUnreadableSettingsFile(const CString& path);
