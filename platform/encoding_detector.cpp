#include "platform/encoding_detector.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <cstring>

#include "platform/codepage.h"

namespace {

// Kanji common in business data: names, places, dates, money, goods, work. Kanji
// read from the bytes of another code come out at random, and seldom from this list.
constexpr char16_t kCommonKanji[] =
    u"日本人年月時分秒曜週今前後午上下左右中大小高低長短新古多少内外入出口手足目耳心"
    u"名前氏姓住所電話番号郵便県都道府市区町村丁目字東西南北京阪神奈川埼玉千葉愛知福岡"
    u"北海山田中村佐藤鈴木高橋伊渡辺小林加吉松井上清水森池石原藤井斎坂野谷川島沢崎岡"
    u"部課係長社員会員主任次店支営業務総経理人事開発技術製造品質管理販売購買企画広報"
    u"金額円税込抜価格単価合計小計総数量個件回台本枚箱点率比平均最低高残在庫入出荷"
    u"売上仕入請求支払領収書注文受発送納期限契約見積明細備考摘要区分種別類型式名称"
    u"商品製品部品材料原料番号記号型番規格色寸法重量容量サイズ用途産地生年月日齢性男女"
    u"学校生先教育文化科目英語国算理社会体音楽美術家族父母子兄弟姉妹夫妻様殿御中"
    u"株式有限会社団法人財協組合銀行信用金庫支店口座預普通当座振込手数料"
    u"予定実績計画目標達成状況対応処理完了未済中止保留確認承認申請届変更追加削除"
    u"開始終了期間当月前月翌月今年昨年来年度初末半期第回号版表一二三四五六七八九十"
    u"百千万億元方向場所地域全国海外内外線駅空港車両運転送配達便着発到便宜運賃";

// Tally of one code page's reading of the bytes.
struct Tally {
  int chars = 0;   // non-ASCII characters read (valid or not)
  int points = 0;  // plausibility: 4 common Japanese down to -4 for unassigned codes
  int bad = 0;     // invalid sequences
};

// Plausibility of a JIS X 0208 code by its row.
int JisRowPoints(int row) {
  struct RowRange {
    int first, last, points;
  };
  static constexpr RowRange kRows[] = {
      {0x21, 0x25, 4},   // symbols, full-width alphanumerics, hiragana, katakana
      {0x26, 0x28, 0},   // Greek, Cyrillic, box drawing
      {0x29, 0x2C, -4},  // unassigned
      {0x2D, 0x2D, 2},   // circled numbers and units
      {0x2E, 0x2F, -4},  // unassigned
      {0x30, 0x4F, 2},   // first-level kanji
      {0x50, 0x74, 1},   // second-level kanji
      {0x75, 0x78, -4},  // unassigned
      {0x79, 0x7C, 0},   // vendor kanji
      {0x7D, 0x7E, -4},  // unassigned
  };
  static_assert(sizeof(kRows) / sizeof(kRows[0]) == 10);
  for (const RowRange& r : kRows)
    if (row >= r.first && row <= r.last) return r.points;
  return -4;
}

const std::bitset<94 * 94>& CommonKanjiJis() {
  static const std::bitset<94 * 94> set = [] {
    std::bitset<94 * 94> bits;
    std::u16string_view all(kCommonKanji);
    for (char16_t c : all) {
      auto sjis = EncodeText(std::u16string_view(&c, 1), CP_SJIS, ConvMode::kStrict);
      if (!sjis || sjis->size() != 2) continue;
      int jis = ShiftJisToJis((static_cast<unsigned char>((*sjis)[0]) << 8) |
                              static_cast<unsigned char>((*sjis)[1]));
      if (jis) bits.set(static_cast<size_t>(((jis >> 8) - 0x21) * 94 + ((jis & 0xFF) - 0x21)));
    }
    return bits;
  }();
  return set;
}

// Plausibility of a JIS X 0208 code: 4 for kana, common symbols and common kanji, 2
// for other first-level kanji, 1 for second-level kanji, 0 for neutral rows, -4 for
// unassigned rows.
int JisPointsOf(int row, int col) {
  if (row >= 0x30 && row <= 0x4F && col >= 0x21 && col <= 0x7E &&
      CommonKanjiJis().test(static_cast<size_t>((row - 0x21) * 94 + (col - 0x21))))
    return 4;
  if (row >= 0x50 && row <= 0x74 && col >= 0x21 && col <= 0x7E &&
      CommonKanjiJis().test(static_cast<size_t>((row - 0x21) * 94 + (col - 0x21))))
    return 4;
  return JisRowPoints(row);
}

int JisPoints(int jis) {
  // Every code of the 94 x 94 square judged once; the detector reads many.
  static const std::array<int8_t, 94 * 94> kSquare = [] {
    std::array<int8_t, 94 * 94> points{};
    for (int row = 0x21; row <= 0x7E; ++row)
      for (int col = 0x21; col <= 0x7E; ++col)
        points[static_cast<size_t>((row - 0x21) * 94 + (col - 0x21))] = static_cast<int8_t>(JisPointsOf(row, col));
    return points;
  }();
  const int row = jis >> 8, col = jis & 0xFF;
  if (row >= 0x21 && row <= 0x7E && col >= 0x21 && col <= 0x7E)
    return kSquare[static_cast<size_t>((row - 0x21) * 94 + (col - 0x21))];
  return JisPointsOf(row, col);
}

// The first index from i on whose byte is not ASCII (n when there is none),
// eight bytes at a time.
size_t SkipAscii(const unsigned char* p, size_t i, size_t n) {
  while (i + 8 <= n) {
    uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ull) break;
    i += 8;
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

bool IsAsciiLetter(int b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

// Plausibility of a character read as UTF-8. A two-byte character is plausible as
// a Latin letter inside a word; Shift_JIS half-width kana and EUC-JP pairs read as
// UTF-8 give two-byte characters that are not.
int Utf8Points(char32_t cp, int before, int after) {
  if ((cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
      (cp >= 0xFF00 && cp <= 0xFFEF))
    return 4;
  if (cp < 0x800) {
    bool latin = cp >= 0xC0 && cp < 0x250 && cp != 0xD7 && cp != 0xF7;
    return latin && (IsAsciiLetter(before) || IsAsciiLetter(after)) ? 4 : 1;
  }
  return 2;
}

// wellFormed: no invalid sequence (one cut by the end of the bytes is not invalid).
// longChars: characters of three or four bytes. kPoints: whether the points are
// counted too (a decision on the counts alone leaves them out).
template <bool kPoints>
Tally ScoreUtf8(const unsigned char* p, size_t n, bool* wellFormed, int* longChars) {
  *longChars = 0;
  Tally t;
  const std::string_view bytes(reinterpret_cast<const char*>(p), n);
  size_t i = 0;
  while ((i = SkipAscii(p, i, n)) < n) {
    // Japanese text is mostly three-byte characters outside E0 and ED, whose
    // second byte has a narrower range: read those here, the rest by the table.
    Utf8Step step;
    const unsigned lead = p[i];
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
        (p[i + 2] & 0xC0) == 0x80) {
      step = {Utf8Step::kChar, 3, static_cast<char32_t>(((lead & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) |
                                                        (p[i + 2] & 0x3F))};
    } else {
      step = ReadUtf8Char(bytes.substr(i));
    }
    if (step.kind == Utf8Step::kCut) break;  // cut by the end of the block: well-formed
    ++t.chars;
    const size_t next = i + static_cast<size_t>(step.length);
    if (step.kind == Utf8Step::kInvalid) {
      ++t.bad;
    } else {
      if constexpr (kPoints) {
        t.points += Utf8Points(step.codePoint, i > 0 ? p[i - 1] : -1, next < n ? p[next] : -1);
      }
      if (step.length >= 3) ++*longChars;
    }
    i = next;
  }
  *wellFormed = t.bad == 0;
  return t;
}

// One character of a double-byte code at p[i] (p[i] >= 0x80): its bytes, its points,
// whether it is invalid, and whether the end of the bytes cuts it (then it is not
// counted).
struct DoubleByteChar {
  size_t length = 1;
  int points = 0;
  bool bad = false;
  bool cut = false;
};

DoubleByteChar ReadSjisChar(const unsigned char* p, size_t i, size_t n) {
  const unsigned b = p[i];
  if (b >= 0xA1 && b <= 0xDF) return {1, 3, false, false};  // half-width katakana
  const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  if (!lead) return {1, 0, true, false};
  if (i + 1 >= n) return {1, 0, false, true};
  const unsigned c = p[i + 1];
  if (c < 0x40 || c == 0x7F || c > 0xFC) return {1, 0, true, false};
  if (b >= 0xF0 && b <= 0xF9) return {2, -4, false, false};  // user-defined area
  if (b >= 0xFA) return {2, 0, false, false};                 // vendor kanji: neutral
  return {2, JisPoints(ShiftJisToJis(static_cast<int>((b << 8) | c))), false, false};
}

DoubleByteChar ReadEucChar(const unsigned char* p, size_t i, size_t n) {
  const unsigned b = p[i];
  if (i + 1 >= n) return {1, 0, false, true};
  const unsigned c = p[i + 1];
  if (b == 0x8E) return c >= 0xA1 && c <= 0xDF ? DoubleByteChar{2, 3, false, false} : DoubleByteChar{1, 0, true, false};
  if (b == 0x8F) {  // JIS X 0212: rare in practice
    if (i + 2 >= n) return {1, 0, false, true};
    const bool valid = c >= 0xA1 && c <= 0xFE && p[i + 2] >= 0xA1 && p[i + 2] <= 0xFE;
    return valid ? DoubleByteChar{3, 0, false, false} : DoubleByteChar{1, 0, true, false};
  }
  if (b >= 0xA1 && b <= 0xFE && c >= 0xA1 && c <= 0xFE)
    return {2, JisPoints(static_cast<int>(((b - 0x80) << 8) | (c - 0x80))), false, false};
  return {1, 0, true, false};
}

// The tally of a double-byte code read character by character; ASCII bytes pass.
template <typename ReadChar>
Tally ScoreDoubleByte(const unsigned char* p, size_t n, ReadChar readChar) {
  Tally t;
  size_t i = 0;
  while ((i = SkipAscii(p, i, n)) < n) {
    const DoubleByteChar ch = readChar(p, i, n);
    if (ch.cut) break;
    ++t.chars;
    if (ch.bad) ++t.bad;
    t.points += ch.points;
    i += ch.length;
  }
  return t;
}

Tally ScoreSjis(const unsigned char* p, size_t n) { return ScoreDoubleByte(p, n, ReadSjisChar); }
Tally ScoreEuc(const unsigned char* p, size_t n) { return ScoreDoubleByte(p, n, ReadEucChar); }

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
  // Average plausibility (4 at best) on a 0..99 scale, less for each invalid sequence.
  int c = (t.points * 99) / (4 * t.chars) - (t.bad * 200) / t.chars;
  return std::clamp(c, 1, 99);
}

// What the UTF-8 reading of the bytes says before any other code is scored.
struct Utf8Reading {
  Tally tally;
  bool asciiOnly = false;  // no character beyond ASCII (or only a cut sequence)
  bool first = false;      // UTF-8 comes first whatever the others score
};

template <bool kPoints>
Utf8Reading ReadAsUtf8(const unsigned char* p, size_t n) {
  Utf8Reading r;
  bool utf8Ok = false;
  int utf8Long = 0;
  r.tally = ScoreUtf8<kPoints>(p, n, &utf8Ok, &utf8Long);
  r.asciiOnly = r.tally.chars == 0 && r.tally.bad == 0;
  // Three-byte sequences (all of Japanese) that are all well-formed settle it: other
  // codes seldom give them by chance. Two-byte ones alone compete on plausibility.
  // One stray byte among several well-formed three-byte characters is a damaged
  // UTF-8 file, not text of another code.
  r.first = utf8Long > 0 && (utf8Ok || (r.tally.bad == 1 && utf8Long >= 3));
  return r;
}

}  // namespace

std::vector<EncodingCandidate> DetectEncodingCandidates(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  std::vector<EncodingCandidate> out;

  const Utf8Reading reading = ReadAsUtf8<true>(p, n);
  const Tally& utf8 = reading.tally;
  if (reading.asciiOnly) return out;
  const bool utf8First = reading.first;
  if (utf8First) out.push_back({CP_UTF8, 100});

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
  if (!utf8First && utf8.chars > 0 && utf8.bad * 20 <= utf8.chars)
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
  // UTF-8 that comes first needs no scoring of the other codes.
  // Whether UTF-8 comes first needs the counts alone, not the points.
  const Utf8Reading reading =
      ReadAsUtf8<false>(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (reading.asciiOnly) return 0;
  if (reading.first) return CP_UTF8;
  auto candidates = DetectEncodingCandidates(bytes);
  return candidates.empty() ? 0 : candidates.front().codePage;
}
