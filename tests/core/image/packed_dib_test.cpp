#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/errors.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> Header(std::int32_t w, std::int32_t h, std::uint16_t bits,
                                 std::uint32_t compression = 0, std::uint32_t used = 0) {
  std::vector<std::uint8_t> out(40, 0);
  const std::uint32_t size = 40;
  const std::uint16_t planes = 1;
  std::memcpy(&out[0], &size, 4);
  std::memcpy(&out[4], &w, 4);
  std::memcpy(&out[8], &h, 4);
  std::memcpy(&out[12], &planes, 2);
  std::memcpy(&out[14], &bits, 2);
  std::memcpy(&out[16], &compression, 4);
  std::memcpy(&out[32], &used, 4);
  return out;
}

TEST(PackedDib, ExportThenImportIsIdentity) {
  CDIBSection b;
  b.Create(3, 2);
  for (std::size_t i = 0; i < b.PixelBytes(); ++i) b.Pixels()[i] = static_cast<std::uint8_t>(i);
  const auto packed = b.ExportPackedDib();
  ASSERT_EQ(packed.size(), b.TotalSize());
  EXPECT_EQ(packed[0], 40);
  EXPECT_EQ(packed[14], 32);
  CDIBSection back;
  back.ImportPackedDib(packed);
  EXPECT_EQ(back.ExportPackedDib(), packed);
}

TEST(PackedDib, TopDownRowsAreStoredBottomFirst) {
  auto packed = Header(1, -2, 24);
  packed.insert(packed.end(), {1, 1, 1, 0, 2, 2, 2, 0});  // top row, then bottom row
  CDIBSection b;
  b.ImportPackedDib(packed);
  EXPECT_EQ(b.Row(0)[0], 1);
  EXPECT_EQ(b.Row(1)[0], 2);
}

TEST(PackedDib, ShortColourTableFollowsColoursUsed) {
  auto packed = Header(2, 1, 8, 0, 2);
  packed.insert(packed.end(), {0, 0, 0, 0, 50, 60, 70, 0});  // two entries only
  packed.insert(packed.end(), {1, 0, 0, 0});
  CDIBSection b;
  b.ImportPackedDib(packed);
  CDIBSection rgba;
  rgba.CopyFrom(&b);
  EXPECT_EQ(rgba.Row(0)[0], 50);
  EXPECT_EQ(rgba.Row(0)[2], 70);
}

TEST(PackedDib, DeepBitmapsWithoutColourTableImport) {
  for (const std::uint16_t bits : {16, 24, 32}) {
    SCOPED_TRACE(bits);
    auto packed = Header(3, 2, bits);
    const std::size_t row_bytes = (3 * bits / 8 + 3) / 4 * 4;
    packed.resize(packed.size() + 2 * row_bytes, 0);
    CDIBSection b;
    b.ImportPackedDib(packed);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.ExportPackedDib(), packed);
  }
}

TEST(PackedDib, DamagedInputIsRefusedAndChangesNothing) {
  auto truncated = Header(4, 4, 32);
  truncated.resize(40 + 60);
  const std::vector<std::vector<std::uint8_t>> bad = {
      std::vector<std::uint8_t>(39, 0),
      truncated,
      Header(100000, 1, 32),
      Header(4, 4, 7),
      Header(4, 4, 32, 1),
      Header(4, INT32_MIN, 32),
  };
  for (const auto& bytes : bad) {
    CDIBSection b;
    b.Create(1, 1);
    EXPECT_ANY_THROW(b.ImportPackedDib(bytes));
    EXPECT_EQ(b.Width(), 1);
  }
}

}  // namespace
}  // namespace lumi
