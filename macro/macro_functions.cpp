// Built-in functions of the macro language: round, abs, log10, sin, cos, tan,
// mindata, maxdata, val, vtoa, repeatString, SUM.

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "grid/number_text.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "macro/macro_names.h"
#include "macro/macro_scan.h"
#include "platform/int_text.h"

using macro_scan::CutToInt;
using macro_scan::SkipBlanks;
using macro_scan::SkipTo;

namespace {


// Most copies repeatString makes.
constexpr int kMaxRepeat = 128;
// Rounding places beyond this are as good as infinite.
constexpr int kMaxRoundDigits = 1000;

}  // namespace

bool CMacroEval::CallFunction(double& value) {
  if (!macro_scan::IsCallToken(m_Cursor)) return false;
  const MacroFunctionName* found = macro_scan::FindPrefixed(kMacroFunctions, m_Cursor);
  if (found == nullptr || !found->evaluated) return false;
  m_Cursor += found->name.size();

  // Moves to the call's ')' and past it; the end of the text is an error when
  // the function has a message for it.
  auto closeCall = [&] {
    const char16_t* close = SkipTo(m_Cursor, u')');
    if (*close == 0) {
      if (found->evalUnclosed != nullptr) throw CMacroError(found->evalUnclosed);
      m_Cursor = close;
      return;
    }
    m_Cursor = close + 1;
  };
  auto expectComma = [&](const char16_t* message) {
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor != u',') throw CMacroError(message);
    ++m_Cursor;
  };

  value = 0.0;
  switch (found->function) {
    case MacroFunction::Round: {
      // round(x, digits, mode)
      constexpr char16_t kRoundComma[] = u"round の　, が対応していません";
      double x = EvalAdditive();
      expectComma(kRoundComma);
      const int digits = std::clamp(CutToInt(EvalAdditive()), -kMaxRoundDigits, kMaxRoundDigits);
      expectComma(kRoundComma);
      const int mode = CutToInt(EvalAdditive());
      if (mode != 1 && mode != 5 && mode != 9) {
        throw CMacroError(u"1:切捨 5:四捨五入 9:切上 を設定してください");
      }
      closeCall();
      const double given = x;
      value = RoundValue(mode == 1 ? 0 : mode, x, -digits);
      // A place far below the value's precision overflows the rounding scale;
      // rounding there leaves the value as it is.
      if (std::isnan(value) && !std::isnan(given)) value = given;
      m_IsNumber = 1;
      break;
    }
    case MacroFunction::Abs:
    case MacroFunction::Log10:
    case MacroFunction::Sin:
    case MacroFunction::Cos:
    case MacroFunction::Tan: {
      const double x = EvalAdditive();
      closeCall();
      switch (found->function) {
        case MacroFunction::Abs: value = std::fabs(x); break;
        case MacroFunction::Log10: value = std::log10(x); break;
        case MacroFunction::Sin: value = std::sin(x); break;
        case MacroFunction::Cos: value = std::cos(x); break;
        default: value = std::tan(x); break;
      }
      m_IsNumber = 1;
      break;
    }
    case MacroFunction::MinData:
    case MacroFunction::MaxData: {
      // values separated by commas or blanks, up to ')'
      const bool wantMin = found->function == MacroFunction::MinData;
      bool any = false;
      for (;;) {
        while (*m_Cursor == u' ' || *m_Cursor == u',') ++m_Cursor;
        if (*m_Cursor == u')') {
          ++m_Cursor;
          break;
        }
        if (*m_Cursor == 0) throw CMacroError(found->evalUnclosed);
        const char16_t* before = m_Cursor;
        const double v = EvalAdditive();
        if (m_Cursor == before) {
          ++m_Cursor;  // a character that starts no value
          continue;
        }
        if (!any || (wantMin ? v < value : v > value)) value = v;
        any = true;
      }
      m_IsNumber = 1;
      break;
    }
    case MacroFunction::Val:
      EvalAdditive();
      value = ReadDouble(m_Text.GetString());
      m_ForceText = 0;
      closeCall();
      m_IsNumber = 1;
      break;
    case MacroFunction::Vtoa: {
      const double x = EvalAdditive();
      closeCall();
      m_Text = FormatDouble(x);
      m_IsNumber = 0;
      break;
    }
    case MacroFunction::Repeat: {
      // repeatString('text' | [field], count | [field])
      const char16_t* p = m_Cursor;
      while (*p != 0 && *p != u'\'' && *p != u'[') ++p;
      if (*p == 0) throw CMacroError(u"' が有りません");
      CString text;
      if (*p == u'\'') {
        const char16_t* close = SkipTo(p + 1, u'\'');
        if (*close == 0) throw CMacroError(kMacroQuoteMismatch);
        text = CString(p + 1, static_cast<int>(close - p - 1));
        m_Cursor = close + 1;
      } else {
        m_Cursor = p;
        text = ReadFieldArgument();
      }
      m_Cursor = SkipTo(m_Cursor, u',');
      if (*m_Cursor == 0) throw CMacroError(kMacroCommaMissing);
      m_Cursor = SkipBlanks(m_Cursor + 1);
      const int count = *m_Cursor == u'[' ? TextToInt(ReadFieldArgument().View()) : TextToInt(m_Cursor);
      closeCall();
      CString result;
      for (int i = 0; i < std::min(count, kMaxRepeat); ++i) result += text;
      m_Text = result;
      m_IsNumber = 0;
      break;
    }
    case MacroFunction::Sum: {
      // SUM(from, to): 1-based columns of the row, both included
      const int from = CutToInt(EvalAdditive());
      m_Cursor = SkipBlanks(m_Cursor);
      bool both = false;
      int to = 0;
      if (*m_Cursor == u',') {
        ++m_Cursor;
        to = CutToInt(EvalAdditive());
        both = true;
      }
      closeCall();
      if (both && m_RowCells != nullptr && from >= 1 && from < to && to <= m_ValueCount) {
        for (int c = from; c <= to; ++c) {
          if (const CString* cell = m_RowCells[c - 1]) value += ParseNumberText(*cell);
        }
      }
      m_IsNumber = 1;
      break;
    }
    case MacroFunction::TimeSum:
    case MacroFunction::TimeSpan:
    case MacroFunction::Accumu:
    case MacroFunction::Ratio:
      break;  // not evaluated here: passed over above
  }
  return true;
}
