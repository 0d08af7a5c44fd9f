#pragma once
// Sines and cosines of integer angles (1024 units per turn) near zero, computed once and
// looked up: the per-pixel rules call them millions of times with small integer angles.
// Every entry is exactly what the direct formula gives, so looking up changes no bit;
// angles outside the table are computed directly.
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/filter_math.h"

namespace lumi::fx {

class SineTable {
 public:
  static constexpr int kSpan = 8192;  // angles -8192 .. 8191

  // The one shared table, built on first use.
  static const SineTable& Get() {
    static const SineTable table;
    return table;
  }

  // sin(a x angle unit) and cos(a x angle unit) as doubles.
  double Sin(Int a) const {
    const std::uint32_t i = Index(a);
    return i < kSize ? sin_[i] : std::sin(D(a) * kAngleUnit);
  }
  double Cos(Int a) const {
    const std::uint32_t i = Index(a);
    return i < kSize ? cos_[i] : std::cos(D(a) * kAngleUnit);
  }
  // Sin512 and Cos512.
  Int Sin512(Int a) const {
    const std::uint32_t i = Index(a);
    return i < kSize ? Int(sin512_[i]) : fx::Sin512(a);
  }
  Int Cos512(Int a) const {
    const std::uint32_t i = Index(a);
    return i < kSize ? Int(cos512_[i]) : fx::Cos512(a);
  }

 private:
  static constexpr std::uint32_t kSize = 2 * kSpan;
  SineTable();
  static std::uint32_t Index(Int a) { return static_cast<std::uint32_t>(a.v) + kSpan; }

  std::vector<double> sin_, cos_;
  std::vector<std::int16_t> sin512_, cos512_;
};

}  // namespace lumi::fx
