#pragma once
// The hints the document sends its views with a refresh; an object refresh sends the
// object itself instead.
namespace lumi {

// After loading, saving, emptying, undo and redo: the views drop their selection and
// repaint.
inline constexpr int kHintGeneral = 0;
// Repaint everything, nothing else (after a flat export).
inline constexpr int kHintRepaint = 10;
// The canvas is new, opened or resized: the views fit themselves to it.
inline constexpr int kHintCanvasChanged = 100;

}  // namespace lumi
