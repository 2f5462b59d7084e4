// Reads arbitrary bytes as the three settings files of the web client.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/tabro_client_app.h"
#include "fuzz/fuzz_files.h"
#include "webclient/tabro_operation.h"

namespace {

// A folder of its own for the run, removed when the run ends (never destroyed
// itself, so the exit handler can still read it).
const std::string& ProgramFolder() {
  static const std::string* folder = [] {
    auto* path = new std::string("/tmp/tabro_fuzz_system_XXXXXX");
    if (mkdtemp(path->data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(*folder, ec);
    });
    return path;
  }();
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = ProgramFolder();
  theApp.m_ProgramFolder = CString(folder);
  // The first byte chooses which files exist; the rest is their text.
  const uint8_t which = size > 0 ? data[0] : 0;
  if (size > 0) {
    ++data;
    --size;
  }
  const char* names[] = {"/TabroSystemOnpremises.ini", "/TabroSystem.ini", "/TabroDeployment.ini"};
  for (int i = 0; i < 3; ++i) {
    const std::string path = folder + names[i];
    if (which & (1 << i))
      WriteFuzzBytes(path, data, size);
    else
      unlink(path.c_str());
  }
  CTabroOperation op;
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  if (op.m_Initialized != 1) std::abort();
  op.SaveSystemIni();
  return 0;
}
