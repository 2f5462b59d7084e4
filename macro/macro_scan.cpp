#include "macro/macro_scan.h"

#include <unicode/uchar.h>

#include <climits>
#include <cmath>
#include <string>

#include "platform/int_text.h"

bool IsEscapedQuote(const char16_t* p) {
  if (p[0] != u'\\' || p[1] != u'\'') return false;
  const char16_t* q = macro_scan::SkipBlanks(p + 2);
  switch (*q) {
    case 0:
      return true;
    case u'!': case u'&': case u')': case u'+': case u',':
    case u'<': case u'=': case u'>': case u'|': case u':':
      return false;
    default:
      break;
  }
  using macro_scan::StartsWith;
  return !StartsWith(q, u"default:") && !StartsWith(q, u"then ") && !StartsWith(q, u"else ");
}

namespace macro_scan {

void MakeWorkCopy(std::u16string_view text, std::u16string& work) {
  work.assign(text.substr(0, text.find(u'\0')));
  for (size_t i = 0; i + 1 < work.size(); ++i) {
    if (work[i] == u'\r' && work[i + 1] == u'\n') {
      work[i] = u' ';
      work[i + 1] = u' ';
      ++i;
    }
  }
}

const char16_t* ReadQuoted(const char16_t* p, CString& out, bool& closed) {
  out.Empty();
  const char16_t* run = p;  // start of the characters not yet taken
  while (*p != 0 && *p != u'\'') {
    if (*p == u'\\' && IsEscapedQuote(p)) {
      out.Append(run, static_cast<int>(p - run));
      out.AppendChar(u'\'');
      p += 2;
      run = p;
    } else {
      ++p;
    }
  }
  out.Append(run, static_cast<int>(p - run));
  closed = *p == u'\'';
  return closed ? p + 1 : p;
}

bool EndsBareToken(char16_t c) {
  switch (c) {
    case 0: case u' ': case u'!': case u'%': case u'&': case u'\'': case u')': case u'*':
    case u'+': case u',': case u'-': case u'/': case u'<': case u'=': case u'>': case u'|':
      return true;
    default:
      return false;
  }
}

bool IsCallToken(const char16_t* p) {
  while (*p != 0 && *p != u' ' && *p != u'(') ++p;
  return *p == u'(';
}

namespace {
char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; }
}  // namespace

bool StartsWithFolded(const char16_t* p, std::u16string_view word) {
  for (char16_t c : word) {
    if (*p == 0 || FoldAscii(*p) != FoldAscii(c)) return false;
    ++p;
  }
  return true;
}

const char16_t* FindText(const char16_t* p, std::u16string_view word) {
  for (; *p != 0; ++p) {
    if (StartsWith(p, word)) return p;
  }
  return nullptr;
}

int CutToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);
}

bool IsWideSpace(char16_t c) {
  if (IsRuntimeBlank(c)) return true;
  switch (c) {
    case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029:
    case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

bool IsWideDigit(char16_t c) {
  if (IsAsciiDigit(c)) return true;
  if (c < 0x80) return false;
  return u_isdigit(c) != 0;
}

}  // namespace macro_scan
