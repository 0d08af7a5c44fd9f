#pragma once
// The Layers panel without a window: one line per object of the document, front-most
// first, each with its label and its hidden and lock states; the colours of a line; the
// icon column a press hits; the selection that follows the view's current object only
// while the panel is shown.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "objects/draw_object.h"

namespace lumi {


// The label shown for an object: its kind name, or a name from its kind when it has
// none, followed by " - Open" when its outline is open.
std::string LayerLabel(const CDrawObject& object);

struct LayerLine {
  const CDrawObject* object = nullptr;
  std::string label;
  bool hidden = false;
  bool locked = false;
};

// The line's stored text "label|H|L|" (H, L are "1" or "0"), and back. A label holding
// "|" cannot be told apart, so parsing takes the last two fields as the flags.
std::string LayerLineText(const LayerLine& line);
LayerLine ParseLayerLineText(const std::string& text);

// Which state icon a press at `x` pixels from the line's left edge hits: each icon is
// 13 pixels wide.
enum class LayerColumn { Label = 0, Hidden = 1, Lock = 2 };
LayerColumn LayerColumnAt(int x);
constexpr int kLayerIconWidth = 13;

struct LayerLineColours {
  COLORREF background;
  COLORREF text;
};
LayerLineColours LayerColours(bool selected, bool hidden, bool locked);

using ObjectList = std::vector<std::unique_ptr<CDrawObject>>;

// The panel's list and selection.
class LayersList {
 public:
  // Lines for every object, the front-most (last in the list) first. Keeps the selection
  // on the current object when it is still there.
  void Rebuild(const ObjectList& objects);

  const std::vector<LayerLine>& Lines() const { return lines_; }
  std::optional<int> Selected() const { return selected_; }
  const CDrawObject* Current() const { return current_; }
  bool Visible() const { return visible_; }

  // Remembers the view's current object; while the panel is shown its line is selected
  // (or nothing, when it has none).
  void SetObject(const CDrawObject* object);
  // The panel was shown or hidden: the selection catches up with the current object.
  void SetVisible(bool visible);

  // A press on line `row` at `x` pixels: the line is selected and its object becomes the
  // current one (returned, for the view). A press on an icon column toggles that state
  // of the object when `objects` still holds it, and the line shows the new state.
  const CDrawObject* Press(int row, int x, const ObjectList& objects);

  // Writes an edited label and states back into the object of line `row` when `objects`
  // still holds it, then rebuilds. False when the object is gone.
  bool Relabel(int row, const std::string& label, bool hidden, bool locked, const ObjectList& objects);

 private:
  void SelectCurrent();

  std::vector<LayerLine> lines_;
  std::optional<int> selected_;
  const CDrawObject* current_ = nullptr;
  bool visible_ = false;
};

// Whether `objects` holds `object`.
bool HoldsObject(const ObjectList& objects, const CDrawObject* object);

}  // namespace lumi
