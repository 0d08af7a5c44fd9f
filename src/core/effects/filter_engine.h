#pragma once
// The per-pixel rules of the filter catalogue, run over a whole image.
#include <cstdint>

namespace lumi::fx {

struct FilterRun {
  const std::uint8_t* source = nullptr;  // the unfiltered copy, read only
  std::uint8_t* target = nullptr;        // the live image; only red, green, blue written
  int width = 0;
  int height = 0;
  const int* params = nullptr;       // the eight current parameter values
  std::int32_t* scratch = nullptr;   // 256 entries, kept between runs
};

// Runs filter `id` (0..26); other ids leave the target as it is. The target must already
// hold a copy of the source.
void RunFilter(int id, const FilterRun& run);

}  // namespace lumi::fx
