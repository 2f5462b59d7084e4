#pragma once
// Bounds the nesting of the recursive levels of the evaluator and the checker,
// so that deep input ends with a message instead of exhausting the stack.

#include "macro/macro_error.h"

class MacroDepthGuard {
 public:
  // Counts one level more on depth for the guard's lifetime; throws
  // CMacroError(kMacroTooDeepMessage), counting nothing, beyond kMacroMaxDepth.
  explicit MacroDepthGuard(int& depth) : depth_(depth) {
    if (++depth_ > kMacroMaxDepth) {
      --depth_;
      throw CMacroError(kMacroTooDeepMessage);
    }
  }
  ~MacroDepthGuard() { --depth_; }
  MacroDepthGuard(const MacroDepthGuard&) = delete;
  MacroDepthGuard& operator=(const MacroDepthGuard&) = delete;

 private:
  int& depth_;
};
