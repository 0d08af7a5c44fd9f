// BMP files of 24, 8, 4 and 1 bits: file header, 40-byte info header, palette, rows
// bottom first padded to 4 bytes.
#include <cstring>
#include <new>

#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

void Put16(std::uint8_t*& p, std::uint16_t v) {
  p[0] = v & 255;
  p[1] = v >> 8;
  p += 2;
}
void Put32(std::uint8_t*& p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 255;
  p += 4;
}

// Headers and palette; returns a buffer sized for the whole file, with the pixel rows
// still zero, or nothing (result 1) when it cannot be allocated.
std::optional<std::vector<std::uint8_t>> StartFile(int width, int height, int bits,
                                                   int colour_count,
                                                   const std::uint8_t* palette) {
  const auto row_bytes = static_cast<std::uint32_t>(CDIBSection::RowBytesFor(width, bits));
  const std::uint32_t image_size = row_bytes * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(colour_count);
  std::vector<std::uint8_t> file;
  try {
    file.assign(std::size_t{offset} + image_size, 0);
  } catch (const std::bad_alloc&) {
    PxSetLastError(kPxOutOfMemory);
    return std::nullopt;
  }
  std::uint8_t* p = file.data();
  *p++ = 'B';
  *p++ = 'M';
  Put32(p, offset + image_size);
  Put16(p, 0);
  Put16(p, 0);
  Put32(p, offset);
  Put32(p, 40);
  Put32(p, static_cast<std::uint32_t>(width));
  Put32(p, static_cast<std::uint32_t>(height));
  Put16(p, 1);
  Put16(p, static_cast<std::uint16_t>(bits));
  Put32(p, 0);  // no compression
  Put32(p, image_size);
  Put32(p, 0);  // resolutions
  Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(colour_count));
  Put32(p, static_cast<std::uint32_t>(colour_count));
  if (colour_count) std::memcpy(p, palette, std::size_t{4} * colour_count);
  return file;
}

}  // namespace

bool PxSaveBMP(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height) {
  if (!pixwerk::WriterSizeOk(rgb, width, height)) return false;
  auto file = StartFile(width, height, 24, 0, nullptr);
  if (!file) return false;
  const std::size_t row_bytes = static_cast<std::size_t>(CDIBSection::RowBytesFor(width, 24));
  const std::size_t row_rgb = static_cast<std::size_t>(width) * 3;
  std::uint8_t* pixels = file->data() + 54;
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* src = rgb + static_cast<std::size_t>(height - 1 - r) * row_rgb;
    std::uint8_t* dst = pixels + r * row_bytes;
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return pixwerk::WriteImageFile(path, *file);
}

bool PxSaveBMP(const std::filesystem::path& path, const std::uint8_t* indices, int width,
               int height, int bits_per_pixel, int colour_count, const std::uint8_t* palette) {
  // One byte per pixel comes in, so 24 bits (the RGB form's depth) is refused here.
  if (bits_per_pixel != 8 && bits_per_pixel != 4 && bits_per_pixel != 1) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  // A palette that the depth cannot address, or none at all, would make a file whose
  // readers take pixels for colours.
  if (!palette || colour_count < 1 || colour_count > (1 << bits_per_pixel)) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  if (!pixwerk::WriterSizeOk(indices, width, height)) return false;
  auto file = StartFile(width, height, bits_per_pixel, colour_count, palette);
  if (!file) return false;
  const std::size_t row_bytes =
      static_cast<std::size_t>(CDIBSection::RowBytesFor(width, bits_per_pixel));
  const unsigned mask = (1u << bits_per_pixel) - 1;
  std::uint8_t* pixels = file->data() + 54 + 4 * colour_count;
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* src = indices + static_cast<std::size_t>(height - 1 - r) * width;
    std::uint8_t* dst = pixels + r * row_bytes;
    if (bits_per_pixel == 8) {
      std::memcpy(dst, src, static_cast<std::size_t>(width));
      continue;
    }
    // Pixels fill each byte from its most significant bits; the rest stays zero.
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits_per_pixel;
      dst[bit >> 3] |= static_cast<std::uint8_t>((src[x] & mask) << (8 - bits_per_pixel - (bit & 7)));
    }
  }
  return pixwerk::WriteImageFile(path, *file);
}

}  // namespace lumi
