// The rendering pass on a real 32-bit bitmap: what reaches the pixels.

#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"
#include "toolkit/Canvas.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// Chart1's geometry, 647 x 400 with rims 50, 20, 20, 40: the plot bitmap is
// 578 x 341; X axis 0..64, Y axis 0..100.
TRenderParams Chart1Params() {
    TRenderParams p;
    p.Map = TPlotMap({647, 400, 50, 20, 20, 40, 0});
    p.ChartFrameColor = clBlack;
    for (int layer = 1; layer <= 2; ++layer) {
        p.Map.SetLayerX(layer, p.Map.XAxis(0, 64, false));
        p.Map.SetLayerY(layer, p.Map.YAxis(0, 100, false));
    }
    return p;
}

QRgb Rgb(TColor c) {
    return ColorToQColor(c).rgb();
}

struct RendererPixels : ::testing::Test {
    TRenderParams params = Chart1Params();
    TChartDrawingList lists;
    TChartRenderer renderer;
    TBitmap bmp{578, 341};

    void Render() {
        TCanvas& c = bmp.Canvas();
        c.Brush.Color = clWhite;
        c.Brush.Style = bsSolid;
        c.FillRect({0, 0, bmp.Width(), bmp.Height()});
        renderer.ConstructDataBmpCanvas(c, params, lists, 0, 0, false, 0);
    }
    QRgb At(int x, int y) const { return bmp.Image().pixel(x, y); }
};

TEST_F(RendererPixels, FarReachingLineSpansThePlotAreaThreePixelsHigh) {
    const double m = 50; // row 360 - 170 = 190 of the control, 170 of the bitmap
    lists.SetDataCol(clRed);
    lists.SetLineWid(3);
    lists.Line(0, static_cast<int>(m), 100000, static_cast<int>(m));
    Render();
    for (int x = 1; x <= 576; ++x) {
        for (int y = 169; y <= 171; ++y)
            ASSERT_EQ(At(x, y), Rgb(clRed)) << x << "," << y;
        ASSERT_EQ(At(x, 168), Rgb(clWhite)) << x;
        ASSERT_EQ(At(x, 172), Rgb(clWhite)) << x;
    }
    // The frame lies on the outermost pixels, over the line's ends.
    for (int y = 0; y < 341; ++y) {
        ASSERT_EQ(At(0, y), Rgb(clBlack)) << y;
        ASSERT_EQ(At(577, y), Rgb(clBlack)) << y;
    }
    for (int x = 0; x < 578; ++x) {
        ASSERT_EQ(At(x, 0), Rgb(clBlack)) << x;
        ASSERT_EQ(At(x, 340), Rgb(clBlack)) << x;
    }
}

TEST_F(RendererPixels, LineOnOnePixelSetsExactlyThatPixel) {
    lists.SetDataCol(clBlue);
    lists.SetLineWid(3);
    lists.Line(32.0, 50.0, 31.99, 50.01); // both ends on pixel (288, 170)
    Render();
    int blue = 0;
    for (int y = 1; y < 340; ++y)
        for (int x = 1; x < 577; ++x)
            if (At(x, y) == Rgb(clBlue))
                ++blue;
            else
                ASSERT_EQ(At(x, y), Rgb(clWhite)) << x << "," << y;
    EXPECT_EQ(blue, 1);
    EXPECT_EQ(At(288, 170), Rgb(clBlue));
}

} // namespace
