#pragma once
// Helpers shared by the library's readers and writers (not part of the public API).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "image/pixwerk.h"

namespace lumi::pixwerk {

// Largest image file any reader accepts; anything bigger is refused before reading.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

// Reads a whole file for a reader. Sets result 2 when it cannot be opened, 3 when it
// cannot be read, 1 when it is beyond kMaxFileBytes or memory runs out.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path);

// True when a width x height picture lies within the program's bitmap limits.
bool SizeWithinLimits(std::int64_t width, std::int64_t height);

// A zeroed RGB picture of width x height, or nothing (result 1) when memory runs out.
// The size must already have been checked.
std::optional<RgbImage> AllocateRgb(int width, int height);

// Writes `bytes` to `path` through a temporary file beside it. Sets result 2 when the
// file cannot be created and 4 when it cannot be written or renamed.
bool WriteImageFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Checks the common writer parameters: a buffer, sizes within the bitmap limits.
bool WriterSizeOk(const std::uint8_t* buffer, int width, int height);

}  // namespace lumi::pixwerk
