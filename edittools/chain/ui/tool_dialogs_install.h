#pragma once
// Fills the table through which the step routines reach the tools' dialogs
// (app/tool_dialogs.h) with every tool dialog. The program calls it once at
// start-up; the window tests before they run a step.
void InstallToolDialogs();
