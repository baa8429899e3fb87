// The scale engine: range corrections, the transform and the tick list.
#include "chart/Scale.h"
#include "tests/common/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(Scale, EqualRangeEndsAreMovedApartByOne) {
    TScale s;
    s.SetRangeLow(100);
    EXPECT_EQ(s.RangeLow(), 100);
    EXPECT_EQ(s.RangeHigh(), 101);
    s.SetRangeHigh(100);
    EXPECT_EQ(s.RangeLow(), 101);
    EXPECT_EQ(s.RangeHigh(), 100);
    s.SetRange(7, 7);
    EXPECT_EQ(s.RangeLow(), 7);
    EXPECT_EQ(s.RangeHigh(), 8);
}

TEST(Scale, SetterCorrections) {
    TScale s;
    s.SetMarginLeft(-4);
    EXPECT_EQ(s.MarginLeft(), 0);
    s.SetDecPlaces(99);
    EXPECT_EQ(s.DecPlaces(), 12);
    struct {
        int in, out;
    } ticks[] = {{0, 0}, {1, 2}, {-5, 2}, {7, 7}, {11, 10}};
    for (const auto& t : ticks) {
        s.SetMinTicks(t.in);
        EXPECT_EQ(s.MinTicks(), t.out) << t.in;
    }
    s.SetColorScheme(csSystem);
    EXPECT_EQ(s.ColorScheme(), csSystem);
    s.SetLabelType(ftTime);
    EXPECT_EQ(s.DecPlaces(), 4);
}

TEST(Scale, TransformPutsTheRangeEndsOnTheMargins) {
    TScale s;
    s.SetBounds(0, 0, 200, 150);
    s.SetMarginLeft(20);
    s.SetMarginRight(19);
    s.SetMarginTop(10);
    s.SetMarginBottom(30);
    s.SetRange(0, 100);
    s.SetScaleType(sctXT);
    EXPECT_EQ(s.R2M(0), 20);
    EXPECT_EQ(s.R2M(100), 200 - 19 - 1);
    EXPECT_EQ(s.R2M(50), 100);
    EXPECT_DOUBLE_EQ(s.M2R(100), 50);
    EXPECT_EQ(s.ConvertToPixelCoords(25), 60);
    // Vertical: larger values higher on the screen.
    s.SetScaleType(sctYR);
    EXPECT_EQ(s.R2M(100), 10);
    EXPECT_EQ(s.R2M(0), 150 - 30 - 1);
    EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(10), 100);
    // Reversed range runs the axis the other way.
    s.SetScaleType(sctXB);
    s.SetRange(5, 0);
    EXPECT_EQ(s.R2M(5), 20);
    EXPECT_EQ(s.R2M(0), 180);
    // Huge values are clamped, not overflowed.
    EXPECT_EQ(s.R2M(1e300), -2147483647);
    EXPECT_EQ(s.R2M(-1e300), 2147483647);
    // No room between the margins: everything maps to the middle.
    s.SetBounds(0, 0, 30, 150);
    EXPECT_EQ(s.R2M(0), 15);
    EXPECT_EQ(s.R2M(5), 15);
}

TEST(Scale, LogarithmicTransform) {
    TScale s;
    s.SetBounds(0, 0, 341, 100);
    s.SetMarginLeft(20);
    s.SetMarginRight(20);
    s.SetRange(1, 1000);
    s.SetLogarithmic(true);
    EXPECT_TRUE(s.Logarithmic());
    EXPECT_EQ(s.R2M(1), 20);
    EXPECT_EQ(s.R2M(10), 120);
    EXPECT_EQ(s.R2M(1000), 320);
    EXPECT_NEAR(s.M2R(220), 100, 1e-9);
    s.Loaded();
    s.SetLogarithmic(false);
    s.SetRange(-1, 10);
    s.SetLogarithmic(true); // refused once loaded
    EXPECT_FALSE(s.Logarithmic());
}

TEST(Scale, LogarithmicTicksAtPowersOfTen) {
    TRecordingCanvas canvas;
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&canvas, 0, 0);
    s.SetBounds(0, 0, 341, 100);
    s.SetRange(1, 1000);
    s.SetLogarithmic(true);
    s.ForcePaint();
    std::vector<std::string> labels;
    for (const TCanvasRecord& r : canvas.OfKind(TCanvasOp::TextOut))
        labels.push_back(r.Text.toStdString());
    EXPECT_EQ(labels, (std::vector<std::string>{"1", "10", "100", "1000"}));
    // MinTicks above the decades adds 2 and 5 times each power.
    canvas.Clear();
    s.SetMinTicks(8);
    s.ForcePaint();
    EXPECT_EQ(canvas.OfKind(TCanvasOp::TextOut).size(), 10u);
    // Less than a decade: linear ticks.
    canvas.Clear();
    s.SetMinTicks(3);
    s.SetRange(2, 8);
    s.ForcePaint();
    EXPECT_EQ(canvas.OfKind(TCanvasOp::TextOut).front().Text, QStringLiteral("2.0"));
}

TEST(Scale, TimeAndDateLabels) {
    TRecordingCanvas canvas;
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&canvas, 0, 0);
    s.SetRange(0, 7200);
    s.SetLabelType(ftTime);
    s.ForcePaint();
    auto labels = [&] {
        std::vector<std::string> out;
        for (const TCanvasRecord& r : canvas.OfKind(TCanvasOp::TextOut))
            out.push_back(r.Text.toStdString());
        canvas.Clear();
        return out;
    };
    // 2400 s per interval: the largest table step below is 30 minutes.
    EXPECT_EQ(labels(), (std::vector<std::string>{"00:00:00", "00:30:00", "01:00:00", "01:30:00",
                                                  "02:00:00"}));
    s.DateFormat().SetTimeFormat(tfHHhMM);
    s.ForcePaint();
    EXPECT_EQ(labels().at(2), "01h00");
    s.SetRange(0, 1e9); // beyond the table: numbers, with the 4 decimals of time labels
    s.ForcePaint();
    EXPECT_EQ(labels().at(1), "200000000.0000");

    // Days since 30 December 1899; 45000 is 15 March 2023.
    s.SetLabelType(ftDateTime);
    s.SetRange(45000, 45003);
    s.ForcePaint();
    EXPECT_EQ(labels(), (std::vector<std::string>{"15-Mar-2023", "16-Mar-2023", "17-Mar-2023",
                                                  "18-Mar-2023"}));
    s.DateFormat().SetDateOrder(doYYMMDD);
    s.DateFormat().SetMonthName(false);
    s.DateFormat().SetYearLength(ylYY);
    s.DateFormat().SetDateSeparator(u'/');
    s.DateFormat().SetTimeFormat(tfHHMMSS);
    s.SetRange(45000.5, 45001.5);
    s.ForcePaint();
    // One date per day: on the first tick and where the day changes.
    const auto dt = labels();
    ASSERT_GE(dt.size(), 3u);
    EXPECT_EQ(dt.front(), "23/03/15 12:00:00");
    EXPECT_EQ(dt.at(1), "18:00:00");
    EXPECT_EQ(dt.at(2), "23/03/16 00:00:00");
}

TEST(Scale, TickListKeepsTheLastDrawing) {
    TRecordingCanvas canvas;
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&canvas, 0, 0);
    s.SetRange(0, 100);
    s.SetShortTicks(false);
    EXPECT_EQ(s.NumTicks(), 0);
    s.ForcePaint();
    EXPECT_TRUE(s.SuppressPaint());
    ASSERT_EQ(s.NumTicks(), 6);
    EXPECT_EQ(s.GetTickPos(1), 0);
    EXPECT_NEAR(s.GetTickPos(6), 100, 1e-9);
    EXPECT_EQ(s.GetTickPos(0), 0);
    EXPECT_EQ(s.GetTickPos(7), 0);

    // More than 250 ticks are drawn but only 250 kept.
    s.SetMinTicks(0);
    s.SetRange(0, 1000);
    canvas.Clear();
    s.ForcePaint();
    EXPECT_EQ(s.NumTicks(), 250);
    EXPECT_EQ(canvas.OfKind(TCanvasOp::LineTo).size(), 1001u + 1u); // ticks and base line
    EXPECT_EQ(s.GetTickPos(251), 0);
}

TEST(Scale, PaintingGates) {
    TRecordingCanvas canvas;
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&canvas, 0, 0);
    s.SetRange(0, 10); // suppressed: nothing
    EXPECT_TRUE(canvas.Records.empty());
    s.SetVisible(false);
    s.ForcePaint();
    EXPECT_TRUE(canvas.Records.empty());
    s.SetVisible(true);
    s.BeginLoading();
    s.ForcePaint();
    EXPECT_TRUE(canvas.Records.empty());
    s.Loaded();
    s.SetSuppressPaint(false); // paints at once
    EXPECT_FALSE(canvas.Records.empty());
    canvas.Clear();
    s.SetCaption(QStringLiteral("t")); // and on every change from now on
    EXPECT_FALSE(canvas.OfKind(TCanvasOp::TextOut).empty());
}

} // namespace
