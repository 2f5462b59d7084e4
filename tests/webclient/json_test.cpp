#include "webclient/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParseCase {
  const char* name;
  std::string text;
  const char* error;  // "" when the parse succeeds
};

class JsonParseErrors : public ::testing::TestWithParam<ParseCase> {};

TEST_P(JsonParseErrors, GivesTheExactErrorText) {
  const ParseCase& c = GetParam();
  json::CJson value(std::string("previous"));
  std::string error;
  json::CJson::Parse(value, c.text, error);
  EXPECT_EQ(error, c.error) << c.text;
  if (*c.error) {
    EXPECT_EQ(value.GetType(), json::TYPE_NULL);
  }
}

std::string Nested(int depth) {
  return std::string(depth, '[') + "1" + std::string(depth, ']') + " ";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonParseErrors,
    ::testing::Values(
        ParseCase{"ObjectWithTrailingBytes", "{\"token\":\"abc\"} garbage", ""},
        ParseCase{"LoneStringEndsOnLastByte", "\"abc\"", "out of range."},
        ParseCase{"LoneNumberEndsOnLastByte", "12", "out of range."},
        ParseCase{"NumberFollowedBySpace", "12 ", ""},
        ParseCase{"EmptyText", "", "out of range."},
        ParseCase{"OnlySpaces", "  \r\n\t", "out of range."},
        ParseCase{"UnquotedKey", "{token:1}", "invalid begin of string."},
        ParseCase{"ArrayWithoutComma", "[1 2]", "invalid token."},
        ParseCase{"KeyWithoutColon", "{\"a\" 1}", "invalid token."},
        ParseCase{"UnknownEscape", "{\"a\":\"x\\qy\"}", "invalid escape."},
        ParseCase{"ShortUnicodeEscape", "{\"a\":\"\\u30g0\"}", "invalid escape."},
        ParseCase{"EscapeCutOff", "{\"a\":\"x\\u30", "out of range."},
        ParseCase{"StringCutOff", "{\"token\":\"ab", "out of range."},
        ParseCase{"ExponentWithoutDigits", "{\"n\":1e}", "invalid number"},
        ParseCase{"NumberNotWhole", "{\"n\":1-2}", "invalid number"},
        ParseCase{"NumberCannotConvert", "{\"n\":-}", "Unknown Error."},
        ParseCase{"DoubleSignCannotConvert", "{\"n\":+-1}", "Unknown Error."},
        ParseCase{"NumberOverflowsDouble", "[" + std::string(400, '9') + "]", "Unknown Error."},
        ParseCase{"StartsWithNoValue", "?", "invalid json."},
        ParseCase{"HighByteStartsNoValue", "\x82\xa0", "invalid json."},
        ParseCase{"WordMismatch", "[trux]", "invalid word."},
        ParseCase{"WordEndsOnLastByte", "true", "out of range."},
        ParseCase{"WordCutShort", "[fal", "out of range."},
        ParseCase{"UnclosedArray", "[1,", "out of range."},
        ParseCase{"NestingAtLimit", Nested(json::kMaxDepth - 1), ""},
        ParseCase{"NestingTooDeep", Nested(json::kMaxDepth), "nesting too deep."},
        ParseCase{"VeryDeepDoesNotExhaustStack", std::string(1000000, '['), "nesting too deep."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Json, MemberTokenReadsAsText) {
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, "{ \"token\" : \"abc\" , \"prcnt\":\"12/100\"}", error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(value["token"].GetString(), "abc");
  EXPECT_EQ(value["prcnt"].GetString(), "12/100");
  EXPECT_EQ(value["missing"].GetString(), "");
}

// Standard JSON strings: every escape; \uXXXX and surrogate pairs become ANSI
// (Shift_JIS) bytes, "?" where ANSI has no such character. A double-byte
// character whose trail byte is 5C is no escape.
TEST(Json, StringEscapesReadAsAnsiText) {
  struct Row {
    const char* name;
    std::string text;
    std::string value;
  };
  const Row rows[] = {
      {"quote and backslash", R"(["a\"b\\c"] )", "a\"b\\c"},
      {"solidus", R"(["http:\/\/host\/x"] )", "http://host/x"},
      {"control escapes", R"(["\b\f\n\r\t"] )", "\b\f\n\r\t"},
      {"hiragana", R"(["\u3042\u3044"] )", "\x82\xa0\x82\xa2"},
      {"upper-case hex", R"(["\u00E9\u0041"] )", "?A"},
      {"surrogate pair outside ANSI", R"(["x\ud83d\ude00y"] )", "x?y"},
      {"lone high surrogate", R"(["\ud83dz"] )", "?z"},
      {"trail byte 5C", "[\"\x95\x5c\x83\x5c\"] ", "\x95\x5c\x83\x5c"},
  };
  for (const Row& r : rows) {
    json::CJson value;
    std::string error;
    json::CJson::Parse(value, r.text, error);
    ASSERT_EQ(error, "") << r.name;
    EXPECT_EQ(value.GetArray().at(0).GetString(), r.value) << r.name;
  }
}

TEST(Json, EscapedTokenIsReadWhole) {
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, R"({"note":"say \"hi\"","token":"a\/b"})", error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(value["token"].GetString(), "a/b");
  EXPECT_EQ(value["note"].GetString(), "say \"hi\"");
}

TEST(Json, LastOfEqualKeysWins) {
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, "{\"a\":1,\"a\":2}", error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(value.GetObject().size(), 1u);
  EXPECT_EQ(value["a"].GetInt(), 2);
}

TEST(Json, NumbersReadAsDoubleAndAsInt) {
  struct Row {
    const char* text;
    int asInt;  // cut toward zero, saturated at the int range
    double value;
  };
  const Row rows[] = {{"[-7]", -7, -7},                  {"[2.5]", 2, 2.5},
                      {"[2.0]", 2, 2},                   {"[3000000000]", 2147483647, 3e9},
                      {"[+4]", 4, 4},                    {"[-2147483648]", -2147483647 - 1, -2147483648.0},
                      {"[1e5]", 100000, 1e5},            {"[2.5E-3]", 0, 2.5e-3},
                      {"[-1.5e+2]", -150, -150},         {"[6.02e23]", 2147483647, 6.02e23},
                      {"[-2.9]", -2, -2.9},              {"[-6.02e23]", -2147483647 - 1, -6.02e23}};
  for (const Row& r : rows) {
    json::CJson value;
    std::string error;
    json::CJson::Parse(value, r.text, error);
    ASSERT_EQ(error, "") << r.text;
    const json::CJson& n = value.GetArray().at(0);
    EXPECT_EQ(n.GetType(), json::TYPE_NUMBER) << r.text;
    EXPECT_EQ(n.GetInt(), r.asInt) << r.text;
    EXPECT_EQ(n.GetDouble(), r.value) << r.text;
  }
}

TEST(Json, ValuesDoNotConvertBetweenKinds) {
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, "{\"s\":\"5\",\"b\":true,\"n\":null,\"d\":-2.75,\"e\":[],\"o\":{}}", error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(value["s"].GetInt(), 0);
  EXPECT_EQ(value["b"].GetInt(), 0);
  EXPECT_TRUE(value["b"].GetBool());
  EXPECT_EQ(value["n"].GetType(), json::TYPE_NULL);
  EXPECT_EQ(value["d"].GetInt(), -2);
  EXPECT_EQ(value["d"].GetString(), "");
  EXPECT_EQ(value["e"].GetType(), json::TYPE_ARRAY);
  EXPECT_TRUE(value["e"].GetArray().empty());
  EXPECT_EQ(value["o"].GetType(), json::TYPE_OBJECT);
}

TEST(Json, MemberOfFailedParseIsInsertedNull) {
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, "not json", error);
  ASSERT_FALSE(error.empty());
  EXPECT_EQ(value["token"].GetString(), "");
  EXPECT_EQ(value.GetType(), json::TYPE_OBJECT);
  EXPECT_EQ(value.GetObject().size(), 1u);
  EXPECT_EQ(value["token"].GetType(), json::TYPE_NULL);
}

TEST(Json, MemberAccessOnSharedNonObjectLeavesOtherHandleAlone) {
  json::CJson a(std::string("text"));
  json::CJson b = a;
  b["k"] = json::CJson(1);
  EXPECT_EQ(a.GetString(), "text");
  EXPECT_EQ(b["k"].GetInt(), 1);
}

}  // namespace
