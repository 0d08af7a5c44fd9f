#include "image/dib_section.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/parallel_render.h"
#include "image/blend_rows.h"
#include "image/bmp_rows.h"

namespace lumi {

namespace {

constexpr std::size_t kInfoHeaderSize = 40;

bool SupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

std::size_t ColourTableEntries(int bits) { return bits <= 8 ? std::size_t{1} << bits : 0; }

}  // namespace

void CheckBitmapSize(int width, int height) {
  if (width < 1 || height < 1 || width > CDIBSection::kMaxSide ||
      height > CDIBSection::kMaxSide ||
      std::int64_t{width} * height > CDIBSection::kMaxPixels) {
    throw BitmapError("A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels is beyond what the program can hold");
  }
}

CDIBSection::CDIBSection() { ResetToDefault(); }

CDIBSection::CDIBSection(const CDIBSection& other) = default;
// Through a fresh copy: assigning a small bitmap over a large one must not keep the
// large one's storage.
CDIBSection& CDIBSection::operator=(const CDIBSection& other) {
  if (this != &other) *this = CDIBSection(other);
  return *this;
}

CDIBSection::CDIBSection(CDIBSection&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      bits_(other.bits_),
      empty_(other.empty_),
      alpha_(other.alpha_),
      colour_table_(std::move(other.colour_table_)),
      pixels_(std::move(other.pixels_)) {
  other.width_ = other.height_ = other.bits_ = 0;
  other.empty_ = 1;
  other.alpha_ = 0;
}

CDIBSection& CDIBSection::operator=(CDIBSection&& other) noexcept {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    bits_ = other.bits_;
    empty_ = other.empty_;
    alpha_ = other.alpha_;
    colour_table_ = std::move(other.colour_table_);
    pixels_ = std::move(other.pixels_);
    other.width_ = other.height_ = other.bits_ = 0;
    other.empty_ = 1;
    other.alpha_ = 0;
  }
  return *this;
}

int CDIBSection::RowBytesFor(int width, int bits) {
  return static_cast<int>((static_cast<std::int64_t>(bits) * width + 31) / 32 * 4);
}

std::size_t CDIBSection::HeldBytes() const {
  return colour_table_.capacity() + pixels_.capacity();
}

std::size_t CDIBSection::TotalSize() const {
  return kInfoHeaderSize + colour_table_.size() + pixels_.size();
}

void CDIBSection::Allocate(int width, int height, int bits, bool alpha) {
  CheckBitmapSize(width, height);
  if (!SupportedDepth(bits)) {
    throw BitmapError("A bitmap of " + std::to_string(bits) + " bits per pixel is not supported");
  }
  // Build the new storage first so a failure leaves the old bitmap intact.
  std::vector<std::uint8_t> table(ColourTableEntries(bits) * 4, 0);
  decltype(pixels_) pixels;
  const std::size_t row_bytes = static_cast<std::size_t>(RowBytesFor(width, bits));
  try {
    pixels.resize(row_bytes * height);
  } catch (const std::bad_alloc&) {
    throw BitmapError("Not enough memory for a bitmap of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels");
  }
  ParallelRows(height, MinRowsToSplit(width), [&](int first, int last) {
    std::memset(pixels.data() + first * row_bytes, 0, (last - first) * row_bytes);
  });
  width_ = width;
  height_ = height;
  bits_ = bits;
  alpha_ = alpha ? 1 : 0;
  colour_table_ = std::move(table);
  pixels_ = std::move(pixels);
}

void CDIBSection::Create(int width, int height, int bits, bool alpha) {
  Allocate(width, height, bits, alpha);
  empty_ = 0;
}

void CDIBSection::ResetToDefault() {
  Allocate(16, 16, 8, false);
  empty_ = 1;
}

void CDIBSection::FillRGB(COLORREF colour) {
  if (IsEmpty() || bits_ != 32) return;
  // Whole pixels at a time: the alpha byte kept, blue, green and red replaced.
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(GetBValue(colour)),
                                 static_cast<std::uint8_t>(GetGValue(colour)),
                                 static_cast<std::uint8_t>(GetRValue(colour)), 0};
  std::uint32_t rgb;
  std::memcpy(&rgb, bytes, 4);
  const std::uint8_t alpha_bytes[4] = {0, 0, 0, 0xFF};
  std::uint32_t alpha_mask;
  std::memcpy(&alpha_mask, alpha_bytes, 4);
  const std::size_t row_bytes = RowBytes();
  ParallelRows(height_, MinRowsToSplit(width_), [&](int first, int last) {
    std::uint8_t* p = pixels_.data() + static_cast<std::size_t>(first) * row_bytes;
    const std::size_t n = static_cast<std::size_t>(last - first) * row_bytes;
    for (std::size_t i = 0; i < n; i += 4) {
      std::uint32_t pixel;
      std::memcpy(&pixel, p + i, 4);
      pixel = (pixel & alpha_mask) | rgb;
      std::memcpy(p + i, &pixel, 4);
    }
  });
}

void CDIBSection::FillRGBA(COLORREF colour) {
  ParallelRows(height_, MinRowsToSplit(width_), [&](int first, int last) { FillRowsRGBA(colour, first, last); });
}

void CDIBSection::FillRowsRGBA(COLORREF colour, int first_row, int last_row) {
  if (IsEmpty() || bits_ != 32) return;
  const std::uint32_t pixel = (colour >> 16 & 0xFF) | (colour & 0xFF00) |
                              (colour & 0xFF) << 16 | 0xFF000000u;
  std::uint8_t bytes[4];
  std::memcpy(bytes, &pixel, 4);
  const std::size_t row_bytes = static_cast<std::size_t>(width_) * 4;
  for (int y = std::max(first_row, 0); y < std::min(last_row, height_); ++y) {
    std::uint8_t* p = Row(y);
    for (std::size_t i = 0; i < row_bytes; i += 4) std::memcpy(p + i, bytes, 4);
  }
}

void CDIBSection::SetAlpha(std::uint8_t alpha) {
  if (IsEmpty() || bits_ != 32) return;
  std::uint8_t* p = pixels_.data();
  for (std::size_t i = 3, n = pixels_.size(); i < n; i += 4) p[i] = alpha;
}

void CDIBSection::SetAlphaFromMask(const std::uint8_t* mask) {
  if (IsEmpty() || bits_ != 32 || !mask) return;
  ParallelRows(height_, MinRowsToSplit(width_), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      std::uint8_t* row = Row(y);
      const std::uint8_t* m = mask + static_cast<std::size_t>(y) * width_;
      for (int x = 0; x < width_; ++x) row[x * 4 + 3] = m[x];
    }
  });
}

void CDIBSection::BlendFrom(const CDIBSection& source, int x, int y) {
  if (IsEmpty() || source.IsEmpty() || bits_ != 32 || source.bits_ != 32) return;
  // Clip in storage coordinates (rows counted from the bottom).
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(width_, x + source.width_);
  const int y1 = std::min(height_, y + source.height_);
  if (x0 >= x1 || y0 >= y1) return;
  const std::size_t dst_stride = RowBytes(), src_stride = source.RowBytes();
  const int count = x1 - x0;
  for (int sy = y0; sy < y1; ++sy) {
    std::uint8_t* d = pixels_.data() + sy * dst_stride + x0 * 4;
    const std::uint8_t* s = source.pixels_.data() + (sy - y) * src_stride + (x0 - x) * 4;
    BlendRowWithAlpha(d, s, count);
  }
}

void CDIBSection::CopyFrom(const CDIBSection* source) {
  if (!source || source->IsEmpty()) return;
  if (source == this) {
    alpha_ = 1;
    return;
  }
  if (source->bits_ == 32) {
    Create(source->width_, source->height_, 32, true);
    pixels_ = source->pixels_;
    return;
  }
  // Lower depths are expanded through their colour table, opaque.
  CDIBSection expanded;
  expanded.Create(source->width_, source->height_, 32, true);
  std::vector<std::uint8_t> table(256 * 4, 0);
  std::copy(source->colour_table_.begin(),
            source->colour_table_.begin() + std::min(source->colour_table_.size(), table.size()),
            table.begin());
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(source->width_) * 3);
  for (int y = 0; y < source->height_; ++y) {
    pixwerk::BmpRowToRgb(source->Row(y), source->bits_, source->width_, table.data(), rgb.data());
    std::uint8_t* d = expanded.Row(y);
    for (int x = 0; x < source->width_; ++x, d += 4) {
      d[0] = rgb[x * 3 + 2];
      d[1] = rgb[x * 3 + 1];
      d[2] = rgb[x * 3];
      d[3] = 255;
    }
  }
  *this = std::move(expanded);
}

void CDIBSection::Assign(const CDIBSection& source) {
  if (&source == this) return;
  if (source.IsEmpty()) {
    empty_ = source.empty_;
    return;
  }
  Create(source.width_, source.height_, source.bits_, false);
  colour_table_ = source.colour_table_;
  pixels_ = source.pixels_;
}

void CDIBSection::FromRGB(const std::uint8_t* rgb, int width, int height) {
  Create(width, height, 32, false);
  if (!rgb) return;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* d = Row(y);
    const std::uint8_t* s = rgb + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, d += 4, s += 3) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      d[3] = 255;
    }
  }
}

}  // namespace lumi
