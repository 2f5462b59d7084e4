// Reading, writing and checking the colour rule.

#include "jobsheet/sheet/color_rule.h"

#include <iterator>

#include "grid/number_text.h"
#include "jobsheet/command/reserved_chars.h"

const char16_t* const kColorRuleOpTexts[kColorRuleOps] = {u"<", u"<=", u"=", u">", u">=", u"!", u"σ"};
const char16_t* const kColorRuleActionTexts[kColorRuleActions] = {u"文字", u"塗潰", u"一行塗潰"};
const char16_t* const kColorRuleActionWords[kColorRuleActions] = {u"TextColor", u"PastColor", u"LinePastColor"};
const char16_t* const kColorRuleColourTexts[kColorRuleColours] = {u"赤", u"青", u"緑", u"黄",
                                                                  u"灰", u"シアン", u"マゼンタ"};

namespace {

// Operators in the order they are tried when a rule is read: longer ones first.
struct OpMatch {
  const char16_t* text;
  int item;
};
constexpr OpMatch kOpOrder[] = {{u">=", 4}, {u"<=", 1}, {u"=", 2}, {u"!", 5}, {u"<", 0}, {u">", 3}, {u"σ", 6}};
static_assert(std::size(kOpOrder) == kColorRuleOps);

// Action words in the order they are looked for ("PastColor(" is inside "LinePastColor(").
struct ActionMatch {
  const char16_t* word;
  int item;
};
constexpr ActionMatch kActionOrder[] = {{u"TextColor(", 0}, {u"LinePastColor(", 2}, {u"PastColor(", 1}};

bool IsSymbol(char16_t c) {
  return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}

int SkipBlanks(const CString& s, int i) {
  while (i < s.GetLength() && s[i] == u' ') ++i;
  return i;
}

bool StartsAt(const CString& s, int i, const char16_t* text) {
  return s.Mid(i, CString(text).GetLength()) == text;
}

}  // namespace

COLORRULE ParseColorRule(const CString& rule, const COLORRULE& current) {
  COLORRULE r;
  r.colour = current.colour;
  if (rule.IsEmpty()) {
    r.action = 0;
    r.colour = 0;
    return r;
  }
  // rule -> ... '[' name ']' op value ['then'] Action '(' "'" colour ...
  int i = rule.Find(u'[');
  if (i < 0) i = rule.GetLength();
  i = SkipBlanks(rule, i);
  const int close = rule.Find(u']', i);
  i = SkipBlanks(rule, close < 0 ? rule.GetLength() : close + 1);
  for (const OpMatch& op : kOpOrder) {
    if (StartsAt(rule, i, op.text)) {
      r.op = op.item;
      i += CString(op.text).GetLength();
      break;
    }
  }
  i = SkipBlanks(rule, i);
  int end = i;
  while (end < rule.GetLength() && rule[end] != u' ' && !StartsAt(rule, end, u"then")) ++end;
  r.value = UnescapeReservedChars(rule.Mid(i, std::min(end - i, kColorRuleValueChars)));
  i = SkipBlanks(rule, end);
  if (StartsAt(rule, i, u"then")) i = SkipBlanks(rule, i + 4);
  CString rest = rule.Mid(i);
  for (const ActionMatch& a : kActionOrder) {
    const int at = rest.Find(a.word);
    if (at >= 0) {
      r.action = a.item;
      rest = rest.Mid(at + CString(a.word).GetLength());
      break;
    }
  }
  if (!rest.IsEmpty() && rest[0] == u'\'') rest = rest.Mid(1);
  for (int c = 0; c < kColorRuleColours; ++c) {
    if (rest.Find(kColorRuleColourTexts[c]) >= 0) {
      r.colour = c;
      break;
    }
  }
  return r;
}

CString BuildColorRule(const CString& column, const COLORRULE& r) {
  const CString op = r.op >= 0 && r.op < kColorRuleOps ? kColorRuleOpTexts[r.op] : u"";
  const CString action = r.action >= 0 && r.action < kColorRuleActions ? kColorRuleActionWords[r.action] : u"";
  const CString colour = r.colour >= 0 && r.colour < kColorRuleColours ? kColorRuleColourTexts[r.colour] : u"";
  CString rule;
  if (op.IsEmpty() && r.value.IsEmpty() && colour.IsEmpty() && action.IsEmpty()) return rule;
  rule.Format(u"if [%s] %s %s then %s('%s')", EscapeReservedChars(column), op, EscapeReservedChars(r.value),
              action, colour);
  return rule;
}

bool IsPlainNumber(const CString& text) {
  const int dot = text.Find(u'.');
  const CString before = dot < 0 ? text : text.Left(dot);
  const CString after = dot < 0 ? CString() : text.Mid(dot + 1);
  return before.SpanIncluding(u"0123456789") == before && after.SpanIncluding(u"0123456789") == after;
}

CString ColorRuleSymbolWarning() {
  CString symbols;
  for (char16_t c = 33; c <= 126; ++c)
    if (IsSymbol(c)) symbols += c;
  return u"[比較値]に半角で記号\n" + symbols + u"\nが含まれています。\n意図しない結果になる場合があります。";
}

ColorRuleCheck CheckColorRule(const COLORRULE& r) {
  ColorRuleCheck check;
  if (r.op < 0) check.refusal = u"[比較式]を指定してください。";
  else if (r.value.IsEmpty()) check.refusal = u"[比較値]を入力してください。";
  else if (r.action < 0) check.refusal = u"[処理]を指定してください。";
  else if (r.colour < 0) check.refusal = u"[結果の表示色]を指定してください。";
  if (!check.refusal.IsEmpty()) return check;
  const bool number = IsPlainNumber(r.value);
  if (r.op == kColorRuleSigma && !(number && ParseNumberText(r.value) >= 1.0)) {
    check.refusal = u"[比較式]が「σ」の場合、[比較値]には1.0以上の数値を入力してください";
    return check;
  }
  if (number) return check;
  for (int i = 0; i < r.value.GetLength(); ++i)
    if (IsSymbol(r.value[i])) check.symbolWarning = true;
  if (r.op == 0 || r.op == 1 || r.op == 3 || r.op == 4)
    check.refusal = u"[比較値]が文字列の場合、[比較式]は「=」 または「!」を選択してください";
  return check;
}
