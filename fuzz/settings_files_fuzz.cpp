// Reads arbitrary bytes as the user settings file and as the watch settings file.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/tabro_client_app.h"
#include "app/user_settings.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A program folder of its own for each input, removed before the next.
  std::string folder = "/tmp/tabro_fuzz_settings_XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) std::abort();
  theApp.m_ProgramFolder = CString(folder);
  WriteFuzzBytes(folder + "/TabroUserSetting.ini", data, size);
  WriteFuzzBytes(folder + "/TabroConnectInf.txt", data, size);
  theApp.LoadUserSettings();
  theApp.LoadWatchSettings();
  if (theApp.m_SyokikidoGamen < 0 || theApp.m_SyokikidoGamen > 2) std::abort();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
