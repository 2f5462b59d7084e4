#include "platform/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "platform/code_point.h"

namespace {

// Invalid input becomes U+FFFD, whatever the converter's own substitute would be.
// The context, when not null, is the size_t that counts the replacements.
void ToUnicodeReplace(const void* context, UConverterToUnicodeArgs* args, const char*, int32_t,
                      UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close or clone
  if (context != nullptr) ++*static_cast<size_t*>(const_cast<void*>(context));
  *err = U_ZERO_ERROR;
  const UChar replacement = 0xFFFD;
  ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

// ICU's own from-Unicode callbacks drop default-ignorable characters (U+FEFF,
// U+200B, U+00AD, ...) without a trace. Ours do not: strict mode stops on them,
// lenient mode writes the substitute "?" as for any character the code page lacks.
void FromUnicodeStop(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                     UConverterCallbackReason, UErrorCode*) {}

void FromUnicodeSubstitute(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                           UChar32, UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close or clone
  *err = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, err);
}

struct ConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

// One Shift_JIS converter per thread and mode (converters are not thread safe).
// Lenient decoding with it adds its replacements to *errors (none counted when
// errors is null); each call sets the address anew, so none outlives its call.
UConverter* SjisConverter(ConvMode mode, size_t* errors = nullptr) {
  thread_local ConverterPtr strict, lenient;
  ConverterPtr& slot = mode == ConvMode::kStrict ? strict : lenient;
  if (!slot) {
    UErrorCode err = U_ZERO_ERROR;
    UConverter* c = ucnv_open("ibm-943_P15A-2003", &err);
    if (U_FAILURE(err) || !c) return nullptr;
    if (mode == ConvMode::kStrict) {
      ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
      ucnv_setFromUCallBack(c, FromUnicodeStop, nullptr, nullptr, nullptr, &err);
    } else {
      ucnv_setToUCallBack(c, ToUnicodeReplace, nullptr, nullptr, nullptr, &err);
      ucnv_setSubstChars(c, "?", 1, &err);
      ucnv_setFallback(c, true);  // best-fit forms, as the platform writes them
      ucnv_setFromUCallBack(c, FromUnicodeSubstitute, nullptr, nullptr, nullptr, &err);
    }
    slot.reset(c);
  }
  ucnv_reset(slot.get());
  if (mode == ConvMode::kLenient) {
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setToUCallBack(slot.get(), ToUnicodeReplace, errors, nullptr, nullptr, &err);
  }
  return slot.get();
}

// ICU's table for code page 932 keeps the IBM order of three control codes (byte
// 1A is U+001C, 1C is U+007F, 7F is U+001A); the platform maps every byte below 80
// to itself. These swap the three between the two orders.
char16_t FromIcuControl(char16_t c) {
  switch (c) {
    case 0x1C: return 0x1A;
    case 0x7F: return 0x1C;
    case 0x1A: return 0x7F;
    default: return c;
  }
}
char16_t ToIcuControl(char16_t c) {
  switch (c) {
    case 0x1A: return 0x1C;
    case 0x1C: return 0x7F;
    case 0x7F: return 0x1A;
    default: return c;
  }
}
bool IsSwappedControl(char16_t c) { return c == 0x1A || c == 0x1C || c == 0x7F; }

// Lenient Shift_JIS decoding by table, built once from the converter itself: the
// character of every single byte and of every lead and trail pair. 0 marks a byte
// or pair the table does not settle (a lead byte, an invalid sequence); a text with
// one goes to the converter whole, so both ways give the same characters.
class SjisTable {
 public:
  static const SjisTable& Get() {
    static const SjisTable table;
    return table;
  }
  // Decodes into out; false when the text needs the converter.
  bool Decode(std::string_view bytes, char16_t* out, size_t& written) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t o = 0;
    for (size_t i = 0; i < n;) {
      const unsigned b = p[i];
      if (b < 0x80) {
        out[o++] = static_cast<char16_t>(b);
        ++i;
        continue;
      }
      if (const char16_t single = m_Single[b]) {
        out[o++] = single;
        ++i;
        continue;
      }
      if (i + 1 >= n) return false;
      const char16_t pair = m_Pair[(b << 8) | p[i + 1]];
      if (pair == 0) return false;
      out[o++] = pair;
      i += 2;
    }
    written = o;
    return true;
  }

 private:
  SjisTable() : m_Pair(0x10000, 0) {
    // Probing every pair meets invalid ones: they are no error of any text, so
    // none is counted.
    UConverter* c = SjisConverter(ConvMode::kLenient);
    if (c == nullptr) return;
    auto one = [c](const char* bytes, int length) -> char16_t {
      UChar out[4];
      UErrorCode err = U_ZERO_ERROR;
      ucnv_reset(c);
      const int32_t n = ucnv_toUChars(c, out, 4, bytes, length, &err);
      if (U_FAILURE(err) || n != 1 || out[0] == 0xFFFD) return 0;
      return out[0];
    };
    for (int b = 0x80; b < 0x100; ++b) {
      const char byte = static_cast<char>(b);
      m_Single[b] = one(&byte, 1);
      if (m_Single[b] != 0) continue;
      for (int t = 0x40; t < 0x100; ++t) {
        const char pair[2] = {byte, static_cast<char>(t)};
        m_Pair[(b << 8) | t] = one(pair, 2);
      }
    }
  }

  char16_t m_Single[256] = {};
  std::vector<char16_t> m_Pair;
};

// The decoders add the invalid sequences they replace (lenient mode) to errors.
std::optional<CString> DecodeSjis(std::string_view bytes, ConvMode mode, size_t& errors) {
  if (bytes.empty()) return CString();
  UConverter* c = SjisConverter(mode, &errors);
  if (!c) return std::nullopt;
  // Every character takes at least one byte and gives one code unit.
  CString out;
  const int capacity = static_cast<int>(bytes.size());
  char16_t* buffer = out.GetBuffer(capacity);
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar*>(buffer), capacity + 1, bytes.data(),
                            static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err) || n > capacity) return std::nullopt;
  for (int32_t k = 0; k < n; ++k) buffer[k] = FromIcuControl(buffer[k]);
  out.ReleaseBuffer(n);
  return out;
}

std::optional<std::string> EncodeSjis(std::u16string_view text, ConvMode mode) {
  if (text.empty()) return std::string();
  UConverter* c = SjisConverter(mode);
  if (!c) return std::nullopt;
  std::u16string swapped;
  if (std::any_of(text.begin(), text.end(), IsSwappedControl)) {
    swapped.assign(text);
    for (char16_t& u : swapped) u = ToIcuControl(u);
    text = swapped;
  }
  std::string out(text.size() * 2 + 1, '\0');
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), text.data(),
                              static_cast<int32_t>(text.size()), &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(n) + 1, '\0');
    err = U_ZERO_ERROR;
    ucnv_reset(c);
    n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), text.data(),
                        static_cast<int32_t>(text.size()), &err);
  }
  if (U_FAILURE(err)) return std::nullopt;
  out.resize(static_cast<size_t>(n));
  return out;
}

// The Unicode table of well-formed UTF-8 byte sequences, by lead byte: the number of
// continuation bytes and the range of the first one (any further one is 80-BF).
struct Utf8LeadRow {
  unsigned char first, last;
  int trail;
  unsigned char lo, hi;
};
constexpr Utf8LeadRow kUtf8Leads[] = {
    {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};
static_assert(sizeof(kUtf8Leads) / sizeof(kUtf8Leads[0]) == 8);

struct Utf8Lead {
  int trail = -1;  // -1: the byte starts no sequence
  unsigned char lo = 0, hi = 0;
};
constexpr std::array<Utf8Lead, 256> kUtf8LeadOf = [] {
  std::array<Utf8Lead, 256> table{};
  for (int b = 0; b < 0x80; ++b) table[b] = {0, 0, 0};
  for (const Utf8LeadRow& row : kUtf8Leads)
    for (int b = row.first; b <= row.last; ++b) table[b] = {row.trail, row.lo, row.hi};
  return table;
}();

// UTF-8 into out (room for bytes.size() units): an ill-formed sequence (its maximal
// valid prefix) becomes one U+FFFD in lenient mode. The units written, or -1 when
// strict mode meets an ill-formed sequence.
int64_t DecodeUtf8Units(std::string_view bytes, char16_t* const start, ConvMode mode,
                        size_t& errors) {
  char16_t* out = start;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      *out++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    // Most Japanese text: three bytes after a lead other than E0 and ED (whose
    // second byte has a narrower range), read here; the rest by the table.
    if (b >= 0xE1 && b <= 0xEF && b != 0xED && i + 2 < n) {
      const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
      const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
      if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
        *out++ = static_cast<char16_t>(((b & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
        i += 3;
        continue;
      }
    }
    const Utf8Step step = ReadUtf8Char(bytes.substr(i));
    i += static_cast<size_t>(step.length);
    if (step.kind != Utf8Step::kChar) {
      if (mode == ConvMode::kStrict) return -1;
      ++errors;
      *out++ = u'\uFFFD';
      continue;
    }
    char32_t cp = step.codePoint;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(cp);
    }
  }
  return out - start;
}

std::optional<CString> DecodeUtf8(std::string_view bytes, ConvMode mode, size_t& errors) {
  if (bytes.empty()) return CString();
  // No sequence gives more code units than it has bytes.
  CString result;
  const int64_t n =
      DecodeUtf8Units(bytes, result.GetBuffer(static_cast<int>(bytes.size())), mode, errors);
  if (n < 0) return std::nullopt;
  result.ReleaseBuffer(static_cast<int>(n));
  return result;
}

std::optional<std::string> EncodeUtf8(std::u16string_view text, ConvMode mode) {
  if (mode == ConvMode::kStrict) {
    for (size_t i = 0; i < text.size();) {
      const CodePointRead read = ReadCodePoint(text, i);
      if (IsSurrogate(read.value)) return std::nullopt;
      i += static_cast<size_t>(read.units);
    }
  }
  std::string out;
  AppendUtf8(out, text);
  return out;
}

// EUC-JP as the Windows code page has it: JIS X 0208 pairs and half-width katakana,
// read through the Shift_JIS table. JIS X 0212 (SS3) is not part of it.
std::optional<CString> DecodeEuc(std::string_view bytes, ConvMode mode, size_t& errors) {
  std::u16string out;
  out.reserve(bytes.size());
  std::string run;  // Shift_JIS bytes of the current run of valid characters
  auto flush = [&]() -> bool {
    if (run.empty()) return true;
    auto text = DecodeSjis(run, mode, errors);
    run.clear();
    if (!text) return false;
    out.append(text->View());
    return true;
  };
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    unsigned b = p[i];
    if (b < 0x80) {
      run.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    unsigned next = i + 1 < n ? p[i + 1] : 0;
    if (b == 0x8E && next >= 0xA1 && next <= 0xDF) {
      run.push_back(static_cast<char>(next));
      i += 2;
      continue;
    }
    if (b >= 0xA1 && b <= 0xFE && next >= 0xA1 && next <= 0xFE) {
      int sjis = JisToShiftJis(static_cast<int>(((b - 0x80) << 8) | (next - 0x80)));
      run.push_back(static_cast<char>(sjis >> 8));
      run.push_back(static_cast<char>(sjis & 0xFF));
      i += 2;
      continue;
    }
    if (mode == ConvMode::kStrict) return std::nullopt;
    if (!flush()) return std::nullopt;
    ++errors;
    out.push_back(u'\uFFFD');
    // An SS3 sequence is skipped whole; any other bad lead takes a following non-ASCII byte.
    size_t skip = 1;
    if (b == 0x8F) {
      while (skip < 3 && i + skip < n && p[i + skip] >= 0xA1) ++skip;
    } else if (next >= 0x80) {
      skip = 2;
    }
    i += skip;
  }
  if (!flush()) return std::nullopt;
  return CString(out);
}

std::optional<std::string> EncodeEuc(std::u16string_view text, ConvMode mode) {
  std::string out;
  out.reserve(text.size() * 2);
  // Character by character, so that one that has no EUC-JP form is found and replaced.
  for (size_t i = 0; i < text.size();) {
    const size_t len = static_cast<size_t>(ReadCodePoint(text, i).units);
    auto sj = EncodeSjis(text.substr(i, len), ConvMode::kStrict);
    i += len;
    bool ok = sj.has_value() && !sj->empty();
    std::string euc;
    if (ok) {
      const auto* s = reinterpret_cast<const unsigned char*>(sj->data());
      if (sj->size() == 1) {
        if (s[0] < 0x80) {
          euc.push_back(static_cast<char>(s[0]));
        } else if (s[0] >= 0xA1 && s[0] <= 0xDF) {
          euc.push_back(static_cast<char>(0x8E));
          euc.push_back(static_cast<char>(s[0]));
        } else {
          ok = false;
        }
      } else if (sj->size() == 2) {
        int jis = ShiftJisToJis((s[0] << 8) | s[1]);
        if (jis == 0) {
          ok = false;
        } else {
          euc.push_back(static_cast<char>((jis >> 8) | 0x80));
          euc.push_back(static_cast<char>((jis & 0xFF) | 0x80));
        }
      } else {
        ok = false;
      }
    }
    if (!ok) {
      if (mode == ConvMode::kStrict) return std::nullopt;
      euc = "?";
    }
    out += euc;
  }
  return out;
}

std::optional<CString> Decode(std::string_view bytes, int codePage, ConvMode mode,
                              size_t& errors) {
  switch (codePage) {
    case CP_SJIS:
      return DecodeSjis(bytes, mode, errors);
    case CP_EUCJP:
      return DecodeEuc(bytes, mode, errors);
    case CP_UTF8:
      return DecodeUtf8(bytes, mode, errors);
    default:
      return std::nullopt;
  }
}

}  // namespace

bool IsKnownCodePage(int codePage) {
  return codePage == CP_SJIS || codePage == CP_EUCJP || codePage == CP_UTF8;
}

std::optional<CString> DecodeBytes(std::string_view bytes, int codePage, ConvMode mode) {
  size_t errors = 0;
  return Decode(bytes, codePage, mode, errors);
}

std::optional<std::string> EncodeText(std::u16string_view text, int codePage, ConvMode mode) {
  switch (codePage) {
    case CP_SJIS:
      return EncodeSjis(text, mode);
    case CP_EUCJP:
      return EncodeEuc(text, mode);
    case CP_UTF8:
      return EncodeUtf8(text, mode);
    default:
      return std::nullopt;
  }
}

namespace {

// Writes text as UTF-8 from o on (at most three bytes a code unit); the end written.
char* WriteUtf8(std::u16string_view text, char* o) {
  for (size_t i = 0; i < text.size();) {
    char32_t c = text[i];
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
      ++i;
      continue;
    }
    const CodePointRead read = ReadCodePoint(text, i);
    i += static_cast<size_t>(read.units);
    c = read.value;
    if (IsSurrogate(c)) c = 0xFFFD;  // a lone surrogate, as the Unicode standard recommends
    if (c < 0x800) {
      *o++ = static_cast<char>(0xC0 | (c >> 6));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *o++ = static_cast<char>(0xE0 | (c >> 12));
      *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *o++ = static_cast<char>(0xF0 | (c >> 18));
      *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return o;
}

}  // namespace

void AppendUtf8(std::string& out, std::u16string_view text) {
  // A short text (a cell, a name) goes through a buffer here and is appended once;
  // a long one is written in place, the string sized for three bytes a unit first.
  constexpr size_t kShort = 64;
  if (text.size() <= kShort) {
    char buffer[3 * kShort];
    out.append(buffer, static_cast<size_t>(WriteUtf8(text, buffer) - buffer));
    return;
  }
  const size_t start = out.size();
  out.resize(start + text.size() * 3);
  char* const begin = out.data() + start;
  out.resize(start + static_cast<size_t>(WriteUtf8(text, begin) - begin));
}

std::optional<size_t> DecodeInto(std::string_view bytes, int codePage, std::u16string& out) {
  // No code page gives more code units than the text has bytes.
  out.resize(bytes.size());
  size_t errors = 0;
  switch (codePage) {
    case CP_SJIS: {
      size_t written = 0;
      if (SjisTable::Get().Decode(bytes, out.data(), written)) {  // settles valid text only
        out.resize(written);
        return errors;
      }
      break;
    }
    case CP_UTF8:
      out.resize(
          static_cast<size_t>(DecodeUtf8Units(bytes, out.data(), ConvMode::kLenient, errors)));
      return errors;
    default:
      break;
  }
  const std::optional<CString> text = Decode(bytes, codePage, ConvMode::kLenient, errors);
  if (!text) {
    out.clear();
    return std::nullopt;
  }
  out.assign(text->View());
  return errors;
}

CString BytesToText(std::string_view bytes, int codePage) {
  auto text = DecodeBytes(bytes, codePage, ConvMode::kLenient);
  return text ? *text : CString();
}

std::string TextToBytes(std::u16string_view text, int codePage) {
  auto bytes = EncodeText(text, codePage, ConvMode::kLenient);
  return bytes ? *bytes : std::string();
}

Utf8Step ReadUtf8Char(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const Utf8Lead lead = kUtf8LeadOf[p[0]];
  if (lead.trail < 0) return {Utf8Step::kInvalid, 1, 0};
  char32_t cp = lead.trail == 0 ? p[0] : p[0] & (0x3F >> lead.trail);
  for (int k = 1; k <= lead.trail; ++k) {
    if (static_cast<size_t>(k) >= bytes.size()) return {Utf8Step::kCut, k, 0};
    const unsigned char lo = k == 1 ? lead.lo : 0x80, hi = k == 1 ? lead.hi : 0xBF;
    if (p[k] < lo || p[k] > hi) return {Utf8Step::kInvalid, k, 0};
    cp = (cp << 6) | (p[k] & 0x3F);
  }
  return {Utf8Step::kChar, lead.trail + 1, cp};
}

int JisToShiftJis(int jis) {
  int j1 = (jis >> 8) & 0xFF, j2 = jis & 0xFF;
  if (j1 < 0x21 || j1 > 0x7E || j2 < 0x21 || j2 > 0x7E) return 0;
  int s1 = ((j1 - 0x21) >> 1) + 0x81;
  if (s1 > 0x9F) s1 += 0x40;
  int s2;
  if (j1 & 1) {
    s2 = j2 + 0x1F;
    if (s2 >= 0x7F) ++s2;
  } else {
    s2 = j2 + 0x7E;
  }
  return (s1 << 8) | s2;
}

int ShiftJisToJis(int sjis) {
  int s1 = (sjis >> 8) & 0xFF, s2 = sjis & 0xFF;
  if (!((s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF))) return 0;
  if (s2 < 0x40 || s2 == 0x7F || s2 > 0xFC) return 0;
  if (s1 >= 0xE0) s1 -= 0x40;
  int j1 = (s1 - 0x81) * 2 + 0x21;
  int j2;
  if (s2 >= 0x9F) {
    ++j1;
    j2 = s2 - 0x9F + 0x21;
  } else {
    j2 = s2 - 0x40 + 0x21 - (s2 >= 0x80 ? 1 : 0);
  }
  if (j1 > 0x7E) return 0;
  return (j1 << 8) | j2;
}
