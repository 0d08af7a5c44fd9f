#pragma once
// Conversion of one stored bitmap row to RGB, shared by the BMP reader and the bitmap
// conversion.
#include <cstdint>

namespace lumi::pixwerk {

// Converts `width` pixels of a stored row of `bits` per pixel (1, 4, 8, 16, 24 or 32) to
// red, green, blue bytes. Indexed depths look up `table`, 256 entries of blue, green,
// red, reserved; pixels come from the most significant bits of each byte first.
// 16 bits are 5-5-5 (bits 10-14 red, 5-9 green, 0-4 blue), each 5-bit value v becoming
// (v << 3) | 7; 24 and 32 bits are blue, green, red (the fourth byte is ignored).
void BmpRowToRgb(const std::uint8_t* row, int bits, int width, const std::uint8_t* table,
                 std::uint8_t* rgb);

}  // namespace lumi::pixwerk
