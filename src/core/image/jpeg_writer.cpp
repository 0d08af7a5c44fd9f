// JPEG files through libjpeg: quality with baseline-compatible tables, optional simple
// progression, greyscale from RGB, JFIF density unit 0 at 1 x 1, the thread's DCT method
// and comment markers right after the compressor starts.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "image/jpeg_error.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

// A growable output buffer of plain memory for libjpeg's destination callbacks.
struct OutputBuffer {
  jpeg_destination_mgr pub;
  std::uint8_t* data;
  std::size_t capacity;
};

constexpr std::size_t kOutputChunk = 64 * 1024;

void InitDestination(j_compress_ptr cinfo) {
  auto* out = reinterpret_cast<OutputBuffer*>(cinfo->dest);
  out->pub.next_output_byte = out->data;
  out->pub.free_in_buffer = out->capacity;
}

boolean GrowDestination(j_compress_ptr cinfo) {
  auto* out = reinterpret_cast<OutputBuffer*>(cinfo->dest);
  const std::size_t grown = out->capacity * 2;
  auto* data = static_cast<std::uint8_t*>(std::realloc(out->data, grown));
  if (!data) {
    cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
    cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
  }
  out->data = data;
  // libjpeg asks for more only when the whole buffer is full.
  out->pub.next_output_byte = data + out->capacity;
  out->pub.free_in_buffer = grown - out->capacity;
  out->capacity = grown;
  return TRUE;
}

void TermDestination(j_compress_ptr) {}

struct Job {
  const RgbRowSource* rows;
  std::uint8_t* grey_row;  // one grey byte per pixel of the row in hand, for greyscale
  int width, height, quality, dct_method;
  bool progressive;
  const std::vector<std::string>* comments;
};

// Grey from red, green and blue, as the greyscale export has always made it.
void GreyRow(const std::uint8_t* rgb, int width, std::uint8_t* grey) {
  for (int x = 0; x < width; ++x, rgb += 3)
    grey[x] = static_cast<std::uint8_t>(0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]);
}

enum class Compressed { kDone, kLibraryFailed, kRowsFailed };

struct Encoder {
  jpeg_compress_struct cinfo;
  pixwerk::JpegErrorManager errors;
  OutputBuffer out;
  bool created;
};

// The whole compression. Plain data only (see jpeg_error.h); the row source is called
// between library calls, never inside one.
Compressed Compress(Encoder* e, const Job* job) {
  e->cinfo.err = pixwerk::InstallJpegErrors(e->errors);
  if (setjmp(e->errors.jump)) return Compressed::kLibraryFailed;
  jpeg_create_compress(&e->cinfo);
  e->created = true;
  e->cinfo.dest = &e->out.pub;
  e->out.pub.init_destination = InitDestination;
  e->out.pub.empty_output_buffer = GrowDestination;
  e->out.pub.term_destination = TermDestination;

  e->cinfo.image_width = static_cast<JDIMENSION>(job->width);
  e->cinfo.image_height = static_cast<JDIMENSION>(job->height);
  const bool grey = job->grey_row != nullptr;
  e->cinfo.input_components = grey ? 1 : 3;
  e->cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&e->cinfo);
  jpeg_set_quality(&e->cinfo, job->quality, TRUE);
  if (job->progressive) jpeg_simple_progression(&e->cinfo);
  e->cinfo.density_unit = 0;
  e->cinfo.X_density = 1;
  e->cinfo.Y_density = 1;
  switch (job->dct_method) {
    case 1: e->cinfo.dct_method = JDCT_ISLOW; break;
    case 2: e->cinfo.dct_method = JDCT_IFAST; break;
    case 3: e->cinfo.dct_method = JDCT_FLOAT; break;
    default: break;
  }
  jpeg_start_compress(&e->cinfo, TRUE);
  for (const std::string& text : *job->comments) {
    jpeg_write_marker(&e->cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(text.data()),
                      static_cast<unsigned>(text.size()));
  }
  while (e->cinfo.next_scanline < e->cinfo.image_height) {
    const std::uint8_t* rgb = (*job->rows)(static_cast<int>(e->cinfo.next_scanline));
    if (!rgb) return Compressed::kRowsFailed;
    if (grey) GreyRow(rgb, job->width, job->grey_row);
    JSAMPROW row = const_cast<JSAMPROW>(grey ? job->grey_row : rgb);
    jpeg_write_scanlines(&e->cinfo, &row, 1);
  }
  jpeg_finish_compress(&e->cinfo);
  return Compressed::kDone;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> PxEncodeJPGRows(const RgbRowSource& rows, int width,
                                                        int height, int quality, bool colour,
                                                        bool progressive) {
  if (!rows || !pixwerk::SizeWithinLimits(width, height)) {
    PxSetLastError(kPxBadParam);
    return std::nullopt;
  }
  std::vector<std::uint8_t> grey;
  if (!colour) {
    try {
      grey.resize(static_cast<std::size_t>(width));
    } catch (const std::bad_alloc&) {
      PxSetLastError(kPxOutOfMemory);
      return std::nullopt;
    }
  }
  // Comments longer than a marker can hold make libjpeg fail, as any library error does.
  const Job job{&rows, colour ? nullptr : grey.data(), width, height, quality, PxGetDCTMethod(),
                progressive, &PxJPGTexts()};
  Encoder e{};
  e.out.capacity = kOutputChunk;
  e.out.data = static_cast<std::uint8_t*>(std::malloc(kOutputChunk));
  if (!e.out.data) {
    PxSetLastError(kPxOutOfMemory);
    return std::nullopt;
  }
  const Compressed outcome = Compress(&e, &job);
  const std::size_t size = e.out.capacity - e.out.pub.free_in_buffer;
  if (e.created) jpeg_destroy_compress(&e.cinfo);
  std::optional<std::vector<std::uint8_t>> bytes;
  if (outcome == Compressed::kLibraryFailed) {
    PxSetLastError(kPxBadJpg);
  } else if (outcome == Compressed::kRowsFailed) {
    PxSetLastError(kPxOutOfMemory);
  } else {
    try {
      bytes.emplace(e.out.data, e.out.data + size);
      PxSetLastError(kPxOk);
    } catch (const std::bad_alloc&) {
      PxSetLastError(kPxOutOfMemory);
    }
  }
  std::free(e.out.data);
  return bytes;
}

std::optional<std::vector<std::uint8_t>> PxEncodeJPG(const std::uint8_t* rgb, int width,
                                                    int height, int quality, bool colour,
                                                    bool progressive) {
  if (!pixwerk::WriterSizeOk(rgb, width, height)) return std::nullopt;
  return PxEncodeJPGRows(RowsOfBuffer(rgb, width), width, height, quality, colour, progressive);
}

RgbRowSource RowsOfBuffer(const std::uint8_t* rgb, int width) {
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  return [rgb, row_bytes](int y) { return rgb + static_cast<std::size_t>(y) * row_bytes; };
}

bool PxSaveJPGRows(const std::filesystem::path& path, const RgbRowSource& rows, int width,
                   int height, int quality, bool colour, bool progressive) {
  const auto bytes = PxEncodeJPGRows(rows, width, height, quality, colour, progressive);
  return bytes && pixwerk::WriteImageFile(path, *bytes);
}

bool PxSaveJPG(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height, int quality, bool colour, bool progressive) {
  if (!pixwerk::WriterSizeOk(rgb, width, height)) return false;
  return PxSaveJPGRows(path, RowsOfBuffer(rgb, width), width, height, quality, colour, progressive);
}

}  // namespace lumi
