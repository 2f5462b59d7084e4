// The modal seam and the scripted test driver.

#include "platform/ui/modal_driver.h"

#include <atomic>

#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"

namespace {
std::atomic<ModalDriver*> g_driver{nullptr};
}

ModalDriver* GetModalDriver() { return g_driver.load(std::memory_order_acquire); }
ModalDriver* SetModalDriver(ModalDriver* driver) { return g_driver.exchange(driver, std::memory_order_acq_rel); }

ScriptedModalDriver::ScriptedModalDriver() { m_previous = SetModalDriver(this); }
ScriptedModalDriver::~ScriptedModalDriver() { SetModalDriver(m_previous); }

void ScriptedModalDriver::Queue(Script script) { m_scripts.push_back(std::move(script)); }
void ScriptedModalDriver::QueueMenuCommand(unsigned command) { m_menuCommands.push_back(command); }

void ScriptedModalDriver::RunModal(CDialog& dialog) {
  Opening opening{dialog.GetTemplateId(), dialog.GetWindowText(), !m_scripts.empty(), 0};
  m_openings.push_back(opening);
  m_open.push_back(m_openings.size() - 1);
  if (m_scripts.empty()) {
    ++m_unscripted;
    return;
  }
  Script script = std::move(m_scripts.front());
  m_scripts.pop_front();
  script(dialog);
}

void ScriptedModalDriver::RecordResult(int result, bool forcedFailure) {
  if (forcedFailure) ++m_failures;
  if (m_open.empty()) return;
  m_openings[m_open.back()].result = result;
  m_open.pop_back();
}

unsigned ScriptedModalDriver::ChooseMenuCommand(const CMenu&, CWnd*) {
  if (m_menuCommands.empty()) return 0;
  unsigned c = m_menuCommands.front();
  m_menuCommands.pop_front();
  return c;
}
