#include "document/save_flat_image.h"

#include <optional>
#include <stdexcept>

#include "base/host.h"
#include "image/pixwerk.h"

namespace lumi {

bool SaveFlatImage(const std::filesystem::path& path, ImageFormat format,
                   const CanvasArea& canvas,
                   const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host) {
  // A caller's mistake, not the user's: nothing of the canvas is written.
  if (!IsFlatImage(format)) throw std::invalid_argument("SaveFlatImage: not a flat image format");
  WaitCursor wait(host);
  const CDIBSection bitmap = ComposeCanvas(canvas, objects, host);
  // The writers themselves write beside the target and rename, so a failed write leaves
  // the previous file as it was.
  const std::optional<RgbImage> rgb = PxBitmapToRGB(bitmap);
  bool written = false;
  if (rgb) {
    const std::uint8_t* pixels = rgb->pixels.data();
    switch (format) {
      case ImageFormat::kJpg:
        PxSetDCTMethod(3);
        written = PxSaveJPG(path, pixels, rgb->width, rgb->height, 95, true, false);
        break;
      case ImageFormat::kPng:
        written = PxSavePNG(path, pixels, rgb->width, rgb->height);
        break;
      case ImageFormat::kBmp:
        written = PxSaveBMP(path, pixels, rgb->width, rgb->height);
        break;
      case ImageFormat::kProject:
      case ImageFormat::kEditableJpg:
        break;  // refused above
    }
  }
  if (!written) {
    host.Message(ErrorText(PxGetLastError()), MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace lumi
