#include <gtest/gtest.h>

#include <random>

#include "image/gif_read.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::Gif;
using fixtures::GifImage;
using fixtures::GifImageBlock;
using fixtures::RampTable;

// The RGB picture a GIF of these indices should give through `table`.
Bytes Expected(const Bytes& indices, const Bytes& table) {
  Bytes out;
  for (std::uint8_t i : indices) out.insert(out.end(), table.begin() + i * 3, table.begin() + i * 3 + 3);
  return out;
}

std::optional<RgbImage> Decode(const Bytes& file, std::string* text = nullptr) {
  std::string message;
  auto image = GIFDecode(file, "pic.gif", message);
  if (text) *text = message;
  return image;
}

TEST(GifReader, SmallPictureThroughTheGlobalTable) {
  const Bytes table = RampTable(4);
  GifImage image{4, 3, {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 1, 1}, {}, false, 2};
  std::string text;
  const auto out = Decode(Gif(table, {GifImageBlock(image)}), &text);
  ASSERT_TRUE(out) << text;
  EXPECT_EQ(text, "");
  EXPECT_EQ(out->width, 4);
  EXPECT_EQ(out->height, 3);
  EXPECT_EQ(out->pixels, Expected(image.indices, table));
}

TEST(GifReader, InterlacedRowsComeOutInDisplayOrder) {
  // Every row a different colour, for heights that end in each of the four passes.
  for (int height : {1, 2, 3, 5, 9, 10, 17}) {
    GifImage image{3, height, {}, {}, true, 5};
    for (int y = 0; y < height; ++y) image.indices.insert(image.indices.end(), 3, static_cast<std::uint8_t>(y));
    const Bytes table = RampTable(32);
    const auto out = Decode(Gif(table, {GifImageBlock(image)}));
    ASSERT_TRUE(out) << height;
    EXPECT_EQ(out->pixels, Expected(image.indices, table)) << height;
  }
}

TEST(GifReader, CodesGrowToTwelveBitsAndRunOnWithAFullTable) {
  // Random indices fill the 4096-entry table many times over; long single-colour runs
  // exercise the code that is being defined.
  std::mt19937 rng(7);
  for (int min_size : {2, 4, 8}) {
    GifImage image{300, 200, {}, {}, false, min_size};
    const int colours = 1 << min_size;
    for (int i = 0; i < image.width * image.height; ++i) {
      image.indices.push_back(i % 997 < 500 ? static_cast<std::uint8_t>(rng() % colours) : 1);
    }
    const Bytes table = RampTable(std::max(colours, 2));
    const auto out = Decode(Gif(table, {GifImageBlock(image)}));
    ASSERT_TRUE(out) << min_size;
    EXPECT_EQ(out->pixels, Expected(image.indices, table)) << min_size;
  }
}

TEST(GifReader, FirstImageOnlyWithItsOwnSizeAndLocalTable) {
  const Bytes global = RampTable(4);
  const Bytes local = {9, 9, 9, 200, 100, 50};
  GifImage first{2, 2, {1, 0, 0, 1}, local, false, 2};
  GifImage second{5, 5, Bytes(25, 3), {}, false, 2};
  // A graphic control extension and a comment come first and change nothing.
  const Bytes control = {'!', 249, 4, 1, 10, 0, 2, 0};
  const Bytes comment = {'!', 254, 3, 'h', 'e', 'y', 0};
  const auto out = Decode(Gif(global, {control, comment, GifImageBlock(first), GifImageBlock(second)}));
  ASSERT_TRUE(out);
  EXPECT_EQ(out->width, 2);
  EXPECT_EQ(out->height, 2);
  EXPECT_EQ(out->pixels, Expected(first.indices, local));
}

TEST(GifReader, NonSquarePixelsAreNotedAndIgnored) {
  GifImage image{1, 1, {1}, {}, false, 2};
  std::string text;
  const auto out = Decode(Gif(RampTable(4), {GifImageBlock(image)}, 17, "87a"), &text);
  ASSERT_TRUE(out);
  EXPECT_EQ(text, "Non-square pixels in GIF image.\nIgnoring that fact...");
  std::string square;
  ASSERT_TRUE(Decode(Gif(RampTable(4), {GifImageBlock(image)}, 49), &square));
  EXPECT_EQ(square, "");
}

TEST(GifReader, PathFailures) {
  std::string text;
  EXPECT_FALSE(GIFRead("", text));
  EXPECT_EQ(text, "No Name Given");
  fixtures::TempDir dir;
  const auto missing = dir.File("missing.gif");
  EXPECT_FALSE(GIFRead(missing, text));
  EXPECT_EQ(text, "Cant open GIF :\n" + missing.string());
  const auto stub = dir.Write("stub.gif", {'G', 'I', 'F'});
  EXPECT_FALSE(GIFRead(stub, text));
  EXPECT_EQ(text, "Error reading GIF Magic #\n" + stub.string());
}

struct FailureCase {
  const char* name;
  Bytes file;
  const char* text;
};

class GifFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(GifFailure, GivesItsText) {
  std::string text;
  EXPECT_FALSE(Decode(GetParam().file, &text));
  EXPECT_EQ(text, GetParam().text);
}

Bytes Cut(Bytes b, std::size_t n) {
  b.resize(n);
  return b;
}

Bytes Header(std::initializer_list<std::uint8_t> screen = {1, 0, 1, 0, 0, 0, 0}) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  for (std::uint8_t v : screen) b.push_back(v);
  return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const GifImage kOneLocal{1, 1, {1}, {1, 2, 3, 4, 5, 6}, false, 2};

// An image descriptor for w x h with the given flags and no data.
Bytes Descriptor(int w, int h, std::uint8_t flags = 0) {
  return {',', 0, 0, 0, 0, static_cast<std::uint8_t>(w & 255), static_cast<std::uint8_t>(w >> 8),
          static_cast<std::uint8_t>(h & 255), static_cast<std::uint8_t>(h >> 8), flags};
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, GifFailure,
    ::testing::Values(
        FailureCase{"shortMagic", {'G', 'I', 'F', '8', '9'}, "Error reading GIF Magic #\npic.gif"},
        FailureCase{"notGif", {'P', 'N', 'G', '8', '9', 'a'}, "Error, pic.gif is not a valid .GIF file"},
        FailureCase{"version", {'G', 'I', 'F', '9', '0', 'a', 0, 0, 0, 0, 0, 0, 0},
                    "Error, Bad GIF Version number"},
        FailureCase{"shortScreen", Cut(Header(), 10),
                    "Error, failed to GIF read screen descriptor.\nGiving up"},
        FailureCase{"shortGlobalTable", Concat(Header({1, 0, 1, 0, 0x81, 0, 0}), {1, 2, 3, 4}),
                    "Error reading GIF colormap"},
        FailureCase{"noImage", Header(), "Unexpected EOF in GIF.\nGiving up"},
        FailureCase{"trailerFirst", Concat(Header(), {';'}), "Unexpected EOF in GIF.\nGiving up"},
        FailureCase{"shortExtension", Concat(Header(), {'!', 254, 5, 'a'}),
                    "Error on extension read.\nGiving up"},
        FailureCase{"extensionWithoutLabel", Concat(Header(), {'!'}),
                    "Error on extension read.\nGiving up"},
        FailureCase{"shortDescriptor", Concat(Header(), {',', 0, 0, 0, 0, 1}),
                    "Error on dimension read\nGiving up"},
        FailureCase{"zeroWidth", Concat(Header(), Descriptor(0, 5)),
                    "Error on dimension read\nGiving up"},
        FailureCase{"shortLocalTable", Concat(Header(), Concat(Descriptor(1, 1, 0x81), {1, 2, 3})),
                    "Error reading GIF colormap\nGiving up"},
        FailureCase{"beyondLimits", Concat(Header(), Descriptor(65535, 65535)),
                    "Out of Memory in GIFRead"},
        FailureCase{"hugeClaimTinyData", Concat(Header(), Concat(Descriptor(30000, 8000), {2, 1, 4, 0})),
                    "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        // Code 7 is neither a colour nor defined yet.
        FailureCase{"undefinedCode", Concat(Header(), Concat(Descriptor(2, 1), {2, 1, 0x3C, 0})),
                    "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        FailureCase{"undefinedCodeLocal",
                    Concat(Header(), Concat(Descriptor(2, 1, 0x80), {1, 2, 3, 4, 5, 6, 2, 1, 0x3C, 0})),
                    "Error reading GIF file\nLocalColorMap\nGiving up"},
        FailureCase{"codeSizeTooLarge", Concat(Header(), Concat(Descriptor(1, 1), {9, 1, 0, 0})),
                    "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        FailureCase{"endBeforeLastPixel",
                    Concat(Header(), Concat(Descriptor(3, 1), {2, 1, 0x0C, 0})),  // clear, 0... end
                    "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        FailureCase{"truncatedData", Cut(Gif(RampTable(4), {GifImageBlock(GifImage{40, 40, Bytes(1600, 1), {}, false, 2})}), 40),
                    "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        FailureCase{"truncatedDataLocal", Cut(Gif({}, {GifImageBlock(kOneLocal)}), 31),
                    "Error reading GIF file\nLocalColorMap\nGiving up"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumi
