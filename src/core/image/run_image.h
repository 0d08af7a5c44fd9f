#pragma once
// A 32-bit image kept as runs along its rows: a run of one repeated pixel takes the room
// of one pixel, other pixels are kept as they are. Rendered objects are mostly such runs
// (the flat inside of a shape, the clear corners around it, the even middle of a shadow),
// so a finished render held this way takes a fraction of its full size. Unpacking gives
// back every byte, and blending from the runs gives exactly what blending the full image
// gives.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumi {

class CDIBSection;

class RunImage {
 public:
  // Packs a 32-bit image when the runs take at most three quarters of its pixel bytes;
  // otherwise (and for other depths or an empty image) returns false and stays empty.
  bool Pack(const CDIBSection& image);
  void Clear();

  bool IsEmpty() const { return width_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::size_t HeldBytes() const;

  // Recreates `image` at this size (32 bits with alpha) with every pixel as it was packed.
  void UnpackInto(CDIBSection& image) const;
  // Row `row` (from the top) as it was packed, 4 bytes a pixel, into `out`.
  void ReadRow(int row, std::uint8_t* out) const;
  // The pixel's bytes blue, green, red, alpha; rows from the top, inside the image.
  std::array<std::uint8_t, 4> PixelAt(int x, int y) const;
  // Blends `count` pixels of row `row` (from the top) starting at column `x` onto `d`,
  // as BlendRowKeepAlpha (keep_alpha) or BlendRowWithAlpha would from the full row.
  void BlendRow(int row, int x, int count, std::uint8_t* d, bool keep_alpha) const;

 private:
  // `count` pixels; the top bit marks a run kept pixel by pixel, whose `value` is then
  // the index of its first pixel in literals_; otherwise `value` is the repeated pixel.
  // Pixels are words holding their four bytes in the image's order.
  struct Run {
    std::uint32_t count;
    std::uint32_t value;
  };
  static constexpr std::uint32_t kLiteral = 0x80000000u;
  static int Count(const Run& run) { return static_cast<int>(run.count & ~kLiteral); }
  static bool IsLiteral(const Run& run) { return (run.count & kLiteral) != 0; }

  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> row_starts_;  // first run of each row, and one past the last
  std::vector<Run> runs_;
  std::vector<std::uint32_t> literals_;
};

}  // namespace lumi
