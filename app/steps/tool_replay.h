#pragma once
// Replaying a stored tool chain without dialogs on the loaded data, and the data
// grid as CSV text: what the replay command and the tools' case folders run.

#include <functional>
#include <string>
#include <string_view>

#include "app/tabro_client_dlg.h"
#include "platform/cstring.h"

// Loads path into theApp's data grid as the program loads an input (loader,
// shape analysis, column types). False when the loader refused it.
bool LoadInputForReplay(CTabroClientDlg& dlg, const CString& path);

// Resets the tool settings, reads the settings file and runs its chain with every
// step silent. Returns 0 when the chain ran; otherwise a reason is put in error
// (the steps' own messages went through the UI hooks).
int ReplayToolChain(CTabroClientDlg& dlg, const CString& settingsPath, CString& error);

// Rows 0 to m_DataRows - 1 of the data grid, m_DataCols cells each, as UTF-8 CSV:
// a cell holding a comma, a double quote, CR or LF is quoted (quotes doubled);
// lines end in LF.
std::string DataGridAsCsv();
// The same text handed to write in pieces of about 64 KiB, whole lines each, so
// that a large grid is never held twice and the one piece's memory is reused.
void WriteDataGridAsCsv(const std::function<void(std::string_view)>& write);
