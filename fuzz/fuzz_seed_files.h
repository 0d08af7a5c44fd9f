#pragma once
// Seeds for the image reader fuzz targets: small files made by the program's own writers
// or assembled here, read back as bytes.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "image/pixwerk.h"

namespace lumi::fuzz {

// Something that exercises every decoder path: gradients, an edge, a little noise.
inline std::vector<std::uint8_t> SeedPicture(int width, int height) {
  std::vector<std::uint8_t> rgb;
  std::mt19937 rng(5);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb.push_back(static_cast<std::uint8_t>(x * 255 / width));
      rgb.push_back(static_cast<std::uint8_t>(x < width / 2 ? 30 : 220));
      rgb.push_back(static_cast<std::uint8_t>(y * 40 + rng() % 8));
    }
  }
  return rgb;
}

// Runs `write` on a temporary path and returns what it wrote (empty on failure).
template <typename Write>
std::vector<std::uint8_t> WrittenBytes(const char* name, Write write) {
  std::random_device rd;
  const auto path = std::filesystem::temp_directory_path() /
                    (std::string("lumi_fuzz_seed_") + std::to_string(rd()) + name);
  std::vector<std::uint8_t> bytes;
  if (write(path)) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return bytes;
}

// Checks what a reader returned: a picture must be as large as it says.
inline void CheckPicture(const std::optional<RgbImage>& image) {
  if (image && image->pixels.size() != static_cast<std::size_t>(image->width) * image->height * 3) {
    std::abort();
  }
}

}  // namespace lumi::fuzz
