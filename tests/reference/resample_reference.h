#pragma once
// The two-pass resampler written straight from its definition: every output sample
// works out its own window and weights, the vertical pass walks column by column, and
// nothing is cached or trimmed. Slow on purpose; the oracle for CTwoPassScaler.
#include <cstdint>
#include <vector>

#include "image/two_pass_scaler.h"

namespace lumi::reference {

// source_width x source_height pixels of `channels` (3 or 4) bytes, packed rows, to
// output_width x output_height; the horizontal pass into a temporary image first.
std::vector<std::uint8_t> Resample(ScaleKernel kernel, const std::vector<std::uint8_t>& source,
                                   int source_width, int source_height, int output_width,
                                   int output_height, int channels);

}  // namespace lumi::reference
