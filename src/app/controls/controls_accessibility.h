#pragma once
// Screen readers and AT-SPI tools read and set the custom controls: the colour slider
// and the dial expose a value (their position), the picker its colours as "#RRGGBB"
// (first, then second, separated by ", "). A control's name is its accessibleName(),
// else its tool tip, else what kind of control it is.
#include <QString>
#include <QVariant>
#include <QWidget>

namespace lumi::app {

// Registers the interfaces of the custom controls with Qt once; every control calls it.
void InstallControlsAccessibility();

// Tells assistive tools that a control's value changed (a number, or the picker's text).
void NotifyAccessibleValue(QWidget* control, const QVariant& value);

// "#RRGGBB" of a colour 0x00BBGGRR.
QString ColourText(unsigned colour);
// The colour of "#RRGGBB" (case-insensitive); false when the text is not one.
bool ParseColourText(const QString& text, unsigned* colour);

}  // namespace lumi::app
