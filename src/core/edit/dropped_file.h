#pragma once
// Files dropped on the window: a project or an editable JPG opens as a document; any
// other picture the image readers take becomes a bitmap object where it was dropped.
#include <filesystem>

#include "base/geometry.h"

namespace lumi {

class CDrawObject;
class CPlenivorDoc;

enum class DroppedFileUse { kOpen, kInsertPicture };

// A JPG without the editable JPG's trailer, and every other ending the image readers
// take (.png, .bmp, .pcx, .tif, .gif), is a picture to insert; everything else is opened
// (and a file that is no drawing is refused by the opening, as from the Open dialog).
DroppedFileUse UseOfDroppedFile(const std::filesystem::path& path);

// Reads the picture and adds it as a new bitmap object centred on `centre` (a canvas
// point), as one undoable change. Null, with the reader's message shown, when the file
// cannot be read; the document is then unchanged.
CDrawObject* InsertPictureFile(CPlenivorDoc& doc, const std::filesystem::path& path, Point centre);

}  // namespace lumi
