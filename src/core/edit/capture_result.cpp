#include "edit/capture_result.h"

#include <algorithm>

#include "document/plenivor_doc.h"
#include "edit/tool_machine.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {

std::optional<Rect> CaptureArea(Point first, Point second, int screen_width, int screen_height) {
  const Rect area{std::clamp(std::min(first.x, second.x), 0, screen_width),
                  std::clamp(std::min(first.y, second.y), 0, screen_height),
                  std::clamp(std::max(first.x, second.x), 0, screen_width),
                  std::clamp(std::max(first.y, second.y), 0, screen_height)};
  if (area.right - area.left <= 0 || area.bottom - area.top <= 0) return std::nullopt;
  return area;
}

CDrawObject* AddCapturedBitmap(ToolMachine& tools, const RgbImage& picture, Point centre) {
  CPlenivorDoc& doc = tools.Doc();
  std::unique_ptr<CDrawObject> object = doc.MakeObject();
  if (!object->CreateBitmapFromClipboard(picture, centre.x, centre.y)) return nullptr;
  CDrawObject* added = object.get();
  doc.Objects().push_back(std::move(object));
  doc.SetModified();
  doc.TakeSnapshot();
  doc.UpdateAllViews(kHintRepaint);
  tools.SelectObject(added);
  tools.InvalidateObject(*added);
  return added;
}

}  // namespace lumi
