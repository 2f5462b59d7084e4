#pragma once
// Fills the table through which the step routines reach the tools' dialogs,
// and the settings sheet's hook to the order dialog's confirmation form, with
// every dialog that exists. The program calls it once at start-up, the window
// tests before their first test.
void InstallToolDialogs();
