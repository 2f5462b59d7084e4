// Reads arbitrary bytes through the text-file stream with each code type and through
// the code-page layer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "grid/csv_text_file.h"
#include "platform/codepage.h"
#include "platform/encoding_detector.h"

namespace {

void ReadEverything(const std::string& path, int codeType, int maxChars) {
  CCsvTextFile f;
  if (!f.Open(CString::FromUtf8(path), u"r", codeType)) return;
  if (f.m_CodeType < 1 || f.m_CodeType > 3) std::abort();  // detection always settles
  CString line;
  for (int guard = 0; guard < 100000; ++guard) {
    if (f.ReadLine(line, maxChars)) {
      if (line.GetLength() > maxChars - 1) std::abort();
      continue;
    }
    if (f.GetReadState() != CCsvTextFile::ReadState::kLineTooLong) break;
  }
  f.Close();
  if (!f.Open(CString::FromUtf8(path), u"r", codeType)) std::abort();
  std::string bytes;
  for (int guard = 0; guard < 100000; ++guard) {
    bool ok = f.ReadLineBytes(bytes, 64);
    std::string_view text = bytes;  // the line without its end
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    // Files whose lines end at LF (UTF-8, EUC-JP) count a CR before it as the line end.
    const bool lfEnds = f.m_CodeType == CCsvTextFile::CODETYPE_UTF8 || f.m_CodeType == CCsvTextFile::CODETYPE_EUCJP;
    if (!text.empty() && text.back() == '\r' && lfEnds) text.remove_suffix(1);
    if (text.size() > 63 || (!ok && !bytes.empty())) std::abort();
    if (!ok && f.GetReadState() != CCsvTextFile::ReadState::kLineTooLong) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const char* ext : {".csv", ".txt"}) {
    std::string path = FuzzTempPath("fuzz_text", ext);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    for (int codeType : {1, 2, 3, 8}) {
      ReadEverything(path, codeType, CCsvTextFile::kCsvLineChars);
      ReadEverything(path, codeType, 16);
    }
    std::remove(path.c_str());
  }
  for (const EncodingCandidate& c : DetectEncodingCandidates(bytes))
    if (c.confidence < 1 || c.confidence > 100 || !IsKnownCodePage(c.codePage)) std::abort();
  for (int cp : {CP_SJIS, CP_EUCJP, CP_UTF8}) {
    CString text = BytesToText(bytes, cp);
    std::string back = TextToBytes(text.View(), cp);
    // Strict decoding that succeeds must round-trip through strict encoding for UTF-8.
    auto strict = DecodeBytes(bytes, cp, ConvMode::kStrict);
    if (cp == CP_UTF8 && strict && EncodeText(strict->View(), cp, ConvMode::kStrict) != std::string(bytes))
      std::abort();
    (void)back;
  }
  return 0;
}
