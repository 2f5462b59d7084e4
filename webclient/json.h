#pragma once
// JSON values and the small parser that reads the document service's answers.
//
// The parser works on 8-bit text (the answer already converted to the ANSI code
// page), reads every escape of standard JSON (\uXXXX and surrogate pairs become
// ANSI bytes, "?" for a character ANSI lacks) and numbers with exponents, and
// reports the first error as one short English text. Nothing here writes JSON.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace json {

class CJson;
class CBaseValue;

using ObjectMap = std::unordered_map<std::string, CJson>;
using ArrayVec = std::vector<CJson>;

struct NullStruct {};

// Type codes returned by GetType.
enum : int { TYPE_STRING = 0, TYPE_NUMBER = 1, TYPE_BOOL = 2, TYPE_NULL = 3, TYPE_OBJECT = 4,
             TYPE_ARRAY = 5 };

// Nesting deeper than this fails the parse instead of exhausting the stack.
constexpr int kMaxDepth = 256;

// Handle to one shared value. Copies share the value; a moved-from handle is empty
// (and reads like null).
class CJson {
 public:
  CJson();                                   // null
  CJson(std::string value);                  // string
  CJson(const char* value);                  // string
  CJson(int value);                          // integer number
  CJson(double value);                       // double number
  CJson(bool value);                         // boolean
  CJson(ObjectMap value);                    // object
  CJson(ArrayVec value);                     // array
  CJson(const CJson&) = default;
  CJson(CJson&&) noexcept = default;
  CJson& operator=(const CJson&) = default;
  CJson& operator=(CJson&&) noexcept = default;

  // Parses text into out. On success error is left as it was (pass an empty one);
  // on failure out becomes null and error holds the message.
  static void Parse(CJson& out, const std::string& text, std::string& error);

  // Member access: a handle whose value is not an object first gets a new empty
  // object (other handles keep the old value); a missing member is inserted as null.
  CJson& operator[](const char* key);

  int GetType() const;
  std::string GetString() const;   // empty unless a string
  double GetDouble() const;        // 0.0 unless a number
  int GetInt() const;              // 0 unless a number (doubles cut toward zero)
  bool GetBool() const;            // false unless a boolean
  const ObjectMap& GetObject() const;  // a shared empty map unless an object
  const ArrayVec& GetArray() const;    // a shared empty vector unless an array

  // The value itself, for tests that check which class was built; null when empty.
  const CBaseValue* Value() const { return m_Ptr.get(); }

 private:
  std::shared_ptr<CBaseValue> m_Ptr;
};

class CBaseValue {
 public:
  virtual ~CBaseValue() = default;
  virtual int GetType() const = 0;
  virtual std::string GetString() const;
  virtual double GetDouble() const;
  virtual int GetInt() const;
  virtual bool GetBool() const;
  virtual const ObjectMap& GetObject() const;
  virtual const ArrayVec& GetArray() const;
};

template <int Code, typename T>
class CValue : public CBaseValue {
 public:
  explicit CValue(T value) : m_Value(std::move(value)) {}
  int GetType() const override { return Code; }
  T& Stored() { return m_Value; }

 protected:
  T m_Value;
};

class CStringValue final : public CValue<TYPE_STRING, std::string> {
 public:
  using CValue::CValue;
  std::string GetString() const override { return m_Value; }
};

class CNumberValue final : public CValue<TYPE_NUMBER, int> {
 public:
  using CValue::CValue;
  double GetDouble() const override { return m_Value; }
  int GetInt() const override { return m_Value; }
};

class CDoubleValue final : public CValue<TYPE_NUMBER, double> {
 public:
  using CValue::CValue;
  double GetDouble() const override { return m_Value; }
  int GetInt() const override;
};

class CBooleanValue final : public CValue<TYPE_BOOL, bool> {
 public:
  using CValue::CValue;
  bool GetBool() const override { return m_Value; }
};

class CNullValue final : public CValue<TYPE_NULL, NullStruct> {
 public:
  CNullValue() : CValue(NullStruct{}) {}
};

class CObjectValue final : public CValue<TYPE_OBJECT, ObjectMap> {
 public:
  using CValue::CValue;
  const ObjectMap& GetObject() const override { return m_Value; }
};

class CArrayValue final : public CValue<TYPE_ARRAY, ArrayVec> {
 public:
  using CValue::CValue;
  const ArrayVec& GetArray() const override { return m_Value; }
};

// Parser state: a copy of the text, the read position and the caller's error text.
class CParser {
 public:
  CParser(const std::string& text, std::string* error) : m_Text(text), m_Error(error) {}

  // Parses one value from the start; bytes after it are ignored. Any error gives
  // null, with "Unknown Error." when no more precise text was stored.
  CJson Run();

 private:
  CJson ParseValue(int depth);
  void SkipSpace();
  char NextChar();
  std::string ReadKey();
  std::string ParseString();
  char16_t ReadHex4();
  CJson ParseNumber();
  bool MatchWord(const char* word);
  [[noreturn]] void Fail(const char* message);

  std::string m_Text;
  unsigned m_Pos = 0;
  std::string* m_Error;
};

}  // namespace json
