#pragma once
// The "Transparency" bar: the transparency texture list ("Flat.tmb", "Linear.tmb",
// "Radial.tmb", then texture files), the amount, the linear pattern's angle and the
// "Transparent" cut.
#include "ui/property_bar.h"
#include "ui/texture_selection.h"

namespace lumi {

class TransparencyBar final : public PropertyBar {
 public:
  static constexpr std::string_view kTitle = "Transparency";
  static constexpr int kLinear = 1;

  std::string_view Title() const override { return kTitle; }
  void SetControl(std::string_view name, const nlohmann::json& value) override;

  TextureSelection textures;
  int amount = 0;  // 0..255
  int angle = 0;   // dial
  int cut = 0;     // "Transparent"

  bool AngleShown() const { return textures.selection == kLinear; }
  bool CutEnabled() const { return amount > 0; }

 protected:
  void Refresh(const CDrawObject& object) override;
  void Write(CDrawObject& object) override;
};

}  // namespace lumi
