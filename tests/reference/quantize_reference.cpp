#include "quantize_reference.h"

#include <algorithm>
#include <array>
#include <functional>

namespace lumi::reference {

namespace {

struct Node {
  std::uint64_t sum[3] = {0, 0, 0};
  std::uint64_t count = 0, subtree = 0;
  int children = 0;
};

// Leaf of a colour: for each of bits 7 down to 3, append (red, green, blue) bits.
int LeafIndex(int r, int g, int b) {
  int index = 0;
  for (int k = 7; k >= 3; --k) {
    index = index << 3 | ((r >> k) & 1) << 2 | ((g >> k) & 1) << 1 | ((b >> k) & 1);
  }
  return index;
}

int NearestColour(const std::vector<std::array<int, 3>>& palette, int r, int g, int b) {
  const int q[3] = {(r & 248) + 4, (g & 248) + 4, (b & 248) + 4};
  int best = 200000, found = 0;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    int d = 0;
    for (int c = 0; c < 3; ++c) d += (q[c] - palette[i][c]) * (q[c] - palette[i][c]);
    if (d < best) {
      best = d;
      found = static_cast<int>(i);
    }
  }
  return found;
}

}  // namespace

Quantized Quantize(const std::vector<std::uint8_t>& rgb, int width, int height, int colours,
                   int dither) {
  colours = std::clamp(colours, 1, 256);
  std::vector<std::vector<Node>> tree(6);
  for (int level = 0; level < 6; ++level) tree[level].resize(std::size_t{1} << (3 * level));
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  for (std::size_t i = 0; i < pixels; ++i) {
    Node& leaf = tree[5][LeafIndex(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2])];
    for (int c = 0; c < 3; ++c) leaf.sum[c] += rgb[i * 3 + c];
    ++leaf.count;
  }

  // Heap of (level, node), 1-based, keyed by subtree count.
  std::vector<std::pair<int, int>> heap(1);
  for (int x = 0; x < 32768; ++x) {
    if (tree[5][x].count == 0) continue;
    heap.push_back({5, x});
    tree[5][x].subtree = tree[5][x].count;
    for (int level = 4, index = x; level >= 0; --level) {
      tree[level][index >> 3].subtree += tree[5][x].count;
      tree[level][index >> 3].children |= 1 << (index & 7);
      index >>= 3;
    }
  }
  auto key = [&](std::size_t i) { return tree[heap[i].first][heap[i].second].subtree; };
  auto sift_down = [&](std::size_t i) {
    const std::size_t n = heap.size() - 1;
    while (2 * i <= n) {
      std::size_t child = 2 * i;
      if (child + 1 <= n && key(child + 1) < key(child)) ++child;
      if (!(key(child) < key(i))) break;
      std::swap(heap[i], heap[child]);
      i = child;
    }
  };
  for (std::size_t i = heap.size() - 1; i >= 1; --i) sift_down(i);

  while (heap.size() - 1 > static_cast<std::size_t>(colours)) {
    const auto [level, index] = heap[1];
    if (level == 0) break;
    Node& node = tree[level][index];
    Node& parent = tree[level - 1][index >> 3];
    if (parent.count > 0) {
      heap[1] = heap.back();
      heap.pop_back();
    } else {
      heap[1] = {level - 1, index >> 3};
    }
    parent.count += node.count;
    for (int c = 0; c < 3; ++c) parent.sum[c] += node.sum[c];
    parent.children &= ~(1 << (index & 7));
    sift_down(1);
  }

  std::vector<std::array<int, 3>> palette;
  std::function<void(int, int)> walk = [&](int level, int index) {
    const Node& node = tree[level][index];
    for (int bit = 7; bit >= 0; --bit) {
      if (node.children & (1 << bit)) walk(level + 1, index * 8 + bit);
    }
    if (node.count > 0) {
      std::array<int, 3> colour;
      for (int c = 0; c < 3; ++c) {
        colour[c] = static_cast<int>((node.sum[c] + node.count / 2) / node.count);
      }
      palette.push_back(colour);
    }
  };
  walk(0, 0);

  Quantized result;
  result.indices.resize(pixels);
  if (dither != 1 && dither != 2) {
    for (std::size_t i = 0; i < pixels; ++i) {
      result.indices[i] = static_cast<std::uint8_t>(
          NearestColour(palette, rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]));
    }
  } else {
    // error[y][x + 1][c]: what has been diffused to pixel x of row y so far.
    std::vector<int> error(static_cast<std::size_t>(height + 1) * (width + 2) * 3, 0);
    auto at = [&](int y, int x, int c) -> int& {
      return error[(static_cast<std::size_t>(y) * (width + 2) + x + 1) * 3 + c];
    };
    for (int y = 0; y < height; ++y) {
      const int dir = y % 2 == 0 ? 1 : -1;
      for (int i = 0; i < width; ++i) {
        const int x = dir > 0 ? i : width - 1 - i;
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        int v[3];
        for (int c = 0; c < 3; ++c) {
          const int e = at(y, x, c);
          v[c] = std::clamp(p[c] + (dither == 2 ? (e + 8) >> 4 : e >> 1), 0, 255);
        }
        const int chosen = NearestColour(palette, v[0], v[1], v[2]);
        result.indices[static_cast<std::size_t>(y) * width + x] =
            static_cast<std::uint8_t>(chosen);
        for (int c = 0; c < 3; ++c) {
          const int err = std::clamp(v[c] - palette[chosen][c], -20, 20);
          if (dither == 2) {
            at(y, x + dir, c) += 7 * err;
            at(y + 1, x + dir, c) += 1 * err;
            at(y + 1, x, c) += 5 * err;
            at(y + 1, x - dir, c) += 3 * err;
          } else {
            at(y, x + dir, c) += err;
            at(y + 1, x, c) += err;
          }
        }
      }
    }
  }
  result.palette.assign(static_cast<std::size_t>(colours) * 4, 0);
  for (std::size_t i = 0; i < palette.size() && i < static_cast<std::size_t>(colours); ++i) {
    result.palette[i * 4] = static_cast<std::uint8_t>(palette[i][2]);
    result.palette[i * 4 + 1] = static_cast<std::uint8_t>(palette[i][1]);
    result.palette[i * 4 + 2] = static_cast<std::uint8_t>(palette[i][0]);
  }
  return result;
}

}  // namespace lumi::reference
