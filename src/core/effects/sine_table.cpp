#include "effects/sine_table.h"

namespace lumi::fx {

SineTable::SineTable() : sin_(kSize), cos_(kSize), sin512_(kSize), cos512_(kSize) {
  for (std::uint32_t i = 0; i < kSize; ++i) {
    const Int a = static_cast<std::int32_t>(i) - kSpan;
    sin_[i] = std::sin(D(a) * kAngleUnit);
    cos_[i] = std::cos(D(a) * kAngleUnit);
    sin512_[i] = static_cast<std::int16_t>(fx::Sin512(a).v);
    cos512_[i] = static_cast<std::int16_t>(fx::Cos512(a).v);
  }
}

}  // namespace lumi::fx
