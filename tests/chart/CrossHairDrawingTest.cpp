// What each crosshair mode adds to the shown picture, pixel by pixel, and
// that crosshairs that are all off leave it exactly as composed.

#include "PlotChartFixture.h"
#include "chart/CrossHair.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Chart1 with one unit per pixel: column 50 + x, row 360 - y.
std::shared_ptr<TPlotChart> UnitChart() {
    auto c = MakeShownChart(Chart1Size);
    SetRanges(*c, 0, 577, 0, 340);
    c->SetDataCol(clBlue);
    c->Line(0.0, 50.0, 577.0, 300.0);
    c->Paint();
    return c;
}

} // namespace

TEST(CrossHairDrawing, EachModeDrawsItsLinesAndBox) {
    // Crosshair at (200, 100): column 250, row 260; its box reaches 5 pixels out.
    constexpr int Col = 250, Row = 260;
    const auto horiz = [](int x, int y) { return y == Row && x >= 50 && x <= 627; };
    const auto vert = [](int x, int y) { return x == Col && y >= 20 && y <= 360; };
    const auto box = [](int x, int y) {
        const int dx = std::abs(x - Col), dy = std::abs(y - Row);
        return (dx == 5 && dy <= 5) || (dy == 5 && dx <= 5);
    };
    const struct {
        TCrossHMode Mode;
        std::function<bool(int, int)> Drawn;
    } cases[] = {
        {chHoriz, horiz},
        {chVert, vert},
        {chBoth, [&](int x, int y) { return horiz(x, y) || vert(x, y); }},
        {chCrossBox, [&](int x, int y) { return horiz(x, y) || vert(x, y) || box(x, y); }},
        {chBox, box},
    };
    auto c = UnitChart();
    const QImage plain = c->SurfaceImage().copy();
    TCrossHair& ch = c->CrossHair(3);
    ch.SetLayer(1);
    ch.SetLineType(psSolid);
    ch.SetColor(clRed);
    ch.SetPos(200, 100);
    for (const auto& tc : cases) {
        ch.SetMode(tc.Mode);
        const QImage& shown = c->SurfaceImage();
        int drawn = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                if (tc.Drawn(x, y)) {
                    ASSERT_EQ(PixelAt(shown, x, y), clRed) << tc.Mode << " at " << x << "," << y;
                    ++drawn;
                } else {
                    ASSERT_EQ(shown.pixel(x, y), plain.pixel(x, y))
                        << tc.Mode << " at " << x << "," << y;
                }
            }
        EXPECT_GT(drawn, 0);
    }
}

TEST(CrossHairDrawing, FollowTheirLayerAndStayOffTheShadowAndRims) {
    auto c = UnitChart();
    c->Scale2X().SetRangeLow(0);
    c->Scale2X().SetRangeHigh(5770);
    c->Scale2Y().SetRangeLow(0);
    c->Scale2Y().SetRangeHigh(3400);
    TCrossHair& ch = c->CrossHair(2); // layer 2
    ch.SetLineType(psSolid);
    ch.SetPos(2000, 1000);
    ch.SetMode(chBoth);
    const QImage& shown = c->SurfaceImage();
    EXPECT_EQ(PixelAt(shown, 250, 300), clRed);
    EXPECT_EQ(PixelAt(shown, 400, 260), clRed);
    // The lines end at the plot area's edges.
    EXPECT_NE(PixelAt(shown, 250, 19), clRed);
    EXPECT_NE(PixelAt(shown, 250, 361), clRed);
    EXPECT_NE(PixelAt(shown, 49, 260), clRed);
    EXPECT_NE(PixelAt(shown, 628, 260), clRed);
}

TEST(CrossHairDrawing, AllOffLeavesThePictureAsComposed) {
    auto c = UnitChart();
    const QImage plain = c->SurfaceImage().copy();
    EXPECT_EQ(plain, c->ChartBmp().Image());
    c->CrossHair(1).SetMode(chCrossBox);
    EXPECT_NE(c->SurfaceImage(), plain);
    c->CrossHair(1).SetMode(chOff);
    EXPECT_EQ(c->SurfaceImage(), plain);
    // The fast path as well.
    c->ShowGraf();
    EXPECT_EQ(c->SurfaceImage(), plain);
}
