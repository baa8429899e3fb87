// The plot background: area bands, background pictures in their fill modes
// (and the silent fallback), crosshairs, the mouse trace and joined layers.

#include "PlotChartFixture.h"
#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PlotChartBackground : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        chart = MakeShownChart(Chart1Size);
        SetRanges(*chart, -2, 2, -2, 2);
    }
    // A picture w x h whose left half is `left` and right half `right`.
    QString Picture(int w, int h, Qt::GlobalColor left, Qt::GlobalColor right) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(right);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w / 2; ++x)
                img.setPixel(x, y, QColor(left).rgb());
        const QString path = dir.filePath(QStringLiteral("bg%1.png").arg(++n));
        EXPECT_TRUE(img.save(path));
        return path;
    }
    void UsePicture(const QString& path, TBkgFill mode) {
        chart->BackGroundImg().SetIncludePath(true);
        chart->BackGroundImg().SetFillMode(mode);
        chart->BackGroundImg().SetName(path);
    }
    TColor At(int x, int y) const { return PixelAt(chart->SurfaceImage(), x, y); }

    QTemporaryDir dir;
    int n = 0;
    std::shared_ptr<TPlotChart> chart;
};

TEST_F(PlotChartBackground, VerticalStripeBetweenTheAreaBounds) {
    chart->BackGroundImg().SetAreaMode(bamVStripe); // AreaLeft -1, AreaRight 1
    const TColor area = chart->BackGroundImg().AreaColor();
    // -1 maps to 50 + 577 / 4 = 194.25, 1 to 482.75.
    EXPECT_EQ(At(193, 100), clWhite);
    EXPECT_EQ(At(194, 100), area);
    EXPECT_EQ(At(482, 100), area);
    EXPECT_EQ(At(483, 100), clWhite);
}

TEST_F(PlotChartBackground, PictureFillModes) {
    UsePicture(Picture(10, 10, Qt::blue, Qt::green), bfTile);
    const TColor blue = RGBColor(0, 0, 255), green = RGBColor(0, 255, 0);
    for (int x : {52, 62, 72}) {
        EXPECT_EQ(At(x, 33), blue) << x;
        EXPECT_EQ(At(x + 5, 33), green) << x;
    }
    EXPECT_EQ(At(50, 100), clBlack) << "the frame stays on top";

    UsePicture(Picture(10, 10, Qt::red, Qt::red), bfSimple);
    EXPECT_EQ(At(55, 25), RGBColor(255, 0, 0));
    EXPECT_EQ(At(70, 40), clWhite);

    UsePicture(Picture(4, 4, Qt::red, Qt::blue), bfStretch);
    EXPECT_EQ(At(100, 100), RGBColor(255, 0, 0));
    EXPECT_EQ(At(600, 300), blue);
}

TEST_F(PlotChartBackground, PictureThatCannotBeLoadedFallsBackSilently) {
    chart->BackGroundImg().SetAreaMode(bamVStripe);
    EXPECT_NO_THROW(UsePicture(dir.filePath(QStringLiteral("missing.png")), bfStretch));
    EXPECT_TRUE(chart->BackGroundImg().Name().isEmpty());
    EXPECT_EQ(At(300, 100), clWhite);
    EXPECT_EQ(At(50, 100), clBlack);
}

TEST_F(PlotChartBackground, CrossHairsAreDrawnOnlyWhenSwitchedOn) {
    TCrossHair& ch = chart->CrossHair(1);
    ch.SetLineType(psSolid);
    EXPECT_EQ(At(300, 190), clWhite);
    ch.SetMode(chBoth);
    // (0, 0) maps to column 338 (338.5 rounded half to even) and row 190.
    for (int x = 51; x < 627; ++x)
        ASSERT_EQ(At(x, 190), clRed) << x;
    for (int y = 21; y < 360; ++y)
        ASSERT_EQ(At(338, y), clRed) << y;
    ch.SetMode(chHoriz);
    EXPECT_EQ(At(338, 100), clWhite);
    EXPECT_EQ(At(100, 190), clRed);
}

TEST_F(PlotChartBackground, MouseTraceIsKeptDrawnAndCleared) {
    for (int i = 0; i < TCustomPlotChart::MaxMouseTracePoints + 10; ++i)
        chart->AddMouseTracePoint(100 + i % 100, 100);
    EXPECT_EQ(chart->MouseTrace().size(), 5000u);
    chart->SetMouseTraceInvert(false);
    chart->SetMouseTraceColor(clRed);
    chart->AddMouseTracePoint(0, 0); // full: not recorded
    chart->Paint();
    EXPECT_EQ(At(150, 100), clWhite) << "points keep the colour they were recorded with";
    chart->ClearGraf();
    chart->SetMouseTraceInvert(true);
    chart->AddMouseTracePoint(150, 100);
    chart->Paint();
    EXPECT_EQ(At(150, 100), clBlack) << "inverted white";
    chart->ClearGraf();
    EXPECT_TRUE(chart->MouseTrace().empty());
}

TEST_F(PlotChartBackground, JoinedLayerFollowsItsControllingLayer) {
    chart->JointLayers().SetControlledLayerX(2, 1);
    EXPECT_EQ(chart->Scale2X().RangeLow(), -2);
    EXPECT_EQ(chart->Scale2X().RangeHigh(), 2);
    chart->Scale1X().SetRangeHigh(40);
    EXPECT_EQ(chart->Scale2X().RangeHigh(), 40);
    // Its own X range cannot be set while it is joined; its Y range can.
    chart->Scale2X().SetRangeHigh(99);
    EXPECT_EQ(chart->Scale2X().RangeHigh(), 40);
    chart->Scale2Y().SetRangeHigh(7);
    EXPECT_EQ(chart->Scale2Y().RangeHigh(), 7);
    EXPECT_EQ(chart->Scale1Y().RangeHigh(), 2);
    EXPECT_EQ(chart->Cpkx(2), chart->Cpkx(1));
}

} // namespace
