#pragma once

// Shared set-up of the chart widget tests: a chart the size of the main
// window's charts, shown on the offscreen platform so that its gate is open.

#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <memory>

struct TChartSize {
    int Width;
    int Height;
    int PlotRight;  // last column of the plot area
    int PlotBottom; // last row of the plot area
};

// The two charts of the main window: rims 50, 20, 20, 40, no shadow.
constexpr TChartSize Chart1Size{647, 400, 627, 360};
constexpr TChartSize Chart2Size{539, 314, 519, 274};

// A chart placed on a shown window, as in the main window; the pointer keeps
// the window alive.
inline std::shared_ptr<TPlotChart> MakeShownChart(const TChartSize& size) {
    auto host = std::make_shared<QWidget>();
    host->resize(1000, 800);
    auto* chart = new TPlotChart(host.get());
    chart->SetBounds(0, 0, size.Width, size.Height);
    host->show();
    QApplication::processEvents();
    return std::shared_ptr<TPlotChart>(host, chart);
}

inline void SetRanges(TCustomPlotChart& chart, double xlo, double xhi, double ylo, double yhi) {
    chart.Scale1X().SetRangeLow(xlo);
    chart.Scale1X().SetRangeHigh(xhi);
    chart.Scale1Y().SetRangeLow(ylo);
    chart.Scale1Y().SetRangeHigh(yhi);
}

// The pixel as a TColor (0x00BBGGRR).
inline TColor PixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGBColor(qRed(p), qGreen(p), qBlue(p));
}
