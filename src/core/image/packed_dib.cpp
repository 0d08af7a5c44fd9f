// Packed Windows bitmaps (info header, colour table, pixels), the form bitmaps take on
// the clipboard.
#include <cstring>
#include <string>

#include "base/errors.h"
#include "image/dib_section.h"

namespace lumi {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;

template <typename T>
T ReadLE(const std::uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void WriteLE(std::uint8_t*& p, T v) {
  std::memcpy(p, &v, sizeof v);
  p += sizeof v;
}

}  // namespace

std::vector<std::uint8_t> CDIBSection::ExportPackedDib() const {
  std::vector<std::uint8_t> out(TotalSize());
  std::uint8_t* p = out.data();
  WriteLE<std::uint32_t>(p, kInfoHeaderSize);
  WriteLE<std::int32_t>(p, width_);
  WriteLE<std::int32_t>(p, height_);
  WriteLE<std::uint16_t>(p, 1);  // planes
  WriteLE<std::uint16_t>(p, static_cast<std::uint16_t>(bits_));
  for (int i = 0; i < 6; ++i) WriteLE<std::uint32_t>(p, 0);  // compression .. important
  if (!colour_table_.empty()) {
    std::memcpy(p, colour_table_.data(), colour_table_.size());
    p += colour_table_.size();
  }
  if (!pixels_.empty()) std::memcpy(p, pixels_.data(), pixels_.size());
  return out;
}

void CDIBSection::ImportPackedDib(std::span<const std::uint8_t> packed) {
  if (packed.size() < kInfoHeaderSize) throw ArchiveError("Bitmap header is incomplete");
  const std::uint8_t* h = packed.data();
  const auto header_size = ReadLE<std::uint32_t>(h);
  const auto width = ReadLE<std::int32_t>(h + 4);
  const auto stored_height = ReadLE<std::int32_t>(h + 8);
  const auto bits = ReadLE<std::uint16_t>(h + 14);
  const auto compression = ReadLE<std::uint32_t>(h + 16);
  const auto colours_used = ReadLE<std::uint32_t>(h + 32);
  if (header_size < kInfoHeaderSize || header_size > packed.size()) {
    throw ArchiveError("Bitmap header is damaged");
  }
  if (compression != 0) throw ArchiveError("Compressed bitmaps are not supported");
  // A negative height marks rows stored top row first.
  const bool top_down = stored_height < 0;
  if (stored_height == INT32_MIN) throw ArchiveError("Bitmap header is damaged");
  const int height = top_down ? -stored_height : stored_height;
  CheckBitmapSize(width, height);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    throw ArchiveError("Bitmaps of " + std::to_string(bits) + " bits are not supported");
  }
  const std::size_t table_entries = bits <= 8 ? std::size_t{1} << bits : 0;
  const std::size_t stored_entries =
      bits <= 8 && colours_used != 0 && colours_used < table_entries ? colours_used
                                                                     : table_entries;
  const std::size_t row_bytes = static_cast<std::size_t>(RowBytesFor(width, bits));
  const std::size_t needed =
      std::size_t{header_size} + stored_entries * 4 + row_bytes * static_cast<std::size_t>(height);
  if (needed > packed.size()) throw ArchiveError("Bitmap data is incomplete");

  CDIBSection result;
  result.Create(width, height, bits, false);
  const std::uint8_t* table = packed.data() + header_size;
  // Deeper bitmaps have no colour table: its storage may be a null pointer.
  if (stored_entries) std::memcpy(result.colour_table_.data(), table, stored_entries * 4);
  const std::uint8_t* src = table + stored_entries * 4;
  for (int r = 0; r < height; ++r) {
    const int storage_row = top_down ? height - 1 - r : r;
    std::memcpy(result.pixels_.data() + storage_row * row_bytes, src + r * row_bytes, row_bytes);
  }
  *this = std::move(result);
}

}  // namespace lumi
