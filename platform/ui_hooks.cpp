#include "platform/ui_hooks.h"

#include <atomic>
#include <cstdio>

int FirstButton(unsigned type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
  }
}

int SilentUiHooks::MessageBox(const CString&, const CString&, unsigned type) { return FirstButton(type); }

namespace {

SilentUiHooks g_silent;
std::atomic<UiHooks*> g_hooks{nullptr};

}  // namespace

UiHooks& GetUiHooks() {
  UiHooks* h = g_hooks.load(std::memory_order_acquire);
  return h ? *h : g_silent;
}

UiHooks* SetUiHooks(UiHooks* hooks) { return g_hooks.exchange(hooks, std::memory_order_acq_rel); }

namespace {
std::atomic<ScriptProblemReporter> g_reporter{nullptr};
}

ScriptProblemReporter SetScriptProblemReporter(ScriptProblemReporter reporter) {
  return g_reporter.exchange(reporter, std::memory_order_acq_rel);
}

void ReportScriptProblem(const CString& problem) {
  if (ScriptProblemReporter r = g_reporter.load(std::memory_order_acquire)) {
    r(problem);
    return;
  }
  std::fprintf(stderr, "script problem: %s\n", problem.ToUtf8().c_str());
}

RecordingUiHooks::RecordingUiHooks() { previous_ = SetUiHooks(this); }
RecordingUiHooks::~RecordingUiHooks() { SetUiHooks(previous_); }

void RecordingUiHooks::QueueAnswer(int button) {
  std::lock_guard<std::mutex> lock(mu_);
  answers_.push_back(button);
}
void RecordingUiHooks::QueueFile(const CString& path) {
  std::lock_guard<std::mutex> lock(mu_);
  files_.push_back(path);
}
void RecordingUiHooks::SetKeyDown(UiKey key, bool down) {
  std::lock_guard<std::mutex> lock(mu_);
  (key == UiKey::Shift ? shift_ : key == UiKey::Control ? control_ : alt_) = down;
}
std::vector<RecordingUiHooks::Box> RecordingUiHooks::Boxes() const {
  std::lock_guard<std::mutex> lock(mu_);
  return boxes_;
}
std::vector<CString> RecordingUiHooks::Messages() const {
  std::lock_guard<std::mutex> lock(mu_);
  std::vector<CString> out;
  for (const Box& b : boxes_) out.push_back(b.text);
  return out;
}
std::vector<CString> RecordingUiHooks::OpenedDocuments() const {
  std::lock_guard<std::mutex> lock(mu_);
  return opened_;
}
std::vector<CString> RecordingUiHooks::ChooserFolders() const {
  std::lock_guard<std::mutex> lock(mu_);
  return chooserFolders_;
}
int RecordingUiHooks::WaitCursorDepth() const {
  std::lock_guard<std::mutex> lock(mu_);
  return waitDepth_;
}
void RecordingUiHooks::Clear() {
  std::lock_guard<std::mutex> lock(mu_);
  boxes_.clear();
  opened_.clear();
  answers_.clear();
  files_.clear();
  folders_.clear();
}

int RecordingUiHooks::MessageBox(const CString& text, const CString& caption, unsigned type) {
  std::lock_guard<std::mutex> lock(mu_);
  boxes_.push_back({text, caption, type, false});
  if (!answers_.empty()) {
    int a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return g_silent.MessageBox(text, caption, type);
}
void RecordingUiHooks::ShowModelessBox(const CString& text, const CString& caption, unsigned type) {
  std::lock_guard<std::mutex> lock(mu_);
  boxes_.push_back({text, caption, type, true});
}
CString RecordingUiHooks::ChooseOpenFile(const CString&, const CString&, const CString& initialFolder) {
  std::lock_guard<std::mutex> lock(mu_);
  chooserFolders_.push_back(initialFolder);
  if (files_.empty()) return {};
  CString f = files_.front();
  files_.pop_front();
  return f;
}
CString RecordingUiHooks::ChooseFolder(const CString&, const CString&) {
  std::lock_guard<std::mutex> lock(mu_);
  if (folders_.empty()) return {};
  CString f = folders_.front();
  folders_.pop_front();
  return f;
}
CString RecordingUiHooks::GetClipboardText() {
  std::lock_guard<std::mutex> lock(mu_);
  return clipboard_;
}
void RecordingUiHooks::SetClipboardText(const CString& text) {
  std::lock_guard<std::mutex> lock(mu_);
  clipboard_ = text;
}
void RecordingUiHooks::EmptyClipboard() {
  std::lock_guard<std::mutex> lock(mu_);
  clipboard_.Empty();
}
bool RecordingUiHooks::IsKeyDown(UiKey key) {
  std::lock_guard<std::mutex> lock(mu_);
  return key == UiKey::Shift ? shift_ : key == UiKey::Control ? control_ : alt_;
}
bool RecordingUiHooks::OpenDocument(const CString& path) {
  std::lock_guard<std::mutex> lock(mu_);
  opened_.push_back(path);
  return openResult_;
}
void RecordingUiHooks::SetWaitCursor(bool on) {
  std::lock_guard<std::mutex> lock(mu_);
  waitDepth_ += on ? 1 : -1;
}
