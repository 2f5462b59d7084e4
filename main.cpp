// The program's entry: the application object's start-up and exit run here.
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/app_startup.h"
#include "app/tabro_client_app.h"
#include "app/ui/automation_proxy.h"
#include "app/ui/main_dlg_window.h"
#include "jobsheet/sheet/ui/install_up_calls.h"
#include "platform/ui/application.h"
#include "platform/ui/qt_ui_hooks.h"
#include "platform/ui_hooks.h"

int main(int argc, char** argv) {
  // Qt takes its own options (-platform ...) off argv; the rest is the program's.
  ui::StartApplication(argc, argv);
  QtUiHooks hooks;
  InstallUpCalls();

  StartupSettings& startup = StartupInputs();
  for (int i = 1; i < argc; ++i) startup.arguments.emplace_back(argv[i]);

  std::unique_ptr<CAutomationServer> automation;
  startup.registerAutomation = [&automation] {
    automation = std::make_unique<CAutomationServer>();
    if (!automation->Listen()) automation.reset();  // another instance serves the name
  };

  startup.runMainDialog = [&automation](CTabroClientDlg& dlg) {
    CTabroClientDlgWnd::RunMainDialog(dlg, automation.get());
  };

  // The last resort: an exception that escaped every handler ends the program
  // with a word, never with an abort before any window.
  int exitCode = 1;
  try {
    theApp.InitInstance();
    exitCode = theApp.ExitInstance();
  } catch (const std::exception& e) {
    GetUiHooks().MessageBox(CString::Build(u"予期しないエラーのため終了します。\n%s", CString(e.what())),
                            CString(kAppCaption), MB_OK | MB_ICONERROR);
  }
  automation.reset();
  return exitCode;
}
