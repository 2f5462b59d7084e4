#pragma once
// The colour rule of the CSV edit page: "if [column] op value then Action('colour')".
// The rule is read and written here; the document renderer applies it.

#include "platform/cstring.h"

// The choices of the colour rule dialog; -1 means nothing chosen.
struct COLORRULE {
  int op = -1;       // "<", "<=", "=", ">", ">=", "!", "σ"
  CString value;
  int action = -1;   // "文字" TextColor, "塗潰" PastColor, "一行塗潰" LinePastColor
  int colour = -1;   // "赤", "青", "緑", "黄", "灰", "シアン", "マゼンタ"
};

inline constexpr int kColorRuleOps = 7;
inline constexpr int kColorRuleActions = 3;
inline constexpr int kColorRuleColours = 7;
inline constexpr int kColorRuleSigma = 6;
inline constexpr int kColorRuleValueChars = 299;   // longest value read back from a rule

// Item texts of the dialog's lists.
extern const char16_t* const kColorRuleOpTexts[kColorRuleOps];
extern const char16_t* const kColorRuleActionTexts[kColorRuleActions];
extern const char16_t* const kColorRuleActionWords[kColorRuleActions];
extern const char16_t* const kColorRuleColourTexts[kColorRuleColours];

// Reads a rule back into the choices. An empty rule gives "文字" and "赤". The
// column name in the rule is not read; a colour outside the list leaves
// `current.colour` as it was, a missing action word leaves no action.
COLORRULE ParseColorRule(const CString& rule, const COLORRULE& current);
// The rule text for a column; empty when nothing is chosen or typed.
CString BuildColorRule(const CString& column, const COLORRULE& r);
// Digits with at most one "." ("12", "12.5", ".5", "12.", "."); no sign, no commas.
bool IsPlainNumber(const CString& text);

// What OK finds: a refusal (the dialog stays open) or none, and whether the
// symbol warning comes first.
struct ColorRuleCheck {
  CString refusal;
  bool symbolWarning = false;
};
ColorRuleCheck CheckColorRule(const COLORRULE& r);
// The warning about ASCII symbols in a text value.
CString ColorRuleSymbolWarning();
