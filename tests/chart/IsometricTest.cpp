// Isometric scaling: the Y ranges recentred so that one world unit spans the
// same physical length along both axes, and when that happens.

#include "PlotChartFixture.h"
#include "chart/JointLayers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

// The plot area's pixels between its first and last column, and row.
constexpr int A1 = Chart1Size.PlotRight - 50;
constexpr int B1 = Chart1Size.PlotBottom - 20;

std::pair<double, double> YRange(TCustomPlotChart& chart, int layer) {
    return {chart.ScalePropsY(layer).RangeLow(), chart.ScalePropsY(layer).RangeHigh()};
}

// The Y range that makes a chart of the main window's first size isometric.
std::pair<double, double> Expected(const TCustomPlotChart& chart, double xLo, double xHi,
                                   double middle, int a = A1, int b = B1) {
    const double half = std::abs(xHi - xLo) * b / a * chart.AspectX() / chart.AspectY() / 2;
    return {middle - half, middle + half};
}

void ExpectRange(std::pair<double, double> got, std::pair<double, double> want) {
    EXPECT_NEAR(got.first, want.first, 1e-9 * std::abs(want.second - want.first));
    EXPECT_NEAR(got.second, want.second, 1e-9 * std::abs(want.second - want.first));
}

} // namespace

TEST(Isometric, FormulaRecentresTheYRange) {
    const struct {
        double xLo, xHi, yLo, yHi;
        int a, b;
        double aspX, aspY;
        double lo, hi;
    } cases[] = {
        {0, 10, 0, 10, 100, 50, 96, 96, 2.5, 7.5},
        {10, 0, 0, 10, 100, 50, 96, 96, 2.5, 7.5}, // X direction does not matter
        {0, 10, 10, 0, 100, 50, 96, 96, 7.5, 2.5}, // Y keeps its own
        {0, 10, 0, 10, 100, 50, 192, 96, 0, 10},   // wide pixels: more Y per row
        {0, 10, -4, 2, 50, 100, 96, 96, -11, 9},   // middle -1 kept
        {-3, 1, 100, 100, 200, 200, 96, 120, 98.4, 101.6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xLo << ".." << c.xHi << " " << c.yLo << ".." << c.yHi
                                        << " a " << c.a << " b " << c.b);
        const auto r =
            TCustomPlotChart::IsometricYRange(c.xLo, c.xHi, c.yLo, c.yHi, c.a, c.b, c.aspX, c.aspY);
        ASSERT_TRUE(r);
        EXPECT_NEAR(r->first, c.lo, 1e-12);
        EXPECT_NEAR(r->second, c.hi, 1e-12);
        // What it is for: inches per world unit equal on both axes.
        EXPECT_NEAR(c.a / std::abs(c.xHi - c.xLo) / c.aspX,
                    c.b / std::abs(r->second - r->first) / c.aspY, 1e-12);
    }
    for (const auto& [a, b, xHi, aspY] :
         {std::tuple{0, 50, 10.0, 96.0}, std::tuple{100, -1, 10.0, 96.0},
          std::tuple{100, 50, 0.0, 96.0}, std::tuple{100, 50, 10.0, 0.0}})
        EXPECT_FALSE(TCustomPlotChart::IsometricYRange(0, xHi, 0, 1, a, b, 96, aspY))
            << a << " " << b << " " << xHi << " " << aspY;
}

// Setting Isometric, a range change, a rim change and a resize recentre the
// Y range; a joined Y axis follows its controller and a logarithmic layer is
// left alone. Setting it to False keeps the ranges.
TEST(Isometric, AppliedOnTheChangesThatMoveTheScaling) {
    auto chart = MakeShownChart(Chart1Size);
    ASSERT_GT(chart->AspectX(), 0);
    ASSERT_GT(chart->AspectY(), 0);
    SetRanges(*chart, 0, 100, 0, 10);
    chart->Scale2Y().SetRangeHigh(1000);
    chart->Scale2Y().SetRangeLow(1);
    chart->Scale2Y().SetLogarithmic(true);
    const auto before = YRange(*chart, 1);
    int paints = chart->PaintCount();

    chart->SetIsometric(true);
    EXPECT_GT(chart->PaintCount(), paints);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 100, 5));
    EXPECT_EQ(YRange(*chart, 2), (std::pair{1.0, 1000.0})) << "logarithmic layer";

    chart->ForceRange(1, 0, 200, 40, 60);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 200, 50));
    chart->Scale1X().SetRangeHigh(50);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 50, 50));

    chart->SetLRim(100);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 50, 50, A1 - 50));
    chart->SetShadowWidth(10);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 50, 50, A1 - 60, B1 - 10));
    chart->SetBounds(0, 0, 700, 500);
    ExpectRange(YRange(*chart, 1), Expected(*chart, 0, 50, 50, A1 - 60 + 53, B1 - 10 + 100));

    // Layer 2's Y axis joined to layer 1 takes its recentred range.
    chart->Scale2Y().SetLogarithmic(false);
    chart->JointLayers().SetL02yControlledBy(1);
    chart->ForceRange(1, 0, 10, 0, 10);
    EXPECT_EQ(YRange(*chart, 2), YRange(*chart, 1));

    chart->SetIsometric(false);
    const auto kept = YRange(*chart, 1);
    chart->SetLRim(50);
    chart->ForceRange(1, 0, 300, kept.first, kept.second);
    EXPECT_EQ(YRange(*chart, 1), kept);
    EXPECT_NE(before, kept);
}

// A square of equal world extents is drawn with equal physical extents.
TEST(Isometric, EqualWorldExtentsGiveEqualPixelExtents) {
    auto chart = MakeShownChart(Chart1Size);
    SetRanges(*chart, 0, 10, 0, 10);
    chart->SetFillCol(clBlue);
    chart->SetDataCol(clBlue);
    // Around the middle, so that it stays inside the recentred Y range.
    chart->Rectangle(3.0, 3.0, 7.0, 7.0);
    chart->ShowGraf();
    const auto extent = [&] {
        const QImage& img = chart->SurfaceImage();
        int left = img.width(), right = -1, top = img.height(), bottom = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (PixelAt(img, x, y) == clBlue) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return std::pair{right - left + 1, bottom - top + 1};
    };
    const auto [w0, h0] = extent();
    EXPECT_GT(w0, h0 + 50) << "the plain chart stretches X";

    chart->SetIsometric(true);
    const auto [w, h] = extent();
    EXPECT_NEAR(w / chart->AspectX(), h / chart->AspectY(), 1.5 / chart->AspectY());
    EXPECT_NEAR(w, 4.0 * A1 / 10, 1.5);
}

// A description that sets Isometric before the ranges gets the Y range
// recentred on the middle it names, once everything is read.
TEST(Isometric, AppliedOnceAfterLoading) {
    TPlotChart chart;
    chart.BeginLoading();
    for (const auto& [name, value] : {std::pair{"Width", "647"},
                                      {"Height", "400"},
                                      {"Isometric", "True"},
                                      {"Scale1X.RangeHigh", "577"},
                                      {"Scale1Y.RangeLow", "0"},
                                      {"Scale1Y.RangeHigh", "100"}})
        chart.SetDescProperty(name, value);
    chart.Loaded();
    ExpectRange(YRange(chart, 1), Expected(chart, 0, 577, 50));
}
