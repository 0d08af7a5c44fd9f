#include "library/texture_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "image/image_loader.h"
#include "library/texture_bank.h"

namespace lumi {

namespace fs = std::filesystem;

namespace {
constexpr int kThumbnailWidth = 79;
constexpr int kThumbnailHeight = 32;

bool ListedEnding(const std::string& name) {
  std::string ending = name.size() >= 4 ? name.substr(name.size() - 4) : name;
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kEndings[] = {".jpg", ".bmp", ".png", ".gif", ".tga", ".tif", ".pcx"};
  return std::any_of(std::begin(kEndings), std::end(kEndings), [&](const char* e) { return ending == e; });
}
}  // namespace

const std::vector<std::string>& ReservedTextureNames(TextureListKind kind) {
  static const std::vector<std::string> fill = {"No Texture.bmp", "Linear Gradient.tmb", "Radial Gradient.tmb"};
  static const std::vector<std::string> transparency = {"Flat.tmb", "Linear.tmb", "Radial.tmb"};
  return kind == TextureListKind::kFill ? fill : transparency;
}

std::vector<std::string> TextureListItems(TextureListKind kind, const std::string& folder) {
  const std::vector<std::string>& reserved = ReservedTextureNames(kind);
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_directory(type_ec)) continue;
    const std::string name = it->path().filename().string();
    if (name.empty() || name == "." || name == "..") continue;
    if (!ListedEnding(name)) continue;
    if (std::find(reserved.begin(), reserved.end(), name) != reserved.end()) continue;
    files.push_back(name);
  }
  std::sort(files.begin(), files.end());  // std::string compares bytes as unsigned char
  std::vector<std::string> items = reserved;
  items.insert(items.end(), files.begin(), files.end());
  return items;
}

std::string TextureCaption(std::string_view item) {
  const std::size_t dot = item.rfind('.');
  std::string caption(dot == std::string_view::npos ? item : item.substr(0, dot));
  if (!caption.empty() && caption.front() == '_') caption.erase(0, 1);
  return caption;
}

std::string ThumbnailPath(const std::string& texture_path) {
  return texture_path.substr(0, texture_path.size() - std::min<std::size_t>(3, texture_path.size())) + "tmb";
}

bool WriteThumbnail(const std::string& thumbnail_path, const RgbImage& picture) {
  const int w = std::min(picture.width, kThumbnailWidth);
  const int h = std::min(picture.height, kThumbnailHeight);
  std::optional<RgbImage> corner = PxCropRGB(picture.pixels.data(), picture.width, picture.height, 0, 0, w, h);
  if (!corner) return false;
  return PxSaveBMP(thumbnail_path, corner->pixels.data(), corner->width, corner->height);
}

std::optional<RgbImage> TextureListPicture(const std::string& folder, const std::string& item,
                                           const CTextureBank& bank) {
  if (item.empty() || item == "No Texture" || item == "None") return std::nullopt;
  const std::string path = folder + item;
  const std::string thumbnail = ThumbnailPath(path);
  std::error_code ec;
  if (fs::exists(thumbnail, ec)) {
    if (std::optional<RgbImage> picture = PxLoadBMP(thumbnail)) return picture;
  } else if (std::optional<RgbImage> picture = LoadImageFile(path)) {
    WriteThumbnail(thumbnail, *picture);  // a thumbnail that cannot be written is skipped
    return picture;
  }
  if (TextureView entry = bank.Find(item)) {
    RgbImage picture;
    picture.width = entry.width;
    picture.height = entry.height;
    picture.pixels.assign(entry.pixels, entry.pixels + static_cast<std::size_t>(entry.width) * entry.height * 3);
    return picture;
  }
  return std::nullopt;
}

}  // namespace lumi
