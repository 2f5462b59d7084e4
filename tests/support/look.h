#pragma once
// Looks at a window as a person would: keeps its picture under the build
// folder (TABRO_RENDER_DIR, set by the test run) and returns what is cut or
// overlaps, one line each; empty when everything is seen whole.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/look_check.h"
#include "platform/ui/ui_driver.h"

inline std::string LookAt(CWnd& wnd, const char* name) {
  if (const char* dir = std::getenv("TABRO_RENDER_DIR")) {
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    ui::Render(wnd).SavePng(CString(std::string(dir) + "/" + name + ".png"));
  }
  return ui::JoinFlaws(ui::LookFlaws(wnd));
}
