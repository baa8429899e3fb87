// The kinds beyond pen moves and lines, drawn onto a logging canvas.

#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"
#include "chart/Rounding.h"
#include "tests/common/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include <string>
#include <vector>

namespace {

// 6 pixels per character, 12 per line.
struct TLog : TRecordingCanvas {
    TLog() { CharHeight = 12; }
    std::vector<TCanvasRecord> Only(TCanvasOp op) const { return OfKind(op); }
};

// 600 x 400 control, rims 50/50/50/50: a 501 x 301 plot area, one world unit
// per pixel from world (0, 0) at the bottom-left corner.
TRenderParams UnitParams() {
    TRenderParams p;
    p.Map = TPlotMap({600, 400, 50, 50, 50, 50, 0});
    for (int layer = 1; layer <= 2; ++layer) {
        p.Map.SetLayerX(layer, p.Map.XAxis(0, 500, false));
        p.Map.SetLayerY(layer, p.Map.YAxis(0, 300, false));
    }
    return p;
}

struct RendererKinds : ::testing::Test {
    TRenderParams params = UnitParams();
    TChartDrawingList lists;
    TLog canvas;
    TChartRenderer renderer;
    void Render(int firstItem = 0) {
        renderer.ConstructDataBmpCanvas(canvas, params, lists, 0, 0, false, firstItem);
    }
};

TEST_F(RendererKinds, TextsUseLongTextsLineFeedsAlignmentAndBackground) {
    params.TextFont.Name = QStringLiteral("Tahoma");
    lists.SetDataCol(clNavy);
    lists.SetTextAlignment(taRightJustify);
    lists.SetTextBkStyle(tbSolid);
    lists.SetFillCol(clSilver);
    lists.SetLineWid(5);
    lists.Text(100.0, 200.0, 12, QStringLiteral("first line\nsecond, longer line"));
    lists.SetTextBkStyle(tbClear);
    lists.Text(10.0, 20.0, 9, QStringLiteral("short"), 4, -6, taCenter);
    Render();
    const auto texts = canvas.Only(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    // The whole text came from the long-text table: both lines, right-aligned at x 100.
    EXPECT_EQ(texts[0].Text, QStringLiteral("first line"));
    EXPECT_EQ(texts[1].Text, QStringLiteral("second, longer line"));
    EXPECT_EQ(texts[0].Points[0], (TPoint{100 - 10 * 6, 100}));
    EXPECT_EQ(texts[1].Points[0], (TPoint{100 - 19 * 6, 112}));
    EXPECT_EQ(texts[0].Font.Color, clNavy);
    EXPECT_EQ(texts[0].Font.Height, -16); // 12 points at 96 dpi
    EXPECT_EQ(texts[0].Brush.Style, bsSolid);
    EXPECT_EQ(texts[0].Brush.Color, clSilver);
    EXPECT_EQ(texts[0].Pen.Width, 1); // a text does not change the width
    // Offset text: centred, shifted by (4, -6), no background.
    EXPECT_EQ(texts[2].Points[0], (TPoint{10 + 4 - 15, 280 - 6}));
    EXPECT_EQ(texts[2].Brush.Style, bsClear);
}

TEST_F(RendererKinds, MarksOutsideTheRangesAndDuplicatesAreLeftOut) {
    params.AvoidDuplicateMarks = true;
    params.MinDupMarkDist = 2;
    lists.MarkAt(10.0, 10.0, 0);
    lists.MarkAt(11.0, 11.0, 0);  // claimed by the first: left out
    lists.MarkAt(11.0, 11.0, 3);  // another symbol: drawn
    lists.MarkAt(20.0, 20.0, 0);  // far enough: drawn
    lists.MarkAt(-5.0, 10.0, 0);  // left of the plot area: left out
    lists.MarkAt(10.0, 400.0, 0); // above it: left out
    Render();
    const auto pixels = canvas.Only(TCanvasOp::SetPixel);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0].Points[0], (TPoint{10, 290}));
    EXPECT_EQ(pixels[1].Points[0], (TPoint{20, 280}));
    // The square mark, then the frame's outline.
    const auto squares = canvas.Only(TCanvasOp::Rectangle);
    ASSERT_EQ(squares.size(), 2u);
    EXPECT_EQ(squares[0].Brush.Style, bsClear);
    EXPECT_EQ(squares[1].Points, (std::vector<TPoint>{{0, 0}, {501, 301}}));
}

TEST_F(RendererKinds, AreasAreFilledUnlessTransparent) {
    lists.SetFillCol(clLime);
    lists.Rectangle(10.0, 10.0, 30.0, 40.0);
    lists.SetTranspItems(true);
    lists.Ellipse(100.0, 100.0, 40.0, 20.0);
    lists.SetTranspItems(false);
    lists.RectangleRelPix(200.0, 100.0, 3, 2);
    Render();
    // The two areas, then the frame's outline.
    const auto rects = canvas.Only(TCanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[2].Brush.Style, bsClear);
    // Both corners' pixels are covered.
    EXPECT_EQ(rects[0].Points, (std::vector<TPoint>{{10, 260}, {31, 291}}));
    EXPECT_EQ(rects[0].Brush.Style, bsSolid);
    EXPECT_EQ(rects[0].Brush.Color, clLime);
    EXPECT_EQ(rects[1].Points, (std::vector<TPoint>{{197, 198}, {204, 203}}));
    const auto ellipses = canvas.Only(TCanvasOp::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].Points, (std::vector<TPoint>{{80, 190}, {121, 211}}));
    EXPECT_EQ(ellipses[0].Brush.Style, bsClear);
}

TEST_F(RendererKinds, PixelSizedRectanglesOfAnyHalfSizeCoverThePlotArea) {
    for (const auto& [dx, dy] : {std::pair{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, 0}}) {
        SCOPED_TRACE(testing::Message() << dx << ", " << dy);
        canvas.Clear();
        lists.RemoveItem(0);
        lists.RectangleRelPix(200.0, 100.0, dx, dy);
        Render();
        const auto rects = canvas.Only(TCanvasOp::Rectangle);
        ASSERT_EQ(rects.size(), 2u); // the item, then the frame
        const TPoint a = rects[0].Points[0];
        const TPoint b = rects[0].Points[1];
        EXPECT_LE(a.x, 0);
        EXPECT_GE(b.x, 501);
        if (dy != 0) {
            EXPECT_LE(a.y, 0);
            EXPECT_GE(b.y, 301);
        } else {
            EXPECT_EQ(a.y, 200);
            EXPECT_EQ(b.y, 201);
        }
    }
}

TEST_F(RendererKinds, BarsOfAnyDepthReachOutOnTheirOwnSide) {
    // Bar 10..30 x 10..40 (canvas columns 10..30, rows 260..290); the depth
    // runs along the angle: 0 degrees to the right, 90 up, 270 down.
    const struct {
        int Depth, Angle;
        TPoint Back; // where the top right corner goes, as far as it shows
    } cases[] = {
        {INT_MAX, 0, {ScreenLimit, 260}},
        {INT_MIN, 90, {30, ScreenLimit}},
        {INT_MAX, 270, {30, ScreenLimit}},
        {INT_MIN, 180, {ScreenLimit, 260}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Depth << " at " << c.Angle);
        canvas.Clear();
        lists.RemoveItem(0);
        lists.Bar3D(10.0, 10.0, 30.0, 40.0, c.Depth, c.Angle);
        Render();
        const auto polygons = canvas.Only(TCanvasOp::Polygon);
        ASSERT_EQ(polygons.size(), 2u); // side, then top
        EXPECT_EQ(polygons[0].Points[1], c.Back);
    }
}

TEST_F(RendererKinds, RelativePenMovesAndCursors) {
    lists.MoveTo(10.0, 10.0);
    lists.DrawToRelPix(5, 0);
    lists.DrawToRelPix(0, -5); // continues the same polyline
    lists.MoveToRelPix(10, 10);
    lists.DrawTo(100.0, 100.0);
    lists.CursorVert(250.0);
    lists.CursorHoriz(150.0);
    Render();
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].Points, (std::vector<TPoint>{{10, 290}, {15, 290}, {15, 285}}));
    EXPECT_EQ(polys[1].Points, (std::vector<TPoint>{{25, 295}, {100, 200}}));
    const auto lines = canvas.Only(TCanvasOp::LineTo);
    ASSERT_GE(lines.size(), 2u);
    // Across the full height and width of the 501 x 301 plot area.
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{250, 0}, {250, 301}}));
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{0, 150}, {501, 150}}));
}

TEST_F(RendererKinds, NoGridOverAnAxisOfANonFiniteRange) {
    params.GridStyle = gsLines;
    params.GridDx = 100;
    params.GridDy = 100;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [lo, hi] : {std::pair{nan, 500.0}, {0.0, inf}, {-inf, inf}}) {
        SCOPED_TRACE(testing::Message() << lo << ".." << hi);
        params.Map.SetLayerX(1, params.Map.XAxis(lo, hi, false));
        canvas.Clear();
        EXPECT_NO_THROW(Render());
    }
}

TEST_F(RendererKinds, GridOnlyWhenAskedAndFromTheFirstItem) {
    params.GridStyle = gsVertLines;
    params.GridDx = 100;
    params.GridColor = clGray;
    Render(0);
    const auto grid = canvas.Only(TCanvasOp::LineTo);
    // Columns 0, 100, ..., 500; the frame is an outline.
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_EQ(grid[1].Points, (std::vector<TPoint>{{100, 0}, {100, 301}}));
    EXPECT_EQ(grid[1].Pen.Color, clGray);
    canvas.Clear();
    Render(5);
    EXPECT_TRUE(canvas.Only(TCanvasOp::LineTo).empty());
    params.GridStyle = gsNone;
    canvas.Clear();
    Render(0);
    EXPECT_TRUE(canvas.Only(TCanvasOp::LineTo).empty());
}

TEST_F(RendererKinds, GridFollowsTheTicksWhenItsSpacingIsNegative) {
    params.GridStyle = gsVertLines;
    params.GridDx = -1;
    params.GridTicksX.RangeLow = 0;
    params.GridTicksX.RangeHigh = 500;
    params.GridTicksX.MinTicks = 2; // labelled ticks every 200
    Render();
    const auto grid = canvas.Only(TCanvasOp::LineTo);
    ASSERT_EQ(grid.size(), 3u);
    EXPECT_EQ(grid[0].Points, (std::vector<TPoint>{{0, 0}, {0, 301}}));
    EXPECT_EQ(grid[1].Points, (std::vector<TPoint>{{200, 0}, {200, 301}}));
    EXPECT_EQ(grid[2].Points, (std::vector<TPoint>{{400, 0}, {400, 301}}));
}

TEST_F(RendererKinds, BlackAndWhiteDrawsLinesBlack) {
    lists.SetDataCol(clRed);
    lists.SetFillCol(clBlue);
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(10.0, 10.0);
    lists.Rectangle(10.0, 10.0, 20.0, 20.0);
    renderer.ConstructDataBmpCanvas(canvas, params, lists, 0, 0, true, 0);
    EXPECT_EQ(canvas.Only(TCanvasOp::Polyline).at(0).Pen.Color, clBlack);
    const auto rect = canvas.Only(TCanvasOp::Rectangle).at(0);
    EXPECT_EQ(rect.Pen.Color, clBlack);
    EXPECT_EQ(rect.Brush.Color, clWhite);
}

} // namespace
