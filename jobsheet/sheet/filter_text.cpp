#include "jobsheet/sheet/filter_text.h"

#include <string>
#include <string_view>

#include "macro/macro_scan.h"

namespace {

struct Refusal {
  const char16_t* chars;    // any of these refuses the text (null: the pair "<>")
  const char16_t* message;
};

constexpr Refusal kRefusals[] = {
    {nullptr, u"フィルタの条件(不一致)は\n\n <>ではなく、半角の!を入力して下さい。"},
    {u"＝！＜＞", u"フィルタの条件には\n\n ＜ ＞ ＝ ！ \n\nは半角で入力して下さい。"},
    {u":/*?|\\", u"フィルタの条件には\n\n : / * ?  | \\ \n\nは利用できません。"},
    {u")", u"フィルタの条件には\n\n ) \n\nは利用できません。"},
};
static_assert(sizeof(kRefusals) / sizeof(kRefusals[0]) == 4);

}  // namespace

CString FilterTextRefusal(const CString& text) {
  for (const Refusal& r : kRefusals) {
    const bool found = r.chars == nullptr ? text.Find(u"<>") >= 0 : text.FindOneOf(r.chars) >= 0;
    if (found) return r.message;
  }
  return CString();
}

CString ColumnNumberName(int n) { return CString::Build(u"\x01%d", n); }

namespace {

// The column a bracketed name of digits only (blanks around allowed) stands for; 0 when none.
int ColumnNumberOf(std::u16string_view name, int columns) {
  while (!name.empty() && name.front() == u' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  if (name.empty() || name.size() > 3) return 0;
  int n = 0;
  for (char16_t c : name) {
    if (c < u'0' || c > u'9') return 0;
    n = n * 10 + (c - u'0');
  }
  return n >= 1 && n <= columns ? n : 0;
}

}  // namespace

CString PageConditionStatement(const CString& condition, int columns) {
  CString trimmed = condition;
  trimmed.TrimLeft();
  CString text = trimmed.Left(3) == u"if " ? condition : u"if " + condition;
  text.Replace(u'＜', u'<');
  text.Replace(u'＞', u'>');
  text.Replace(u'＝', u'=');
  text.Replace(u'！', u'!');
  // statement -> { quoted | '[' name ']' | "&&" | "||" | other }: one pass to the end.
  const std::u16string_view in = text.View();
  std::u16string out;
  out.reserve(in.size() + 8);
  for (size_t i = 0; i < in.size();) {
    const char16_t c = in[i];
    if (c == u'\'') {
      CString unused;
      bool closed = false;
      const char16_t* end = macro_scan::ReadQuoted(in.data() + i + 1, unused, closed);
      const size_t next = static_cast<size_t>(end - in.data());
      out.append(in.substr(i, next - i));
      i = next;
    } else if (c == u'[') {
      const size_t close = in.find(u']', i + 1);
      if (close == std::u16string_view::npos) {
        out.append(in.substr(i));
        break;
      }
      const std::u16string_view name = in.substr(i + 1, close - i - 1);
      const int n = ColumnNumberOf(name, columns);
      out += u'[';
      out.append(n > 0 ? ColumnNumberName(n).View() : name);
      out += u']';
      i = close + 1;
    } else if ((c == u'&' || c == u'|') && i + 1 < in.size() && in[i + 1] == c) {
      out += c;
      i += 2;
    } else {
      out += c;
      ++i;
    }
  }
  return CString(out);
}
