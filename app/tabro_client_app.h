#pragma once
// CTabroClientApp: the program's one application object, `theApp`.
//
// It holds the whole shared state of a run: the settings read from the settings
// files, how the current input came in, the grids with their counts and per-row
// tables, the data-edit tool settings, the reusable jobs, the print counts and the
// web-service client. Every part of the program reads and writes these members
// directly; records are held by value. It is never copied or moved.
//
// The grids with their counts, per-row tables and title-row state are the
// members of its base CGridSet (grid/grid_set.h), which the grid engines take as
// an argument. The grids keep their logical sizes but store rows sparsely: a
// started program with empty grids costs next to nothing.
//
// The members are grouped in sections; a part of the program that adds members
// adds them to its own section.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "edittools/chain/edit_settings_file.h"
#include "edittools/chain/tool_order_records.h"
#include "edittools/filter/filter_records.h"
#include "edittools/join/join_records.h"
#include "edittools/pivot/pivot_records.h"
#include "edittools/sort/sort_records.h"
#include "grid/csv_text_file.h"
#include "grid/grid_set.h"
#include "grid/input_kind.h"
#include "jobsheet/reuse/reuse_command.h"
#include "macro/macro_setting.h"
#include "platform/cstring.h"
#include "webclient/tabro_operation.h"

// Groups of ResetToolSettings besides the tool kinds' stored numbers.
enum : int {
  TOOL_RESET_ALL = 0,          // every kind and the name lists
  TOOL_RESET_NAME_LISTS = 10,  // the tool dialogs' name lists
};

class CTabroClientApp : public CGridSet {
 public:
  CTabroClientApp();
  ~CTabroClientApp();
  CTabroClientApp(const CTabroClientApp&) = delete;
  CTabroClientApp& operator=(const CTabroClientApp&) = delete;

  // ---- Start-up and exit ----------------------------------------------------
  bool InitInstance();
  int ExitInstance();
  // Shows a text-only message box with the caption "タブロコネクト"; returns the button.
  int DoMessageBox(const CString& text, unsigned type = 0, unsigned helpId = 0);

  // ---- Grids ----------------------------------------------------------------
  // direction 0 saves the data set (grid, counts, row tables, title-row state,
  // column types) into the backup set; 1 restores it, empties the step and edit
  // grids and clears the tool dialogs' name lists (group 10). Other directions
  // change nothing.
  void CopyGridSet(int direction);

  // Clears data-edit tool settings: a tool kind's group (its stored number) as
  // the overload below; TOOL_RESET_NAME_LISTS the tool dialogs' name lists;
  // TOOL_RESET_ALL every kind and the name lists. Other groups change nothing.
  void ResetToolSettings(int group);
  // Empties the tool order and clears the settings of one kind; kNone and
  // numbers outside the enumeration change nothing.
  void ResetToolSettings(ToolKind kind);

  // Column types of the data grid (source 0) or the edit grid (source 1) into
  // m_ColumnTypes. Returns the number of columns examined.
  int DetectColumnTypes(int source);

  // ---- Settings (user and watch settings files) -----------------------------
  // Reads "TabroUserSetting.ini"; a missing or empty file gets the defaults and
  // is written; one that is there but cannot be read is reported and kept, and
  // the defaults hold for this run.
  void LoadUserSettings();
  // Writes the user settings; false (reported) when the file could not be written.
  bool SaveUserSettings();
  // Reads "TabroConnectInf.txt"; a missing file changes nothing.
  void LoadWatchSettings();
  // Writes the watch settings; false (reported) when the file could not be written.
  bool SaveWatchSettings();
  int m_WatchingMode = 0;          // "WatchingMode": 0 off, else on
  CString m_ProgramFolder;         // folder of the executable, no trailing separator
  CString m_TestModeOutTemp;       // m_ProgramFolder + "/TestModeOutTemp"
  int m_ServerConnectMode = 0;     // "ServerConnectMode": non-zero: alternative server
  int m_CommandReUse = 0;          // "CommandReUse": reusable jobs offered and saved
  CString m_WatchFolder;           // watch folder after %NAME% expansion
  CString m_WatchFolderRaw;        // "Watching01" as written in the file
  int m_SyokikidoGamen = 0;        // "SyokikidoGamen": start page of the settings sheet
  int m_SaveDirectoryIdx = 0;      // "SaveDirectoryidx": 1 Downloads, 2 Desktop, 3 Documents
  int m_SameFileNameOverWrite = 0; // "SameFileNameOverWrite": 0 overwrite, else number
  CString m_SaveDirectory;         // "SaveDirectory": output folder of documents
  int m_ShiftStartExcelListType = 0;  // "ShiftStartExcelListType": 0 ask, 1 grouped, else not
  CString m_DefaultCommand;        // "DefaultCommand"

  // ---- Reusable jobs ----------------------------------------------------------
  int m_ReuseJobNo = 0;            // 1-based number of the running job, -1 none
  std::vector<REUSECOMMAND> m_ReuseCommands;  // the job list, in file order
  REUSECOMMAND m_CurrentReuse;     // copy of the job chosen for the current input
  // Appends the jobs of "ReuseCommandFile.txt" with their settings-file lines.
  void LoadReuseCommands();
  // Nothing of its own: SaveReuseCommandFile saves the settings files with the list.
  void SaveDataEditToolFiles();
  // Saves the changed job list and the settings files its flags ask for as one
  // change (not while m_CommandReUse is 0). A list that was not read whole is never
  // written back, nor one another program changed since it was loaded; a failed
  // save puts every file back. The user is told of each.
  void SaveReuseCommandFile();
  // Empties every job, then the list.
  void ClearReuseCommands();
  // Backs the list and the jobs' settings files up into "BackUp", then empties the
  // list file and the "DataEditTool" folder; a failed backup empties nothing and is
  // reported. The list in memory stays (the caller clears it).
  void ResetReuseCommands();
  // Whether the list in memory differs from what was last loaded or saved.
  bool ReuseCommandsChanged() const;
  bool m_ReuseListWhole = true;    // the last load read every line whole
  CString m_ReuseListAsLoaded;     // the list text as last loaded or saved
  std::optional<std::string> m_ReuseListStamp;  // the list file's bytes as last loaded or saved
  bool m_ReuseSaveFailed = false;  // the last SaveReuseCommandFile had changes it could not save

  // ---- Current input ----------------------------------------------------------
  int16_t m_InputKind = INPUT_NONE;
  int m_NoReusePrompt = 0;         // set by the command-line commands "LPEX", "FGX"
  int16_t m_RunVariant = 0;        // key held at intake: 0 plain, 1 Shift, 2 Ctrl

  // ---- Last run and input paths ---------------------------------------------------
  CString m_LastCommand;           // command text of the last run sent from the sheet
  CString m_CsvFolder;             // folder of the input CSV
  CString m_CsvPath;               // path of the input CSV

  // ---- Data-edit tool chain ---------------------------------------------------------
  int m_ToolAbort = 0;             // set by a step to stop the whole chain
  TOOLORDER m_ToolOrder{};
  PIVOTSETTING m_PivotSetting;
  JOINDEF m_JoinDef;
  FILTERSETTING m_FilterConds;
  SORTKEYS m_SortSetting;
  MACROSETTING m_MacroSetting;
  CString m_LastToolText;          // tool-order text of the run's reusable job

  // The data-edit settings file of a job ("DataEditTool" folder, one file per job).
  // Reads the job's file into m_ToolOrder and the tool settings (the caller resets
  // them first), then takes snapshot 1 of them. An output name holding "*" or a
  // missing file reads nothing and takes no snapshot.
  void LoadEditSettings(CString baseName, CString outputName);
  // Writes the order and the settings of the used slots: mode SETTINGSMODE_FILE to
  // the job's file (not when that file exists but could not be read in this run),
  // SETTINGSMODE_SNAPSHOT1 or 2 into that text snapshot. Creates the folder in
  // every mode.
  void SaveEditSettings(CString baseName, CString outputName, int mode);
  // One piece of a settings writer's output, to the file or the snapshot in force.
  void WriteSettingsLine(CCsvTextFile& file, const CString& piece);
  // The tool-order text of m_ToolOrder (empty when slot 0 is empty).
  CString FormatToolOrder();
  // 1 when the settings now differ from those loaded with the job (snapshot 1),
  // else 0; both snapshots are emptied.
  int IsEditSettingsChanged();
  // The records of the settings file, as the engine reads and writes them.
  EditSettingsRecords EditRecords();
  CString m_UnreadableEditSettings;  // a job file found but not readable: never rewritten

  // ---- The tool dialogs' name lists (ResetToolSettings group 10) -----------------
  // Aggregation.
  std::vector<CString> m_PivotColumnNames;   // title-row cells, appended per store
  std::vector<CString> m_PivotSampleTexts;   // cells of the row after the title row
  int m_PivotColumnCount = 0;                // columns the dialog listed
  ColumnTypeTable m_PivotTypeTable{};
  // Join.
  std::vector<CString> m_JoinMainNames;      // field names of the loaded CSV
  std::vector<CString> m_JoinAddNames[JOIN_MAX_ADDCSV];   // header names of each CSV
  uint8_t m_JoinKinds[4][GRID_COLS] = {};    // column kinds of lists 0 to 3
  // Sort.
  std::vector<CString> m_SortColumnNames;
  ColumnTypeTable m_SortTypeTable{};
  // Filter.
  std::vector<CString> m_FilterHeadRows[5];  // the title row and the 4 rows after it, appended
  ColumnTypeTable m_FilterColumnTypes{};
  int m_FilterValueCounts[FILTER_MAX_CONDS] = {};
  int m_FilterFieldColumns[FILTER_MAX_CONDS] = {};
  std::vector<uint8_t> m_FilterStates[FILTER_MAX_CONDS];   // 0 hidden, 1 shown, 2 checked
  std::vector<std::pair<int, int>> m_FilterListMaps[FILTER_MAX_CONDS];  // line, value
  std::vector<FILTERVALUE> m_FilterValues[FILTER_MAX_CONDS];
  std::vector<FILTERVALUE> m_FilterRowRecords;
  // Appends the cells of the title row and the 4 rows after it to m_FilterHeadRows
  // (names for viewing).
  void AppendFilterHeadRows();
  // Macro columns: the preview snapshot of the read-only view. List 0 holds the
  // title row the step ran on, lists 1 to 4 the rows after it, each appended.
  std::vector<CString> m_MacroPreviewRows[10];
  int m_MacroStoredDataCols = 0;
  // Appends the title row and the four rows after it to m_MacroPreviewRows.
  void AppendMacroPreviewRows();

  // ---- Web-service client ------------------------------------------------------------
  CTabroOperation m_Operation;            // the one client of the document service
  CString m_ClientIdentificationNumber;   // sent with the token request

  // ---- Program state ---------------------------------------------------------------
  CString m_VersionText;           // product version text of the executable
  int m_hSingleInstanceMutex = -1; // descriptor of the single-instance lock, -1 none
  int m_PrintCountKnown = 0;       // print counts of the service
  int m_PrintUsed = 0;
  int m_PrintContract = 0;
  int m_ToolTextSlot = 0;          // writer target: 0 the file, 1 or 2 a snapshot
  std::vector<CString> m_ToolTextLines[2];   // snapshots 1 (as loaded) and 2 (now)

 private:
  void ClearToolNameLists();
};

extern CTabroClientApp theApp;
