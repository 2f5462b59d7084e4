// Start-up and exit of the application object.
#include "app/app_startup.h"

#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <system_error>

#include "app/auto_proxy.h"
#include "app/command_line.h"
#include "app/single_instance.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/csv_file_kind.h"
#include "grid/text_width.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"

namespace fs = std::filesystem;

CTabroClientDlg* g_pMainDlg = nullptr;

const CString g_DefaultMacroNames[3] = {CString(u"マクロ１"), CString(u"マクロ２"), CString(u"マクロ３")};

namespace {

constexpr char16_t kNotCsvMessage[] = u"CSVファイルではありません。処理を中止しました。";
constexpr char16_t kSecondInstanceMessage[] = u"同時起動はできません。";

std::mutex g_createdMutex;
std::vector<fs::path> g_createdTestFiles;

// The framework's switches, matched without "-" or "/" and ignoring case.
struct SwitchName {
  const char* name;
  FrameworkSwitch kind;
};
constexpr SwitchName kSwitches[] = {
    {"embedding", FrameworkSwitch::Automation},  {"automation", FrameworkSwitch::Automation},
    {"regserver", FrameworkSwitch::RegServer},   {"register", FrameworkSwitch::RegServer},
    {"unregserver", FrameworkSwitch::UnregServer}, {"unregister", FrameworkSwitch::UnregServer},
};
static_assert(std::size(kSwitches) == 6);

FrameworkSwitch SwitchOf(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) return FrameworkSwitch::None;
  std::string word = arg.substr(1);
  std::transform(word.begin(), word.end(), word.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const SwitchName& s : kSwitches) {
    if (word == s.name) return s.kind;
  }
  return FrameworkSwitch::None;
}

bool IsReadableFile(const CString& path) {
  std::error_code ec;
  const fs::path p = ToFsPath(path);
  return fs::is_regular_file(p, ec) && ::access(p.c_str(), R_OK) == 0;
}

}  // namespace

StartupSettings& StartupInputs() {
  static StartupSettings settings;
  return settings;
}

FrameworkSwitch TakeFrameworkSwitches(std::vector<std::string>& args) {
  FrameworkSwitch found = FrameworkSwitch::None;
  for (auto it = args.begin(); it != args.end();) {
    const FrameworkSwitch kind = SwitchOf(*it);
    if (kind == FrameworkSwitch::None) {
      ++it;
      continue;
    }
    if (found == FrameworkSwitch::None) found = kind;
    it = args.erase(it);
  }
  return found;
}

void AnchorRelativePaths(std::vector<std::string>& args, const fs::path& folder) {
  for (std::string& arg : args) {
    if (arg.empty() || arg[0] == '/' || arg[0] == '-') continue;
    std::string head = arg.substr(0, 4);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (head == "CMD(") continue;
    arg = (folder / arg).string();
  }
}

void RememberTestModeOutFile(const CString& path) {
  std::lock_guard<std::mutex> lock(g_createdMutex);
  g_createdTestFiles.push_back(ToFsPath(path));
}

void DeleteRememberedTestModeOutFiles(const CString& folder) {
  std::vector<fs::path> files;
  {
    std::lock_guard<std::mutex> lock(g_createdMutex);
    files.swap(g_createdTestFiles);
  }
  const fs::path dir = ToFsPath(folder);
  for (const fs::path& file : files) {
    std::error_code ec;
    if (!fs::equivalent(file.parent_path(), dir, ec) || ec) continue;
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) continue;
    fs::remove(file, ec);  // a failed deletion is left alone
  }
}

int CTabroClientApp::DoMessageBox(const CString& text, unsigned type, unsigned helpId) {
  return GetUiHooks().MessageBox(text, CString(kAppCaption), type);
}

bool CTabroClientApp::InitInstance() {
  StartupSettings& in = StartupInputs();

  // The framework's own switches; there is no registry to update on this platform.
  std::vector<std::string> args = in.arguments;
  const FrameworkSwitch sw = TakeFrameworkSwitches(args);
  if (sw == FrameworkSwitch::RegServer || sw == FrameworkSwitch::UnregServer) return false;
  if (sw == FrameworkSwitch::Automation && in.registerAutomation) in.registerAutomation();
  {
    std::error_code ec;
    fs::path here = in.currentFolder.empty() ? fs::current_path(ec) : in.currentFolder;
    if (!here.empty()) AnchorRelativePaths(args, here);
  }

  m_ProgramFolder = in.executablePath.empty() ? GetExecutableFolder()
                                              : FromFsPath(in.executablePath.parent_path());
  m_TestModeOutTemp = JoinPath(m_ProgramFolder, CString(u"TestModeOutTemp"));
  m_WatchingMode = 0;
  {
    std::error_code ec;
    const fs::path temp = ToFsPath(m_TestModeOutTemp);
    // Not reported here: a test run that cannot save there reports it then.
    if (!fs::is_directory(temp, ec)) fs::create_directories(temp, ec);
  }
  m_RunVariant = 0;

  const COMMANDLINEINFO cmd = ReadCommandLineItems(ScanCommandLine(JoinCommandLine(args)));
  if (cmd.noReusePrompt) m_NoReusePrompt = 1;
  if (cmd.pathCount >= 2) {
    DoMessageBox(CString(kTwoFilesMessage));
    return false;
  }

  CTabroClientDlg dlg;
  if (cmd.pathCount == 1) {
    if (CsvFileKindOf(cmd.path) == CsvFileKind::kNone) {
      DoMessageBox(CString(kNotCsvMessage));
      return false;
    }
    m_InputKind = INPUT_COMMAND_LINE;
    if (!IsReadableFile(cmd.path)) {
      DoMessageBox(CString(kNoAccessMessage));
      return false;
    }
    dlg.m_InputPath = cmd.path;
    // As for a dropped or picked file: the join editor names it and shows it.
    m_CsvPath = cmd.path;
  }
  const CMainDlgScope mainDialog(dlg);

  // Only a start without a file is single: a file start may run beside another instance.
  if (m_InputKind != INPUT_COMMAND_LINE) {
    m_hSingleInstanceMutex = AcquireSingleInstanceLock(kSingleInstanceName, in.lockFolder);
    if (m_hSingleInstanceMutex < 0) {
      DoMessageBox(CString(kSecondInstanceMessage));
      return false;
    }
  }

  m_VersionText = GetProductVersion();
  if (in.runMainDialog) in.runMainDialog(dlg);
  DetachAutoProxies(dlg);
  return false;
}

int CTabroClientApp::ExitInstance() {
  // The jobs are written back only when this run changed them.
  if (ReuseCommandsChanged()) {
    SaveDataEditToolFiles();
    SaveReuseCommandFile();
  }
  ClearReuseCommands();
  m_CurrentReuse.Clear();
  DeleteRememberedTestModeOutFiles(m_TestModeOutTemp);
  ReleaseSingleInstanceLock(m_hSingleInstanceMutex);
  return 0;
}
