#pragma once
// The window layer's start-up: fills every table of function pointers through
// which code below a dialog's layer opens it (the tools' dialogs for the step
// routines, the order dialog's confirmation form for the basic settings page, the
// sheet and job dialogs for the main window).
// The program calls it once, after the window layer started.
void InstallDialogTables();
