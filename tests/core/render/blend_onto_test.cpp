// The canvas blend: the worked example, clipping, and agreement with the reference.
#include "render/blend_onto.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "blend_onto_reference.h"
#include "dib_reference.h"

namespace lumi {
namespace {

TEST(BlendOnto, HalfAlphaOverWhiteShiftsByEightAndKeepsTheCanvasAlpha) {
  CDIBSection canvas, pixel;
  canvas.Create(3, 1);
  canvas.FillRGB(RGB(255, 255, 255));
  canvas.SetAlpha(77);
  pixel.Create(3, 1);
  // Alpha 128, 0 and 255 side by side; colour bytes blue, green, red.
  const std::uint8_t src[12] = {0, 100, 200, 128, 9, 9, 9, 0, 10, 20, 30, 255};
  std::memcpy(pixel.Row(0), src, sizeof src);
  BlendOnto(pixel, canvas, 0, 0);
  const std::uint8_t* d = canvas.Row(0);
  // (255 x 127 + s x 128) >> 8
  EXPECT_EQ(d[0], 126);
  EXPECT_EQ(d[1], 176);
  EXPECT_EQ(d[2], 226);
  EXPECT_EQ(d[3], 77) << "canvas alpha unchanged";
  EXPECT_EQ(d[4], 255) << "alpha 0 keeps the canvas";
  EXPECT_EQ(d[8], 10) << "alpha 255 copies";
  EXPECT_EQ(d[10], 30);
  EXPECT_EQ(d[11], 77);
}

TEST(BlendOnto, MatchesTheReferenceAtEveryPlacement) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 60; ++trial) {
    CDIBSection bitmap, ours, reference;
    bitmap.Create(1 + rng() % 40, 1 + rng() % 40);
    ours.Create(1 + rng() % 50, 1 + rng() % 50);
    for (std::size_t i = 0; i < bitmap.PixelBytes(); ++i) bitmap.Pixels()[i] = rng() & 255;
    for (std::size_t i = 0; i < ours.PixelBytes(); ++i) ours.Pixels()[i] = rng() & 255;
    // Some fully clear and fully opaque pixels, as object images have.
    for (std::size_t i = 3; i < bitmap.PixelBytes(); i += 12) bitmap.Pixels()[i] = (i & 1) ? 0 : 255;
    reference = ours;
    const int x = static_cast<int>(rng() % 90) - 45, y = static_cast<int>(rng() % 90) - 45;
    BlendOnto(bitmap, ours, x, y);
    reference::BlendOnto(bitmap, reference, x, y);
    ASSERT_EQ(0, std::memcmp(ours.Pixels(), reference.Pixels(), ours.PixelBytes()))
        << "trial " << trial << " at " << x << "," << y;
  }
}

// Four pixels are blended at a time, with shortcuts when all four are clear or all
// opaque; runs of each kind, mixed groups and a tail of fewer than four must all give the
// reference's bytes, in both blends.
TEST(BlendOnto, RunsOfClearAndOpaquePixelsMatchTheReferenceInBothBlends) {
  const std::vector<std::vector<int>> alpha_rows = {
      {0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255},  // whole groups of one kind
      {255, 255, 255, 255, 255, 255, 255, 255, 128, 1, 254, 0, 7},
      {0, 255, 0, 255, 1, 254, 128, 0, 0, 0, 0, 255, 255},  // mixed groups, tail of one
      {0, 0, 0},                                            // tail only
      {255, 255, 255, 255, 255},
  };
  std::mt19937 rng(11);
  for (std::size_t r = 0; r < alpha_rows.size(); ++r) {
    const std::vector<int>& alphas = alpha_rows[r];
    const int width = static_cast<int>(alphas.size());
    CDIBSection bitmap, canvas;
    bitmap.Create(width, 2);
    canvas.Create(width + 3, 3);
    for (std::size_t i = 0; i < canvas.PixelBytes(); ++i) canvas.Pixels()[i] = rng() & 255;
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = bitmap.Row(y) + x * 4;
        for (int c = 0; c < 3; ++c) p[c] = rng() & 255;
        p[3] = static_cast<std::uint8_t>(alphas[x]);
      }
    }
    CDIBSection onto = canvas, onto_expected = canvas, from = canvas, from_expected = canvas;
    BlendOnto(bitmap, onto, 1, 1);
    reference::BlendOnto(bitmap, onto_expected, 1, 1);
    EXPECT_EQ(0, std::memcmp(onto.Pixels(), onto_expected.Pixels(), onto.PixelBytes())) << "row set " << r;
    from.BlendFrom(bitmap, 1, 1);
    reference::BlendFrom(from_expected, bitmap, 1, 1);
    EXPECT_EQ(0, std::memcmp(from.Pixels(), from_expected.Pixels(), from.PixelBytes())) << "row set " << r;
  }
}

}  // namespace
}  // namespace lumi
