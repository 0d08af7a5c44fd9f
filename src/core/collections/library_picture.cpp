#include "collections/library_picture.h"

#include <algorithm>
#include <system_error>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"

#include "image/dib_section.h"
#include "image/two_pass_scaler.h"
#include "objects/draw_object.h"

namespace lumi {

Rect LibraryPictureSquare(const std::vector<const CDrawObject*>& objects, int margin) {
  Rect box;
  for (const CDrawObject* object : objects) box = Union(box, object->GetRect());
  box = {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  if (width > height) {
    const int grow = width - height;
    box.top -= grow / 2;
    box.bottom += grow - grow / 2;
  } else if (height > width) {
    const int grow = height - width;
    box.left -= grow / 2;
    box.right += grow - grow / 2;
  }
  const int side = box.right - box.left;
  if (side > kLibraryPictureMaxSource) {
    const int cx = box.left + side / 2;
    const int cy = box.top + side / 2;
    box = {cx - kLibraryPictureMaxSource / 2, cy - kLibraryPictureMaxSource / 2,
           cx + kLibraryPictureMaxSource / 2, cy + kLibraryPictureMaxSource / 2};
  }
  return box;
}

RgbImage MakeLibraryPicture(const std::vector<const CDrawObject*>& objects, int margin) {
  const Rect square = LibraryPictureSquare(objects, margin);
  const int side = std::max(1, square.right - square.left);
  CDIBSection canvas;
  canvas.Create(side, side, 32, true);
  canvas.FillRGBA(0xFFFFFF);
  for (const CDrawObject* object : objects) object->DrawTo(canvas, {square.left, square.top});
  CDIBSection small;
  CTwoPassScaler scaler(ScaleKernel::kBilinear);
  RgbImage picture;
  if (scaler.ScaleBitmap(canvas, small, kLibraryPictureSide, kLibraryPictureSide)) {
    if (auto rgb = PxBitmapToRGB(small)) picture = std::move(*rgb);
  }
  if (picture.pixels.empty()) {
    // Nothing could be drawn: a white cell rather than no picture at all.
    picture.width = picture.height = kLibraryPictureSide;
    picture.pixels.assign(3 * kLibraryPictureSide * kLibraryPictureSide, 255);
  }
  return picture;
}

bool WriteLibraryPicture(const std::filesystem::path& path, const RgbImage& picture) {
  return PxSaveBMP(path, picture.pixels.data(), picture.width, picture.height);
}

bool WriteEntryWithPicture(const std::filesystem::path& entry, const std::filesystem::path& picture_path,
                           const RgbImage& picture, const std::function<void(CArchive&)>& write) {
  namespace fs = std::filesystem;
  fs::path staged = picture_path;
  staged += ".new";
  if (!WriteLibraryPicture(staged, picture)) return false;
  std::error_code ec;
  try {
    FileSink sink(entry);
    CArchive ar(sink);
    write(ar);
    sink.Commit();
  } catch (const Error&) {
    fs::remove(staged, ec);
    return false;
  }
  // The entry is in place; a picture that cannot follow leaves its cell as it was.
  fs::rename(staged, picture_path, ec);
  if (ec) fs::remove(staged, ec);
  return true;
}

}  // namespace lumi
