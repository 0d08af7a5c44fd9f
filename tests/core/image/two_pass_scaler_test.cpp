#include "image/two_pass_scaler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/dib_section.h"
#include "resample_reference.h"

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr ScaleKernel kAllKernels[] = {ScaleKernel::kBox, ScaleKernel::kBilinear,
                                       ScaleKernel::kHamming, ScaleKernel::kBlackman};

Bytes RandomImage(std::mt19937& rng, int width, int height, int channels) {
  Bytes image(static_cast<std::size_t>(width) * height * channels);
  for (auto& b : image) b = static_cast<std::uint8_t>(rng());
  return image;
}

Bytes Scaled(ScaleKernel kernel, const Bytes& source, int sw, int sh, int dw, int dh,
             int channels) {
  Bytes out(static_cast<std::size_t>(dw) * dh * channels, 0xEE);
  CTwoPassScaler scaler(kernel);
  EXPECT_TRUE(scaler.Scale(source.data(), sw, sh, out.data(), dw, dh, channels));
  return out;
}

TEST(CTwoPassScaler, SameSizeReproducesTheImageWithEveryKernel) {
  std::mt19937 rng(7);
  for (ScaleKernel kernel : kAllKernels) {
    for (int channels : {3, 4}) {
      const Bytes image = RandomImage(rng, 13, 9, channels);
      EXPECT_EQ(Scaled(kernel, image, 13, 9, 13, 9, channels), image)
          << "kernel " << static_cast<int>(kernel) << ", " << channels << " channels";
    }
  }
}

// One row of grey pixels (three equal channels) through a width change only.
Bytes GreyRow(ScaleKernel kernel, const Bytes& values, int output_width) {
  Bytes rgb;
  for (std::uint8_t v : values) rgb.insert(rgb.end(), {v, v, v});
  const Bytes out = Scaled(kernel, rgb, static_cast<int>(values.size()), 1, output_width, 1, 3);
  Bytes grey;
  for (std::size_t i = 0; i < out.size(); i += 3) {
    EXPECT_TRUE(out[i] == out[i + 1] && out[i] == out[i + 2]);
    grey.push_back(out[i]);
  }
  return grey;
}

TEST(CTwoPassScaler, BoxHalvingAveragesThreeNeighbours) {
  // Output j is the mean of source 2j - 1, 2j and 2j + 1; output 0 of sources 0 and 1.
  const Bytes source = {10, 20, 30, 60, 90, 0, 255, 254};
  EXPECT_EQ(GreyRow(ScaleKernel::kBox, source, 4),
            (Bytes{15, (20 + 30 + 60) / 3, (60 + 90 + 0) / 3, (0 + 255 + 254) / 3}));
}

TEST(CTwoPassScaler, WorkedRows) {
  const struct {
    ScaleKernel kernel;
    Bytes source;
    int width;
    Bytes expected;
  } cases[] = {
      // Enlarging black and white twice: the centres fall on 0, 0.5, 1 and 1.5.
      {ScaleKernel::kBilinear, {0, 255}, 4, {0, 127, 255, 255}},
      // Shrinking three to one with the box: the kernel reaches sources 0 and 1.
      {ScaleKernel::kBox, {10, 20, 90}, 1, {15}},
      // Bilinear thirds: weights 2/3 and 1/3 at centre 0.5 of each pair.
      {ScaleKernel::kBilinear, {0, 90, 180}, 6, {0, 45, 90, 135, 180, 180}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GreyRow(c.kernel, c.source, c.width), c.expected)
        << "kernel " << static_cast<int>(c.kernel);
  }
}

TEST(CTwoPassScaler, EnlargingNeverLeavesBlackSamples) {
  // Half-width-0.5 kernels miss the last samples when enlarging more than twice, and
  // Blackman is zero half-way between samples; those outputs take the nearest sample.
  for (ScaleKernel kernel : kAllKernels) {
    const Bytes one = {200, 100, 50};
    EXPECT_EQ(Scaled(kernel, one, 1, 1, 3, 3, 3), (Bytes{200, 100, 50, 200, 100, 50, 200, 100,
                                                         50, 200, 100, 50, 200, 100, 50, 200,
                                                         100, 50, 200, 100, 50, 200, 100, 50,
                                                         200, 100, 50}))
        << "kernel " << static_cast<int>(kernel);
    const Bytes row = GreyRow(kernel, {100, 200}, 5);
    for (std::uint8_t v : row) EXPECT_GE(v, 100) << "kernel " << static_cast<int>(kernel);
  }
  EXPECT_EQ(GreyRow(ScaleKernel::kBlackman, {100, 200}, 4), (Bytes{100, 200, 200, 200}));
}

TEST(CTwoPassScaler, ContributionWindows) {
  // Halving with the box: half width 1, window 3, weights a third each.
  const ScaleContributions box = BuildContributions(ScaleKernel::kBox, 8, 4);
  EXPECT_EQ(box.window_size, 3);
  EXPECT_EQ(box.first, (std::vector<int>{0, 1, 3, 5}));
  EXPECT_EQ(box.last, (std::vector<int>{1, 3, 5, 7}));
  EXPECT_DOUBLE_EQ(box.weights[3], 1.0 / 3);
  // Shrinking 10 to 3 bilinearly: width 1 / 0.3, window 2 x 4 + 1, and the window of
  // output 1 (centre 3.33, floor -0.0 .. ceil 6.67) holds 0..7 = 8 taps.
  const ScaleContributions bilinear = BuildContributions(ScaleKernel::kBilinear, 10, 3);
  EXPECT_EQ(bilinear.window_size, 9);
  EXPECT_EQ(bilinear.first, (std::vector<int>{0, 0, 3}));
  EXPECT_EQ(bilinear.last, (std::vector<int>{4, 7, 9}));
}

TEST(CTwoPassScaler, MatchesTheReferenceOnRandomImages) {
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> size(1, 37);
  for (int round = 0; round < 300; ++round) {
    const ScaleKernel kernel = kAllKernels[round % 4];
    const int channels = round % 3 == 0 ? 4 : 3;
    const int sw = size(rng), sh = size(rng), dw = size(rng), dh = size(rng);
    const Bytes image = RandomImage(rng, sw, sh, channels);
    ASSERT_EQ(Scaled(kernel, image, sw, sh, dw, dh, channels),
              reference::Resample(kernel, image, sw, sh, dw, dh, channels))
        << "kernel " << static_cast<int>(kernel) << " " << sw << "x" << sh << " -> " << dw
        << "x" << dh << " channels " << channels;
  }
  // Strong reductions and enlargements.
  const struct {
    int sw, sh, dw, dh;
  } sizes[] = {{200, 3, 7, 40}, {1, 150, 90, 2}, {64, 48, 48, 36}, {5, 5, 160, 160}};
  for (const auto& s : sizes) {
    for (ScaleKernel kernel : kAllKernels) {
      const Bytes image = RandomImage(rng, s.sw, s.sh, 3);
      ASSERT_EQ(Scaled(kernel, image, s.sw, s.sh, s.dw, s.dh, 3),
                reference::Resample(kernel, image, s.sw, s.sh, s.dw, s.dh, 3))
          << "kernel " << static_cast<int>(kernel) << " " << s.sw << "x" << s.sh;
    }
  }
}

TEST(CTwoPassScaler, RefusesImpossibleSizesWithoutWriting) {
  const struct {
    int sw, sh, dw, dh, channels;
  } bad[] = {{0, 4, 4, 4, 3}, {4, 4, 0, 4, 3}, {4, 4, 4, -2, 3},
             {-1, 4, 4, 4, 3}, {4, 4, 4, 4, 2}, {4, 4, 40000, 1, 3}};
  const Bytes source(4 * 4 * 4, 9);
  for (const auto& b : bad) {
    Bytes out(64, 0xAB);
    CTwoPassScaler scaler(ScaleKernel::kBilinear);
    EXPECT_FALSE(scaler.Scale(source.data(), b.sw, b.sh, out.data(), b.dw, b.dh, b.channels));
    EXPECT_EQ(out, Bytes(64, 0xAB));
  }
}

TEST(CTwoPassScaler, ReportsProgressAndStopsWhenCancelled) {
  const Bytes source(4 * 2 * 3, 50);
  Bytes out(2 * 2 * 3);
  std::vector<int> seen;
  CTwoPassScaler scaler(ScaleKernel::kBox);
  scaler.SetProgressCallback([&](int percent) {
    seen.push_back(percent);
    return 1;
  });
  EXPECT_TRUE(scaler.Scale(source.data(), 4, 2, out.data(), 2, 2, 3));
  EXPECT_EQ(seen, (std::vector<int>{0, 25, 50, 75}));
  EXPECT_FALSE(scaler.Cancelled());

  seen.clear();
  scaler.SetProgressCallback([&](int percent) {
    seen.push_back(percent);
    return percent < 50 ? 1 : 0;
  });
  EXPECT_FALSE(scaler.Scale(source.data(), 4, 2, out.data(), 2, 2, 3));
  EXPECT_TRUE(scaler.Cancelled());
  EXPECT_EQ(seen, (std::vector<int>{0, 25, 50}));
}

TEST(CTwoPassScaler, BitmapsAreSampledInStorageOrder) {
  // A 1 x 2 bitmap: top row A, bottom row B. Bottom row first, the enlarged column reads
  // B, the midpoint, A, A from the bottom up.
  CDIBSection source;
  source.Create(1, 2);
  const std::uint8_t a[4] = {0, 0, 0, 0}, b[4] = {200, 100, 50, 255};
  std::copy(a, a + 4, source.Row(0));
  std::copy(b, b + 4, source.Row(1));
  CDIBSection out;
  CTwoPassScaler scaler(ScaleKernel::kBilinear);
  ASSERT_TRUE(scaler.ScaleBitmap(source, out, 1, 4));
  ASSERT_EQ(out.Width(), 1);
  ASSERT_EQ(out.Height(), 4);
  const Bytes rows[4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {100, 50, 25, 127}, {200, 100, 50, 255}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Bytes(out.Row(i), out.Row(i) + 4), rows[i]) << i;

  CDIBSection kept;
  kept.Create(2, 2);
  EXPECT_FALSE(scaler.ScaleBitmap(source, kept, 0, 3));
  EXPECT_EQ(kept.Width(), 2);
  ASSERT_TRUE(scaler.ScaleBitmap(source, source, 1, 1));  // in place
  EXPECT_EQ(source.Height(), 1);
}

}  // namespace
}  // namespace lumi
