#include <gtest/gtest.h>

#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "base/host.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> Le32(std::initializer_list<std::int32_t> values) {
  std::vector<std::uint8_t> out;
  for (std::int32_t v : values) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  return out;
}

std::vector<std::uint8_t> Store(CDIBSection& b) {
  MemorySink sink;
  CArchive ar(sink);
  RecordingHost host;
  b.Serialize(ar, host);
  EXPECT_TRUE(host.Log().empty());
  return sink.TakeBytes();
}

TEST(DibSerialize, TwoByOneBitmapBytes) {
  CDIBSection b;
  b.Create(2, 1);
  const std::uint8_t px[] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::copy(std::begin(px), std::end(px), b.Pixels());
  auto expected = Le32({0, 2, 1, 8});
  expected.insert(expected.end(), std::begin(px), std::end(px));
  EXPECT_EQ(Store(b), expected);
}

TEST(DibSerialize, EmptyBitmapIsTheSingleIntegerOne) {
  CDIBSection b;
  EXPECT_EQ(Store(b), Le32({1}));
}

TEST(DibSerialize, RoundTripKeepsStorageOrderAndSetsAlphaFlag) {
  CDIBSection b;
  b.Create(3, 2, 32, false);
  for (std::size_t i = 0; i < b.PixelBytes(); ++i) b.Pixels()[i] = static_cast<std::uint8_t>(i * 7);
  const auto bytes = Store(b);

  MemorySource source(bytes);
  CArchive ar(source);
  RecordingHost host;
  CDIBSection loaded;
  loaded.Serialize(ar, host);
  EXPECT_EQ(source.Remaining(), 0u);
  EXPECT_TRUE(host.Log().empty());
  EXPECT_TRUE(loaded.HasAlphaFlag());
  ASSERT_EQ(loaded.Width(), 3);
  ASSERT_EQ(loaded.Height(), 2);
  EXPECT_TRUE(std::equal(b.Pixels(), b.Pixels() + b.PixelBytes(), loaded.Pixels()));
}

TEST(DibSerialize, StoredEmptyFlagEmptiesTheBitmap) {
  const auto bytes = Le32({1, 99});
  MemorySource source(bytes);
  CArchive ar(source);
  RecordingHost host;
  CDIBSection b;
  b.Create(2, 2);
  b.Serialize(ar, host);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(source.Remaining(), 4u) << "only the flag belongs to an empty bitmap";
}

TEST(DibSerialize, DamagedBitmapsFailWithTheirMessageAndChangeNothing) {
  std::vector<std::uint8_t> short_pixels = Le32({0, 2, 1, 8});
  short_pixels.insert(short_pixels.end(), {1, 2, 3});
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* message;
  } cases[] = {
      {"count 9 for 2 x 1", Le32({0, 2, 1, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "Corupted Data!"},
      {"negative size", Le32({0, -2, -1, 8}), "Corupted Data!"},
      {"count wrapping 32 bits", Le32({0, 65536, 16384, 0}), "Corupted Data!"},
      {"huge but consistent", Le32({0, 40000, 40000, 0x7FFFFFFF}), "Corupted Data!"},
      // The product of these sides overflows 64 bits once multiplied by 4.
      {"sides overflowing the byte count", Le32({0, 0x63000001, 0x63000001, 0}), "Corupted Data!"},
      {"pixels cut short", short_pixels, "Bitmap:: Data Read Error!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySource source(c.bytes);
    CArchive ar(source);
    RecordingHost host;
    CDIBSection b;
    b.Create(1, 1);
    b.FillRGBA(RGB(7, 7, 7));
    EXPECT_THROW(b.Serialize(ar, host), ArchiveError);
    EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Pixels()[0], 7);
  }
}

TEST(DibSerialize, TruncatedHeaderThrows) {
  const auto bytes = Le32({0, 2});
  MemorySource source(bytes);
  CArchive ar(source);
  RecordingHost host;
  CDIBSection b;
  EXPECT_THROW(b.Serialize(ar, host), ArchiveError);
}

}  // namespace
}  // namespace lumi
