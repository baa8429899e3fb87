// Picking items as they are drawn: the nearest-item searches, in world and
// screen values, along one axis, over annotations, and marking the items in
// a window; classes, layers, visibility and the kind selectors.

#include "PlotChartFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Chart2's size, both layers 0..100 on both axes (layer 2's X 0..50).
std::shared_ptr<TPlotChart> PickingChart() {
    auto chart = MakeShownChart(Chart2Size);
    SetRanges(*chart, 0, 100, 0, 100);
    chart->Scale2X().SetRangeLow(0);
    chart->Scale2X().SetRangeHigh(50);
    chart->Scale2Y().SetRangeLow(0);
    chart->Scale2Y().SetRangeHigh(100);
    chart->MoveTo(10.0, 10.0);                // 0
    chart->DrawTo(20.0, 20.0);                // 1
    chart->Line(50.0, 50.0, 90.0, 50.0);      // 2
    chart->Rectangle(60.0, 70.0, 80.0, 90.0); // 3
    chart->SetClassDefault(5);
    chart->MarkAt(10.0, 90.0, 1); // 4
    chart->SetClassDefault(0);
    chart->CursorVert(30.0);                                             // 5
    chart->MoveToRelPix(3, 3);                                           // 6: no place
    chart->Text(5.0, 5.0, 8, QStringLiteral("t"), 30, 0, taLeftJustify); // 7
    chart->SetActiveLayer(2);
    chart->MarkAt(45.0, 40.0, 1); // 8: x = 90 on layer 1
    chart->SetActiveLayer(1);
    return chart;
}

struct TPixel {
    int x, y;
};

TPixel At(const TCustomPlotChart& chart, double x, double y, int layer = 1) {
    TPixel p{};
    chart.R2M(layer, x, y, p.x, p.y);
    return p;
}

constexpr double Infinite = std::numeric_limits<double>::infinity();

} // namespace

TEST(Picking, NearestItemToAPoint) {
    auto chart = PickingChart();
    const TPixel text = At(*chart, 5, 5);
    const struct {
        const char* Case;
        double X, Y;
        int ItemClass;
        TChartItemKind Kind;
        int Found;
        double Dist; // < 0: only the index is checked
    } cases[] = {
        {"on a point", 10, 10, 255, tkEverything, 0, 0},
        {"moves left out", 10, 10, 255, tkNotMoveTo, 7, -1},
        {"on a segment between its ends", 70, 50, 255, tkEverything, 2, 0},
        {"inside a box", 70, 80, 255, tkEverything, 3, 0},
        {"a class of its own", 11, 89, 5, tkEverything, 4, -1},
        {"not that class", 10, 88, 3, tkMarkAt, -1, Infinite},
        {"a cursor spans the plot area", 30, 99, 0, tkCursorVert, 5, 0},
        {"one kind", 10, 10, 255, tkLine, 2, -1},
        {"a kind not in the list", 10, 10, 255, tkEllipse, -1, Infinite},
        {"a pen move by pixels has no place", 10, 10, 255, tkMoveRelPix, -1, Infinite},
    };
    for (const auto& c : cases) {
        double dist = -7;
        EXPECT_EQ(chart->FindNearestItemReal(1, c.X, c.Y, c.ItemClass, c.Kind, dist), c.Found)
            << c.Case;
        if (c.Dist >= 0) {
            EXPECT_EQ(dist, c.Dist) << c.Case;
        }
        // The screen form at the same pixel finds the same.
        const TPixel p = At(*chart, c.X, c.Y);
        double screenDist = -7;
        EXPECT_EQ(chart->FindNearestItemScreen(p.x, p.y, c.ItemClass, c.Kind, screenDist), c.Found)
            << c.Case;
        EXPECT_EQ(screenDist, dist) << c.Case;
    }
    // An offset text is found where it is drawn, 30 pixels right of its point.
    double dist = -1;
    EXPECT_EQ(chart->FindNearestItemScreen(text.x + 30, text.y, 255, tkTextOfs, dist), 7);
    EXPECT_EQ(dist, 0);
    EXPECT_EQ(chart->FindNearestItemScreen(text.x, text.y, 255, tkTextOfs, dist), 7);
    EXPECT_EQ(dist, 30);
    // A layer's own values: (45, 40) of layer 2 is the mark there.
    EXPECT_EQ(chart->FindNearestItemReal(2, 45, 40, 255, tkMarkAt, dist), 8);
    EXPECT_EQ(dist, 0);
}

TEST(Picking, OnlyWhatIsDrawnIsPicked) {
    auto chart = PickingChart();
    double dist = 0;
    chart->SetClassVisible(5, false);
    EXPECT_EQ(chart->FindNearestItemReal(1, 10, 90, 5, tkEverything, dist), -1);
    EXPECT_EQ(dist, Infinite);
    chart->SetLayerVisible(1, false);
    EXPECT_EQ(chart->FindNearestItemReal(1, 10, 10, 255, tkEverything, dist), 8);
    chart->SetLayerVisible(2, false);
    EXPECT_EQ(chart->FindNearestItemReal(1, 10, 10, 255, tkEverything, dist), -1);
}

TEST(Picking, NearestAlongOneAxis) {
    auto chart = PickingChart();
    const struct {
        const char* Case;
        bool AlongX;
        double Value;
        TChartItemKind Kind;
        int Found;
    } cases[] = {
        {"inside a segment's columns", true, 85, tkEverything, 2},
        {"the first of equally near items", true, 70, tkEverything, 2},
        {"a point's column", true, 9, tkEverything, 0},
        {"a point on the other layer", true, 90, tkMarkAt, 8},
        {"a vertical cursor spans every row", false, 12, tkEverything, 5},
        {"a box's rows", false, 75, tkNotMoveTo, 3},
        {"rows of marks", false, 41, tkMarkAt, 8},
    };
    for (const auto& c : cases) {
        double dist = -1;
        EXPECT_EQ(chart->FindNearestItemAlongAxis(1, c.AlongX, c.Value, 255, c.Kind, dist), c.Found)
            << c.Case;
        EXPECT_GE(dist, 0) << c.Case;
    }
    double dist = -1;
    EXPECT_EQ(chart->FindNearestItemAlongAxis(1, true, 12, 255, tkLineto, dist), 1);
    const TPixel p12 = At(*chart, 12, 0);
    const TPixel p20 = At(*chart, 20, 0);
    EXPECT_EQ(dist, p20.x - p12.x);
}

TEST(Picking, NearestAnnotationByItsOwnCoordinates) {
    auto chart = PickingChart();
    chart->SetAnnoMode(true);
    chart->MoveTo(100, 50);           // 0: pixels from the plot area's corner
    chart->DrawTo(200, 80.0);         // 1: x in pixels, y a world value
    chart->Line(10.0, 10.0, 300, 10); // 2: world to pixels
    chart->SetAnnoMode(false);
    const TPlotGeometry& g = chart->PlotMap().Geometry();
    const TPixel y80 = At(*chart, 0, 80);
    const struct {
        const char* Case;
        int X, Y;
        int Found;
        double Dist;
    } cases[] = {
        {"screen point", g.LRim + 100, g.TRim + 50, 0, 0},
        {"x screen, y world", g.LRim + 200, y80.y, 1, 0},
        {"the screen end of a mixed line", g.LRim + 300, g.TRim + 10, 2, 0},
    };
    for (const auto& c : cases) {
        double dist = -1;
        EXPECT_EQ(chart->FindNearestAnnoElem(c.X, c.Y, 255, tkEverything, dist), c.Found) << c.Case;
        EXPECT_EQ(dist, c.Dist) << c.Case;
    }
    double dist = -1;
    chart->SetAnnosVisible(false);
    EXPECT_EQ(chart->FindNearestAnnoElem(g.LRim + 100, g.TRim + 50, 255, tkEverything, dist), -1);
}

TEST(Picking, MarkingTheItemsInAWindow) {
    const struct {
        const char* Case;
        int Layer;
        double X1, Y1, X2, Y2;
        int ItemClass;
        TChartItemKind Kind;
        std::vector<int> Marked;
    } cases[] = {
        {"points and the offset text", 1, 0, 0, 55, 55, 255, tkEverything, {0, 1, 7}},
        {"corners in any order", 1, 55, 55, 0, 0, 255, tkNotMoveTo, {1, 7}},
        {"a segment wholly inside, edges included", 1, 50, 45, 90, 60, 255, tkEverything, {2}},
        {"the other layer's values", 2, 40, 30, 50, 50, 255, tkEverything, {8}},
        {"one class", 1, 0, 0, 100, 100, 5, tkEverything, {4}},
        {"cursors span the plot area", 1, 0, 0, 100, 100, 255, tkCursorVert, {5}},
    };
    for (const auto& c : cases) {
        auto chart = PickingChart();
        EXPECT_EQ(chart->MarkItemsInWindow(c.Layer, c.X1, c.Y1, c.X2, c.Y2, 0x40, true, c.ItemClass,
                                           c.Kind),
                  static_cast<int>(c.Marked.size()))
            << c.Case;
        for (int i = 0; i < chart->NumItems(); ++i) {
            const bool marked = std::find(c.Marked.begin(), c.Marked.end(), i) != c.Marked.end();
            EXPECT_EQ(chart->DataContainer(i).Tag, marked ? 0x40 : 0) << c.Case << " item " << i;
        }
        chart->MarkItemsInWindow(c.Layer, c.X1, c.Y1, c.X2, c.Y2, 0x40, false, c.ItemClass, c.Kind);
        EXPECT_EQ(chart->SearchDataItem(0, 0x40, 0x40, 255, tkEverything), -1) << c.Case;
    }
}
