#pragma once
// How much larger an outline is drawn before it is averaged down into the coverage mask,
// chosen from the edge quality and the object's size; and how far outline-based bevels
// pull the outline in.
namespace lumi {

// The base factor q of an edge quality: 1 Hard Edge, 2 Anti-Alias, 3 Super Smooth,
// 4 Extreme (values outside 1..4 are taken as the nearest one).
int BaseSupersampling(int edge_quality);

// Vector shapes and the ball: q, one more for objects under 10 x 10, never enlarged at
// Hard Edge.
int ShapeSupersampling(int edge_quality, int width, int height);

// Polynomes and text: q + 7, q + 5 above 100 pixels, q + 2 above 200, 1 at Hard Edge;
// live text of tall lines (`line_count` lines over `height`) or of a huge box is drawn
// with less.
int PolynomeSupersampling(int edge_quality, int width, int height, bool live_text,
                          int line_count);

// The inset d (in hundredths of the box, plus a fixed 20 work pixels) of the "Outline"
// (7) and "Feather" (9) bevels, which draw the outline shrunk towards the centre; 0 for
// other bevels and for open outlines.
int OutlineInset(int bevel_kind, int bevel_width, bool outline_closed);

}  // namespace lumi
