#include "image/bmp_rows.h"

namespace lumi::pixwerk {

namespace {

inline void FromTable(const std::uint8_t* table, unsigned index, std::uint8_t* rgb) {
  const std::uint8_t* e = table + index * 4;
  rgb[0] = e[2];
  rgb[1] = e[1];
  rgb[2] = e[0];
}

// 1, 2 or 4 bits per pixel: whole bytes first, then the pixels of the last partial byte.
template <int kBits>
void IndexedRow(const std::uint8_t* row, int width, const std::uint8_t* table,
                std::uint8_t* rgb) {
  constexpr int kPerByte = 8 / kBits;
  constexpr unsigned kMask = (1u << kBits) - 1;
  const int whole = width / kPerByte;
  for (int b = 0; b < whole; ++b) {
    const unsigned byte = row[b];
    for (int k = kPerByte - 1; k >= 0; --k) {
      FromTable(table, (byte >> (k * kBits)) & kMask, rgb);
      rgb += 3;
    }
  }
  const int rest = width - whole * kPerByte;
  if (rest) {
    const unsigned byte = row[whole];
    for (int k = 0; k < rest; ++k) {
      FromTable(table, (byte >> (8 - kBits * (k + 1))) & kMask, rgb);
      rgb += 3;
    }
  }
}

}  // namespace

void BmpRowToRgb(const std::uint8_t* row, int bits, int width, const std::uint8_t* table,
                 std::uint8_t* rgb) {
  switch (bits) {
    case 1: IndexedRow<1>(row, width, table, rgb); break;
    case 4: IndexedRow<4>(row, width, table, rgb); break;
    case 8:
      for (int x = 0; x < width; ++x, rgb += 3) FromTable(table, row[x], rgb);
      break;
    case 16:
      for (int x = 0; x < width; ++x, row += 2, rgb += 3) {
        const unsigned v = row[0] | (row[1] << 8);
        rgb[0] = static_cast<std::uint8_t>((((v >> 10) & 31) << 3) | 7);
        rgb[1] = static_cast<std::uint8_t>((((v >> 5) & 31) << 3) | 7);
        rgb[2] = static_cast<std::uint8_t>(((v & 31) << 3) | 7);
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x, row += 3, rgb += 3) {
        rgb[0] = row[2];
        rgb[1] = row[1];
        rgb[2] = row[0];
      }
      break;
    case 32:
      for (int x = 0; x < width; ++x, row += 4, rgb += 3) {
        rgb[0] = row[2];
        rgb[1] = row[1];
        rgb[2] = row[0];
      }
      break;
    default: break;
  }
}

}  // namespace lumi::pixwerk
