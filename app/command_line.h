#pragma once
// The program's command line: at most one CSV or TSV path and the commands of
// a "CMD(...)" list. The line is scanned as one text, so a path holding blanks
// must stand in double quotes (JoinCommandLine quotes such arguments).

#include <string>
#include <vector>

#include "platform/cstring.h"

enum : int {
  CMDLINE_PATH = 1,
  CMDLINE_COMMAND = 2,
};

// One path or one command found on the command line.
struct CMDLINEITEM {
  int kind = 0;  // CMDLINE_PATH or CMDLINE_COMMAND
  CString text;
};

// Scans the line from left to right. A path begins at a token that starts with
// "/" (or with a double quote and "/": it then runs to the closing quote, and a
// quote never closed drops it); an unquoted path ends before the next blank.
// "CMD(" (any case) opens a command list whose commands end at ";" or ")"
// (trailing blanks cut); the list's first character is never a separator, and
// the last command of a list that is never closed is lost.
std::vector<CMDLINEITEM> ScanCommandLine(const CString& line);

// Joins program arguments into one line for ScanCommandLine; an argument that
// is empty or holds a blank is put in double quotes.
CString JoinCommandLine(const std::vector<std::string>& args);

// What the command line asks for.
struct COMMANDLINEINFO {
  int pathCount = 0;       // paths found; two or more end the program
  CString path;            // the first path
  int noReusePrompt = 0;   // 1 when a command is "LPEX" or "FGX" (any case)
};
COMMANDLINEINFO ReadCommandLineItems(const std::vector<CMDLINEITEM>& items);
