// Every vector level of the row blends the processor has gives the blend rule's bytes:
// rows of every length up to three full steps of the widest level (so each tail length
// and the paired steps occur), at every byte offset, with runs of clear, opaque and
// partly transparent pixels, in both alpha rules.
#include "image/blend_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace lumi {
namespace {

// The rule the program has always used, pixel by pixel.
void RulePixel(std::uint8_t* d, const std::uint8_t* s, bool keep_alpha) {
  const int a = s[3];
  if (a == 0) return;
  const int inv = 255 - a;
  for (int c = 0; c < 3; ++c)
    d[c] = a == 255 ? s[c] : static_cast<std::uint8_t>((s[c] * a + d[c] * inv) >> 8);
  if (!keep_alpha) d[3] = a == 255 ? 255 : static_cast<std::uint8_t>((a * a + d[3] * inv) >> 8);
}

// Alphas in runs of one kind, so whole steps are clear or opaque as well as mixed.
std::vector<std::uint8_t> RowOfRuns(std::mt19937& rng, int count) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(count) * 4);
  for (auto& byte : row) byte = rng() & 255;
  for (int i = 0; i < count;) {
    const int kind = static_cast<int>(rng() % 3), length = 1 + static_cast<int>(rng() % 40);
    for (int k = 0; k < length && i < count; ++k, ++i) {
      row[i * 4 + 3] = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<std::uint8_t>(rng() & 255);
    }
  }
  return row;
}

TEST(BlendRows, EveryVectorLevelGivesTheRulesBytes) {
  const struct {
    BlendLevel level;
    const char* name;
  } levels[] = {{BlendLevel::kPortable, "portable"},
                {BlendLevel::kSse2, "SSE2"},
                {BlendLevel::kAvx2, "AVX2"},
                {BlendLevel::kAvx512, "AVX-512"}};
  std::mt19937 rng(5);
  for (const auto& [level, name] : levels) {
    if (!HasBlendLevel(level)) continue;
    for (bool keep_alpha : {false, true}) {
      for (int count = 0; count <= 100; ++count) {
        for (int offset : {0, 4, 60}) {
          const std::vector<std::uint8_t> source = RowOfRuns(rng, count);
          // Guard pixels around the destination stretch must stay as they are.
          std::vector<std::uint8_t> ours(static_cast<std::size_t>(count) * 4 + offset + 64);
          for (auto& byte : ours) byte = rng() & 255;
          std::vector<std::uint8_t> expected = ours;
          BlendRowAtLevel(level, ours.data() + offset, source.data(), count, keep_alpha);
          for (int i = 0; i < count; ++i)
            RulePixel(expected.data() + offset + i * 4, source.data() + i * 4, keep_alpha);
          ASSERT_EQ(expected, ours) << name << (keep_alpha ? ", keeping alpha" : ", with alpha")
                                    << ", " << count << " pixels at byte " << offset;
        }
      }
    }
  }
}

TEST(BlendRows, TheChosenBlendsGiveThePortableLevelsBytes) {
  std::mt19937 rng(9);
  const std::vector<std::uint8_t> source = RowOfRuns(rng, 77);
  for (bool keep_alpha : {false, true}) {
    std::vector<std::uint8_t> chosen(77 * 4), portable;
    for (auto& byte : chosen) byte = rng() & 255;
    portable = chosen;
    BlendRow(chosen.data(), source.data(), 77, keep_alpha);
    BlendRowAtLevel(BlendLevel::kPortable, portable.data(), source.data(), 77, keep_alpha);
    EXPECT_EQ(portable, chosen);
  }
}

}  // namespace
}  // namespace lumi
