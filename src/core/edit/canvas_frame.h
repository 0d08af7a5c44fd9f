#pragma once
// The surround of the canvas in the view: grey around it, a black 1-pixel frame just
// outside it and a grey drop shadow to the right and below, as deep as width / 80.
#include <array>

#include "base/colour.h"
#include "base/geometry.h"

namespace lumi {

class CDIBSection;

inline constexpr COLORREF kViewSurroundColour = 0xE1E1E1;
inline constexpr COLORREF kCanvasFrameColour = 0x000000;
inline constexpr COLORREF kCanvasShadowColour = 0x808080;

struct CanvasFrame {
  // Outlined, 1 pixel wide: its left and top columns and its right - 1 and bottom - 1
  // columns are drawn.
  Rect frame;
  // Filled: the shadow on the right and the one below. Empty when the canvas is
  // narrower than 80 pixels.
  std::array<Rect, 2> shadows;
};

// In canvas coordinates, for a width x height canvas.
CanvasFrame CanvasFrameFor(int width, int height);

// Fills `rect` (canvas coordinates) of a 32-bit bitmap whose top-left pixel is the canvas
// point `origin`, clipped to the bitmap; alpha 255.
void FillCanvasRect(CDIBSection& bitmap, Point origin, const Rect& rect, COLORREF colour);
// The 1-pixel outline of `rect`, drawn the same way.
void OutlineCanvasRect(CDIBSection& bitmap, Point origin, const Rect& rect, COLORREF colour);
// Copies the pixels of `rect` (canvas coordinates) from one 32-bit bitmap to another,
// each placed at its own canvas origin; clipped to both bitmaps.
void CopyCanvasRect(const CDIBSection& from, Point from_origin, CDIBSection& to, Point to_origin,
                    const Rect& rect);

// The four bands of `area` around `hole` (top and bottom full width, left and right
// between them); bands without area are left out.
std::array<Rect, 4> BandsAround(const Rect& area, const Rect& hole);

}  // namespace lumi
