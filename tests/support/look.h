#pragma once
// Looks at a window as a person would: keeps its picture under the build
// folder (TABRO_RENDER_DIR, set by the test run; also TABRO_SCREENSHOT_DIR when
// a person asks for one) and finds what is cut or covered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/look_check.h"
#include "platform/ui/ui_driver.h"

// What is cut or overlaps, one line each; empty when everything is seen whole.
inline std::string LookAt(CWnd& wnd, const std::string& name) {
  for (const char* variable : {"TABRO_RENDER_DIR", "TABRO_SCREENSHOT_DIR"}) {
    if (const char* dir = std::getenv(variable)) {
      std::error_code ignored;
      std::filesystem::create_directories(dir, ignored);
      ui::Render(wnd).SavePng(CString(std::string(dir) + "/" + name + ".png"));
    }
  }
  return ui::JoinFlaws(ui::LookFlaws(wnd));
}

// Keeps the picture of a state a test reached and fails on anything cut or covered in it.
inline void KeepPicture(CWnd& wnd, const std::string& name) { EXPECT_EQ(LookAt(wnd, name), "") << name; }
