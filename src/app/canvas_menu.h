#pragma once
// The window's entries for the canvas and colour commands: the Project menu ("Size and
// Color...", the three trims, "General Settings...") and one call per colour command for
// the menus and bars that open them.
#include <string_view>

class QMenu;

namespace lumi {
class Host;
}

class QWidget;

namespace lumi::app {

class CPlenivorView;
class MainWindow;

// Adds the Project menu to the window's menu bar, with the screen capture commands.
QMenu* AddCanvasMenu(MainWindow& window);
// Once the toolbars exist: the capture buttons' own tooltips (or why capture is off).
void ShowCanvasMenuTips(MainWindow& window);
// Runs the command of that menu text (core's canvas command table) with the window's
// dialogs, then repaints; false when it changed nothing or is not available now.
bool RunCanvasCommand(MainWindow& window, std::string_view text);
// The same for any view with its tools attached, the dialogs over `parent`.
bool RunCanvasCommand(CPlenivorView& view, Host& host, QWidget* parent, std::string_view text);
// "Bitmap Effects..." (and the colour bar's gene button for a bitmap): the "Bitmap Color
// Tweak" dialog on the view's current bitmap object; true when the bitmap was changed.
bool OpenBitmapColourTweak(MainWindow& window);
bool OpenBitmapColourTweak(CPlenivorView& view, Host& host, QWidget* parent);
// "Shift Color...": over the view's selection.
bool OpenShiftColour(MainWindow& window);

}  // namespace lumi::app
