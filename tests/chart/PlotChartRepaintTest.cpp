// When the chart paints: the gate before the window exists, its nesting,
// AutoRedraw, ShowGraf's fast path and ClearGraf.

#include "PlotChartFixture.h"

#include <functional>
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

namespace {

void DrawSomething(TCustomPlotChart& chart) {
    SetRanges(chart, 0, 10, 0, 10);
    chart.SetChartCaption(QStringLiteral("Caption"));
    chart.SetDataCol(clRed);
    chart.Line(0.0, 5.0, 10.0, 5.0);
}

// ShowGraf's picture must be the one a full repaint makes.
void ExpectShowGrafPaintsTheWholeChart(TCustomPlotChart& chart) {
    chart.ShowGraf();
    const QImage shown = chart.SurfaceImage().copy();
    EXPECT_EQ(shown.size(), chart.size());
    chart.Paint();
    EXPECT_TRUE(shown == chart.SurfaceImage());
}

TEST(PlotChartRepaint, ShowGrafOnASurfaceOfAnotherSizeShowsTheWholeChart) {
    // The fast path only redraws the plot area; where the surface does not
    // hold a picture of the control's size yet, that is not enough.
    const struct {
        const char* Name;
        std::function<void(TPlotChart&)> Change;
    } cases[] = {
        {"resized by Qt", [](TPlotChart& c) { c.resize(700, 420); }},
        {"resized through SetBounds", [](TPlotChart& c) { c.SetBounds(0, 0, 600, 380); }},
        {"resized while hidden",
         [](TPlotChart& c) {
             c.hide();
             c.resize(500, 300);
             c.show();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto chart = MakeShownChart(Chart1Size);
        DrawSomething(*chart);
        c.Change(*chart);
        ExpectShowGrafPaintsTheWholeChart(*chart);
    }

    // Shown, but Qt has not asked for its first picture yet.
    QWidget host;
    host.resize(800, 600);
    auto* chart = new TPlotChart(&host);
    chart->SetBounds(0, 0, Chart1Size.Width, Chart1Size.Height);
    DrawSomething(*chart);
    host.show();
    ASSERT_FALSE(chart->SuppressPaint());
    SCOPED_TRACE("before any full paint");
    ExpectShowGrafPaintsTheWholeChart(*chart);
}

TEST(PlotChartRepaint, ShowGrafNewOnlyDrawsTheGridOnlyWhereThePlotLacksIt) {
    // Red lines lie on the grid's rows of 5 and 6. For the second pass a
    // handler moves every item out of sight: what the first pass left on
    // those rows shows whether the grid was drawn again.
    const auto setUp = [](TPlotChart& chart) {
        SetRanges(chart, 0, 10, 0, 10);
        chart.SetGridStyle(gsLines);
        chart.SetGridColor(clGray);
        chart.SetDataCol(clRed);
        chart.Line(0.0, 5.0, 10.0, 5.0);
        chart.Line(0.0, 6.0, 10.0, 6.0);
    };
    const auto hideItems = [](TPlotChart& chart) {
        chart.OnBeforeRenderChartItem = [](TCustomPlotChart&, TChartItem& item, int, bool) {
            item.y = item.y2 = 100;
        };
    };
    auto chart = MakeShownChart(Chart1Size);
    setUp(*chart);
    int x, row5;
    chart->R2M(1, 2.5, 5, x, row5);
    chart->ShowGraf();
    ASSERT_EQ(PixelAt(chart->SurfaceImage(), x, row5), clRed);
    hideItems(*chart);
    chart->ShowGrafNewOnly();
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), x, row5), clRed) << "the grid was drawn again";

    // After ClearGraf the plot holds its background alone: the grid is due.
    auto cleared = MakeShownChart(Chart1Size);
    setUp(*cleared);
    cleared->ShowGraf();
    cleared->ClearGraf();
    cleared->Line(0.0, 6.0, 10.0, 6.0);
    hideItems(*cleared);
    cleared->ShowGrafNewOnly();
    EXPECT_EQ(PixelAt(cleared->SurfaceImage(), x, row5), clGray);
}

} // namespace
