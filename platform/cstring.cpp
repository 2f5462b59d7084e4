#include "platform/cstring.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <ostream>

#include "platform/codepage.h"

int WideLength(const char16_t* text) noexcept {
  if (text == nullptr) return 0;
  const char16_t* p = text;
  while (*p) ++p;
  return static_cast<int>(p - text);
}

// ---- UTF-8 <-> UTF-16: the text layer's one converter, leniently ------------

std::string Utf16ToUtf8(std::u16string_view text) { return *EncodeText(text, CP_UTF8, ConvMode::kLenient); }

std::u16string Utf8ToUtf16(std::string_view utf8) {
  return std::u16string(DecodeBytes(utf8, CP_UTF8, ConvMode::kLenient)->View());
}

// ---- storage ---------------------------------------------------------------

// A heap string: its capacity (units, without the terminator), then the header.
// The capacity sits before the header so that every string's text starts 8 bytes
// after it, whichever way it was made.
constexpr size_t kCapacityBytes = sizeof(int);

CString::Rep* CString::Allocate(int capacity) {
  if (capacity < 0) capacity = 0;
  void* mem = ::operator new(kCapacityBytes + sizeof(Rep) +
                             (static_cast<size_t>(capacity) + 1) * sizeof(char16_t));
  *static_cast<int*>(mem) = capacity;
  Rep* rep = reinterpret_cast<Rep*>(static_cast<char*>(mem) + kCapacityBytes);
  new (&rep->refs) std::atomic<int>(1);
  rep->length = 0;
  rep->Data()[0] = 0;
  return rep;
}

int CString::Capacity(const Rep* rep) noexcept {
  if (rep->refs.load(std::memory_order_relaxed) & Rep::kArenaBit) return rep->length;
  return *reinterpret_cast<const int*>(reinterpret_cast<const char*>(rep) - kCapacityBytes);
}

void CString::Release(Rep* rep) noexcept {
  if (rep == nullptr) return;
  const int old = rep->refs.fetch_sub(1, std::memory_order_acq_rel);
  if ((old & Rep::kCountMask) != 1) return;
  if (old & Rep::kArenaBit) {
    cstring_detail::ReleaseArenaString(rep);
    return;
  }
  rep->refs.~atomic();
  ::operator delete(reinterpret_cast<char*>(rep) - kCapacityBytes);
}

void CString::Assign(const char16_t* text, int length) {
  if (length <= 0 || text == nullptr) {
    Empty();
    return;
  }
  Rep* rep = Allocate(length);
  std::memcpy(rep->Data(), text, static_cast<size_t>(length) * sizeof(char16_t));
  rep->Data()[length] = 0;
  rep->length = length;
  Release(rep_);
  rep_ = rep;
}

char16_t* CString::MakeUnique(int capacity) {
  const int len = GetLength();
  if (capacity < len) capacity = len;
  const bool alone =
      rep_ != nullptr && (rep_->refs.load(std::memory_order_acquire) & Rep::kCountMask) == 1;
  if (alone && Capacity(rep_) >= capacity) return rep_->Data();
  int newCap = capacity;
  if (alone) {
    const int old = Capacity(rep_);
    newCap = std::max(capacity, old + old / 2);  // growth
  }
  Rep* rep = Allocate(newCap);
  if (len > 0) std::memcpy(rep->Data(), rep_->Data(), static_cast<size_t>(len) * sizeof(char16_t));
  rep->Data()[len] = 0;
  rep->length = len;
  Release(rep_);
  rep_ = rep;
  return rep_->Data();
}

void CString::SetLength(int length) noexcept {
  if (rep_ == nullptr) return;
  if (length <= 0) {
    Empty();
    return;
  }
  rep_->length = length;
  rep_->Data()[length] = 0;
}

// ---- construction ----------------------------------------------------------

CString::CString(const char16_t* text) { Assign(text, WideLength(text)); }
CString::CString(const char16_t* text, int length) {
  if (text != nullptr) Assign(text, std::max(0, length));
}
CString::CString(std::u16string_view text) { Assign(text.data(), static_cast<int>(text.size())); }
CString::CString(char16_t ch, int repeat) {
  if (repeat <= 0) return;
  char16_t* p = MakeUnique(repeat);
  std::fill(p, p + repeat, ch);
  SetLength(repeat);
}
CString::CString(const char* utf8) {
  if (utf8 != nullptr) *this = FromUtf8(utf8);
}
CString::CString(const std::string& utf8) { *this = FromUtf8(utf8); }

// ---- access ----------------------------------------------------------------

int CString::ShareCount() const noexcept {
  return rep_ ? (rep_->refs.load(std::memory_order_acquire) & Rep::kCountMask) : 0;
}
void CString::Empty() noexcept {
  Release(rep_);
  rep_ = nullptr;
}
void CString::SetAt(int index, char16_t ch) {
  if (index < 0 || index >= GetLength()) return;
  MakeUnique(GetLength())[index] = ch;
}
std::string CString::ToUtf8() const { return Utf16ToUtf8(View()); }
CString CString::FromUtf8(std::string_view utf8) { return *DecodeBytes(utf8, CP_UTF8, ConvMode::kLenient); }

// ---- parts -----------------------------------------------------------------

CString CString::Left(int count) const {
  if (count >= GetLength()) return *this;
  return count <= 0 ? CString() : CString(GetString(), count);
}
CString CString::Right(int count) const {
  const int len = GetLength();
  if (count >= len) return *this;
  return count <= 0 ? CString() : CString(GetString() + len - count, count);
}
CString CString::Mid(int first) const { return Mid(first, GetLength()); }
CString CString::Mid(int first, int count) const {
  const int len = GetLength();
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first > len) first = len;
  if (count > len - first) count = len - first;
  if (first == 0 && count == len) return *this;
  return CString(GetString() + first, count);
}

static bool InSet(char16_t c, const char16_t* set) {
  if (set == nullptr) return false;
  for (const char16_t* p = set; *p; ++p)
    if (*p == c) return true;
  return false;
}

CString CString::SpanIncluding(const char16_t* chars) const {
  int i = 0;
  const int len = GetLength();
  while (i < len && InSet(GetAt(i), chars)) ++i;
  return Left(i);
}
CString CString::Tokenize(const char16_t* delims, int& pos) const {
  const int len = GetLength();
  if (pos < 0 || pos >= len) {
    pos = -1;
    return CString();
  }
  int start = pos;
  while (start < len && InSet(GetAt(start), delims)) ++start;
  if (start >= len) {
    pos = -1;
    return CString();
  }
  int end = start;
  while (end < len && !InSet(GetAt(end), delims)) ++end;
  pos = end + 1;
  return Mid(start, end - start);
}

// ---- search ----------------------------------------------------------------

int CString::Find(char16_t ch, int start) const noexcept {
  const int len = GetLength();
  if (start < 0) start = 0;
  for (int i = start; i < len; ++i)
    if (rep_->Data()[i] == ch) return i;
  return -1;
}
int CString::Find(const CString& text, int start) const noexcept {
  return Find(text.GetString(), start);
}
int CString::Find(const char16_t* text, int start) const noexcept {
  const int len = GetLength();
  if (start < 0) start = 0;
  if (start > len) return -1;
  const std::u16string_view hay = View();
  const size_t at = hay.find(std::u16string_view(text ? text : u""), static_cast<size_t>(start));
  return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}
int CString::ReverseFind(char16_t ch) const noexcept {
  for (int i = GetLength() - 1; i >= 0; --i)
    if (rep_->Data()[i] == ch) return i;
  return -1;
}
int CString::FindOneOf(const char16_t* chars) const noexcept {
  const int len = GetLength();
  for (int i = 0; i < len; ++i)
    if (InSet(rep_->Data()[i], chars)) return i;
  return -1;
}

// ---- change ----------------------------------------------------------------

int CString::Replace(char16_t from, char16_t to) {
  if (Find(from) < 0) return 0;
  int n = 0;
  char16_t* p = MakeUnique(GetLength());
  for (int i = 0; i < GetLength(); ++i)
    if (p[i] == from) {
      p[i] = to;
      ++n;
    }
  return n;
}
int CString::Replace(const CString& from, const CString& to) {
  if (from.IsEmpty()) return 0;
  std::u16string_view hay = View();
  std::u16string_view f = from.View();
  size_t at = hay.find(f);
  if (at == std::u16string_view::npos) return 0;
  std::u16string out;
  out.reserve(hay.size());
  size_t last = 0;
  int n = 0;
  while (at != std::u16string_view::npos) {
    out.append(hay.substr(last, at - last));
    out.append(to.View());
    last = at + f.size();
    ++n;
    at = hay.find(f, last);
  }
  out.append(hay.substr(last));
  *this = CString(out);
  return n;
}
int CString::Remove(char16_t ch) {
  if (Find(ch) < 0) return 0;
  char16_t* p = MakeUnique(GetLength());
  const int len = GetLength();
  int w = 0;
  for (int r = 0; r < len; ++r)
    if (p[r] != ch) p[w++] = p[r];
  SetLength(w);
  return len - w;
}
int CString::Insert(int index, char16_t ch) { return Insert(index, CString(ch)); }
int CString::Insert(int index, const CString& text) {
  const int len = GetLength();
  if (index < 0) index = 0;
  if (index > len) index = len;
  const int add = text.GetLength();
  if (add == 0) return len;
  const CString keep = text;  // text may be *this
  char16_t* p = MakeUnique(len + add);
  std::memmove(p + index + add, p + index, static_cast<size_t>(len - index) * sizeof(char16_t));
  std::memcpy(p + index, keep.GetString(), static_cast<size_t>(add) * sizeof(char16_t));
  SetLength(len + add);
  return len + add;
}
int CString::Delete(int index, int count) {
  const int len = GetLength();
  if (index < 0) index = 0;
  if (count <= 0 || index >= len) return len;
  if (count > len - index) count = len - index;
  char16_t* p = MakeUnique(len);
  std::memmove(p + index, p + index + count,
               static_cast<size_t>(len - index - count) * sizeof(char16_t));
  SetLength(len - count);
  return len - count;
}

static bool IsSpaceUnit(char16_t c) {
  return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x3000 || c == 0x00A0;
}

template <typename Pred>
static void TrimBoth(CString& s, bool left, bool right, Pred drop) {
  const int len = s.GetLength();
  int b = 0, e = len;
  if (left)
    while (b < e && drop(s.GetAt(b))) ++b;
  if (right)
    while (e > b && drop(s.GetAt(e - 1))) --e;
  if (b != 0 || e != len) s = s.Mid(b, e - b);
}

CString& CString::Trim() { TrimBoth(*this, true, true, IsSpaceUnit); return *this; }
CString& CString::TrimLeft() { TrimBoth(*this, true, false, IsSpaceUnit); return *this; }
CString& CString::TrimLeft(char16_t ch) { TrimBoth(*this, true, false, [ch](char16_t c) { return c == ch; }); return *this; }
CString& CString::TrimRight(const char16_t* chars) { TrimBoth(*this, false, true, [chars](char16_t c) { return InSet(c, chars); }); return *this; }

template <typename Map>
static void MapCase(CString& s, Map map) {
  const std::u16string_view v = s.View();
  std::u16string out;
  out.reserve(v.size());
  bool changed = false;
  for (size_t i = 0; i < v.size();) {
    UChar32 c = v[i];
    size_t n = 1;
    if (U16_IS_LEAD(c) && i + 1 < v.size() && U16_IS_TRAIL(v[i + 1])) {
      c = U16_GET_SUPPLEMENTARY(c, v[i + 1]);
      n = 2;
    }
    UChar32 m = map(c);
    if (m != c) changed = true;
    if (m >= 0x10000) {
      out += static_cast<char16_t>(U16_LEAD(m));
      out += static_cast<char16_t>(U16_TRAIL(m));
    } else {
      out += static_cast<char16_t>(m);
    }
    i += n;
  }
  if (changed) s = CString(out);
}

CString& CString::MakeUpper() { MapCase(*this, [](UChar32 c) { return u_toupper(c); }); return *this; }
CString& CString::MakeLower() { MapCase(*this, [](UChar32 c) { return u_tolower(c); }); return *this; }
void CString::Truncate(int length) {
  if (length >= GetLength()) return;
  if (length <= 0) {
    Empty();
    return;
  }
  MakeUnique(GetLength());
  SetLength(length);
}
void CString::Append(const char16_t* text, int length) {
  if (text == nullptr || length <= 0) return;
  const int len = GetLength();
  if (rep_ != nullptr && text >= rep_->Data() && text <= rep_->Data() + len) {
    const CString keep(text, length);  // appending a part of itself
    Append(keep.GetString(), length);
    return;
  }
  char16_t* p = MakeUnique(len + length);
  std::memcpy(p + len, text, static_cast<size_t>(length) * sizeof(char16_t));
  SetLength(len + length);
}
void CString::AppendChar(char16_t ch) { Append(&ch, 1); }

CString& CString::operator+=(const CString& text) {
  if (IsEmpty()) return *this = text;
  const CString keep = text;
  Append(keep.GetString(), keep.GetLength());
  return *this;
}
CString& CString::operator+=(const char16_t* text) {
  Append(text, WideLength(text));
  return *this;
}
CString& CString::operator+=(char16_t ch) {
  AppendChar(ch);
  return *this;
}

// ---- compare ---------------------------------------------------------------

int CString::Compare(const CString& other) const noexcept {
  const int r = View().compare(other.View());
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}
int CString::CompareNoCase(const CString& other) const {
  CString a(*this), b(other);
  a.MakeLower();
  b.MakeLower();
  return a.Compare(b);
}

char16_t* CString::GetBuffer(int minLength) {
  const int len = GetLength();
  char16_t* p = MakeUnique(std::max(minLength, std::max(len, 1)));
  return p;
}
void CString::ReleaseBuffer(int newLength) {
  if (rep_ == nullptr) return;
  if (newLength < 0) {
    newLength = WideLength(rep_->Data());
  }
  if (newLength > Capacity(rep_)) newLength = Capacity(rep_);
  SetLength(newLength);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char16_t* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char16_t* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
bool operator==(const CString& a, const CString& b) noexcept {
  return a.SharesBufferWith(b) || a.View() == b.View();
}
bool operator==(const CString& a, const char16_t* b) noexcept {
  return a.View() == std::u16string_view(b ? b : u"");
}

void PrintTo(const CString& s, std::ostream* os) { *os << '"' << s.ToUtf8() << '"'; }
std::ostream& operator<<(std::ostream& os, const CString& s) { return os << s.ToUtf8(); }

// ---- Format ----------------------------------------------------------------

namespace cstring_detail {

FormatArg MakeArg(const CString& s) {
  FormatArg a(FormatArg::kText);
  a.text = s.View();
  return a;
}
FormatArg MakeArg(const char16_t* s) {
  FormatArg a(FormatArg::kText);
  a.text = std::u16string_view(s ? s : u"");
  return a;
}
FormatArg MakeArg(const char* utf8) {
  FormatArg a(FormatArg::kText);
  a.owned = Utf8ToUtf16(utf8 ? utf8 : "");
  return a;
}
FormatArg MakeArg(char16_t c) {
  FormatArg a(FormatArg::kChar);
  a.ch = c;
  a.i = c;
  a.u = c;
  return a;
}
FormatArg MakeArg(char c) { return MakeArg(static_cast<char16_t>(static_cast<unsigned char>(c))); }
FormatArg MakeArg(double v) {
  FormatArg a(FormatArg::kDouble);
  a.d = v;
  return a;
}

namespace {

int64_t AsInt(const FormatArg& a) {
  switch (a.kind) {
    case FormatArg::kInt: return a.i;
    case FormatArg::kUInt: return static_cast<int64_t>(a.u);
    case FormatArg::kDouble: return std::isfinite(a.d) ? static_cast<int64_t>(a.d) : 0;
    case FormatArg::kChar: return a.ch;
    case FormatArg::kText: return 0;
  }
  return 0;
}
uint64_t AsUInt(const FormatArg& a) {
  return a.kind == FormatArg::kUInt ? a.u : static_cast<uint64_t>(AsInt(a));
}
double AsDouble(const FormatArg& a) {
  switch (a.kind) {
    case FormatArg::kDouble: return a.d;
    case FormatArg::kUInt: return static_cast<double>(a.u);
    case FormatArg::kText: return 0;
    default: return static_cast<double>(AsInt(a));
  }
}

void Pad(std::u16string& out, std::u16string_view body, int width, bool left, char16_t fill,
         size_t signLen) {
  const int len = static_cast<int>(body.size());
  if (width <= len) {
    out.append(body);
    return;
  }
  const int pad = width - len;
  if (left) {
    out.append(body);
    out.append(static_cast<size_t>(pad), u' ');
  } else if (fill == u'0') {
    out.append(body.substr(0, signLen));
    out.append(static_cast<size_t>(pad), u'0');
    out.append(body.substr(signLen));
  } else {
    out.append(static_cast<size_t>(pad), u' ');
    out.append(body);
  }
}

}  // namespace

std::u16string FormatImpl(std::u16string_view fmt, const FormatArg* args, size_t count) {
  std::u16string out;
  size_t next = 0;
  auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };
  for (size_t i = 0; i < fmt.size(); ++i) {
    char16_t c = fmt[i];
    if (c != u'%') {
      out += c;
      continue;
    }
    if (i + 1 < fmt.size() && fmt[i + 1] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    // %[flags][width][.precision][length]type
    size_t j = i + 1;
    bool left = false, plus = false, space = false, alt = false, zero = false;
    for (; j < fmt.size(); ++j) {
      char16_t f = fmt[j];
      if (f == u'-') left = true;
      else if (f == u'+') plus = true;
      else if (f == u' ') space = true;
      else if (f == u'#') alt = true;
      else if (f == u'0') zero = true;
      else break;
    }
    int width = -1, precision = -1;
    if (j < fmt.size() && fmt[j] == u'*') {
      const FormatArg* a = take();
      width = a ? static_cast<int>(AsInt(*a)) : 0;
      if (width < 0) {
        left = true;
        width = -width;
      }
      ++j;
    } else {
      while (j < fmt.size() && fmt[j] >= u'0' && fmt[j] <= u'9') {
        width = (width < 0 ? 0 : width) * 10 + (fmt[j] - u'0');
        if (width > 100000) width = 100000;
        ++j;
      }
    }
    if (j < fmt.size() && fmt[j] == u'.') {
      ++j;
      precision = 0;
      if (j < fmt.size() && fmt[j] == u'*') {
        const FormatArg* a = take();
        precision = a ? static_cast<int>(AsInt(*a)) : 0;
        if (precision < 0) precision = -1;
        ++j;
      } else {
        while (j < fmt.size() && fmt[j] >= u'0' && fmt[j] <= u'9') {
          precision = precision * 10 + (fmt[j] - u'0');
          if (precision > 1000) precision = 1000;
          ++j;
        }
      }
    }
    while (j < fmt.size() && (fmt[j] == u'l' || fmt[j] == u'h' || fmt[j] == u'I' ||
                              fmt[j] == u'6' || fmt[j] == u'4' || fmt[j] == u'z' || fmt[j] == u'q'))
      ++j;
    if (j >= fmt.size()) {  // dangling conversion: keep as text
      out.append(fmt.substr(i));
      break;
    }
    const char16_t type = fmt[j];
    i = j;
    const FormatArg* a = take();
    if (a == nullptr && type != u'%') continue;  // missing argument: nothing
    char16_t fill = (zero && !left) ? u'0' : u' ';
    switch (type) {
      case u's':
      case u'S': {
        std::u16string_view t;
        if (a != nullptr && a->kind == FormatArg::kText) t = a->owned.empty() ? a->text : a->owned;
        if (precision >= 0 && static_cast<size_t>(precision) < t.size()) t = t.substr(0, precision);
        Pad(out, t, width, left, u' ', 0);
        break;
      }
      case u'c':
      case u'C': {
        char16_t ch = a ? (a->kind == FormatArg::kChar ? a->ch : static_cast<char16_t>(AsInt(*a))) : 0;
        std::u16string_view t(&ch, ch ? 1 : 0);
        Pad(out, t, width, left, u' ', 0);
        break;
      }
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X':
      case u'o': {
        std::string body;
        size_t signLen = 0;
        if (type == u'd' || type == u'i') {
          const int64_t v = a ? AsInt(*a) : 0;
          const uint64_t mag = v < 0 ? (~static_cast<uint64_t>(v) + 1) : static_cast<uint64_t>(v);
          std::string digits = std::to_string(mag);
          if (precision >= 0) {
            fill = u' ';
            if (static_cast<int>(digits.size()) < precision)
              digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
            if (precision == 0 && v == 0) digits.clear();
          }
          if (v < 0) body = "-";
          else if (plus) body = "+";
          else if (space) body = " ";
          signLen = body.size();
          body += digits;
        } else {
          uint64_t v = a ? AsUInt(*a) : 0;
          if (a && (a->kind == FormatArg::kInt) && a->i < 0 && a->i >= INT32_MIN)
            v = static_cast<uint32_t>(a->i);  // a negative int prints as its 32-bit pattern
          char buf[72];
          const char* spec = type == u'u' ? "%llu" : type == u'x' ? "%llx" : type == u'X' ? "%llX" : "%llo";
          std::snprintf(buf, sizeof buf, spec, static_cast<unsigned long long>(v));
          std::string digits = buf;
          if (precision >= 0) {
            fill = u' ';
            if (static_cast<int>(digits.size()) < precision)
              digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
          }
          if (alt && v != 0 && (type == u'x' || type == u'X')) {
            body = type == u'x' ? "0x" : "0X";
            signLen = 2;
          }
          body += digits;
        }
        std::u16string b16(body.begin(), body.end());
        Pad(out, b16, width, left, fill, signLen);
        break;
      }
      case u'f':
      case u'F':
      case u'e':
      case u'E':
      case u'g':
      case u'G': {
        const double v = a ? AsDouble(*a) : 0.0;
        std::string spec = "%";
        if (plus) spec += '+';
        if (space) spec += ' ';
        if (alt) spec += '#';
        if (precision >= 0) spec += "." + std::to_string(precision);
        spec += static_cast<char>(type);
        // The C locale's decimal point: the test and program locales never group digits.
        int need = std::snprintf(nullptr, 0, spec.c_str(), v);
        std::string body(static_cast<size_t>(need > 0 ? need : 0) + 1, '\0');
        std::snprintf(body.data(), body.size(), spec.c_str(), v);
        body.resize(static_cast<size_t>(need > 0 ? need : 0));
        for (char& ch : body)
          if (ch == ',') ch = '.';
        const size_t signLen = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
        std::u16string b16(body.begin(), body.end());
        Pad(out, b16, width, left, std::isfinite(v) ? fill : u' ', signLen);
        break;
      }
      default:
        // Unknown type: keep the conversion as text, give the argument back.
        out += u'%';
        out += type;
        if (a != nullptr) --next;
        break;
    }
  }
  return out;
}

}  // namespace cstring_detail
