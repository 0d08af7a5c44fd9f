#pragma once
// The "Effect" bar: the shadow or glow kind, its softness, opacity, distance, angle and
// colour. Softness and distance sliders run at ten steps per unit. Choosing a kind first
// loads that kind's preset into the controls.
#include <array>

#include "ui/property_bar.h"

namespace lumi {

// The effect list, index = m_effectKind.
inline constexpr std::array<std::string_view, 8> kEffectNames = {
    "No Effect", "Drop Shadow", "Sun Shadow", "Glow", "Halo", "Inset", "Cutout", "Inset + Shadow"};

class EffectBar final : public PropertyBar {
 public:
  static constexpr std::string_view kTitle = "Effect";
  static constexpr int kMaxSoftness = 60, kMaxDistance = 255;
  // The repaint after a change covers the area before and after, grown by this much.
  static constexpr int kRepaintMargin = 5;

  std::string_view Title() const override { return kTitle; }
  void SetControl(std::string_view name, const nlohmann::json& value) override;

  int kind = 0;
  int softness = 20;   // slider 0..60: m_effectSoftness x 10
  int opacity = 200;   // 0..255
  int distance = 30;   // slider 0..255: m_effectDistance x 10
  int angle = 45;      // dial
  COLORREF colour = RGB(0, 0, 0);

  bool ValuesEnabled() const { return kind > 0; }
  // A new selection in the list: its preset into the controls, then apply.
  void ChooseKind(int new_kind);

 protected:
  void Refresh(const CDrawObject& object) override;
  void Write(CDrawObject& object) override;
  Rect RepaintArea(const CDrawObject& object, const Rect& before) const override;
};

}  // namespace lumi
