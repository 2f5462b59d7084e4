#include "edittools/join/join_kinds.h"

#include <iterator>

#include "grid/column_types.h"
#include "grid/date_text.h"

namespace {

struct HeaderWords {
  int kind;
  const char16_t* words[12];   // null-terminated
};

// Tried group by group; the first word a header ends with decides.
constexpr HeaderWords kHeaderWords[] = {
    {JOINKIND_COMPANY, {u"会社名", u"社名", u"会社", u"企業名", u"企業"}},
    {JOINKIND_PERSON, {u"名前", u"氏名", u"担当", u"担当者", u"個人名", u"者名", u"者", u"NAME"}},
    {JOINKIND_DATE, {u"日付", u"日", u"年月日", u"date"}},
    {JOINKIND_PHONE,
     {u"電話", u"電話番号", u"携帯", u"携帯番号", u"TEL", u"FAX", u"ファックス", u"ﾌｧｯｸｽ", u"℡",
      u"☎", u"☏", u"📠"}},
    {JOINKIND_POSTAL, {u"郵便番号", u"郵便", u"〒", u"ゆうびん", u"ユウビン", u"〠", u"〶"}},
    {JOINKIND_CODE, {u"番号", u"コード", u"ｺｰﾄﾞ"}},
};
static_assert(std::size(kHeaderWords) == 6);

// Per kind, the value classes that fit it.
struct KindFit {
  int kind;
  bool fits[8];   // indexed by VALUE_*
};
constexpr KindFit kKindFits[] = {
    {JOINKIND_COMPANY, {false, false, false, false, true, false, false, false}},
    {JOINKIND_PERSON, {false, false, false, false, true, false, false, false}},
    {JOINKIND_DATE, {false, true, false, false, false, true, false, false}},
    {JOINKIND_PHONE, {false, true, false, true, true, false, false, false}},
    {JOINKIND_POSTAL, {false, true, false, true, true, false, false, false}},
    {JOINKIND_CODE, {false, true, false, false, true, false, false, false}},
};
static_assert(std::size(kKindFits) == 6);

constexpr const char16_t* kKindLabels[] = {u"", u"社名", u"名前", u"日付", u"電話", u"郵便", u"ｺｰﾄﾞ"};
static_assert(std::size(kKindLabels) == 7);

// Company forms: the first form found anywhere in the text is spelled out, and only
// that one.
struct CompanyForm {
  const char16_t* form;
  const char16_t* full;
};
constexpr CompanyForm kCompanyForms[] = {
    {u"(株)", u"株式会社"}, {u"（株）", u"株式会社"}, {u"㈱", u"株式会社"},
    {u"株)", u"株式会社"},  {u"株）", u"株式会社"},   {u"(有)", u"有限会社"},
    {u"（有）", u"有限会社"}, {u"㈲", u"有限会社"},   {u"有)", u"有限会社"},
    {u"有）", u"有限会社"},  {u"(資)", u"合資会社"},  {u"（資）", u"合資会社"},
    {u"資)", u"合資会社"},   {u"資）", u"合資会社"},  {u"㈾", u"合資会社"},
    {u"（合）", u"合同会社"}, {u"(合)", u"合同会社"},
};
static_assert(std::size(kCompanyForms) == 17);

bool EndsWith(std::u16string_view text, std::u16string_view word) {
  return text.size() >= word.size() && text.substr(text.size() - word.size()) == word;
}

void RemoveAll(CString& text, const char16_t* chars) {
  for (const char16_t* c = chars; *c != 0; ++c) text.Remove(*c);
}

}  // namespace

int ClassifyLabelHeader(const CString& header) {
  CString stripped = header;
  if (StripHeaderSerial(stripped) == 0) return -1;
  const std::u16string_view v = stripped.View();
  for (const HeaderWords& group : kHeaderWords) {
    for (const char16_t* const* w = group.words; w != std::end(group.words) && *w != nullptr; ++w) {
      if (EndsWith(v, *w)) return group.kind;
    }
  }
  return JOINKIND_NONE;
}

int IsKindCompatible(int kind, int valueClass) {
  if (valueClass < 0 || valueClass >= 8) return 0;
  for (const KindFit& f : kKindFits) {
    if (f.kind == kind) return f.fits[valueClass] ? kind : 0;
  }
  return 0;
}

const char16_t* JoinKindLabel(int kind) {
  return kind >= 0 && kind < static_cast<int>(std::size(kKindLabels)) ? kKindLabels[kind] : u"";
}

CString NormalizeJoinKey(const CString& text, int kind) {
  CString key = text;
  key.Trim();
  if (!key.IsEmpty() && key[key.GetLength() - 1] == u'　') key.Truncate(key.GetLength() - 1);
  switch (kind) {
    case JOINKIND_COMPANY:
      RemoveAll(key, u" 　");
      if (key == u"株式会社" || key == u"有限会社") break;
      for (const CompanyForm& f : kCompanyForms) {
        if (key.Find(f.form) >= 0) {
          key.Replace(CString(f.form), CString(f.full));
          break;
        }
      }
      break;
    case JOINKIND_PERSON:
      RemoveAll(key, u"　 ");
      break;
    case JOINKIND_DATE:
      key = FormatDateTime(key, u"yyyy/mm/dd");
      break;
    case JOINKIND_PHONE:
      RemoveAll(key, u" -()");
      break;
    case JOINKIND_POSTAL:
      RemoveAll(key, u" -");
      break;
    default:
      break;
  }
  return key;
}
