#pragma once
// The bevels: coverage preparations (outline band, feathers), the general bevel built
// from CProfileBlur and ShadeFromHeightMap, and the bevels with stages of their own
// (Smooth+Warp, Smooth Hi-Lite, 3D Ball, the bump-out alpha). They take the object's
// pixels, coverage mask and bevel attributes explicitly, so the drawing object only has
// to call them at the right points of its render pipeline.
//
// Masks are width x height bytes, top row first, the size of the object image; images
// are 32-bit bitmaps (row 0 of CDIBSection::Row is the top row).
#include <array>
#include <cstdint>

#include "effects/effect_geometry.h"
#include "image/dib_section.h"

namespace lumi {


// The bevel list as the user sees it, by value ("Frame " keeps its trailing blank).
inline constexpr std::array<const char*, 13> kBevelNames = {
    "No Bevel", "Smooth Bevel", "Flat Bevel", "Framed Bevel",  "Random Noise",
    "Saucer",   "Frame ",       "Outline",    "Bump Out",      "Feather",
    "Smooth+Warp", "Smooth Hi-Lite", "3D Ball"};

struct BevelSettings {
  int kind = kNoBevel;
  int width = 8;        // pixels
  int intensity = 75;   // per cent
  int angle = 135;      // light direction, degrees
  double light_x = -0.6476, light_y = -0.52906, light_z = 0.54827;  // "3D Ball" light
};

// The profile mode of the general bevel (kinds 1..8), or -1 for other kinds.
int GeneralBevelMode(int kind);

// The blur radius of bevel heights: width div 3.
inline int BevelSigma(int width) { return width / 3; }

// Standard lighting of bevels: light from `angle` degrees at elevation 30, depth 255.
void StandardLighting(CDIBSection& image, const std::uint8_t* heights, int angle,
                      int intensity, bool squaring);

// "Outline" preparation (after the fill, before the texture): the mask becomes a soft band along its edge.
void PrepareOutlineBand(std::uint8_t* mask, int width, int height, int bevel_width);

// The linear feather ramp of value 13 on a map, in place: four scans (rows left to
// right and right to left, columns down and up) that let values fall by at most
// 256 div (2 x bevel_width) per pixel away from every edge.
void LinearFeatherRamp(std::uint8_t* map, int width, int height, int bevel_width);

// Feather preparation (after the texture, before the alpha is written) for kinds 9 ("Feather") and 13; nothing for other
// kinds or intensity 0.
void PrepareFeather(std::uint8_t* mask, int width, int height, const BevelSettings& bevel);

// The effect layer under the object, for the bump-out alpha: its bitmap, its margin and
// the offset at which it is drawn (dx, dy as `DrawTo` places it).
struct EffectLayerPlacement {
  CDIBSection* layer = nullptr;  // null when the object has no effect
  int margin = 10;
  int dx = 0, dy = 0;
};

// "Bump Out" after its lighting: the object keeps only its lit slopes,
// alpha = min(|blue - 128| x 2, 255, alpha), and the effect layer under each pixel is
// lowered to at most 255 - the object's alpha.
void BumpOutAlpha(CDIBSection& image, const EffectLayerPlacement& effect);

// Smooth+Warp's colour shift along the slopes of `heights` (rows, then columns).
void WarpAlongSlopes(CDIBSection& image, const std::uint8_t* heights);

// The light value of "3D Ball" for one surface point.
struct BallLightValue {
  int blue_green;
  int red;
};
BallLightValue BallLight(double u, double v, double z, const BevelSettings& bevel);

// "3D Ball" lighting of the whole image. Objects too small for the ball (a radius of 0 or
// less, at 21 pixels or less across) are left unlit.
void BallLighting(CDIBSection& image, const BevelSettings& bevel);

// The bevel stage (the last stage of rendering, after the effect stage): kinds 1..8 by the general bevel, 10, 11 and 12 by their
// own stages; other kinds do nothing. The mask is blurred in place into the height map.
// `effect` is used by "Bump Out" only.
void ApplyBevelStage(CDIBSection& image, std::uint8_t* mask, const BevelSettings& bevel,
                     const EffectLayerPlacement& effect);

}  // namespace lumi
