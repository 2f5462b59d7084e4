#pragma once
// Guessing the character code of a block of bytes.
//
// Answers the Japanese code pages 65001 (UTF-8), 932 (Shift_JIS) and 51932 (EUC-JP)
// as candidates in order of confidence, best first. It is built for short texts (a
// header line and a few data lines are enough) with CR LF or LF line ends: every
// candidate is scored by walking the bytes (validity of each multi-byte sequence and
// how plausible the decoded characters are for Japanese text), and ICU's detector
// only breaks ties. Well-formed UTF-8 with characters of three bytes (all of
// Japanese) always comes first, whatever its line ends; UTF-8 of two-byte characters
// only (accented Latin letters) competes on plausibility with the other codes. One
// invalid sequence among three or more such characters still leaves UTF-8 first.
//
// A code page whose byte rules the text breaks more than rarely is not a candidate.
// Text of ASCII bytes only gives no candidates: every code page reads it alike.
// A multi-byte sequence cut by the end of the block counts as well-formed.

#include <string_view>
#include <vector>

struct EncodingCandidate {
  int codePage = 0;    // 65001, 932 or 51932
  int confidence = 0;  // 1 to 100
};

std::vector<EncodingCandidate> DetectEncodingCandidates(std::string_view bytes);

// The best candidate's code page, or 0 when there is none.
int DetectEncoding(std::string_view bytes);
