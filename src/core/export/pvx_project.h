#pragma once
// The project file of the Pavonix authoring tool (.pvx) holding the canvas as buttons:
// one page with the background bitmap, a three-state bitmap button per exported framed
// object (a movable bitmap with its alpha mask for a Solo-mode object), and the empty
// master page and master layer the tool expects. A plain archive stream without any
// header of its own; the constant fields are the values the tool writes itself.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "export/multi_state_compose.h"

namespace lumi {

class CArchive;

// Item kinds of the authoring tool.
inline constexpr int kPvxBitmapItem = 3;
inline constexpr int kPvxButtonItem = 5;

struct PvxItem {
  int kind = kPvxBitmapItem;
  Rect rect;          // canvas pixels
  std::string name;   // "Background", "Button%d" or "Bitmap%d"
  // Normal, second and third image; null where the item has none.
  std::array<const RgbImage*, 3> images{};
};

// The item count of "Page 1": the background and one item per exported framed object,
// or only the latter when every object of the list is an exported framed object.
int PvxPageItemCount(const ObjectList& objects);

// The whole project: composes the background and each button's states as it writes them.
// Throws BitmapError when an image cannot be made and what the archive's sink throws.
void WritePvxProject(CArchive& ar, const CanvasArea& canvas, ObjectList& objects,
                     Host& host);
// A page named `name` in the canvas colour; `write_items` writes its `item_count` items.
void WritePvxPage(CArchive& ar, std::string_view name, COLORREF canvas_colour, int item_count,
                  const std::function<void(CArchive&)>& write_items);
void WritePvxItem(CArchive& ar, const PvxItem& item);
void WritePvxImages(CArchive& ar, const std::array<const RgbImage*, 3>& images);

}  // namespace lumi
