#pragma once
// CCsvTextFile: the one text-file stream of the program.
//
// Reads a file in blocks of 100000 bytes, settles its character code (given by the
// caller, or detected from the first block), and hands out one line at a time as
// text. In a file whose path names a CSV or TSV file, a line end inside a double-
// quoted field does not end the line. For writing it converts text to the file's
// code and writes CR LF line ends for Shift_JIS streams.
//
// Reading, line ends per code type:
//  - Shift_JIS: CR LF ends a line and comes back as one LF; a bare LF ends a line only
//    when the first block holds no CR LF (m_HasCrLf == 0); a lone CR is text.
//  - UTF-8: LF ends a line and stays; CR is text (CR LF lines end in CR LF).
//  - EUC-JP: LF ends a line and stays; CR is text. Bytes are turned into Shift_JIS;
//    a code without a Shift_JIS form (JIS X 0212 included) reads as two blanks.
// In every code, a line end inside a double-quoted field of a CSV or TSV file is
// text (the separator of the rule is a tab in a TSV file).
//
// A line longer than the caller allows is never handed out in pieces: ReadLine (and
// the byte readers) skip the whole physical line, return false, and GetReadState()
// says kLineTooLong, so the caller can refuse the file. kEndOfFile means there are
// no more lines. A line end never counts toward a byte limit: a line of the most
// bytes allowed fits with or without its line end.
//
// Writing (mode "w") is safe: the bytes go into a temporary file in the same folder
// and Close() renames it over the path, so a failed write never leaves a
// half-written file; the old file stays until Close() succeeds. Close() returns
// false when anything failed. Destroying a write stream without Close() discards
// what it wrote: the old file stays as it was (a failure part-way, an exception,
// an early return never commit a half-written file).
//
// A stream belongs to one thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/paths.h"

class CCsvTextFile {
 public:
  static constexpr int CODETYPE_SJIS = 1;
  static constexpr int CODETYPE_EUCJP = 2;
  static constexpr int CODETYPE_UTF8 = 3;
  static constexpr int CODETYPE_DETECT = 8;

  static constexpr int kBlockSize = 100000;
  // Line capacities the callers use, in characters with the terminator counted.
  static constexpr int kCsvLineChars = 200002;
  static constexpr int kSettingsLineChars = 2000;
  static constexpr int kToolSettingsLineChars = 1024;

  enum class ReadState {
    kNone,          // nothing read yet
    kLine,          // the last call gave a line
    kEndOfFile,     // no more lines
    kLineTooLong,   // the last physical line did not fit and was skipped
    kNoCodeType,    // the stream has no code type to convert with (message shown)
    kNotOpen,       // the stream is not open for reading
    kReadError,     // the system failed to read the file
  };

  CCsvTextFile();
  ~CCsvTextFile();
  CCsvTextFile(const CCsvTextFile&) = delete;
  CCsvTextFile& operator=(const CCsvTextFile&) = delete;

  // mode "w": creates (or, on Close, replaces) the file for writing with codeType
  // 1, 2 or 3. Any other mode opens for reading: the first block is read and the
  // code type and m_HasCrLf are settled (codeType 8 detects). Returns false when the
  // file cannot be opened or created, or holds no bytes for reading.
  bool Open(const CString& path, const CString& mode, int codeType);
  bool IsOpen() const;

  // The next line as text, its line end kept as one LF (UTF-8: as in the file).
  // maxChars is the caller's line capacity in characters including a terminator:
  // a line needs at most maxChars - 1 characters and at most min(4 * maxChars,
  // 100000) - 1 bytes. Returns false at the end of the file and on failures; the
  // reason is GetReadState(). A code type other than 1, 2, 3 shows
  // "コードタイプの設定がありません。" and gives kNoCodeType.
  bool ReadLine(CString& line, int maxChars = kCsvLineChars);
  // The same, the text left in a buffer of the stream: valid until the next read.
  bool ReadLine(std::u16string_view& line, int maxChars = kCsvLineChars);

  // The next line's bytes, at most size - 1 of them besides the line end: Shift_JIS
  // or UTF-8 as in the file, an EUC-JP file's as Shift_JIS. false at the end of the
  // file or when the line is too long.
  bool ReadLineBytes(std::string& bytes, int size);
  // The same line appended to out; on false out is left as it was.
  bool AppendLineBytes(std::string& out, int size);

  ReadState GetReadState() const { return m_ReadState; }
  // An EUC-JP file met bytes it could not read (given as blanks) in a line so far.
  bool HadUnreadableEuc() const { return m_EucUnreadable; }

  // Converts and writes text (the caller includes "\n"). Returns false, writing
  // nothing, when the code type is not 1, 2 or 3 or the stream is not open for
  // writing; a stream with such a code type is then failed, so Close leaves an
  // existing file as it was. LF becomes CR LF for a Shift_JIS stream (when text
  // holds no CR LF yet).
  bool WriteLine(const CString& text);

  // Closes the file; for a written file, commits it (see above). Returns false when
  // writing failed (the old file, if any, is then unchanged).
  bool Close();

  int m_CodeType = 0;
  int m_HasCrLf = -1;
  // Set before Open for reading: a link is refused, not followed.
  bool m_RefuseLinks = false;
  // The file as it was when opened for reading (device, inode, size, time).
  FileIdentity m_Identity;

 private:
  enum class RawResult { kLine, kEnd, kTooLong, kError };

  bool OpenForReading();
  bool ReadBlock();
  void SettleCodeType();
  // Bytes from further in the file, starting at the line of its first non-ASCII
  // byte; empty when the rest of the file is ASCII too. The read position stays.
  std::string LaterSample() const;
  // Next byte, or -1 at the end of the file (or on a read error); refills the block.
  int NextByte() { return m_Pos < m_End ? m_Block[m_Pos++] : NextByteSlow(); }
  int NextByteSlow();
  int PeekByte();
  RawResult ReadRawLine(std::string& bytes, size_t limit);
  RawResult ReadEucRaw(std::string& bytes, size_t limit);
  bool FinishByteRead(RawResult r);
  // A line that lies whole in the block, ends in its code's line end and holds no
  // double quote, appended to out at once; false (nothing read) for any other.
  bool AppendPlainLine(std::string& out, size_t limit);
  bool ReadUtf16AsUtf8();

  std::unique_ptr<unsigned char[]> m_Block;
  size_t m_Pos = 0;
  size_t m_End = 0;
  int m_Fd = -1;
  bool m_Eof = false;
  bool m_ReadFailed = false;
  bool m_QuoteRule = false;
  bool m_EucUnreadable = false;
  char m_Separator = ',';  // of the quote rule: a tab in a TSV file
  int m_RequestedCodeType = 0;
  ReadState m_ReadState = ReadState::kNone;
  CString m_Path;
  std::unique_ptr<AtomicFileWriter> m_Writer;
  std::string m_Scratch;  // a line read byte by byte before it is appended
  std::string m_LineBytes;     // ReadLine's bytes
  std::u16string m_LineText;   // and its text
};
