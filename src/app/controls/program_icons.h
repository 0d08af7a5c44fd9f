#pragma once
// The program's own pictures (SVG files compiled in as resources under ":/icons/"): one
// per toolbar command, tool cursor and panel button, found by the names of
// ui/toolbar_commands.h.
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QString>
#include <string>
#include <string_view>

namespace lumi::app {

// ":/icons/<name>.svg".
QString IconResourcePath(const std::string& name);

// Whether the picture exists.
bool HasIcon(const std::string& name);

// The picture of a command by its menu text ("&Open..." finds "open.svg"); a null icon
// when there is none.
QIcon CommandIcon(std::string_view command);

// The picture `name` drawn at `size` logical pixels for a screen of the given pixel
// ratio (transparent where the picture is not), at its own size for an invalid `size`; a
// null image when there is none.
QImage IconImage(const std::string& name, QSize size, qreal device_pixel_ratio = 1.0);

// The cursor of a role ("zoom", "pencil", ...): the picture "cursor-<role>" at 32 pixels
// with the hot spot of ui/toolbar_commands.h; the arrow when there is no such picture.
QCursor ToolCursor(const std::string& role);

}  // namespace lumi::app
