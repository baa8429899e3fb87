// The chart caption: trimming, anchors and alignment, checked on a canvas
// that logs text output and measures every character as 7 pixels.

#include "PlotChartFixture.h"
#include "tests/common/RecordingCanvas.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct TText {
    int x, y;
    QString text;
};

// Seven pixels per character, 13 per line.
TRecordingCanvas CaptionCanvas() {
    TRecordingCanvas canvas;
    canvas.CharWidth = 7;
    return canvas;
}

// The caption as ConstructChartBmp writes it.
TText DrawnCaption(TCustomPlotChart& chart) {
    TRecordingCanvas canvas = CaptionCanvas();
    chart.ConstructChartBmp(canvas);
    const auto texts = canvas.OfKind(TCanvasOp::TextOut);
    EXPECT_EQ(texts.size(), 1u);
    return texts.empty() ? TText{0, 0, {}}
                         : TText{texts[0].Points[0].x, texts[0].Points[0].y, texts[0].Text};
}

TEST(PlotChartCaption, WorkedExampleStartsFiveRowsAboveTheControl) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetChartCaption(QStringLiteral("Torvane plot")); // 12 characters, 84 pixels
    chart.SetCaptionPosX(0);
    chart.SetCaptionPosY(-25);
    chart.SetCaptionAnchorHoriz(cahChartCenter);
    chart.SetCaptionAnchorVert(cavChartTop);
    chart.SetCaptionAlignment(taCenter);
    const auto t = DrawnCaption(chart);
    EXPECT_EQ(t.y, -5);
    EXPECT_EQ(t.x, 338 - 42);
    EXPECT_EQ(t.text, QStringLiteral("Torvane plot"));
}

TEST(PlotChartCaption, AnchorsAndAlignments) {
    // W 647, H 400, rims 50, 20, 20, 40, shadow 5; caption 10 characters (70 pixels).
    struct Case {
        TCaptionAnchorHoriz h;
        TCaptionAnchorVert v;
        TAlignment align;
        int x, y;
    };
    const Case cases[] = {
        {cahControlLeft, cavControlTop, taLeftJustify, 3, -4},
        {cahChartLeft, cavChartCenter, taLeftJustify, 53, 20 + 335 / 2 - 4},
        {cahChartCenter, cavChartTop, taCenter, 50 + 572 / 2 - 35 + 3, 16},
        // The shadow counts on the right but not at the bottom.
        {cahChartRight, cavChartBottom, taRightJustify, 622 - 70 + 3, 360 - 4},
        {cahControlRight, cavControlBottom, taRightJustify, 647 - 70 + 3, 396},
    };
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetShadowWidth(5);
    chart.SetChartCaption(QStringLiteral("0123456789"));
    chart.SetCaptionPosX(3);
    chart.SetCaptionPosY(-4);
    for (const Case& c : cases) {
        chart.SetCaptionAnchorHoriz(c.h);
        chart.SetCaptionAnchorVert(c.v);
        chart.SetCaptionAlignment(c.align);
        const auto t = DrawnCaption(chart);
        EXPECT_EQ(t.x, c.x) << int(c.h) << "/" << int(c.v);
        EXPECT_EQ(t.y, c.y) << int(c.h) << "/" << int(c.v);
    }
}

TEST(PlotChartCaption, TrimmedToTheAllowedWidth) {
    // Available width 647 - 50 - 20 = 577 pixels.
    const QString longText(100, QLatin1Char('a')); // 700 pixels
    struct Case {
        int trim;
        QString expected;
    };
    const Case cases[] = {
        // M = 577, n = round(100 * 577 / 700) = 82: 80 characters and "...".
        {100, QString(80, QLatin1Char('a')) + QStringLiteral("...")},
        // M = round(230.8) = 231, n = round(33) = 33.
        {40, QString(31, QLatin1Char('a')) + QStringLiteral("...")},
        {0, longText},
    };
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    chart.SetChartCaption(longText);
    for (const Case& c : cases) {
        chart.SetCaptionTrim(c.trim);
        EXPECT_EQ(DrawnCaption(chart).text, c.expected) << c.trim;
    }

    // A caption that fits stays whole; one far too narrow keeps only the dots.
    chart.SetCaptionTrim(100);
    chart.SetChartCaption(QString(82, QLatin1Char('b'))); // 574 pixels
    EXPECT_EQ(DrawnCaption(chart).text, QString(82, QLatin1Char('b')));
    chart.SetCaptionTrim(5); // M = 29, n = round(5 * 29 / 35) = 4
    chart.SetChartCaption(QStringLiteral("abcde"));
    EXPECT_EQ(DrawnCaption(chart).text, QStringLiteral("ab..."));
    chart.SetLRim(600); // M = round(27 * 0.05) = 1, n = 0
    EXPECT_EQ(DrawnCaption(chart).text, QStringLiteral("..."));
}

TEST(PlotChartCaption, TrimIsClampedAndAnEmptyCaptionDrawsNothing) {
    TPlotChart chart;
    for (const auto& [set, stored] : {std::pair{-7, 5}, {3, 5}, {150, 100}, {0, 0}, {50, 50}}) {
        chart.SetCaptionTrim(set);
        EXPECT_EQ(chart.CaptionTrim(), stored) << set;
    }
    TRecordingCanvas canvas = CaptionCanvas();
    chart.ConstructChartBmp(canvas);
    EXPECT_TRUE(canvas.OfKind(TCanvasOp::TextOut).empty());
}

TEST(PlotChartCaption, OffsetsAtTheIntegerLimitsStayOnTheirSide) {
    // Anchor plus offset, and the alignment's shift, go beyond an int; the
    // caption must stay beyond the edge it was pushed over, not wrap round.
    const struct {
        int PosX, PosY;
        TCaptionAnchorHoriz H;
        TCaptionAnchorVert V;
        TAlignment Align;
        bool Right, Below;
    } cases[] = {
        {INT_MAX, INT_MAX, cahControlRight, cavControlBottom, taLeftJustify, true, true},
        {INT_MAX, INT_MAX, cahChartCenter, cavChartBottom, taCenter, true, true},
        {INT_MIN, INT_MIN, cahControlLeft, cavControlTop, taRightJustify, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.PosX);
        TPlotChart chart;
        chart.SetBounds(0, 0, 647, 400);
        chart.SetChartCaption(QStringLiteral("Caption"));
        chart.SetCaptionTrim(0);
        chart.SetCaptionPosX(c.PosX);
        chart.SetCaptionPosY(c.PosY);
        chart.SetCaptionAnchorHoriz(c.H);
        chart.SetCaptionAnchorVert(c.V);
        chart.SetCaptionAlignment(c.Align);
        const auto t = DrawnCaption(chart);
        EXPECT_EQ(t.x > 647, c.Right) << t.x;
        EXPECT_EQ(t.x < 0, !c.Right) << t.x;
        EXPECT_EQ(t.y > 400, c.Below) << t.y;
        EXPECT_EQ(t.y < 0, !c.Below) << t.y;
    }
}

TEST(PlotChartCaption, ClippedRowsOnTheRealPicture) {
    auto chart = MakeShownChart(Chart1Size);
    chart->SetCaptionPosY(-25);
    chart->SetCaptionAnchorHoriz(cahChartCenter);
    chart->SetCaptionAlignment(taCenter);
    chart->SetChartCaption(QStringLiteral("HHHHHHHH"));
    const QImage img = chart->SurfaceImage();
    // Dark caption pixels in the first rows, around column 338, none far from it.
    auto isDark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 100; };
    int dark = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 250; x < 430; ++x)
            dark += isDark(x, y);
    EXPECT_GT(dark, 20);
    for (int y = 0; y < 15; ++y) {
        EXPECT_FALSE(isDark(200, y)) << y;
        EXPECT_FALSE(isDark(476, y)) << y;
    }
}

} // namespace
