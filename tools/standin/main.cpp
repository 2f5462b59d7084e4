// tabro_standin: runs the stand-in document service on 127.0.0.1 and points the
// program at it, so the whole road (token, print count, CSV command, document) can
// be tried by hand without the real service.
//
//   tabro_standin [--port N] [--program-folder DIR] [--seconds S] [--bodies DIR]
//                 [--document-delay MS]
//
// It writes "TabroDeployment.ini" and "TabroSystem.ini" into the program folder
// (by default the folder of TabroConnect next to this build, else the current
// folder), prints every request it answers (with --bodies, also keeps each body
// as DIR/N.body, N counting from 1), and stops on Ctrl+C or after S seconds. With
// --document-delay, each document answers only after MS milliseconds (a slow service).

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/codepage.h"
#include "platform/paths.h"
#include "tools/standin/standin_server.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

int Usage() {
  std::fprintf(stderr,
               "usage: tabro_standin [--port N] [--program-folder DIR] [--seconds S] [--bodies DIR]"
               " [--document-delay MS]\n");
  return 2;
}

std::filesystem::path DefaultProgramFolder() {
  const std::filesystem::path here = ToFsPath(GetExecutableFolder());
  for (const std::filesystem::path& folder : {here, here.parent_path()}) {
    if (std::filesystem::exists(folder / "TabroConnect")) return folder;
  }
  return std::filesystem::current_path();
}

bool WriteSettings(const std::filesystem::path& folder, const std::string& name, const std::string& text) {
  const CString path = FromFsPath(folder / name);
  if (!WriteFileAtomic(path, text)) {
    std::fprintf(stderr, "cannot write %s\n", (folder / name).string().c_str());
    return false;
  }
  std::printf("wrote %s\n", (folder / name).string().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0;
  long seconds = 0;
  int documentDelayMs = 0;
  std::filesystem::path folder;
  std::filesystem::path bodies;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--port")
      port = std::atoi(argv[++i]);
    else if (arg == "--program-folder")
      folder = argv[++i];
    else if (arg == "--bodies")
      bodies = argv[++i];
    else if (arg == "--seconds")
      seconds = std::atol(argv[++i]);
    else if (arg == "--document-delay")
      documentDelayMs = std::atoi(argv[++i]);
    else
      return Usage();
  }
  if (port < 0 || port > 65535 || seconds < 0 || documentDelayMs < 0) return Usage();
  if (folder.empty()) folder = DefaultProgramFolder();

  standin::Server server(
      [documentDelayMs](const standin::Request& request) {
        standin::Reply reply = standin::DocumentServiceReply(request);
        if (request.Path() == standin::kDocumentPath) reply.delayMs = documentDelayMs;
        return reply;
      },
      port);
  if (!server.IsListening()) {
    std::fprintf(stderr, "cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("stand-in document service at %s\n", server.BaseUrl().c_str());

  const std::string deployment = "ServerBaseUrl=" + server.BaseUrl() + "\r\nAltServerBaseUrl=" + server.BaseUrl() +
                                 "\r\nUserId=standin\r\nPassword=standin\r\nAccessKey=standin-key\r\n"
                                 "ClientIdentificationNumber=0000\r\n";
  if (!WriteSettings(folder, "TabroDeployment.ini", deployment)) return 1;
  if (!WriteSettings(folder, "TabroSystem.ini", "OperationMode=0\r\nProxyType=1\r\nTimeout=60\r\n")) return 1;
  if (std::filesystem::exists(folder / "TabroSystemOnpremises.ini"))
    std::printf("note: %s is present and takes precedence; move it away to use the stand-in\n",
                (folder / "TabroSystemOnpremises.ini").string().c_str());
  std::printf("start TabroConnect from %s and send a CSV; Ctrl+C stops the stand-in\n", folder.string().c_str());
  std::fflush(stdout);

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  size_t shown = 0;
  while (!g_stop && (seconds == 0 || std::chrono::steady_clock::now() < end)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto requests = server.Requests();
    for (; shown < requests.size(); ++shown) {
      std::printf("%s %s (%zu bytes)\n", requests[shown].method.c_str(), requests[shown].Path().c_str(),
                  requests[shown].body.size());
      if (!bodies.empty()) {
        const std::filesystem::path file = bodies / (std::to_string(shown + 1) + ".body");
        WriteFileAtomic(FromFsPath(file), requests[shown].body);
      }
    }
    std::fflush(stdout);
  }
  server.Stop();
  return 0;
}
