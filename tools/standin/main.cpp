// tabro_standin: runs the stand-in document service on 127.0.0.1 and points the
// program at it, so the whole road (token, print count, CSV command, document) can
// be tried by hand without the real service.
//
//   tabro_standin [--port N] [--program-folder DIR] [--seconds S] [--bodies DIR]
//                 [--document-delay MS]
//
// It writes "TabroDeployment.ini" and "TabroSystem.ini" into the program folder
// (by default the folder of TabroConnect next to this build, else the current
// folder), each beginning with a comment line that marks it as the stand-in's,
// prints every request it answers (with --bodies, also keeps each body as
// DIR/N.body, N counting from 1), and stops on Ctrl+C, SIGTERM or after S
// seconds, removing the files it wrote.
//
// A service configuration of the user's own (one of those files without the
// mark, or "TabroSystemOnpremises.ini") is never overwritten: the stand-in then
// says so and exits with status 3 without serving. With --document-delay, each
// document answers only after MS milliseconds (a slow service).
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <thread>

#include "platform/codepage.h"
#include "platform/paths.h"
#include "tools/standin/standin_server.h"

namespace {

std::atomic<bool> g_stop{false};

// The first line of every file the stand-in writes; the program reads it as no
// setting. Only a file that starts with it is the stand-in's to replace.
constexpr char kMark[] = "; written by tabro_standin, the local stand-in service; removed when it stops";

// Exit status when the program folder holds the user's own service configuration.
constexpr int kUserConfiguration = 3;

// The files that name a service; only the first two are ever written here.
constexpr const char* kServiceFiles[] = {"TabroDeployment.ini", "TabroSystem.ini", "TabroSystemOnpremises.ini"};

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

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsMarked(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) return false;
  const std::string text = ReadAll(path);
  return text.compare(0, sizeof kMark - 1, kMark) == 0 && text.compare(sizeof kMark - 1, 2, "\r\n") == 0;
}

// The first service file in the folder that the user wrote (anything in its
// place but a file of the stand-in's own); empty when there is none.
std::filesystem::path UserConfiguration(const std::filesystem::path& folder) {
  for (const char* name : kServiceFiles) {
    const std::filesystem::path path = folder / name;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) continue;
    if (std::string_view(name) == "TabroSystemOnpremises.ini" || !IsMarked(path)) return path;
  }
  return {};
}

struct Written {
  std::filesystem::path path;
  std::string text;
};

bool WriteSettings(const std::filesystem::path& folder, const std::string& name, const std::string& body,
                   std::vector<Written>& written) {
  const std::string text = std::string(kMark) + "\r\n" + body;
  const CString path = FromFsPath(folder / name);
  if (!WriteFileAtomic(path, text)) {
    std::fprintf(stderr, "cannot write %s\n", (folder / name).string().c_str());
    return false;
  }
  written.push_back({folder / name, text});
  std::printf("wrote %s\n", (folder / name).string().c_str());
  return true;
}

// Removes the files written at start that still hold what was written: a file
// the program or a later stand-in rewrote since is no longer ours.
void RemoveWritten(const std::vector<Written>& written) {
  for (const Written& w : written) {
    std::error_code ec;
    if (IsMarked(w.path) && ReadAll(w.path) == w.text) std::filesystem::remove(w.path, ec);
  }
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

  // Before anything is written, so that a stop at any time removes what was.
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);

  const std::filesystem::path own = UserConfiguration(folder);
  if (!own.empty()) {
    std::fprintf(stderr,
                 "Documents come from the service that %s names; "
                 "the local stand-in service is not started\n",
                 own.string().c_str());
    return kUserConfiguration;
  }

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
  std::vector<Written> written;
  if (!WriteSettings(folder, "TabroDeployment.ini", deployment, written) ||
      !WriteSettings(folder, "TabroSystem.ini", "OperationMode=0\r\nProxyType=1\r\nTimeout=60\r\n", written)) {
    RemoveWritten(written);
    return 1;
  }
  std::printf("start TabroConnect from %s and send a CSV; Ctrl+C stops the stand-in\n", folder.string().c_str());
  std::fflush(stdout);

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
  RemoveWritten(written);
  return 0;
}
