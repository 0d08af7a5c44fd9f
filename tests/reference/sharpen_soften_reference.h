#pragma once
// The 3 x 3 sharpen and soften filters one pixel at a time through a clamped accessor:
// the oracle and benchmark baseline of PxSharpen and PxSoften.
#include <cstdint>

namespace lumi::reference {

void Sharpen(const std::uint8_t* source, std::uint8_t* destination, int width, int height, int amount);
void Soften(const std::uint8_t* source, std::uint8_t* destination, int width, int height, int amount);

}  // namespace lumi::reference
