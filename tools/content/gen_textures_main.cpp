// Writes the program's shipped textures into a data folder:
//   lumi-gen-textures DATA_DIR
#include <cstdio>
#include <exception>

#include "texture_recipes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumi-gen-textures DATA_DIR\n");
    return 1;
  }
  try {
    const auto written = lumi::content::WriteTextures(argv[1]);
    std::printf("%zu files written under %s\n", written.size(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumi-gen-textures: %s\n", e.what());
    return 1;
  }
  return 0;
}
