#include "library/texture_lookup.h"

#include "base/host.h"

namespace lumi {

std::string FinalPathPart(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string MissingTextureMessage(MissingTextureText which, const std::string& name) {
  switch (which) {
    case MissingTextureText::kFill:
      return "This file uses missing texture: " + name +
             "\nThe texture was not saved to the project file\nand it is also missing in the "
             "subfirectory Textures.";
    case MissingTextureText::kCutTransparency:
      return "This file uses missing transparency texture: " + name +
             "\nThe texture was not saved to the project file\nand it is also missing in the "
             "subfirectory Transp.";
    case MissingTextureText::kPaintTransparency:
      return "This file uses missing transparent texture: " + name +
             "\nThe texture was not saved to the project file\nand it is also missing in the "
             "subfirectory Transp.";
  }
  return {};
}

TextureView FindOrLoadTexture(CTextureBank& bank, const std::string& folder, std::string& name,
                              MissingTextureText which, Host& host) {
  if (TextureView found = bank.Find(name)) return found;
  const std::string path = folder + name;
  if (TextureView loaded = bank.Load(path, host)) return loaded;
  // The fill and the cut name the file as tried; the painted transparency its full name.
  const std::string shown = which == MissingTextureText::kPaintTransparency ? name : FinalPathPart(path);
  host.Message(MissingTextureMessage(which, shown));
  name.clear();
  return {};
}

}  // namespace lumi
