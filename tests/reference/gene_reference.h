#pragma once
// The colour-gene rules one pixel at a time with the 256-entry scratch table, every step
// written out as the rule states it: the oracle for the gene generator and its benchmark
// baseline.
#include <cstdint>

namespace lumi::reference {

// Fills red, green, blue of a width x height image (bytes blue, green, red, alpha) from
// gene bytes P[0..7] and `mode`.
void GenerateGene(std::uint8_t* pixels, int width, int height, const int* P, int mode);

}  // namespace lumi::reference
