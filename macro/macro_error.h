#pragma once
// CMacroError: the one exception of the macro language. It carries the message
// the user sees, exactly as the language defines it; the evaluator raises it for
// the first error of a text and nothing inside the language catches it.

#include <exception>
#include <string>

#include "platform/cstring.h"

class CMacroError : public std::exception {
 public:
  explicit CMacroError(CString text) : text_(std::move(text)), utf8_(text_.ToUtf8()) {}

  // The message, never empty.
  const CString& Text() const noexcept { return text_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  CString text_;
  std::string utf8_;
};

// Messages that both the checker and the evaluator give.
inline constexpr char16_t kMacroSetNotClosed[] = u"setが')' で括られたいません";
inline constexpr char16_t kMacroStrayParen[] = u"意味のない　')'が有ります";
inline constexpr char16_t kMacroStrayBracket[] = u"意味のない　']'が有ります";
inline constexpr char16_t kMacroQuoteMismatch[] = u"' が対応していません";
inline constexpr char16_t kMacroCommaMissing[] = u", が有りません";

// Message when parentheses, conditions or argument lists nest too deeply.
inline constexpr const char16_t* kMacroTooDeepMessage = u"式の入れ子が深すぎます";
// Deepest nesting of expressions that the evaluator and the checker read.
inline constexpr int kMacroMaxDepth = 200;
