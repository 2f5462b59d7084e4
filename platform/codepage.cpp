#include "platform/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <map>
#include <memory>

namespace {

// Invalid input becomes U+FFFD, whatever the converter's own substitute would be.
void ToUnicodeReplace(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                      UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close or clone
  *err = U_ZERO_ERROR;
  const UChar replacement = 0xFFFD;
  ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

struct ConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

// One Shift_JIS converter per thread and mode (converters are not thread safe).
UConverter* SjisConverter(ConvMode mode) {
  thread_local ConverterPtr strict, lenient;
  ConverterPtr& slot = mode == ConvMode::kStrict ? strict : lenient;
  if (!slot) {
    UErrorCode err = U_ZERO_ERROR;
    UConverter* c = ucnv_open("ibm-943_P15A-2003", &err);
    if (U_FAILURE(err) || !c) return nullptr;
    if (mode == ConvMode::kStrict) {
      ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
      ucnv_setFromUCallBack(c, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    } else {
      ucnv_setToUCallBack(c, ToUnicodeReplace, nullptr, nullptr, nullptr, &err);
      ucnv_setSubstChars(c, "?", 1, &err);
      ucnv_setFallback(c, true);  // best-fit forms, as the platform writes them
      ucnv_setFromUCallBack(c, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                            &err);
    }
    slot.reset(c);
  }
  ucnv_reset(slot.get());
  return slot.get();
}

std::optional<CString> DecodeSjis(std::string_view bytes, ConvMode mode) {
  if (bytes.empty()) return CString();
  UConverter* c = SjisConverter(mode);
  if (!c) return std::nullopt;
  // Every character takes at least one byte and gives one code unit.
  CString out;
  const int capacity = static_cast<int>(bytes.size());
  char16_t* buffer = out.GetBuffer(capacity);
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar*>(buffer), capacity + 1, bytes.data(),
                            static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err) || n > capacity) return std::nullopt;
  out.ReleaseBuffer(n);
  return out;
}

std::optional<std::string> EncodeSjis(std::u16string_view text, ConvMode mode) {
  if (text.empty()) return std::string();
  UConverter* c = SjisConverter(mode);
  if (!c) return std::nullopt;
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

// UTF-8 by the table of well-formed byte sequences; an ill-formed sequence (its
// maximal valid prefix) becomes one U+FFFD in lenient mode.
std::optional<CString> DecodeUtf8(std::string_view bytes, ConvMode mode) {
  if (bytes.empty()) return CString();
  // No sequence gives more code units than it has bytes.
  CString result;
  char16_t* const buffer = result.GetBuffer(static_cast<int>(bytes.size()));
  char16_t* out = buffer;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    unsigned b = p[i];
    if (b < 0x80) {
      *out++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    int need = 0;
    unsigned lo = 0x80, hi = 0xBF;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2;
      cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3;
      cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    }
    size_t j = i + 1;
    bool ok = need > 0;
    for (int k = 0; ok && k < need; ++k, ++j) {
      if (j >= n) {
        ok = false;
        break;
      }
      unsigned c = p[j];
      unsigned l = k == 0 ? lo : 0x80, h = k == 0 ? hi : 0xBF;
      if (c < l || c > h) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      if (mode == ConvMode::kStrict) return std::nullopt;
      *out++ = u'\uFFFD';
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(cp);
    }
    i = j;
  }
  result.ReleaseBuffer(static_cast<int>(out - buffer));
  return result;
}

std::optional<std::string> EncodeUtf8(std::u16string_view text, ConvMode mode) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      } else {
        if (mode == ConvMode::kStrict) return std::nullopt;
        out.push_back('?');
        continue;
      }
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// EUC-JP as the Windows code page has it: JIS X 0208 pairs and half-width katakana,
// read through the Shift_JIS table. JIS X 0212 (SS3) is not part of it.
std::optional<CString> DecodeEuc(std::string_view bytes, ConvMode mode) {
  std::u16string out;
  out.reserve(bytes.size());
  std::string run;  // Shift_JIS bytes of the current run of valid characters
  auto flush = [&]() -> bool {
    if (run.empty()) return true;
    auto text = DecodeSjis(run, mode);
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
    size_t len = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      len = 2;
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

}  // namespace

bool IsKnownCodePage(int codePage) {
  return codePage == CP_SJIS || codePage == CP_EUCJP || codePage == CP_UTF8;
}

std::optional<CString> DecodeBytes(std::string_view bytes, int codePage, ConvMode mode) {
  switch (codePage) {
    case CP_SJIS:
      return DecodeSjis(bytes, mode);
    case CP_EUCJP:
      return DecodeEuc(bytes, mode);
    case CP_UTF8:
      return DecodeUtf8(bytes, mode);
    default:
      return std::nullopt;
  }
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

CString BytesToText(std::string_view bytes, int codePage) {
  auto text = DecodeBytes(bytes, codePage, ConvMode::kLenient);
  return text ? *text : CString();
}

std::string TextToBytes(std::u16string_view text, int codePage) {
  auto bytes = EncodeText(text, codePage, ConvMode::kLenient);
  return bytes ? *bytes : std::string();
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
