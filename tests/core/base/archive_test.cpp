#include "base/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> Store(const std::string& s) {
  MemorySink sink;
  CArchive ar(sink);
  ar.WriteString(s);
  return sink.TakeBytes();
}

std::string Load(const std::vector<std::uint8_t>& bytes) {
  MemorySource source(bytes);
  CArchive ar(source);
  std::string s = ar.ReadString();
  EXPECT_EQ(source.Remaining(), 0u) << "string reader left bytes behind";
  return s;
}

struct PrefixCase {
  std::size_t length;
  std::vector<std::uint8_t> prefix;
};

TEST(ArchiveString, LengthPrefixesAtTheirBoundaries) {
  const PrefixCase cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {65536, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text(c.length, 'q');
    const auto bytes = Store(text);
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));
    EXPECT_EQ(bytes.back() == 'q', c.length > 0);
    EXPECT_EQ(Load(bytes), text);
  }
}

TEST(ArchiveString, SignatureIsLengthByteThenBytes) {
  const auto bytes = Store("QUELMDAW1.0");
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(bytes[0], 11);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.end()), "QUELMDAW1.0");
}

TEST(ArchiveString, ReadsUtf16Form) {
  // 0xFF 0xFFFE marks 16-bit characters; the length prefix follows again.
  const std::vector<std::uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0x03, 'H', 0, 0xE9, 0, 0x3B, 0x04};
  EXPECT_EQ(Load(bytes), "H\xC3\xA9\xD0\xBB");  // "Hé" and Cyrillic el
}

TEST(ArchiveString, ReadsUtf16FormWithLongPrefix) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};  // 300 characters
  for (int i = 0; i < 300; ++i) bytes.insert(bytes.end(), {'z', 0});
  EXPECT_EQ(Load(bytes), std::string(300, 'z'));
}

TEST(ArchiveString, Windows1252CharactersStayEightBit) {
  // "é" and "€" both have Windows-1252 bytes.
  const auto bytes = Store("\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{2, 0xE9, 0x80}));
  EXPECT_EQ(Load(bytes), "\xC3\xA9\xE2\x82\xAC");
}

TEST(ArchiveString, TextOutsideWindows1252IsKeptAsUtf16) {
  const std::string text = "a\xE6\x97\xA5\xF0\x9F\x98\x80";  // "a", CJK "day", an emoji
  const auto bytes = Store(text);
  const std::vector<std::uint8_t> expected = {0xFF, 0xFE, 0xFF, 4,    'a',  0,
                                              0xE5, 0x65, 0x3D, 0xD8, 0x00, 0xDE};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(Load(bytes), text);
}

TEST(ArchiveString, TruncatedStringsFailWithoutAllocatingTheClaim) {
  const std::vector<std::vector<std::uint8_t>> damaged = {
      {},
      {5, 'a', 'b'},
      {0xFF},
      {0xFF, 0x10},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'},  // claims 2 GiB
      {0xFF, 0xFE, 0xFF, 0x02, 'a'},
  };
  for (const auto& bytes : damaged) {
    MemorySource source(bytes);
    CArchive ar(source);
    EXPECT_THROW(ar.ReadString(), ArchiveError);
  }
}

TEST(ArchiveNumbers, LittleEndianRoundTrip) {
  MemorySink sink;
  CArchive out(sink);
  std::int32_t i = -2;
  std::uint32_t u = 0x01020304;
  double d = 1.5;
  std::uint8_t b = 7;
  out.Exchange(i);
  out.Exchange(u);
  out.Exchange(d);
  out.Exchange(b);
  const std::vector<std::uint8_t> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                              0,    0,    0,    0,    0,    0,    0xF8, 0x3F, 7};
  ASSERT_EQ(sink.Bytes(), expected);

  MemorySource source(sink.Bytes());
  CArchive in(source);
  std::int32_t i2 = 0;
  std::uint32_t u2 = 0;
  double d2 = 0;
  std::uint8_t b2 = 0;
  in.Exchange(i2);
  in.Exchange(u2);
  in.Exchange(d2);
  in.Exchange(b2);
  EXPECT_EQ(i2, i);
  EXPECT_EQ(u2, u);
  EXPECT_EQ(d2, d);
  EXPECT_EQ(b2, b);
  EXPECT_THROW(in.ReadByte(), ArchiveError);
}

TEST(ArchiveNumbers, ShortReadThrowsAndConsumesNothing) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  MemorySource source(bytes);
  CArchive ar(source);
  EXPECT_THROW(ar.ReadInt32(), ArchiveError);
  EXPECT_EQ(source.Remaining(), 3u);
  EXPECT_EQ(ar.ReadUInt16(), 0x0201);
}

TEST(ArchiveNumbers, RequireRemainingGuardsCounts) {
  const std::vector<std::uint8_t> bytes(12);
  MemorySource source(bytes);
  CArchive ar(source);
  EXPECT_NO_THROW(ar.RequireRemaining(3, 4, "points"));
  EXPECT_THROW(ar.RequireRemaining(4, 4, "points"), ArchiveError);
  EXPECT_THROW(ar.RequireRemaining(0x4000000000000001ull, 4, "points"), ArchiveError);
}

}  // namespace
}  // namespace lumi
