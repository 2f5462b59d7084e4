#pragma once
// Text codecs of the web client: percent coding, encoding sniffing, conversions
// between wide text, UTF-8 and ANSI (code page 932), and Base64.
//
// Byte arrays are std::string used as growable byte buffers. No function shows a
// message; failures are reported only by the results stated below.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cstring.h"

// Encoding codes of DetectTextEncoding.
enum : int { TEXTENC_UNKNOWN = 0, TEXTENC_ANSI = 1, TEXTENC_UTF16LE = 2, TEXTENC_UTF8 = 3 };

// Decodes "%XX" sequences. A text holding any character above U+00FF is decoded in
// wide mode: each "%XX" becomes U+00XX and other characters stay; the result ends
// at the first U+0000. Otherwise the decoded bytes, up to the first zero byte, are
// read as strict UTF-8, else as strict ANSI, else the result is empty. A "%" not
// followed by two hexadecimal digits stays a literal "%". Never reads past the text.
CString PercentDecode(const CString& text);

// Every byte other than ASCII letters and digits becomes "%XX" (upper-case digits).
CString PercentEncodeBytes(const char* bytes, size_t length);

// 0 empty or neither UTF-8 nor ANSI; 2 begins FF FE (length >= 3); 3 begins
// EF BB BF (length > 3) or is strict UTF-8 as a whole; 1 strict ANSI.
int DetectTextEncoding(const char* bytes, size_t length);

// Appends the bytes to out as UTF-8 after sniffing them (a BOM is kept, a UTF-16
// one becoming EF BB BF). False, with out unchanged, for code 0 or when nothing converts.
bool AppendAsUtf8(const char* bytes, size_t length, std::string& out);

// Appends the text up to its first zero as UTF-8; false (nothing appended) when empty.
bool WideToUtf8(const CString& text, std::string& out);

// UTF-8 bytes (lenient) to ANSI text (characters it lacks become "?"); nullopt when
// either step yields nothing. The string's c_str() is the zero-terminated buffer.
std::optional<std::string> Utf8ToAnsiAlloc(const char* bytes, size_t length);

// The text up to its first zero as ANSI, then its terminating zero and one more
// zero byte, appended to out. False when the conversion yields nothing.
bool WideToAnsi(const CString& text, std::string& out);

// Standard Base64 (RFC 4648 alphabet, "=" padding, one line) into out; returns 1.
int Base64Encode(const char* bytes, size_t length, CString& out);

// ANSI bytes to wide text (lenient), for values read from the service's answers.
CString AnsiToWide(std::string_view bytes);

