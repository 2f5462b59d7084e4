#include "app/up_calls.h"

#include <cstdio>
#include <cstdlib>

UpCalls& GetUpCalls() {
  static UpCalls calls;
  return calls;
}

std::vector<const char*> EmptyUpCalls(const UpCalls& calls) {
  struct Entry {
    const char* name;
    bool filled;
  };
  const Entry entries[] = {
      {"order", calls.order != nullptr},
      {"pivot", calls.pivot != nullptr},
      {"addCsv", calls.addCsv != nullptr},
      {"filter", calls.filter != nullptr},
      {"sort", calls.sort != nullptr},
      {"macro", calls.macro != nullptr},
      {"settingsSheet", calls.settingsSheet != nullptr},
      {"replayJoin", calls.replayJoin != nullptr},
      {"selectReuseJob", calls.selectReuseJob != nullptr},
      {"saveReuseJob", calls.saveReuseJob != nullptr},
      {"editReuseJobs", calls.editReuseJobs != nullptr},
  };
  // An entry added to the struct must be added here too.
  static_assert(sizeof(UpCalls) == sizeof(entries) / sizeof(Entry) * sizeof(void (*)()));
  std::vector<const char*> empty;
  for (const Entry& e : entries) {
    if (!e.filled) empty.push_back(e.name);
  }
  return empty;
}

void RequireUpCalls(const UpCalls& calls) {
  const std::vector<const char*> empty = EmptyUpCalls(calls);
  if (empty.empty()) return;
  std::fprintf(stderr, "start-up left the up-call \"%s\" empty\n", empty.front());
  std::abort();
}
