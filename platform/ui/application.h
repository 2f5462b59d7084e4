#pragma once
// The program's Qt set-up: one routine for the program, the tests and the
// render tool, so all three run the same event routing, font and palette.

namespace ui {

// Creates the window layer's application object, once: Enter and Esc in
// dialogs, PreTranslateMessage and mouse capture (the layer's event routing),
// the dialog font and palette, and closing the last window does not quit (the
// program ends when its main dialog's DoModal returns). Takes Qt's own options
// ("-platform offscreen" ...) off argc/argv, which must outlive the
// application. Without a display and without QT_QPA_PLATFORM the offscreen
// platform is used. Returns false, changing nothing, when an application
// object exists already.
bool StartApplication(int& argc, char** argv);

}  // namespace ui
