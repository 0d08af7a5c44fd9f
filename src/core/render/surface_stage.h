#pragma once
// The object's surface and transparency stages of the render pipeline: the fill texture
// or gradient named by the object (with the relief), and the alpha with the cut or
// painted transparency. Names of missing textures are cleared through the references.
#include <cstdint>
#include <string>

#include "image/dib_section.h"
#include "render/texture_mapping.h"
#include "render/transparency.h"

namespace lumi {

class Host;
struct RenderContext;

struct SurfaceSettings {
  TextureMapping mapping;     // strength, modes, second colour, scales, angles, offsets
  int gradient_angle = 0;
  bool relief = false;
  int relief_depth = 40;
};

// By the texture name: nothing ("No Texture.bmp", ""), a gradient ("Linear
// Gradient.tmb", "Radial Gradient.tmb") or an image texture from the bank, mapped when
// the strength is above 0 and then embossed when the relief is on. A missing image
// shows its message once and clears `texture_name`. Returns whether an image was found.
bool ApplySurfaceStage(CDIBSection& image, std::uint8_t* mask, const SurfaceSettings& s,
                       std::string& texture_name, const RenderContext* context, Host& host);

// Writes the alpha of every pixel: from the mask when `settings.amount` is below 1,
// otherwise through the cut transparency (when `cut`) or after the painted one. The
// pattern comes from `transparency_name`; a missing transparency image shows its
// message once, clears the name and leaves the flat pattern of the cleared name.
void ApplyAlphaStage(CDIBSection& image, std::uint8_t* mask, int amount, int angle, bool cut,
                     std::string& transparency_name, const RenderContext* context, Host& host);

}  // namespace lumi
