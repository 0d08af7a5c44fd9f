#pragma once
// What the view draws while an outline is edited: polylines in canvas pixels and, for
// the envelope editor, small handle squares. The outline classes compute it; the view
// only paints it.
#include <vector>

#include "base/geometry.h"

namespace lumi {

struct FeedbackSquare {
  enum class Kind { Corner, Control };
  Point centre;
  Kind kind = Kind::Corner;
};

struct OutlineFeedback {
  std::vector<std::vector<Point>> polylines;
  std::vector<FeedbackSquare> squares;
  // The first pixel point of the outline, or (-1000, -1000) when it has none.
  Point first{-1000, -1000};
};

}  // namespace lumi
