#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

TEST(TextEncoding, EveryWindows1252ByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(byte));
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, byte) << b;
  }
}

TEST(TextEncoding, HighRangeMapsToTheWindowsCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\x85\x99\x9F"), "\xE2\x82\xAC\xE2\x80\xA6\xE2\x84\xA2\xC5\xB8");
}

TEST(TextEncoding, CharactersWithoutAByteAreRefused) {
  EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5").has_value());
  EXPECT_EQ(Utf8ToCp1252("plain"), "plain");
}

TEST(TextEncoding, MalformedUtf8BecomesReplacementCharacters) {
  const struct {
    std::string in;
    std::u32string out;
  } cases[] = {
      {"\xFF", U"\uFFFD"},
      {"a\xC3", U"a\uFFFD"},              // cut short at the end
      {"\xC0\xAF", U"\uFFFD\uFFFD"},      // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xF0\x9F\x98\x80", U"\U0001F600"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUtf8(c.in), c.out) << c.in;
}

TEST(TextEncoding, Utf16SurrogatesPairAndUnpairedOnesAreReplaced) {
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xDE00}), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, u'x'}), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace lumi
