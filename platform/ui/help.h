#pragma once
// The program's help: a short HTML page installed with the program, opened with
// the desktop's browser.

#include "platform/cstring.h"

namespace ui {

// The help page's path: "help/index.html" beside the program, else the installed
// "share/tabroconnect/help/index.html"; empty when neither exists.
CString HelpPagePath();

// Opens the help page; when it is missing or cannot be opened, says so and
// where the page is.
void ShowProgramHelp();

}  // namespace ui
