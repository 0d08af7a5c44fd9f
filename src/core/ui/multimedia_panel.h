#pragma once
// The floating "Multimedia Extesion" panel: which extra button frames (highlighted,
// pushed) the current object has, which frame is being edited, solo mode and "Keep With
// Previous". Switching frames goes through the view: the object's SetStates, a repaint
// of the area before and after, an undo step, and the bars refreshed.
#include <functional>

#include "ui/property_bar.h"

namespace lumi {

class MultimediaPanel final : public PropertyBar {
 public:
  static constexpr std::string_view kTitle = "Multimedia Extesion";
  enum Frame { kNormal = 0, kHighlighted = 1, kPushed = 2 };

  std::string_view Title() const override { return kTitle; }
  void SetControl(std::string_view name, const nlohmann::json& value) override;
  // Called after a frame switch changed the object, so every bar shows its new look.
  void SetRefreshBars(std::function<void()> refresh) { refresh_bars_ = std::move(refresh); }

  int enable = 1;
  int has_highlighted = 0;
  int has_pushed = 0;
  int solo = 0;
  int keep_with_previous = 0;
  int frame = kNormal;  // the frame being edited

  // ---- enabling (everything is disabled without an object)
  bool FrameButtonEnabled(int which) const;
  bool HasChecksEnabled() const { return Object() && solo == 0; }
  bool SoloEnabled() const { return Object() != nullptr; }
  bool KeepEnabled() const { return Object() && (has_highlighted || has_pushed || solo); }

  // ---- user actions
  void PressFrame(int which);
  void CheckHasHighlighted(bool on);
  void CheckHasPushed(bool on);
  void CheckSolo(bool on);
  void CheckKeepWithPrevious(bool on);
  // "Switch All Objects to:": the current object keeps its shown look and switches, then
  // every object shows that frame.
  void SwitchAllObjects(int which);

 protected:
  void Refresh(const CDrawObject& object) override;
  void Write(CDrawObject& object) override;

 private:
  // Switches the current object to `which` with the panel's flags.
  void SwitchObject(int which);

  std::function<void()> refresh_bars_;
};

}  // namespace lumi
