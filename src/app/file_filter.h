#pragma once
// File dialog filters are written as "Description|pattern|Description|pattern||"; Qt's
// dialogs want "Description (pattern);;Description (pattern)".
#include <string_view>

#include <QString>

namespace lumi::app {

inline constexpr std::string_view kOpenProjectFilter =
    "Project File (*.plv)| *.plv|Lumiverdant Editable E-JPG|*.jp*||";
inline constexpr std::string_view kSaveAsFilter =
    "Project Files (*.plv)|*.plv|JPG File (*.jpg)|*.jpg|PNG File (*.png)|*.png|"
    "Windows BMP (*.bmp)|*.bmp||";

// Each description keeps its text; its pattern is added in parentheses unless the
// description already ends with exactly that.
QString QtFileFilter(std::string_view filter);
// The position (0-based) of `selected` among the entries of a translated filter, or -1.
int QtFilterIndex(const QString& qt_filter, const QString& selected);

}  // namespace lumi::app
