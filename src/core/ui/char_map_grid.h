#pragma once
// The "Character Map" grid: 23 columns by 10 rows of 26-pixel cells. The first page
// holds the Windows-1252 characters 32 to 255 (the last six cells stay empty); the later
// pages go on through the rest of the basic plane from U+0100, 230 characters a page.
#include <optional>
#include <string>

#include "base/geometry.h"

namespace lumi {

inline constexpr int kCharMapCell = 26;
inline constexpr int kCharMapColumns = 23;
inline constexpr int kCharMapRows = 10;

struct CharMapCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const CharMapCell&, const CharMapCell&) = default;
};

// The cell under a point of the grid (grid coordinates), or nullopt outside it.
std::optional<CharMapCell> CharMapCellAt(Point p);
// The part of a cell that is painted (inside its grid lines).
Rect CharMapCellRect(CharMapCell cell);
int CharMapPageCount();
// The character of a cell as UTF-8; empty for the cells without one (past 255 on the
// first page, the surrogate range, past U+FFFF).
std::string CharMapCharacter(int page, CharMapCell cell);
// The height of the zoomed character for the zoom choice 0 ("1x"), 1 ("2x") or 2 ("4x").
inline int CharMapZoomHeight(int zoom_choice) { return 60 * (zoom_choice + 1); }

}  // namespace lumi
