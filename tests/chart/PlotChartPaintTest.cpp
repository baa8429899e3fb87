// Pixel tests of the composed picture: plot area, frame, axes and a
// reference line, on and off the screen.

#include "PlotChartFixture.h"
#include "chart/Scale.h"

#include <gtest/gtest.h>

namespace {

class PlotChartPixels : public ::testing::TestWithParam<TChartSize> {};

TEST_P(PlotChartPixels, PlotAreaFrameAndAxesLieOnTheRims) {
    const TChartSize s = GetParam();
    auto chart = MakeShownChart(s);
    SetRanges(*chart, 0, 100000, 0, 10);
    ASSERT_EQ(chart->PlotWidth(), s.PlotRight - 50 + 1);
    ASSERT_EQ(chart->PlotHeight(), s.PlotBottom - 20 + 1);
    const QImage img = chart->SurfaceImage();
    ASSERT_EQ(img.width(), s.Width);
    ASSERT_EQ(img.height(), s.Height);

    // Frame on the outermost rows and columns of the plot area.
    for (int x = 50; x <= s.PlotRight; ++x) {
        ASSERT_EQ(PixelAt(img, x, 20), clBlack) << x;
        ASSERT_EQ(PixelAt(img, x, s.PlotBottom), clBlack) << x;
    }
    for (int y = 20; y <= s.PlotBottom; ++y) {
        ASSERT_EQ(PixelAt(img, 50, y), clBlack) << y;
        ASSERT_EQ(PixelAt(img, s.PlotRight, y), clBlack) << y;
    }
    EXPECT_EQ(PixelAt(img, 51, 21), clWhite);
    EXPECT_EQ(PixelAt(img, s.PlotRight - 1, s.PlotBottom - 1), clWhite);
    // Outside: the window colour.
    const TColor wind = PixelAt(img, 5, 5);
    EXPECT_NE(wind, clBlack);
    EXPECT_EQ(PixelAt(img, 300, 19), wind);
    EXPECT_EQ(PixelAt(img, s.PlotRight + 1, 100), wind);

    // The first X axis lies on the frame's bottom row from column 50 to the
    // right edge, the first Y axis on its left column.
    TScale& sx = chart->ScaleX(1);
    EXPECT_EQ(sx.MarginTop(), s.PlotBottom);
    EXPECT_EQ(sx.MarginLeft(), 50);
    EXPECT_EQ(s.Width - sx.MarginRight() - 1, s.PlotRight);
    TScale& sy = chart->ScaleY(1);
    EXPECT_EQ(s.Width - sy.MarginRight() - 1, 50);
    EXPECT_EQ(sy.MarginTop(), 20);
    EXPECT_EQ(s.Height - sy.MarginBottom() - 1, s.PlotBottom);
    // The ticks at the range ends start on those lines: down from the bottom
    // left corner, and left of it.
    EXPECT_EQ(PixelAt(img, 50, s.PlotBottom + 3), clBlack);
    EXPECT_EQ(PixelAt(img, s.PlotRight, s.PlotBottom + 3), clBlack);
    EXPECT_EQ(PixelAt(img, 47, s.PlotBottom), clBlack);
    EXPECT_EQ(PixelAt(img, 47, 20), clBlack);
}

TEST_P(PlotChartPixels, ReferenceLineSpansExactlyThePlotArea) {
    const TChartSize s = GetParam();
    auto chart = MakeShownChart(s);
    SetRanges(*chart, 0, 100000, 0, 10);
    chart->ClearGraf();
    chart->SetDataCol(clRed);
    chart->SetLineWid(3);
    chart->Line(0.0, 5.0, 100000.0, 5.0);
    chart->ShowGraf();
    const int row = 20 + (s.PlotBottom - 20) / 2; // the row of 5 on 0..10
    int px, py;
    chart->R2M(1, 0, 5, px, py);
    ASSERT_EQ(py, row);
    ASSERT_EQ(px, 50);

    const QImage img = chart->SurfaceImage();
    for (int x = 51; x < s.PlotRight; ++x)
        for (int y = row - 1; y <= row + 1; ++y)
            ASSERT_EQ(PixelAt(img, x, y), clRed) << x << "," << y;
    EXPECT_EQ(PixelAt(img, 300, row - 2), clWhite);
    EXPECT_EQ(PixelAt(img, 300, row + 2), clWhite);
    // The frame is drawn over the line's ends.
    EXPECT_EQ(PixelAt(img, 50, row), clBlack);
    EXPECT_EQ(PixelAt(img, s.PlotRight, row), clBlack);
    EXPECT_NE(PixelAt(img, s.PlotRight + 1, row), clRed);

    // A full repaint renders the same list into the same pixels.
    chart->Paint();
    EXPECT_EQ(chart->SurfaceImage(), img);
}

INSTANTIATE_TEST_SUITE_P(MainWindowCharts, PlotChartPixels,
                         ::testing::Values(Chart1Size, Chart2Size));

TEST(PlotChartPixels, RenderingIntoAnImageGivesTheScreenPicture) {
    auto chart = MakeShownChart(Chart1Size);
    SetRanges(*chart, 0, 100, -1, 1);
    chart->SetChartCaption(QStringLiteral("Printed"));
    chart->Line(0.0, 0.0, 100.0, 0.5);
    chart->ShowGraf();
    const QImage screen = chart->SurfaceImage().convertToFormat(QImage::Format_RGB32);

    QImage printed(chart->size(), QImage::Format_RGB32);
    printed.fill(Qt::green);
    chart->render(&printed);
    EXPECT_EQ(printed, screen);
}

} // namespace
