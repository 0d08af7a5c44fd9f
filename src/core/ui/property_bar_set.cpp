#include "ui/property_bar_set.h"

#include "edit/edit_script.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "library/texture_list.h"
#include "objects/draw_object.h"

namespace lumi {

NodePanelLook NodePanelFor(const ToolMachine* view) {
  NodePanelLook look;
  if (!view) return look;
  const int n = view->NodeIndex();
  const CDrawObject* o = view->Selected();
  look.remove_point = n >= 0;
  look.smooth_sharp = n >= 0 && (n % 3 == 0 || (o && o->IsPolynome()));
  look.line_width = o ? o->GetLineWidth() : view->DefaultLineWidth();
  return look;
}

PropertyBarSet::PropertyBarSet(NewObjectDefaultSets* defaults) : colour(defaults), bevel(defaults) {
  FillTextureLists("", "");
  multimedia.SetRefreshBars([this] { SetObject(multimedia.Object()); });
}

void PropertyBarSet::FillTextureLists(const std::string& textures_folder, const std::string& transparency_folder) {
  colour.textures.items = TextureListItems(TextureListKind::kFill, textures_folder);
  transparency.textures.items = TextureListItems(TextureListKind::kTransparency, transparency_folder);
}

void PropertyBarSet::SetView(ToolMachine* view) {
  view_ = view;
  for (PropertyBar* bar : std::initializer_list<PropertyBar*>{&colour, &transparency, &bevel, &effect, &multimedia})
    bar->SetView(view);
}

void PropertyBarSet::SetObject(CDrawObject* object) {
  for (PropertyBar* bar : std::initializer_list<PropertyBar*>{&colour, &transparency, &bevel, &effect, &multimedia})
    bar->SetObject(object);
}

void PropertyBarSet::SetControl(std::string_view bar, std::string_view control, const nlohmann::json& value) {
  if (bar == kQuickToolsTitle) return SetQuickToolsControl(control, value);
  for (PropertyBar* b : std::initializer_list<PropertyBar*>{&colour, &transparency, &bevel, &effect, &multimedia}) {
    if (b->Title() == bar) return b->SetControl(control, value);
  }
  throw EditScriptError("no bar \"" + std::string(bar) + "\"");
}

void PropertyBarSet::SetQuickToolsControl(std::string_view name, const nlohmann::json& v) {
  if (name == "first" || name == "second") {
    if (!quick_) FailControl(name, "this run has no Quick Tools values");
    (name == "first" ? quick_->first_value : quick_->second_value) = v.get<int>();
    return;
  }
  if (name == "Intenzity" || (name == "Width" && quick_ && !quick_->requests.empty() &&
                              quick_->Last().variant == kQuickBrush)) {
    (name == "Width" ? brush_width : brush_intensity) =
        ScriptPosition(name, v, 1, name == "Width" ? 10 : 128);
    return;
  }
  if (!view_) FailControl(name, "no view");
  const NodePanelLook look = NodePanelFor(view_);
  if (name == "Width") {
    view_->WidthSliderReleased(ScriptPosition(name, v, 1, 40));
  } else if (name == "Remove Point") {
    if (!look.remove_point) FailControl(name, "shown only with a selected point");
    view_->DeletePoint();
  } else if (name == "Smooth Node" || name == "Sharp Node") {
    if (!look.smooth_sharp) FailControl(name, "shown only with a selected anchor");
    view_->SetNodeCusp(name == "Sharp Node");
  } else {
    if (!view_->Selected()) FailControl(name, "needs a selected object");
    if (name == "Break Path") view_->BreakPath();
    if (name == "Close and Fill Path") view_->ClosePath();
  }
}

}  // namespace lumi
