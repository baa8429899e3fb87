#include "gallery/GalleryPage.h"

#include "chart/PlotChart.h"
#include "toolkit/Canvas.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// Large enough for axes, caption and a readable plot; two fit side by side
// in the window's default width.
constexpr int ChartMinWidth = 420;
constexpr int ChartMinHeight = 320;

} // namespace

TGalleryPage::TGalleryPage(const QString& Explanation, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    auto* text = new QLabel(Explanation, this);
    text->setWordWrap(true);
    column->addWidget(text);
    FControls = new QHBoxLayout;
    column->addLayout(FControls);
    FChartRow = new QHBoxLayout;
    column->addLayout(FChartRow, 1);
}

TPlotChart& TGalleryPage::AddChart() {
    auto* chart = new TPlotChart(this);
    chart->setMinimumSize(ChartMinWidth, ChartMinHeight);
    chart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    chart->SetAutoRedraw(true);
    FChartRow->addWidget(chart, 1);
    FCharts.push_back(chart);
    return *chart;
}

QHBoxLayout& TGalleryPage::Controls() {
    return *FControls;
}

void TGalleryPage::AddReadout() {
    if (FReadout)
        return;
    FReadout = new QPlainTextEdit(this);
    FReadout->setReadOnly(true);
    FReadout->setMaximumBlockCount(500);
    FReadout->setFixedHeight(120);
    static_cast<QVBoxLayout*>(layout())->addWidget(FReadout);
}

void TGalleryPage::Log(const QString& Line) {
    if (FReadout)
        FReadout->appendPlainText(Line);
}

QStringList TGalleryPage::ReadoutLines() const {
    if (!FReadout)
        return {};
    return FReadout->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

const TGalleryPageEntry* FindGalleryPage(QStringView Name) {
    for (const TGalleryPageEntry& entry : GalleryPages())
        if (Name == QLatin1String(entry.Name))
            return &entry;
    return nullptr;
}

TGalleryPage* MakeGalleryPage(const TGalleryPageEntry& Entry, QWidget* parent) {
    auto* page = new TGalleryPage(QString::fromUtf8(Entry.Explanation), parent);
    Entry.Build(*page);
    return page;
}

int PlotPixelsDrawn(TCustomPlotChart& Chart) {
    const QImage shown = Chart.grab().toImage();
    const int width = Chart.PlotWidth();
    const int height = Chart.PlotHeight();
    TBitmap background(width, height);
    Chart.InitGraf(background.Canvas(), 0, 0, width, height);
    const QImage& bare = background.Image();
    int drawn = 0;
    // Inside the frame, which lies on the plot area's outermost pixels.
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x) {
            const QPoint at(Chart.LRim() + x, Chart.TRim() + y);
            if (shown.rect().contains(at) && shown.pixel(at) != bare.pixel(x, y))
                ++drawn;
        }
    return drawn;
}
