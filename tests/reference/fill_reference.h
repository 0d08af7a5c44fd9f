#pragma once
// The fills and transparencies written one pixel at a time straight from their
// definitions: no cosine tables, no per-column products, no quick modulo.
// Shared with the code it checks: the integer helpers of render/fill_math.h (truncation,
// Lerp, PixelAngle, Dist, Project), so a fault there is invisible to this oracle;
// tests/core/render/fill_math_test.cpp checks those against worked values.
#include <cstdint>

#include "image/dib_section.h"
#include "library/texture_bank.h"
#include "render/texture_mapping.h"
#include "render/transparency.h"

namespace lumi::reference {

void LinearGradient(CDIBSection& image, int angle, int strength, COLORREF colour2);
void RadialGradient(CDIBSection& image, int strength, COLORREF colour2);
void MapTexture(CDIBSection& image, std::uint8_t* mask, const TextureView& texture,
                const TextureMapping& m);
void CutTransparency(CDIBSection& image, std::uint8_t* mask, const TransparencySettings& t,
                     const TextureView& texture);
void PaintTransparency(CDIBSection& image, const TransparencySettings& t,
                       const TextureView& texture);

}  // namespace lumi::reference
