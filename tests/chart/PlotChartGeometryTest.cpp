// Geometry and transform: rims, shadow clamping, the minimum size, the
// data-to-pixel coefficients and the logarithmic-axis error.

#include "PlotChartFixture.h"
#include "chart/ChartErrors.h"
#include "chart/JointLayers.h"
#include "chart/Scale.h"

#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(PlotChartGeometry, ShadowWidthIsClampedAndShrinksThePlotArea) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    struct Case {
        int set, stored;
    };
    for (const Case c : {Case{40, 32}, Case{-1, 0}, Case{7, 7}}) {
        chart.SetShadowWidth(c.set);
        EXPECT_EQ(chart.ShadowWidth(), c.stored) << c.set;
        EXPECT_EQ(chart.GrafBmp().Width(), 647 - 50 - 20 - c.stored + 1) << c.set;
        EXPECT_EQ(chart.GrafBmp().Height(), 400 - 20 - 40 - c.stored + 1) << c.set;
    }
}

TEST(PlotChartGeometry, SetBoundsKeepsRoomForAPlotArea) {
    struct Case {
        int shadow, w, h, wantW, wantH;
    };
    for (const Case c :
         {Case{0, 100, 50, 150, 80}, Case{0, 151, 81, 151, 81}, Case{10, 100, 50, 160, 90}}) {
        TPlotChart chart;
        chart.SetShadowWidth(c.shadow);
        chart.SetBounds(3, 4, c.w, c.h);
        EXPECT_EQ(chart.geometry(), QRect(3, 4, c.wantW, c.wantH)) << c.w << "x" << c.h;
    }
}

TEST(PlotChartGeometry, SetBoundsRestoresTheGateWithoutPainting) {
    auto chart = MakeShownChart(Chart1Size);
    ASSERT_FALSE(chart->SuppressPaint());
    const int before = chart->PaintCount();
    chart->SetBounds(0, 0, 539, 314);
    EXPECT_FALSE(chart->SuppressPaint());
    EXPECT_EQ(chart->PaintCount(), before);
    EXPECT_EQ(chart->GrafBmp().Width(), 470);
    EXPECT_EQ(chart->GrafBmp().Height(), 255);
}

TEST(PlotChartGeometry, RimsAndMarginsAreOneValue) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetMarginLeft(60);
    chart.SetRRim(30);
    chart.SetMarginTop(25);
    chart.SetBRim(45);
    EXPECT_EQ(chart.LRim(), 60);
    EXPECT_EQ(chart.MarginRight(), 30);
    EXPECT_EQ(chart.TRim(), 25);
    EXPECT_EQ(chart.MarginBottom(), 45);
    EXPECT_EQ(chart.GrafBmp().Width(), 647 - 60 - 30 + 1);
    EXPECT_EQ(chart.GrafBmp().Height(), 400 - 25 - 45 + 1);
    // The scale objects follow: axis ends on the plot edges.
    EXPECT_EQ(chart.ScaleX(1).MarginLeft(), 60);
    EXPECT_EQ(chart.ScaleX(2).MarginRight(), 29);
    EXPECT_EQ(chart.ScaleY(1).MarginTop(), 25);
    EXPECT_EQ(chart.ScaleY(2).MarginBottom(), 44);
}

TEST(PlotChartTransform, MapsTheRangeEndsOntoThePlotEdges) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    SetRanges(chart, 1, 10, -2, 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpkx(1)), 577.0 / 9);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpdx(1)), (50.0 * 10 - 627.0 * 1) / 9);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpky(1)), -340.0 / 4);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpdy(1)), (360.0 * 2 - 20.0 * -2) / 4);
    int x, y;
    chart.R2M(1, 1, -2, x, y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 360);
    chart.R2M(1, 10, 2, x, y);
    EXPECT_EQ(x, 627);
    EXPECT_EQ(y, 20);
}

TEST(PlotChartTransform, TooSmallForItsRimsCollapsesToTheMiddle) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetLRim(640);
    chart.SetTRim(390);
    EXPECT_EQ(chart.GrafBmp().Width(), 0);
    EXPECT_EQ(chart.GrafBmp().Height(), 0);
    EXPECT_EQ(chart.Cpkx(1), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpdx(1)), 647.0 / 2);
    EXPECT_EQ(chart.Cpky(2), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Cpdy(2)), 400.0 / 2);
}

TEST(PlotChartTransform, LogarithmicAxisWithANonPositiveBoundFails) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    // The fresh axis (0..1) still accepts the switch; the chart then refuses it.
    try {
        chart.Scale1Y().SetLogarithmic(true);
        FAIL() << "no error";
    } catch (const EChartError& e) {
        EXPECT_EQ(e.Message(), "Logarithmic axis must not be negative.");
    }
    EXPECT_TRUE(chart.SuppressPaint()) << "the gate is restored on the way out";

    // Once both bounds are positive the axis maps through ln.
    EXPECT_NO_THROW(chart.Scale1Y().SetRangeLow(1));
    EXPECT_NO_THROW(chart.Scale1Y().SetRangeHigh(100));
    int x, y;
    chart.R2M(1, 0.5, 10, x, y);
    EXPECT_EQ(y, 190);
}

} // namespace

namespace {

TEST(PlotChartGeometry, QtsOwnResizesKeepTheMinimumSize) {
    // Layouts and Qt's own resize calls bypass SetBounds; the chart still gets
    // no smaller than L + R + S + 80 by T + B + S + 20 (150 x 80 here).
    const struct {
        const char* Name;
        std::function<void(QWidget& host, TPlotChart& chart)> Shrink;
    } cases[] = {
        {"resize", [](QWidget&, TPlotChart& c) { c.resize(100, 50); }},
        {"setGeometry", [](QWidget&, TPlotChart& c) { c.setGeometry(5, 6, 10, 10); }},
        {"while hidden",
         [](QWidget&, TPlotChart& c) {
             c.hide();
             c.resize(20, 20);
             c.show();
         }},
        {"layout",
         [](QWidget& host, TPlotChart& c) {
             auto* layout = new QVBoxLayout(&host);
             layout->setContentsMargins(0, 0, 0, 0);
             layout->addWidget(&c);
             host.resize(60, 30);
             QApplication::processEvents();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto chart = MakeShownChart(Chart1Size);
        c.Shrink(*chart->parentWidget(), *chart);
        QApplication::processEvents();
        EXPECT_EQ(chart->width(), 150);
        EXPECT_EQ(chart->height(), 80);
        EXPECT_EQ(chart->GrafBmp().Width(), 150 - 50 - 20 + 1);
        EXPECT_EQ(chart->GrafBmp().Height(), 80 - 20 - 40 + 1);
    }
}

TEST(PlotChartTransform, ForcedRangesAreStoredAsRequested) {
    // Widths from 0.99 x MinRange up are stored as they are, not moved apart
    // to MinRange; narrower ones leave the axis as it was.
    struct {
        double minRange, low, high, wantLow, wantHigh;
    } cases[] = {{1, 0, 0.995, 0, 0.995},     {1, 3, 3.99, 3, 3.99}, {1, 5, 4.001, 5, 4.001},
                 {0.5, 2, 2.4999, 2, 2.4999}, {1, 0, 0.98, 10, 20},  {1, -7, 1e6, -7, 1e6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        TPlotChart chart;
        chart.SetBounds(0, 0, 647, 400);
        SetRanges(chart, 10, 20, 0, 1);
        chart.Scale1X().SetMinRange(c.minRange);
        chart.ForceRange(1, c.low, c.high, 0, 1);
        EXPECT_EQ(chart.Scale1X().RangeLow(), c.wantLow);
        EXPECT_EQ(chart.Scale1X().RangeHigh(), c.wantHigh);
        int x, y;
        chart.R2M(1, c.wantLow, 0, x, y);
        EXPECT_EQ(x, 50) << "the map follows";
    }

    // A layer joined to another takes its range, however narrow for its own MinRange.
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.Scale2X().SetMinRange(1);
    chart.Scale1X().SetRangeHigh(0.995);
    chart.JointLayers().SetL02xControlledBy(1);
    EXPECT_EQ(chart.Scale2X().RangeLow(), 0);
    EXPECT_EQ(chart.Scale2X().RangeHigh(), 0.995);
}

} // namespace
