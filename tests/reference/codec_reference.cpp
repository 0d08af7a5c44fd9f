#include "codec_reference.h"

#include <string_view>
#include <vector>

namespace lumi::reference {

namespace {

constexpr std::int64_t kMaxPixels = kMaxReferencePixels;

// Reads bytes one at a time; `ok` turns false at the first read past the end.
struct Reader {
  std::span<const std::uint8_t> data;
  std::size_t pos = 0;
  bool ok = true;
  int Byte() {
    if (pos >= data.size()) {
      ok = false;
      return 0;
    }
    return data[pos++];
  }
  unsigned U16() {
    const unsigned lo = Byte();
    return lo | (Byte() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t lo = U16();
    return lo | (std::uint32_t{U16()} << 16);
  }
};

void SetPixel(RgbImage& image, int x, int y, int r, int g, int b) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
  image.pixels[at] = static_cast<std::uint8_t>(r);
  image.pixels[at + 1] = static_cast<std::uint8_t>(g);
  image.pixels[at + 2] = static_cast<std::uint8_t>(b);
}

RgbImage Blank(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height * 3, 0);
  return image;
}

}  // namespace

std::optional<RgbImage> DecodeBmp(std::span<const std::uint8_t> file) {
  Reader in{file};
  if (in.Byte() != 'B' || in.Byte() != 'M') return std::nullopt;
  in.U32();
  in.U32();
  const std::uint32_t offset = in.U32();
  const std::uint32_t header = in.U32();
  const auto width = static_cast<std::int32_t>(in.U32());
  const auto stored_height = static_cast<std::int32_t>(in.U32());
  in.U16();
  const int bits = static_cast<int>(in.U16());
  const std::uint32_t compression = in.U32();
  in.U32();
  in.U32();
  in.U32();
  const std::uint32_t used = in.U32();
  if (!in.ok || header < 40 || width < 1 || stored_height == 0 || stored_height == INT32_MIN) {
    return std::nullopt;
  }
  const int height = stored_height < 0 ? -stored_height : stored_height;
  if (std::int64_t{width} * height > kMaxPixels) return std::nullopt;
  if (compression > 2 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4)) {
    return std::nullopt;
  }
  if (header > file.size() - 14) return std::nullopt;
  in.pos = 14 + header;
  std::vector<int> table(256 * 3, 0);  // red, green, blue
  if (bits <= 16) {
    const std::uint64_t count = used ? used : (std::uint64_t{1} << bits);
    if (count <= 256) {
      for (std::uint64_t i = 0; i < count; ++i) {
        table[i * 3 + 2] = in.Byte();
        table[i * 3 + 1] = in.Byte();
        table[i * 3] = in.Byte();
        in.Byte();
      }
    }
  }
  if (!in.ok) return std::nullopt;
  if (offset >= in.pos && offset <= file.size()) in.pos = offset;
  RgbImage image = Blank(width, height);
  auto put = [&](int x, int stored_row, int index) {
    const int y = stored_height < 0 ? stored_row : height - 1 - stored_row;
    SetPixel(image, x, y, table[index * 3], table[index * 3 + 1], table[index * 3 + 2]);
  };
  if (compression == 0) {
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    const std::size_t row_bytes = ((static_cast<std::size_t>(bits) * width + 31) / 32) * 4;
    const std::size_t start = in.pos;
    if (row_bytes * height > file.size() - start) return std::nullopt;
    for (int row = 0; row < height; ++row) {
      for (int x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const std::uint8_t* p = file.data() + start + row * row_bytes + bit / 8;
        const int y = stored_height < 0 ? row : height - 1 - row;
        if (bits < 8) {
          put(x, row, (p[0] >> (8 - bits - bit % 8)) & ((1 << bits) - 1));
        } else if (bits == 8) {
          put(x, row, p[0]);
        } else if (bits == 16) {
          const int v = p[0] + 256 * p[1];
          SetPixel(image, x, y, ((v >> 10) & 31) * 8 + 7, ((v >> 5) & 31) * 8 + 7, (v & 31) * 8 + 7);
        } else {
          SetPixel(image, x, y, p[2], p[1], p[0]);
        }
      }
    }
    return image;
  }
  // Run-length data; pixels never reached keep index 0.
  const bool four = compression == 2;
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) put(x, row, 0);
  }
  int x = 0, row = 0;
  while (row < height) {
    const int count = in.Byte();
    const int value = in.Byte();
    if (!in.ok) return std::nullopt;
    if (count > 0) {
      for (int i = 0; i < count; ++i, ++x) {
        if (x < width) put(x, row, four ? (i % 2 ? value & 15 : value >> 4) : value);
      }
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      x += in.Byte();
      row += in.Byte();
    } else {
      int byte = 0;
      for (int i = 0; i < value; ++i, ++x) {
        if (!four || i % 2 == 0) byte = in.Byte();
        if (x < width && row < height) put(x, row, four ? (i % 2 ? byte & 15 : byte >> 4) : byte);
      }
      const int bytes = four ? (value + 1) / 2 : value;
      if (bytes % 2) in.Byte();
    }
    if (!in.ok) return std::nullopt;
  }
  return image;
}

std::optional<RgbImage> DecodePcx(std::span<const std::uint8_t> file) {
  if (file.size() < 128 || file[0] != 0x0A || file[2] != 1) return std::nullopt;
  Reader head{file};
  head.pos = 4;
  const int xmin = head.U16(), ymin = head.U16(), xmax = head.U16(), ymax = head.U16();
  const int bits = file[3], planes = file[65];
  const int line = file[66] | (file[67] << 8);
  const int width = xmax - xmin + 1, height = ymax - ymin + 1;
  if (width < 1 || height < 1 || std::int64_t{width} * height > kMaxPixels) return std::nullopt;
  if (line < 1 || line * 8 < width * bits) return std::nullopt;
  const bool indexed = (bits == 1 || bits == 2 || bits == 4) && planes >= 1 && bits * planes <= 4;
  if (!indexed && !(bits == 8 && (planes == 1 || planes == 3))) return std::nullopt;
  std::vector<int> palette(256 * 3);
  for (int i = 0; i < 256; ++i) palette[i * 3] = palette[i * 3 + 1] = palette[i * 3 + 2] = i;
  if (indexed) {
    for (int i = 0; i < 48; ++i) palette[i] = file[16 + i];
    for (int i = 48; i < 768; ++i) palette[i] = 0;
  } else if (planes == 1 && file.size() >= 128 + 769 && file[file.size() - 769] == 0x0C) {
    for (int i = 0; i < 768; ++i) palette[i] = file[file.size() - 768 + i];
  }
  // Expand all scanlines one byte at a time.
  Reader in{file};
  in.pos = 128;
  const std::size_t total = static_cast<std::size_t>(line) * planes * height;
  std::vector<std::uint8_t> raw;
  while (raw.size() < total) {
    const int b = in.Byte();
    if (!in.ok) return std::nullopt;
    if ((b & 0xC0) == 0xC0) {
      const int v = in.Byte();
      if (!in.ok) return std::nullopt;
      for (int i = 0; i < (b & 0x3F) && raw.size() < total; ++i) raw.push_back(static_cast<std::uint8_t>(v));
    } else {
      raw.push_back(static_cast<std::uint8_t>(b));
    }
  }
  RgbImage image = Blank(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* scan = raw.data() + static_cast<std::size_t>(y) * line * planes;
    for (int x = 0; x < width; ++x) {
      if (bits == 8 && planes == 3) {
        SetPixel(image, x, y, scan[x], scan[line + x], scan[2 * line + x]);
        continue;
      }
      int index = 0;
      if (bits == 8) {
        index = scan[x];
      } else {
        for (int p = 0; p < planes; ++p) {
          const int bit = x * bits;
          index += ((scan[p * line + bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1)) << (p * bits);
        }
      }
      SetPixel(image, x, y, palette[index * 3], palette[index * 3 + 1], palette[index * 3 + 2]);
    }
  }
  return image;
}

std::optional<RgbImage> DecodeGif(std::span<const std::uint8_t> file) {
  Reader in{file};
  if (file.size() < 13 || file[0] != 'G' || file[1] != 'I' || file[2] != 'F') return std::nullopt;
  const std::string_view version(reinterpret_cast<const char*>(file.data()) + 3, 3);
  if (version != "87a" && version != "89a") return std::nullopt;
  in.pos = 10;
  const int screen_flags = in.Byte();
  in.pos = 13;
  std::vector<int> global(256 * 3, 0);
  if (screen_flags & 0x80) {
    for (int i = 0; i < 3 * (2 << (screen_flags & 7)); ++i) global[i] = in.Byte();
  }
  for (;;) {
    const int block = in.Byte();
    if (!in.ok || block == ';') return std::nullopt;
    if (block == '!') {
      in.Byte();
      for (int size = in.Byte(); size > 0 && in.ok; size = in.Byte()) in.pos += size;
      if (!in.ok || in.pos > file.size()) return std::nullopt;
      continue;
    }
    if (block != ',') continue;
    in.pos += 4;
    const int width = in.U16(), height = in.U16(), flags = in.Byte();
    if (!in.ok || width == 0 || height == 0 || std::int64_t{width} * height > kMaxPixels) return std::nullopt;
    std::vector<int> colours = global;
    if (flags & 0x80) {
      for (int i = 0; i < 3 * (2 << (flags & 7)); ++i) colours[i] = in.Byte();
    }
    const int min_size = in.Byte();
    if (!in.ok || min_size < 2 || min_size > 8) return std::nullopt;
    // Gather the data sub-blocks, then read codes one bit at a time.
    std::vector<std::uint8_t> data;
    // Data cut off by the end of the file end there: nothing is made up after it.
    for (int size = in.Byte(); size > 0 && in.ok; size = in.Byte()) {
      for (int i = 0; i < size; ++i) {
        const int byte = in.Byte();
        if (!in.ok) break;
        data.push_back(static_cast<std::uint8_t>(byte));
      }
    }
    std::size_t bit_pos = 0;
    auto code_of = [&](int width_bits) {
      int code = 0;
      for (int i = 0; i < width_bits; ++i, ++bit_pos) {
        if (bit_pos / 8 >= data.size()) return -1;
        code |= ((data[bit_pos / 8] >> (bit_pos % 8)) & 1) << i;
      }
      return code;
    };
    const int clear = 1 << min_size;
    std::vector<int> prefix(4096, 0), suffix(4096, 0);
    for (int i = 0; i < clear; ++i) suffix[i] = i;
    std::vector<std::uint8_t> out;
    const std::size_t total = static_cast<std::size_t>(width) * height;
    int code_width = min_size + 1, next = clear + 2, prev = -1;
    while (out.size() < total) {
      const int code = code_of(code_width);
      if (code < 0 || code == clear + 1) return std::nullopt;
      if (code == clear) {
        code_width = min_size + 1;
        next = clear + 2;
        prev = -1;
        continue;
      }
      // Unwind the string onto a stack, then pop it into the output.
      std::vector<int> stack;
      int c = code;
      if (prev < 0) {
        if (code >= clear) return std::nullopt;
      } else if (code > next || (code == next && next >= 4096)) {
        return std::nullopt;
      }
      if (prev >= 0 && code == next) {
        int f = prev;
        while (f >= clear) f = prefix[f];
        stack.push_back(f);
        c = prev;
      }
      while (c >= clear) {
        stack.push_back(suffix[c]);
        c = prefix[c];
      }
      stack.push_back(c);
      const int first = c;
      while (!stack.empty()) {
        out.push_back(static_cast<std::uint8_t>(stack.back()));
        stack.pop_back();
      }
      if (prev >= 0 && next < 4096) {
        prefix[next] = prev;
        suffix[next] = first;
        ++next;
      }
      if (next == (1 << code_width) && code_width < 12) ++code_width;
      prev = code;
    }
    RgbImage image = Blank(width, height);
    std::vector<int> rows;
    if (flags & 0x40) {
      for (int y = 0; y < height; y += 8) rows.push_back(y);
      for (int y = 4; y < height; y += 8) rows.push_back(y);
      for (int y = 2; y < height; y += 4) rows.push_back(y);
      for (int y = 1; y < height; y += 2) rows.push_back(y);
    } else {
      for (int y = 0; y < height; ++y) rows.push_back(y);
    }
    for (int i = 0; i < height; ++i) {
      for (int x = 0; x < width; ++x) {
        const int index = out[static_cast<std::size_t>(i) * width + x];
        SetPixel(image, x, rows[i], colours[index * 3], colours[index * 3 + 1], colours[index * 3 + 2]);
      }
    }
    return image;
  }
}

}  // namespace lumi::reference
