#pragma once
// Reduces a 24-bit image to at most 256 palette colours with a colour-cube tree: every
// colour falls into one of 32768 cells (five bits per channel), the cells are the leaves
// of an eight-way tree, and the least used nodes are folded into their parents until no
// more colours remain than were asked for. The pixels are then mapped to the palette,
// optionally with error diffusion.
#include <cstdint>
#include <vector>

namespace lumi {

enum class DitherMode { kNone = 0, kSimple = 1, kFloydSteinberg = 2 };

class CColorQuantizer {
 public:
  // Nodes per tree level: 1, 8, 64, 512, 4096, 32768; level 5 holds the leaves.
  static constexpr int kLevels = 6;
  static constexpr int kLeafCount = 32768;

  // `rgb` holds width x height pixels of red, green, blue, rows packed; `indices`
  // receives one palette index per pixel; `palette` receives 4-byte entries (blue,
  // green, red, 0) for as many colours as were asked (colour_count clamped to 1..256;
  // entries beyond the colours found are zero). Dither 0 none, 1 simple ("Error
  // Diffusion"), 2 Floyd-Steinberg; any other value maps without dither.
  // Returns nonzero on success; 0 when width or height is below 1 or memory runs out,
  // with `indices` and `palette` untouched.
  int Quantize(const std::uint8_t* rgb, std::uint8_t* indices, int width, int height,
               int colour_count, std::uint8_t* palette, int dither);

  // Palette colours (red, green, blue) found by the last successful call.
  int ColoursFound() const { return colours_found_; }

 private:
  struct Node {
    // Sums kept in 64 bits: 32-bit sums would wrap beyond 16.8 million pixels in one
    // node, and the quotients are the same whenever they do not.
    std::uint64_t red = 0, green = 0, blue = 0;
    std::uint32_t count = 0;    // pixels of its own
    std::uint32_t subtree = 0;  // pixels in it and below
    std::uint8_t children = 0;  // bit c set: child c still in the tree
    std::uint8_t index = 0;     // palette index
  };
  struct HeapEntry {
    std::uint8_t level;
    std::uint16_t node;
  };

  Node& At(int level, int index) { return levels_[level][index]; }
  void BuildTree(const std::uint8_t* rgb, std::size_t pixels);
  void SiftDown(std::size_t position);
  void Reduce(int colour_count);
  void AssignPalette(int level, int index);
  int Nearest(int red, int green, int blue) const;
  void MapDirect(const std::uint8_t* rgb, std::uint8_t* indices, std::size_t pixels);
  // Error diffusion, rows alternately left to right and right to left; Floyd-Steinberg
  // (7, 1, 5, 3 sixteenths) or simple (the whole error right and down, halved on use).
  template <bool kFloyd>
  void DitherRows(const std::uint8_t* rgb, std::uint8_t* indices, int width, int height);

  std::vector<Node> levels_[kLevels];
  std::vector<HeapEntry> heap_;  // 1-based: heap_[0] unused
  std::size_t heap_size_ = 0;
  std::uint8_t palette_[256][3] = {};  // red, green, blue
  int colours_found_ = 0;
};

}  // namespace lumi
