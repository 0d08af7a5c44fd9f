#include "gene_recipes.h"

#include <stdexcept>

namespace lumi::content {

const std::vector<NamedGene>& ShippedGenes() {
  // Eight gene bytes and the mode. Sorted by name, as the list shows them.
  static const std::vector<NamedGene> genes = {
      {"Amber Star", {{52, 96, 190, 49, 32, 30, 105, 254}, 0}},
      {"Blue Fan", {{32, 226, 166, 102, 141, 231, 244, 126}, 4}},
      {"Blue Flower", {{74, 201, 27, 109, 12, 72, 212, 26}, 11}},
      {"Blue Tartan", {{104, 247, 0, 245, 176, 43, 61, 198}, 3}},
      {"Bronze Rays", {{30, 94, 201, 230, 160, 57, 40, 84}, 11}},
      {"Candy Twist", {{88, 72, 242, 61, 31, 166, 247, 54}, 4}},
      {"Circuit Green", {{52, 26, 146, 76, 127, 136, 223, 161}, 9}},
      {"Dusk Glass", {{99, 122, 205, 116, 102, 252, 182, 14}, 2}},
      {"Gold Medallion", {{210, 157, 28, 11, 99, 255, 215, 41}, 11}},
      {"Gold Rings", {{159, 11, 65, 16, 217, 242, 250, 0}, 10}},
      {"Green Mandala", {{218, 160, 238, 232, 185, 153, 127, 92}, 0}},
      {"Ice Swirl", {{9, 97, 243, 125, 228, 54, 221, 253}, 6}},
      {"Kaleidoscope", {{94, 80, 137, 228, 1, 134, 186, 168}, 6}},
      {"Lemon Dawn", {{204, 201, 53, 246, 205, 31, 97, 34}, 2}},
      {"Leopard", {{71, 222, 99, 108, 14, 128, 108, 149}, 3}},
      {"Midnight Cone", {{183, 194, 118, 77, 42, 90, 77, 118}, 1}},
      {"Navy Whirl", {{234, 225, 9, 196, 169, 151, 32, 57}, 5}},
      {"Neon Cells", {{210, 230, 70, 146, 248, 25, 65, 87}, 9}},
      {"Opal", {{101, 39, 75, 169, 130, 155, 68, 6}, 7}},
      {"Orchid Spiral", {{109, 19, 44, 222, 214, 35, 123, 46}, 0}},
      {"Pastel Flow", {{118, 235, 252, 195, 39, 245, 147, 23}, 7}},
      {"Red Pinwheel", {{203, 249, 83, 114, 82, 220, 206, 173}, 4}},
      {"Rose Star", {{77, 55, 234, 43, 20, 0, 64, 119}, 10}},
      {"Silk Waves", {{47, 33, 242, 129, 38, 135, 120, 105}, 7}},
      {"Spring Meadow", {{17, 237, 32, 31, 131, 99, 32, 173}, 12}},
      {"Steel Vortex", {{173, 213, 137, 66, 22, 122, 56, 82}, 5}},
      {"Sunset Bloom", {{107, 107, 38, 46, 72, 134, 184, 67}, 8}},
      {"Target Rings", {{217, 30, 63, 114, 31, 203, 25, 113}, 0}},
      {"Teal Lace", {{153, 98, 198, 133, 114, 0, 5, 154}, 10}},
      {"Teal Snowflake", {{60, 214, 84, 175, 77, 250, 215, 20}, 0}},
      {"Twilight", {{120, 62, 150, 150, 143, 137, 190, 130}, 13}},
      {"Woven Ribbons", {{186, 41, 112, 52, 116, 240, 100, 172}, 3}},
  };
  return genes;
}

std::vector<std::string> GeneLibraryEntries() {
  std::vector<std::string> entries = {".."};
  for (const NamedGene& named : ShippedGenes())
    entries.push_back(FormatGeneEntry(named.name, PackGene(named.gene, /*with_mode=*/true)));
  return entries;
}

std::filesystem::path WriteGenes(const std::filesystem::path& root) {
  std::filesystem::create_directories(root);
  const std::filesystem::path path = root / kGeneLibraryFile;
  if (!WriteGeneLibrary(path, GeneLibraryEntries())) throw std::runtime_error("cannot write " + path.string());
  return path;
}

}  // namespace lumi::content
