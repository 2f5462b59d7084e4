#include "platform/int_text.h"

#include <gtest/gtest.h>

#include "platform/cstring.h"

namespace {

TEST(TextToInt, ReadsLikeTheRuntime) {
  struct Row {
    const char16_t* text;
    int value;
  };
  const Row rows[] = {{u"12", 12},         {u" 12 / 100", 12}, {u"-1", -1},          {u"+7x", 7},
                      {u"", 0},            {u"x1", 0},         {u"65535", 65535},     {u"\t\r\n 3", 3},
                      {u"abc", 0},         {u"4x5", 4},        {u"- 3", 0},           {u"+-3", 0},
                      {u"99999999999", 2147483647},            {u"-99999999999", -2147483647 - 1},
                      {u"2147483648", 2147483647},             {u"-2147483648", -2147483647 - 1}};
  for (const Row& r : rows) EXPECT_EQ(TextToInt(r.text), r.value) << CString(r.text);
}

TEST(TextToInt, TellsWhetherADigitWasThere) {
  struct Row {
    const char16_t* text;
    bool found;
  };
  const Row rows[] = {{u"0", true}, {u" -0x", true}, {u"", false}, {u"-", false}, {u" x9", false}};
  for (const Row& r : rows) {
    bool found = !r.found;
    TextToInt(r.text, &found);
    EXPECT_EQ(found, r.found) << CString(r.text);
  }
}

}  // namespace
