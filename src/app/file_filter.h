#pragma once
// File dialog filters are written as "Description|pattern|Description|pattern||"; Qt's
// dialogs want "Description (pattern);;Description (pattern)".
// The filters themselves, and the formats they stand for, are the core's
// (image/image_format.h).
#include <optional>
#include <string_view>

#include <QString>

#include "image/image_format.h"

namespace lumi::app {

// Each description keeps its text; its pattern is added in parentheses unless the
// description already ends with exactly that.
QString QtFileFilter(std::string_view filter);
// A dialog's whole filter, translated.
QString QtDialogFilter(FormatDialog dialog);
// The format of the dialog's entry whose translation is `selected` (a Qt dialog's
// selectedNameFilter()); nothing for a text the dialog does not list.
std::optional<ImageFormat> QtFilterFormat(FormatDialog dialog, const QString& selected);

}  // namespace lumi::app
