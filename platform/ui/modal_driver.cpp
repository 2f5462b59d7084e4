// The modal seam and the strict scripted test driver.

#include "platform/ui/modal_driver.h"

#include <atomic>

#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui_driver.h"

namespace {
std::atomic<ModalDriver*> g_driver{nullptr};

using Kind = ScriptedModalDriver::Entry::Kind;

const char16_t* KindName(Kind kind) {
  switch (kind) {
    case Kind::Dialog: return u"dialog";
    case Kind::Box: return u"message box";
    case Kind::Menu: return u"popup menu";
    case Kind::File: return u"file chooser";
    case Kind::Folder: return u"folder chooser";
  }
  return u"?";
}
}  // namespace

ModalDriver* GetModalDriver() { return g_driver.load(std::memory_order_acquire); }
ModalDriver* SetModalDriver(ModalDriver* driver) { return g_driver.exchange(driver, std::memory_order_acq_rel); }

ScriptedModalDriver::ScriptedModalDriver() {
  m_previous = SetModalDriver(this);
  m_previousHooks = SetUiHooks(this);
}

ScriptedModalDriver::~ScriptedModalDriver() {
  for (const Step& s : m_steps) {
    CString what = KindName(s.kind);
    if (s.kind == Kind::Dialog && !s.anyDialog) what += CString::Build(u" %u", s.id);
    if (s.kind == Kind::Box && !s.text.IsEmpty()) what += u" \"" + s.text + u"\"";
    ReportProblem(u"expected " + what + u" never opened");
  }
  SetUiHooks(m_previousHooks);
  SetModalDriver(m_previous);
}

void ScriptedModalDriver::ReportProblem(const CString& problem) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mu);
    m_problems.push_back(problem);
  }
  if (!m_keepProblems) ReportScriptProblem(problem);
}

void ScriptedModalDriver::Queue(unsigned dialogId, Script script) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::Dialog};
  s.id = dialogId;
  s.script = std::move(script);
  m_steps.push_back(std::move(s));
}

void ScriptedModalDriver::QueueCancel(unsigned dialogId) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::Dialog};
  s.id = dialogId;
  s.cancel = true;
  m_steps.push_back(std::move(s));
}

void ScriptedModalDriver::QueueBox(int button, const CString& text) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::Box};
  s.button = button;
  s.text = text;
  m_steps.push_back(std::move(s));
}

void ScriptedModalDriver::QueueMenuCommand(unsigned command) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::Menu};
  s.button = static_cast<int>(command);
  m_steps.push_back(std::move(s));
}

void ScriptedModalDriver::QueueFile(const CString& path) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::File};
  s.text = path;
  m_steps.push_back(std::move(s));
}

void ScriptedModalDriver::QueueFolder(const CString& path) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  Step s{Kind::Folder};
  s.text = path;
  m_steps.push_back(std::move(s));
}

bool ScriptedModalDriver::TakeStep(Kind kind, Step& step, const CString& what) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mu);
    if (!m_steps.empty() && m_steps.front().kind == kind) {
      step = std::move(m_steps.front());
      m_steps.pop_front();
      return true;
    }
  }
  CString expected = u"nothing";
  {
    std::lock_guard<std::recursive_mutex> lock(m_mu);
    if (!m_steps.empty()) expected = KindName(m_steps.front().kind);
  }
  ReportProblem(u"unexpected " + CString(KindName(kind)) + u" " + what + u" (expected " + expected + u")");
  return false;
}

std::vector<ScriptedModalDriver::Entry> ScriptedModalDriver::Transcript() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  return m_transcript;
}

std::vector<ScriptedModalDriver::Opening> ScriptedModalDriver::Openings() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  std::vector<Opening> out;
  for (const Entry& e : m_transcript)
    if (e.kind == Kind::Dialog) out.push_back({e.id, e.text, e.expected, e.result});
  return out;
}

std::vector<CString> ScriptedModalDriver::Messages() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  std::vector<CString> out;
  for (const Entry& e : m_transcript)
    if (e.kind == Kind::Box) out.push_back(e.text);
  return out;
}

std::vector<CString> ScriptedModalDriver::Problems() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  return m_problems;
}

int ScriptedModalDriver::Failures() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  return m_failures;
}

int ScriptedModalDriver::Unscripted() const {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  return m_unscripted;
}

void ScriptedModalDriver::RunModal(CDialog& dialog) {
  Entry entry{Kind::Dialog};
  entry.id = dialog.GetTemplateId();
  entry.text = dialog.GetWindowText();
  Step step;
  bool have = false;
  {
    std::lock_guard<std::recursive_mutex> lock(m_mu);
    if (!m_steps.empty() && m_steps.front().kind == Kind::Dialog &&
        (m_steps.front().anyDialog || m_steps.front().id == entry.id)) {
      step = std::move(m_steps.front());
      m_steps.pop_front();
      have = true;
    }
  }
  entry.expected = have;
  {
    std::lock_guard<std::recursive_mutex> lock(m_mu);
    m_transcript.push_back(entry);
    m_open.push_back(m_transcript.size() - 1);
    if (!have) ++m_unscripted;
  }
  if (!have) {
    CString expected = u"nothing";
    {
      std::lock_guard<std::recursive_mutex> lock(m_mu);
      if (!m_steps.empty()) {
        expected = KindName(m_steps.front().kind);
        if (m_steps.front().kind == Kind::Dialog) expected += CString::Build(u" %u", m_steps.front().id);
      }
    }
    ReportProblem(CString::Build(u"unexpected dialog %u \"", entry.id) + entry.text + u"\" (expected " + expected + u")");
    return;   // closed as cancelled by DoModal
  }
  if (step.cancel) return;
  step.script(dialog);
}

void ScriptedModalDriver::RecordResult(int result, bool forcedFailure) {
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  if (m_open.empty()) return;
  Entry& e = m_transcript[m_open.back()];
  e.result = result;
  m_open.pop_back();
  if (forcedFailure) {
    ++m_failures;
    ReportProblem(CString::Build(u"dialog %u would not end", e.id));
  }
}

unsigned ScriptedModalDriver::ChooseMenuCommand(const CMenu&, CWnd*) {
  Step step;
  Entry entry{Kind::Menu};
  entry.expected = TakeStep(Kind::Menu, step, CString());
  entry.result = entry.expected ? step.button : 0;
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_transcript.push_back(entry);
  return static_cast<unsigned>(entry.result);
}

int ScriptedModalDriver::MessageBox(const CString& text, const CString& caption, unsigned type) {
  Step step;
  Entry entry{Kind::Box};
  entry.text = text;
  entry.caption = caption;
  entry.type = type;
  entry.expected = TakeStep(Kind::Box, step, u"\"" + text + u"\"");
  entry.result = entry.expected ? step.button : FirstButton(type);
  if (entry.expected && !step.text.IsEmpty() && step.text != text)
    ReportProblem(u"message box \"" + text + u"\" where \"" + step.text + u"\" was expected");
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_transcript.push_back(entry);
  return entry.result;
}

CString ScriptedModalDriver::ChooseOpenFile(const CString& title, const CString&, const CString&) {
  Step step;
  Entry entry{Kind::File};
  entry.text = title;
  entry.expected = TakeStep(Kind::File, step, u"\"" + title + u"\"");
  if (entry.expected) entry.answer = step.text;
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_transcript.push_back(entry);
  return entry.answer;
}

CString ScriptedModalDriver::ChooseFolder(const CString& title, const CString&) {
  Step step;
  Entry entry{Kind::Folder};
  entry.text = title;
  entry.expected = TakeStep(Kind::Folder, step, u"\"" + title + u"\"");
  if (entry.expected) entry.answer = step.text;
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_transcript.push_back(entry);
  return entry.answer;
}

// Without hooks installed before it, the driver keeps a clipboard of its own
// and opens no document.
CString ScriptedModalDriver::GetClipboardText() {
  if (m_previousHooks) return m_previousHooks->GetClipboardText();
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  return m_clipboard;
}

void ScriptedModalDriver::SetClipboardText(const CString& text) {
  if (m_previousHooks) return m_previousHooks->SetClipboardText(text);
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_clipboard = text;
}

void ScriptedModalDriver::EmptyClipboard() {
  if (m_previousHooks) return m_previousHooks->EmptyClipboard();
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_clipboard.Empty();
}

bool ScriptedModalDriver::IsKeyDown(UiKey key) {
  if (int held = ui::DrivenKeys(); held >= 0) {
    unsigned bit = key == UiKey::Shift ? ui::kShift : key == UiKey::Control ? ui::kControl : ui::kAlt;
    return (static_cast<unsigned>(held) & bit) != 0;
  }
  return m_previousHooks && m_previousHooks->IsKeyDown(key);
}

void ScriptedModalDriver::ShowModelessBox(const CString& text, const CString& caption, unsigned type) {
  Entry entry{Kind::Box};
  entry.text = text;
  entry.caption = caption;
  entry.type = type;
  entry.modeless = true;
  std::lock_guard<std::recursive_mutex> lock(m_mu);
  m_transcript.push_back(entry);
}

bool ScriptedModalDriver::OpenDocument(const CString& path) {
  return m_previousHooks && m_previousHooks->OpenDocument(path);
}

void ScriptedModalDriver::SetWaitCursor(bool on) {
  if (m_previousHooks) m_previousHooks->SetWaitCursor(on);
}
