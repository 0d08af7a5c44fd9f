#pragma once
// The C runtime's 15-bit pseudo-random generator (a linear congruence, values 0..32767).
// Filters, colour genes, bevel noise and identifiers draw from the one shared instance,
// in a fixed order, so seeding it makes their results reproducible.
#include <cstdint>

#include "base/work_turn.h"

namespace lumi {

class RuntimeRandom {
 public:
  static constexpr int kMax = 32767;
  explicit RuntimeRandom(std::uint32_t seed = 1) : state_(seed) {}
  void Seed(std::uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fff);
  }

 private:
  std::uint32_t state_;
};

// The shared generator (single-threaded use, like the runtime's own).
RuntimeRandom& SharedRandom();

// Objects rendered at once wait for their turn to draw (see base/work_turn.h).
inline void SeedRandom(std::uint32_t seed) {
  RequireOwnTurn();
  SharedRandom().Seed(seed);
}
inline int Rand() {
  RequireOwnTurn();
  return SharedRandom().Next();
}

}  // namespace lumi
