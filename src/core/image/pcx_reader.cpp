// PCX files, run-length encoded: under 8 bits per pixel (in up to four planes) through
// the header's 16-colour palette, 8 bits through the 256-colour palette at the end of
// the file (a grey ramp when there is none), and 24 bits as three 8-bit planes.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTrailerSize = 769;  // 0x0C and 256 red, green, blue entries
constexpr int kMaxRun = 63;

std::optional<RgbImage> Fail(int code) {
  PxSetLastError(code);
  return std::nullopt;
}

// Expands run-length data one scanline (all planes) at a time; a run may carry over
// from one scanline into the next.
class RunDecoder {
 public:
  explicit RunDecoder(std::span<const std::uint8_t> data) : data_(data) {}
  bool Line(std::uint8_t* out, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
      if (run_left_ == 0) {
        if (pos_ >= data_.size()) return false;
        const std::uint8_t b = data_[pos_++];
        if ((b & 0xC0) != 0xC0) {
          out[filled++] = b;
          continue;
        }
        if (pos_ >= data_.size()) return false;
        run_left_ = b & 0x3F;
        run_value_ = data_[pos_++];
        continue;
      }
      const std::size_t n = std::min<std::size_t>(run_left_, size - filled);
      std::memset(out + filled, run_value_, n);
      filled += n;
      run_left_ -= static_cast<int>(n);
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  int run_left_ = 0;
  std::uint8_t run_value_ = 0;
};

}  // namespace

std::optional<RgbImage> PxDecodePCX(std::span<const std::uint8_t> file) {
  if (file.size() < kHeaderSize) return Fail(kPxBadPcx);
  const std::uint8_t* h = file.data();
  auto u16 = [&](std::size_t at) { return h[at] | (h[at + 1] << 8); };
  const int bits = h[3];
  const int planes = h[65];
  const int line_bytes = u16(66);
  const int width = u16(8) - u16(4) + 1;
  const int height = u16(10) - u16(6) + 1;
  if (h[0] != 0x0A || h[2] != 1) return Fail(kPxBadPcx);
  const bool indexed = (bits == 1 || bits == 2 || bits == 4) && planes >= 1 && bits * planes <= 4;
  const bool palette8 = bits == 8 && planes == 1;
  const bool rgb24 = bits == 8 && planes == 3;
  if (!indexed && !palette8 && !rgb24) return Fail(kPxBadPcx);
  if (!pixwerk::SizeWithinLimits(width, height)) return Fail(kPxBadPcx);
  if (line_bytes < 1 || static_cast<std::int64_t>(line_bytes) * 8 < std::int64_t{width} * bits) {
    return Fail(kPxBadPcx);
  }
  const auto data = file.subspan(kHeaderSize);
  const std::size_t scan_bytes = static_cast<std::size_t>(line_bytes) * planes;
  // Every two bytes expand to at most 63, which bounds what the data can describe.
  if (static_cast<std::uint64_t>(scan_bytes) * height > data.size() * std::uint64_t{kMaxRun}) {
    return Fail(kPxBadPcx);
  }

  std::array<std::uint8_t, 256 * 3> colours{};
  if (indexed) {
    std::memcpy(colours.data(), h + 16, 48);
  } else if (palette8) {
    if (file.size() >= kHeaderSize + kTrailerSize && file[file.size() - kTrailerSize] == 0x0C) {
      std::memcpy(colours.data(), file.data() + file.size() - kTrailerSize + 1, 768);
    } else {
      for (int i = 0; i < 256; ++i) std::memset(colours.data() + i * 3, i, 3);
    }
  }

  std::vector<std::uint8_t> scan;
  try {
    scan.resize(scan_bytes);
  } catch (const std::bad_alloc&) {
    return Fail(kPxOutOfMemory);
  }
  auto out = pixwerk::AllocateRgb(width, height);
  if (!out) return out;
  RunDecoder runs(data);
  for (int y = 0; y < height; ++y) {
    if (!runs.Line(scan.data(), scan_bytes)) return Fail(kPxBadPcx);
    std::uint8_t* dst = out->pixels.data() + static_cast<std::size_t>(y) * width * 3;
    if (rgb24) {
      const std::uint8_t* r = scan.data();
      const std::uint8_t* g = r + line_bytes;
      const std::uint8_t* b = g + line_bytes;
      for (int x = 0; x < width; ++x, dst += 3) {
        dst[0] = r[x];
        dst[1] = g[x];
        dst[2] = b[x];
      }
    } else if (palette8) {
      for (int x = 0; x < width; ++x, dst += 3) std::memcpy(dst, colours.data() + scan[x] * 3, 3);
    } else {
      // Each plane gives `bits` bits of the index, plane 0 the lowest.
      const unsigned mask = (1u << bits) - 1;
      for (int x = 0; x < width; ++x, dst += 3) {
        const int bit = x * bits;
        const int shift = 8 - bits - (bit & 7);
        unsigned index = 0;
        for (int p = 0; p < planes; ++p) {
          index |= ((scan[p * line_bytes + (bit >> 3)] >> shift) & mask) << (p * bits);
        }
        std::memcpy(dst, colours.data() + index * 3, 3);
      }
    }
  }
  PxSetLastError(kPxOk);
  return out;
}

std::optional<RgbImage> PxLoadPCX(const std::filesystem::path& path) {
  auto bytes = pixwerk::ReadImageFile(path);
  if (!bytes) return std::nullopt;
  return PxDecodePCX(*bytes);
}

}  // namespace lumi
