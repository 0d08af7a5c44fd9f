// Writes the program's shipped gene library into a data folder:
//   lumi-gen-genes DATA_DIR
#include <cstdio>
#include <exception>

#include "gene_recipes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumi-gen-genes DATA_DIR\n");
    return 1;
  }
  try {
    std::printf("%s\n", lumi::content::WriteGenes(argv[1]).string().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumi-gen-genes: %s\n", e.what());
    return 1;
  }
  return 0;
}
