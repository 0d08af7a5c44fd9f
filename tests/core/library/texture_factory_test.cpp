// The colour-gene generator: gene encoding, modes and their output orders, and the look
// of every mode pinned so that stored genes keep it.
#include "library/texture_factory.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "gene_reference.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

using Gene = std::array<int, 8>;

// A width x height image, black with alpha 77, generated with `gene` and `mode`.
std::vector<std::uint8_t> Generated(int w, int h, const Gene& gene, int mode) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4, 0);
  for (std::size_t i = 3; i < px.size(); i += 4) px[i] = 77;
  CTextureFactory factory;
  factory.SetImage(px.data(), w, h);
  for (int i = 0; i < 8; ++i) factory.SetParam(i, gene[static_cast<std::size_t>(i)]);
  factory.SetGeneMode(mode);
  factory.Generate();
  return px;
}

std::uint32_t Fnv(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t h = 2166136261u;
  for (std::uint8_t b : bytes) h = (h ^ b) * 16777619u;
  return h;
}

const Gene kGenes[3] = {
    {30, 9, 0, 243, 0, 0, 243, 0},           // the words 2334, 243, 243
    {200, 77, 181, 140, 90, 230, 120, 250},  // rule A's spiral band, mixed flag bits
    {5, 250, 66, 20, 255, 10, 200, 64},      // rule A's difference branch
};

TEST(TextureFactoryTest, GeneWordsCarryTheBytesLowestFirst) {
  CTextureFactory factory;
  factory.SetGene(2334, 243, 243);
  const Gene expected = {30, 9, 0, 243, 0, 0, 243, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(factory.GetParam(i), expected[static_cast<std::size_t>(i)]) << i;

  // A library word 3 keeps the mode in bits 16..23; the gene takes only its low bytes.
  factory.SetGene(static_cast<std::int32_t>(0xFF030201u), 0x00060504, 0x000D0807);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(factory.GetParam(i), i + 1) << i;
  EXPECT_EQ(factory.GetParam(8), 0);
  EXPECT_EQ(factory.GetParam(-1), 0);
}

TEST(TextureFactoryTest, ParamsAreClampedAndModesNeverNegative) {
  CTextureFactory factory;
  factory.SetParam(0, 300);
  factory.SetParam(1, -4);
  factory.SetParam(8, 9);  // ignored
  EXPECT_EQ(factory.GetParam(0), 255);
  EXPECT_EQ(factory.GetParam(1), 0);
  factory.SetGeneMode(-1);
  EXPECT_EQ(factory.GeneMode(), 0);
  factory.SetGeneMode(14);
  EXPECT_EQ(factory.GeneMode(), 14);
}

TEST(TextureFactoryTest, ModesOutsideOneToThirteenDrawLikeModeZero) {
  const auto zero = Generated(19, 13, kGenes[1], 0);
  EXPECT_EQ(Generated(19, 13, kGenes[1], 14), zero);
  EXPECT_EQ(Generated(19, 13, kGenes[1], 200), zero);
  EXPECT_EQ(Generated(19, 13, kGenes[1], -1), zero);
}

TEST(TextureFactoryTest, SameGeneTwiceGivesTheSamePixels) {
  // One factory, two runs: the scratch values fed from pixel to pixel start afresh.
  for (int mode = 0; mode < 14; ++mode) {
    std::vector<std::uint8_t> a(21 * 9 * 4, 0), b(21 * 9 * 4, 0);
    CTextureFactory factory;
    factory.SetGene(2334, 243, 243);
    factory.SetGeneMode(mode);
    factory.SetImage(a.data(), 21, 9);
    factory.Generate();
    factory.SetImage(b.data(), 21, 9);
    factory.Generate();
    EXPECT_EQ(a, b) << "mode " << mode;
  }
}

TEST(TextureFactoryTest, OutputOrdersOfModesSharingARule) {
  // Modes that share a rule route the same three outputs to different channels.
  struct Case {
    int base, other;
    int from[3];  // for blue, green, red of `other`: which byte of `base` it holds
  };
  const Case cases[] = {
      {10, 0, {2, 1, 0}},   // A: red-green-blue against blue-green-red
      {10, 11, {0, 2, 1}},  // A: green-red-blue
      {1, 13, {1, 0, 2}},   // B: red-blue-green
      {1, 8, {2, 1, 0}},    // B: blue-green-red
      {2, 12, {2, 1, 0}},   // C: blue-green-red
  };
  for (const Case& c : cases) {
    const auto base = Generated(17, 11, kGenes[1], c.base);
    const auto other = Generated(17, 11, kGenes[1], c.other);
    for (std::size_t i = 0; i < base.size(); i += 4)
      for (int ch = 0; ch < 3; ++ch)
        ASSERT_EQ(other[i + static_cast<std::size_t>(ch)], base[i + static_cast<std::size_t>(c.from[ch])])
            << "modes " << c.base << " and " << c.other << ", byte " << i + static_cast<std::size_t>(ch);
  }
}

TEST(TextureFactoryTest, CornerAnglesWorkedThrough) {
  // Rule C on 4 x 4 at (1, 2): the angles from the top-left and bottom-left corners are
  // trunc(atan2(2, 1) x 512 / pi) = 180, from the bottom-right trunc(atan2(2, 3) x 512 / pi) = 95.
  // P[3], P[4], P[5] pick corners 0, 1, 3; P[6] >= 128 keeps them; lifts 0, -128, +127.
  const Gene gene = {128, 0, 255, 0, 64, 255, 200, 0};
  const auto px = Generated(4, 4, gene, 2);
  const std::size_t at = (1 + 2 * 4) * 4;
  EXPECT_EQ(px[at + 2], 180);  // red
  EXPECT_EQ(px[at + 1], 52);   // green
  EXPECT_EQ(px[at + 0], 222);  // blue
  EXPECT_EQ(px[at + 3], 77);   // alpha untouched
}

// Every mode on three genes and on the smallest sizes, as checksums of the whole image.
// The values come from tests/reference/pinned_checksums.py, a separate Python
// implementation of the gene rules that shares nothing with this code; run it with
// `python3 tests/reference/pinned_checksums.py` (add --check to exit 1 on a mismatch, as
// ctest pinned_checksums does). A change here changes the look of stored genes and is
// legitimate only when a rule is shown to be implemented wrongly; then correct the
// Python program from the rule and take its new value.
TEST(TextureFactoryTest, EveryModeKeepsItsLook) {
  const std::uint32_t k23x17[3][14] = {
      {0x4b213637u, 0x6f81bfb9u, 0x84a1f3eau, 0x4990c828u, 0x899cdb14u, 0x010cc1e7u, 0xf78cb6fau,
       0x799adb53u, 0xe544504du, 0xbc053efdu, 0xc2737d27u, 0x9b704ca5u, 0x4e083caau, 0x2410faefu},
      {0x072c0e10u, 0x50bb1aecu, 0x4d89704bu, 0xeba07a8bu, 0x7ab7f9f1u, 0x627212c0u, 0x627212c0u,
       0xfc62a065u, 0x616db4c4u, 0x3cbe5e17u, 0x46bdc120u, 0x816ca1e0u, 0x5faf5ebfu, 0xea3d8832u},
      {0x2b423d54u, 0x4f307a7eu, 0xd050933au, 0x3c66f2d4u, 0x80914f1du, 0x6357afd1u, 0x8e2cdd94u,
       0xaea8130cu, 0xe7070e32u, 0x747659feu, 0xe5003e20u, 0x882def28u, 0x1404e5fau, 0xab2127acu},
  };
  for (int g = 0; g < 3; ++g)
    for (int mode = 0; mode < 14; ++mode)
      EXPECT_EQ(Fnv(Generated(23, 17, kGenes[g], mode)), k23x17[g][mode]) << "gene " << g << ", mode " << mode;

  // 1 x 1 has no half diagonal (rules A, D and H guard the division); 1 x 5 and 6 x 1 map
  // the single column or row of rule I onto 512 and divide rule B by a width of 1.
  struct Tiny {
    int w, h;
    std::uint32_t sums[14];
  };
  const Tiny tiny[] = {
      {1, 1, {0x899d294eu, 0x7a0d37fbu, 0x38cfc4cdu, 0xd0ffc4a0u, 0x79b40a8eu, 0x79b40a8eu, 0x79b40a8eu,
              0x08510a80u, 0xfb1bf22fu, 0x6a262057u, 0x948f1d76u, 0x38ca25f8u, 0x37d2f635u, 0x7e7baf33u}},
      {1, 5, {0xc1b1dc37u, 0x9a3f02d3u, 0x7fd3e9b2u, 0x94ef4d80u, 0x947853f7u, 0xb1ddef4bu, 0xb1ddef4bu,
              0xd18434eeu, 0xac54ad3fu, 0x2bbb6ae1u, 0xa3947a87u, 0xa0f1f50fu, 0x79ff2c92u, 0x658444bfu}},
      {6, 1, {0xb378701bu, 0x5ef7e91fu, 0x4786a2e8u, 0x363b02a2u, 0x8e595270u, 0xc40d5393u, 0xc40d5393u,
              0x70e8629au, 0x53d7d863u, 0x3e7acc12u, 0x9031100fu, 0x28e5c767u, 0xfd870494u, 0x7d129845u}},
  };
  for (const Tiny& t : tiny)
    for (int mode = 0; mode < 14; ++mode)
      EXPECT_EQ(Fnv(Generated(t.w, t.h, kGenes[1], mode)), t.sums[mode])
          << t.w << " x " << t.h << ", mode " << mode;
}

TEST(TextureFactoryTest, MatchesTheReferenceOnRandomGenes) {
  std::mt19937 rng(7);
  const int sizes[][2] = {{1, 1}, {2, 2}, {1, 7}, {9, 1}, {31, 20}, {64, 3}};
  for (int mode = 0; mode < 14; ++mode) {
    for (const auto& s : sizes) {
      for (int trial = 0; trial < 6; ++trial) {
        Gene gene;
        for (int& p : gene) p = static_cast<int>(rng() % 256);
        const auto ours = Generated(s[0], s[1], gene, mode);
        std::vector<std::uint8_t> expected(ours.size(), 0);
        for (std::size_t i = 3; i < expected.size(); i += 4) expected[i] = 77;
        reference::GenerateGene(expected.data(), s[0], s[1], gene.data(), mode);
        ASSERT_EQ(ours, expected) << "mode " << mode << " at " << s[0] << " x " << s[1];
      }
    }
  }
}

TEST(TextureFactoryTest, GeneFillEntryPoint) {
  std::vector<std::uint8_t> px(23 * 17 * 4, 0);
  for (std::size_t i = 3; i < px.size(); i += 4) px[i] = 77;
  GenerateGeneFill(px.data(), 23, 17, 2334, 243, 243, 9);
  EXPECT_EQ(Fnv(px), 0xbc053efdu);  // gene 0, mode 9 above
}

TEST(TextureFactoryTest, GeneFillOfABitmapFollowsItsStoredRows) {
  // Rule B's third plane grows with the stored row: in a bitmap stored bottom row first
  // the top image row is the last stored row. 1 x 2, gene picking plane T2 = d - g for
  // red with no lift: stored row 1 gives |0 - 127| = 127.
  CDIBSection bitmap;
  bitmap.Create(1, 2);
  const Gene gene = {128, 128, 128, 128, 128, 128, 0, 0};  // planes T2, T2, T2; lifts 0
  GenerateGeneFill(bitmap, gene[0] | gene[1] << 8 | gene[2] << 16, gene[3] | gene[4] << 8 | gene[5] << 16,
                   0, 1);
  EXPECT_EQ(bitmap.Row(1)[2], 0);    // stored row 0: g = 0
  EXPECT_EQ(bitmap.Row(0)[2], 127);  // stored row 1: g = 255 / 2
  EXPECT_EQ(bitmap.Row(0)[3], 0);    // alpha untouched
}

}  // namespace
}  // namespace lumi
