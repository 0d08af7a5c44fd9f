#include "export/save_flat_image.h"

#include <random>
#include <string>
#include <system_error>

#include "base/host.h"
#include "image/pixwerk.h"

namespace lumi {

bool SaveFlatImage(const std::filesystem::path& path, FlatImageFormat format,
                   const CanvasSpec& canvas,
                   const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host) {
  WaitCursor wait(host);
  const CDIBSection bitmap = ComposeCanvas(canvas, objects, host);
  const std::vector<std::uint8_t> rgb = BitmapToRgb(bitmap);
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  // Written beside the target and renamed over it, so a failed write leaves the
  // previous file as it was.
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(std::random_device{}() % 1000000);
  bool written = false;
  switch (format) {
    case FlatImageFormat::Jpg:
      PxSetDCTMethod(3);
      written = PxSaveJPG(temp, rgb.data(), width, height, 95, true, false);
      break;
    case FlatImageFormat::Png:
      written = PxSavePNG(temp, rgb.data(), width, height);
      break;
    case FlatImageFormat::Bmp:
      written = PxSaveBMP(temp, rgb.data(), width, height);
      break;
  }
  std::error_code ec;
  if (!written) {
    std::filesystem::remove(temp, ec);
    host.Message(ErrorText(PxGetLastError()), MessageKind::Error);
    return false;
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    host.Message("Unable to write to " + path.string() +
                     ", it is read-only or opened by someone else.",
                 MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace lumi
