#pragma once
// CString: the program's text type, a string of UTF-16 code units.
//
// Copy-on-write: copies share one buffer through an atomic reference count, so
// copying a grid cell costs a pointer and an increment. The object itself is one
// pointer (8 bytes); an empty string holds no allocation. Comparisons are by code
// unit. Positions and counts are in code units, as the rest of the program expects.
//
// Out-of-range arguments never fault: positions are clamped to the text, negative
// counts act as 0, and GetAt on a bad index returns 0.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

class CString;

namespace cstring_detail {

// One argument of Format, captured by value so that Format is type safe.
struct FormatArg {
  enum Kind { kInt, kUInt, kDouble, kText, kChar };
  FormatArg() = default;
  explicit FormatArg(Kind k) : kind(k) {}
  Kind kind = kText;
  int64_t i = 0;
  uint64_t u = 0;
  double d = 0;
  std::u16string_view text;
  char16_t ch = 0;
  std::u16string owned;  // holds converted text (UTF-8 or wchar_t inputs)
};

FormatArg MakeArg(const CString& s);
FormatArg MakeArg(const char16_t* s);
FormatArg MakeArg(const char* utf8);
FormatArg MakeArg(char16_t c);
FormatArg MakeArg(char c);
FormatArg MakeArg(double v);
template <typename T>
  requires std::is_integral_v<T> && std::is_signed_v<T>
FormatArg MakeArg(T v) {
  FormatArg a(FormatArg::kInt);
  a.i = v;
  return a;
}
template <typename T>
  requires std::is_integral_v<T> && std::is_unsigned_v<T> && (!std::is_same_v<T, bool>) &&
           (!std::is_same_v<T, char16_t>)
FormatArg MakeArg(T v) {
  FormatArg a(FormatArg::kUInt);
  a.u = v;
  return a;
}
template <typename T>
  requires std::is_enum_v<T>
FormatArg MakeArg(T v) {
  return MakeArg(static_cast<std::underlying_type_t<T>>(v));
}

// printf-style formatting for UTF-16: %s %d %i %ld %lld %u %x %X %o %c %f %e %g %%,
// flags "-+ 0#", widths and precisions (also "*" taken from the arguments).
// Locale independent. A missing argument formats as nothing.
std::u16string FormatImpl(std::u16string_view fmt, const FormatArg* args, size_t count);

// Gives back the place of a string made by a CStringArena (string_arena.cpp).
void ReleaseArenaString(void* rep) noexcept;

}  // namespace cstring_detail

class CString {
 public:
  CString() noexcept = default;
  // Copying shares the text: one more reference, made here where callers inline it.
  CString(const CString& other) noexcept : rep_(other.rep_) {
    if (rep_ != nullptr) rep_->refs.fetch_add(1, std::memory_order_relaxed);
  }
  CString(CString&& other) noexcept : rep_(other.rep_) { other.rep_ = nullptr; }
  CString(const char16_t* text);                 // null gives an empty string
  CString(const char16_t* text, int length);     // the first length units
  CString(std::u16string_view text);
  CString(const std::u16string& text) : CString(std::u16string_view(text)) {}
  // Explicit: a number or a character passed where a text is meant must not
  // quietly become a one-character string.
  explicit CString(char16_t ch, int repeat = 1);
  // UTF-8 text (source literals, std::string from the system); invalid bytes become
  // U+FFFD. Explicit, so bytes in another code never pass for UTF-8 unseen.
  explicit CString(const char* utf8);
  explicit CString(const std::string& utf8);
  ~CString() {
    if (rep_ != nullptr) Release(rep_);
  }

  CString& operator=(const CString& other) noexcept {
    if (rep_ != other.rep_) {
      if (other.rep_ != nullptr) other.rep_->refs.fetch_add(1, std::memory_order_relaxed);
      Release(rep_);
      rep_ = other.rep_;
    }
    return *this;
  }
  CString& operator=(CString&& other) noexcept {
    if (this != &other) {
      Release(rep_);
      rep_ = other.rep_;
      other.rep_ = nullptr;
    }
    return *this;
  }
  CString& operator=(const char16_t* text) { return *this = CString(text); }
  CString& operator=(const char* utf8) { return *this = CString(utf8); }
  CString& operator=(char16_t ch) { return *this = CString(ch); }

  // Size and access.
  int GetLength() const noexcept { return rep_ ? rep_->length : 0; }
  bool IsEmpty() const noexcept { return GetLength() == 0; }
  void Empty() noexcept;
  char16_t GetAt(int index) const noexcept {
    return (index >= 0 && index < GetLength()) ? rep_->Data()[index] : char16_t(0);
  }
  char16_t operator[](int index) const noexcept { return GetAt(index); }
  void SetAt(int index, char16_t ch);  // ignored outside the text
  // Zero-terminated text; valid until the string is next changed.
  const char16_t* GetString() const noexcept { return rep_ ? rep_->Data() : u""; }
  std::u16string_view View() const noexcept {
    return rep_ ? std::u16string_view(rep_->Data(), static_cast<size_t>(rep_->length))
                : std::u16string_view();
  }
  std::u16string ToU16() const { return std::u16string(View()); }
  std::string ToUtf8() const;
  static CString FromUtf8(std::string_view utf8);

  // Parts of the text.
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(const char16_t* chars) const;
  // Next token after pos of chars not in delims; pos becomes -1 at the end (MFC rules).
  CString Tokenize(const char16_t* delims, int& pos) const;

  // Searching: -1 when not found. An empty needle is found at start.
  int Find(char16_t ch, int start = 0) const noexcept;
  int Find(const CString& text, int start = 0) const noexcept;
  int Find(const char16_t* text, int start = 0) const noexcept;
  int ReverseFind(char16_t ch) const noexcept;
  int FindOneOf(const char16_t* chars) const noexcept;

  // Changing the text. Each returns what MFC returns.
  int Replace(char16_t from, char16_t to);                  // count replaced
  int Replace(const CString& from, const CString& to);      // count replaced; empty from does nothing
  int Remove(char16_t ch);                                  // count removed
  int Insert(int index, char16_t ch);                       // new length
  int Insert(int index, const CString& text);               // new length
  int Delete(int index, int count = 1);                     // new length
  CString& Trim();
  CString& TrimLeft();
  CString& TrimLeft(char16_t ch);
  CString& TrimRight(const char16_t* chars);
  CString& MakeUpper();    // ASCII and full Unicode simple case mapping
  CString& MakeLower();
  void Truncate(int length);
  void Append(const char16_t* text, int length);
  void AppendChar(char16_t ch);

  CString& operator+=(const CString& text);
  CString& operator+=(const char16_t* text);
  CString& operator+=(const char* utf8) { return *this += CString(utf8); }
  CString& operator+=(char16_t ch);

  // Comparison by code unit: <0, 0, >0.
  int Compare(const CString& other) const noexcept;
  int CompareNoCase(const CString& other) const;

  template <typename... A>
  void Format(const char16_t* fmt, const A&... args) {
    *this = Build(fmt, args...);
  }
  template <typename... A>
  void AppendFormat(const char16_t* fmt, const A&... args) {
    *this += Build(fmt, args...);
  }
  template <typename... A>
  static CString Build(const char16_t* fmt, const A&... args) {
    cstring_detail::FormatArg list[sizeof...(A) + 1] = {cstring_detail::MakeArg(args)...,
                                                        cstring_detail::FormatArg{}};
    return CString(cstring_detail::FormatImpl(fmt ? fmt : u"", list, sizeof...(A)));
  }

  // Direct buffer access, MFC style: GetBuffer(n) gives room for n units plus a
  // terminator; ReleaseBuffer(-1) takes the length up to the first zero.
  char16_t* GetBuffer(int minLength = 0);
  void ReleaseBuffer(int newLength = -1);

  // True when two strings share one buffer (for tests of the sharing guarantee).
  // Strings sharing this one's text, itself included; 0 for an empty string (for
  // tests and measurements).
  int ShareCount() const noexcept;
  bool SharesBufferWith(const CString& other) const noexcept {
    return rep_ != nullptr && rep_ == other.rep_;
  }

 private:
  friend class CStringArena;
  // The shared text: a reference count and the length, the units after it. A
  // string of the heap keeps its capacity in the 4 bytes before the header; one
  // made by a CStringArena has kArenaBit set in its count and no room to grow.
  struct Rep {
    static constexpr int kArenaBit = 1 << 30;
    static constexpr int kCountMask = kArenaBit - 1;
    std::atomic<int> refs;
    int length;
    char16_t* Data() noexcept { return reinterpret_cast<char16_t*>(this + 1); }
    const char16_t* Data() const noexcept { return reinterpret_cast<const char16_t*>(this + 1); }
  };
  static_assert(sizeof(Rep) == 8);
  Rep* rep_ = nullptr;

  explicit CString(Rep* rep) noexcept : rep_(rep) {}
  static Rep* Allocate(int capacity);
  static void Release(Rep* rep) noexcept;
  static int Capacity(const Rep* rep) noexcept;
  void Assign(const char16_t* text, int length);
  // Makes the buffer unshared with room for capacity units; keeps the text.
  char16_t* MakeUnique(int capacity);
  void SetLength(int length) noexcept;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char16_t* b);
CString operator+(const char16_t* a, const CString& b);

bool operator==(const CString& a, const CString& b) noexcept;
bool operator==(const CString& a, const char16_t* b) noexcept;
inline bool operator!=(const CString& a, const CString& b) noexcept { return !(a == b); }
inline bool operator!=(const CString& a, const char16_t* b) noexcept { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) noexcept { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) noexcept { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) noexcept { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) noexcept { return a.Compare(b) >= 0; }

// GoogleTest and stream output print the text as UTF-8.
void PrintTo(const CString& s, std::ostream* os);
std::ostream& operator<<(std::ostream& os, const CString& s);

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept {
    return std::hash<std::u16string_view>()(s.View());
  }
};

// Length of a zero-terminated UTF-16 text (0 for null).
int WideLength(const char16_t* text) noexcept;

// UTF-8 <-> UTF-16 helpers for system interfaces (file names, environment): the
// lenient UTF-8 conversion of platform/codepage.h (each maximal ill-formed
// subsequence, and each lone surrogate, becomes U+FFFD).
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view utf8);
