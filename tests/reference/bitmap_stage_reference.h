#pragma once
// The bitmap stage and the bitmap commands' pixel operations written straight from their
// definitions: one pixel at a time, every coordinate worked out from scratch, the
// resampling done by the plain two-pass reference. Slow on purpose; the oracle for
// render/bitmap_stage.h and effects/bitmap_alpha.h.
#include <array>
#include <cstdint>

#include "base/colour.h"
#include "image/dib_section.h"

namespace lumi::reference {

void WarpEnlargedSource(const CDIBSection& enlarged, const std::array<double, 16>& envelope,
                        CDIBSection& work);
void RotateEnlargedSource(const CDIBSection& enlarged, int angle_degrees, CDIBSection& work);
// The whole stage into `image` (width x height x 32 already).
void RenderBitmapImage(const CDIBSection& source, const std::array<double, 16>* envelope,
                       int angle_degrees, CDIBSection& image);
// Bilinear four-channel resampling of a bitmap in storage order.
CDIBSection ScaleBitmap(const CDIBSection& source, int width, int height);

void TransparencyFromIntensity(CDIBSection& bitmap);
void ColourTransparency(CDIBSection& bitmap, COLORREF colour, int tolerance);

}  // namespace lumi::reference
