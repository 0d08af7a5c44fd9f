#pragma once
// How far outline points may lie from their object's box: in box sizes for Bezier
// outlines and envelopes, per mille of the box for polynome nodes. Node edits keep points
// within these limits and reading refuses points beyond them (and anything that is not a
// finite number), so every outline the program saves reads back. The limits also keep
// pixel arithmetic in int range: 1700-pixel boxes at the largest supersampling.
#include <algorithm>

namespace lumi {

// Edits keep points within these limits (node drags and every re-fit of the box); the
// reader accepts twice as much, so an edit that moves points by a bounded amount after
// the last clamp (a flip maps x to 1 - x) still reads back.
inline constexpr double kMaxUnitCoordinate = 1e4;
inline constexpr double kMaxPerMilleCoordinate = 1e7;
// The envelope warp multiplies envelope points: these stay close to the box.
inline constexpr double kMaxEnvelopeCoordinate = 50;
inline constexpr double kReadableFactor = 2;

inline double ClampOutlineCoordinate(double v, double limit) { return std::clamp(v, -limit, limit); }

}  // namespace lumi
