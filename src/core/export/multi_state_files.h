#pragma once
// The generic targets of the multi-state button export: a background image, three images
// per button whose names end in a (normal), b (highlighted) and c (pushed), and a text
// table of the buttons' positions. All names come from the path chosen in the save
// dialog, "C:\out\btn.jpg" or "/home/me/btn.jpg": the background goes to that path, the
// buttons to btn0a.jpg, btn0b.jpg ... and the table to btn.txt beside it.
#include <string>
#include <string_view>

#include "export/multi_state_compose.h"

namespace lumi {

// The last three characters of the path, lower-cased: "bmp" or "jpg".
std::string SeparateExtension(std::string_view path);
// The path without its last four characters (the dot and the extension).
std::string SeparateBase(std::string_view path);
// The part of a path after its last slash or backslash.
std::string FileTitle(std::string_view path);

// Each writer below shows the image library's message and returns false when a file
// cannot be written; files already written stay. A path whose extension is neither
// "bmp" nor "jpg" writes nothing and gives "Bad user param".

// The background image, to the chosen path with its extension lower-cased.
bool ExportSeparateBackground(const std::string& path, const CanvasArea& canvas,
                              const ObjectList& objects, Host& host);
// The images of exported framed object `j`: base + j + "a." + ext always, "b." and "c."
// when the object has that look and is not in Solo mode; then "Done.." in the status
// pane. "Error export #2" when there is no object `j`.
bool ExportSeparateObject(const std::string& path, int j, const CanvasArea& canvas,
                          ObjectList& objects, Host& host);
// base + ".txt": two header lines, then per button "btn0x.jpg : Left 12,Top 40" with the
// top-left of its export rectangle, every line ended by CR LF.
bool WriteExportTable(const std::string& path, const ObjectList& objects, Host& host);

// The table's text, as WriteExportTable writes it.
std::string ExportTableText(const std::string& path, const ObjectList& objects);

inline constexpr std::string_view kNoSuchButtonMessage = "Error export #2";

}  // namespace lumi
