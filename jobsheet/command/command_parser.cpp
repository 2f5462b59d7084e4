#include "jobsheet/command/command_parser.h"

#include <array>
#include <string_view>

#include "platform/int_text.h"
#include "jobsheet/command/command_tokens.h"
#include "jobsheet/command/reserved_chars.h"

namespace {

// How a keyword's token ends.
enum class Rule : uint8_t {
  kExact,  // the keyword must be followed by ";", otherwise the reading ends
  kSkip,   // the rest of the token is ignored
  kValue,  // the value runs to the next ";"
  kOwn,    // the token's reader finds its own end
};

using Setter = void (*)(JOBSETTING& job, std::u16string_view value);

struct Keyword {
  std::u16string_view word;
  Rule rule;
  Setter set;                 // kExact, kSkip, kValue
  CommandTokenReader read;    // kOwn
};

constexpr Keyword Exact(std::u16string_view w, Setter s) { return {w, Rule::kExact, s, nullptr}; }
constexpr Keyword Skip(std::u16string_view w, Setter s) { return {w, Rule::kSkip, s, nullptr}; }
constexpr Keyword Value(std::u16string_view w, Setter s) { return {w, Rule::kValue, s, nullptr}; }
constexpr Keyword Own(std::u16string_view w, CommandTokenReader r) { return {w, Rule::kOwn, nullptr, r}; }

CString Unescaped(std::u16string_view value) { return UnescapeReservedChars(CString(value)); }

// Tried in this order; the first keyword that begins the token wins, so a longer
// keyword stands before the shorter one it begins with.
constexpr std::array kKeywords = {
    Own(u"Sort", ReadSortToken),
    Exact(u"CsvHederTyp", [](JOBSETTING& j, std::u16string_view) { j.m_CsvHederTyp = 1; }),
    Value(u"Select=", [](JOBSETTING& j, std::u16string_view v) { j.m_Select = ExpandColumnList(CString(v)); }),
    Exact(u"Grayband", [](JOBSETTING& j, std::u16string_view) { j.m_Grayband = 1; }),
    Own(u"Break", ReadBreakToken),
    Own(u"HdClm=", ReadHdClmToken),
    Exact(u"TypeT+", [](JOBSETTING& j, std::u16string_view) { j.m_DocKind = DOC_KIND_TABULATION; j.m_SubKind = TAB_SUBKIND_TYPET_PLUS; }),
    Exact(u"TypeTX", [](JOBSETTING& j, std::u16string_view) { j.m_DocKind = DOC_KIND_TABULATION; j.m_SubKind = TAB_SUBKIND_TYPETX; }),
    Exact(u"TypeT", [](JOBSETTING& j, std::u16string_view) { j.m_DocKind = DOC_KIND_TABULATION; j.m_SubKind = TAB_SUBKIND_TYPET; }),
    Exact(u"TypeL", [](JOBSETTING& j, std::u16string_view) { j.m_DocKind = DOC_KIND_LIST; }),
    Own(u"TypeS", ReadTypeSToken),
    // The cross-table kind comes from the aggregation tool, not from the text.
    Exact(u"TypeCross", [](JOBSETTING&, std::u16string_view) {}),
    Exact(u"TypeC", [](JOBSETTING& j, std::u16string_view) { j.m_DocKind = DOC_KIND_FORM; }),
    Exact(u"Portrait", [](JOBSETTING& j, std::u16string_view) { j.m_Orientation = 1; }),
    Exact(u"Landscape", [](JOBSETTING& j, std::u16string_view) { j.m_Orientation = 2; }),
    Value(u"Grp=", [](JOBSETTING& j, std::u16string_view v) { j.m_Grp = Unescaped(v); }),
    Exact(u"Sum=＊", [](JOBSETTING& j, std::u16string_view) { j.m_SumAll = 1; }),
    Value(u"Sum=", [](JOBSETTING& j, std::u16string_view v) {
      StoreNameList(j, v, [](JOBSETTING& k, int i) -> CString& { return k.m_Sum[i]; });
    }),
    Value(u"Counts=", [](JOBSETTING& j, std::u16string_view v) {
      StoreNameList(j, v, [](JOBSETTING& k, int i) -> CString& { return k.m_Counts[i][0]; });
    }),
    Value(u"CountsV=", [](JOBSETTING& j, std::u16string_view v) {
      StoreNameList(j, v, [](JOBSETTING& k, int i) -> CString& { return k.m_Counts[i][1]; });
    }),
    Value(u"Ave=", [](JOBSETTING& j, std::u16string_view v) {
      StoreNameList(j, v, [](JOBSETTING& k, int i) -> CString& { return k.m_Ave[i][0]; });
    }),
    Value(u"AveV=", [](JOBSETTING& j, std::u16string_view v) {
      StoreNameList(j, v, [](JOBSETTING& k, int i) -> CString& { return k.m_Ave[i][1]; });
    }),
    Skip(u"ListDoc=TypeA", [](JOBSETTING& j, std::u16string_view) { j.m_ListDoc = 2; }),
    Skip(u"ListDoc=TypeB", [](JOBSETTING& j, std::u16string_view) { j.m_ListDoc = 3; }),
    Skip(u"ListDoc", [](JOBSETTING& j, std::u16string_view) { j.m_ListDoc = 1; }),
    // Honoured only while no kind token has asked for labels or forms.
    Exact(u"Numbering",
          [](JOBSETTING& j, std::u16string_view) {
            if (j.m_DocKind >= DOC_KIND_NONE && j.m_DocKind <= DOC_KIND_LIST) j.m_Numbering = 1;
          }),
    Own(u"CODE39=", ReadBarcodeToken),
    Own(u"QR=", ReadBarcodeToken),
    Own(u"CustmerCode=", ReadBarcodeToken),
    Own(u"認印=", ReadSealToken),
    Own(u"承認印=", ReadSealToken),
    Own(u"承認日印=", ReadSealToken),
    Own(u"if [", ReadColorRuleToken),
    Value(u"UserPasswd=", [](JOBSETTING& j, std::u16string_view v) { j.m_UserPasswd = Unescaped(v); }),
    Value(u"OwnerPasswd=", [](JOBSETTING& j, std::u16string_view v) { j.m_OwnerPasswd = Unescaped(v); }),
    Value(u"Subject=", [](JOBSETTING& j, std::u16string_view v) { j.m_Subject = Unescaped(v); }),
    Own(u"InpSelecMacro(", ReadSelectMacroToken),
    Skip(u"HideDetail", [](JOBSETTING& j, std::u16string_view) { j.m_HideDetail = 1; }),
    Value(u"GraphSum=", [](JOBSETTING& j, std::u16string_view v) { j.m_Graph = 2; j.m_GraphColumn = CString(v); }),
    Value(u"GraphGrp=", [](JOBSETTING& j, std::u16string_view v) { j.m_Graph = 3; j.m_GraphColumn = CString(v); }),
    Skip(u"GraphSum", [](JOBSETTING& j, std::u16string_view) { j.m_Graph = 2; }),
    Skip(u"GraphGrp", [](JOBSETTING& j, std::u16string_view) { j.m_Graph = 3; }),
    Skip(u"Graph", [](JOBSETTING& j, std::u16string_view) { j.m_Graph = 1; }),
    Skip(u"HidePage", [](JOBSETTING& j, std::u16string_view) { j.m_HideBits |= 1; }),
    Skip(u"HideDate", [](JOBSETTING& j, std::u16string_view) { j.m_HideBits |= 2; }),
    Skip(u"HideFieldName", [](JOBSETTING& j, std::u16string_view) { j.m_HideFieldName = 1; }),
    Skip(u"HideTitleName", [](JOBSETTING& j, std::u16string_view) { j.m_HideTitleName = 1; }),
    Skip(u"HideErr", [](JOBSETTING& j, std::u16string_view) { j.m_HideErr = 1; }),
    Value(u"Date=", [](JOBSETTING& j, std::u16string_view v) { j.m_Date = CString(v); }),
    Value(u"Tytl=", [](JOBSETTING& j, std::u16string_view v) { j.m_Tytl = Unescaped(v); }),
    Skip(u"Skip=", [](JOBSETTING& j, std::u16string_view v) { j.m_Skip = static_cast<int16_t>(TextToInt(v)); }),
    Own(u"SUM(", ReadRowSumToken),
    Own(u"TimeSpan(", ReadTimeSpanToken),
    Own(u"FieldN=", ReadFieldNameToken),
    Skip(u"DateFormat=", [](JOBSETTING& j, std::u16string_view v) { j.m_DateFormat = TextToInt(v); }),
};
// 51 rows, of which the barcode and seal rows name three keywords each.
static_assert(kKeywords.size() == 55);

const Keyword* MatchKeyword(std::u16string_view rest) {
  for (const Keyword& k : kKeywords)
    if (rest.starts_with(k.word)) return &k;
  return nullptr;
}

}  // namespace

// command -> token {";" token}; token -> keyword value
void ParseCommandText(JOBSETTING& job, const CString& text) {
  const std::u16string_view all = text.View();
  size_t pos = 0;
  while (pos < all.size()) {
    const Keyword* k = MatchKeyword(all.substr(pos));
    if (k == nullptr) {
      const size_t semi = all.find(u';', pos);
      if (semi == std::u16string_view::npos) return;
      pos = semi + 1;
      continue;
    }
    size_t after = pos + k->word.size();
    switch (k->rule) {
      case Rule::kExact:
        k->set(job, {});
        if (after >= all.size() || all[after] != u';') return;
        pos = after + 1;
        break;
      case Rule::kSkip:
      case Rule::kValue: {
        const size_t semi = all.find(u';', after);
        const size_t end = semi == std::u16string_view::npos ? all.size() : semi;
        k->set(job, all.substr(after, end - after));
        if (semi == std::u16string_view::npos) return;
        pos = semi + 1;
        break;
      }
      case Rule::kOwn:
        if (!k->read(job, k->word, all, after)) return;
        pos = after;
        break;
    }
  }
}
