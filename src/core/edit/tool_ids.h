#pragma once
// The tools of the drawing view: their numbers (kept in settings and scripts), the menu
// texts that choose them and the cursor each shows.
#include <optional>
#include <string_view>

namespace lumi {

enum class Tool : int {
  Select = 0,
  Zoom = 1,
  Rectangle = 2,
  Circle = 3,
  Placeholder = 4,
  Shape = 5,
  RoundRect = 6,
  AddPoint = 7,
  NewPath = 8,
  Rotate = 9,
  Star = 10,
  Image = 11,
  PaintTransparency = 12,
  Texture = 13,
  FreePath = 14,
  Skew = 15,
  RubberBand = 16,
  ArtisticText = 17,
  ExportCrop = 18,
  CropCorner = 19,
  MultiMove = 20,
  TransparencyFromColour = 21,
  PaintOpaque = 22,
  Arrow = 23,
};

// What the cursor shows; the window draws one image per role.
enum class CursorRole {
  Arrow,          // the system arrow
  SystemDefault,  // whatever the system shows by default
  Zoom,
  ZoomDragging,
  Drawing,
  Insert,
  Node,
  AddPoint,
  Rotate,
  TransparencyBrush,
  OpaqueBrush,
  Pencil,
  Crop,
  ColourPicker,
  Move,
  SizeDiagonalDown,  // top-left to bottom-right
  SizeDiagonalUp,    // bottom-left to top-right
  SizeCorner,        // the bottom-right handle's own corner cursor
  SizeVertical,
  SizeHorizontal,
};

struct ToolCommand {
  Tool tool;
  std::string_view text;  // the menu text
};

// Every tool that has a menu command, in menu order.
inline constexpr ToolCommand kToolCommands[] = {
    {Tool::Select, "Select Object"},
    {Tool::Shape, "Shape Tool"},
    {Tool::AddPoint, "Add Point to Path"},
    {Tool::Zoom, "Zoom"},
    {Tool::Rotate, "Rotate Object"},
    {Tool::Skew, "Skew"},
    {Tool::Texture, "Texture Size and Rotation"},
    {Tool::ExportCrop, "Select Export Crop Region"},
    {Tool::Rectangle, "Rectangle"},
    {Tool::Circle, "Circle"},
    {Tool::RoundRect, "Rounded Rectangle"},
    {Tool::NewPath, "Make New Path"},
    {Tool::Star, "Star"},
    {Tool::Image, "Image"},
    {Tool::PaintTransparency, "Paint Transparency"},
    {Tool::FreePath, "Draw Free Path"},
    {Tool::ArtisticText, "Polynome Artistic Text"},
    {Tool::TransparencyFromColour, "Transparency from the Color"},
    {Tool::PaintOpaque, "Paint Opaque"},
    {Tool::Arrow, "Draw Arrow"},
};

inline std::optional<Tool> ToolForCommand(std::string_view text) {
  for (const ToolCommand& c : kToolCommands)
    if (c.text == text) return c.tool;
  return std::nullopt;
}

// The tool whose menu entry carries the check mark while `current` is active.
inline Tool CheckedTool(Tool current) {
  return current == Tool::RubberBand ? Tool::Select : current;
}

}  // namespace lumi
