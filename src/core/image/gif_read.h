#pragma once
// The program's own GIF reader: the first image of a GIF 87a or 89a file, as RGB.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "image/pixwerk.h"

namespace lumi {

// Reads the first image of the file. On failure returns nothing and `message` holds the
// text to show; on success `message` may hold a note about the file (non-square pixels)
// or is empty.
std::optional<RgbImage> GIFRead(const std::filesystem::path& path, std::string& message);
// The same from the file's bytes; `name` stands for the path in the texts.
std::optional<RgbImage> GIFDecode(std::span<const std::uint8_t> file, const std::string& name,
                                  std::string& message);

}  // namespace lumi
