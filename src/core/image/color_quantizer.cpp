#include "image/color_quantizer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "image/dib_section.h"

namespace lumi {

namespace {

// Bit k (7..3) of a channel goes to bit 3(k - 3) + shift of the leaf index, so the top
// three index bits are the channels' top bits and each tree level adds one bit of each.
constexpr std::array<std::uint16_t, 256> SpreadTable(int shift) {
  std::array<std::uint16_t, 256> table{};
  for (int v = 0; v < 256; ++v) {
    int spread = 0;
    for (int k = 3; k <= 7; ++k) {
      if (v >> k & 1) spread |= 1 << (3 * (k - 3) + shift);
    }
    table[v] = static_cast<std::uint16_t>(spread);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kSpreadRed = SpreadTable(2);
constexpr std::array<std::uint16_t, 256> kSpreadGreen = SpreadTable(1);
constexpr std::array<std::uint16_t, 256> kSpreadBlue = SpreadTable(0);

inline int LeafOf(const std::uint8_t* p) {
  return kSpreadRed[p[0]] | kSpreadGreen[p[1]] | kSpreadBlue[p[2]];
}

// Channel `shift` (2 red, 1 green, 0 blue) of a leaf index as a 5-bit value.
constexpr int LeafChannel(int leaf, int shift) {
  int v = 0;
  for (int i = 0; i < 5; ++i) v |= (leaf >> (3 * i + shift) & 1) << i;
  return v;
}

// Squares of the differences -255..255, centred.
constexpr std::array<int, 511> kSquares = [] {
  std::array<int, 511> table{};
  for (int d = -255; d <= 255; ++d) table[d + 255] = d * d;
  return table;
}();

inline int Square(int difference) { return kSquares[difference + 255]; }

}  // namespace

void CColorQuantizer::BuildTree(const std::uint8_t* rgb, std::size_t pixels) {
  for (int level = 0; level < kLevels; ++level) {
    levels_[level].assign(std::size_t{1} << (3 * level), Node{});
  }
  std::vector<Node>& leaves = levels_[kLevels - 1];
  for (std::size_t i = 0; i < pixels; ++i, rgb += 3) {
    Node& leaf = leaves[LeafOf(rgb)];
    leaf.red += rgb[0];
    leaf.green += rgb[1];
    leaf.blue += rgb[2];
    ++leaf.count;
  }
  heap_.assign(kLeafCount + 1, HeapEntry{0, 0});
  heap_size_ = 0;
  for (int x = 0; x < kLeafCount; ++x) {
    Node& leaf = leaves[x];
    if (leaf.count == 0) continue;
    heap_[++heap_size_] = HeapEntry{kLevels - 1, static_cast<std::uint16_t>(x)};
    leaf.subtree = leaf.count;
    int index = x;
    for (int level = kLevels - 2; level >= 0; --level) {
      const int child = index & 7;
      index >>= 3;
      Node& parent = At(level, index);
      parent.subtree += leaf.count;
      parent.children |= static_cast<std::uint8_t>(1 << child);
    }
  }
  for (std::size_t position = heap_size_; position >= 1; --position) SiftDown(position);
}

void CColorQuantizer::SiftDown(std::size_t position) {
  const HeapEntry moving = heap_[position];
  const std::uint32_t key = At(moving.level, moving.node).subtree;
  for (;;) {
    std::size_t child = position * 2;
    if (child > heap_size_) break;
    std::uint32_t child_key = At(heap_[child].level, heap_[child].node).subtree;
    if (child + 1 <= heap_size_) {
      const std::uint32_t right = At(heap_[child + 1].level, heap_[child + 1].node).subtree;
      if (right < child_key) {
        ++child;
        child_key = right;
      }
    }
    if (!(child_key < key)) break;
    heap_[position] = heap_[child];
    position = child;
  }
  heap_[position] = moving;
}

void CColorQuantizer::Reduce(int colour_count) {
  while (heap_size_ > static_cast<std::size_t>(colour_count)) {
    const HeapEntry top = heap_[1];
    // The root holds every pixel, so it outweighs every other entry and never reaches
    // the top while more than one entry is left; stop rather than fold it into itself.
    if (top.level == 0) break;
    const int parent_level = top.level - 1;
    const int parent_index = top.node >> 3;
    Node& node = At(top.level, top.node);
    Node& parent = At(parent_level, parent_index);
    if (parent.count > 0) {
      heap_[1] = heap_[heap_size_--];
    } else {
      heap_[1] = HeapEntry{static_cast<std::uint8_t>(parent_level),
                           static_cast<std::uint16_t>(parent_index)};
    }
    parent.count += node.count;
    parent.red += node.red;
    parent.green += node.green;
    parent.blue += node.blue;
    parent.children &= static_cast<std::uint8_t>(~(1 << (top.node & 7)));
    SiftDown(1);
  }
}

void CColorQuantizer::AssignPalette(int level, int index) {
  Node& node = At(level, index);
  for (int bit = 7; bit >= 0; --bit) {
    if (node.children >> bit & 1) AssignPalette(level + 1, index << 3 | bit);
  }
  if (node.count == 0 || colours_found_ >= 256) return;
  const std::uint64_t count = node.count;
  node.index = static_cast<std::uint8_t>(colours_found_);
  palette_[colours_found_][0] = static_cast<std::uint8_t>((node.red + count / 2) / count);
  palette_[colours_found_][1] = static_cast<std::uint8_t>((node.green + count / 2) / count);
  palette_[colours_found_][2] = static_cast<std::uint8_t>((node.blue + count / 2) / count);
  ++colours_found_;
}

int CColorQuantizer::Nearest(int red, int green, int blue) const {
  // The colour stands for its whole 15-bit cell: take the cell's centre. The palette
  // colours are the exact means and are compared as they are.
  red = (red & 248) + 4;
  green = (green & 248) + 4;
  blue = (blue & 248) + 4;
  int best = 200000, found = 0;
  for (int i = 0; i < colours_found_; ++i) {
    // Partial sums only grow, so a colour is dropped as soon as it cannot be closer.
    int distance = Square(red - palette_[i][0]);
    if (distance >= best) continue;
    distance += Square(green - palette_[i][1]);
    if (distance >= best) continue;
    distance += Square(blue - palette_[i][2]);
    if (distance < best) {
      best = distance;
      found = i;
    }
  }
  return found;
}

void CColorQuantizer::MapDirect(const std::uint8_t* rgb, std::uint8_t* indices,
                                std::size_t pixels) {
  // Every pixel of a cell maps alike, so each occupied cell is searched once.
  std::vector<std::uint8_t> leaf_index(kLeafCount, 0);
  const std::vector<Node>& leaves = levels_[kLevels - 1];
  for (int x = 0; x < kLeafCount; ++x) {
    if (leaves[x].subtree == 0) continue;
    leaf_index[x] = static_cast<std::uint8_t>(
        Nearest(LeafChannel(x, 2) << 3, LeafChannel(x, 1) << 3, LeafChannel(x, 0) << 3));
  }
  for (std::size_t i = 0; i < pixels; ++i, rgb += 3) indices[i] = leaf_index[LeafOf(rgb)];
}

template <bool kFloyd>
void CColorQuantizer::DitherRows(const std::uint8_t* rgb, std::uint8_t* indices, int width,
                                 int height) {
  // Errors diffused to this row and to the next, three channels per pixel, with one
  // spare pixel at either end for the spill past the row's ends. Errors stay within
  // -20..20, so the sums (at most 16 x 20) fit easily.
  const std::size_t row_entries = (static_cast<std::size_t>(width) + 2) * 3;
  std::vector<int> buffers(row_entries * 2, 0);
  int* current = buffers.data();
  int* next = buffers.data() + row_entries;
  std::vector<std::int16_t> cache(kLeafCount, -1);
  for (int y = 0; y < height; ++y) {
    const int step = y % 2 == 0 ? 1 : -1;
    const int ahead = step * 3;
    std::fill(next, next + row_entries, 0);
    int x = step > 0 ? 0 : width - 1;
    const std::uint8_t* p = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
    std::uint8_t* out = indices + static_cast<std::size_t>(y) * width + x;
    int* here = current + (static_cast<std::size_t>(x) + 1) * 3;
    int* below = next + (static_cast<std::size_t>(x) + 1) * 3;
    // The error passed along the row stays in registers.
    int carry_r = 0, carry_g = 0, carry_b = 0;
    for (int i = 0; i < width; ++i, p += ahead, out += step, here += ahead, below += ahead) {
      const int e_r = here[0] + carry_r, e_g = here[1] + carry_g, e_b = here[2] + carry_b;
      const int r = std::clamp(p[0] + (kFloyd ? (e_r + 8) >> 4 : e_r >> 1), 0, 255);
      const int g = std::clamp(p[1] + (kFloyd ? (e_g + 8) >> 4 : e_g >> 1), 0, 255);
      const int b = std::clamp(p[2] + (kFloyd ? (e_b + 8) >> 4 : e_b >> 1), 0, 255);
      const int key = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
      int chosen = cache[key];
      if (chosen < 0) {
        chosen = Nearest(r, g, b);
        cache[key] = static_cast<std::int16_t>(chosen);
      }
      *out = static_cast<std::uint8_t>(chosen);
      const std::uint8_t* colour = palette_[chosen];
      const int err_r = std::clamp(r - colour[0], -20, 20);
      const int err_g = std::clamp(g - colour[1], -20, 20);
      const int err_b = std::clamp(b - colour[2], -20, 20);
      if constexpr (kFloyd) {
        carry_r = 7 * err_r;
        carry_g = 7 * err_g;
        carry_b = 7 * err_b;
        below[ahead] += err_r;
        below[ahead + 1] += err_g;
        below[ahead + 2] += err_b;
        below[0] += 5 * err_r;
        below[1] += 5 * err_g;
        below[2] += 5 * err_b;
        below[-ahead] += 3 * err_r;
        below[1 - ahead] += 3 * err_g;
        below[2 - ahead] += 3 * err_b;
      } else {
        carry_r = err_r;
        carry_g = err_g;
        carry_b = err_b;
        below[0] += err_r;
        below[1] += err_g;
        below[2] += err_b;
      }
    }
    std::swap(current, next);
  }
}

int CColorQuantizer::Quantize(const std::uint8_t* rgb, std::uint8_t* indices, int width,
                              int height, int colour_count, std::uint8_t* palette,
                              int dither) {
  if (width < 1 || height < 1 ||
      std::int64_t{width} * height > CDIBSection::kMaxPixels) {
    return 0;
  }
  const int colours = std::clamp(colour_count, 1, 256);
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  const DitherMode mode = dither == 1   ? DitherMode::kSimple
                          : dither == 2 ? DitherMode::kFloydSteinberg
                                        : DitherMode::kNone;
  try {
    colours_found_ = 0;
    std::memset(palette_, 0, sizeof palette_);
    BuildTree(rgb, pixels);
    Reduce(colours);
    AssignPalette(0, 0);
    if (mode == DitherMode::kNone) {
      MapDirect(rgb, indices, pixels);
    } else {
      if (mode == DitherMode::kFloydSteinberg) {
        DitherRows<true>(rgb, indices, width, height);
      } else {
        DitherRows<false>(rgb, indices, width, height);
      }
    }
  } catch (const std::bad_alloc&) {
    for (auto& level : levels_) std::vector<Node>().swap(level);
    std::vector<HeapEntry>().swap(heap_);
    colours_found_ = 0;
    return 0;
  }
  for (int i = 0; i < colours; ++i) {
    palette[i * 4] = palette_[i][2];
    palette[i * 4 + 1] = palette_[i][1];
    palette[i * 4 + 2] = palette_[i][0];
    palette[i * 4 + 3] = 0;
  }
  // The tree is built anew by every call; let it go.
  for (auto& level : levels_) std::vector<Node>().swap(level);
  std::vector<HeapEntry>().swap(heap_);
  return 1;
}

}  // namespace lumi
