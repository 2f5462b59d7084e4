// Drawing attributes at the head of a then or else branch: TextColor('赤'),
// FontNo(2), DrawItem('%d件', [数]) and the rest.

#include <array>
#include <string_view>
#include <vector>

#include "macro/macro_eval.h"
#include "macro/macro_scan.h"
#include "platform/int_text.h"

using macro_scan::CutToInt;
using macro_scan::SkipBlanks;
using macro_scan::SkipTo;
using macro_scan::StartsWith;

namespace {

enum class Attr {
  TextColor, PastColor, LineColor, FontNo, FontStyle, DrawItem, EraseVertLine, ColmJoin,
  SetBreak, LineStyle, LineWidth, DrawHPos, StrikeOut,
};

struct AttrName {
  std::u16string_view name;
  Attr attr;
  CMacroEval::AttrKind kind;
  int bit;
  bool chains;  // the rest of the list is read chained
};

using Kind = CMacroEval::AttrKind;

// Tried in this order, names compared exactly.
constexpr std::array<AttrName, 13> kAttributes = {{
    {u"TextColor", Attr::TextColor, Kind::Colour, MACRO_ATTR_TEXTCOLOR, false},
    {u"PastColor", Attr::PastColor, Kind::Colour, MACRO_ATTR_PASTCOLOR, false},
    {u"LineColor", Attr::LineColor, Kind::Colour, MACRO_ATTR_LINECOLOR, false},
    {u"FontNo", Attr::FontNo, Kind::FontNumber, MACRO_ATTR_FONTNO, false},
    {u"FontStyle", Attr::FontStyle, Kind::Number, MACRO_ATTR_FONTSTYLE, false},
    {u"DrawItem", Attr::DrawItem, Kind::DrawText, MACRO_ATTR_DRAWITEM, false},
    {u"eraseVertLine", Attr::EraseVertLine, Kind::Number, MACRO_ATTR_ERASEVERTLINE, true},
    {u"ColmJoin", Attr::ColmJoin, Kind::Number, MACRO_ATTR_COLMJOIN, true},
    {u"SetBreak", Attr::SetBreak, Kind::Number, MACRO_ATTR_SETBREAK, true},
    {u"LineStyle", Attr::LineStyle, Kind::LineStyle, MACRO_ATTR_LINESTYLE, true},
    {u"LineWidth", Attr::LineWidth, Kind::Number, MACRO_ATTR_LINEWIDTH, true},
    {u"DrawHPos", Attr::DrawHPos, Kind::Number, MACRO_ATTR_DRAWHPOS, true},
    {u"StrikeOut", Attr::StrikeOut, Kind::Strike, MACRO_ATTR_STRIKEOUT, true},
}};
static_assert(kAttributes.size() == 13);

struct NamedValue {
  std::u16string_view text;
  int value;
};

// Colour names with their quotes; COLORREF values, red in the low byte.
constexpr std::array<NamedValue, 9> kColours = {{
    {u"'赤'", 0x0000FF},
    {u"'青'", 0xFF0000},
    {u"'黄'", 0x00FFFF},
    {u"'緑'", 0x00FF00},
    {u"'シアン'", 0xFFFF00},
    {u"'マゼンタ'", 0xFF00FF},
    {u"'白'", 0xFFFFFF},
    {u"'黒'", 0x000000},
    {u"'灰'", 0xC0C0C0},
}};
static_assert(kColours.size() == 9);

constexpr std::array<NamedValue, 4> kLineStyles = {{
    {u"solid", 0},
    {u"dot", 1},
    {u"dash", 2},
    {u"double", 9},
}};
static_assert(kLineStyles.size() == 4);

// Values DrawItem puts into its format.
constexpr int kMaxDrawValues = 4;

template <size_t N>
int LookUp(const std::array<NamedValue, N>& table, std::u16string_view text) {
  for (const NamedValue& entry : table) {
    if (entry.text == text) return entry.value;
  }
  return 0;
}

}  // namespace

// attributes -> { name ['(' value ')'] }   up to "else ", "return ", "set(" or the end
bool CMacroEval::ParseAttributes(bool chained) {
  bool any = false;
  for (;;) {
    m_Cursor = SkipBlanks(m_Cursor);
    if (*m_Cursor == 0 || StartsWith(m_Cursor, u"else ") || StartsWith(m_Cursor, u"return ") ||
        StartsWith(m_Cursor, u"set(")) {
      return any;
    }
    const AttrName* found = macro_scan::FindPrefixed(kAttributes, m_Cursor);
    if (found == nullptr) {
      if (chained) return any;
      const char16_t* end = SkipTo(m_Cursor, u' ');
      throw CMacroError(
          CString::Build(u"　%s　 は正しく評価できません", CString(m_Cursor, static_cast<int>(end - m_Cursor))));
    }
    m_Cursor += found->name.size();
    const int value = ParseAttributeValue(found->kind);
    switch (found->attr) {
      case Attr::TextColor: m_TextColor = value; break;
      case Attr::PastColor: m_PastColor = value; break;
      case Attr::LineColor: m_LineColor = value; break;
      case Attr::FontNo:
        if (value < 1) throw CMacroError(u"フォント番号は１以上を設定してください");
        m_FontNo = value - 1;
        break;
      case Attr::FontStyle: m_FontStyle = value; break;
      case Attr::DrawItem: break;  // ParseDrawText stored the text
      case Attr::EraseVertLine: m_EraseVertLine = 1; break;
      case Attr::ColmJoin: m_ColmJoin = value; break;
      case Attr::SetBreak: m_SetBreak = 1; break;
      case Attr::LineStyle: m_LineStyle = value; break;
      case Attr::LineWidth: m_LineWidth = value; break;
      case Attr::DrawHPos: m_DrawHPos = value; break;
      case Attr::StrikeOut: m_StrikeOut = value; break;
    }
    m_Flags |= found->bit;
    if (found->chains) chained = true;
    any = true;
  }
}

// value -> '(' ('[' field ']' | text) ')'
int CMacroEval::ParseAttributeValue(AttrKind kind) {
  if (kind == AttrKind::DrawText) {
    ParseDrawText();
    return 0;
  }
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor != u'(') return 0;
  m_Cursor = SkipBlanks(m_Cursor + 1);
  CString text;
  if (*m_Cursor == u'[') {
    ++m_Cursor;
    ReadFieldReference();
    text = m_Text;
    m_Cursor = SkipBlanks(m_Cursor);
  } else {
    const char16_t* end = SkipTo(m_Cursor, u')');
    text = CString(m_Cursor, static_cast<int>(end - m_Cursor));
    m_Cursor = end;
  }
  if (*m_Cursor == u')') ++m_Cursor;

  switch (kind) {
    case AttrKind::Colour:
      return LookUp(kColours, text.View());
    case AttrKind::LineStyle: {
      std::u16string_view v = text.View();
      if (v.empty() || v[0] != u'\'') return 0;
      v.remove_prefix(1);
      return LookUp(kLineStyles, v.substr(0, v.find(u'\'')));
    }
    case AttrKind::Strike: {
      const int n = TextToInt(text.View());
      return n == 0 ? 1 : n;
    }
    default:
      return TextToInt(text.View());
  }
}

// draw text -> '(' "'" format "'" { ',' additive } ')'   (at most four values)
void CMacroEval::ParseDrawText() {
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor != u'(') return;
  m_Cursor = SkipBlanks(m_Cursor + 1);
  if (*m_Cursor != u'\'') throw CMacroError(u"'　が有りません");
  const char16_t* close = SkipTo(m_Cursor + 1, u'\'');
  m_DrawText = CString(m_Cursor + 1, static_cast<int>(close - m_Cursor - 1));
  m_Cursor = SkipBlanks(*close == u'\'' ? close + 1 : close);

  std::vector<CString> values;
  while (*m_Cursor == u',' && static_cast<int>(values.size()) < kMaxDrawValues) {
    m_Cursor = SkipBlanks(m_Cursor + 1);
    const double v = EvalAdditive();
    values.push_back(m_IsNumber ? CString::Build(u"%d", CutToInt(v)) : m_Text);
    m_Cursor = SkipBlanks(m_Cursor);
  }
  m_Cursor = SkipBlanks(m_Cursor);
  if (*m_Cursor == u')') ++m_Cursor;

  // "%d" places are filled before any "%s".
  for (const CString& value : values) {
    int at = m_DrawText.Find(u"%d");
    if (at < 0) at = m_DrawText.Find(u"%s");
    if (at < 0) break;
    m_DrawText = m_DrawText.Left(at) + value + m_DrawText.Mid(at + 2);
  }
}
