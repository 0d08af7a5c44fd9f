#include "collections/style_library.h"

#include <system_error>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "collections/library_picture.h"
#include "objects/draw_object.h"

namespace lumi {

namespace fs = std::filesystem;

bool IsPlainText(const CDrawObject& object) {
  return object.GetKind() == kKindPolynome && object.GetEditableText() == 1;
}

std::unique_ptr<CDrawObject> MakeStyleObject(const CDrawObject& source) {
  auto style = std::make_unique<CDrawObject>(source.GetHost());
  style->SetRenderContext(source.GetRenderContext());
  style->CopyAttributes(source);
  if (IsPlainText(source)) {
    style->MakeStyleSample();
  } else {
    // A bitmap's pixels are no part of a look: the circle carries none.
    style->SourceBitmap() = CDIBSection{};
    style->SetSourceWidth(0);
    style->SetSourceHeight(0);
    style->SetSourcePath("");
    style->SetEditableText(0);
    style->SetText("");
    style->CreateCircle(0, 0, 65, 65);
    // The circle's box is fitted round its curve; the sample sits exactly at (0, 0).
    style->MoveTo(0, 0);
    style->SetSize(65, 65);
  }
  return style;
}

int AddStyle(const fs::path& folder, const CDrawObject& source) {
  const NumberedEntries styles = StyleEntries(folder);
  const int n = styles.NextFree();
  return WriteStyleFile(styles.MainFile(n), styles.Picture(n), source) ? n : 0;
}

bool WriteStyleFile(const fs::path& style_file, const fs::path& picture_file,
                    const CDrawObject& source) {
  std::unique_ptr<CDrawObject> style = MakeStyleObject(source);
  return WriteEntryWithPicture(style_file, picture_file, MakeLibraryPicture({&source}, 10),
                               [&](CArchive& ar) { style->SerializeObject(ar, false); });
}

std::unique_ptr<CDrawObject> ReadStyle(const fs::path& path, Host& host,
                                       const Settings* settings, const RenderContext* context) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxStyleFileBytes);
  } catch (const FileError&) {
    std::error_code ec;
    if (fs::exists(path, ec) && fs::file_size(path, ec) > kMaxStyleFileBytes) {
      throw ArchiveError(path.filename().string() + ": too large for a style");
    }
    return nullptr;
  }
  return ReadStyleBytes(bytes, host, settings, context);
}

std::unique_ptr<CDrawObject> ReadStyleBytes(std::span<const std::uint8_t> bytes, Host& host,
                                            const Settings* settings, const RenderContext* context) {
  MemorySource source(bytes);
  CArchive ar(source);
  auto style = std::make_unique<CDrawObject>(host, settings);
  style->SetRenderContext(context);
  style->SerializeObject(ar, false);
  return style;
}

std::string ApplyStyleAsDefaults(const CDrawObject& style, const std::string& file_name,
                                 NewObjectDefaultSets& sets) {
  const bool text = IsPlainText(style);
  NewObjectDefaults& set = text ? sets.text : sets.shapes;
  set.texture_strength = style.GetTextureStrength();
  set.texture_screen = style.GetTextureScreen();
  set.texture_two_color = style.GetTextureTwoColor();
  set.fill_color = style.GetFillColor();
  set.fill_color2 = style.GetFillColor2();
  set.texture_name = style.GetTextureName();
  set.bevel_kind = style.GetBevelKind();
  set.bevel_width = style.GetBevelWidth();
  set.bevel_intensity = style.GetBevelIntensity();
  set.bevel_angle = style.GetBevelAngle();
  return (text ? "Text Default:" : "Object Default:") + file_name;
}

}  // namespace lumi
