// GIF files: screen descriptor, colour tables, extensions skipped (the graphic control
// extension recorded), the first image LZW-decoded with codes up to 12 bits, interlaced
// rows put back in display order.
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "image/gif_read.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

constexpr int kMaxCodes = 4096;

struct Cursor {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
  std::size_t Remaining() const { return bytes.size() - pos; }
  bool Take(void* out, std::size_t n) {
    if (Remaining() < n) return false;
    std::memcpy(out, bytes.data() + pos, n);
    pos += n;
    return true;
  }
  int Byte() { return pos < bytes.size() ? bytes[pos++] : -1; }
};

// Skips data sub-blocks up to and including the zero-size terminator.
bool SkipSubBlocks(Cursor& in) {
  for (;;) {
    const int size = in.Byte();
    if (size < 0) return false;
    if (size == 0) return true;
    if (in.Remaining() < static_cast<std::size_t>(size)) return false;
    in.pos += size;
  }
}

// Reads LSB-first codes from the image's data sub-blocks.
class CodeReader {
 public:
  explicit CodeReader(Cursor& in) : in_(in) {}
  // The next code of `width` bits, or -1 when the data end first.
  int Next(int width) {
    while (bits_ < width) {
      if (block_left_ == 0) {
        if (ended_) return -1;
        const int size = in_.Byte();
        if (size <= 0) {
          ended_ = true;
          return -1;
        }
        block_left_ = size;
      }
      const int byte = in_.Byte();
      if (byte < 0) {
        ended_ = true;
        return -1;
      }
      --block_left_;
      acc_ |= static_cast<std::uint32_t>(byte) << bits_;
      bits_ += 8;
    }
    const int code = static_cast<int>(acc_ & ((1u << width) - 1));
    acc_ >>= width;
    bits_ -= width;
    return code;
  }

 private:
  Cursor& in_;
  std::uint32_t acc_ = 0;
  int bits_ = 0;
  int block_left_ = 0;
  bool ended_ = false;
};

// Decodes `out.size()` palette indices in stream order. Each string is written
// backwards from its last byte by walking the prefix chain, so nothing is staged.
bool DecodeLzw(Cursor& in, std::vector<std::uint8_t>& out) {
  const int min_size = in.Byte();
  if (min_size < 2 || min_size > 8) return false;  // the sizes the GIF standard allows
  const int clear = 1 << min_size;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes> first{};
  std::array<std::uint16_t, kMaxCodes> length{};
  for (int c = 0; c < clear; ++c) {
    suffix[c] = first[c] = static_cast<std::uint8_t>(c);
    length[c] = 1;
  }
  CodeReader reader(in);
  int width = min_size + 1;
  int next = clear + 2;
  int prev = -1;
  std::size_t pos = 0;
  const std::size_t total = out.size();
  std::uint8_t* dst = out.data();

  auto emit = [&](int code) {
    const std::size_t len = length[code];
    std::size_t k = len;
    // Bytes that would fall past the picture are dropped.
    while (k > 0 && pos + k - 1 >= total) {
      --k;
      code = prefix[code];
    }
    for (; k > 0; --k) {
      dst[pos + k - 1] = suffix[code];
      code = prefix[code];
    }
    pos += len;
  };

  while (pos < total) {
    const int code = reader.Next(width);
    if (code < 0) return false;
    if (code == clear) {
      width = min_size + 1;
      next = clear + 2;
      prev = -1;
      continue;
    }
    if (code == end) return false;  // ended before the picture was complete
    if (prev < 0) {
      if (code >= clear) return false;
      emit(code);
      prev = code;
      continue;
    }
    if (code < next) {
      if (next < kMaxCodes) {
        prefix[next] = static_cast<std::uint16_t>(prev);
        suffix[next] = first[code];
        first[next] = first[prev];
        length[next] = static_cast<std::uint16_t>(length[prev] + 1);
        ++next;
      }
      emit(code);
    } else if (code == next && next < kMaxCodes) {
      // The code being defined: the previous string plus its own first byte.
      prefix[next] = static_cast<std::uint16_t>(prev);
      suffix[next] = first[prev];
      first[next] = first[prev];
      length[next] = static_cast<std::uint16_t>(length[prev] + 1);
      ++next;
      emit(code);
    } else {
      return false;
    }
    if (next == (1 << width) && width < 12) ++width;
    prev = code;
  }
  return true;
}

// Display row of the i-th stored row of an interlaced image.
int InterlacedRow(int i, int height) {
  const int pass1 = (height + 7) / 8;
  if (i < pass1) return i * 8;
  i -= pass1;
  const int pass2 = (height + 3) / 8;
  if (i < pass2) return 4 + i * 8;
  i -= pass2;
  const int pass3 = (height + 1) / 4;
  if (i < pass3) return 2 + i * 4;
  i -= pass3;
  return 1 + i * 2;
}

}  // namespace

std::optional<RgbImage> GIFDecode(std::span<const std::uint8_t> file, const std::string& name,
                                  std::string& message) {
  message.clear();
  auto fail = [&](std::string text) -> std::optional<RgbImage> {
    message = std::move(text);
    return std::nullopt;
  };
  Cursor in{file};
  std::uint8_t magic[6];
  if (!in.Take(magic, 6)) return fail("Error reading GIF Magic #\n" + name);
  if (std::memcmp(magic, "GIF", 3) != 0) {
    return fail("Error, " + name + " is not a valid .GIF file");
  }
  if (std::memcmp(magic + 3, "87a", 3) != 0 && std::memcmp(magic + 3, "89a", 3) != 0) {
    return fail("Error, Bad GIF Version number");
  }
  std::uint8_t screen[7];
  if (!in.Take(screen, 7)) return fail("Error, failed to GIF read screen descriptor.\nGiving up");
  std::array<std::uint8_t, 256 * 3> global{};
  const bool has_global = screen[4] & 0x80;
  if (has_global && !in.Take(global.data(), std::size_t{3} * (2 << (screen[4] & 7)))) {
    return fail("Error reading GIF colormap");
  }
  if (screen[6] != 0 && screen[6] != 49) {
    message = "Non-square pixels in GIF image.\nIgnoring that fact...";
  }

  for (;;) {
    const int introducer = in.Byte();
    if (introducer < 0 || introducer == ';') return fail("Unexpected EOF in GIF.\nGiving up");
    if (introducer == '!') {
      // Extensions carry nothing the picture needs; the graphic control extension's
      // transparency, disposal and delay do not change the output.
      if (in.Byte() < 0 || !SkipSubBlocks(in)) {
        return fail("Error on extension read.\nGiving up");
      }
      continue;
    }
    if (introducer != ',') continue;  // stray bytes between blocks

    std::uint8_t desc[9];
    if (!in.Take(desc, 9)) return fail("Error on dimension read\nGiving up");
    const int width = desc[4] | (desc[5] << 8);
    const int height = desc[6] | (desc[7] << 8);
    const bool has_local = desc[8] & 0x80;
    const bool interlaced = desc[8] & 0x40;
    if (width == 0 || height == 0) return fail("Error on dimension read\nGiving up");
    std::array<std::uint8_t, 256 * 3> local{};
    if (has_local && !in.Take(local.data(), std::size_t{3} * (2 << (desc[8] & 7)))) {
      return fail("Error reading GIF colormap\nGiving up");
    }
    const std::string decode_failure =
        has_local ? "Error reading GIF file\nLocalColorMap\nGiving up"
                  : "Error reading GIF file\nGIFScreen Colormap\nGiving up";
    if (!pixwerk::SizeWithinLimits(width, height)) return fail("Out of Memory in GIFRead");
    // A code of at least two bits yields at most 4096 pixels, so the bytes left bound
    // the picture they can describe.
    const std::uint64_t pixels = std::uint64_t{static_cast<unsigned>(width)} * height;
    if (pixels > in.Remaining() * std::uint64_t{4 * kMaxCodes}) return fail(decode_failure);
    std::vector<std::uint8_t> indices;
    std::optional<RgbImage> out;
    try {
      indices.resize(pixels);
      out.emplace();
      out->width = width;
      out->height = height;
      out->pixels.resize(pixels * 3);
    } catch (const std::bad_alloc&) {
      return fail("Out of Memory in GIFRead");
    }
    if (!DecodeLzw(in, indices)) return fail(decode_failure);
    const std::uint8_t* colours = has_local ? local.data() : global.data();
    for (int i = 0; i < height; ++i) {
      const int row = interlaced ? InterlacedRow(i, height) : i;
      const std::uint8_t* src = indices.data() + static_cast<std::size_t>(i) * width;
      std::uint8_t* dst = out->pixels.data() + static_cast<std::size_t>(row) * width * 3;
      for (int x = 0; x < width; ++x, dst += 3) std::memcpy(dst, colours + src[x] * 3, 3);
    }
    return out;
  }
}

std::optional<RgbImage> GIFRead(const std::filesystem::path& path, std::string& message) {
  message.clear();
  if (path.empty()) {
    message = "No Name Given";
    return std::nullopt;
  }
  const int saved = PxGetLastError();  // this reader keeps no result code
  auto bytes = pixwerk::ReadImageFile(path);
  PxSetLastError(saved);
  if (!bytes) {
    message = "Cant open GIF :\n" + path.string();
    return std::nullopt;
  }
  return GIFDecode(*bytes, path.string(), message);
}

}  // namespace lumi
