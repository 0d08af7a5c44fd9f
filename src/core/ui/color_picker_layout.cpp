#include "ui/color_picker_layout.h"

#include <algorithm>

namespace lumi {

Rect PickerFirstSwatch(bool single_colour, int height) {
  return single_colour ? Rect{0, 1, 20, height - 1} : kPickerFirstSwatch;
}

PickerZone PickerZoneAt(Point p, bool single_colour, int height) {
  if (PickerFirstSwatch(single_colour, height).Contains(p)) return PickerZone::kFirstSwatch;
  if (!single_colour && kPickerSecondSwatch.Contains(p)) return PickerZone::kSecondSwatch;
  if (!single_colour && kPickerGeneButton.Contains(p)) return PickerZone::kGeneButton;
  if (p.x >= 23) return PickerZone::kColourField;
  return PickerZone::kNone;
}

Point PickerPickPoint(Point p, int width, int height) {
  return {std::clamp(p.x, 23, std::max(23, width - 2)), std::clamp(p.y, 1, std::max(1, height - 2))};
}

int GeneButtonPicture(int gene_picture_index) {
  if (gene_picture_index == 2) return 2;
  return gene_picture_index == 1 ? 1 : 0;
}

}  // namespace lumi
