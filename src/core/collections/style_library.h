#pragma once
// The style library: numbered .sty files in the Styles folder, each one object record
// holding a look on a sample shape, each with its 50 x 50 picture. Adding, reading,
// removing and the defaults a style gives new objects when nothing is selected.
#include <filesystem>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/colour.h"
#include "library/numbered_entries.h"

namespace lumi {

class CDrawObject;
class Host;
class Settings;
struct RenderContext;

inline NumberedEntries StyleEntries(const std::filesystem::path& folder) {
  return {folder, "Style", ".sty"};
}

// Live text with the plain text sub-kind keeps its sample as text; every other object
// becomes the sample circle.
bool IsPlainText(const CDrawObject& object);

// A copy of `source`'s attributes on the sample shape: for plain text the 50 x 50 text
// "AB" in bold Arial at (0, 0), otherwise the "Circle" shape at (0, 0) of 65 x 65.
std::unique_ptr<CDrawObject> MakeStyleObject(const CDrawObject& source);

// "Add to Styles": writes the style record of `source` as the first free number with its
// picture made from `source` itself. The picture is written first and the record last
// (each through a temporary file and a rename), so a failure leaves no new entry.
// Returns the number written, or 0 when nothing was written.
int AddStyle(const std::filesystem::path& folder, const CDrawObject& source);

// Writes the style of `source` as `style_file` with its picture `picture_file`, in the
// same way; false when nothing was written.
bool WriteStyleFile(const std::filesystem::path& style_file, const std::filesystem::path& picture_file,
                    const CDrawObject& source);

// Reads one style record into a new object bound to `host` (rendered). Null when the
// file cannot be opened; a damaged or over-long file throws ArchiveError.
std::unique_ptr<CDrawObject> ReadStyle(const std::filesystem::path& path, Host& host,
                                       const Settings* settings = nullptr,
                                       const RenderContext* context = nullptr);

// The same from a file's bytes.
std::unique_ptr<CDrawObject> ReadStyleBytes(std::span<const std::uint8_t> bytes, Host& host,
                                            const Settings* settings = nullptr,
                                            const RenderContext* context = nullptr);

// The largest style file read: far above any real record, it keeps a hostile file from
// being read whole.
inline constexpr std::uint64_t kMaxStyleFileBytes = 64u << 20;

// One of the two sets of attributes new objects start with.
struct NewObjectDefaults {
  int texture_strength = 255;
  int texture_screen = 0;
  int texture_two_color = 0;
  COLORREF fill_color = 0x0000FF;
  COLORREF fill_color2 = 0xFF0000;
  std::string texture_name;
  int bevel_kind = 0;
  int bevel_width = 8;
  int bevel_intensity = 75;
  int bevel_angle = 135;
};

// The shapes-and-paths set and the artistic-text set as a view starts with them.
struct NewObjectDefaultSets {
  NewObjectDefaults shapes;
  NewObjectDefaults text{180, 0, 0, 0xFF0000, 0xFF0000, "", 0, 8, 75, 135};
};

// A style applied with nothing selected: the set that matches the style (text for plain
// text) takes its ten default attributes. Returns the status text, "Text Default:" or
// "Object Default:" followed by the file name.
std::string ApplyStyleAsDefaults(const CDrawObject& style, const std::string& file_name,
                                 NewObjectDefaultSets& sets);

}  // namespace lumi
