// When the chart paints: the gate before the window exists, its nesting,
// AutoRedraw, ShowGraf's fast path and ClearGraf.

#include "PlotChartFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotChartRepaint, NothingIsPaintedBeforeTheWindowExists) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetChartCaption(QStringLiteral("early"));
    SetRanges(chart, 0, 10, 0, 10);
    chart.Line(0.0, 1.0, 10.0, 1.0);
    chart.ShowGraf();
    chart.Paint();
    chart.SetSuppressPaint(false);
    EXPECT_EQ(chart.PaintCount(), 0);

    // A chart that is only shown keeps its gate until its window is created
    // by TPlotChart's own step.
    TCustomPlotChart plain;
    plain.show();
    QApplication::processEvents();
    plain.SetChartCaption(QStringLiteral("plain"));
    EXPECT_TRUE(plain.SuppressPaint());
    EXPECT_EQ(plain.PaintCount(), 0);

    TPlotChart shown;
    shown.SetBounds(0, 0, 647, 400);
    shown.SetChartCaption(QStringLiteral("hidden"));
    EXPECT_EQ(shown.PaintCount(), 0);
    shown.show();
    EXPECT_FALSE(shown.SuppressPaint());
    QApplication::processEvents();
    EXPECT_GE(shown.PaintCount(), 1) << "Qt's first paint request composes the picture";
}

TEST(PlotChartRepaint, GateNestsAndOnlySetSuppressPaintRepaints) {
    auto chart = MakeShownChart(Chart1Size);
    int count = chart->PaintCount();
    chart->SetSuppressPaint(true);
    chart->SetChartCaption(QStringLiteral("gated"));
    chart->Scale1X().SetRangeHigh(50); // ends with Paint, which the gate holds back
    chart->SetBounds(0, 0, 600, 380);
    EXPECT_TRUE(chart->SuppressPaint());
    EXPECT_EQ(chart->PaintCount(), count);
    chart->SetSuppressPaint(false);
    EXPECT_EQ(chart->PaintCount(), count + 1);
    chart->SetSuppressPaint(false); // no change: no repaint
    EXPECT_EQ(chart->PaintCount(), count + 1);
}

TEST(PlotChartRepaint, AutoRedrawDecidesForSettingsButNotForRanges) {
    auto chart = MakeShownChart(Chart1Size);
    chart->SetAutoRedraw(false);
    int count = chart->PaintCount();
    const QImage before = chart->ChartBmp().Image().copy();
    chart->SetChartCaption(QStringLiteral("not yet"));
    chart->SetChartColor(clRed);
    chart->SetShadowWidth(4);
    EXPECT_EQ(chart->PaintCount(), count);
    EXPECT_EQ(chart->ChartBmp().Image(), before);

    chart->Scale1X().SetRangeHigh(20);
    EXPECT_EQ(chart->PaintCount(), count + 1);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), 100, 100), clRed);

    chart->SetAutoRedraw(true);
    count = chart->PaintCount();
    chart->SetChartCaption(QStringLiteral("now"));
    EXPECT_EQ(chart->PaintCount(), count + 1);
    // Drawing-state changes and new items never paint.
    chart->SetDataCol(clBlue);
    chart->SetLineWid(2);
    chart->Line(0.0, 0.5, 20.0, 0.5);
    chart->ClearGraf();
    EXPECT_EQ(chart->PaintCount(), count + 1);
}

TEST(PlotChartRepaint, ShowGrafRedrawsOnlyThePlotArea) {
    auto chart = MakeShownChart(Chart1Size);
    SetRanges(*chart, 0, 10, 0, 10);
    const int count = chart->PaintCount();
    const QImage chartBmp = chart->ChartBmp().Image().copy();
    chart->SetDataCol(clRed);
    chart->Line(0.0, 5.0, 10.0, 5.0);
    EXPECT_NE(PixelAt(chart->SurfaceImage(), 300, 190), clRed) << "appending never draws";
    chart->ShowGraf();
    EXPECT_EQ(chart->PaintCount(), count);
    EXPECT_EQ(chart->ChartBmp().Image(), chartBmp);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), 300, 190), clRed);

    // With AutoRedraw off ShowGraf repaints everything.
    chart->SetAutoRedraw(false);
    chart->ShowGraf();
    EXPECT_EQ(chart->PaintCount(), count + 1);

    // ClearGraf empties the list; the picture changes at the next paint only.
    chart->ClearGraf();
    EXPECT_EQ(chart->NumItems(), 0);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), 300, 190), clRed);
    chart->ShowGraf();
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), 300, 190), clWhite);
}

TEST(PlotChartRepaint, HiddenChartShowsNothing) {
    auto chart = MakeShownChart(Chart1Size);
    chart->hide();
    const int count = chart->PaintCount();
    chart->Line(0.0, 0.5, 1.0, 0.5);
    chart->ShowGraf();
    chart->SetChartCaption(QStringLiteral("hidden"));
    EXPECT_EQ(chart->PaintCount(), count);
}

} // namespace

namespace {

TEST(PlotChartLoading, LoadingHoldsBackScalingAndPaintingUntilLoaded) {
    auto chart = MakeShownChart(Chart1Size);
    const int count = chart->PaintCount();
    const long double kx = chart->Cpkx(1);
    chart->BeginLoading();
    chart->SetDescProperty(QStringLiteral("Left"), QStringLiteral("8"));
    chart->SetDescProperty(QStringLiteral("Top"), QStringLiteral("9"));
    chart->SetDescProperty(QStringLiteral("Width"), QStringLiteral("539"));
    chart->SetDescProperty(QStringLiteral("Height"), QStringLiteral("314"));
    chart->SetChartCaption(QStringLiteral("loading"));
    chart->Scale1X().SetRangeHigh(100);
    EXPECT_EQ(chart->PaintCount(), count);
    EXPECT_EQ(chart->Cpkx(1), kx);
    EXPECT_EQ(chart->GrafBmp().Width(), 470) << "the plot bitmap follows at once";

    chart->Loaded();
    EXPECT_FALSE(chart->IsLoading());
    EXPECT_EQ(chart->geometry(), QRect(8, 9, 539, 314));
    EXPECT_DOUBLE_EQ(static_cast<double>(chart->Cpkx(1)), 469.0 / 100);
    EXPECT_EQ(chart->PaintCount(), count + 1);
}

} // namespace
