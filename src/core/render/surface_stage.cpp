#include "render/surface_stage.h"

#include "base/folders.h"
#include "base/work_turn.h"
#include "library/texture_lookup.h"
#include "render/gradients.h"
#include "render/render_context.h"

namespace lumi {

namespace {

// The bank lookup with the context's rules: no bank finds nothing, a bank without
// folders only what it holds; neither case tells the user or clears the name.
TextureView ResolveTexture(const RenderContext* context, bool transparency, std::string& name,
                           MissingTextureText which, Host& host) {
  if (!context || !context->bank) return {};
  // The bank is filled in the order objects ask: one rendered beside others waits its turn.
  RequireOwnTurn();
  if (!context->folders) return context->bank->Find(name);
  const std::string& folder = transparency ? context->folders->transparencies : context->folders->textures;
  return FindOrLoadTexture(*context->bank, folder, name, which, host);
}

}  // namespace

bool ApplySurfaceStage(CDIBSection& image, std::uint8_t* mask, const SurfaceSettings& s,
                       std::string& texture_name, const RenderContext* context, Host& host) {
  if (texture_name.empty() || texture_name == "No Texture.bmp") return false;
  if (texture_name == "Linear Gradient.tmb") {
    LinearGradient(image, s.gradient_angle, s.mapping.strength, s.mapping.colour2);
    return false;
  }
  if (texture_name == "Radial Gradient.tmb") {
    RadialGradient(image, s.mapping.strength, s.mapping.colour2);
    return false;
  }
  const TextureView texture = ResolveTexture(context, false, texture_name, MissingTextureText::kFill, host);
  if (!texture) return false;
  // A found texture counts for the relief even at strength 0, which maps nothing.
  if (s.mapping.strength > 0) MapTexture(image, mask, texture, s.mapping);
  if (s.relief) TextureRelief(image, s.relief_depth);
  return true;
}

void ApplyAlphaStage(CDIBSection& image, std::uint8_t* mask, int amount, int angle, bool cut,
                     std::string& transparency_name, const RenderContext* context, Host& host) {
  if (amount < 1) {
    image.SetAlphaFromMask(mask);
    return;
  }
  TransparencySettings t{PatternOfName(transparency_name), amount, angle};
  TextureView texture;
  if (t.pattern == TransparencyPattern::kImage) {
    texture = ResolveTexture(context, true, transparency_name,
                             cut ? MissingTextureText::kCutTransparency : MissingTextureText::kPaintTransparency,
                             host);
    // Without its image the object is rendered as the next render will see it: flat.
    if (!texture) t.pattern = TransparencyPattern::kFlat;
  }
  if (cut) {
    CutTransparency(image, mask, t, texture);
  } else {
    PaintTransparency(image, t, texture);
    image.SetAlphaFromMask(mask);
  }
}

}  // namespace lumi
