#include "export/multi_state_files.h"

#include <cctype>
#include <span>

#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "objects/draw_object.h"

namespace lumi {

std::string SeparateExtension(std::string_view path) {
  std::string ext(path.substr(path.size() < 3 ? 0 : path.size() - 3));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string SeparateBase(std::string_view path) {
  return std::string(path.substr(0, path.size() < 4 ? 0 : path.size() - 4));
}

std::string FileTitle(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

namespace {

bool IsSeparateExtension(const std::string& ext) { return ext == "jpg" || ext == "bmp"; }

// JPG at quality 95, colour, baseline with the floating-point DCT; BMP at 24 bits.
bool WriteSeparateImage(const std::string& file, const std::string& ext, const RgbImage& rgb) {
  if (ext == "jpg") {
    PxSetDCTMethod(3);
    return PxSaveJPG(file, rgb.pixels.data(), rgb.width, rgb.height, 95, true, false);
  }
  return PxSaveBMP(file, rgb.pixels.data(), rgb.width, rgb.height);
}

bool RefuseExtension(const std::string& ext, Host& host) {
  if (IsSeparateExtension(ext)) return false;
  PxSetLastError(kPxBadParam);
  host.Message(ErrorText(kPxBadParam), MessageKind::Error);
  return true;
}

bool Written(bool ok, Host& host) {
  if (!ok) host.Message(ErrorText(PxGetLastError()), MessageKind::Error);
  return ok;
}

}  // namespace

bool ExportSeparateBackground(const std::string& path, const CanvasArea& canvas,
                              const ObjectList& objects, Host& host) {
  const std::string ext = SeparateExtension(path);
  if (RefuseExtension(ext, host)) return false;
  RgbImage background;
  try {
    background = ComposeButtonBackground(canvas, objects, host);
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Error);
    return false;
  }
  return Written(WriteSeparateImage(SeparateBase(path) + "." + ext, ext, background), host);
}

bool ExportSeparateObject(const std::string& path, int j, const CanvasArea& canvas,
                          ObjectList& objects, Host& host) {
  const std::string ext = SeparateExtension(path);
  if (RefuseExtension(ext, host)) return false;
  const int index = ExportedFramedIndex(objects, j);
  if (index < 0) {
    host.Message(kNoSuchButtonMessage, MessageKind::Error);
    return false;
  }
  const MultiStateTarget target =
      ext == "jpg" ? MultiStateTarget::SeparateJpg : MultiStateTarget::SeparateBmp;
  std::optional<StateImages> states;
  try {
    states = ComposeStates(canvas, objects, j, target, host);
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Error);
    return false;
  }
  const CDrawObject& button = *objects[static_cast<std::size_t>(index)];
  const bool solo = button.GetStatesSuppressed() != 0;
  const std::string base = SeparateBase(path) + std::to_string(j);
  if (!Written(WriteSeparateImage(base + "a." + ext, ext, states->normal), host)) return false;
  if (button.GetHasHighlighted() && !solo &&
      !Written(WriteSeparateImage(base + "b." + ext, ext, states->highlighted), host))
    return false;
  if (button.GetHasPushed() && !solo &&
      !Written(WriteSeparateImage(base + "c." + ext, ext, states->third), host))
    return false;
  host.StatusText(0, "Done..");
  return true;
}

std::string ExportTableText(const std::string& path, const ObjectList& objects) {
  const std::string ext = SeparateExtension(path);
  const std::string title = FileTitle(SeparateBase(path));
  std::string text =
      "*** Export Table****************\r\n"
      "*** x: a - Normal, b - Higlited, c - Pushed  <- All the same size and position\r\n";
  int j = 0;
  for (const auto& object : objects) {
    if (!IsExportedFramed(*object)) continue;
    const Rect rect = ExportRect(*object);
    text += title + std::to_string(j++) + "x." + ext + " :" + " Left " +
            std::to_string(rect.left) + ",Top " + std::to_string(rect.top) + "\r\n";
  }
  return text;
}

bool WriteExportTable(const std::string& path, const ObjectList& objects, Host& host) {
  const std::string text = ExportTableText(path, objects);
  try {
    WriteFileAtomically(SeparateBase(path) + ".txt",
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace lumi
