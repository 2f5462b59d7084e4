#pragma once
// The methods and functions of the macro language: one table each, read by the
// evaluator and by the checker. Each row says which of the two knows the name and
// what each reports when the text ends before the name's ')'.

#include <array>
#include <string_view>

#include "macro/macro_error.h"

enum class MacroMethod {
  Left, Mid, Right, Date, AddDate, Replace, Trim, Len, ToMb, ToAsc, ToUpper, ToLower,
  Using, Reading, Find, Refer, Element,
};

struct MacroMethodName {
  std::u16string_view name;    // compared exactly with the text after the field
  MacroMethod method;
  bool evaluated;              // the evaluator knows it
  bool checked;                // the checker knows it
  const char16_t* checkFinding;  // the checker's finding for it (%s: the field); null: none
};

// Tried in this order.
inline constexpr std::array<MacroMethodName, 17> kMacroMethods = {{
    {u".Left(", MacroMethod::Left, true, true, u"[%s].left( の ')' が対応していません"},
    {u".Mid(", MacroMethod::Mid, true, true, u"[%s].Mid( の ')' が対応していません"},
    {u".Right(", MacroMethod::Right, true, true, u"[%s].Right(の ')' が対応していません"},
    {u".date(", MacroMethod::Date, true, true, u"[%s].date( の ')' が対応していません"},
    {u".AddDate(", MacroMethod::AddDate, true, true, u"[%s].AddDateの　引数の数が異常です"},
    {u".replace", MacroMethod::Replace, true, true, u"[%s].replace の ['] が対応していません"},
    {u".trim(", MacroMethod::Trim, true, true, u"[%s].trim の　')' が対応していません"},
    {u".len(", MacroMethod::Len, true, true, u"[%s].len の　')' が対応していません"},
    {u".tomb(", MacroMethod::ToMb, true, true, u"[%s].tomb の　')' が対応していません"},
    {u".toasc(", MacroMethod::ToAsc, true, true, u"[%s].toasc の　')' が対応していません"},
    {u".toupper(", MacroMethod::ToUpper, true, true, u"[%s].toupper の　')' が対応していません"},
    {u".tolower(", MacroMethod::ToLower, true, true, u"[%s].tolower の　')' が対応していません"},
    {u".Using(", MacroMethod::Using, true, true, u"[%s].Using の書式は'で括ってください"},
    {u".reading()", MacroMethod::Reading, true, false, nullptr},
    {u".Find(", MacroMethod::Find, true, true, u"[%s].Find の引数が正しくありません"},
    {u".refer(", MacroMethod::Refer, false, true, u"[%s].refer の　')' が対応していません"},
    {u".element(", MacroMethod::Element, true, true, nullptr},
}};
static_assert(kMacroMethods.size() == 17, "one row per method");

enum class MacroFunction {
  Round, Abs, Log10, Sin, Cos, Tan, MinData, MaxData, Val, Vtoa, Repeat, Sum, TimeSum, TimeSpan,
  Accumu, Ratio,
};

struct MacroFunctionName {
  std::u16string_view name;    // compared exactly with the beginning of the token
  MacroFunction function;
  bool evaluated;              // the evaluator knows it (the others belong to the
                               // column statements and the command language)
  const char16_t* evalUnclosed;   // the evaluator's error when ')' is missing; null: none
  const char16_t* checkUnclosed;  // the checker's finding when ')' is missing; null: none
};

inline constexpr std::array<MacroFunctionName, 16> kMacroFunctions = {{
    {u"round(", MacroFunction::Round, true, u"round の　) が対応していません", u"round の　')' が対応していません"},
    {u"abs(", MacroFunction::Abs, true, u"abs の　) が対応していません", u"abs の　')' が対応していません"},
    {u"log10(", MacroFunction::Log10, true, u"log10 の　')' が対応していません", u"log10 の　')' が対応していません"},
    {u"sin(", MacroFunction::Sin, true, u"sin の　) が対応していません", u"sin の　')' が対応していません"},
    {u"cos(", MacroFunction::Cos, true, u"cos の　) が対応していません", u"cos の　')' が対応していません"},
    {u"tan(", MacroFunction::Tan, true, u"tan の　) が対応していません", u"tan の　')' が対応していません"},
    {u"mindata(", MacroFunction::MinData, true, u"mindata の　) が対応していません", u"mindata の　')' が対応していません"},
    {u"maxdata(", MacroFunction::MaxData, true, u"maxdata の　) が対応していません", u"maxdata の　')' が対応していません"},
    {u"val(", MacroFunction::Val, true, nullptr, u"val の　')' が対応していません"},
    {u"vtoa(", MacroFunction::Vtoa, true, nullptr, u"vtoa の　')' が対応していません"},
    {u"repeatString(", MacroFunction::Repeat, true, kMacroQuoteMismatch, u"repeatString　の ')' が対応していません"},
    {u"SUM(", MacroFunction::Sum, true, nullptr, nullptr},
    {u"TimeSUM(", MacroFunction::TimeSum, false, nullptr, nullptr},
    {u"TimeSpan(", MacroFunction::TimeSpan, false, nullptr, nullptr},
    {u"Accumu(", MacroFunction::Accumu, false, nullptr, nullptr},
    {u"Ratio(", MacroFunction::Ratio, false, nullptr, nullptr},
}};
static_assert(kMacroFunctions.size() == 16, "one row per function");
