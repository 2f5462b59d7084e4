#pragma once
// Fills the table through which the step routines reach the tools' dialogs
// (app/tool_dialogs.h) with every tool dialog. InstallDialogTables (the program's
// start-up) calls it; the tools' window tests call it before their first test.
void InstallToolDialogs();
