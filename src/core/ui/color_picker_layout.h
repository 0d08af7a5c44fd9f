#pragma once
// Where things are in the two-colour picker: the swatch column on the left (first
// colour, second colour, gene button) and the colour field right of it.
#include "base/geometry.h"

namespace lumi {

enum class PickerZone { kNone, kFirstSwatch, kSecondSwatch, kGeneButton, kColourField };

inline constexpr Rect kPickerFirstSwatch{0, 0, 20, 15};
inline constexpr Rect kPickerSecondSwatch{0, 17, 20, 32};
inline constexpr Rect kPickerGeneButton{0, 35, 20, 50};

// The first swatch: the fixed rectangle, or in single-colour mode (0, 1, 20, height - 1).
Rect PickerFirstSwatch(bool single_colour, int height);

// The part of the picker under (x, y) as the cursor shows it: the swatches and the gene
// button (the second swatch and the gene button only with two colours), the colour field at
// x >= 23, otherwise none.
PickerZone PickerZoneAt(Point p, bool single_colour, int height);

// The point a pick reads its colour from: x kept within 23..width - 2, y within 1..height - 2.
Point PickerPickPoint(Point p, int width, int height);

// Which gene-button picture to show: 2 for the bitmap-tweak picture, 1 while a gene is
// active, else 0.
int GeneButtonPicture(int gene_picture_index);

}  // namespace lumi
