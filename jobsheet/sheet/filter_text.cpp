#include "jobsheet/sheet/filter_text.h"

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
