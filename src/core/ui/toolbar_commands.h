#pragma once
// The four toolbars of the main window, button by button, and the name of the picture
// of every command, tool cursor and panel button. Pictures are found by name: a command's
// picture is its menu text without "&" and "...", lower case, words joined by "-"
// ("&Open..." is "open", "Select Object" is "select-object"); the window loads
// ":/icons/<name>.svg".
#include <string>
#include <string_view>
#include <vector>

namespace lumi {

struct ToolbarButton {
  int id;                     // command id; 0 is a separator
  std::string_view command;   // the command's menu text; empty for a separator
};

struct ToolbarLayout {
  int id;                     // 128 main, 130 "Tools", 147 "Object Tools", 183 "Screen Capture"
  std::string_view title;     // empty for the main toolbar
  std::vector<ToolbarButton> buttons;
};

// The four toolbars in the order the main window creates them. In the main toolbar the
// button at index 7 ("Zoom") and its neighbours are separators that make room for the
// zoom list.
const std::vector<ToolbarLayout>& MainToolbars();

// The picture name of a command text.
std::string IconNameForCommand(std::string_view command);

// A cursor picture (32 x 32) and the pixel of it that points.
struct CursorPicture {
  std::string name;  // "cursor-<role>"
  int hot_x;
  int hot_y;
};

// The cursor roles of the tools, the colour picker and the select tool's handles.
const std::vector<CursorPicture>& CursorPictures();
// Their picture names ("cursor-zoom", ...).
std::vector<std::string> CursorIconNames();

// The node panel buttons, the Multimedia Extension frame buttons (strips of three
// 60-pixel pictures: disabled, off, on), the gene button strip (three 15-pixel pictures:
// none, gene active, bitmap tweak) and the small bitmap labels of the bars.
const std::vector<std::string>& PanelIconNames();

// Every picture the program carries: toolbar commands, cursors and panel pictures.
std::vector<std::string> AllIconNames();

}  // namespace lumi
