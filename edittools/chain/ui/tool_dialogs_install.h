#pragma once
// Fills the tools' entries of the up-calls (app/up_calls.h) with the tool
// dialogs. InstallUpCalls (the program's start-up) calls it; the tools' window
// tests, which build without the layers above, call it before their first test.
void InstallToolDialogs();
