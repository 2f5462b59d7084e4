#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edittools/chain/tool_chain.h"

namespace {

// Records the driver's calls; steps answer from a script by kind.
class FakeHost : public CToolChainHost {
 public:
  std::function<int(int kind)> step = [](int) { return 0; };
  std::function<bool(TOOLORDER&)> orderDialog = [](TOOLORDER&) { return true; };
  TOOLORDER* order = nullptr;
  int* abort = nullptr;
  std::string log;

  int RunToolStep(int kind, int show, int inChain) override {
    log += "step" + std::to_string(kind) + "(" + std::to_string(show) + "," + std::to_string(inChain) + ") ";
    return step(kind);
  }
  bool ShowOrderDialog(bool restart, const TOOLORDER* resume, int index) override {
    log += std::string(restart ? "restart" : "order") + (resume ? "@" + std::to_string(index) : "") + " ";
    return orderDialog(*order);
  }
  void ShowMessage(const CString& text) override { log += "message "; }
};

struct ChainCase {
  const char* name;
  TOOLORDER order;
  ToolChainRun run;
  bool setUp;
  std::function<void(FakeHost&)> script;
  int expected;
  const char* log;
};

const ChainCase kChainCases[] = {
    {"replay takes each slot's flag", {TOOLSLOT{4, 1}, TOOLSLOT{3, 0}}, ToolChainRun::kReplay, false, {}, 1,
     "step4(1,1) step3(0,1) "},
    {"an empty first slot runs nothing", {TOOLSLOT{}, TOOLSLOT{4, 1}}, ToolChainRun::kReplay, false, {}, 1, ""},
    {"an unknown kind is passed over", {TOOLSLOT{9, 1}, TOOLSLOT{4, 0}}, ToolChainRun::kReplay, false, {}, 1,
     "step4(0,1) "},
    {"silent runs never show a dialog", {TOOLSLOT{4, 1}}, ToolChainRun::kSilent, false, {}, 1, "step4(0,1) "},
    {"restart shows every dialog preset", {TOOLSLOT{4, 0}}, ToolChainRun::kRestart, false, {}, 1,
     "step4(1,1) "},
    {"set-up shows the order dialog, then first set-up dialogs", {TOOLSLOT{4, 0}}, ToolChainRun::kReplay, true,
     {}, 1, "order step4(1,0) "},
    {"set-up on a restart uses the restart form and preset dialogs", {TOOLSLOT{4, 0}}, ToolChainRun::kRestart,
     true, {}, 1, "restart step4(1,1) "},
    {"set-up cancelled at the order dialog", {TOOLSLOT{4, 0}}, ToolChainRun::kReplay, true,
     [](FakeHost& h) { h.orderDialog = [](TOOLORDER&) { return false; }; }, 0, "order "},
    {"skip and narrowing go on", {TOOLSLOT{3, 0}, TOOLSLOT{4, 0}}, ToolChainRun::kReplay, false,
     [](FakeHost& h) { h.step = [](int kind) { return kind == 3 ? 1 : 0; }; }, 1, "step3(0,1) step4(0,1) "},
    {"a failed replay step abandons the input", {TOOLSLOT{3, 0}, TOOLSLOT{4, 0}}, ToolChainRun::kReplay, false,
     [](FakeHost& h) { h.step = [](int) { return -1; }; }, 0, "step3(0,1) "},
    {"the abort flag ends even a set-up without the resume dialog", {TOOLSLOT{2, 0}, TOOLSLOT{4, 0}},
     ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       h.step = [&h](int) {
         *h.abort = 1;
         return -1;
       };
     },
     0, "order step2(1,0) "},
    {"a cancelled set-up step resumes at its slot with the new order", {TOOLSLOT{3, 0}, TOOLSLOT{4, 0}},
     ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       int calls = 0;
       h.orderDialog = [calls](TOOLORDER& order) mutable {
         if (calls++ == 1) order = {TOOLSLOT{5, 0}, TOOLSLOT{1, 0}};
         return true;
       };
       h.step = [](int kind) { return kind == 3 ? -1 : 0; };
     },
     1, "order step3(1,0) order@0 step5(1,0) step1(1,0) "},
    {"removing the cancelled last tool ends the chain normally", {TOOLSLOT{4, 0}, TOOLSLOT{3, 0}},
     ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       int calls = 0;
       h.orderDialog = [calls](TOOLORDER& order) mutable {
         if (calls++ == 1) order[1] = TOOLSLOT{};
         return true;
       };
       h.step = [](int kind) { return kind == 3 ? -1 : 0; };
     },
     1, "order step4(1,0) step3(1,0) order@1 "},
    {"cancel at the resume dialog abandons", {TOOLSLOT{3, 0}}, ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       int calls = 0;
       h.orderDialog = [calls](TOOLORDER&) mutable { return calls++ == 0; };
       h.step = [](int) { return -1; };
     },
     0, "order step3(1,0) order@0 "},
};

TEST(ToolChain, RunsTheOrderByTheStepContract) {
  for (const ChainCase& c : kChainCases) {
    SCOPED_TRACE(c.name);
    TOOLORDER order = c.order;
    int abort = 7;
    FakeHost host;
    host.order = &order;
    host.abort = &abort;
    if (c.script) c.script(host);
    EXPECT_EQ(RunToolChain(order, abort, 0, c.run, c.setUp, host), c.expected);
    EXPECT_EQ(host.log, c.log);
  }
}

TEST(ToolChain, ReplayFlagsComeFromTheOrderAsItStarted) {
  TOOLORDER order = {TOOLSLOT{3, 1}, TOOLSLOT{4, 1}};
  int abort = 0;
  FakeHost host;
  host.step = [&order](int kind) {
    order[1].openSettingsNextTime = 0;  // a step changing the order does not change the flags
    return 0;
  };
  RunToolChain(order, abort, 0, ToolChainRun::kReplay, false, host);
  EXPECT_EQ(host.log, "step3(1,1) step4(1,1) ");
}

TEST(ToolChain, NoTitleRowIsRefusedBeforeAnyStep) {
  TOOLORDER order = {TOOLSLOT{4, 0}};
  int abort = 0;
  FakeHost host;
  EXPECT_EQ(RunToolChain(order, abort, -1, ToolChainRun::kReplay, true, host), 0);
  EXPECT_EQ(host.log, "message ");
}

}  // namespace
