// PNG files through libpng: 8-bit RGB or 8-bit palette, no interlace, with a zero
// background colour (bKGD), a 1 x 1 pixel aspect of unknown unit (pHYs), the time of
// writing (tIME) and no gamma chunk.
#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include <png.h>

#include "image/bitmap_png.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

struct Output {
  std::uint8_t* data;
  std::size_t size;
  std::size_t capacity;
};

void WriteBytes(png_structp png, png_bytep bytes, png_size_t length) {
  auto* out = static_cast<Output*>(png_get_io_ptr(png));
  if (length > out->capacity - out->size) {
    std::size_t grown = out->capacity ? out->capacity * 2 : 64 * 1024;
    while (grown - out->size < length) grown *= 2;
    auto* data = static_cast<std::uint8_t*>(std::realloc(out->data, grown));
    if (!data) png_error(png, "out of memory");
    out->data = data;
    out->capacity = grown;
  }
  std::memcpy(out->data + out->size, bytes, length);
  out->size += length;
}

void Flush(png_structp) {}
void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct Job {
  const std::uint8_t* pixels;
  int width, height;
  const png_color* palette;  // null for direct colour
  int colour_count;
  int colour_type = PNG_COLOR_TYPE_RGB;  // of direct colour: RGB, RGBA or grey
};

int BytesPerPixel(const Job& job) {
  if (job.palette) return 1;
  switch (job.colour_type) {
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    case PNG_COLOR_TYPE_GRAY: return 1;
    default: return 3;
  }
}

// The time stamped into the file: now, or the fixed moment SOURCE_DATE_EPOCH gives (whole
// seconds since 1970), so that a build can make the same file twice.
std::time_t StampTime() {
  const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
  if (fixed && *fixed) {
    char* end = nullptr;
    errno = 0;
    const long long seconds = std::strtoll(fixed, &end, 10);
    if (errno == 0 && *end == '\0' && seconds >= 0) return static_cast<std::time_t>(seconds);
  }
  return std::time(nullptr);
}

// The whole encoding. Plain data only: the jump skips destructors.
bool Encode(png_structp png, png_infop info, Output* out, const Job* job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, WriteBytes, Flush);
  const bool indexed = job->palette != nullptr;
  png_set_IHDR(png, info, static_cast<png_uint_32>(job->width),
               static_cast<png_uint_32>(job->height), 8,
               indexed ? PNG_COLOR_TYPE_PALETTE : job->colour_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (indexed) png_set_PLTE(png, info, job->palette, job->colour_count);
  png_color_16 background;
  std::memset(&background, 0, sizeof background);
  png_set_bKGD(png, info, &background);
  png_set_pHYs(png, info, 1, 1, PNG_RESOLUTION_UNKNOWN);
  png_time now;
  png_convert_from_time_t(&now, StampTime());
  png_set_tIME(png, info, &now);
  png_write_info(png, info);
  const std::size_t row_bytes = static_cast<std::size_t>(job->width) * BytesPerPixel(*job);
  for (int y = 0; y < job->height; ++y) png_write_row(png, job->pixels + y * row_bytes);
  png_write_end(png, info);
  return true;
}

bool Save(const std::filesystem::path& path, const Job& job) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    PxSetLastError(kPxPngCreate);
    return false;
  }
  Output out{nullptr, 0, 0};
  const bool ok = Encode(png, info, &out, &job);
  png_destroy_write_struct(&png, &info);
  bool written = false;
  if (!ok) {
    PxSetLastError(kPxPngCreate);
  } else {
    try {
      written = pixwerk::WriteImageFile(path, {out.data, out.size});
    } catch (...) {
      std::free(out.data);
      throw;
    }
  }
  std::free(out.data);
  return written;
}

}  // namespace

bool PxSavePNG(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height) {
  if (!pixwerk::WriterSizeOk(rgb, width, height)) return false;
  return Save(path, Job{rgb, width, height, nullptr, 0});
}

bool PxSavePNG(const std::filesystem::path& path, const std::uint8_t* indices, int width,
               int height, int colour_count, const std::uint8_t* palette) {
  if (!palette || colour_count < 1 || colour_count > 256) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  if (!pixwerk::WriterSizeOk(indices, width, height)) return false;
  std::vector<png_color> entries;
  try {
    entries.resize(static_cast<std::size_t>(colour_count));
  } catch (const std::bad_alloc&) {
    PxSetLastError(kPxFileWrite);
    return false;
  }
  // Palette entries come as blue, green, red, 0.
  for (int i = 0; i < colour_count; ++i) {
    entries[i] = png_color{palette[i * 4 + 2], palette[i * 4 + 1], palette[i * 4]};
  }
  return Save(path, Job{indices, width, height, entries.data(), colour_count});
}

bool SaveBitmapPng(const std::filesystem::path& path, const CDIBSection& bitmap,
                   BitmapPngContent content) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  const int w = bitmap.Width(), h = bitmap.Height();
  const bool grey = content == BitmapPngContent::kAlphaAsGrey;
  const int channels = grey ? 1 : 4;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * h * channels);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = bitmap.Row(y);
    std::uint8_t* d = rows.data() + static_cast<std::size_t>(y) * w * channels;
    for (int x = 0; x < w; ++x, s += 4) {
      if (grey) {
        *d++ = s[3];
      } else {
        *d++ = s[2];
        *d++ = s[1];
        *d++ = s[0];
        *d++ = s[3];
      }
    }
  }
  Job job{rows.data(), w, h, nullptr, 0};
  job.colour_type = grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB_ALPHA;
  return Save(path, job);
}

}  // namespace lumi
