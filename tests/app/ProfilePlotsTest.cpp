#include "app/ProfilePlots.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr TColor Blue = 0xFF0000;

// A 64-bin profile with a pulse in bins 20..27; the statistics are given
// directly so that the levels are known: mean 15.7 and deviation 2.6 give the
// lines 15, 18 (from 18.3) and 13 (from 13.1).
struct Fixture {
    TProfileData data;
    TProfileStats stats;
    explicit Fixture(int bins = 64, float scale = 1.0f) {
        data.ProfileBins = bins;
        data.ProfileAvg = -0.4f;
        for (int i = 0; i < bins; ++i)
            data.BinValues[i] = scale * (i >= 20 && i < 28 ? 60.0f + i : 10.0f + (i % 7));
        stats.MinValue = 10 * scale;
        stats.MaxValue = 87 * scale;
        stats.MeanRaw = 15.7f;
        stats.StdDevRaw = 2.6f;
        stats.OffPeakCount = 0;
        for (int i = 0; i < bins; ++i)
            if (i < 20 || i >= 28)
                stats.OffPeakValues[stats.OffPeakCount++] = data.BinValues[i];
        stats.OffPeakMax = 16 * scale;
    }
};

struct Chart {
    TPlotChart chart;
    explicit Chart(int w = 647, int h = 400) {
        chart.SetBounds(0, 0, w, h);
        chart.show();
        QCoreApplication::processEvents();
    }
};

void ExpectLine(const TChartItem& item, double level, int width) {
    EXPECT_EQ(item.ItemKind, tkLine);
    EXPECT_EQ(item.x, 0);
    EXPECT_EQ(item.x2, 100000);
    EXPECT_EQ(item.y, level);
    EXPECT_EQ(item.y2, level);
    EXPECT_EQ(item.LWid, width);
    EXPECT_EQ(item.Color, Blue);
}

} // namespace

TEST(ProfilePlots, LevelsTruncateTowardZero) {
    EXPECT_EQ(ProfileLevel(1234.9), 1234);
    EXPECT_EQ(ProfileLevel(-7.6), -7);
    EXPECT_EQ(ProfileLevel(-0.4), 0);
    EXPECT_EQ(ProfileLevel(18.3), 18);
}

TEST(ProfilePlots, ProfileChartItems) {
    const Fixture f;
    Chart c;
    PlotProfile(c.chart, f.data, f.stats);

    const auto items = c.chart.DataItems();
    ASSERT_EQ(items.size(), 1u + 32u + 3u);
    EXPECT_EQ(items[0].ItemKind, tkMoveTo);
    EXPECT_EQ(items[0].x, 0);
    EXPECT_EQ(items[0].y, 0);
    for (int k = 0; k < 32; ++k) {
        const TChartItem& item = items[1 + k];
        EXPECT_EQ(item.ItemKind, tkLineto) << k;
        EXPECT_EQ(item.x, 2 * k);
        EXPECT_EQ(item.y, static_cast<double>(f.data.BinValues[2 * k]));
        EXPECT_EQ(item.Color, Blue);
        EXPECT_EQ(item.LWid, 1);
    }
    ExpectLine(items[33], 15, 3);
    ExpectLine(items[34], 18, 1);
    ExpectLine(items[35], 13, 1);
    EXPECT_EQ(c.chart.LineWidth(), 1);
    EXPECT_EQ(c.chart.Caption(),
              QStringLiteral("Torvane plot with  Average and StdDev ( without peak )"));
    EXPECT_EQ(c.chart.Scale1X().RangeLow(), 0);
    EXPECT_EQ(c.chart.Scale1X().RangeHigh(), 64);
    EXPECT_EQ(c.chart.Scale1Y().RangeLow(), 10);
    EXPECT_EQ(c.chart.Scale1Y().RangeHigh(), 87);
}

TEST(ProfilePlots, CleanedChartUsesOffPeakCount) {
    const Fixture f(57); // 8 pulse bins leave 49 off-peak bins
    ASSERT_EQ(f.stats.OffPeakCount, 49);
    Chart c(539, 314);
    c.chart.SetTextAlignment(taRightJustify);
    PlotCleanedProfile(c.chart, f.data, f.stats);

    EXPECT_EQ(c.chart.Scale1X().RangeHigh(), 49);
    EXPECT_EQ(c.chart.Scale1X().RangeLow(), 0);
    EXPECT_EQ(c.chart.Scale1Y().RangeHigh(), 16);
    EXPECT_EQ(c.chart.Scale1Y().RangeLow(), 10);
    EXPECT_EQ(c.chart.TextAlignment(), taRightJustify); // not touched
    const auto items = c.chart.DataItems();
    ASSERT_EQ(items.size(), 1u + 25u + 2u);
    EXPECT_EQ(items[25].x, 48);
    EXPECT_EQ(items[25].y, static_cast<double>(f.stats.OffPeakValues[48]));
    ExpectLine(items[26], 15, 3);
    ExpectLine(items[27], 0, 1); // ProfileAvg -0.4
    EXPECT_EQ(c.chart.Caption(),
              QStringLiteral("Cleaned : Bold  average w/o peak  Slim ZELMAR average"));
}

TEST(ProfilePlots, SecondAnalysisReplacesTheFirst) {
    Chart one, two;
    const Fixture first;
    PlotProfile(one.chart, first.data, first.stats);
    PlotCleanedProfile(two.chart, first.data, first.stats);

    Fixture second(10, 2.0f);
    second.stats.MeanRaw = -7.6f;
    PlotProfile(one.chart, second.data, second.stats);
    PlotCleanedProfile(two.chart, second.data, second.stats);

    const auto items = one.chart.DataItems();
    ASSERT_EQ(items.size(), 1u + 5u + 3u);
    EXPECT_EQ(items[5].x, 8);
    EXPECT_EQ(items[5].y, static_cast<double>(second.data.BinValues[8]));
    ExpectLine(items[6], -7, 3);
    EXPECT_EQ(one.chart.Scale1X().RangeHigh(), 10);
    EXPECT_EQ(two.chart.NumItems(), 1 + 5 + 2);
    EXPECT_EQ(two.chart.DataItems()[5].y, static_cast<double>(second.stats.OffPeakValues[8]));
    EXPECT_EQ(two.chart.Scale1X().RangeHigh(), 10);
}

TEST(ProfilePlots, BoldMeanLineOnThePixels) {
    Fixture f;
    // Off-peak values at the bottom of the range keep the curve off the lines' rows.
    for (int i = 0; i < 64; ++i)
        if (i < 20 || i >= 28)
            f.data.BinValues[i] = 10;
    Chart c;
    PlotProfile(c.chart, f.data, f.stats);
    const QImage image = c.chart.SurfaceImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());

    int px = 0, py = 0;
    c.chart.R2M(1, 40, 15, px, py);
    const QRgb blue = qRgb(0, 0, 255);
    int run = 0, first = -1;
    for (int y = py - 5; y <= py + 5; ++y)
        if (image.pixel(px, y) == blue) {
            if (first < 0)
                first = y;
            ++run;
        }
    EXPECT_EQ(run, 3) << "at column " << px << " around row " << py;
    EXPECT_LE(first, py);
    EXPECT_GE(first + run - 1, py);

    // The thin lines are one row each.
    int tx = 0, ty = 0;
    c.chart.R2M(1, 40, 18, tx, ty);
    EXPECT_EQ(image.pixel(tx, ty), blue);
    EXPECT_NE(image.pixel(tx, ty - 1), blue);
    EXPECT_NE(image.pixel(tx, ty + 1), blue);

    // The curve is blue too: the pulse peak at bin 26 (value 86).
    int cx = 0, cy = 0;
    c.chart.R2M(1, 26, 86, cx, cy);
    bool curve = false;
    for (int y = cy - 1; y <= cy + 1; ++y)
        curve = curve || image.pixel(cx, y) == blue;
    EXPECT_TRUE(curve);
}
