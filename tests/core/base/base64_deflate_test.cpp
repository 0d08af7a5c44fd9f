#include <gtest/gtest.h>

#include <string>

#include "base/base64.h"
#include "base/deflate.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> BytesOf(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Base64, TheStandardTestVectors) {
  const struct {
    const char* plain;
    const char* encoded;
  } cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeBase64(BytesOf(c.plain)), c.encoded);
    EXPECT_EQ(DecodeBase64(c.encoded), BytesOf(c.plain)) << c.encoded;
  }
  const std::vector<std::uint8_t> high = {0xFB, 0xFF, 0x00, 0x3E};
  EXPECT_EQ(EncodeBase64(high), "+/8APg==");
  EXPECT_EQ(DecodeBase64("+/8APg=="), high);
}

TEST(Base64, RefusesAnythingElse) {
  for (const char* bad : {"Zg=", "Zg", "Z===", "Zm9v!", "Zg==Zg==", "=Zg=", "Zm 9v", "Zm=v"}) {
    EXPECT_FALSE(DecodeBase64(bad).has_value()) << bad;
  }
}

TEST(Deflate, RoundTripAndTheLimits) {
  std::vector<std::uint8_t> data(100000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 % 251);
  const auto packed = DeflateBytes(data);
  EXPECT_LT(packed.size(), data.size());
  EXPECT_EQ(InflateBytes(packed, data.size() + 1), data);
  EXPECT_FALSE(InflateBytes(packed, data.size() / 2).has_value()) << "more than allowed";
  auto cut = packed;
  cut.resize(cut.size() - 10);
  EXPECT_FALSE(InflateBytes(cut, data.size() * 2).has_value()) << "a stream that does not end";
  auto longer = packed;
  longer.push_back(0);
  EXPECT_FALSE(InflateBytes(longer, data.size() * 2).has_value()) << "bytes after the stream";
  EXPECT_EQ(InflateBytes(longer, data.size() * 2, TrailingInput::kIgnored), data);
  EXPECT_EQ(InflateBytes(packed, data.size()), data) << "a limit of exactly the size";
  auto damaged = packed;
  damaged[packed.size() / 2] ^= 0x55;
  EXPECT_FALSE(InflateBytes(damaged, data.size() * 2).has_value());
  EXPECT_EQ(InflateBytes(DeflateBytes({}), 16), std::vector<std::uint8_t>{});
}

}  // namespace
}  // namespace lumi
