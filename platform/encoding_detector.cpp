#include "platform/encoding_detector.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <cstring>

#include "platform/codepage.h"

namespace {

// Tally of one code page's reading of the bytes.
struct Tally {
  int chars = 0;   // non-ASCII characters read (valid or not)
  int points = 0;  // plausibility: 2 common Japanese, 1 less common, 0 neutral, -2 odd
  int bad = 0;     // invalid sequences
};

// Plausibility of a JIS X 0208 code by its row.
int JisRowPoints(int row) {
  struct RowRange {
    int first, last, points;
  };
  static constexpr RowRange kRows[] = {
      {0x21, 0x25, 2},   // symbols, full-width alphanumerics, hiragana, katakana
      {0x26, 0x28, 0},   // Greek, Cyrillic, box drawing
      {0x29, 0x2C, -2},  // unassigned
      {0x2D, 0x2D, 1},   // circled numbers and units
      {0x2E, 0x2F, -2},  // unassigned
      {0x30, 0x4F, 2},   // first-level kanji
      {0x50, 0x74, 1},   // second-level kanji
      {0x75, 0x78, -2},  // unassigned
      {0x79, 0x7C, 0},   // vendor kanji
      {0x7D, 0x7E, -2},  // unassigned
  };
  static_assert(sizeof(kRows) / sizeof(kRows[0]) == 10);
  for (const RowRange& r : kRows)
    if (row >= r.first && row <= r.last) return r.points;
  return -2;
}

int Utf8Points(char32_t cp) {
  if ((cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
      (cp >= 0xFF00 && cp <= 0xFFEF))
    return 2;
  return 1;
}

// wellFormed: no invalid sequence (one cut by the end of the bytes is not invalid).
Tally ScoreUtf8(const unsigned char* p, size_t n, bool* wellFormed) {
  Tally t;
  size_t i = 0;
  while (i < n) {
    unsigned b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    ++t.chars;
    int need = 0;
    unsigned lo = 0x80, hi = 0xBF;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      ++t.bad;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true, cut = false;
    for (int k = 0; k < need; ++k, ++j) {
      if (j >= n) {
        cut = true;
        break;
      }
      unsigned c = p[j];
      if (c < (k == 0 ? lo : 0x80u) || c > (k == 0 ? hi : 0xBFu)) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cut) {  // cut by the end of the block: counts as well-formed
      --t.chars;
      break;
    }
    if (!ok) {
      ++t.bad;
      i = j;
      continue;
    }
    t.points += Utf8Points(cp);
    i = j;
  }
  *wellFormed = t.bad == 0;
  return t;
}

Tally ScoreSjis(const unsigned char* p, size_t n) {
  Tally t;
  size_t i = 0;
  while (i < n) {
    unsigned b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    ++t.chars;
    if (b >= 0xA1 && b <= 0xDF) {  // half-width katakana
      t.points += 1;
      ++i;
      continue;
    }
    bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (!lead) {
      ++t.bad;
      ++i;
      continue;
    }
    if (i + 1 >= n) {
      --t.chars;
      break;
    }
    unsigned c = p[i + 1];
    if (c < 0x40 || c == 0x7F || c > 0xFC) {
      ++t.bad;
      ++i;
      continue;
    }
    if (b >= 0xF0 && b <= 0xF9) {
      t.points -= 2;  // user-defined area
    } else if (b >= 0xFA) {
      // vendor kanji: neutral
    } else {
      int jis = ShiftJisToJis(static_cast<int>((b << 8) | c));
      t.points += JisRowPoints(jis >> 8);
    }
    i += 2;
  }
  return t;
}

Tally ScoreEuc(const unsigned char* p, size_t n) {
  Tally t;
  size_t i = 0;
  while (i < n) {
    unsigned b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    ++t.chars;
    if (i + 1 >= n) {
      --t.chars;
      break;
    }
    unsigned c = p[i + 1];
    if (b == 0x8E) {
      if (c >= 0xA1 && c <= 0xDF) {
        t.points += 1;
        i += 2;
      } else {
        ++t.bad;
        ++i;
      }
      continue;
    }
    if (b == 0x8F) {  // JIS X 0212: rare in practice
      if (i + 2 >= n) {
        --t.chars;
        break;
      }
      if (c >= 0xA1 && c <= 0xFE && p[i + 2] >= 0xA1 && p[i + 2] <= 0xFE) {
        i += 3;
      } else {
        ++t.bad;
        ++i;
      }
      continue;
    }
    if (b >= 0xA1 && b <= 0xFE && c >= 0xA1 && c <= 0xFE) {
      t.points += JisRowPoints(static_cast<int>(b - 0x80));
      i += 2;
      continue;
    }
    ++t.bad;
    ++i;
  }
  return t;
}

// ICU's own guess, used only to order candidates of equal confidence.
int IcuPreference(std::string_view bytes, int codePage) {
  UErrorCode err = U_ZERO_ERROR;
  UCharsetDetector* det = ucsdet_open(&err);
  if (U_FAILURE(err) || !det) return 0;
  int result = 0;
  ucsdet_setText(det, bytes.data(), static_cast<int32_t>(std::min<size_t>(bytes.size(), 65536)),
                 &err);
  int32_t count = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(det, &count, &err);
  if (U_SUCCESS(err)) {
    for (int32_t k = 0; k < count; ++k) {
      const char* name = ucsdet_getName(matches[k], &err);
      if (U_FAILURE(err) || !name) break;
      int cp = 0;
      if (std::strcmp(name, "UTF-8") == 0) cp = CP_UTF8;
      if (std::strcmp(name, "Shift_JIS") == 0) cp = CP_SJIS;
      if (std::strcmp(name, "EUC-JP") == 0) cp = CP_EUCJP;
      if (cp == codePage) {
        result = ucsdet_getConfidence(matches[k], &err);
        break;
      }
    }
  }
  ucsdet_close(det);
  return result;
}

int ConfidenceOf(const Tally& t) {
  if (t.chars == 0) return 0;
  // Average plausibility (2 at best) on a 0..99 scale, less for each invalid sequence.
  int c = (t.points * 99) / (2 * t.chars) - (t.bad * 200) / t.chars;
  return std::clamp(c, 1, 99);
}

}  // namespace

std::vector<EncodingCandidate> DetectEncodingCandidates(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  std::vector<EncodingCandidate> out;

  bool utf8Ok = false;
  Tally utf8 = ScoreUtf8(p, n, &utf8Ok);
  if (utf8.chars == 0 && utf8.bad == 0) return out;  // ASCII only (or a cut sequence)
  if (utf8Ok && utf8.chars > 0) out.push_back({CP_UTF8, 100});

  struct Scored {
    int codePage;
    Tally tally;
  };
  Scored others[] = {{CP_SJIS, ScoreSjis(p, n)}, {CP_EUCJP, ScoreEuc(p, n)}};
  std::vector<EncodingCandidate> rest;
  for (const Scored& s : others) {
    // More than one invalid sequence in twenty characters rules a code page out.
    if (s.tally.chars == 0 || s.tally.bad * 20 > s.tally.chars) continue;
    rest.push_back({s.codePage, ConfidenceOf(s.tally)});
  }
  if (!utf8Ok && utf8.chars > 0 && utf8.bad * 20 <= utf8.chars)
    rest.push_back({CP_UTF8, ConfidenceOf(utf8)});

  if (rest.size() > 1) {
    std::vector<int> icu(rest.size());
    bool tie = false;
    for (size_t a = 0; a < rest.size(); ++a)
      for (size_t b = a + 1; b < rest.size(); ++b)
        if (rest[a].confidence == rest[b].confidence) tie = true;
    if (tie)
      for (size_t k = 0; k < rest.size(); ++k) icu[k] = IcuPreference(bytes, rest[k].codePage);
    std::vector<size_t> order(rest.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      if (rest[a].confidence != rest[b].confidence) return rest[a].confidence > rest[b].confidence;
      return icu[a] > icu[b];
    });
    for (size_t k : order) out.push_back(rest[k]);
  } else {
    out.insert(out.end(), rest.begin(), rest.end());
  }
  return out;
}

int DetectEncoding(std::string_view bytes) {
  auto candidates = DetectEncodingCandidates(bytes);
  return candidates.empty() ? 0 : candidates.front().codePage;
}
