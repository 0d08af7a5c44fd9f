#include "ui/button_images.h"

namespace lumi {

int ColdGreyLevel(int red, int green, int blue) {
  const int level = (77 * red + 153 * green + 25 * blue) / 255;
  if (level < 64) return 0;
  if (level < 160) return 128;
  if (level < 224) return 192;
  return 255;
}

}  // namespace lumi
