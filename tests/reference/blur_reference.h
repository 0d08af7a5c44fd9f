#pragma once
// Pixel-at-a-time versions of the blur with profile curves and of the height-map
// lighting, written straight from their arithmetic: one output value per loop
// iteration, every neighbour fetched through its coordinates. They are the oracles the
// fast kernels are tested against and the baselines they are timed against.
#include <cstdint>

#include "image/dib_section.h"

namespace lumi::reference {

// The Gaussian blur (two passes, single-precision sums) followed by the 3 x 3 average
// and the profile curve of `mode`, on a width x height map of bytes, top row first.
// Mode 3 draws one number per pixel from the shared runtime generator, row by row.
void ProfileBlur(std::uint8_t* map, int width, int height, double sigma, int mode);

// Only the profile step (3 x 3 average with clamped coordinates, then the curve).
void ProfilePass(std::uint8_t* map, int width, int height, int mode);

// Lights a 32-bit image from a top-down height map of the same size.
void ShadeFromHeightMap(CDIBSection& image, const std::uint8_t* height_map, int width,
                        int height, double azimuth, double elevation, int depth,
                        int intensity, bool squaring);

}  // namespace lumi::reference
