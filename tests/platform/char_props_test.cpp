#include "platform/char_props.h"

#include <gtest/gtest.h>

namespace {

TEST(CharPropsTest, HalfWidthClasses) {
  struct Case {
    char32_t c;
    bool half;
  };
  const Case cases[] = {
      {U'A', true},        {U'\x01', true},      {U'~', true},        {U'\uFF71', true},  // ｱ
      {U'\u00A5', true},   {U'\u20A9', true},    {U'\u3042', false},  {U'\uFF21', false},
      {U'\u3000', false},  {U'\u00E9', false},   {U'\u4E00', false},  {U'\U0001F600', false},
      {char32_t{0xD800}, false},  {U'\uFFE8', true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsHalfWidthChar(c.c), c.half) << std::hex << static_cast<unsigned>(c.c);
}

TEST(CharPropsTest, DefinedCharacters) {
  EXPECT_TRUE(IsDefinedChar(U'a'));
  EXPECT_TRUE(IsDefinedChar(U'\u3042'));
  EXPECT_TRUE(IsDefinedChar(char32_t{0xDC00}));
  EXPECT_FALSE(IsDefinedChar(U'\U000E0000'));
  EXPECT_FALSE(IsDefinedChar(0x110000));
}

TEST(CharPropsTest, CharWidthAtTreatsPairsAsOneCharacter) {
  std::u16string text = u"a\U0001F600\xD800";
  int units = -1;
  EXPECT_EQ(CharWidthAt(text, 0, &units), 1);
  EXPECT_EQ(units, 1);
  EXPECT_EQ(CharWidthAt(text, 1, &units), 2);
  EXPECT_EQ(units, 2);
  EXPECT_EQ(CharWidthAt(text, 3, &units), 2);  // a lone surrogate
  EXPECT_EQ(units, 1);
  EXPECT_EQ(CharWidthAt(text, 4, &units), 0);
  EXPECT_EQ(units, 0);
}

TEST(CharPropsTest, CaseMappingPerCodePoint) {
  EXPECT_EQ(ToUpperChar(U'a'), U'A');
  EXPECT_EQ(ToUpperChar(U'\uFF41'), U'\uFF21');  // full-width a
  EXPECT_EQ(ToLowerChar(U'\u0130'), U'i');
  EXPECT_EQ(ToUpperChar(U'あ'), U'あ');
}

}  // namespace
