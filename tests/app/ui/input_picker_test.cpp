// Where the file chooser of "ファイル選択" starts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/tabro_client_dlg.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

// HOME and XDG_CONFIG_HOME in a temporary folder for the life of the object.
class TemporaryHome {
 public:
  TemporaryHome() {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
      const char* old = std::getenv(name);
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    setenv("HOME", dir.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir.path() / ".config").c_str(), 1);
  }
  ~TemporaryHome() {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name, value->c_str(), 1);
      else unsetenv(name);
    }
  }
  testsupport::TempDir dir;

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// The first pick starts on the desktop's own Desktop folder (named in
// user-dirs.dirs, デスクトップ on a Japanese desktop), or on the home folder
// when there is none.
TEST(InputPicker, StartsOnTheDesktopTheDesktopNames) {
  TemporaryHome home;
  RecordingUiHooks hooks;
  CTabroClientDlg dlg;
  CString chosen;
  dlg.SelectInputFile(chosen);
  std::filesystem::create_directories(home.dir.path() / ".config");
  std::filesystem::create_directories(home.dir.path() / "デスクトップ");
  home.dir.Write(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
  dlg.SelectInputFile(chosen);
  const CString h = CString::FromUtf8(home.dir.path().string());
  EXPECT_EQ(hooks.ChooserFolders(), (std::vector<CString>{h, h + u"/デスクトップ"}));
}

}  // namespace
