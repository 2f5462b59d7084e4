#pragma once
// Conversions between bytes in a code page and CString text.
//
// Known code pages: 932 (Windows Shift_JIS, also what "ANSI" means everywhere in
// the program), 51932 (EUC-JP) and 65001 (UTF-8). Any other number is unknown and
// every conversion with it fails.
//
// Two modes:
//  - strict: the conversion fails on any invalid byte sequence (decoding) or any
//    character the code page cannot hold (encoding);
//  - lenient: never fails for a known code page; an invalid byte sequence becomes
//    U+FFFD, and a character the code page cannot hold becomes its best-fit form
//    (Shift_JIS: "¥" as "\", "〜" as "～", ...) or else "?".
// No BOM is ever added or removed.
// Safe to call from any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cstring.h"

inline constexpr int CP_SJIS = 932;
inline constexpr int CP_ACP = CP_SJIS;  // "ANSI"
inline constexpr int CP_EUCJP = 51932;
inline constexpr int CP_UTF8 = 65001;

enum class ConvMode { kStrict, kLenient };

// True for 932, 51932 and 65001.
bool IsKnownCodePage(int codePage);

// Bytes to text. nullopt for an unknown code page, or in strict mode on invalid input.
std::optional<CString> DecodeBytes(std::string_view bytes, int codePage,
                                   ConvMode mode = ConvMode::kLenient);

// Text to bytes. nullopt for an unknown code page, or in strict mode when a character
// cannot be written in the code page (an unpaired surrogate counts as such).
std::optional<std::string> EncodeText(std::u16string_view text, int codePage,
                                      ConvMode mode = ConvMode::kLenient);

// Lenient decoding into out (replaced; its storage is reused, so a loop over many
// lines allocates nothing). The same text as BytesToText. Returns how many invalid
// byte sequences became U+FFFD (0: the bytes decoded cleanly); nullopt, with out
// empty, for an unknown code page.
std::optional<size_t> DecodeInto(std::string_view bytes, int codePage, std::u16string& out);

// Appends text to out as UTF-8, leniently (a lone surrogate becomes U+FFFD): the
// same bytes as EncodeText(text, CP_UTF8), without a string of its own.
void AppendUtf8(std::string& out, std::u16string_view text);

// Lenient shorthands: empty for an unknown code page.
CString BytesToText(std::string_view bytes, int codePage);
std::string TextToBytes(std::u16string_view text, int codePage);

// One step of reading UTF-8 by the Unicode table of well-formed byte sequences.
struct Utf8Step {
  enum Kind { kChar, kInvalid, kCut };
  Kind kind;
  // kChar: the bytes of the character; kInvalid: the bytes of the ill-formed start
  // (its longest valid prefix, at least 1); kCut: the bytes left before the end.
  int length;
  char32_t codePoint;  // kChar only
};
// Reads the sequence at bytes[0]: a character, an ill-formed start (a byte that
// starts no sequence, 80-C1 or F5-FF, or a wrong continuation byte), or a sequence
// that the end of bytes cuts short. bytes must not be empty.
Utf8Step ReadUtf8Char(std::string_view bytes);

// The Shift_JIS code of a JIS X 0208 code (both bytes 0x21 to 0x7E), or 0 when the
// code has none.
int JisToShiftJis(int jis);
// The JIS X 0208 code of a Shift_JIS double-byte code, or 0 when it has none (user-
// defined and vendor rows beyond 0x7E).
int ShiftJisToJis(int sjis);
