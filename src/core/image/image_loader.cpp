#include "image/image_loader.h"

#include <cctype>

#include "image/gif_read.h"

namespace lumi {

std::optional<RgbImage> LoadImageFile(const std::filesystem::path& path,
                                      std::string* failure_text) {
  const std::string name = path.string();
  std::string ending = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
  for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  std::optional<RgbImage> image;
  std::string gif_text;
  bool gif = false;
  if (ending == ".JPG") {
    image = PxLoadJPG(path);
  } else if (ending == ".PNG") {
    image = PxLoadPNG(path);
  } else if (ending == ".BMP") {
    image = PxLoadBMP(path);
  } else if (ending == ".PCX") {
    image = PxLoadPCX(path);
  } else if (ending == ".TIF") {
    image = PxLoadTIF(path);
  } else if (ending == ".GIF") {
    gif = true;
    image = GIFRead(path, gif_text);
  }
  if (!image && failure_text) *failure_text = gif ? gif_text : kImageLoadError;
  return image;
}

}  // namespace lumi
