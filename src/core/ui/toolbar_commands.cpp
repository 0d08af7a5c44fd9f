#include "ui/toolbar_commands.h"

#include <algorithm>
#include <cctype>

namespace lumi {

const std::vector<ToolbarLayout>& MainToolbars() {
  static const std::vector<ToolbarLayout> toolbars = {
      {128, "",
       {{57600, "&New"}, {57601, "&Open..."}, {57603, "&Save"}, {0, ""}, {57634, "&Copy"}, {57637, "&Paste"},
        {0, ""}, {32771, "Zoom"}, {0, ""}, {32772, "Size and Color..."}, {0, ""}, {57643, "&Undo"},
        {57644, "&Redo"}, {0, ""}, {32850, "Multimedia Extension"}, {0, ""}, {32778, "&Export..."}, {0, ""},
        {32797, "Select Export Crop Region"}, {32774, "Trim Canvas to size of the objects"},
        {32775, "Trim canvas for all objects and their shadows"}, {32831, "Trim canvas to the size of a crop tool"},
        {0, ""}, {32830, "&Multimedia Export..."}}},
      {130, "Tools",
       {{32796, "Select Object"}, {32782, "Shape Tool"}, {0, ""}, {32777, "Add Point to Path"}, {0, ""},
        {32809, "Rotate Object"}, {32773, "Skew"}, {0, ""}, {32771, "Zoom"}, {32780, "Rectangle"},
        {32808, "Rounded Rectangle"}, {32793, "Circle"}, {32855, "Star"}, {0, ""}, {32799, "Draw Free Path"},
        {32795, "Make New Path"}, {32787, "Draw Arrow"}, {0, ""}, {32792, "Polynome Artistic Text"},
        {32807, "Image"}, {0, ""}, {32798, "Texture Size and Rotation"}, {0, ""},
        {32810, "Transparency from the Color"}}},
      {147, "Object Tools",
       {{32821, "Group"}, {32820, "Ungroup"}, {0, ""}, {32822, "Bring to front"}, {32826, "Send to Back"},
        {32813, "Bring Forward"}, {32814, "Send Backward"}, {0, ""}, {32832, "Align Left"}, {32833, "Align Right"},
        {32834, "Align Top"}, {32835, "Align Bottom"}, {32827, "Align Center"}, {0, ""},
        {32861, "Horizontal Flip"}, {32862, "Vertical Flip"}, {0, ""}, {32838, "Combine Objects"}, {0, ""},
        {32788, "Paint Transparency"}, {32789, "Paint Opaque"}, {0, ""}, {32863, "Layers"}, {32802, "Color Bar"},
        {32803, "Transparency Bar"}, {32804, "Bevel Bar"}, {32805, "Effects Bar"}, {32852, "Styles"},
        {32868, "Object Library"}}},
      {183, "Screen Capture",
       {{32876, "Minimize Lumiverdant before Capture"}, {0, ""}, {32875, "Capture Region of the Screen"},
        {32874, "Capture Window"}}},
  };
  return toolbars;
}

std::string IconNameForCommand(std::string_view command) {
  std::string name;
  bool gap = false;
  for (char c : command) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '&') continue;
    if (std::isalnum(u)) {
      if (gap && !name.empty()) name += '-';
      name += static_cast<char>(std::tolower(u));
      gap = false;
    } else {
      gap = true;  // spaces, dots and other punctuation separate words
    }
  }
  return name;
}

const std::vector<CursorPicture>& CursorPictures() {
  static const std::vector<CursorPicture> cursors = {
      {"cursor-zoom", 11, 11},           {"cursor-zoom-drag", 11, 11},     {"cursor-draw", 15, 15},
      {"cursor-insert", 16, 16},         {"cursor-node", 1, 1},            {"cursor-add-point", 1, 1},
      {"cursor-rotate", 1, 1},           {"cursor-transparency-brush", 2, 28}, {"cursor-pencil", 2, 29},
      {"cursor-crop", 8, 8},             {"cursor-colour-picker", 2, 29},  {"cursor-opaque-brush", 2, 28},
      {"cursor-corner", 16, 16},         {"cursor-move", 16, 16},          {"cursor-picker-first", 1, 1},
      {"cursor-picker-second", 1, 1},    {"cursor-gene", 1, 1},            {"cursor-colour-field", 2, 29}};
  return cursors;
}

std::vector<std::string> CursorIconNames() {
  std::vector<std::string> names;
  for (const CursorPicture& c : CursorPictures()) names.push_back(c.name);
  return names;
}

const std::vector<std::string>& PanelIconNames() {
  static const std::vector<std::string> names = {
      "remove-point", "smooth-node", "sharp-node", "break-path", "close-and-fill-path",
      "frame-normal", "frame-highlighted", "frame-pushed", "gene-button",
      "label-corners-few", "label-corners-many", "label-brush-small", "label-brush-large",
      "label-transparent", "label-opaque"};
  return names;
}

std::vector<std::string> AllIconNames() {
  std::vector<std::string> names;
  for (const ToolbarLayout& bar : MainToolbars())
    for (const ToolbarButton& b : bar.buttons)
      if (b.id != 0) {
        std::string name = IconNameForCommand(b.command);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
      }
  for (const CursorPicture& c : CursorPictures()) names.push_back(c.name);
  names.insert(names.end(), PanelIconNames().begin(), PanelIconNames().end());
  return names;
}

}  // namespace lumi
