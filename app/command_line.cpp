#include "app/command_line.h"

#include <string_view>

#include "grid/text_width.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }

// Whether text at pos begins with word, ignoring ASCII case.
bool StartsWithNoCase(std::u16string_view text, size_t pos, std::u16string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (AsciiUpper(text[pos + i]) != AsciiUpper(word[i])) return false;
  }
  return true;
}

bool AtTokenStart(std::u16string_view text, size_t pos) { return pos == 0 || IsBlank(text[pos - 1]); }

CString TrimmedCommand(std::u16string_view text, size_t from, size_t to) {
  CString command(std::u16string(text.substr(from, to - from)));
  TrimRightBlanks(command);
  return command;
}

}  // namespace

// line -> { blank | path | '"' path '"' | "CMD(" command { (';' command) } ')' | other }
std::vector<CMDLINEITEM> ScanCommandLine(const CString& line) {
  std::vector<CMDLINEITEM> items;
  const std::u16string_view text = line.View();
  const size_t n = text.size();
  size_t pos = 0;
  while (pos < n) {
    const char16_t c = text[pos];
    if (AtTokenStart(text, pos) && c == u'/') {
      size_t end = pos;
      while (end < n && !IsBlank(text[end])) ++end;
      items.push_back({CMDLINE_PATH, CString(std::u16string(text.substr(pos, end - pos)))});
      pos = end;
      continue;
    }
    if (AtTokenStart(text, pos) && c == u'"' && pos + 1 < n && text[pos + 1] == u'/') {
      const size_t close = text.find(u'"', pos + 1);
      if (close == std::u16string_view::npos) break;  // never closed: dropped
      items.push_back(
          {CMDLINE_PATH, CString(std::u16string(text.substr(pos + 1, close - pos - 1)))});
      pos = close + 1;
      continue;
    }
    if (!IsBlank(c) && StartsWithNoCase(text, pos, u"CMD(")) {
      size_t start = pos + 4;
      size_t scan = start + 1;  // the list's first character is never a separator
      bool closed = false;
      while (scan < n) {
        const char16_t s = text[scan];
        if (s == u';' || s == u')') {
          items.push_back({CMDLINE_COMMAND, TrimmedCommand(text, start, scan)});
          if (s == u')') {
            closed = true;
            break;
          }
          start = scan + 1;
        }
        ++scan;
      }
      if (!closed) break;  // the open command is lost with the end of the line
      pos = scan + 1;
      continue;
    }
    ++pos;
  }
  return items;
}

CString JoinCommandLine(const std::vector<std::string>& args) {
  CString line;
  for (const std::string& arg : args) {
    if (!line.IsEmpty()) line += u' ';
    const bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
    if (quote) line += u'"';
    line += CString::FromUtf8(arg);
    if (quote) line += u'"';
  }
  return line;
}

COMMANDLINEINFO ReadCommandLineItems(const std::vector<CMDLINEITEM>& items) {
  COMMANDLINEINFO info;
  for (const CMDLINEITEM& item : items) {
    if (item.kind == CMDLINE_PATH) {
      if (info.pathCount == 0) info.path = item.text;
      ++info.pathCount;
    } else if (item.kind == CMDLINE_COMMAND) {
      if (item.text.CompareNoCase(CString(u"LPEX")) == 0 ||
          item.text.CompareNoCase(CString(u"FGX")) == 0) {
        info.noReusePrompt = 1;
      }
    }
  }
  return info;
}
