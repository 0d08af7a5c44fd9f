#pragma once
// The "Color & Texture" bar: fill colours, the texture list (no texture, the two
// gradients, then texture files), texture strength, the gradient angle, the texture
// options "Screen", "Transparent", "F-B", "3D" with the relief depth, and the colour
// gene. Every apply also keeps its values as the defaults for new objects.
#include <array>

#include "collections/style_library.h"
#include "ui/property_bar.h"
#include "ui/texture_selection.h"

namespace lumi {

// A colour gene: its kind (0 none) and three packed words.
struct BarGene {
  int kind = 0;
  std::array<int, 3> words{2334, 243, 243};
  friend bool operator==(const BarGene&, const BarGene&) = default;
};

class ColourBar final : public PropertyBar {
 public:
  static constexpr std::string_view kTitle = "Color & Texture";
  // Selections 0, 1 and 2 are "No Texture.bmp", "Linear Gradient.tmb", "Radial Gradient.tmb".
  static constexpr int kLinearGradient = 1;
  static constexpr int kRadialGradient = 2;

  // `defaults` receives the bar's values at every apply (null: nowhere).
  explicit ColourBar(NewObjectDefaultSets* defaults = nullptr) : defaults_(defaults) {}
  std::string_view Title() const override { return kTitle; }
  void SetControl(std::string_view name, const nlohmann::json& value) override;

  // ---- control states
  COLORREF first = RGB(255, 0, 0);
  COLORREF second = RGB(0, 0, 255);
  TextureSelection textures;
  int strength = 200;    // 0..255
  int angle = 0;         // dial, 0..360
  int screen = 0;
  int transparent = 0;
  int two_colour = 0;    // "F-B"
  int relief = 0;        // "3D"
  int relief_depth = 40; // 0..200
  BarGene gene;

  // ---- what is shown and enabled
  bool StrengthEnabled() const { return textures.selection != 0; }
  bool AngleShown() const { return textures.selection == kLinearGradient; }
  // "Screen", "Transparent", "F-B", "3D" and the relief slider.
  bool TextureOptionsShown() const { return textures.selection > kRadialGradient; }
  bool TwoColourEnabled() const { return screen != 0; }
  bool ReliefDepthEnabled() const { return relief != 0; }
  // The second colour belongs to the gradients and to a screened texture.
  bool UsesSecondColour() const {
    return textures.selection == kLinearGradient || textures.selection == kRadialGradient || screen != 0;
  }
  // The gene button's picture: 2 bitmap tweak (bitmap objects), 1 gene active, 0 none.
  int GenePicture() const;

 protected:
  void Refresh(const CDrawObject& object) override;
  void Write(CDrawObject& object) override;
  void AfterApply() override;

 private:
  NewObjectDefaultSets* defaults_;
};

}  // namespace lumi
