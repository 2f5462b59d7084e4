#pragma once
// How the current input came in (theApp.m_InputKind). The loader, the job
// driver and the web client branch on it.

#include <cstdint>

enum : int16_t {
  INPUT_NONE = 0,
  INPUT_FILE_DIALOG = 1,
  INPUT_COMMAND_LINE = 2,
  INPUT_DROPPED = 3,
  INPUT_CLIPBOARD = 4,
  INPUT_WATCH_FOLDER = 6,
  INPUT_REUSE_NEWFILE = 7,   // the reusable-job choice ended in the new-file dialog
};
