#pragma once

// The published properties of a chart as the window description stores them:
// dotted names in the order a description lists them, each with its setter
// from a value text, its getter to a value text and its declared default
// (a value equal to it is left out when a chart is written back).

#include "toolkit/Colors.h"
#include "toolkit/Graphics.h"
#include "toolkit/WindowDescription.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class TCustomPlotChart;

struct TChartProperty {
    QString Name;
    std::function<void(TCustomPlotChart& Chart, const QString& ValueText)> Set;
    std::function<QString(TCustomPlotChart& Chart)> Get;
    // Value text of the declared default; none means the property is always written.
    std::optional<QString> Default;
    // False for properties that are read but never written (StandardLayout).
    bool Stored = true;
};

const std::vector<TChartProperty>& ChartPropertyTable();

// Assigns one property by its dotted name; Exception for an unknown name or
// a value text of the wrong kind.
void ApplyChartProperty(TCustomPlotChart& Chart, const QString& DottedName,
                        const QString& ValueText);

// The chart's stored properties in table order, those equal to their
// declared default left out (position and size not included).
std::vector<TDescProperty> WriteChartProperties(TCustomPlotChart& Chart);

// The chart as a description object: Left, Top, Width, Height, then the
// properties of WriteChartProperties.
TDescObject WriteChartDescription(TCustomPlotChart& Chart, const QString& ObjectName);
