#pragma once
// What the colour bar and the transparency bar list as textures, and the picture and
// caption of each item: the window draws them, this decides them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/pixwerk.h"

namespace lumi {

class CTextureBank;

enum class TextureListKind {
  kFill,          // the colour bar, listing the Textures folder
  kTransparency,  // the transparency bar, listing the Transp folder
};

// The reserved entries of a bar, in list order.
const std::vector<std::string>& ReservedTextureNames(TextureListKind kind);

// The reserved entries, then the folder's files ending (any case) in .jpg, .bmp, .png,
// .gif, .tga, .tif or .pcx, reserved names left out, sorted by byte value. A missing or
// unreadable folder lists the reserved entries only.
std::vector<std::string> TextureListItems(TextureListKind kind, const std::string& folder);

// The item text up to its last "." with a leading "_" dropped: "_wood.jpg" is "wood".
std::string TextureCaption(std::string_view item);

// The thumbnail beside a texture file: its path with the last three characters made
// "tmb" (marble.jpg gives marble.tmb).
std::string ThumbnailPath(const std::string& texture_path);

// The picture of one list item: the thumbnail when it exists, otherwise the texture file
// itself (its thumbnail, the top-left 79 x 32 pixels at most, is then written once; a
// failed write is skipped), otherwise the bank entry of that name (project textures).
// "No Texture", "None" and "" have no picture; nothing is returned when none is found.
std::optional<RgbImage> TextureListPicture(const std::string& folder, const std::string& item,
                                           const CTextureBank& bank);

// Writes the thumbnail of a texture picture: a 24-bit BMP of its top-left
// min(width, 79) x min(height, 32) pixels. Returns whether it was written.
bool WriteThumbnail(const std::string& thumbnail_path, const RgbImage& picture);

}  // namespace lumi
