#pragma once
// Keeps a picture of a window for a person to look at when TABRO_SCREENSHOT_DIR is set.
#include <cstdlib>
#include <string>

#include "platform/ui/ui_driver.h"

inline void KeepPicture(CWnd& wnd, const char* name) {
  if (const char* dir = std::getenv("TABRO_SCREENSHOT_DIR")) {
    ui::Render(wnd).SavePng(CString(std::string(dir) + "/" + name + ".png"));
  }
}
