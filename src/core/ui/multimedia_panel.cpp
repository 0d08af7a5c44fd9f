#include "ui/multimedia_panel.h"

#include "document/plenivor_doc.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"

namespace lumi {

bool MultimediaPanel::FrameButtonEnabled(int which) const {
  if (!Object()) return false;
  if (which == kHighlighted) return has_highlighted && !solo;
  if (which == kPushed) return has_pushed && !solo;
  return true;
}

void MultimediaPanel::Refresh(const CDrawObject& o) {
  has_highlighted = o.GetHasHighlighted();
  has_pushed = o.GetHasPushed();
  solo = o.GetStatesSuppressed();
  keep_with_previous = ReadAttribute(o, "excludeFromButtons");
  frame = o.GetCurrentState();
}

void MultimediaPanel::Write(CDrawObject& o) {
  o.SetStates(frame, has_highlighted != 0, has_pushed != 0, solo != 0);
}

void MultimediaPanel::SwitchObject(int which) {
  frame = which;
  // Apply: SetStates through Write, render, undo step, repaint before and after.
  Apply();
  if (Object() && refresh_bars_) refresh_bars_();
}

void MultimediaPanel::PressFrame(int which) {
  if (!FrameButtonEnabled(which)) return;
  SwitchObject(which);
}

void MultimediaPanel::CheckHasHighlighted(bool on) {
  if (!HasChecksEnabled()) return;
  has_highlighted = on ? 1 : 0;
  SwitchObject(on ? kHighlighted : kNormal);
}

void MultimediaPanel::CheckHasPushed(bool on) {
  if (!HasChecksEnabled()) return;
  has_pushed = on ? 1 : 0;
  SwitchObject(on ? kPushed : kNormal);
}

void MultimediaPanel::CheckSolo(bool on) {
  if (!SoloEnabled()) return;
  solo = on ? 1 : 0;
  has_highlighted = solo;
  has_pushed = solo;
  SwitchObject(kNormal);
}

void MultimediaPanel::CheckKeepWithPrevious(bool on) {
  if (!KeepEnabled()) return;
  keep_with_previous = on ? 1 : 0;
  if (CDrawObject* o = LiveObject()) {
    WriteAttribute(*o, "excludeFromButtons", keep_with_previous);
    if (View()) {
      View()->Doc().SetModified();
      View()->Doc().TakeSnapshot();
    }
  }
}

void MultimediaPanel::SwitchAllObjects(int which) {
  if (CDrawObject* o = LiveObject()) {
    o->StoreShownState();
    SwitchObject(which);
  }
  if (!View()) return;
  for (auto& object : View()->Doc().Objects()) object->ShowState(which);
  View()->Port().InvalidateAll();
  if (Object() && refresh_bars_) refresh_bars_();
}

void MultimediaPanel::SetControl(std::string_view name, const nlohmann::json& v) {
  const bool on = v.get<bool>();
  const auto require = [&](bool enabled) {
    if (!enabled) FailControl(name, "disabled now");
  };
  if (name == "Has Highlighted Frame") {
    require(HasChecksEnabled());
    CheckHasHighlighted(on);
  } else if (name == "Has Pushed Frame") {
    require(HasChecksEnabled());
    CheckHasPushed(on);
  } else if (name == "Solo mode (Export Normal Frame Only)") {
    require(SoloEnabled());
    CheckSolo(on);
  } else if (name == "Keep With Previous (Do Not Export)") {
    require(KeepEnabled());
    CheckKeepWithPrevious(on);
  } else {
    // "Normal", "Highlighted", "Pushed" of "Switch All Objects to:".
    const int which = name == "Normal" ? kNormal : name == "Highlighted" ? kHighlighted : kPushed;
    require(Object() != nullptr);
    SwitchAllObjects(which);
  }
}

}  // namespace lumi
