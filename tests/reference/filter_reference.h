#pragma once
// The 27 bitmap filters one pixel at a time, every formula written out where it is used:
// the oracle for the filter engine and its benchmark baseline.
#include <cstdint>
#include <vector>

namespace lumi::reference {

// Runs filter `id` with parameters P[0..7] over a width x height image of blue, green,
// red, alpha bytes (rows in stored order). `image` is both the live image and the result;
// the rule reads a copy taken first. T is the 256-entry scratch table.
void ApplyFilter(int id, const int* P, std::vector<std::uint8_t>& image, int width, int height,
                 std::int32_t* T);

}  // namespace lumi::reference
