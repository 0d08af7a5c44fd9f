#pragma once
// Gaussian blur with profile curves: the engine that turns a coverage mask into a height
// map for bevels, softens silhouettes for shadows and glows, and feathers edges.
//
// Apply(map, W, H, sigma) works in place on W x H bytes, top row first:
//  1. sigma 0 or not a number: nothing at all;
//  2. a kernel of 2n + 1 single-precision weights, n = trunc((sigma + 1.5) * 2),
//     k[t] = exp(-1/2 ((t - n) / sigma)^2) divided by their sum;
//  3. a horizontal pass, each output the float sum of k[t] * sample in tap order
//     (samples outside the row count 0), clamped to 0..255 and truncated, all read from
//     the unchanged map;
//  4. the same vertical pass on the result;
//  5. the profile pass: the 3 x 3 average (coordinates clamped, integer division by 9)
//     bent by the curve of the mode, clamped to 0..255.
// Sums are kept per pixel in tap order, so vectorising across pixels changes no bit.
#include <cstdint>
#include <vector>

#include "base/uncleared_allocator.h"

namespace lumi {

class CProfileBlur {
 public:
  // Profile curves by mode; 0, 6 and 7 (and unknown modes) keep the average.
  enum Mode {
    kSmooth = 0,
    kFlat = 1,
    kFramed = 2,
    kNoise = 3,  // draws one number per pixel from the shared runtime generator
    kSaucer = 4,
    kFrame = 5,
    kOutline = 6,
    kPlain = 7,
    kDouble = 8,
    kRings = 9,
  };

  // Sigmas beyond this are taken as this: the kernel would otherwise need more memory
  // than any map has pixels, and such a blur flattens every map the program makes.
  static constexpr double kMaxSigma = 1000.0;

  explicit CProfileBlur(int mode = kSmooth) : mode_(mode) {}
  int GetMode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }

  void Apply(std::uint8_t* map, int width, int height, double sigma);

  // The kernel step alone (empty when Apply would do nothing).
  static std::vector<float> Kernel(double sigma);
  // Keeps to eight-lane vectors even where wider ones run, so tests can compare both
  // paths (the results are the same).
  static void UseNarrowVectors(bool narrow);

  // The profile step alone (3 x 3 average and curve), as Apply ends.
  void ApplyProfile(std::uint8_t* map, int width, int height);

 private:
  // The profile step reading `in` (the blurred map) and writing `out`.
  void ProfileFrom(const std::uint8_t* in, std::uint8_t* out, int width, int height);

  int mode_;
  // Working buffers, kept between calls so repeated renders do not reallocate.
  std::vector<float> row_;
  // Written whole by each pass before they are read.
  std::vector<float, UnclearedAllocator<float>> plane_;
  std::vector<std::uint8_t, UnclearedAllocator<std::uint8_t>> blurred_;
  std::vector<int> column_sums_;
};

}  // namespace lumi
