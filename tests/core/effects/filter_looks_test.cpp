// Every filter's result on one fixed image, pinned as checksums so that a change of any
// pixel of any filter is caught.
//
// The image is 23 x 17 with byte i = ((i x 2654435761) mod 2^32 >> 13) AND 255; Aged Photo
// runs after seeding the generator with 1. The checksums (32-bit FNV-1a over all bytes)
// come from tests/reference/pinned_checksums.py, a separate Python implementation of the
// filter rules that shares nothing with this code. Run
//   python3 tests/reference/pinned_checksums.py          (every value, marked ok or not)
//   python3 tests/reference/pinned_checksums.py --check  (exit 1 on a mismatch; ctest
//                                                          pinned_checksums runs this)
// Changing a value here is legitimate only when a rule is shown to be implemented
// wrongly; then correct the Python program from the rule and take its new value, never
// the value the code now prints.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/runtime_random.h"
#include "effects/filter_factory.h"

namespace lumi {
namespace {

constexpr int kW = 23, kH = 17;

std::vector<std::uint8_t> Source() {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(kW) * kH * 4);
  for (std::size_t i = 0; i < px.size(); ++i)
    px[i] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(i) * 2654435761u) >> 13);
  return px;
}

std::uint32_t Fnv(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t h = 2166136261u;
  for (std::uint8_t b : bytes) h = (h ^ b) * 16777619u;
  return h;
}

std::uint32_t Look(int id, const int* params) {
  auto px = Source();
  CFilterFactory factory;
  factory.SetImage(px.data(), kW, kH);
  factory.SelectFilter(id);
  if (params != nullptr)
    for (int i = 0; i < 8; ++i) factory.SetParam(i, params[i]);
  SeedRandom(1);
  factory.ApplyFilter();
  return Fnv(px);
}

TEST(FilterLooksTest, SourceImage) { EXPECT_EQ(Fnv(Source()), 0xda76f8dcu); }

TEST(FilterLooksTest, EveryFilterWithItsDefaults) {
  const std::uint32_t expected[27] = {
      0x5d69733cu, 0x3dc8c08fu, 0xda76f8dcu, 0x63aeb430u, 0x9a24d802u, 0x6c829618u, 0x34cdf205u,
      0xac38abb5u, 0xda76f8dcu, 0xfa77d64cu, 0x03098d87u, 0xfe5e4b72u, 0xc92e6993u, 0xac366796u,
      0xc3267ff6u, 0x6092f95au, 0x2af2b2beu, 0x70076330u, 0xef805213u, 0x02830ca7u, 0x78a4efebu,
      0x79baca03u, 0xaad3ebcfu, 0x847da3d7u, 0x8f437a89u, 0xcf50aa6cu, 0x5ee65fcdu};
  for (int id = 0; id < 27; ++id) EXPECT_EQ(Look(id, nullptr), expected[id]) << "filter " << id;
}

TEST(FilterLooksTest, EveryFilterWithOtherParameters) {
  const int params[8] = {60, 200, 17, 240, 100, 5, 0, 0};
  const std::uint32_t expected[27] = {
      0x4c8b944eu, 0x643ab9a5u, 0x9b3c257au, 0xfa99d0cfu, 0xf4cc1063u, 0x2d14361eu, 0x065abefeu,
      0x24423a83u, 0x1661b18du, 0xfbd2dd70u, 0x9d0d16e2u, 0xa8e7812fu, 0xc90eac18u, 0x9745bc3eu,
      0x0046f6b9u, 0x0a15101fu, 0x5ca15fb7u, 0x51d151c7u, 0x7fa35916u, 0xc67b1501u, 0x635af4efu,
      0x5a2a1f16u, 0xc6725c58u, 0xcd1d5d12u, 0xa3a2fd7du, 0x5ec0cc9du, 0xcc9dff10u};
  for (int id = 0; id < 27; ++id) EXPECT_EQ(Look(id, params), expected[id]) << "filter " << id;
}

}  // namespace
}  // namespace lumi
