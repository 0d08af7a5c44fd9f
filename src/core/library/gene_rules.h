#pragma once
// The nine generating rules of the colour genes and the mode table that picks one and
// routes its three outputs to red, green and blue.
#include <cstdint>

namespace lumi::gene {

struct GeneRun {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  const int* P = nullptr;  // the eight gene bytes
  int mode = 0;
};

void Generate(const GeneRun& run);

}  // namespace lumi::gene
