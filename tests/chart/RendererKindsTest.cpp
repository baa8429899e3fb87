// The kinds beyond pen moves and lines, drawn onto a logging canvas.

#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TLog : public TCanvas {
public:
    struct TCall {
        std::string op;
        std::vector<TPoint> points;
        TPen pen;
        TBrush brush;
        TFont font;
        QString text;
    };
    std::vector<TCall> calls;

    TPoint PenPos() const override { return pos; }
    void MoveTo(int x, int y) override { pos = {x, y}; }
    void LineTo(int x, int y) override {
        Log("LineTo", {pos, {x, y}});
        pos = {x, y};
    }
    void Polyline(std::span<const TPoint> p) override { Log("Polyline", {p.begin(), p.end()}); }
    void Polygon(std::span<const TPoint> p) override { Log("Polygon", {p.begin(), p.end()}); }
    void Rectangle(int x1, int y1, int x2, int y2) override {
        Log("Rectangle", {{x1, y1}, {x2, y2}});
    }
    void FillRect(const TRect&) override { Log("FillRect", {}); }
    void Ellipse(int x1, int y1, int x2, int y2) override { Log("Ellipse", {{x1, y1}, {x2, y2}}); }
    void Arc(int x1, int y1, int x2, int y2, int, int, int, int) override {
        Log("Arc", {{x1, y1}, {x2, y2}});
    }
    void SetPixel(int x, int y, TColor) override { Log("SetPixel", {{x, y}}); }
    void TextOut(int x, int y, const QString& text) override {
        Log("TextOut", {{x, y}});
        calls.back().text = text;
    }
    // 6 pixels per character, 12 per line.
    TSize TextExtent(const QString& text) override {
        return {static_cast<int>(text.size()) * 6, 12};
    }
    void Draw(int, int, const TBitmap&) override {}
    void StretchDraw(const TRect&, const TBitmap&) override {}

    std::vector<TCall> Only(const std::string& op) const {
        std::vector<TCall> out;
        for (const TCall& c : calls)
            if (c.op == op)
                out.push_back(c);
        return out;
    }

private:
    void Log(const char* op, std::vector<TPoint> points) {
        calls.push_back({op, std::move(points), Pen, Brush, Font, {}});
    }
    TPoint pos;
};

// 600 x 400 control, rims 50/50/50/50: a 501 x 301 plot area, one world unit
// per pixel from world (0, 0) at the bottom-left corner.
TRenderParams UnitParams() {
    TRenderParams p;
    p.Width = 600;
    p.Height = 400;
    p.LRim = p.RRim = p.TRim = p.BRim = 50;
    for (TLayerTransform& t : p.Layers) {
        t.Cpkx = 1;
        t.Cpdx = 50;
        t.Cpky = -1;
        t.Cpdy = 350;
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
    const auto texts = canvas.Only("TextOut");
    ASSERT_EQ(texts.size(), 3u);
    // The whole text came from the long-text table: both lines, right-aligned at x 100.
    EXPECT_EQ(texts[0].text, QStringLiteral("first line"));
    EXPECT_EQ(texts[1].text, QStringLiteral("second, longer line"));
    EXPECT_EQ(texts[0].points[0], (TPoint{100 - 10 * 6, 100}));
    EXPECT_EQ(texts[1].points[0], (TPoint{100 - 19 * 6, 112}));
    EXPECT_EQ(texts[0].font.Color, clNavy);
    EXPECT_EQ(texts[0].font.Height, -16); // 12 points at 96 dpi
    EXPECT_EQ(texts[0].brush.Style, bsSolid);
    EXPECT_EQ(texts[0].brush.Color, clSilver);
    EXPECT_EQ(texts[0].pen.Width, 1); // a text does not change the width
    // Offset text: centred, shifted by (4, -6), no background.
    EXPECT_EQ(texts[2].points[0], (TPoint{10 + 4 - 15, 280 - 6}));
    EXPECT_EQ(texts[2].brush.Style, bsClear);
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
    const auto pixels = canvas.Only("SetPixel");
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0].points[0], (TPoint{10, 290}));
    EXPECT_EQ(pixels[1].points[0], (TPoint{20, 280}));
    const auto squares = canvas.Only("Rectangle");
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].brush.Style, bsClear);
}

TEST_F(RendererKinds, AreasAreFilledUnlessTransparent) {
    lists.SetFillCol(clLime);
    lists.Rectangle(10.0, 10.0, 30.0, 40.0);
    lists.SetTranspItems(true);
    lists.Ellipse(100.0, 100.0, 40.0, 20.0);
    lists.SetTranspItems(false);
    lists.RectangleRelPix(200.0, 100.0, 3, 2);
    Render();
    const auto rects = canvas.Only("Rectangle");
    ASSERT_EQ(rects.size(), 2u);
    // Both corners' pixels are covered.
    EXPECT_EQ(rects[0].points, (std::vector<TPoint>{{10, 260}, {31, 291}}));
    EXPECT_EQ(rects[0].brush.Style, bsSolid);
    EXPECT_EQ(rects[0].brush.Color, clLime);
    EXPECT_EQ(rects[1].points, (std::vector<TPoint>{{197, 198}, {204, 203}}));
    const auto ellipses = canvas.Only("Ellipse");
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].points, (std::vector<TPoint>{{80, 190}, {121, 211}}));
    EXPECT_EQ(ellipses[0].brush.Style, bsClear);
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
    const auto polys = canvas.Only("Polyline");
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].points, (std::vector<TPoint>{{10, 290}, {15, 290}, {15, 285}}));
    EXPECT_EQ(polys[1].points, (std::vector<TPoint>{{25, 295}, {100, 200}}));
    const auto lines = canvas.Only("LineTo");
    ASSERT_GE(lines.size(), 2u);
    // Across the full height and width of the 501 x 301 plot area.
    EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{250, 0}, {250, 301}}));
    EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{0, 150}, {501, 150}}));
}

TEST_F(RendererKinds, GridOnlyWhenAskedAndFromTheFirstItem) {
    params.GridStyle = gsVertLines;
    params.GridDx = 100;
    params.GridColor = clGray;
    Render(0);
    const auto grid = canvas.Only("LineTo");
    // Columns 0, 100, ..., 500, then the four frame lines.
    ASSERT_EQ(grid.size(), 6u + 4u);
    EXPECT_EQ(grid[1].points, (std::vector<TPoint>{{100, 0}, {100, 301}}));
    EXPECT_EQ(grid[1].pen.Color, clGray);
    canvas.calls.clear();
    Render(5);
    EXPECT_EQ(canvas.Only("LineTo").size(), 4u);
    params.GridStyle = gsNone;
    canvas.calls.clear();
    Render(0);
    EXPECT_EQ(canvas.Only("LineTo").size(), 4u);
}

TEST_F(RendererKinds, BlackAndWhiteDrawsLinesBlack) {
    lists.SetDataCol(clRed);
    lists.SetFillCol(clBlue);
    lists.MoveTo(0.0, 0.0);
    lists.DrawTo(10.0, 10.0);
    lists.Rectangle(10.0, 10.0, 20.0, 20.0);
    renderer.ConstructDataBmpCanvas(canvas, params, lists, 0, 0, true, 0);
    EXPECT_EQ(canvas.Only("Polyline").at(0).pen.Color, clBlack);
    const auto rect = canvas.Only("Rectangle").at(0);
    EXPECT_EQ(rect.pen.Color, clBlack);
    EXPECT_EQ(rect.brush.Color, clWhite);
}

} // namespace
