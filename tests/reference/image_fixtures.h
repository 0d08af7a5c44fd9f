#pragma once
// Hand-assembled image files for the reader tests and benchmarks: BMP, GIF (with a
// small LZW encoder) and PCX, plus temporary files.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lumi::fixtures {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, unsigned v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
inline void Put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 255);
}

// A BMP file: file header, 40-byte info header, colour table (blue, green, red, 0
// entries) and pixel bytes exactly as given.
inline Bytes Bmp(std::int32_t width, std::int32_t height, int bits, const Bytes& table,
                 const Bytes& pixels, std::uint32_t compression = 0, std::uint32_t used = 0) {
  Bytes b = {'B', 'M'};
  const std::uint32_t offset = 54 + static_cast<std::uint32_t>(table.size());
  Put32(b, offset + static_cast<std::uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, compression);
  Put32(b, static_cast<std::uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, used);
  Put32(b, 0);
  b.insert(b.end(), table.begin(), table.end());
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// LZW-encodes palette indices as GIF image data: the minimum code size byte, then the
// codes in sub-blocks of at most 255 bytes, then the terminator. The encoder never
// clears its table, so long inputs run on with a full table at 12 bits.
inline Bytes GifLzw(const Bytes& indices, int min_size) {
  const int clear = 1 << min_size;
  Bytes packed;
  std::uint32_t acc = 0;
  int bits = 0;
  int width = min_size + 1;
  auto emit = [&](int code) {
    acc |= static_cast<std::uint32_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      packed.push_back(acc & 255);
      acc >>= 8;
      bits -= 8;
    }
  };
  // The decoder's view: it adds an entry for every code after the first and widens
  // when its next free code reaches the width's limit.
  int decoder_next = clear + 2;
  bool first = true;
  auto emitted = [&]() {
    if (first) {
      first = false;
      return;
    }
    if (decoder_next < 4096) ++decoder_next;
    if (decoder_next == (1 << width) && width < 12) ++width;
  };
  std::map<std::pair<int, int>, int> table;
  int next = clear + 2;
  emit(clear);
  int w = -1;
  for (std::uint8_t c : indices) {
    if (w < 0) {
      w = c;
      continue;
    }
    auto it = table.find({w, c});
    if (it != table.end()) {
      w = it->second;
      continue;
    }
    emit(w);
    emitted();
    if (next < 4096) table[{w, c}] = next++;
    w = c;
  }
  if (w >= 0) {
    emit(w);
    emitted();
  }
  emit(clear + 1);
  if (bits > 0) packed.push_back(acc & 255);
  Bytes out = {static_cast<std::uint8_t>(min_size)};
  for (std::size_t i = 0; i < packed.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, packed.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), packed.begin() + i, packed.begin() + i + n);
  }
  out.push_back(0);
  return out;
}

struct GifImage {
  int width = 0, height = 0;
  Bytes indices;         // in display order, rows top first
  Bytes local_table;     // red, green, blue triples; empty for none
  bool interlaced = false;
  int min_size = 8;
};

// Stored row order of an interlaced image: rows 0, 8, ..., 4, 12, ..., 2, 6, ..., 1, 3, ...
inline std::vector<int> InterlaceOrder(int height) {
  std::vector<int> rows;
  for (int y = 0; y < height; y += 8) rows.push_back(y);
  for (int y = 4; y < height; y += 8) rows.push_back(y);
  for (int y = 2; y < height; y += 4) rows.push_back(y);
  for (int y = 1; y < height; y += 2) rows.push_back(y);
  return rows;
}

inline Bytes GifImageBlock(const GifImage& image) {
  Bytes b = {','};
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, image.width);
  Put16(b, image.height);
  int flags = image.interlaced ? 0x40 : 0;
  if (!image.local_table.empty()) {
    int n = 0;
    while ((2 << n) * 3 < static_cast<int>(image.local_table.size())) ++n;
    flags |= 0x80 | n;
  }
  b.push_back(static_cast<std::uint8_t>(flags));
  b.insert(b.end(), image.local_table.begin(), image.local_table.end());
  Bytes stored;
  if (image.interlaced) {
    for (int y : InterlaceOrder(image.height)) {
      stored.insert(stored.end(), image.indices.begin() + y * image.width,
                    image.indices.begin() + (y + 1) * image.width);
    }
  } else {
    stored = image.indices;
  }
  const Bytes data = GifLzw(stored, image.min_size);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Header "GIF89a", screen descriptor, global table (red, green, blue triples whose
// count is a power of two), then the given blocks and the trailer.
inline Bytes Gif(const Bytes& global_table, const std::vector<Bytes>& blocks, int aspect = 0,
                 const char* version = "89a") {
  Bytes b = {'G', 'I', 'F'};
  for (int i = 0; i < 3; ++i) b.push_back(static_cast<std::uint8_t>(version[i]));
  Put16(b, 16);
  Put16(b, 16);
  int flags = 0;
  if (!global_table.empty()) {
    int n = 0;
    while ((2 << n) * 3 < static_cast<int>(global_table.size())) ++n;
    flags = 0x80 | n;
  }
  b.push_back(static_cast<std::uint8_t>(flags));
  b.push_back(0);
  b.push_back(static_cast<std::uint8_t>(aspect));
  b.insert(b.end(), global_table.begin(), global_table.end());
  for (const Bytes& block : blocks) b.insert(b.end(), block.begin(), block.end());
  b.push_back(';');
  return b;
}

// A table of `count` colours (red, green, blue) where colour i is (i, 255 - i, i / 2).
inline Bytes RampTable(int count) {
  Bytes t;
  for (int i = 0; i < count; ++i) {
    t.push_back(static_cast<std::uint8_t>(i));
    t.push_back(static_cast<std::uint8_t>(255 - i));
    t.push_back(static_cast<std::uint8_t>(i / 2));
  }
  return t;
}

// PCX run-length encoding of whole scanlines (runs do not cross scanlines).
inline Bytes PcxEncode(const Bytes& raw) {
  Bytes out;
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t n = 1;
    while (i + n < raw.size() && raw[i + n] == raw[i] && n < 63) ++n;
    if (n > 1 || (raw[i] & 0xC0) == 0xC0) {
      out.push_back(static_cast<std::uint8_t>(0xC0 | n));
    }
    out.push_back(raw[i]);
    i += n;
  }
  return out;
}

// A PCX header of 128 bytes.
inline Bytes PcxHeader(int width, int height, int bits, int planes, int line_bytes,
                       const Bytes& palette16 = {}) {
  Bytes b(128, 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = 1;
  b[3] = static_cast<std::uint8_t>(bits);
  b[8] = (width - 1) & 255;
  b[9] = (width - 1) >> 8;
  b[10] = (height - 1) & 255;
  b[11] = (height - 1) >> 8;
  for (std::size_t i = 0; i < palette16.size() && i < 48; ++i) b[16 + i] = palette16[i];
  b[65] = static_cast<std::uint8_t>(planes);
  b[66] = line_bytes & 255;
  b[67] = line_bytes >> 8;
  return b;
}

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("lumi_image_test_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::filesystem::path File(const std::string& name) const { return path_ / name; }
  std::filesystem::path Write(const std::string& name, const Bytes& bytes) const {
    const auto p = File(name);
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  static Bytes Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace lumi::fixtures
