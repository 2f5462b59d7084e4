// Reads arbitrary bytes as the user settings file and as the watch settings file.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/tabro_client_app.h"
#include "app/user_settings.h"

namespace {

const std::string& ProgramFolder() {
  static const std::string folder = [] {
    std::string tmpl = "/tmp/tabro_fuzz_settings_XXXXXX";
    if (mkdtemp(tmpl.data()) == nullptr) std::abort();
    std::atexit([] { std::filesystem::remove_all(ProgramFolder()); });
    return tmpl;
  }();
  return folder;
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = ProgramFolder();
  theApp.m_ProgramFolder = CString(folder);
  WriteBytes(folder + "/TabroUserSetting.ini", data, size);
  WriteBytes(folder + "/TabroConnectInf.txt", data, size);
  theApp.LoadUserSettings();
  theApp.LoadWatchSettings();
  if (theApp.m_SyokikidoGamen < 0 || theApp.m_SyokikidoGamen > 2) std::abort();
  return 0;
}
