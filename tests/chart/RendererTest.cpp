#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"
#include "tests/common/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The renderer's calls as the recording canvas has them: 6 pixels per
// character, 12 per line.
struct TLogCanvas : TRecordingCanvas {
    TLogCanvas() { CharHeight = 12; }
    std::vector<TCanvasRecord> Only(TCanvasOp op) const { return OfKind(op); }
};

// A chart of 647 x 400 with rims 50, 20, 20, 40: plot area x 50..627, y 20..360.
// The coefficients are those the chart computes for linear axes.
TRenderParams ChartParams(double xlo, double xhi, double ylo, double yhi) {
    TRenderParams p;
    p.Map = TPlotMap({647, 400, 50, 20, 20, 40, 0});
    for (int layer = 1; layer <= 2; ++layer) {
        p.Map.SetLayerX(layer, p.Map.XAxis(xlo, xhi, false));
        p.Map.SetLayerY(layer, p.Map.YAxis(ylo, yhi, false));
    }
    p.LineWidth = 1;
    return p;
}

// The canvas pixel of a world point with offsets (0, 0).
TPoint Pixel(const TRenderParams& p, double x, double y) {
    int px, py;
    p.Map.R2M(1, x, y, px, py);
    return {px - p.Map.Geometry().LRim, py - p.Map.Geometry().TRim};
}

struct RendererPass : ::testing::Test {
    TRenderParams params = ChartParams(0, 1000, 0, 1000);
    TChartDrawingList lists;
    TLogCanvas canvas;
    TChartRenderer renderer;

    void Render(int xOffset = 0, int yOffset = 0) {
        renderer.ConstructDataBmpCanvas(canvas, params, lists, xOffset, yOffset, false, 0);
    }
};

TEST_F(RendererPass, LongRunIsSplitIntoPolylinesOf200SharingTheirEnds) {
    lists.MoveTo(0.0, 0.0);
    for (int i = 1; i <= 500; ++i)
        lists.DrawTo(double(i), double(i % 7));
    Render();
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 3u);
    EXPECT_EQ(polys[0].Points.size(), 200u);
    EXPECT_EQ(polys[1].Points.size(), 200u);
    EXPECT_EQ(polys[2].Points.size(), 103u);
    EXPECT_EQ(polys[0].Points.front(), Pixel(params, 0, 0));
    EXPECT_EQ(polys[1].Points.front(), polys[0].Points.back());
    EXPECT_EQ(polys[2].Points.front(), polys[1].Points.back());
    EXPECT_EQ(polys[2].Points.back(), Pixel(params, 500, 500 % 7));
    EXPECT_EQ(polys[1].Points[1], Pixel(params, 200, 200 % 7));
    EXPECT_EQ(renderer.NumPPa(), 0);
}

TEST_F(RendererPass, FirstSegmentOfAPassStartsAtThePlotCorner) {
    lists.DrawTo(500.0, 500.0);
    Render(5, 7);
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 1u);
    const TPoint target = Pixel(params, 500, 500);
    EXPECT_EQ(polys[0].Points, (std::vector<TPoint>{{5, 7}, {target.x + 5, target.y + 7}}));
}

TEST_F(RendererPass, ScreenPointsOfEveryKindAreMeasuredFromThePlotCorner) {
    lists.SetAnnoMode(true);
    lists.MoveTo(10, 10);
    lists.DrawTo(50, 10);
    lists.Line(10, 20, 50, 20);
    Render(5, 7);
    EXPECT_EQ(canvas.Only(TCanvasOp::Polyline).at(0).Points,
              (std::vector<TPoint>{{15, 17}, {55, 17}}));
    EXPECT_EQ(canvas.Only(TCanvasOp::LineTo).at(0).Points,
              (std::vector<TPoint>{{15, 27}, {55, 27}}));
}

TEST_F(RendererPass, ColourChangeSplitsThePolylineAtTheSharedPoint) {
    lists.MoveTo(0.0, 0.0);
    lists.SetDataCol(clRed);
    lists.DrawTo(100.0, 100.0);
    lists.DrawTo(200.0, 50.0);
    lists.SetDataCol(clBlue);
    lists.DrawTo(300.0, 300.0);
    Render();
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].Points.size(), 3u);
    EXPECT_EQ(polys[0].Pen.Color, clRed);
    EXPECT_EQ(polys[1].Pen.Color, clBlue);
    EXPECT_EQ(polys[1].Points,
              (std::vector<TPoint>{Pixel(params, 200, 50), Pixel(params, 300, 300)}));
}

TEST_F(RendererPass, LinetoAfterALineContinuesFromThePolyline) {
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(100.0, 100.0);
    lists.Line(600.0, 600.0, 700.0, 650.0);
    lists.DrawTo(200.0, 300.0);
    Render();
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[1].Points,
              (std::vector<TPoint>{Pixel(params, 100, 100), Pixel(params, 200, 300)}));
    // The segment itself was drawn between the two polylines.
    const auto lines = canvas.Only(TCanvasOp::LineTo);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].Points,
              (std::vector<TPoint>{Pixel(params, 600, 600), Pixel(params, 700, 650)}));
}

TEST_F(RendererPass, SkippedItemsDoNotMoveThePen) {
    struct TCase {
        const char* name;
        void (*hide)(TChartDrawingList&);
    };
    const TCase cases[] = {
        {"invisible class", [](TChartDrawingList& l) { l.SetClassVisible(3, false); }},
        {"invisible layer", [](TChartDrawingList& l) { l.SetLayerVisible(2, false); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TChartDrawingList l;
        TLogCanvas log;
        TChartRenderer r;
        l.MoveTo(10.0, 10.0);
        l.SetClassDefault(3);
        l.SetActiveLayer(2);
        l.MoveTo(900.0, 900.0); // hidden by class 3 and by layer 2
        l.DrawTo(950.0, 950.0);
        l.SetClassDefault(0);
        l.SetActiveLayer(1);
        l.DrawTo(500.0, 500.0);
        c.hide(l);
        r.ConstructDataBmpCanvas(log, params, l, 0, 0, false, 0);
        const auto polys = log.Only(TCanvasOp::Polyline);
        ASSERT_EQ(polys.size(), 1u);
        EXPECT_EQ(polys[0].Points,
                  (std::vector<TPoint>{Pixel(params, 10, 10), Pixel(params, 500, 500)}));
    }
}

TEST_F(RendererPass, PassEndsWithWidthOneAndTheFrameOnTheOutermostPixels) {
    params.ChartFrameColor = clMaroon;
    lists.SetLineWid(3);
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(1000.0, 1000.0);
    Render();
    EXPECT_EQ(canvas.Pen.Width, 1);
    EXPECT_EQ(canvas.Only(TCanvasOp::Polyline).at(0).Pen.Width, 3);
    // The last call outlines the frame through the corner pixels 577 x 340.
    ASSERT_GE(canvas.Records.size(), 2u);
    const auto& c = canvas.Records.back();
    EXPECT_EQ(c.Op, TCanvasOp::Rectangle);
    EXPECT_EQ(c.Points, (std::vector<TPoint>{{0, 0}, {578, 341}}));
    EXPECT_EQ(c.Brush.Style, bsClear);
    EXPECT_EQ(c.Pen.Color, clMaroon);
    EXPECT_EQ(c.Pen.Width, 1);
    EXPECT_EQ(c.Pen.Style, psSolid);
}

TEST_F(RendererPass, LineOnOnePixelSetsThatPixel) {
    lists.SetDataCol(clGreen);
    lists.Line(400.0, 400.0, 400.1, 400.1);
    Render();
    const auto pixels = canvas.Only(TCanvasOp::SetPixel);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].Points.at(0), Pixel(params, 400, 400));
    EXPECT_EQ(pixels[0].Color, clGreen);
    // No line is drawn; the frame is an outline.
    EXPECT_TRUE(canvas.Only(TCanvasOp::LineTo).empty());
    EXPECT_EQ(canvas.Only(TCanvasOp::Rectangle).size(), 1u);
}

TEST_F(RendererPass, FarEndsAreClampedToThePixelLimit) {
    params = ChartParams(0, 64, 0, 100);
    lists.Line(0.0, 50.0, 100000.0, 50.0); // ~900000 pixels to the right
    lists.MoveTo(0.0, 50.0);
    lists.DrawTo(0.0, -1e12);
    Render();
    const auto line = canvas.Only(TCanvasOp::LineTo).at(0);
    EXPECT_EQ(line.Points, (std::vector<TPoint>{Pixel(params, 0, 50), {30000, 170}}));
    const auto poly = canvas.Only(TCanvasOp::Polyline).at(0);
    // A polyline point is limited in control pixels, then moved into the canvas.
    EXPECT_EQ(poly.Points.back(), (TPoint{0, 30000 - params.Map.Geometry().TRim}));
}

TEST_F(RendererPass, EventsSeeThePassAndItemCopiesOnly) {
    std::vector<std::string> order;
    params.OnBeforeRenderData = [&](TChartDrawingList& sender, TCanvas& c, int top, int left) {
        EXPECT_EQ(&sender, &lists);
        EXPECT_EQ(top, params.Map.Geometry().TRim - 7);
        EXPECT_EQ(left, params.Map.Geometry().LRim - 5);
        c.Pen.Color = clLime;
        c.Brush.Color = clLime;
        order.push_back("before");
    };
    params.OnDataRendered = [&](TChartDrawingList&, TCanvas& c, int top, int left) {
        EXPECT_EQ(top, params.Map.Geometry().TRim - 7);
        EXPECT_EQ(left, params.Map.Geometry().LRim - 5);
        c.Pen.Color = clLime;
        order.push_back("after");
    };
    params.OnBeforeRenderChartItem = [&](TChartDrawingList&, TChartItem& item, int index,
                                         bool anno) {
        order.push_back((anno ? "anno " : "data ") + std::to_string(index));
        if (!anno && index == 1)
            item.x = 300; // moves what is drawn, not what is stored
    };
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(100.0, 100.0);
    lists.SetAnnoMode(true);
    lists.DrawTo(3, 4);
    renderer.ConstructDataBmpCanvas(canvas, params, lists, 5, 7, false, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"before", "data 0", "data 1", "anno 0", "after"}));
    const auto polys = canvas.Only(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 2u);
    const TPoint moved = Pixel(params, 300, 100);
    EXPECT_EQ(polys[0].Points.back(), (TPoint{moved.x + 5, moved.y + 7}));
    EXPECT_EQ(lists.DataContainer(1).x, 100.0);
    // The frame keeps its own colour whatever the handler left on the canvas.
    EXPECT_EQ(canvas.Records.back().Pen.Color, params.ChartFrameColor);

    // The colours a handler leaves behind are undone before the pass goes on.
    TChartDrawingList empty;
    TRenderParams p2 = params;
    p2.OnDataRendered = nullptr;
    TColor penAfter = 0, brushAfter = 0;
    p2.OnBeforeRenderData = [](TChartDrawingList&, TCanvas& c, int, int) {
        c.Pen.Color = clLime;
        c.Brush.Color = clLime;
    };
    p2.GridStyle = gsNone;
    TChartRenderer r2;
    TLogCanvas spy;
    spy.Pen.Color = clGray;
    spy.Brush.Color = clNavy;
    r2.ConstructDataBmpCanvas(spy, p2, empty, 0, 0, false, 0);
    // The colours in force at the pass's first call of its own.
    penAfter = spy.Records.front().Pen.Color;
    brushAfter = spy.Records.front().Brush.Color;
    EXPECT_EQ(penAfter, clGray);
    EXPECT_EQ(brushAfter, clNavy);
}

TEST_F(RendererPass, AnnotationsOverOrUnderTheDataAndTextsOnTop) {
    lists.SetDataCol(clRed);
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(10.0, 10.0);
    lists.SetAnnoMode(true);
    lists.SetDataCol(clBlue);
    lists.Text(1, 1, 8, QStringLiteral("label"));
    lists.Line(1, 1, 40, 40);
    const auto firstOps = [&](bool below, bool textOnTop) {
        lists.SetAnnoBelowChart(below);
        lists.SetAnnoTextOnTop(textOnTop);
        TLogCanvas log;
        TChartRenderer r;
        r.ConstructDataBmpCanvas(log, params, lists, 0, 0, false, 0);
        std::vector<std::string> ops;
        const auto name = [](TCanvasOp op) {
            return op == TCanvasOp::Polyline    ? "Polyline"
                   : op == TCanvasOp::TextOut   ? "TextOut"
                   : op == TCanvasOp::LineTo    ? "LineTo"
                   : op == TCanvasOp::Rectangle ? "Frame"
                                                : "";
        };
        for (const auto& c : log.Records)
            if (c.Op == TCanvasOp::Polyline || c.Op == TCanvasOp::TextOut ||
                ((c.Op == TCanvasOp::LineTo || c.Op == TCanvasOp::Rectangle) && ops.size() < 3))
                ops.push_back(name(c.Op));
        ops.resize(3);
        return ops;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(firstOps(false, true), (V{"Polyline", "LineTo", "TextOut"}));
    EXPECT_EQ(firstOps(false, false), (V{"Polyline", "TextOut", "LineTo"}));
    EXPECT_EQ(firstOps(true, true), (V{"LineTo", "TextOut", "Polyline"}));
    lists.SetAnnosVisible(false);
    EXPECT_EQ(firstOps(false, true), (V{"Polyline", "Frame", ""})); // frame only after
}

TEST(RendererTransform, R2MRoundsHalfToEvenAndClamps) {
    // Factor 1 and offset 0 on X, factor -1 and offset 0 on Y.
    TPlotMap p({200, 100, 0, 0, 0, 0, 0});
    p.SetLayerX(1, TAxisMap::Horizontal(0, 1, 0, 1, 200, false));
    p.SetLayerY(1, TAxisMap::Vertical(0, 1, 0, -1, 100, false));
    struct TCase {
        double x;
        int px;
    };
    for (const TCase c : {TCase{0.5, 0},
                          {1.5, 2},
                          {2.5, 2},
                          {-0.5, 0},
                          {-1.5, -2},
                          {2.49, 2},
                          {1e300, 2147483647},
                          {-1e300, -2147483647}}) {
        int x, y;
        p.R2M(1, c.x, -c.x, x, y);
        EXPECT_EQ(x, c.px) << c.x;
        EXPECT_EQ(y, c.px) << c.x;
    }
    // Layers outside 1..2 are clamped.
    p.SetLayerX(2, TAxisMap::Horizontal(0, 1, 7, 8, 200, false));
    int x, y;
    p.R2M(9, 0, 0, x, y);
    EXPECT_EQ(x, 7);
    p.R2M(-3, 0, 0, x, y);
    EXPECT_EQ(x, 0);
}

TEST(RendererTransform, LogarithmicAxesPinNonPositiveValuesToTheEdge) {
    TPlotMap p = ChartParams(0, 1, 0, 1).Map;
    // Range 1..100 on both axes.
    p.SetLayerX(1, p.XAxis(1, 100, true));
    p.SetLayerY(1, p.YAxis(1, 100, true));
    int x, y;
    p.R2M(1, 100, 100, x, y);
    EXPECT_EQ(x, 627);
    EXPECT_EQ(y, 20);
    p.R2M(1, 0, -5, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 400);
    // Falling ranges start at the other edges.
    TPlotMap falling = p;
    falling.SetLayerX(1, p.XAxis(100, 1, true));
    falling.SetLayerY(1, p.YAxis(100, 1, true));
    falling.R2M(1, 0, 0, x, y);
    EXPECT_EQ(x, 647);
    EXPECT_EQ(y, 0);
    double wx, wy;
    p.M2R(1, 627, 20, wx, wy);
    EXPECT_NEAR(wx, 100, 1e-9);
    EXPECT_NEAR(wy, 100, 1e-9);
}

TEST(RendererTransform, ConvertToScreenCoordsByMode) {
    const TRenderParams p = ChartParams(0, 577, 0, 340); // one world unit per pixel
    struct TCase {
        TCoordMode mode;
        int x1, y1, x2, y2;
    };
    // Item points (10, 20) and (30.5, 41.5): world (10, 20) is control (60, 340);
    // screen (10, 20) is control (60, 40); world (30.5, 41.5) is (80 or 81, 318 or 319).
    const TCase cases[] = {
        {cmAllWorld, 60, 340, 80, 318},          {cmAllScreen, 60, 40, 80, 62},
        {cmWorldMainScreenSec, 60, 340, 80, 62}, {cmScreenMainWorldSec, 60, 40, 80, 318},
        {cmXScreenYWorld, 60, 340, 80, 318},     {cmXWorldYScreen, 60, 40, 80, 62},
    };
    for (const TCase& c : cases) {
        TChartItem item;
        item.x = 10;
        item.y = 20;
        item.x2 = 30.5;
        item.y2 = 41.5;
        item.CoordMode = c.mode;
        int x1, y1, x2, y2;
        p.Map.ConvertToScreenCoords(item, x1, y1, x2, y2);
        EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{c.x1, c.y1, c.x2, c.y2}))
            << int(c.mode);
    }
    double kx, dx, ky, dy;
    p.Map.GetTransformParams(1, kx, dx, ky, dy);
    EXPECT_DOUBLE_EQ(kx, 1);
    EXPECT_DOUBLE_EQ(dx, 50);
    EXPECT_DOUBLE_EQ(ky, -1);
    EXPECT_DOUBLE_EQ(dy, 360);
}

} // namespace
