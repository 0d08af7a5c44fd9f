#pragma once
// The property bars of one window (or one script run) together: the view tells all of
// them its current object, and edit scripts reach every control by bar title and name.
//
//   PropertyBarSet bars(&defaults);
//   bars.FillTextureLists(folders.textures, folders.transparency);
//   bars.SetView(&tools);  bars.SetObject(tools.Selected());
//   bars.SetControl("Bevel", "bevel", "Smooth Bevel");
#include <string>

#include "collections/style_library.h"
#include "edit/bar_steps.h"
#include "ui/bevel_bar.h"
#include "ui/colour_bar.h"
#include "ui/effect_bar.h"
#include "ui/multimedia_panel.h"
#include "ui/transparency_bar.h"

namespace lumi {

class RecordingQuickTools;

inline constexpr std::string_view kQuickToolsTitle = "Quick Tools";

// What the Quick Tools node panel shows for the view's selected node (n): "Remove Point"
// for any node, "Smooth Node" and "Sharp Node" for anchors (n a multiple of 3) or any
// polynome point, and the "Width" slider with the object's line width.
struct NodePanelLook {
  bool remove_point = false;
  bool smooth_sharp = false;
  int line_width = 6;
};
NodePanelLook NodePanelFor(const ToolMachine* view);

class PropertyBarSet final : public BarSteps {
 public:
  // `defaults`: the new-object defaults the colour and bevel bars write (null: none).
  explicit PropertyBarSet(NewObjectDefaultSets* defaults);

  ColourBar colour;
  TransparencyBar transparency;
  BevelBar bevel;
  EffectBar effect;
  MultimediaPanel multimedia;
  // The brush panel's values, which the paint tools use (size 1..10, value 1..128).
  int brush_width = 8;
  int brush_intensity = 128;

  // The texture lists: the reserved entries, then the folders' texture files.
  void FillTextureLists(const std::string& textures_folder, const std::string& transparency_folder);
  void SetView(ToolMachine* view);
  void SetObject(CDrawObject* object);
  // Script runs: the Quick Tools sliders the tools read back.
  void SetQuickTools(RecordingQuickTools* quick_tools) { quick_ = quick_tools; }

  void SetControl(std::string_view bar, std::string_view control, const nlohmann::json& value) override;

 private:
  void SetQuickToolsControl(std::string_view name, const nlohmann::json& value);

  ToolMachine* view_ = nullptr;
  RecordingQuickTools* quick_ = nullptr;
};

}  // namespace lumi
