#pragma once
// What the application object's start-up reads from the process, and the
// seams through which the program's main and the tests feed it.
//
// CTabroClientApp::InitInstance takes the command line, the executable's path
// and the lock folder from StartupInputs(); main fills them from argv, tests
// from their temporary folders. The main dialog runs through runMainDialog;
// while that is empty, start-up ends after its own steps.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/cstring.h"

class CTabroClientDlg;

// The name of the single-instance lock.
inline constexpr char kSingleInstanceName[] = "csvTabroConnect";
// Said when a start or a drop names more than one file.
inline constexpr char16_t kNoAccessMessage[] = u"CSVファイルにアクセスできません。処理を中止しました。";
inline constexpr char16_t kTwoFilesMessage[] = u"同時に2つ以上のCSVファイルは処理できません。処理を中止しました。";

struct StartupSettings {
  // The arguments after the program's name, as the process received them.
  std::vector<std::string> arguments;
  // The running executable; empty: read from /proc/self/exe.
  std::filesystem::path executablePath;
  // The folder relative paths on the command line start from; empty: the
  // process's current folder.
  std::filesystem::path currentFolder;
  // Where the single-instance lock file lives; empty: $XDG_RUNTIME_DIR, else /tmp.
  std::filesystem::path lockFolder;
  // Starts serving automation clients (the "-Automation"/"-Embedding" switch).
  std::function<void()> registerAutomation;
  // Runs the main dialog modally; empty until the main dialog exists.
  std::function<void(CTabroClientDlg&)> runMainDialog;
};

StartupSettings& StartupInputs();

// The names of the three macro slots ("マクロ１" to "マクロ３"), built before start-up.
extern const CString g_DefaultMacroNames[3];

// An argument that is no absolute path, no "CMD(" list and no switch names a
// file in folder, as a terminal names it: it becomes folder/argument, and the
// command line then checks it like any other path.
void AnchorRelativePaths(std::vector<std::string>& args, const std::filesystem::path& folder);

// The main dialog while it runs (set by start-up before the dialog runs); the
// watch thread reaches the dialog through it.
extern CTabroClientDlg* g_pMainDlg;

// Points g_pMainDlg at a dialog for the life of the scope and puts back what was
// there when it ends, on every path out.
class CMainDlgScope {
 public:
  explicit CMainDlgScope(CTabroClientDlg& dlg) : previous_(g_pMainDlg) { g_pMainDlg = &dlg; }
  ~CMainDlgScope() { g_pMainDlg = previous_; }
  CMainDlgScope(const CMainDlgScope&) = delete;
  CMainDlgScope& operator=(const CMainDlgScope&) = delete;

 private:
  CTabroClientDlg* previous_;
};

// The framework's own switches, taken off the arguments before the command
// line is scanned ("-Automation", "-Embedding", "-RegServer", "-UnregServer",
// also with "/"; any case).
enum class FrameworkSwitch { None, Automation, RegServer, UnregServer };
FrameworkSwitch TakeFrameworkSwitches(std::vector<std::string>& args);

// A test-run document saved in TestModeOutTemp by this process. At exit only
// such files are deleted, so a second instance never removes what another one
// still shows. Thread safe.
void RememberTestModeOutFile(const CString& path);
// Deletes the remembered files that lie directly inside folder; forgets them all.
// Subfolders, other files and failed deletions are left alone.
void DeleteRememberedTestModeOutFiles(const CString& folder);
