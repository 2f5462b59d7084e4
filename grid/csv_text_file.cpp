#include "grid/csv_text_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "grid/csv_file_kind.h"
#include "platform/codepage.h"
#include "platform/encoding_detector.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kNoCodeTypeMessage[] = u"コードタイプの設定がありません。";

// The code page a code type writes with; 0 for a code type that cannot be written.
int WritingCodePage(int codeType) {
  struct Entry {
    int codeType, codePage;
  };
  static constexpr Entry kCodePages[] = {
      {CCsvTextFile::CODETYPE_SJIS, CP_SJIS},
      {CCsvTextFile::CODETYPE_EUCJP, CP_EUCJP},
      {CCsvTextFile::CODETYPE_UTF8, CP_UTF8},
  };
  static_assert(sizeof(kCodePages) / sizeof(kCodePages[0]) == 3);
  for (const Entry& e : kCodePages)
    if (e.codeType == codeType) return e.codePage;
  return 0;
}

// Whether the bytes up to the first zero byte hold CR LF.
bool BlockHasCrLf(const unsigned char* p, size_t n) {
  const void* zero = std::memchr(p, 0, n);
  const size_t end = zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - p) : n;
  for (const void* cr = std::memchr(p, '\r', end); cr != nullptr;) {
    const size_t i = static_cast<size_t>(static_cast<const unsigned char*>(cr) - p);
    if (i + 1 < n && p[i + 1] == '\n') return true;
    cr = i + 1 < end ? std::memchr(p + i + 1, '\r', end - i - 1) : nullptr;
  }
  return false;
}

// Well-formed UTF-8 up to the first zero byte; a sequence cut by the end counts as
// well-formed.
bool BlockIsUtf8(const unsigned char* p, size_t n) {
  const std::string_view bytes(reinterpret_cast<const char*>(p), n);
  size_t i = 0;
  while (i < n && p[i] != 0) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = ReadUtf8Char(bytes.substr(i));
    if (step.kind == Utf8Step::kInvalid) return false;
    if (step.kind == Utf8Step::kCut) return true;
    i += static_cast<size_t>(step.length);
  }
  return true;
}

// Bytes that may end a line or change the quote state; others pass in runs.
struct SpecialBytes {
  bool is[256] = {};
  constexpr SpecialBytes() {
    is[static_cast<unsigned char>('\r')] = true;
    is[static_cast<unsigned char>('\n')] = true;
    is[static_cast<unsigned char>('"')] = true;
    is[static_cast<unsigned char>(',')] = true;
    is[static_cast<unsigned char>('\t')] = true;
  }
};
constexpr SpecialBytes kSpecial;

// The quote rule of CSV and TSV lines, fed with every byte that did not end the
// line. The separator is the file's own (a tab in a TSV file). A double quote opens a
// quoted field as the first byte of a field, or as the second byte of a line or of
// the field after a closed quoted field; a doubled quote keeps the field open. In a
// file whose lines end at LF (UTF-8, EUC-JP) a CR after the closing quote is the
// start of the line end.
class QuoteMachine {
 public:
  QuoteMachine(char separator, bool lfEnds) : m_Separator(separator), m_LfEnds(lfEnds) {}

  // Line ends count in every state but this one.
  bool Inside() const { return m_State == State::kInside; }

  void Feed(int b) {
    switch (m_State) {
      case State::kOutside:
        if (b == m_Separator) {
          m_Counter = 0;
        } else if (b == '"' && m_Counter <= 1) {
          m_State = State::kInside;
        }
        Count(1);
        break;
      case State::kInside:
        if (b == '"') m_State = State::kAfterQuote;
        Count(1);
        break;
      case State::kAfterQuote:
        if (b == m_Separator || (m_LfEnds && b == '\r')) {
          m_State = State::kOutside;
          m_Counter = 0;
          break;
        }
        if (b != '"') m_State = State::kInside;
        Count(1);
        break;
    }
  }

  // A run of n bytes that are neither quotes, commas nor line-end bytes.
  void FeedPlain(size_t n) {
    if (m_State == State::kAfterQuote) m_State = State::kInside;
    Count(n);
  }

 private:
  enum class State { kOutside, kInside, kAfterQuote };
  // Bytes of the field so far; only 0, 1 and "more" matter.
  void Count(size_t n) { m_Counter = static_cast<int>(std::min<size_t>(m_Counter + n, 2)); }

  char m_Separator;
  bool m_LfEnds;
  State m_State = State::kOutside;
  int m_Counter = 0;
};

// How many bytes of a line are its text: an LF that ends it does not count, nor,
// in a file whose lines end at LF, a CR before that LF.
size_t TextBytes(const std::string& bytes, bool endedByLf, bool lfEnds) {
  size_t n = bytes.size();
  if (!endedByLf) return n;
  if (lfEnds && n > 0 && bytes[n - 1] == '\r') --n;
  return n;
}

}  // namespace

// The block is not cleared: only the bytes read into it are ever looked at.
CCsvTextFile::CCsvTextFile() : m_Block(std::make_unique_for_overwrite<unsigned char[]>(kBlockSize)) {}

CCsvTextFile::~CCsvTextFile() {
  m_Writer.reset();  // uncommitted: the temporary file goes, the old file stays
  Close();
}

bool CCsvTextFile::IsOpen() const { return m_Fd >= 0 || m_Writer != nullptr; }

bool CCsvTextFile::Open(const CString& path, const CString& mode, int codeType) {
  Close();
  m_Path = path;
  m_RequestedCodeType = codeType;
  m_ReadState = ReadState::kNone;
  if (mode == u"w") {
    auto writer = std::make_unique<AtomicFileWriter>();
    if (!writer->Begin(path)) return false;
    m_Writer = std::move(writer);
    m_CodeType = codeType;
    return true;
  }
  // One more attempt when the first opening fails; either way a successful opening
  // reads the first block and settles the code type.
  if (OpenForReading()) return true;
  return OpenForReading();
}

bool CCsvTextFile::OpenForReading() {
  m_HasCrLf = 0;
  const CsvFileKind kind = CsvFileKindOf(m_Path);
  m_QuoteRule = kind != CsvFileKind::kNone;
  m_Separator = kind == CsvFileKind::kTsv ? '\t' : ',';
  m_Eof = false;
  m_ReadFailed = false;
  m_EucUnreadable = false;
  // Opened without waiting, so a pipe or a device never blocks the caller; only
  // a regular file is read.
  if (m_RefuseLinks) {
    m_Fd = OpenRegularFileNoFollow(m_Path);
    if (m_Fd < 0) return false;
  } else {
    if (InjectedFileFault(FileOp::kOpenRead, ToFsPath(m_Path)) != 0) return false;
    m_Fd = ::open(ToFsPath(m_Path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_Fd < 0) return false;
    struct stat st {};
    if (::fstat(m_Fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(m_Fd);
      m_Fd = -1;
      return false;
    }
  }
  m_Identity = IdentityOfOpenFile(m_Fd);
  if (!ReadBlock()) {  // empty, a folder, or unreadable
    ::close(m_Fd);
    m_Fd = -1;
    return false;
  }
  if (m_RequestedCodeType == CODETYPE_DETECT && !ReadUtf16AsUtf8()) {
    ::close(m_Fd);
    m_Fd = -1;
    return false;
  }
  m_CodeType = m_RequestedCodeType;
  SettleCodeType();
  return true;
}

// A file that starts with a UTF-16 byte-order mark is turned whole into UTF-8 with
// its mark, held in memory, and read from there: the line reader works on bytes.
bool CCsvTextFile::ReadUtf16AsUtf8() {
  if (m_End < 2) return true;
  const bool little = m_Block[0] == 0xFF && m_Block[1] == 0xFE;
  const bool big = m_Block[0] == 0xFE && m_Block[1] == 0xFF;
  if (!little && !big) return true;
  std::string bytes(reinterpret_cast<const char*>(m_Block.get()), m_End);
  while (!m_Eof) {
    if (!ReadBlock() && m_ReadFailed) return false;
    bytes.append(reinterpret_cast<const char*>(m_Block.get()), m_End);
  }
  if (m_ReadFailed) return false;
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(little ? (b << 8 | a) : (a << 8 | b)));
  }
  const std::string utf8 = "\xEF\xBB\xBF" + Utf16ToUtf8(units);
  const int mem = ::memfd_create("utf16-input", MFD_CLOEXEC);
  if (mem < 0) return false;
  std::string_view rest = utf8;
  while (!rest.empty()) {
    const ssize_t n = ::write(mem, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(mem);
      return false;
    }
    rest.remove_prefix(static_cast<size_t>(n));
  }
  ::lseek(mem, 0, SEEK_SET);
  ::close(m_Fd);
  m_Fd = mem;
  m_Eof = false;
  return ReadBlock();
}

bool CCsvTextFile::ReadBlock() {
  m_Pos = 0;
  m_End = 0;
  if (m_Fd < 0 || m_Eof) return false;
  while (m_End < static_cast<size_t>(kBlockSize)) {
    ssize_t n = ::read(m_Fd, m_Block.get() + m_End, kBlockSize - m_End);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      m_ReadFailed = true;
      m_Eof = true;
      break;
    }
    if (n == 0) {
      m_Eof = true;
      break;
    }
    m_End += static_cast<size_t>(n);
  }
  return m_End > 0;
}

void CCsvTextFile::SettleCodeType() {
  const unsigned char* p = m_Block.get();
  const size_t n = m_End;
  if (m_RequestedCodeType != CODETYPE_DETECT) {
    m_HasCrLf = BlockHasCrLf(p, n) ? 1 : 0;
    return;
  }
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    m_CodeType = CODETYPE_UTF8;
    m_Pos = 3;
    return;
  }
  m_HasCrLf = BlockHasCrLf(p, n) ? 1 : 0;
  std::string_view sample(reinterpret_cast<const char*>(p), n - 1);
  // A first block of ASCII alone says nothing about the code: judge by the first
  // Japanese text further on, so that a UTF-8 file with CR LF is not read as Shift_JIS.
  std::string later;
  if (!m_Eof && std::all_of(p, p + n, [](unsigned char b) { return b < 0x80; })) {
    later = LaterSample();
    if (!later.empty()) sample = later;
  }
  // The best candidate decides (every candidate is one of the three codes).
  const int codePage = DetectEncoding(sample);
  if (codePage == CP_UTF8) m_CodeType = CODETYPE_UTF8;
  if (codePage == CP_EUCJP) m_CodeType = CODETYPE_EUCJP;
  if (codePage == CP_SJIS) m_CodeType = CODETYPE_SJIS;
  if (m_CodeType != CODETYPE_DETECT) return;
  if (m_HasCrLf == 1) {
    m_CodeType = CODETYPE_SJIS;
    return;
  }
  m_CodeType = BlockIsUtf8(p, n) ? CODETYPE_UTF8 : CODETYPE_EUCJP;
}

std::string CCsvTextFile::LaterSample() const {
  constexpr size_t kSampleSize = 64 * 1024;
  std::vector<unsigned char> chunk(kBlockSize);
  off_t offset = static_cast<off_t>(m_End);
  for (;;) {
    ssize_t got = ::pread(m_Fd, chunk.data(), chunk.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return {};
    const size_t n = static_cast<size_t>(got);
    const unsigned char* hit =
        std::find_if(chunk.data(), chunk.data() + n, [](unsigned char b) { return b >= 0x80; });
    if (hit == chunk.data() + n) {
      offset += got;
      continue;
    }
    // Start at the beginning of that line, so no character is cut in two.
    const unsigned char* lineStart = hit;
    while (lineStart > chunk.data() && lineStart[-1] != '\n') --lineStart;
    const off_t start = offset + static_cast<off_t>(lineStart - chunk.data());
    std::string sample(kSampleSize, '\0');
    ssize_t len;
    do {
      len = ::pread(m_Fd, sample.data(), sample.size(), start);
    } while (len < 0 && errno == EINTR);
    if (len <= 0) return {};
    sample.resize(static_cast<size_t>(len));
    return sample;
  }
}

int CCsvTextFile::NextByteSlow() {
  if (!ReadBlock()) return -1;
  return m_Block[m_Pos++];
}

int CCsvTextFile::PeekByte() {
  if (m_Pos >= m_End && !ReadBlock()) return -1;
  return m_Block[m_Pos];
}

// Line ends per code type and the quote rule of CSV files (see the header). At most
// limit bytes of text are allowed; the line end does not count.
CCsvTextFile::RawResult CCsvTextFile::ReadRawLine(std::string& bytes, size_t limit) {
  bytes.clear();
  const bool utf8 = m_CodeType == CODETYPE_UTF8;
  // One byte more is kept, for a CR that turns out to start the line end.
  const size_t keep = limit + 1;
  bool any = false, cut = false;
  QuoteMachine quotes(m_Separator, utf8);
  auto put = [&](int b) {
    if (bytes.size() < keep) {
      bytes.push_back(static_cast<char>(b));
    } else {
      cut = true;
    }
  };
  auto finish = [&](bool endedByLf) {
    const bool tooLong = cut || TextBytes(bytes, endedByLf, utf8) > limit;
    if (endedByLf) bytes.push_back('\n');
    return tooLong ? RawResult::kTooLong : RawResult::kLine;
  };
  for (;;) {
    // A run of plain bytes: placed at once; in the quote machine they only count.
    if (m_Pos < m_End && !kSpecial.is[m_Block[m_Pos]]) {
      size_t end = m_Pos + 1;
      while (end < m_End && !kSpecial.is[m_Block[end]]) ++end;
      const size_t run = end - m_Pos;
      const size_t room = keep > bytes.size() ? keep - bytes.size() : 0;
      bytes.append(reinterpret_cast<const char*>(m_Block.get() + m_Pos), std::min(run, room));
      if (run > room) cut = true;
      m_Pos = end;
      any = true;
      quotes.FeedPlain(run);
      continue;
    }
    int b = NextByte();
    if (b < 0) break;
    any = true;
    if (!m_QuoteRule || !quotes.Inside()) {
      if (utf8) {
        if (b == '\n') return finish(true);
      } else if (b == '\r') {
        if (PeekByte() == '\n') {
          NextByte();
          return finish(true);
        }
      } else if (b == '\n' && m_HasCrLf == 0) {
        return finish(true);
      }
    }
    put(b);
    if (m_QuoteRule) quotes.Feed(b);
  }
  if (m_ReadFailed) return RawResult::kError;
  if (!any) return RawResult::kEnd;
  return finish(false);
}

// EUC-JP to Shift_JIS bytes: JIS X 0208 pairs by the standard mapping, SS2 kana as
// their single byte; a pair without a mapping (an SS2 byte before anything but a
// kana, an SS3 code with its third byte) becomes two blanks. A lead byte before an
// ASCII byte gives two blanks and leaves that byte, which may end the line. The
// quote rule is that of the other codes, on the ASCII bytes.
CCsvTextFile::RawResult CCsvTextFile::ReadEucRaw(std::string& bytes, size_t limit) {
  bytes.clear();
  const size_t keep = limit + 1;
  bool any = false, cut = false;
  QuoteMachine quotes(m_Separator, true);
  auto put = [&](const char* s, size_t n) {
    if (bytes.size() + n <= keep) {
      bytes.append(s, n);
    } else {
      cut = true;
    }
    if (m_QuoteRule) quotes.FeedPlain(n);
  };
  auto finish = [&](bool endedByLf) {
    const bool tooLong = cut || TextBytes(bytes, endedByLf, true) > limit;
    if (endedByLf) bytes.push_back('\n');
    return tooLong ? RawResult::kTooLong : RawResult::kLine;
  };
  for (;;) {
    int b = NextByte();
    if (b < 0) break;
    any = true;
    if (b == '\n' && !(m_QuoteRule && quotes.Inside())) return finish(true);
    if (b <= 0x80) {
      if (bytes.size() < keep) {
        bytes.push_back(static_cast<char>(b));
      } else {
        cut = true;
      }
      if (m_QuoteRule) quotes.Feed(b);
      continue;
    }
    int second = PeekByte();
    if (second < 0) break;  // a lead byte at the end of the file is dropped
    if (second < 0x80) {
      // A lead byte without its second byte: never swallow the ASCII byte (a line end).
      m_EucUnreadable = true;
      put("  ", 2);
      continue;
    }
    NextByte();
    if (b == 0x8E) {
      if (second >= 0xA1 && second <= 0xDF) {
        char c = static_cast<char>(second);
        put(&c, 1);
      } else {
        m_EucUnreadable = true;
        put("  ", 2);
      }
      continue;
    }
    int sjis = JisToShiftJis(((b - 0x80) << 8) | (second - 0x80));
    if (sjis == 0) {
      m_EucUnreadable = true;
      put("  ", 2);
      // A JIS X 0212 character (8F and two bytes) has no Shift_JIS form: its third
      // byte goes with it, so that it does not pair with the next character's lead.
      if (b == 0x8F && PeekByte() >= 0xA1) NextByte();
    } else {
      char pair[2] = {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
      put(pair, 2);
    }
  }
  if (m_ReadFailed) return RawResult::kError;
  if (!any) return RawResult::kEnd;
  return finish(false);
}

bool CCsvTextFile::FinishByteRead(RawResult r) {
  switch (r) {
    case RawResult::kLine:
      m_ReadState = ReadState::kLine;
      return true;
    case RawResult::kEnd:
      m_ReadState = ReadState::kEndOfFile;
      return false;
    case RawResult::kTooLong:
      m_ReadState = ReadState::kLineTooLong;
      return false;
    case RawResult::kError:
      m_ReadState = ReadState::kReadError;
      return false;
  }
  return false;
}

bool CCsvTextFile::ReadLineBytes(std::string& bytes, int size) {
  bytes.clear();
  return AppendLineBytes(bytes, size);
}

bool CCsvTextFile::AppendPlainLine(std::string& out, size_t limit) {
  if (m_Pos >= m_End || (m_CodeType != CODETYPE_SJIS && m_CodeType != CODETYPE_UTF8)) return false;
  const bool utf8 = m_CodeType == CODETYPE_UTF8;
  const unsigned char* p = m_Block.get();
  // Where the line ends by the rules of ReadRawLine: the index of its LF.
  size_t end = m_End;
  const auto* lf = static_cast<const unsigned char*>(std::memchr(p + m_Pos, '\n', m_End - m_Pos));
  if (lf == nullptr) return false;
  if (!m_QuoteRule || std::memchr(p + m_Pos, '"', static_cast<size_t>(lf - p) - m_Pos) == nullptr) {
    end = static_cast<size_t>(lf - p);
    // A Shift_JIS file whose first block holds CR LF reads a bare LF as text.
    if (!utf8 && m_HasCrLf != 0 && (end == m_Pos || p[end - 1] != '\r')) return false;
  } else {
    QuoteMachine quotes(m_Separator, utf8);
    for (size_t i = m_Pos; i < m_End; ++i) {
      if (!kSpecial.is[p[i]]) {
        size_t j = i + 1;
        while (j < m_End && !kSpecial.is[p[j]]) ++j;
        quotes.FeedPlain(j - i);
        i = j - 1;
        continue;
      }
      const unsigned char b = p[i];
      if (!quotes.Inside()) {
        if (b == '\n' && (utf8 || m_HasCrLf == 0)) {
          end = i;
          break;
        }
        // A CR that may start the line end: the byte after it decides.
        if (!utf8 && b == '\r' && i + 1 < m_End && p[i + 1] == '\n') {
          end = i + 1;
          break;
        }
        if (!utf8 && b == '\r' && i + 1 == m_End) return false;
      }
      quotes.Feed(b);
    }
    if (end == m_End) return false;
  }
  const bool crBefore = end > m_Pos && p[end - 1] == '\r';
  const size_t text = end - m_Pos - (crBefore ? 1 : 0);
  if (text > limit) return false;
  if (utf8) {
    out.append(reinterpret_cast<const char*>(p + m_Pos), end + 1 - m_Pos);  // CR and LF stay
  } else {
    out.append(reinterpret_cast<const char*>(p + m_Pos), text);
    out.push_back('\n');
  }
  m_Pos = end + 1;
  m_ReadState = ReadState::kLine;
  return true;
}

bool CCsvTextFile::AppendLineBytes(std::string& out, int size) {
  if (m_Fd < 0) {
    m_ReadState = ReadState::kNotOpen;
    return false;
  }
  const size_t limit = size > 1 ? static_cast<size_t>(size - 1) : 0;
  if (AppendPlainLine(out, limit)) return true;
  std::string& bytes = out.empty() ? out : m_Scratch;
  const bool ok =
      FinishByteRead(m_CodeType == CODETYPE_EUCJP ? ReadEucRaw(bytes, limit) : ReadRawLine(bytes, limit));
  if (&bytes == &out) {
    if (!ok) out.clear();  // a line that does not fit is never handed out in part
  } else if (ok) {
    out += bytes;
  }
  return ok;
}

bool CCsvTextFile::ReadLine(CString& line, int maxChars) {
  line.Empty();
  std::u16string_view text;
  if (!ReadLine(text, maxChars)) return false;
  line = CString(text);
  return true;
}

bool CCsvTextFile::ReadLine(std::u16string_view& line, int maxChars) {
  line = {};
  if (m_Fd < 0) {
    m_ReadState = ReadState::kNotOpen;
    return false;
  }
  if (m_CodeType != CODETYPE_SJIS && m_CodeType != CODETYPE_EUCJP &&
      m_CodeType != CODETYPE_UTF8) {
    GetUiHooks().MessageBox(kNoCodeTypeMessage, kAppCaption, MB_OK | MB_ICONWARNING);
    m_ReadState = ReadState::kNoCodeType;
    return false;
  }
  if (maxChars < 1) maxChars = 1;
  const int byteLine = std::min<long long>(4LL * maxChars, kBlockSize);
  // The line's bytes and text go through buffers the stream keeps, so a loop over
  // many lines makes one string a line.
  if (!ReadLineBytes(m_LineBytes, byteLine)) return false;
  DecodeInto(m_LineBytes, m_CodeType == CODETYPE_UTF8 ? CP_UTF8 : CP_SJIS, m_LineText);
  if (m_LineText.size() > static_cast<size_t>(maxChars - 1)) {
    m_ReadState = ReadState::kLineTooLong;
    return false;
  }
  line = m_LineText;
  return true;
}

bool CCsvTextFile::WriteLine(const CString& text) {
  if (!m_Writer || !m_Writer->IsOpen()) return false;
  const int codePage = WritingCodePage(m_CodeType);
  if (codePage == 0) {
    // Nothing can be written: the file is not replaced by an empty one on Close.
    m_Writer->Discard();
    return false;
  }
  CString out = text;
  if (out.Find(u"\r\n") < 0 &&
      ((m_CodeType == CODETYPE_SJIS && m_HasCrLf == -1) || m_HasCrLf == 1))
    out.Replace(CString(u"\n"), CString(u"\r\n"));
  if (out.IsEmpty()) return true;
  return m_Writer->Write(TextToBytes(out.View(), codePage));
}

bool CCsvTextFile::Close() {
  bool ok = true;
  if (m_Writer) {
    ok = m_Writer->Commit();
    m_Writer.reset();
  }
  if (m_Fd >= 0) {
    ::close(m_Fd);
    m_Fd = -1;
  }
  m_Pos = m_End = 0;
  m_Eof = false;
  return ok;
}
