#include "base/runtime_random.h"

namespace lumi {

RuntimeRandom& SharedRandom() {
  static RuntimeRandom generator;
  return generator;
}

}  // namespace lumi
