#include "webclient/json.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <new>

#include "platform/codepage.h"

namespace json {

namespace {

struct ParseStop {};  // carries no text: the message is already in the error text

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// First byte of a Shift_JIS double-byte character.
bool IsAnsiLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

// ---- values ----

std::string CBaseValue::GetString() const { return {}; }
double CBaseValue::GetDouble() const { return 0.0; }
int CBaseValue::GetInt() const { return 0; }
bool CBaseValue::GetBool() const { return false; }

const ObjectMap& CBaseValue::GetObject() const {
  static const ObjectMap* empty = new ObjectMap();  // lives until the program ends
  return *empty;
}

const ArrayVec& CBaseValue::GetArray() const {
  static const ArrayVec* empty = new ArrayVec();
  return *empty;
}

int CDoubleValue::GetInt() const {
  // Cut toward zero; values outside int saturate rather than invoke undefined behaviour.
  if (std::isnan(m_Value)) return 0;
  if (m_Value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (m_Value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(m_Value);
}

CJson::CJson() : m_Ptr(std::make_shared<CNullValue>()) {}
CJson::CJson(std::string value) : m_Ptr(std::make_shared<CStringValue>(std::move(value))) {}
CJson::CJson(const char* value) : CJson(std::string(value ? value : "")) {}
CJson::CJson(int value) : m_Ptr(std::make_shared<CNumberValue>(value)) {}
CJson::CJson(double value) : m_Ptr(std::make_shared<CDoubleValue>(value)) {}
CJson::CJson(bool value) : m_Ptr(std::make_shared<CBooleanValue>(value)) {}
CJson::CJson(ObjectMap value) : m_Ptr(std::make_shared<CObjectValue>(std::move(value))) {}
CJson::CJson(ArrayVec value) : m_Ptr(std::make_shared<CArrayValue>(std::move(value))) {}

void CJson::Parse(CJson& out, const std::string& text, std::string& error) {
  CParser parser(text, &error);
  out = parser.Run();
}

CJson& CJson::operator[](const char* key) {
  if (!m_Ptr || m_Ptr->GetType() != TYPE_OBJECT) m_Ptr = std::make_shared<CObjectValue>(ObjectMap());
  ObjectMap& members = static_cast<CObjectValue&>(*m_Ptr).Stored();
  return members[key ? key : ""];
}

int CJson::GetType() const { return m_Ptr ? m_Ptr->GetType() : TYPE_NULL; }
std::string CJson::GetString() const { return m_Ptr ? m_Ptr->GetString() : std::string(); }
double CJson::GetDouble() const { return m_Ptr ? m_Ptr->GetDouble() : 0.0; }
int CJson::GetInt() const { return m_Ptr ? m_Ptr->GetInt() : 0; }
bool CJson::GetBool() const { return m_Ptr ? m_Ptr->GetBool() : false; }
const ObjectMap& CJson::GetObject() const {
  return m_Ptr ? m_Ptr->GetObject() : CNullValue().GetObject();
}
const ArrayVec& CJson::GetArray() const {
  return m_Ptr ? m_Ptr->GetArray() : CNullValue().GetArray();
}

// ---- parser ----

void CParser::Fail(const char* message) {
  *m_Error = message;
  throw ParseStop{};
}

// value -> string | number | array | object | word, read from position 0
CJson CParser::Run() {
  m_Pos = 0;
  try {
    return ParseValue(0);
  } catch (const ParseStop&) {
  } catch (...) {  // conversion failures, running out of memory
  }
  if (m_Error->empty()) *m_Error = "Unknown Error.";
  return CJson();
}

// white space -> { ' ' | '\t' | '\r' | '\n' }, the end of text being an error
void CParser::SkipSpace() {
  while (true) {
    if (m_Pos >= m_Text.size()) Fail("out of range.");
    if (!IsSpace(m_Text[m_Pos])) return;
    ++m_Pos;
  }
}

char CParser::NextChar() {
  SkipSpace();
  return m_Text[m_Pos++];
}

// value -> '"' string | number | '[' elements ']' | '{' members '}' | true | false | null
CJson CParser::ParseValue(int depth) {
  if (depth >= kMaxDepth) Fail("nesting too deep.");
  const char c = NextChar();
  if (c == '"') {
    --m_Pos;
    return CJson(ParseString());
  }
  if (c == '+' || c == '-' || (c >= '0' && c <= '9')) {
    --m_Pos;
    return ParseNumber();
  }
  if (c == '[') {
    ArrayVec elements;
    if (NextChar() == ']') return CJson(std::move(elements));
    --m_Pos;
    while (true) {
      elements.push_back(ParseValue(depth + 1));
      const char next = NextChar();
      if (next == ']') return CJson(std::move(elements));
      if (next != ',') Fail("invalid token.");
    }
  }
  if (c == '{') {
    ObjectMap members;
    if (NextChar() == '}') return CJson(std::move(members));
    --m_Pos;
    while (true) {
      std::string key = ReadKey();
      if (NextChar() != ':') Fail("invalid token.");
      members[std::move(key)] = ParseValue(depth + 1);  // the last of equal keys wins
      const char next = NextChar();
      if (next == '}') return CJson(std::move(members));
      if (next != ',') Fail("invalid token.");
    }
  }
  if (c == 't' || c == 'f' || c == 'n') {
    --m_Pos;
    const char* word = c == 't' ? "true" : c == 'f' ? "false" : "null";
    if (!MatchWord(word)) Fail("invalid word.");
    if (c == 'n') return CJson();
    return CJson(c == 't');
  }
  Fail("invalid json.");
}

std::string CParser::ReadKey() {
  SkipSpace();
  return ParseString();
}

// string -> '"' { byte | lead trail | '\\' escape } '"'; the text must go on after it.
// The text is ANSI (Shift_JIS): a double-byte character is taken whole, so a
// trail byte 5C (表, ソ) is no escape. \uXXXX escapes are written in ANSI too.
std::string CParser::ParseString() {
  SkipSpace();
  auto take = [this]() {
    if (m_Pos + 1 >= m_Text.size()) Fail("out of range.");
    return m_Text[m_Pos++];
  };
  if (take() != '"') Fail("invalid begin of string.");
  std::string result;
  while (true) {
    const char c = take();
    if (c == '"') return result;
    if (IsAnsiLeadByte(c)) {
      result.push_back(c);
      result.push_back(take());
      continue;
    }
    if (c != '\\') {
      result.push_back(c);
      continue;
    }
    const char e = take();
    switch (e) {
      case '"': case '\\': case '/': result.push_back(e); break;
      case 'b': result.push_back('\b'); break;
      case 'f': result.push_back('\f'); break;
      case 'n': result.push_back('\n'); break;
      case 'r': result.push_back('\r'); break;
      case 't': result.push_back('\t'); break;
      case 'u': {
        std::u16string units(1, ReadHex4());
        // A high surrogate followed by an escaped low one is one character.
        if (units[0] >= 0xD800 && units[0] <= 0xDBFF && m_Pos + 1 < m_Text.size() &&
            m_Text[m_Pos] == '\\' && m_Text[m_Pos + 1] == 'u') {
          const unsigned saved = m_Pos;
          m_Pos += 2;
          const char16_t low = ReadHex4();
          if (low >= 0xDC00 && low <= 0xDFFF) {
            units.push_back(low);
          } else {
            m_Pos = saved;
          }
        }
        result += TextToBytes(units, CP_ACP);  // lacking characters and lone halves: "?"
        break;
      }
      default:
        Fail("invalid escape.");
    }
  }
}

// The four hexadecimal digits of a \u escape.
char16_t CParser::ReadHex4() {
  unsigned value = 0;
  for (int k = 0; k < 4; ++k) {
    if (m_Pos + 1 >= m_Text.size()) Fail("out of range.");
    const char h = m_Text[m_Pos++];
    const int digit = h >= '0' && h <= '9' ? h - '0'
                      : h >= 'a' && h <= 'f' ? h - 'a' + 10
                      : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                             : -1;
    if (digit < 0) Fail("invalid escape.");
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<char16_t>(value);
}

// number -> { '0'-'9' | '+' | '-' | '.' | 'e' | 'E' }, converted as a whole; must not end the text
CJson CParser::ParseNumber() {
  SkipSpace();
  const size_t start = m_Pos;
  while (m_Pos < m_Text.size()) {
    const char c = m_Text[m_Pos];
    if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E')) break;
    if (m_Pos + 1 >= m_Text.size()) Fail("out of range.");
    ++m_Pos;
  }
  const char* first = m_Text.data() + start;
  const char* last = m_Text.data() + m_Pos;
  // from_chars is locale-free but takes no leading '+'; a second sign after it
  // cannot convert at all, as with the C library.
  const char* digits = first;
  if (digits < last && *digits == '+') {
    ++digits;
    if (digits < last && (*digits == '+' || *digits == '-')) Fail("Unknown Error.");
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(digits, last, value);
  if (ec != std::errc()) Fail("Unknown Error.");
  if (end != last) Fail("invalid number");
  if (value >= -2147483648.0 && value <= 2147483647.0) {
    const int whole = static_cast<int>(value);
    if (static_cast<double>(whole) == value) return CJson(whole);
  }
  return CJson(value);
}

// word -> the exact bytes of "true", "false" or "null"; must not end the text
bool CParser::MatchWord(const char* word) {
  const std::string expected(word);
  std::string read;
  while (m_Pos < m_Text.size() && read.size() < expected.size()) read.push_back(m_Text[m_Pos++]);
  if (m_Pos >= m_Text.size()) Fail("out of range.");
  return read == expected;
}

}  // namespace json
