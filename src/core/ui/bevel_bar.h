#pragma once
// The "Bevel" bar: the bevel kind with its width, intensity and light angle. Every
// apply also keeps the four as the defaults for new objects.
#include <array>

#include "collections/style_library.h"
#include "ui/property_bar.h"

namespace lumi {

// The bevel list, index = m_bevelKind. "Frame " has its trailing space.
inline constexpr std::array<std::string_view, 13> kBevelNames = {
    "No Bevel", "Smooth Bevel", "Flat Bevel",  "Framed Bevel", "Random Noise",   "Saucer", "Frame ",
    "Outline",  "Bump Out",     "Feather",     "Smooth+Warp",  "Smooth Hi-Lite", "3D Ball"};

class BevelBar final : public PropertyBar {
 public:
  static constexpr std::string_view kTitle = "Bevel";
  static constexpr int kMinWidth = 1, kMaxWidth = 30;

  explicit BevelBar(NewObjectDefaultSets* defaults = nullptr) : defaults_(defaults) {}
  std::string_view Title() const override { return kTitle; }
  void SetControl(std::string_view name, const nlohmann::json& value) override;

  int kind = 0;
  int width = 10;      // 1..30
  int intensity = 75;  // 0..100
  int angle = 135;     // dial

  // Width, intensity and angle.
  bool ValuesEnabled() const { return kind > 0; }

 protected:
  void Refresh(const CDrawObject& object) override;
  void Write(CDrawObject& object) override;
  void AfterApply() override;

 private:
  NewObjectDefaultSets* defaults_;
};

}  // namespace lumi
