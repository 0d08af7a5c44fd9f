// TIFF files through libtiff's RGBA interface, read from memory with libtiff's messages
// kept quiet (they would otherwise go to the standard error stream).
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <new>
#include <vector>

#include <tiffio.h>

#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

// A blank fax page compresses to about one bit per row, so even a small file may
// describe many pixels; beyond this ratio a file is taken as damaged.
constexpr std::uint64_t kMaxPixelsPerByte = 1 << 15;
constexpr std::uint64_t kSmallPicture = 1 << 20;
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t{256} << 20;

struct MemoryFile {
  const std::uint8_t* data;
  std::uint64_t size;
  std::uint64_t pos;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(handle);
  if (size < 0) return -1;
  const std::uint64_t n = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), f->size - f->pos);
  if (n) std::memcpy(buffer, f->data + f->pos, n);
  f->pos += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(handle);
  std::uint64_t base = 0;
  if (whence == SEEK_CUR) base = f->pos;
  if (whence == SEEK_END) base = f->size;
  const std::uint64_t target = base + offset;
  if (target < base || target > f->size) return static_cast<toff_t>(-1);
  f->pos = target;
  return f->pos;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->size; }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

std::optional<RgbImage> Fail(int code) {
  PxSetLastError(code);
  return std::nullopt;
}

std::optional<RgbImage> ReadOpened(TIFF* tif, std::uint64_t file_size) {
  std::uint32_t width = 0, height = 0;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height)) {
    return Fail(kPxBadTif);
  }
  if (!pixwerk::SizeWithinLimits(width, height)) return Fail(kPxBadTif);
  if (std::uint64_t{width} * height > file_size * kMaxPixelsPerByte + kSmallPicture) {
    return Fail(kPxBadTif);
  }
  char message[1024];
  if (!TIFFRGBAImageOK(tif, message)) return Fail(kPxBadTif);
  std::vector<std::uint32_t> raster;
  try {
    raster.resize(std::size_t{width} * height);
  } catch (const std::bad_alloc&) {
    return Fail(kPxOutOfMemory);
  }
  if (!TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 1)) {
    return Fail(kPxBadTif);
  }
  auto out = pixwerk::AllocateRgb(static_cast<int>(width), static_cast<int>(height));
  if (!out) return out;
  // libtiff gives colours already multiplied by their alpha: composited on black.
  std::uint8_t* dst = out->pixels.data();
  for (const std::uint32_t p : raster) {
    *dst++ = static_cast<std::uint8_t>(TIFFGetR(p));
    *dst++ = static_cast<std::uint8_t>(TIFFGetG(p));
    *dst++ = static_cast<std::uint8_t>(TIFFGetB(p));
  }
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace

std::optional<RgbImage> PxDecodeTIF(std::span<const std::uint8_t> file) {
  MemoryFile memory{file.data(), file.size(), 0};
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return Fail(kPxOutOfMemory);
  TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, Quiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibraryAllocation);
  TIFF* tif = TIFFClientOpenExt("memory", "rm", &memory, ReadProc, WriteProc, SeekProc,
                                CloseProc, SizeProc, MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  if (!tif) return Fail(kPxBadTif);
  std::optional<RgbImage> out;
  try {
    out = ReadOpened(tif, file.size());
  } catch (...) {
    TIFFClose(tif);
    throw;
  }
  TIFFClose(tif);
  return out;
}

std::optional<RgbImage> PxLoadTIF(const std::filesystem::path& path) {
  auto bytes = pixwerk::ReadImageFile(path);
  if (!bytes) return std::nullopt;
  return PxDecodeTIF(*bytes);
}

}  // namespace lumi
