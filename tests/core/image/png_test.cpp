// The PNG reader on files made with libpng here, and the PNG writers' chunks.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>
#include <ctime>
#include <functional>

#include <png.h>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::TempDir;

struct PngRecipe {
  int width = 1, height = 1, type = PNG_COLOR_TYPE_RGB, depth = 8;
  Bytes rows;                        // packed stored rows, no filter bytes
  std::vector<png_color> palette;
  Bytes transparency;                // tRNS for palettes
  std::optional<png_color_16> background;
  double gamma = 0;                  // 0: no gAMA chunk
  bool interlaced = false;           // Adam7
  std::vector<std::pair<std::string, std::string>> texts_before, texts_after;
};

void WriteToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

void SetTexts(png_structp png, png_infop info, const std::vector<std::pair<std::string, std::string>>& texts, int compression) {
  for (const auto& [key, value] : texts) {
    png_text t{};
    t.compression = compression;
    t.key = const_cast<char*>(key.c_str());
    t.text = const_cast<char*>(value.c_str());
    png_set_text(png, info, &t, 1);
  }
}

Bytes MakePng(const PngRecipe& s) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.depth, s.type,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
  if (!s.transparency.empty()) {
    png_set_tRNS(png, info, s.transparency.data(), static_cast<int>(s.transparency.size()), nullptr);
  }
  if (s.background) png_set_bKGD(png, info, &*s.background);
  if (s.gamma > 0) png_set_gAMA(png, info, s.gamma);
  SetTexts(png, info, s.texts_before, PNG_TEXT_COMPRESSION_NONE);
  png_write_info(png, info);
  const std::size_t row_bytes = s.rows.size() / s.height;
  std::vector<png_bytep> rows;
  for (int y = 0; y < s.height; ++y) rows.push_back(const_cast<png_bytep>(s.rows.data() + y * row_bytes));
  png_write_image(png, rows.data());
  png_infop end = png_create_info_struct(png);
  SetTexts(png, end, s.texts_after, PNG_TEXT_COMPRESSION_zTXt);
  png_write_end(png, end);
  png_destroy_info_struct(png, &end);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes Decode(const PngRecipe& s) {
  const Bytes file = MakePng(s);
  EXPECT_FALSE(file.empty());
  const auto image = PxDecodePNG(file);
  EXPECT_TRUE(image) << PxGetLastError();
  if (!image) return {};
  EXPECT_EQ(image->width, s.width);
  EXPECT_EQ(image->height, s.height);
  return image->pixels;
}

TEST(PngReader, PaletteIsExpanded) {
  PngRecipe s;
  s.width = 4;
  s.type = PNG_COLOR_TYPE_PALETTE;
  s.depth = 2;
  s.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};
  s.rows = {0b00011011};
  EXPECT_EQ(Decode(s), (Bytes{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
}

TEST(PngReader, InterlacedRowsComeOutInOrder) {
  PngRecipe s;
  s.width = 9;
  s.height = 7;
  s.interlaced = true;
  for (int i = 0; i < 9 * 7 * 3; ++i) s.rows.push_back(static_cast<std::uint8_t>(i * 3));
  EXPECT_EQ(Decode(s), s.rows);
}

TEST(PngReader, LowBitGreyIsExpandedToRgb) {
  PngRecipe one;
  one.width = 3;
  one.type = PNG_COLOR_TYPE_GRAY;
  one.depth = 1;
  one.rows = {0b10100000};
  EXPECT_EQ(Decode(one), (Bytes{255, 255, 255, 0, 0, 0, 255, 255, 255}));
  PngRecipe four = one;
  four.width = 2;
  four.depth = 4;
  four.rows = {0x3F};
  EXPECT_EQ(Decode(four), (Bytes{51, 51, 51, 255, 255, 255}));
}

TEST(PngReader, SixteenBitSamplesKeepTheirHighByte) {
  PngRecipe s;
  s.depth = 16;
  s.rows = {0x12, 0x34, 0xAB, 0x00, 0x00, 0xFF};
  EXPECT_EQ(Decode(s), (Bytes{0x12, 0xAB, 0x00}));
}

TEST(PngReader, AlphaIsFlattenedOnTheFilesBackground) {
  PngRecipe s;
  s.width = 3;
  s.type = PNG_COLOR_TYPE_GRAY_ALPHA;
  s.rows = {200, 0, 200, 255, 200, 128};
  png_color_16 grey{};
  grey.gray = 50;
  s.background = grey;
  const Bytes out = Decode(s);
  ASSERT_EQ(out.size(), 9u);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 6), (Bytes{50, 50, 50, 200, 200, 200}));
  EXPECT_NEAR(out[6], (200 * 128 + 50 * 127) / 255.0, 1.0);
}

TEST(PngReader, AlphaWithoutBackgroundIsFlattenedOnBlack) {
  PngRecipe s;
  s.width = 2;
  s.type = PNG_COLOR_TYPE_RGB_ALPHA;
  s.rows = {255, 100, 50, 0, 255, 100, 50, 255};
  EXPECT_EQ(Decode(s), (Bytes{0, 0, 0, 255, 100, 50}));
}

TEST(PngReader, PaletteTransparencyIsFlattenedToo) {
  PngRecipe s;
  s.width = 2;
  s.type = PNG_COLOR_TYPE_PALETTE;
  s.palette = {{200, 0, 0}, {0, 200, 0}};
  s.transparency = {0, 255};
  s.rows = {0, 1};
  EXPECT_EQ(Decode(s), (Bytes{0, 0, 0, 0, 200, 0}));
}

TEST(PngReader, FileGammaIsCorrectedForTheScreen) {
  PngRecipe s;
  s.rows = {128, 128, 128};
  s.gamma = 1 / 2.2;  // already encoded for the screen: unchanged
  EXPECT_EQ(Decode(s), (Bytes{128, 128, 128}));
  s.gamma = 1.0;  // linear samples are brightened: 255 (128 / 255)^(1 / 2.2) = 186
  const Bytes linear = Decode(s);
  ASSERT_EQ(linear.size(), 3u);
  EXPECT_NEAR(linear[0], 186, 1);
}

TEST(PngReader, TextChunksAreCollected) {
  PngRecipe s;
  s.rows = {1, 2, 3};
  s.texts_before = {{"Title", "before"}};
  s.texts_after = {{"Comment", "after"}};
  ASSERT_EQ(Decode(s), (Bytes{1, 2, 3}));
  EXPECT_EQ(PxReadTexts(), (std::vector<std::string>{"before", "after"}));
}

TEST(PngReader, DamagedFilesFailWithCode15) {
  PngRecipe s;
  s.width = 64;
  s.height = 64;
  s.rows.assign(64 * 64 * 3, 7);
  const Bytes good = MakePng(s);
  Bytes bad_crc = good;
  bad_crc[29] ^= 1;  // inside the IHDR chunk's CRC
  Bytes huge = good;  // IHDR claims 30000 x 30000
  huge[18] = huge[22] = 0x75;
  huge[19] = huge[23] = 0x30;
  for (const Bytes& bad : {Bytes{}, Bytes(good.begin(), good.begin() + 8),
                           Bytes(good.begin(), good.end() - 30), bad_crc, huge,
                           Bytes{'G', 'I', 'F', '8', '9', 'a'}}) {
    PxSetLastError(0);
    EXPECT_FALSE(PxDecodePNG(bad));
    EXPECT_EQ(PxGetLastError(), 15);
  }
}

struct Chunk {
  std::string type;
  Bytes data;
};

std::vector<Chunk> Chunks(const Bytes& f) {
  std::vector<Chunk> out;
  for (std::size_t p = 8; p + 12 <= f.size();) {
    const std::size_t len = (f[p] << 24) | (f[p + 1] << 16) | (f[p + 2] << 8) | f[p + 3];
    out.push_back({std::string(f.begin() + p + 4, f.begin() + p + 8),
                   Bytes(f.begin() + p + 8, f.begin() + p + 8 + len)});
    p += 12 + len;
  }
  return out;
}

std::vector<std::string> ChunkTypes(const std::vector<Chunk>& chunks) {
  std::vector<std::string> types;
  for (const Chunk& c : chunks) {
    if (types.empty() || types.back() != c.type) types.push_back(c.type);
  }
  return types;
}

TEST(PngWriter, RgbFileChunksAndRoundTrip) {
  TempDir dir;
  const Bytes rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 250, 251, 252};
  const auto path = dir.File("rgb.png");
  ASSERT_TRUE(PxSavePNG(path, rgb.data(), 2, 2));
  EXPECT_EQ(PxGetLastError(), 0);
  const Bytes file = TempDir::Read(path);
  ASSERT_GE(file.size(), 8u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}));
  const auto chunks = Chunks(file);
  EXPECT_EQ(ChunkTypes(chunks),
            (std::vector<std::string>{"IHDR", "bKGD", "pHYs", "tIME", "IDAT", "IEND"}));
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 2, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  EXPECT_EQ(chunks[1].data, Bytes(6, 0));
  EXPECT_EQ(chunks[2].data, (Bytes{0, 0, 0, 1, 0, 0, 0, 1, 0}));
  ASSERT_EQ(chunks[3].data.size(), 7u);
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  EXPECT_NEAR((chunks[3].data[0] << 8) | chunks[3].data[1], utc.tm_year + 1900, 1);
  const auto back = PxLoadPNG(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels, rgb);
}

// A build that renders pictures sets SOURCE_DATE_EPOCH so that the same picture gives
// the same file; without it (or with a value that is no number) the stamp is now.
TEST(PngWriter, FixedSourceDateMakesTheSameFileTwice) {
  TempDir dir;
  const Bytes rgb = {1, 2, 3, 4, 5, 6};
  struct Case {
    const char* epoch;
    int year, month, day, hour, minute, second;
  };
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  const Case cases[] = {{"1700000000", 2023, 11, 14, 22, 13, 20},
                        {"0", 1970, 1, 1, 0, 0, 0},
                        {"12x", utc.tm_year + 1900, -1, -1, -1, -1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.epoch);
    setenv("SOURCE_DATE_EPOCH", c.epoch, 1);
    ASSERT_TRUE(PxSavePNG(dir.File("a.png"), rgb.data(), 2, 1));
    const Bytes file = TempDir::Read(dir.File("a.png"));
    unsetenv("SOURCE_DATE_EPOCH");
    const auto chunks = Chunks(file);
    ASSERT_EQ(chunks[3].type, "tIME");
    const Bytes& t = chunks[3].data;
    ASSERT_EQ(t.size(), 7u);
    if (c.month < 0) {
      EXPECT_NEAR((t[0] << 8) | t[1], c.year, 1);
      continue;
    }
    EXPECT_EQ(t, (Bytes{static_cast<std::uint8_t>(c.year >> 8), static_cast<std::uint8_t>(c.year & 255),
                        static_cast<std::uint8_t>(c.month), static_cast<std::uint8_t>(c.day),
                        static_cast<std::uint8_t>(c.hour), static_cast<std::uint8_t>(c.minute),
                        static_cast<std::uint8_t>(c.second)}));
  }
}

TEST(PngWriter, PaletteFileChunksAndRoundTrip) {
  TempDir dir;
  // Entries blue, green, red, 0.
  const Bytes palette = {30, 20, 10, 0, 60, 50, 40, 0, 90, 80, 70, 0};
  const Bytes indices = {0, 1, 2, 2, 1, 0};
  const auto path = dir.File("pal.png");
  ASSERT_TRUE(PxSavePNG(path, indices.data(), 3, 2, 3, palette.data()));
  const auto chunks = Chunks(TempDir::Read(path));
  EXPECT_EQ(ChunkTypes(chunks),
            (std::vector<std::string>{"IHDR", "PLTE", "bKGD", "pHYs", "tIME", "IDAT", "IEND"}));
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 3, 0, 0, 0, 2, 8, 3, 0, 0, 0}));
  EXPECT_EQ(chunks[1].data, (Bytes{10, 20, 30, 40, 50, 60, 70, 80, 90}));
  EXPECT_EQ(chunks[2].data, Bytes{0});
  const auto back = PxLoadPNG(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels, (Bytes{10, 20, 30, 40, 50, 60, 70, 80, 90, 70, 80, 90, 40, 50, 60, 10, 20, 30}));
}

TEST(PngWriter, BadParametersAndUnwritablePaths) {
  TempDir dir;
  const Bytes palette(4 * 256, 0), pixels(16, 0);
  const auto path = dir.Write("keep.png", {1, 2, 3});
  const std::vector<std::pair<std::function<bool()>, int>> cases = {
      {[&] { return PxSavePNG(path, pixels.data(), 2, 2, 0, palette.data()); }, 5},
      {[&] { return PxSavePNG(path, pixels.data(), 2, 2, 257, palette.data()); }, 5},
      {[&] { return PxSavePNG(path, pixels.data(), 2, 2, 4, nullptr); }, 5},
      {[&] { return PxSavePNG(path, nullptr, 2, 2); }, 5},
      {[&] { return PxSavePNG(path, pixels.data(), 0, 2); }, 5},
      {[&] { return PxSavePNG(path, pixels.data(), -1, 2); }, 5},
      {[&] { return PxSavePNG(dir.File("no/dir.png"), pixels.data(), 2, 2); }, 2},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    PxSetLastError(0);
    EXPECT_FALSE(cases[i].first()) << i;
    EXPECT_EQ(PxGetLastError(), cases[i].second) << i;
  }
  EXPECT_EQ(TempDir::Read(path), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace lumi
