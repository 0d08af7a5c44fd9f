#pragma once
// The fill and transparency textures the program ships, each made from a recipe of
// tileable noise fields, and the small pictures that stand for the built-in entries of
// the texture lists.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "image/pixwerk.h"

namespace lumi::content {

struct TextureRecipe {
  std::string file;  // file name inside its folder
  bool transparency = false;  // kept in Transp (grey) rather than Textures
  int size = 256;
  std::function<RgbImage(int size)> make;
};

// Every shipped texture, fill textures first.
const std::vector<TextureRecipe>& TextureRecipes();

// The list pictures of the built-in names ("No Texture.bmp", the gradients, the flat
// and ramp transparencies): file name, transparency folder or not, and the picture.
struct ReservedPicture {
  std::string file;
  bool transparency = false;
  RgbImage picture;
};
std::vector<ReservedPicture> ReservedPictures();

// Writes everything into `root`/Textures and `root`/Transp (created when missing).
// Returns the paths written; throws std::runtime_error when a file cannot be written.
std::vector<std::filesystem::path> WriteTextures(const std::filesystem::path& root);

// JPG quality of the shipped textures.
inline constexpr int kTextureQuality = 88;

}  // namespace lumi::content
