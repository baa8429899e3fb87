// The logging canvas keeps the pen position like a real one and records the
// settings in force at each call.
#include "tests/common/RecordingCanvas.h"

#include <gtest/gtest.h>

TEST(RecordingCanvas, LogsCallsWithTheirStateAndPenPosition) {
    TRecordingCanvas c;
    c.MoveTo(1, 2);
    c.Pen.Color = clRed;
    c.LineTo(5, 2);
    c.Pen.Width = 3;
    c.LineTo(5, 9);
    const TPoint pts[] = {{0, 0}, {3, 3}, {6, 0}};
    c.Polyline(pts);
    EXPECT_EQ(c.PenPos(), (TPoint{5, 9})); // a polyline leaves the position alone
    c.Brush.Style = bsClear;
    c.TextOut(4, 4, QStringLiteral("ab"));

    const auto lines = c.OfKind(TCanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{1, 2}, {5, 2}}));
    EXPECT_EQ(lines[0].Pen.Width, 1);
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{5, 2}, {5, 9}}));
    EXPECT_EQ(lines[1].Pen, (TPen{clRed, psSolid, 3, pmCopy}));
    EXPECT_EQ(c.OfKind(TCanvasOp::Polyline).at(0).Points.size(), 3u);
    const auto text = c.OfKind(TCanvasOp::TextOut).at(0);
    EXPECT_EQ(text.Text, QStringLiteral("ab"));
    EXPECT_EQ(text.Brush.Style, bsClear);
    EXPECT_EQ(c.TextExtent(QStringLiteral("abc")), (TSize{3 * c.CharWidth, c.CharHeight}));
}
