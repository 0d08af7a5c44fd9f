// PNG files through libpng: palette and low-bit greyscale expanded, greyscale made RGB,
// 16-bit samples reduced to 8, alpha (and tRNS transparency) flattened on the file's own
// background colour or black, the file's gamma corrected for a 2.2 screen, text chunks
// collected into the read texts.
#include <csetjmp>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <png.h>

#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

constexpr double kScreenGamma = 2.2;
// Deflate expands at most about 1032 times.
constexpr std::uint64_t kMaxInflation = 1032;

struct Reader {
  png_structp png;
  png_infop info;
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (length > r->size - r->pos) png_error(png, "truncated");
  std::memcpy(out, r->data + r->pos, length);
  r->pos += length;
}

void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Reads the header and sets up the conversion to 8-bit RGB. Plain data only: the jump
// skips destructors.
bool Start(Reader* r) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_set_read_fn(r->png, r, ReadBytes);
  png_set_user_limits(r->png, CDIBSection::kMaxSide, CDIBSection::kMaxSide);
  png_set_chunk_malloc_max(r->png, 16u << 20);
  png_read_info(r->png, r->info);
  const int type = png_get_color_type(r->png, r->info);
  const int depth = png_get_bit_depth(r->png, r->info);
  const bool transparency = png_get_valid(r->png, r->info, PNG_INFO_tRNS) != 0;
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r->png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(r->png);
  if (transparency) png_set_tRNS_to_alpha(r->png);
  if (depth == 16) png_set_strip_16(r->png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(r->png);
  double file_gamma = 0;
  if (png_get_gAMA(r->png, r->info, &file_gamma) && file_gamma > 0) {
    png_set_gamma(r->png, kScreenGamma, file_gamma);
  }
  if ((type & PNG_COLOR_MASK_ALPHA) || transparency) {
    png_color_16p file_background = nullptr;
    if (png_get_bKGD(r->png, r->info, &file_background)) {
      png_set_background(r->png, file_background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    } else {
      png_color_16 black;
      std::memset(&black, 0, sizeof black);
      png_set_background(r->png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
  }
  png_set_interlace_handling(r->png);
  png_read_update_info(r->png, r->info);
  return png_get_channels(r->png, r->info) == 3 && png_get_bit_depth(r->png, r->info) == 8;
}

bool ReadRows(Reader* r, png_bytepp rows) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_read_image(r->png, rows);
  png_read_end(r->png, r->info);
  return true;
}

std::optional<RgbImage> Fail(int code) {
  PxSetLastError(code);
  return std::nullopt;
}

std::optional<RgbImage> DecodeWith(Reader& r) {
  if (!Start(&r)) return Fail(kPxBadPng);
  const png_uint_32 width = png_get_image_width(r.png, r.info);
  const png_uint_32 height = png_get_image_height(r.png, r.info);
  if (!pixwerk::SizeWithinLimits(width, height)) return Fail(kPxBadPng);
  // The stored rows (one filter byte each) cannot inflate beyond what deflate allows.
  const std::uint64_t depth_bytes = (png_get_bit_depth(r.png, r.info) + 7) / 8;
  if (std::uint64_t{height} * (std::uint64_t{width} * depth_bytes + 1) >
      r.size * kMaxInflation + 1024) {
    return Fail(kPxBadPng);
  }
  auto out = pixwerk::AllocateRgb(static_cast<int>(width), static_cast<int>(height));
  if (!out) return out;
  std::vector<png_bytep> rows;
  try {
    rows.resize(height);
  } catch (const std::bad_alloc&) {
    return Fail(kPxOutOfMemory);
  }
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out->pixels.data() + std::size_t{y} * width * 3;
  if (!ReadRows(&r, rows.data())) return Fail(kPxBadPng);
  png_textp texts = nullptr;
  int count = 0;
  if (png_get_text(r.png, r.info, &texts, &count) > 0) {
    for (int i = 0; i < count; ++i) {
      PxAddReadText(texts[i].text ? texts[i].text : "");
    }
  }
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace

std::optional<RgbImage> PxDecodePNG(std::span<const std::uint8_t> file) {
  PxClearReadTexts();
  Reader r{nullptr, nullptr, file.data(), file.size(), 0};
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
  if (!r.png) return Fail(kPxOutOfMemory);
  r.info = png_create_info_struct(r.png);
  if (!r.info) {
    png_destroy_read_struct(&r.png, nullptr, nullptr);
    return Fail(kPxOutOfMemory);
  }
  std::optional<RgbImage> out;
  try {
    out = DecodeWith(r);
  } catch (...) {
    png_destroy_read_struct(&r.png, &r.info, nullptr);
    throw;
  }
  png_destroy_read_struct(&r.png, &r.info, nullptr);
  return out;
}

std::optional<RgbImage> PxLoadPNG(const std::filesystem::path& path) {
  auto bytes = pixwerk::ReadImageFile(path);
  if (!bytes) return std::nullopt;
  return PxDecodePNG(*bytes);
}

}  // namespace lumi
