// Our BMP, PCX and GIF decoders against the plain reference decoders on many random
// files, whole and damaged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string_view>

#include "codec_reference.h"
#include "image/dib_section.h"
#include "image/gif_read.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;

Bytes RandomBytes(std::mt19937& rng, std::size_t n, int range = 256) {
  Bytes b(n);
  for (auto& v : b) v = static_cast<std::uint8_t>(rng() % range);
  return b;
}

Bytes RandomBmp(std::mt19937& rng) {
  static const int kDepths[] = {1, 4, 8, 16, 24, 32};
  const int bits = kDepths[rng() % 6];
  const int width = 1 + rng() % 40, height = 1 + rng() % 20;
  const bool top_down = rng() % 3 == 0;
  const int colours = bits <= 8 ? 1 + rng() % (1 << bits) : 0;
  const Bytes table = RandomBytes(rng, colours * 4);
  const bool rle = (bits == 8 || bits == 4) && rng() % 2;
  if (!rle) {
    const std::size_t row = ((bits * width + 31) / 32) * 4;
    return fixtures::Bmp(width, top_down ? -height : height, bits, table,
                         RandomBytes(rng, row * height), 0, colours);
  }
  // Random run-length operations ending in the end-of-picture escape.
  Bytes data;
  for (int op = 0; op < 30; ++op) {
    switch (rng() % 5) {
      case 0: data.insert(data.end(), {static_cast<std::uint8_t>(1 + rng() % 30), static_cast<std::uint8_t>(rng())}); break;
      case 1: data.insert(data.end(), {0, 0}); break;
      case 2: data.insert(data.end(), {0, 2, static_cast<std::uint8_t>(rng() % 5), static_cast<std::uint8_t>(rng() % 2)}); break;
      default: {
        const int n = 3 + rng() % 20;
        const int bytes = bits == 4 ? (n + 1) / 2 : n;
        data.insert(data.end(), {0, static_cast<std::uint8_t>(n)});
        const Bytes run = RandomBytes(rng, bytes + bytes % 2);
        data.insert(data.end(), run.begin(), run.end());
      }
    }
  }
  data.insert(data.end(), {0, 1});
  return fixtures::Bmp(width, height, bits, table, data, bits == 8 ? 1 : 2, colours);
}

Bytes RandomPcx(std::mt19937& rng) {
  static const int kLayouts[][2] = {{1, 1}, {1, 4}, {2, 1}, {4, 1}, {8, 1}, {8, 3}, {1, 2}};
  const auto& layout = kLayouts[rng() % 7];
  const int bits = layout[0], planes = layout[1];
  const int width = 1 + rng() % 50, height = 1 + rng() % 20;
  const int line = ((width * bits + 7) / 8 + 1) & ~1;
  Bytes raw;
  for (int i = 0; i < line * planes * height; ++i) {
    raw.push_back(static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() : (i / 7) * 13));
  }
  Bytes file = fixtures::PcxHeader(width, height, bits, planes, line, RandomBytes(rng, 48));
  const Bytes encoded = fixtures::PcxEncode(raw);
  file.insert(file.end(), encoded.begin(), encoded.end());
  if (bits == 8 && planes == 1 && rng() % 2) {
    file.push_back(0x0C);
    const Bytes palette = RandomBytes(rng, 768);
    file.insert(file.end(), palette.begin(), palette.end());
  }
  return file;
}

Bytes RandomGif(std::mt19937& rng) {
  fixtures::GifImage image;
  image.width = 1 + rng() % 60;
  image.height = 1 + rng() % 40;
  image.min_size = 2 + rng() % 7;
  image.interlaced = rng() % 2;
  const int colours = 1 << image.min_size;
  for (int i = 0; i < image.width * image.height; ++i) {
    image.indices.push_back(static_cast<std::uint8_t>(rng() % 3 ? (i / 5) % colours : rng() % colours));
  }
  if (rng() % 2) image.local_table = RandomBytes(rng, colours * 3);
  return fixtures::Gif(RandomBytes(rng, colours * 3), {fixtures::GifImageBlock(image)});
}

std::optional<RgbImage> OurGif(const Bytes& file) {
  std::string message;
  return GIFDecode(file, "x.gif", message);
}

// A damaged BMP header may name a picture beyond what either reader takes: ours refuses
// sides beyond a bitmap's limit, the plain one pictures beyond its pixel limit.
bool BeyondASizeLimit(std::string_view what, const Bytes& file) {
  if (what != "bmp" || file.size() < 26) return false;
  const auto field = [&](std::size_t at) {
    return static_cast<std::int32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                                     static_cast<std::uint32_t>(file[at + 3]) << 24);
  };
  const std::int64_t width = field(18), height = std::abs(std::int64_t{field(22)});
  return width > CDIBSection::kMaxSide || height > CDIBSection::kMaxSide ||
         width * height > reference::kMaxReferencePixels;
}

template <typename Make, typename Ours, typename Reference>
void Compare(const char* what, Make make, Ours ours, Reference reference) {
  std::mt19937 rng(11);
  int both = 0;
  for (int i = 0; i < 300; ++i) {
    const Bytes file = make(rng);
    const auto a = ours(file);
    const auto b = reference(file);
    ASSERT_TRUE(a) << what << " " << i;
    ASSERT_TRUE(b) << what << " " << i;
    ASSERT_EQ(a->width, b->width);
    ASSERT_EQ(a->height, b->height);
    ASSERT_EQ(a->pixels, b->pixels) << what << " " << i;
    // Damaged copies: whenever both read them, they must agree.
    for (int m = 0; m < 10; ++m) {
      Bytes bad = file;
      for (int f = 0; f < 3; ++f) bad[rng() % bad.size()] = static_cast<std::uint8_t>(rng());
      if (m % 3 == 0) bad.resize(rng() % bad.size());
      const auto x = ours(bad);
      const auto y = reference(bad);
      // Both read it or both refuse it, unless it lies beyond a size limit.
      if (!BeyondASizeLimit(what, bad)) {
        EXPECT_EQ(x.has_value(), y.has_value())
            << what << " damaged " << i << "/" << m << (x ? " read by ours only" : " refused by ours only");
      }
      if (x && y) {
        ++both;
        ASSERT_EQ(x->width, y->width);
        ASSERT_EQ(x->pixels, y->pixels) << what << " damaged " << i << "/" << m;
      }
    }
  }
  EXPECT_GT(both, 100) << what;
}

TEST(CodecOracle, BmpMatchesTheReference) {
  Compare("bmp", RandomBmp, [](const Bytes& f) { return PxDecodeBMP(f); }, reference::DecodeBmp);
}

TEST(CodecOracle, PcxMatchesTheReference) {
  Compare("pcx", RandomPcx, [](const Bytes& f) { return PxDecodePCX(f); }, reference::DecodePcx);
}

TEST(CodecOracle, GifMatchesTheReference) {
  Compare("gif", RandomGif, OurGif, reference::DecodeGif);
}

}  // namespace
}  // namespace lumi
