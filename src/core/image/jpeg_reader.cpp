// JPEG files through libjpeg: three-component pictures as they come, greyscale expanded
// to equal red, green and blue, comment markers collected into the read texts.
#include <string>

#include "image/jpeg_error.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

// A corrupt progressive file can hold endless scans; real files have a handful.
constexpr int kMaxScans = 500;

struct Decoder {
  jpeg_decompress_struct cinfo;
  pixwerk::JpegErrorManager errors;
  jpeg_progress_mgr progress;
};

void LimitScans(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) cinfo->err->error_exit(cinfo);
}

// Reads the header and starts decompression into RGB. Plain data only (see jpeg_error.h).
bool Start(Decoder* d, const std::uint8_t* data, std::size_t size) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&d->cinfo, JPEG_COM, 0xFFFF);
  jpeg_read_header(&d->cinfo, TRUE);
  if (d->cinfo.num_components != 1 && d->cinfo.num_components != 3) return false;
  // libjpeg expands greyscale to RGB with red = green = blue.
  d->cinfo.out_color_space = JCS_RGB;
  d->progress.progress_monitor = LimitScans;
  d->cinfo.progress = &d->progress;
  jpeg_calc_output_dimensions(&d->cinfo);
  return true;
}

bool Decode(Decoder* d, std::uint8_t* out, std::size_t row_bytes) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_start_decompress(&d->cinfo);
  if (d->cinfo.output_components != 3) return false;
  while (d->cinfo.output_scanline < d->cinfo.output_height) {
    JSAMPROW row = out + d->cinfo.output_scanline * row_bytes;
    jpeg_read_scanlines(&d->cinfo, &row, 1);
  }
  return true;
}

bool Finish(Decoder* d) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_finish_decompress(&d->cinfo);
  return true;
}

bool Create(Decoder* d) {
  d->cinfo.err = pixwerk::InstallJpegErrors(d->errors);
  if (setjmp(d->errors.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  return true;
}

std::optional<RgbImage> DecodeWith(Decoder& d, std::span<const std::uint8_t> file) {
  if (file.empty() || !Start(&d, file.data(), file.size())) {
    PxSetLastError(kPxBadJpg);
    return std::nullopt;
  }
  const std::uint64_t width = d.cinfo.output_width, height = d.cinfo.output_height;
  // Every block of the fullest component needs at least one bit of a scan, so a file
  // describes at most 512 pixels per byte; anything claiming more is damaged.
  if (!pixwerk::SizeWithinLimits(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height)) ||
      width * height > file.size() * std::uint64_t{512} + (std::uint64_t{1} << 16)) {
    PxSetLastError(kPxBadJpg);
    return std::nullopt;
  }
  auto out = pixwerk::AllocateRgb(static_cast<int>(width), static_cast<int>(height));
  if (!out) return out;
  if (!Decode(&d, out->pixels.data(), static_cast<std::size_t>(width) * 3)) {
    PxSetLastError(kPxBadJpg);
    return std::nullopt;
  }
  // Saved markers live until the decompressor finishes.
  for (jpeg_saved_marker_ptr m = d.cinfo.marker_list; m; m = m->next) {
    if (m->marker == JPEG_COM) {
      PxAddReadText(std::string(reinterpret_cast<const char*>(m->data), m->data_length));
    }
  }
  if (!Finish(&d)) {
    PxClearReadTexts();
    PxSetLastError(kPxBadJpg);
    return std::nullopt;
  }
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace

std::optional<RgbImage> PxDecodeJPG(std::span<const std::uint8_t> file) {
  PxClearReadTexts();
  Decoder d{};
  if (!Create(&d)) {
    PxSetLastError(kPxOutOfMemory);
    return std::nullopt;
  }
  std::optional<RgbImage> out;
  try {
    out = DecodeWith(d, file);
  } catch (...) {
    jpeg_destroy_decompress(&d.cinfo);
    throw;
  }
  jpeg_destroy_decompress(&d.cinfo);
  return out;
}

std::optional<RgbImage> PxLoadJPG(const std::filesystem::path& path) {
  auto bytes = pixwerk::ReadImageFile(path);
  if (!bytes) return std::nullopt;
  return PxDecodeJPG(*bytes);
}

}  // namespace lumi
