#pragma once
// Fills the table of the tools' settings dialogs (app/tool_dialogs.h). The
// program calls it once at start-up; dialog tests call it before they run a step.
void InstallToolDialogs();
