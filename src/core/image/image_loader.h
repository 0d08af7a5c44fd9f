#pragma once
// Reading a picture file with the reader its name asks for.
#include <filesystem>
#include <optional>
#include <string>

#include "image/pixwerk.h"

namespace lumi {

// The text the import shows when a library reader fails or the name has no known ending.
inline constexpr const char* kImageLoadError = "Image Load Error";

// Picks the reader by the path's last four characters regardless of case: ".JPG",
// ".PNG", ".BMP", ".PCX", ".TIF" or ".GIF"; any other ending reads nothing (so .jpeg
// and .tiff are not read). On failure `failure_text`, when given, receives the message
// to show: the GIF reader's own text, otherwise "Image Load Error".
std::optional<RgbImage> LoadImageFile(const std::filesystem::path& path,
                                      std::string* failure_text = nullptr);

}  // namespace lumi
