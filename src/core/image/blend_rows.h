#pragma once
// The two alpha blends of 32-bit BGRA rows, shared by the bitmap blend and the canvas
// blend. Per colour channel both give (s * a + d * (255 - a)) >> 8 for a source alpha a
// between 1 and 254, copy the source at 255 and leave the destination at 0; the sum fits
// 16 bits, so many pixels are blended at once in 16-bit lanes with the same result. The
// widest vector level the processor has is chosen once.
#include <cstdint>

namespace lumi {

// The alpha channel blends like the colours (a * a + d * (255 - a)) >> 8.
void BlendRowWithAlpha(std::uint8_t* d, const std::uint8_t* s, int count);
// The destination keeps its alpha.
void BlendRowKeepAlpha(std::uint8_t* d, const std::uint8_t* s, int count);
// One of the two, as `keep_alpha` says.
inline void BlendRow(std::uint8_t* d, const std::uint8_t* s, int count, bool keep_alpha) {
  if (keep_alpha)
    BlendRowKeepAlpha(d, s, count);
  else
    BlendRowWithAlpha(d, s, count);
}

// The vector levels, each giving the same bytes; tests compare every one the processor
// has, since the blends above only ever use the widest.
enum class BlendLevel { kPortable, kSse2, kAvx2, kAvx512 };
bool HasBlendLevel(BlendLevel level);
// A level the processor lacks blends as the portable one.
void BlendRowAtLevel(BlendLevel level, std::uint8_t* d, const std::uint8_t* s, int count,
                     bool keep_alpha);

}  // namespace lumi
