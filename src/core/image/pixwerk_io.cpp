#include "image/pixwerk_io.h"

#include <cstdio>
#include <new>

#include "base/byte_stream.h"
#include "base/errors.h"
#include "image/dib_section.h"

namespace lumi::pixwerk {

std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    PxSetLastError(kPxFileOpen);
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> result;
  int code = kPxOk;
  if (std::fseek(f, 0, SEEK_END) != 0) {
    code = kPxFileRead;
  } else {
    const long size = std::ftell(f);
    if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
      code = kPxFileRead;
    } else if (static_cast<std::uint64_t>(size) > kMaxFileBytes) {
      code = kPxOutOfMemory;
    } else {
      try {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
          code = kPxFileRead;
        } else {
          result = std::move(bytes);
        }
      } catch (const std::bad_alloc&) {
        code = kPxOutOfMemory;
      }
    }
  }
  std::fclose(f);
  PxSetLastError(code);
  if (code != kPxOk) result.reset();
  return result;
}

bool SizeWithinLimits(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= CDIBSection::kMaxSide &&
         height <= CDIBSection::kMaxSide && width * height <= CDIBSection::kMaxPixels;
}

std::optional<RgbImage> AllocateRgb(int width, int height) {
  try {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    return image;
  } catch (const std::bad_alloc&) {
    PxSetLastError(kPxOutOfMemory);
    return std::nullopt;
  }
}

bool WriteImageFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::optional<FileSink> sink;
  try {
    sink.emplace(path);
  } catch (const FileError&) {
    PxSetLastError(kPxFileOpen);
    return false;
  }
  try {
    sink->Write(bytes.data(), bytes.size());
    sink->Commit();
  } catch (const FileError&) {
    PxSetLastError(kPxFileWrite);
    return false;
  }
  PxSetLastError(kPxOk);
  return true;
}

bool WriterSizeOk(const std::uint8_t* buffer, int width, int height) {
  if (!buffer || !SizeWithinLimits(width, height)) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  return true;
}

}  // namespace lumi::pixwerk
