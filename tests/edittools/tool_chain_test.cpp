#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edittools/chain/tool_chain.h"

namespace {

using enum ToolKind;

// Records the driver's calls; steps answer from a script by kind.
class FakeHost : public CToolChainHost {
 public:
  std::function<int(int kind)> step = [](int) { return 0; };
  std::function<bool(TOOLORDER&)> orderDialog = [](TOOLORDER&) { return true; };
  TOOLORDER* order = nullptr;
  int* abort = nullptr;
  std::string log;

  int RunToolStep(ToolKind kind, int show, int inChain) override {
    const int number = StoredToolKind(kind);
    log += "step" + std::to_string(number) + "(" + std::to_string(show) + "," + std::to_string(inChain) + ") ";
    return step(number);
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
    {"replay takes each slot's flag", {TOOLSLOT{kSort, 1}, TOOLSLOT{kFilter, 0}}, ToolChainRun::kReplay, false, {}, 1,
     "step4(1,1) step3(0,1) "},
    {"an empty first slot runs nothing", {TOOLSLOT{}, TOOLSLOT{kSort, 1}}, ToolChainRun::kReplay, false, {}, 1, ""},
    {"an unknown kind is passed over", {TOOLSLOT{ToolKindFromStored(9), 1}, TOOLSLOT{kSort, 0}}, ToolChainRun::kReplay,
     false, {}, 1, "step4(0,1) "},
    {"silent runs never show a dialog", {TOOLSLOT{kSort, 1}}, ToolChainRun::kSilent, false, {}, 1, "step4(0,1) "},
    {"restart shows every dialog preset", {TOOLSLOT{kSort, 0}}, ToolChainRun::kRestart, false, {}, 1,
     "step4(1,1) "},
    {"set-up shows the order dialog, then first set-up dialogs", {TOOLSLOT{kSort, 0}}, ToolChainRun::kReplay, true,
     {}, 1, "order step4(1,0) "},
    {"set-up on a restart uses the restart form and preset dialogs", {TOOLSLOT{kSort, 0}}, ToolChainRun::kRestart,
     true, {}, 1, "restart step4(1,1) "},
    {"set-up cancelled at the order dialog", {TOOLSLOT{kSort, 0}}, ToolChainRun::kReplay, true,
     [](FakeHost& h) { h.orderDialog = [](TOOLORDER&) { return false; }; }, 0, "order "},
    {"skip and narrowing go on", {TOOLSLOT{kFilter, 0}, TOOLSLOT{kSort, 0}}, ToolChainRun::kReplay, false,
     [](FakeHost& h) { h.step = [](int kind) { return kind == 3 ? 1 : 0; }; }, 1, "step3(0,1) step4(0,1) "},
    {"a failed replay step abandons the input", {TOOLSLOT{kFilter, 0}, TOOLSLOT{kSort, 0}}, ToolChainRun::kReplay, false,
     [](FakeHost& h) { h.step = [](int) { return -1; }; }, 0, "step3(0,1) "},
    {"the abort flag ends even a set-up without the resume dialog", {TOOLSLOT{kAddCsv, 0}, TOOLSLOT{kSort, 0}},
     ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       h.step = [&h](int) {
         *h.abort = 1;
         return -1;
       };
     },
     0, "order step2(1,0) "},
    {"a cancelled set-up step resumes at its slot with the new order", {TOOLSLOT{kFilter, 0}, TOOLSLOT{kSort, 0}},
     ToolChainRun::kReplay, true,
     [](FakeHost& h) {
       int calls = 0;
       h.orderDialog = [calls](TOOLORDER& order) mutable {
         if (calls++ == 1) order = {TOOLSLOT{kMacro, 0}, TOOLSLOT{kPivot, 0}};
         return true;
       };
       h.step = [](int kind) { return kind == 3 ? -1 : 0; };
     },
     1, "order step3(1,0) order@0 step5(1,0) step1(1,0) "},
    {"removing the cancelled last tool ends the chain normally", {TOOLSLOT{kSort, 0}, TOOLSLOT{kFilter, 0}},
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
    {"cancel at the resume dialog abandons", {TOOLSLOT{kFilter, 0}}, ToolChainRun::kReplay, true,
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
  TOOLORDER order = {TOOLSLOT{kFilter, 1}, TOOLSLOT{kSort, 1}};
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
  TOOLORDER order = {TOOLSLOT{kSort, 0}};
  int abort = 0;
  FakeHost host;
  EXPECT_EQ(RunToolChain(order, abort, -1, ToolChainRun::kReplay, true, host), 0);
  EXPECT_EQ(host.log, "message ");
}

}  // namespace
