#pragma once
// Bounds the nesting of the recursive levels of the evaluator, so that deep
// input ends with a message instead of exhausting the stack.

#include "macro/macro_error.h"
#include "macro/macro_eval.h"

class MacroDepthGuard {
 public:
  explicit MacroDepthGuard(CMacroEval& ev) : depth_(ev.m_Depth) {
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
