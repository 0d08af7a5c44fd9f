// BMP files: uncompressed 1, 4, 8, 16, 24 and 32 bits and run-length 4 and 8 bits.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "image/bmp_rows.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

using pixwerk::BmpRowToRgb;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::optional<RgbImage> Fail(int code) {
  PxSetLastError(code);
  return std::nullopt;
}

// Decodes run-length data into one index byte per pixel, stored rows bottom first as in
// the file. Pixels the runs never reach stay index 0. Returns false when the data end
// before the end-of-picture escape.
bool DecodeRle(std::span<const std::uint8_t> data, bool four_bits, int width, int height,
               std::vector<std::uint8_t>& indices) {
  std::size_t pos = 0;
  std::int64_t x = 0, y = 0;
  auto put = [&](unsigned index) {
    if (x < width && y < height) indices[static_cast<std::size_t>(y) * width + x] = index;
    ++x;
  };
  while (y < height) {
    if (data.size() - pos < 2) return false;
    const unsigned count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      // An encoded run; four-bit runs alternate the high and low nibble.
      for (unsigned i = 0; i < count; ++i) {
        put(four_bits ? ((i & 1) ? value & 15 : value >> 4) : value);
      }
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return true;
      case 2: {  // delta: move right and up
        if (data.size() - pos < 2) return false;
        x += data[pos];
        y += data[pos + 1];
        pos += 2;
        break;
      }
      default: {  // absolute run of `value` pixels, padded to 16 bits
        const std::size_t bytes = four_bits ? (value + 1) / 2 : value;
        const std::size_t padded = (bytes + 1) & ~std::size_t{1};
        if (data.size() - pos < padded) return false;
        for (unsigned i = 0; i < value; ++i) {
          const unsigned byte = data[pos + (four_bits ? i / 2 : i)];
          put(four_bits ? ((i & 1) ? byte & 15 : byte >> 4) : byte);
        }
        pos += padded;
        break;
      }
    }
  }
  return true;
}

}  // namespace

std::optional<RgbImage> PxDecodeBMP(std::span<const std::uint8_t> file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return Fail(kPxBadBmp);
  if (file.size() < kFileHeaderSize + kInfoHeaderSize) return Fail(kPxFileRead);
  const std::uint8_t* h = file.data() + kFileHeaderSize;
  const std::uint32_t pixel_offset = U32(file.data() + 10);
  const std::uint32_t header_size = U32(h);
  const auto width = static_cast<std::int32_t>(U32(h + 4));
  const auto stored_height = static_cast<std::int32_t>(U32(h + 8));
  const int bits = U16(h + 14);
  const std::uint32_t compression = U32(h + 16);
  const std::uint32_t colours_used = U32(h + 32);

  // A picture without width holds nothing; older headers and unknown layouts are refused.
  if (width < 1 || header_size < kInfoHeaderSize) return Fail(kPxBadBmp);
  if (stored_height == 0 || stored_height == INT32_MIN) return Fail(kPxBadBmp);
  const bool top_down = stored_height < 0;
  const int height = top_down ? -stored_height : stored_height;
  if (!pixwerk::SizeWithinLimits(width, height)) return Fail(kPxBadBmp);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(kPxBadBmp);
  }
  const bool rle = compression != 0;
  if (rle && !((compression == 1 && bits == 8) || (compression == 2 && bits == 4))) {
    return Fail(kPxBadBmp);
  }

  // The colour table: colours-used entries, or all 2^bits when that is 0, and none when
  // the count exceeds 256. Entries beyond the stored ones stay black.
  if (header_size > file.size() - kFileHeaderSize) return Fail(kPxFileRead);
  std::size_t pos = kFileHeaderSize + header_size;
  std::array<std::uint8_t, 256 * 4> table{};
  if (bits <= 16) {
    const std::uint64_t count = colours_used ? colours_used : (std::uint64_t{1} << bits);
    if (count <= 256) {
      if (count * 4 > file.size() - pos) return Fail(kPxFileRead);
      std::memcpy(table.data(), file.data() + pos, count * 4);
      pos += count * 4;
    }
  }
  // Pixels start where the file header says when that lies after the table.
  if (pixel_offset >= pos && pixel_offset <= file.size()) pos = pixel_offset;
  const auto data = file.subspan(pos);

  std::optional<RgbImage> out;
  const std::size_t row_rgb = static_cast<std::size_t>(width) * 3;
  if (!rle) {
    const auto row_bytes = static_cast<std::size_t>(CDIBSection::RowBytesFor(width, bits));
    if (row_bytes * static_cast<std::size_t>(height) > data.size()) return Fail(kPxFileRead);
    out = pixwerk::AllocateRgb(width, height);
    if (!out) return out;
    for (int r = 0; r < height; ++r) {
      const int stored = top_down ? r : height - 1 - r;
      BmpRowToRgb(data.data() + static_cast<std::size_t>(stored) * row_bytes, bits, width,
                  table.data(), out->pixels.data() + r * row_rgb);
    }
  } else {
    // Each two bytes of run-length data reach at most one run, one delta jump or the
    // rest of a row, which bounds the picture a file of this size can describe.
    const std::uint64_t reach = std::max<std::uint64_t>(255 * 256, width);
    if (static_cast<std::uint64_t>(width) * height > (data.size() / 2 + 1) * reach) {
      return Fail(kPxFileRead);
    }
    std::vector<std::uint8_t> indices;
    try {
      indices.assign(static_cast<std::size_t>(width) * height, 0);
    } catch (const std::bad_alloc&) {
      return Fail(kPxOutOfMemory);
    }
    if (!DecodeRle(data, bits == 4, width, height, indices)) return Fail(kPxFileRead);
    out = pixwerk::AllocateRgb(width, height);
    if (!out) return out;
    for (int r = 0; r < height; ++r) {
      const int stored = top_down ? r : height - 1 - r;
      BmpRowToRgb(indices.data() + static_cast<std::size_t>(stored) * width, 8, width,
                  table.data(), out->pixels.data() + r * row_rgb);
    }
  }
  PxSetLastError(kPxOk);
  return out;
}

std::optional<RgbImage> PxLoadBMP(const std::filesystem::path& path) {
  auto bytes = pixwerk::ReadImageFile(path);
  if (!bytes) return std::nullopt;
  return PxDecodeBMP(*bytes);
}

}  // namespace lumi
