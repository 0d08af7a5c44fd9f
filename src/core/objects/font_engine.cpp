#include "objects/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <strings.h>

namespace lumi {

namespace {

// Owners for the C libraries' objects.
template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const {
    if (p) Free(p);
  }
};
void FreeLibrary(FT_LibraryRec_* p) { FT_Done_FreeType(p); }
void FreeFace(FT_FaceRec_* p) { FT_Done_Face(p); }
using FtLibrary = std::unique_ptr<FT_LibraryRec_, Deleter<FT_LibraryRec_, FreeLibrary>>;
using FtFace = std::unique_ptr<FT_FaceRec_, Deleter<FT_FaceRec_, FreeFace>>;
using HbBlob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using HbFace = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using HbFont = std::unique_ptr<hb_font_t, Deleter<hb_font_t, hb_font_destroy>>;
using HbBuffer = std::unique_ptr<hb_buffer_t, Deleter<hb_buffer_t, hb_buffer_destroy>>;
using FcConfigPtr = std::unique_ptr<FcConfig, Deleter<FcConfig, FcConfigDestroy>>;
using FcPatternPtr = std::unique_ptr<FcPattern, Deleter<FcPattern, FcPatternDestroy>>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, Deleter<FcFontSet, FcFontSetDestroy>>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, Deleter<FcObjectSet, FcObjectSetDestroy>>;

// FreeType's slant for synthetic italics (about 12 degrees).
constexpr double kObliqueShear = 0x0366A / 65536.0;

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string PatternString(FcPattern* pattern, const char* object, int n = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback) {
  int value = 0;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

// Every family name of a pattern (a face may carry several, e.g. "DejaVu Sans" and
// "DejaVu Sans Condensed").
std::vector<std::string> PatternFamilies(FcPattern* pattern) {
  std::vector<std::string> names;
  for (int i = 0;; ++i) {
    std::string name = PatternString(pattern, FC_FAMILY, i);
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

// Outline-decomposition callbacks feeding a PathBuilder, in font units.
PointD ToPoint(const FT_Vector* v) {
  return {static_cast<double>(v->x), static_cast<double>(v->y)};
}
int OnMoveTo(const FT_Vector* to, void* user) {
  static_cast<PathBuilder*>(user)->MoveTo(ToPoint(to));
  return 0;
}
int OnLineTo(const FT_Vector* to, void* user) {
  static_cast<PathBuilder*>(user)->LineTo(ToPoint(to));
  return 0;
}
int OnConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  static_cast<PathBuilder*>(user)->QuadTo(ToPoint(control), ToPoint(to));
  return 0;
}
int OnCubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  static_cast<PathBuilder*>(user)->CubicTo(ToPoint(c1), ToPoint(c2), ToPoint(to));
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// FontFace

struct FontFace::Impl {
  FtLibrary library;
  FtFace face;
  HbBlob blob;
  HbFace hb_face;
  HbFont hb_font;
  HbBuffer buffer;
  int ascent_units = 0;  // cell top above the base line
  int cell_units = 0;    // ascent + descent
  int bold_strength = 0; // widening of synthetic bold, font units
};

FontFace::FontFace(const FaceMatch& match) : match_(match), impl_(std::make_unique<Impl>()) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw FontError("The font engine could not start.");
  impl_->library.reset(library);

  FT_Face face = nullptr;
  if (FT_New_Face(library, match.file.c_str(), match.index, &face) != 0)
    throw FontError("The font file '" + match.file + "' could not be read.");
  impl_->face.reset(face);
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)
    throw FontError("The font file '" + match.file + "' holds no outline font.");

  // The cell: the Windows ascent and descent when the face has them, else the
  // horizontal header's.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    impl_->ascent_units = os2->usWinAscent;
    impl_->cell_units = os2->usWinAscent + os2->usWinDescent;
  } else if (face->ascender - face->descender > 0) {
    impl_->ascent_units = face->ascender;
    impl_->cell_units = face->ascender - face->descender;
  } else {
    impl_->ascent_units = face->units_per_EM * 4 / 5;
    impl_->cell_units = face->units_per_EM;
  }
  if (match.synthetic_bold) impl_->bold_strength = face->units_per_EM / 24;

  impl_->blob.reset(hb_blob_create_from_file(match.file.c_str()));
  // The upper half of a fontconfig index names an instance of a variable font; the
  // shaper wants only the face's place in the file.
  impl_->hb_face.reset(
      hb_face_create(impl_->blob.get(), static_cast<unsigned>(match.index) & 0xFFFFu));
  impl_->hb_font.reset(hb_font_create(impl_->hb_face.get()));
  // Positions in font units: the shaper's default scale is the em size.
  hb_font_set_scale(impl_->hb_font.get(), face->units_per_EM, face->units_per_EM);
  impl_->buffer.reset(hb_buffer_create());
  if (!hb_buffer_allocation_successful(impl_->buffer.get()))
    throw FontError("The font engine ran out of memory.");
}

FontFace::~FontFace() = default;

int FontFace::UnitsPerEm() const { return impl_->face->units_per_EM; }

FontMetrics FontFace::Metrics(int height) const {
  if (height < 1) throw FontError("A font height must be at least 1 pixel.");
  FontMetrics m;
  m.cell_height = height;
  m.scale = static_cast<double>(height) / impl_->cell_units;
  m.ascent = static_cast<int>(std::lround(impl_->ascent_units * m.scale));
  m.descent = height - m.ascent;
  m.internal_leading = height - static_cast<int>(std::lround(UnitsPerEm() * m.scale));
  return m;
}

std::vector<ShapedGlyph> FontFace::ShapeLine(std::string_view utf8) const {
  if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw FontError("The text is too long.");
  hb_buffer_t* buffer = impl_->buffer.get();
  hb_buffer_reset(buffer);
  const int length = static_cast<int>(utf8.size());
  hb_buffer_add_utf8(buffer, utf8.data(), length, 0, length);
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(impl_->hb_font.get(), buffer, nullptr, 0);
  if (!hb_buffer_allocation_successful(buffer))
    throw FontError("The font engine ran out of memory.");

  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
  std::vector<ShapedGlyph> glyphs(count);
  for (unsigned i = 0; i < count; ++i) {
    glyphs[i].glyph = info[i].codepoint;
    glyphs[i].x_advance = pos[i].x_advance;
    if (glyphs[i].x_advance != 0) glyphs[i].x_advance += impl_->bold_strength;
    glyphs[i].x_offset = pos[i].x_offset;
    glyphs[i].y_offset = pos[i].y_offset;
  }
  return glyphs;
}

PathPoints FontFace::LoadGlyphOutline(unsigned glyph) const {
  PathPoints points;
  FT_Face face = impl_->face.get();
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) !=
          0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return points;  // a glyph the face cannot draw draws nothing
  FT_Outline& outline = face->glyph->outline;
  if (impl_->bold_strength > 0) FT_Outline_Embolden(&outline, impl_->bold_strength);

  FT_Outline_Funcs funcs{};
  funcs.move_to = OnMoveTo;
  funcs.line_to = OnLineTo;
  funcs.conic_to = OnConicTo;
  funcs.cubic_to = OnCubicTo;
  {
    PathBuilder builder(points);
    if (FT_Outline_Decompose(&outline, &funcs, &builder) != 0) {
      builder.CloseFigure();
      points.clear();
      return points;
    }
  }
  if (match_.synthetic_italic)
    for (PathPoint& p : points) p.x += kObliqueShear * p.y;
  return points;
}

const PathPoints& FontFace::GlyphOutline(unsigned glyph) {
  auto it = outlines_.find(glyph);
  if (it == outlines_.end()) it = outlines_.emplace(glyph, LoadGlyphOutline(glyph)).first;
  return it->second;
}

// ---------------------------------------------------------------------------------------
// FontEngine

struct FontEngine::Config {
  FcConfigPtr config;
};

FontEngine::FontEngine() : config_(std::make_unique<Config>()) {
  config_->config.reset(FcInitLoadConfigAndFonts());
  if (!config_->config) throw FontError("The font configuration could not be loaded.");
}

FontEngine::~FontEngine() = default;

FaceMatch FontEngine::Match(const FontRequest& request) const {
  FcConfig* config = config_->config.get();
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) throw FontError("The font engine ran out of memory.");
  if (!request.family.empty())
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(request.family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                      request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  FcPatternPtr found(FcFontMatch(config, pattern.get(), &result));
  if (!found) throw FontError("No outline font is installed on this system.");
  FcBool outline = FcFalse;
  if (FcPatternGetBool(found.get(), FC_OUTLINE, 0, &outline) == FcResultMatch && !outline)
    throw FontError("No outline font is installed on this system.");

  FaceMatch match;
  match.requested_family = request.family;
  match.file = PatternString(found.get(), FC_FILE);
  if (match.file.empty()) throw FontError("No outline font is installed on this system.");
  match.index = PatternInt(found.get(), FC_INDEX, 0);
  match.family = PatternString(found.get(), FC_FAMILY);
  match.style = PatternString(found.get(), FC_STYLE);
  for (const std::string& name : PatternFamilies(found.get()))
    if (SameName(name, request.family)) {
      match.family = name;
      match.family_installed = true;
    }
  // Use the face's own bold and italic when the family has them; otherwise draw them.
  const int weight = PatternInt(found.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  const int slant = PatternInt(found.get(), FC_SLANT, FC_SLANT_ROMAN);
  match.synthetic_bold = request.bold && weight < FC_WEIGHT_DEMIBOLD;
  match.synthetic_italic = request.italic && slant == FC_SLANT_ROMAN;
  return match;
}

FontFace& FontEngine::Face(const FontRequest& request) {
  std::string key = request.family;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto& slot = faces_[{key, request.bold, request.italic}];
  if (!slot) slot = std::make_unique<FontFace>(Match(request));
  return *slot;
}

std::vector<std::string> FontEngine::OutlineFamilies() const {
  FcPatternPtr pattern(FcPatternCreate());
  FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_FONTFORMAT, nullptr));
  if (!pattern || !objects) throw FontError("The font engine ran out of memory.");
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcFontSetPtr set(FcFontList(config_->config.get(), pattern.get(), objects.get()));

  std::vector<std::string> names;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    const std::string format = PatternString(font, FC_FONTFORMAT);
    if (format != "TrueType" && format != "CFF") continue;
    // Names in other languages than English are the same family again; keep the
    // English ones (or the first name when none is marked English).
    const std::vector<std::string> families = PatternFamilies(font);
    bool kept = false;
    for (std::size_t n = 0; n < families.size(); ++n) {
      const std::string lang = PatternString(font, FC_FAMILYLANG, static_cast<int>(n));
      if (lang.empty() || lang == "en") {
        names.push_back(families[n]);
        kept = true;
      }
    }
    if (!kept && !families.empty()) names.push_back(families.front());
  }
  auto less = [](const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  };
  std::sort(names.begin(), names.end(), less);
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return SameName(a, b); }),
              names.end());
  return names;
}

bool FontEngine::IsFamilyInstalled(std::string_view family) const {
  for (const std::string& name : OutlineFamilies())
    if (SameName(name, family)) return true;
  return false;
}

bool FontEngine::IsFamilyAvailable(std::string_view family) const {
  if (family.empty()) return false;
  if (IsFamilyInstalled(family)) return true;
  // A name fontconfig knows nothing about falls through to the same face as no name.
  const FaceMatch named = Match({std::string(family), false, false});
  const FaceMatch unnamed = Match({std::string(), false, false});
  return !SameName(named.family, unnamed.family);
}

FontEngine& SharedFontEngine() {
  static FontEngine engine;
  return engine;
}

}  // namespace lumi
