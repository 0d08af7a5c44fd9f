#pragma once
// Which objects the multi-state button export treats as buttons, and the area each
// button's images cover. An object with a highlighted or a pushed look is "framed"; a
// framed object without "Keep With Previous" is exported on its own and numbered 0, 1,
// 2 ... in list order. A framed object with "Keep With Previous" is only drawn into the
// images of the buttons below it.
#include <memory>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace lumi {

class CDrawObject;
class Host;

using ObjectList = std::vector<std::unique_ptr<CDrawObject>>;

inline constexpr std::string_view kNoMultiframeObjectsMessage =
    "There are no separate multiframe objects in this project.\nTo create multiframe objects "
    "you have to use Multimedia Extension properties.\nPlease refer to the help for more "
    "info...";

bool IsFramed(const CDrawObject& object);
bool IsExportedFramed(const CDrawObject& object);
int CountExportedFramed(const ObjectList& objects);
// The list index of exported framed object `j`, or -1 when there is no such object.
int ExportedFramedIndex(const ObjectList& objects, int j);

// The canvas area of a button's images: the visible extent (shadow or glow included) of
// the normal look united, unless the object is in Solo mode, with that of its
// highlighted and pushed looks. Whichever look the object shows now, the normal look is
// the one kept in its copy.
Rect ExportRect(const CDrawObject& object);

// The first two steps of the command: tells the user and returns false when there is no
// exported framed object; otherwise every object stores the look it shows into its copy,
// so the look switching of the export keeps the user's latest edits.
bool PrepareMultiStateExport(ObjectList& objects, Host& host);

}  // namespace lumi
