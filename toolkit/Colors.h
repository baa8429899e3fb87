#pragma once

// The colour names a window description may use, and how a TColor becomes
// what the screen shows. One table for every reader: the description loader,
// the chart's property table and the canvas, so that a name means the same
// colour in a control, in a chart and on the picture.

#include "toolkit/Graphics.h"

#include <QColor>
#include <QString>
#include <optional>

class QPalette;

// The colour of a name ("clRed", "clBtnFace"); none for an unknown name.
std::optional<TColor> ColorOfName(const QString& Name);
// The name of a colour that has one.
std::optional<QString> NameOfColor(TColor Color);

// A description's colour value: a name from the table or a number
// (0x00BBGGRR, or a system colour's value). EDescriptionError for an unknown
// name or a bad number.
TColor DescColor(const QString& ValueText);
// The value text of a colour: its name when it has one, the number otherwise.
QString ColorToDescText(TColor Color);

// What a colour looks like: a system colour is taken from the palette (the
// application's when none is given), any other colour from its parts.
QColor ColorToQColor(TColor Color);
QColor ColorToQColor(TColor Color, const QPalette& Palette);
