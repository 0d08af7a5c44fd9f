#include "effects/filter_math.h"

#include "base/runtime_random.h"

namespace lumi::fx {

Int Rand(Int a, Int b) {
  const double r = static_cast<double>(lumi::Rand());
  return a + Trunc(r / 32767.0 * (D(b) - D(a)) + 0.5);
}

}  // namespace lumi::fx
