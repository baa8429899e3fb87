#include "gallery/PageHelpers.h"

#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "gallery/GalleryPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

void SetRange(TScaleProps& Axis, double Low, double High) {
    Axis.SetRangeHigh(High);
    Axis.SetRangeLow(Low);
}

void SetRanges(TCustomPlotChart& Chart, double XLow, double XHigh, double YLow, double YHigh) {
    SetRange(Chart.Scale1X(), XLow, XHigh);
    SetRange(Chart.Scale1Y(), YLow, YHigh);
}

void Captions(TCustomPlotChart& Chart, const QString& Title, const QString& X, const QString& Y) {
    Chart.SetChartCaption(Title);
    Chart.Scale1X().SetCaption(X);
    Chart.Scale1Y().SetCaption(Y);
}

void Curve(TCustomPlotChart& Chart, double XLow, double XHigh, int Steps,
           const std::function<double(double)>& F) {
    for (int i = 0; i <= Steps; ++i) {
        const double x = XLow + (XHigh - XLow) * i / Steps;
        if (i == 0)
            Chart.MoveTo(x, F(x));
        else
            Chart.DrawTo(x, F(x));
    }
}

void Chooser(TGalleryPage& Page, const QString& Label, const QStringList& Items, int Current,
             const std::function<void(int)>& Choose) {
    auto* label = new QLabel(Label, &Page);
    auto* box = new QComboBox(&Page);
    box->addItems(Items);
    box->setCurrentIndex(Current);
    Page.Controls().addWidget(label);
    Page.Controls().addWidget(box);
    Page.Controls().addStretch(1);
    QObject::connect(box, &QComboBox::currentIndexChanged, &Page, Choose);
    Choose(Current);
}

double DayNumber(QDate Date) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(Date));
}

double Pulse(double x) {
    return std::exp(-(x - 5) * (x - 5) / 0.5) + 0.15 * std::sin(3 * x);
}

TEventTap::TEventTap(QObject* Watched, std::function<void(QEvent&)> Tap)
    : QObject(Watched), FTap(std::move(Tap)) {
    Watched->installEventFilter(this);
}

bool TEventTap::eventFilter(QObject*, QEvent* Event) {
    FTap(*Event);
    return false;
}
