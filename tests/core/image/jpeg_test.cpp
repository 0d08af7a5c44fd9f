// The JPEG writer and reader, and the structure of the files written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::TempDir;

struct Marker {
  int code;
  Bytes payload;
};

// The markers of a JPEG file up to and including the first start of scan.
std::vector<Marker> Markers(const Bytes& f) {
  std::vector<Marker> out;
  if (f.size() < 2 || f[0] != 0xFF || f[1] != 0xD8) return out;
  out.push_back({0xD8, {}});
  std::size_t p = 2;
  while (p + 4 <= f.size() && f[p] == 0xFF) {
    const int code = f[p + 1];
    const std::size_t len = (f[p + 2] << 8) | f[p + 3];
    out.push_back({code, Bytes(f.begin() + p + 4, f.begin() + p + 2 + len)});
    if (code == 0xDA) break;
    p += 2 + len;
  }
  return out;
}

// A smooth picture with a little noise, so compression is lossy but close.
Bytes Picture(int w, int h) {
  std::mt19937 rng(3);
  Bytes rgb;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      rgb.push_back(static_cast<std::uint8_t>(x * 255 / w));
      rgb.push_back(static_cast<std::uint8_t>(y * 255 / h));
      rgb.push_back(static_cast<std::uint8_t>(128 + rng() % 5));
    }
  }
  return rgb;
}

int MaxDifference(const Bytes& a, const Bytes& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}

class JpegTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PxClearJPGText();
    PxSetDCTMethod(0);
  }
  void TearDown() override { PxClearJPGText(); }
  TempDir dir_;
};

TEST_F(JpegTest, RoundTripKeepsSizeColoursAndComments) {
  const Bytes rgb = Picture(37, 21);
  PxAddJPGText("Lumiverdant PLV");
  PxAddJPGText("second");
  const auto path = dir_.File("a.jpg");
  ASSERT_TRUE(PxSaveJPG(path, rgb.data(), 37, 21, 95, true, false));
  EXPECT_EQ(PxGetLastError(), 0);
  const auto back = PxLoadJPG(path);
  ASSERT_TRUE(back) << PxGetLastError();
  EXPECT_EQ(back->width, 37);
  EXPECT_EQ(back->height, 21);
  EXPECT_LE(MaxDifference(back->pixels, rgb), 12);
  EXPECT_EQ(PxReadTexts(), (std::vector<std::string>{"Lumiverdant PLV", "second"}));
}

TEST_F(JpegTest, MarkersComeInOrderSoiApp0CommentsThenTables) {
  for (bool progressive : {false, true}) {
    PxClearJPGText();
    PxAddJPGText("hello");
    const auto path = dir_.File("m.jpg");
    ASSERT_TRUE(PxSaveJPG(path, Picture(16, 16).data(), 16, 16, 80, true, progressive));
    const auto markers = Markers(TempDir::Read(path));
    ASSERT_GE(markers.size(), 5u);
    EXPECT_EQ(markers[0].code, 0xD8);
    EXPECT_EQ(markers[1].code, 0xE0);
    // JFIF, version, density unit 0, density 1 x 1.
    const Bytes& app0 = markers[1].payload;
    ASSERT_GE(app0.size(), 12u);
    EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
    EXPECT_EQ(app0[7], 0);
    EXPECT_EQ((app0[8] << 8) | app0[9], 1);
    EXPECT_EQ((app0[10] << 8) | app0[11], 1);
    EXPECT_EQ(markers[2].code, 0xFE);
    EXPECT_EQ(markers[2].payload, (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(markers[3].code, 0xDB);  // the tables follow
    bool baseline = false, progressive_frame = false;
    for (const Marker& m : markers) {
      baseline |= m.code == 0xC0;
      progressive_frame |= m.code == 0xC2;
    }
    EXPECT_EQ(baseline, !progressive);
    EXPECT_EQ(progressive_frame, progressive);
    // The comment survives progressive mode too.
    ASSERT_TRUE(PxLoadJPG(path));
    EXPECT_EQ(PxReadTexts(), std::vector<std::string>{"hello"});
  }
}

TEST_F(JpegTest, QualityReachesTheLibraryWithBaselineTables) {
  // Quality 100 gives all-one tables; quality 0 (taken as 1 by the library) gives
  // entries that baseline tables cap at 255, stored with 8-bit precision.
  const auto path = dir_.File("q.jpg");
  ASSERT_TRUE(PxSaveJPG(path, Picture(8, 8).data(), 8, 8, 100, true, false));
  for (const Marker& m : Markers(TempDir::Read(path))) {
    if (m.code != 0xDB) continue;
    EXPECT_EQ(m.payload[0] >> 4, 0);
    for (std::size_t i = 1; i < 65; ++i) EXPECT_EQ(m.payload[i], 1);
  }
  ASSERT_TRUE(PxSaveJPG(path, Picture(8, 8).data(), 8, 8, 0, true, false));
  int maximum = 0;
  for (const Marker& m : Markers(TempDir::Read(path))) {
    if (m.code != 0xDB) continue;
    EXPECT_EQ(m.payload[0] >> 4, 0);
    for (std::size_t i = 1; i < 65; ++i) maximum = std::max<int>(maximum, m.payload[i]);
  }
  EXPECT_EQ(maximum, 255);
}

TEST_F(JpegTest, GreyscaleHasOneComponentAndLoadsWithEqualChannels) {
  const Bytes rgb = Picture(20, 10);
  const auto path = dir_.File("g.jpg");
  ASSERT_TRUE(PxSaveJPG(path, rgb.data(), 20, 10, 90, false, false));
  for (const Marker& m : Markers(TempDir::Read(path))) {
    if (m.code == 0xC0) {
      EXPECT_EQ(m.payload[5], 1);
    }
  }
  const auto back = PxLoadJPG(path);
  ASSERT_TRUE(back);
  for (std::size_t i = 0; i < back->pixels.size(); i += 3) {
    ASSERT_EQ(back->pixels[i], back->pixels[i + 1]);
    ASSERT_EQ(back->pixels[i], back->pixels[i + 2]);
    // Y = trunc(0.299 R + 0.587 G + 0.114 B), within compression loss.
    const std::uint8_t* p = &rgb[i];
    const int y = static_cast<int>(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]);
    ASSERT_LE(std::abs(back->pixels[i] - y), 8);
  }
}

// Pictures still being made are written from rows handed over one at a time: each row is
// asked for once, top row first, and a row that cannot be made stops the writer.
TEST_F(JpegTest, RowsAreAskedOnceInOrderAndANullRowStopsTheWriter) {
  constexpr int kWidth = 61, kHeight = 47;
  const Bytes rgb = Picture(kWidth, kHeight);
  std::vector<int> in_order(kHeight);
  for (int y = 0; y < kHeight; ++y) in_order[static_cast<std::size_t>(y)] = y;
  for (const bool colour : {true, false}) {
    for (const bool progressive : {false, true}) {
      std::vector<int> asked;
      const auto bytes = PxEncodeJPGRows(
          [&](int y) {
            asked.push_back(y);
            return rgb.data() + static_cast<std::size_t>(y) * kWidth * 3;
          },
          kWidth, kHeight, 90, colour, progressive);
      ASSERT_TRUE(bytes) << colour << progressive;
      EXPECT_EQ(asked, in_order) << colour << progressive;
    }
  }
  std::vector<int> asked;
  const RgbRowSource stops_at_20 = [&](int y) -> const std::uint8_t* {
    asked.push_back(y);
    return y == 20 ? nullptr : rgb.data() + static_cast<std::size_t>(y) * kWidth * 3;
  };
  EXPECT_FALSE(PxEncodeJPGRows(stops_at_20, kWidth, kHeight, 90, true, false));
  EXPECT_EQ(PxGetLastError(), kPxOutOfMemory);
  EXPECT_EQ(asked.size(), 21u);
  const auto path = dir_.File("stopped.jpg");
  EXPECT_FALSE(PxSaveJPGRows(path, stops_at_20, kWidth, kHeight, 90, false, false));
  EXPECT_FALSE(std::filesystem::exists(path)) << "a stopped writer left a file";
}

TEST_F(JpegTest, EveryDctMethodWrites) {
  for (int method : {0, 1, 2, 3}) {
    PxSetDCTMethod(method);
    EXPECT_EQ(PxGetDCTMethod(), method);
    const auto path = dir_.File("d.jpg");
    ASSERT_TRUE(PxSaveJPG(path, Picture(24, 24).data(), 24, 24, 90, true, method % 2));
    const auto back = PxLoadJPG(path);
    ASSERT_TRUE(back);
    EXPECT_LE(MaxDifference(back->pixels, Picture(24, 24)), 16) << method;
  }
}

TEST_F(JpegTest, WriterFailuresKeepTheOldFile) {
  const auto path = dir_.Write("keep.jpg", {1, 2, 3});
  const Bytes rgb = Picture(4, 4);
  EXPECT_FALSE(PxSaveJPG(path, nullptr, 4, 4, 90, true, false));
  EXPECT_EQ(PxGetLastError(), 5);
  EXPECT_FALSE(PxSaveJPG(path, rgb.data(), 0, 4, 90, true, false));
  EXPECT_EQ(PxGetLastError(), 5);
  // A comment longer than a marker can hold is a library error.
  PxAddJPGText(std::string(70000, 'x'));
  EXPECT_FALSE(PxSaveJPG(path, rgb.data(), 4, 4, 90, true, false));
  EXPECT_EQ(PxGetLastError(), 9);
  EXPECT_EQ(TempDir::Read(path), (Bytes{1, 2, 3}));
  PxClearJPGText();
  EXPECT_FALSE(PxSaveJPG(dir_.File("no/such/dir.jpg"), rgb.data(), 4, 4, 90, true, false));
  EXPECT_EQ(PxGetLastError(), 2);
}

TEST_F(JpegTest, DamagedFilesFailWithCode9) {
  const auto good_path = dir_.File("good.jpg");
  ASSERT_TRUE(PxSaveJPG(good_path, Picture(32, 32).data(), 32, 32, 90, true, false));
  const Bytes good = TempDir::Read(good_path);
  // Frames claiming 60000 x 60000 pixels (beyond the program's limits) and 16000 x 16000
  // (within them, but far more than a file of this size can describe).
  auto claiming = [&](std::uint8_t high, std::uint8_t low) {
    Bytes bad = good;
    for (std::size_t p = 2; p + 9 < bad.size(); ++p) {
      if (bad[p] == 0xFF && bad[p + 1] == 0xC0) {
        bad[p + 5] = bad[p + 7] = high;
        bad[p + 6] = bad[p + 8] = low;
        break;
      }
    }
    return bad;
  };
  const Bytes huge = claiming(0xEA, 0x60), large = claiming(0x3E, 0x80);
  for (const Bytes& bad : {Bytes{}, Bytes{0xFF, 0xD8}, Bytes(good.begin(), good.begin() + 100),
                           Bytes{'n', 'o', 't'}, huge, large}) {
    PxSetLastError(0);
    EXPECT_FALSE(PxDecodeJPG(bad));
    EXPECT_EQ(PxGetLastError(), 9);
  }
  EXPECT_FALSE(PxLoadJPG(dir_.File("missing.jpg")));
  EXPECT_EQ(PxGetLastError(), 2);
}

}  // namespace
}  // namespace lumi
