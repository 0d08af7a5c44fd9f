#include "ui/layers_list.h"

#include <algorithm>

#include "objects/draw_object.h"

namespace lumi {

std::string LayerLabel(const CDrawObject& object) {
  std::string label = object.GetKindName();
  if (label.empty()) {
    // The last matching kind wins: live text is also a polynome.
    label = "Object";
    if (object.IsBitmap()) label = "Bitmap";
    if (object.IsPolynome()) label = "Polynome";
    if (object.IsText()) label = "Text";
    if (object.IsShape()) label = "Path";
  }
  const bool open = (object.IsShape() && !object.Outline().IsClosed()) ||
                    (object.IsPolynome() && object.Polynome().IsOpen());
  if (open) label += " - Open";
  return label;
}

std::string LayerLineText(const LayerLine& line) {
  return line.label + "|" + (line.hidden ? "1" : "0") + "|" + (line.locked ? "1" : "0") + "|";
}

LayerLine ParseLayerLineText(const std::string& text) {
  LayerLine line;
  std::string rest = text;
  if (!rest.empty() && rest.back() == '|') rest.pop_back();
  auto take_flag = [&rest]() {
    const auto bar = rest.rfind('|');
    const std::string field = bar == std::string::npos ? rest : rest.substr(bar + 1);
    rest = bar == std::string::npos ? std::string() : rest.substr(0, bar);
    return field == "1";
  };
  line.locked = take_flag();
  line.hidden = take_flag();
  line.label = rest;
  return line;
}

LayerColumn LayerColumnAt(int x) {
  if (x < kLayerIconWidth) return LayerColumn::Hidden;
  if (x <= 2 * kLayerIconWidth - 1) return LayerColumn::Lock;
  return LayerColumn::Label;
}

LayerLineColours LayerColours(bool selected, bool hidden, bool locked) {
  // Locked is applied after hidden, so a hidden and locked line shows as locked.
  if (selected) {
    COLORREF background = RGB(0, 0, 255);
    if (hidden) background = RGB(128, 128, 128);
    if (locked) background = RGB(192, 0, 0);
    return {background, RGB(255, 255, 225)};
  }
  COLORREF background = RGB(255, 255, 255);
  if (hidden) background = RGB(192, 192, 192);
  if (locked) background = RGB(255, 192, 192);
  return {background, hidden ? RGB(128, 128, 128) : RGB(0, 0, 0)};
}

bool HoldsObject(const ObjectList& objects, const CDrawObject* object) {
  return object && std::any_of(objects.begin(), objects.end(),
                               [object](const auto& held) { return held.get() == object; });
}

void LayersList::Rebuild(const ObjectList& objects) {
  const CDrawObject* selected_object =
      selected_ && *selected_ < static_cast<int>(lines_.size()) ? lines_[*selected_].object : nullptr;
  lines_.clear();
  lines_.reserve(objects.size());
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    const CDrawObject& object = **it;
    lines_.push_back({&object, LayerLabel(object), object.GetHidden() != 0, object.GetGrouped() != 0});
  }
  selected_.reset();
  if (selected_object) {
    for (int row = 0; row < static_cast<int>(lines_.size()); ++row)
      if (lines_[row].object == selected_object) selected_ = row;
  }
}

void LayersList::SelectCurrent() {
  selected_.reset();
  if (!current_) return;
  for (int row = 0; row < static_cast<int>(lines_.size()); ++row)
    if (lines_[row].object == current_) selected_ = row;
}

void LayersList::SetObject(const CDrawObject* object) {
  current_ = object;
  if (visible_) SelectCurrent();
}

void LayersList::SetVisible(bool visible) {
  visible_ = visible;
  SelectCurrent();
}

const CDrawObject* LayersList::Press(int row, int x, const ObjectList& objects) {
  if (row < 0 || row >= static_cast<int>(lines_.size())) return nullptr;
  selected_ = row;
  LayerLine& line = lines_[row];
  current_ = line.object;
  const LayerColumn column = LayerColumnAt(x);
  if (column != LayerColumn::Label && HoldsObject(objects, line.object)) {
    // The list keeps const pointers for drawing; the document owns the object mutably.
    auto it = std::find_if(objects.begin(), objects.end(),
                           [&line](const auto& held) { return held.get() == line.object; });
    CDrawObject& object = **it;
    if (column == LayerColumn::Hidden) {
      object.SetHidden(object.GetHidden() ? 0 : 1);
      line.hidden = object.GetHidden() != 0;
    } else {
      object.SetGrouped(object.GetGrouped() ? 0 : 1);
      line.locked = object.GetGrouped() != 0;
    }
  }
  return line.object;
}

bool LayersList::Relabel(int row, const std::string& label, bool hidden, bool locked,
                         const ObjectList& objects) {
  if (row < 0 || row >= static_cast<int>(lines_.size())) return false;
  const CDrawObject* target = lines_[row].object;
  auto it = std::find_if(objects.begin(), objects.end(),
                         [target](const auto& held) { return held.get() == target; });
  if (it == objects.end()) return false;
  (*it)->SetKindName(label);
  (*it)->SetHidden(hidden ? 1 : 0);
  (*it)->SetGrouped(locked ? 1 : 0);
  selected_ = row;
  Rebuild(objects);
  current_ = target;
  SelectCurrent();
  return true;
}

}  // namespace lumi
