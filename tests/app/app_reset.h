#pragma once
// Puts the application object back to a freshly started program: every member,
// whatever section added it, so each test starts from the same place.

#include <memory>

#include "app/tabro_client_app.h"

namespace apptest {

inline void ResetTheApp() {
  std::destroy_at(&theApp);
  std::construct_at(&theApp);
}

}  // namespace apptest
