#include "full_chroma_jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace lumi::content {
namespace {

[[noreturn]] void Fail(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  throw std::runtime_error(text);
}

}  // namespace

void WriteFullChromaJpeg(const std::filesystem::path& path, const RgbImage& image, int quality,
                         bool grey) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = Fail;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width) * 3);
  try {
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    for (int c = 0; c < info.num_components; ++c) {
      info.comp_info[c].h_samp_factor = 1;
      info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
      const std::uint8_t* source = &image.pixels[static_cast<std::size_t>(info.next_scanline) * image.width * 3];
      for (int x = 0; x < image.width; ++x) {
        if (grey) row[x] = source[x * 3 + 1];
        else for (int c = 0; c < 3; ++c) row[x * 3 + c] = source[x * 3 + c];
      }
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
  } catch (...) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool ok = file && std::fwrite(buffer, 1, size, file) == size;
  if (file && std::fclose(file) != 0) throw std::runtime_error("cannot write " + path.string());
  std::free(buffer);
  if (!ok) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace lumi::content
