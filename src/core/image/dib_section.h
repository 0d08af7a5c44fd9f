#pragma once
// The 32-bit bitmap behind every raster stage: object images, effect layers, source
// bitmaps, the export canvas, previews and textures.
//
// Pixels are bytes blue, green, red, alpha; alpha is coverage and colours are not
// premultiplied. Rows are stored bottom row first (storage row 0 is the bottom image
// row) and Row(i) gives image row i counted from the top. Lower depths (8 bits and less
// with a colour table, 16 and 24 bits) exist for bitmaps exchanged with other programs.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/colour.h"
#include "base/uncleared_allocator.h"

namespace lumi {

class CArchive;
class Host;

class CDIBSection {
 public:
  // Largest side and pixel count the program ever creates; anything above is refused
  // before allocating.
  static constexpr int kMaxSide = 32768;
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  // A new bitmap is empty and holds a 16 x 16, 8-bit placeholder.
  CDIBSection();
  CDIBSection(const CDIBSection& other);
  CDIBSection& operator=(const CDIBSection& other);
  CDIBSection(CDIBSection&& other) noexcept;
  CDIBSection& operator=(CDIBSection&& other) noexcept;
  ~CDIBSection() = default;

  // Discards the old pixels and builds new zeroed storage; clears the empty flag.
  // Throws BitmapError for sizes below 1 or beyond the limits, or unsupported depths.
  void Create(int width, int height, int bits = 32, bool alpha = true);
  // Back to the empty 16 x 16, 8-bit placeholder.
  void ResetToDefault();

  bool IsEmpty() const { return empty_ != 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Bits() const { return bits_; }
  bool HasAlphaFlag() const { return alpha_ != 0; }
  // ((bits x width + 31) / 32) x 4
  int RowBytes() const { return RowBytesFor(width_, bits_); }
  static int RowBytesFor(int width, int bits);
  // Header, colour table and pixels, as a packed bitmap would hold them.
  std::size_t TotalSize() const;
  // The bytes the bitmap's storage holds on the heap (colour table and pixels, with any
  // spare capacity).
  std::size_t HeldBytes() const;

  // Storage start: the bottom image row.
  std::uint8_t* Pixels() { return pixels_.data(); }
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  std::size_t PixelBytes() const { return pixels_.size(); }
  // Image row i counted from the top.
  std::uint8_t* Row(int i) { return pixels_.data() + RowOffset(i); }
  const std::uint8_t* Row(int i) const { return pixels_.data() + RowOffset(i); }
  // Colour table entries (blue, green, red, reserved) for 8 bits and less.
  std::span<std::uint8_t> ColourTable() { return colour_table_; }
  std::span<const std::uint8_t> ColourTable() const { return colour_table_; }

  // The operations below do nothing on an empty bitmap; those that read pixels of a
  // 32-bit layout also do nothing on other depths.
  // Blue, green, red from the colour; alpha kept.
  void FillRGB(COLORREF colour);
  // Blue, green, red from the colour and alpha 255.
  void FillRGBA(COLORREF colour);
  // The same for rows [first_row, last_row), top row first.
  void FillRowsRGBA(COLORREF colour, int first_row, int last_row);
  void SetAlpha(std::uint8_t alpha);
  // Alpha from one byte per pixel, mask rows top row first.
  void SetAlphaFromMask(const std::uint8_t* mask);
  // Draws `source` with its alpha at (x, y), y counted in storage rows from the bottom,
  // clipped to both bitmaps. Alpha 0 keeps the destination, 255 copies all four bytes,
  // otherwise every byte (alpha too) becomes (s*a + d*(255-a)) >> 8.
  void BlendFrom(const CDIBSection& source, int x, int y);
  // Recreates with the source's size (32 bits, alpha flag set) and copies its pixels;
  // an empty or missing source leaves this bitmap as it is.
  void CopyFrom(const CDIBSection* source);
  // Takes the source's empty flag and, when it is not empty, its size and pixels
  // (alpha flag clear).
  void Assign(const CDIBSection& source);
  // Recreates as width x height x 32 (alpha flag clear) from top-down packed red, green,
  // blue bytes, alpha 255.
  void FromRGB(const std::uint8_t* rgb, int width, int height);

  // Empty flag; when 0: width, height, byte count (width x height x 4) and the pixels
  // bottom row first. A damaged stored bitmap shows its message through `host` and
  // throws ArchiveError, leaving this bitmap as it was.
  void Serialize(CArchive& ar, Host& host);

  // A packed Windows bitmap: 40-byte info header, colour table, pixels. Import checks
  // every size against the data and throws ArchiveError on damage, leaving this bitmap
  // as it was.
  std::vector<std::uint8_t> ExportPackedDib() const;
  void ImportPackedDib(std::span<const std::uint8_t> packed);

 private:
  std::size_t RowOffset(int i) const {
    return static_cast<std::size_t>(height_ - 1 - i) * static_cast<std::size_t>(RowBytes());
  }
  void Allocate(int width, int height, int bits, bool alpha);

  int width_ = 0;
  int height_ = 0;
  int bits_ = 0;
  std::int32_t empty_ = 1;
  std::int32_t alpha_ = 0;
  std::vector<std::uint8_t> colour_table_;
  std::vector<std::uint8_t, UnclearedAllocator<std::uint8_t>> pixels_;
};

// Throws BitmapError unless a width x height bitmap lies within the program's limits.
void CheckBitmapSize(int width, int height);

}  // namespace lumi
