#include "export/render_canvas_for_export.h"

#include "base/errors.h"
#include "document/plenivor_doc.h"

namespace lumi {

RgbImage RenderCanvasForExport(const CanvasArea& canvas,
                               const std::vector<std::unique_ptr<CDrawObject>>& objects,
                               Host& host) {
  const CDIBSection bitmap = ComposeCanvas(canvas, objects, host);
  std::optional<RgbImage> rgb = PxBitmapToRGB(bitmap);
  if (!rgb) throw BitmapError("Not enough memory");
  return std::move(*rgb);
}

RgbImage RenderCanvasForExport(const CPlenivorDoc& doc) {
  return RenderCanvasForExport(doc.GetCanvasArea(), doc.Objects(), doc.GetHost());
}

}  // namespace lumi
