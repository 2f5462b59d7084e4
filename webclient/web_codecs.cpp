#include "webclient/web_codecs.h"

#include <new>

#include "platform/codepage.h"

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The text before its first zero character.
std::u16string_view UpToZero(const CString& text) {
  std::u16string_view v = text.View();
  const size_t zero = v.find(u'\0');
  return zero == std::u16string_view::npos ? v : v.substr(0, zero);
}

}  // namespace

CString PercentDecode(const CString& text) {
  try {
    const std::u16string_view in = text.View();
    bool wide = false;
    for (char16_t c : in) {
      if (c > 0xFF) {
        wide = true;
        break;
      }
    }
    // Each position yields one unit: a decoded byte, or the character itself.
    std::u16string units;
    units.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
      const char16_t c = in[i];
      if (c == u'%' && i + 2 < in.size() && HexDigit(in[i + 1]) >= 0 && HexDigit(in[i + 2]) >= 0) {
        units.push_back(char16_t(HexDigit(in[i + 1]) * 16 + HexDigit(in[i + 2])));
        i += 2;
      } else {
        units.push_back(wide ? c : char16_t(c & 0xFF));
      }
    }
    const size_t zero = units.find(u'\0');
    if (zero != std::u16string::npos) units.resize(zero);
    if (wide) return CString(units);
    std::string bytes(units.begin(), units.end());
    if (auto utf8 = DecodeBytes(bytes, CP_UTF8, ConvMode::kStrict)) return *utf8;
    if (auto ansi = DecodeBytes(bytes, CP_ACP, ConvMode::kStrict)) return *ansi;
    return CString();
  } catch (...) {
    return CString();
  }
}

CString PercentEncodeBytes(const char* bytes, size_t length) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string out;
  out.reserve(length * 3);
  for (size_t i = 0; i < length; ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) {
      out.push_back(char16_t(b));
    } else {
      out.push_back(u'%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0xF]);
    }
  }
  return CString(out);
}

int DetectTextEncoding(const char* bytes, size_t length) {
  if (length == 0) return TEXTENC_UNKNOWN;
  const auto* u = reinterpret_cast<const unsigned char*>(bytes);
  if (length >= 3 && u[0] == 0xFF && u[1] == 0xFE) return TEXTENC_UTF16LE;
  if (length > 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) return TEXTENC_UTF8;
  const std::string_view view(bytes, length);
  if (DecodeBytes(view, CP_UTF8, ConvMode::kStrict)) return TEXTENC_UTF8;
  if (DecodeBytes(view, CP_ACP, ConvMode::kStrict)) return TEXTENC_ANSI;
  return TEXTENC_UNKNOWN;
}

bool AppendAsUtf8(const char* bytes, size_t length, std::string& out) {
  switch (DetectTextEncoding(bytes, length)) {
    case TEXTENC_ANSI: {
      const CString wide = BytesToText(std::string_view(bytes, length), CP_ACP);
      if (wide.IsEmpty()) return false;
      out += wide.ToUtf8();
      return true;
    }
    case TEXTENC_UTF16LE: {
      std::u16string units;
      units.reserve(length / 2);
      for (size_t i = 0; i + 1 < length; i += 2)
        units.push_back(char16_t(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
      const std::string utf8 = Utf16ToUtf8(units);
      if (utf8.empty()) return false;
      out += utf8;
      return true;
    }
    case TEXTENC_UTF8:
      out.append(bytes, length);
      return true;
    default:
      return false;
  }
}

bool WideToUtf8(const CString& text, std::string& out) {
  const std::u16string_view v = UpToZero(text);
  if (v.empty()) return false;
  const std::string utf8 = Utf16ToUtf8(v);
  if (utf8.empty()) return false;
  out += utf8;
  return true;
}

std::optional<std::string> Utf8ToAnsiAlloc(const char* bytes, size_t length) {
  try {
    const CString wide = BytesToText(std::string_view(bytes, length), CP_UTF8);
    if (wide.IsEmpty()) return std::nullopt;
    std::string ansi = TextToBytes(wide.View(), CP_ACP);
    if (ansi.empty()) return std::nullopt;
    return ansi;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

bool WideToAnsi(const CString& text, std::string& out) {
  const std::string ansi = TextToBytes(UpToZero(text), CP_ACP);
  out += ansi;
  out.push_back('\0');  // the text's own terminator
  out.push_back('\0');
  return true;
}

int Base64Encode(const char* bytes, size_t length, CString& out) {
  static constexpr char16_t kAlphabet[] =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const auto* u = reinterpret_cast<const unsigned char*>(bytes);
  std::u16string s;
  s.reserve((length + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < length; i += 3) {
    const unsigned v = (u[i] << 16) | (u[i + 1] << 8) | u[i + 2];
    s.push_back(kAlphabet[(v >> 18) & 63]);
    s.push_back(kAlphabet[(v >> 12) & 63]);
    s.push_back(kAlphabet[(v >> 6) & 63]);
    s.push_back(kAlphabet[v & 63]);
  }
  if (i < length) {
    const unsigned v = (u[i] << 16) | (i + 1 < length ? u[i + 1] << 8 : 0);
    s.push_back(kAlphabet[(v >> 18) & 63]);
    s.push_back(kAlphabet[(v >> 12) & 63]);
    s.push_back(i + 1 < length ? kAlphabet[(v >> 6) & 63] : u'=');
    s.push_back(u'=');
  }
  out = CString(s);
  return 1;
}

CString AnsiToWide(std::string_view bytes) { return BytesToText(bytes, CP_ACP); }

