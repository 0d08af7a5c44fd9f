#pragma once
// The zoom list of the main toolbar: fixed percentages and "Custom", which stands for
// any scale the zoom tool chose and sets 100% when picked.
#include <array>
#include <string_view>

namespace lumi {

inline constexpr std::array<std::string_view, 11> kZoomComboEntries = {
    "10%", "30%", "50%", "80%", "100%", "200%", "300%", "400%", "600%", "800%", "Custom"};
inline constexpr int kZoomEntryOriginal = 4;  // "100%"
inline constexpr int kZoomEntryCustom = 10;

// The percentage an entry sets: its own number, 100 for "Custom" and for an index out
// of range.
int ZoomEntryPercent(int index);

// The entry showing exactly `scale`, or "Custom".
int ZoomEntryForScale(float scale);

}  // namespace lumi
