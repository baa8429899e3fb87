#pragma once

// What the page functions share: colours, setting ranges and captions,
// curves, choosers, and a tap on a widget's events.

#include "toolkit/Graphics.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QEvent;
class TCustomPlotChart;
class TGalleryPage;
class TScaleProps;

constexpr TColor Orange = RGBColor(230, 120, 0);
constexpr TColor DarkGreen = RGBColor(0, 120, 60);
constexpr TColor SkyBlue = RGBColor(90, 160, 230);
constexpr TColor Pale = RGBColor(255, 244, 214);

// High end first: the default range is 0..1, and a low end set above it
// first would be pushed by the minimum range.
void SetRange(TScaleProps& Axis, double Low, double High);
// Layer 1's X and Y range.
void SetRanges(TCustomPlotChart& Chart, double XLow, double XHigh, double YLow, double YHigh);
// The chart's caption and layer 1's axis captions.
void Captions(TCustomPlotChart& Chart, const QString& Title, const QString& X, const QString& Y);
// A curve as one MoveTo and a run of DrawTo: the renderer joins them into polylines.
void Curve(TCustomPlotChart& Chart, double XLow, double XHigh, int Steps,
           const std::function<double(double)>& F);
// A combo box in the page's control row; Choose runs with the index now and
// whenever the choice changes.
void Chooser(TGalleryPage& Page, const QString& Label, const QStringList& Items, int Current,
             const std::function<void(int)>& Choose);
// The platform's date-time numbers: days since 30 December 1899.
double DayNumber(QDate Date);
// A pulse profile over 0..10: a peak at 5 on a ripple.
double Pulse(double x);

// Passes a watched widget's events to a function; the events go on to the
// widget as well. Owned by the watched widget.
class TEventTap : public QObject {
public:
    TEventTap(QObject* Watched, std::function<void(QEvent&)> Tap);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::function<void(QEvent&)> FTap;
};
