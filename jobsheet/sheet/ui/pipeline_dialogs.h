#pragma once
// What the job pipeline opens from this layer through its up-calls
// (app/up_calls.h): the settings sheet on a loaded input and the join replay.

class CTabroClientDlg;
class CCsvPropPage;

// Fills the three pages on the loaded input and, when show, runs the sheet: its
// result (1 after "実行"); -1 when the CSV page could not be filled, -2 when it
// cannot take the columns. crossTable: the tools left a cross table.
int RunSettingsSheet(CTabroClientDlg& dlg, int runType, bool show, CCsvPropPage* data, bool crossTable);
// Replays the job's join on the loaded data; 1 joined.
int ReplayJoin(CTabroClientDlg& dlg);
