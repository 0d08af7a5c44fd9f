#pragma once
// A small canvas with plain rectangles and button looks for the multi-state export tests.
#include <memory>

#include "base/colour.h"
#include "base/host.h"
#include "export/multi_state_compose.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi::fixtures {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kCyan = RGB(0, 255, 255);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);
inline constexpr COLORREF kGrey = RGB(128, 128, 128);

// The pixel at (x, y) of a top-down RGB image, as a colour.
inline COLORREF ColourAt(const RgbImage& image, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 3;
  return RGB(image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]);
}

// Gives `object` look `state` (1 highlighted, 2 pushed) filled with `colour` and shows
// the normal look again, the way the multimedia bar builds looks.
inline void AddLook(CDrawObject& object, int state, COLORREF colour) {
  const bool highlighted = object.GetHasHighlighted() || state == 1;
  const bool pushed = object.GetHasPushed() || state == 2;
  object.SetStates(state, highlighted, pushed, false);
  object.SetFillColor(colour);
  object.Render();
  object.StoreShownState();
  object.SetStates(0, highlighted, pushed, false);
}

struct ButtonScene {
  RecordingHost host;
  ObjectList objects;
  CanvasArea canvas{120, 90, kWhite};

  // A rectangle filling exactly `r`, appended to the list (drawn above the others).
  CDrawObject& Add(Rect r, COLORREF colour) {
    auto object = std::make_unique<CDrawObject>(host);
    object->SetFillColor(colour);
    object->CreateRectangle(r.left, r.top, r.right, r.bottom);
    object->MoveTo(r.left, r.top);
    object->SetSize(r.Width(), r.Height());
    objects.push_back(std::move(object));
    return *objects.back();
  }
  // A circle inside `r` (its box is fitted to the outline), so the corners of its box
  // show what lies below.
  CDrawObject& AddCircle(Rect r, COLORREF colour) {
    auto object = std::make_unique<CDrawObject>(host);
    object->SetFillColor(colour);
    object->CreateCircle(r.left, r.top, r.right, r.bottom);
    objects.push_back(std::move(object));
    return *objects.back();
  }
  // A button with the given looks; a look of colour 0 is left out.
  CDrawObject& AddButton(Rect r, COLORREF normal, COLORREF highlighted, COLORREF pushed) {
    CDrawObject& object = Add(r, normal);
    if (highlighted) AddLook(object, 1, highlighted);
    if (pushed) AddLook(object, 2, pushed);
    return object;
  }
};

}  // namespace lumi::fixtures
