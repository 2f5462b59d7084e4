#pragma once
// The start-up routine of the up-calls (app/up_calls.h): fills every entry with
// the dialog of the window layer that serves it, then stops the process, naming
// the entry, if one is left empty. The program calls it once after the window
// layer started, before the main window runs; the window tests of this layer
// call it before their first test.
void InstallUpCalls();
