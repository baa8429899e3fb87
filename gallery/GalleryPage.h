#pragma once

// One page of the chart gallery: a line of explanation, an optional row of
// controls, one or two charts side by side and an optional event readout.
// Every page is built by a small function of its own (GalleryPages.cpp) that
// receives an empty page and fills it; the table of pages is all the window
// and the command line know about them.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QWidget>
#include <span>
#include <vector>

class QHBoxLayout;
class QPlainTextEdit;
class TPlotChart;
class TCustomPlotChart;

class TGalleryPage : public QWidget {
public:
    explicit TGalleryPage(const QString& Explanation, QWidget* parent = nullptr);

    // A new chart in the chart row, sized for a page, with AutoRedraw on.
    TPlotChart& AddChart();
    // The row above the charts where a page puts its buttons and choosers.
    QHBoxLayout& Controls();
    // A read-only text box under the charts; Log appends a line to it.
    void AddReadout();
    void Log(const QString& Line);
    // What the readout holds, a line each (none without a readout).
    QStringList ReadoutLines() const;

    const std::vector<TPlotChart*>& Charts() const { return FCharts; }

private:
    QHBoxLayout* FChartRow = nullptr;
    QHBoxLayout* FControls = nullptr;
    QPlainTextEdit* FReadout = nullptr;
    std::vector<TPlotChart*> FCharts;
};

struct TGalleryPageEntry {
    const char* Name;        // what --page takes and --list prints
    const char* Title;       // the page list's entry
    const char* Explanation; // the line above the charts
    void (*Build)(TGalleryPage& Page);
};

// Every page, in the order of the page list.
std::span<const TGalleryPageEntry> GalleryPages();
// The page of that name, or none.
const TGalleryPageEntry* FindGalleryPage(QStringView Name);
// A page made by its entry's function.
TGalleryPage* MakeGalleryPage(const TGalleryPageEntry& Entry, QWidget* parent = nullptr);

// How many pixels of the chart's plot area, inside its frame, differ from
// its background (colour, area band or picture, as InitGraf paints it), as
// the chart paints itself now through its paint event: 0 for a chart that
// draws no item, grid or crosshair, however its background looks.
int PlotPixelsDrawn(TCustomPlotChart& Chart);
// Fewer than this and a plot counts as blank: a stray pixel is no chart.
constexpr int MinPlotPixelsDrawn = 50;
