// The chart driven by Qt mouse and wheel events: each mouse action with its
// event, the zoom history and its exact undo, logarithmic zooming, the
// rubber band's inverted pixels, crosshair dragging, the mouse trace, the
// cursors, and a chart without an action that must stay as it is.

#include "PlotChartFixture.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Chart1's plot area: columns 50..627, rows 20..360. With X 0..577 and Y
// 0..340 a pixel is one unit: column 50 + x, row 360 - y.
constexpr int L = 50, T = 20, R = 627, B = 360;

std::shared_ptr<TPlotChart> UnitChart() {
    auto c = MakeShownChart(Chart1Size);
    SetRanges(*c, 0, 577, 0, 340);
    return c;
}

bool Send(QWidget& w, QEvent& e) {
    QApplication::sendEvent(&w, &e);
    return e.isAccepted();
}

bool Press(QWidget& w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(p), w.mapToGlobal(QPointF(p)), b, b,
                  Qt::NoModifier);
    return Send(w, e);
}

void Move(QWidget& w, QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::NoButton, held,
                  Qt::NoModifier);
    Send(w, e);
}

void Release(QWidget& w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(p), w.mapToGlobal(QPointF(p)), b,
                  Qt::NoButton, Qt::NoModifier);
    Send(w, e);
}

bool Wheel(QWidget& w, QPoint p, int delta) {
    QWheelEvent e(QPointF(p), w.mapToGlobal(QPointF(p)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    return Send(w, e);
}

// Press, a few moves on the way, release.
void Drag(QWidget& w, QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
    Press(w, from, b);
    for (int i = 1; i <= 4; ++i)
        Move(w, from + (to - from) * i / 4, b);
    Release(w, to, b);
}

std::vector<std::uint64_t> Bits(const TZoomRanges& r) {
    std::vector<std::uint64_t> bits;
    for (std::size_t i = 0; i < 2; ++i)
        for (double v : {r.XLow[i], r.XHigh[i], r.YLow[i], r.YHigh[i]})
            bits.push_back(std::bit_cast<std::uint64_t>(v));
    return bits;
}

struct TRange {
    double Low, High;
};

TRange XRange(TCustomPlotChart& c, int layer = 1) {
    return {c.ScalePropsX(layer).RangeLow(), c.ScalePropsX(layer).RangeHigh()};
}

TRange YRange(TCustomPlotChart& c, int layer = 1) {
    return {c.ScalePropsY(layer).RangeLow(), c.ScalePropsY(layer).RangeHigh()};
}

void ExpectRange(TRange r, double low, double high, const char* what) {
    EXPECT_NEAR(r.Low, low, 1e-9 * (1 + std::abs(low))) << what;
    EXPECT_NEAR(r.High, high, 1e-9 * (1 + std::abs(high))) << what;
}

} // namespace

TEST(ZoomHistory, NewestFirstAndOldestDroppedWhenFull) {
    TZoomHistory h;
    EXPECT_FALSE(h.Pop().has_value());
    for (std::size_t i = 0; i < TZoomHistory::Capacity + 3; ++i) {
        TZoomRanges r;
        r.XLow[0] = static_cast<double>(i);
        h.Push(r);
    }
    ASSERT_EQ(h.Count(), TZoomHistory::Capacity);
    EXPECT_EQ(h[0].XLow[0], 3.0);
    EXPECT_EQ(h.Pop()->XLow[0], static_cast<double>(TZoomHistory::Capacity + 2));
    EXPECT_EQ(h.Pop()->XLow[0], static_cast<double>(TZoomHistory::Capacity + 1));
    h.Clear();
    EXPECT_EQ(h.Count(), 0u);
}

TEST(MouseActions, PansMoveTheRangesByTheDraggedWorldDistance) {
    // Dragging 10 right and 5 up moves the contents with the pointer.
    const struct {
        TMouseActMode Action;
        double XLow, XHigh, YLow, YHigh;
    } cases[] = {
        {maPan, -10, 567, -5, 335},
        {maPanHoriz, -10, 567, 0, 340},
        {maPanVert, 0, 577, -5, 335},
    };
    for (const auto& tc : cases) {
        auto c = UnitChart();
        c->SetMouseAction(tc.Action);
        std::vector<TMouseActMode> reports;
        c->OnZoomPan = [&](TCustomPlotChart& s, TMouseActMode a) {
            EXPECT_EQ(&s, c.get());
            reports.push_back(a);
        };
        Drag(*c, {300, 200}, {310, 195});
        ExpectRange(XRange(*c), tc.XLow, tc.XHigh, "x");
        ExpectRange(YRange(*c), tc.YLow, tc.YHigh, "y");
        ASSERT_FALSE(reports.empty()) << tc.Action;
        EXPECT_EQ(reports.back(), tc.Action);
        EXPECT_EQ(c->ZoomHistory().Count(), 1u) << "one entry for the whole drag";
        // The data follow: the value under the press point is now under the release point.
        int px, py;
        c->R2M(1, 250, 160, px, py);
        EXPECT_EQ(px, tc.Action == maPanVert ? 300 : 310);
        EXPECT_EQ(py, tc.Action == maPanHoriz ? 200 : 195);
    }
}

TEST(MouseActions, EveryZoomAndPanIsUndoneBitForBit) {
    const struct {
        const char* Name;
        TMouseActMode Action;
        std::function<void(TPlotChart&)> Gesture;
    } cases[] = {
        {"pan", maPan,
         [](TPlotChart& c) {
             Drag(c, {300, 200}, {347, 171});
         }},
        {"pan horizontally", maPanHoriz,
         [](TPlotChart& c) {
             Drag(c, {300, 200}, {233, 250});
         }},
        {"pan vertically", maPanVert,
         [](TPlotChart& c) {
             Drag(c, {300, 200}, {310, 123});
         }},
        {"pan on the grid", maPanGrid,
         [](TPlotChart& c) {
             Drag(c, {300, 200}, {420, 80});
         }},
        {"zoom drag", maZoom,
         [](TPlotChart& c) {
             Drag(c, {300, 200}, {300, 137});
         }},
        {"zoom click", maZoom,
         [](TPlotChart& c) {
             Drag(c, {123, 45}, {123, 45});
         }},
        {"zoom out click", maZoom,
         [](TPlotChart& c) {
             Drag(c, {523, 345}, {524, 345}, Qt::RightButton);
         }},
        {"zoom window", maZoomWind,
         [](TPlotChart& c) {
             Drag(c, {410, 300}, {97, 61});
         }},
        {"wheel in", maPan,
         [](TPlotChart& c) {
             Wheel(c, {222, 111}, 120);
         }},
        {"wheel out", maZoom,
         [](TPlotChart& c) {
             Wheel(c, {444, 333}, -240);
         }},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.Name);
        auto c = MakeShownChart(Chart1Size);
        // Ranges whose digits do not survive an approximate inverse, layer 2 too.
        SetRanges(*c, 0.1, 7.3, -2.5, 3.7);
        c->Scale2X().SetRangeLow(10.0 / 3);
        c->Scale2X().SetRangeHigh(20.7);
        c->Scale2Y().SetRangeLow(-1.1);
        c->Scale2Y().SetRangeHigh(0.9);
        c->SetPanGridDx(0.25);
        c->SetPanGridDy(0.5);
        c->SetPanGridOffsX(0.05);
        c->Paint();
        const TZoomRanges before = c->CurrentRanges();
        const QImage picture = c->SurfaceImage().copy();
        c->SetMouseAction(tc.Action);
        int reports = 0;
        c->OnZoomPan = [&](TCustomPlotChart&, TMouseActMode a) {
            EXPECT_EQ(a, tc.Action);
            ++reports;
        };
        tc.Gesture(*c);
        EXPECT_NE(Bits(c->CurrentRanges()), Bits(before));
        const TZoomRanges after = c->CurrentRanges();
        EXPECT_TRUE(after.XLow[1] != before.XLow[1] || after.YLow[1] != before.YLow[1])
            << "layer 2 moves along";
        EXPECT_GE(reports, 1);
        ASSERT_EQ(c->ZoomHistory().Count(), 1u);
        EXPECT_TRUE(c->UndoZoom());
        EXPECT_EQ(Bits(c->CurrentRanges()), Bits(before));
        EXPECT_EQ(c->SurfaceImage(), picture);
        EXPECT_FALSE(c->UndoZoom());
    }
}

TEST(MouseActions, UndoWalksBackThroughSeveralGestures) {
    auto c = UnitChart();
    c->SetMouseAction(maPan);
    const TZoomRanges first = c->CurrentRanges();
    Drag(*c, {300, 200}, {320, 200});
    const TZoomRanges second = c->CurrentRanges();
    Wheel(*c, {300, 200}, 120);
    Drag(*c, {300, 200}, {300, 230});
    EXPECT_EQ(c->ZoomHistory().Count(), 3u);
    c->UndoZoom();
    c->UndoZoom();
    EXPECT_EQ(Bits(c->CurrentRanges()), Bits(second));
    c->UndoZoom();
    EXPECT_EQ(Bits(c->CurrentRanges()), Bits(first));
}

TEST(MouseActions, PanGridPutsTheLowEndsOnTheGrid) {
    auto c = UnitChart();
    c->SetPanGridDx(50);
    c->SetPanGridOffsX(5);
    c->SetPanGridDy(0); // no grid: pans freely
    c->SetMouseAction(maPanGrid);
    Drag(*c, {300, 200}, {263, 193});
    // 37 to the left: low end 37, nearest grid point 5 + 50 * 1 = 55.
    ExpectRange(XRange(*c), 55, 632, "x");
    ExpectRange(YRange(*c), -7, 333, "y");
}

TEST(MouseActions, ZoomKeepsThePressPointAndWorksInLogSpace) {
    auto c = UnitChart();
    c->SetMouseAction(maZoom);
    // 100 pixels up: twice as close, about the press point (value 250, 160).
    Drag(*c, {300, 200}, {300, 100});
    ExpectRange(XRange(*c), 125, 413.5, "x");
    ExpectRange(YRange(*c), 80, 250, "y");

    // A logarithmic X axis 1..1000 zooms about its value in log space: a click
    // at the pixel of 10 halves the decades around it.
    auto g = MakeShownChart(Chart1Size);
    SetRanges(*g, 1, 1000, 0, 340);
    g->Scale1X().SetLogarithmic(true);
    g->SetMouseAction(maZoom);
    int px, py;
    g->R2M(1, 10, 100, px, py);
    double at, unused;
    g->M2R(1, px, py, at, unused);
    Drag(*g, {px, py}, {px, py});
    ExpectRange(XRange(*g), at * std::sqrt(1 / at), at * std::sqrt(1000 / at), "log x");
    // The wheel zooms out again in log space: 1.25 per notch.
    const TRange before = XRange(*g);
    Wheel(*g, {px, py}, -120);
    const double lp = std::log(at);
    ExpectRange(XRange(*g), std::exp(lp + (std::log(before.Low) - lp) * 1.25),
                std::exp(lp + (std::log(before.High) - lp) * 1.25), "log wheel");
}

TEST(MouseActions, WheelZoomsAboutThePointerOnTheActionsAxes) {
    const struct {
        TMouseActMode Action;
        bool X, Y;
    } cases[] = {{maPan, true, true},
                 {maPanHoriz, true, false},
                 {maPanVert, false, true},
                 {maZoomWind, true, true}};
    for (const auto& tc : cases) {
        auto c = UnitChart();
        c->SetMouseAction(tc.Action);
        EXPECT_TRUE(Wheel(*c, {300, 200}, 120));
        // Value 250 (160) stays under the pointer, the rest 1.25 times closer.
        if (tc.X)
            ExpectRange(XRange(*c), 250 - 250 / 1.25, 250 + 327 / 1.25, "x");
        else
            ExpectRange(XRange(*c), 0, 577, "x");
        if (tc.Y)
            ExpectRange(YRange(*c), 160 - 160 / 1.25, 160 + 180 / 1.25, "y");
        else
            ExpectRange(YRange(*c), 0, 340, "y");
    }
}

TEST(MouseActions, WheelEventsComeFirstAndCanTakeTheWheel) {
    auto c = UnitChart();
    c->SetMouseAction(maPan);
    std::vector<std::string> seen;
    c->OnMouseWheel = [&](TCustomPlotChart&, Qt::KeyboardModifiers, int delta, int x, int y,
                          bool&) {
        seen.push_back("wheel " + std::to_string(delta) + " " + std::to_string(x) + "," +
                       std::to_string(y));
    };
    c->OnMouseWheelUp = [&](TCustomPlotChart&, Qt::KeyboardModifiers, int, int, bool& handled) {
        seen.push_back("up");
        handled = true;
    };
    c->OnMouseWheelDown = [&](TCustomPlotChart&, Qt::KeyboardModifiers, int, int, bool&) {
        seen.push_back("down");
    };
    EXPECT_TRUE(Wheel(*c, {300, 200}, 120));
    ExpectRange(XRange(*c), 0, 577, "handled: no zoom");
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
    Wheel(*c, {300, 200}, -120);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"wheel 120 300,200", "up", "wheel -120 300,200", "down"}));
    EXPECT_GT(XRange(*c).High - XRange(*c).Low, 577) << "not handled: zoomed out";
}

TEST(MouseActions, ZoomWindowTakesTheRectangleUnlessItIsTooSmall) {
    auto c = UnitChart();
    c->SetMouseAction(maZoomWind);
    int reports = 0;
    c->OnZoomPan = [&](TCustomPlotChart&, TMouseActMode) { ++reports; };
    // Too small in one direction: nothing happens.
    for (QPoint to : {QPoint(303, 100), QPoint(100, 197), QPoint(300, 200)}) {
        Drag(*c, {300, 200}, to);
        ExpectRange(XRange(*c), 0, 577, "x");
        ExpectRange(YRange(*c), 0, 340, "y");
    }
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
    // Dragged from bottom right to beyond the top left corner: clamped there.
    Drag(*c, {400, 300}, {10, 5});
    ExpectRange(XRange(*c), 0, 350, "x");
    ExpectRange(YRange(*c), 60, 340, "y");
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(c->RubberBandShown());
}

TEST(MouseActions, ZoomStopsAtMinRangeWithoutAHistoryEntry) {
    auto c = MakeShownChart(Chart1Size);
    SetRanges(*c, 0, 1e-10, 0, 1e-10);
    c->Scale2X().SetRangeHigh(1e-10);
    c->Scale2Y().SetRangeHigh(1e-10);
    const TZoomRanges before = c->CurrentRanges();
    c->SetMouseAction(maZoom);
    int reports = 0;
    c->OnZoomPan = [&](TCustomPlotChart&, TMouseActMode) { ++reports; };
    Drag(*c, {300, 200}, {300, 200});
    Wheel(*c, {300, 200}, 120);
    EXPECT_EQ(Bits(c->CurrentRanges()), Bits(before));
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
    // Zooming out still works.
    Wheel(*c, {300, 200}, -120);
    EXPECT_EQ(c->ZoomHistory().Count(), 1u);
}

TEST(MouseActions, JoinedLayerFollowsAPan) {
    auto c = UnitChart();
    c->JointLayers().SetControlledLayerX(2, 1);
    c->SetMouseAction(maPanHoriz);
    Drag(*c, {300, 200}, {330, 200});
    ExpectRange(XRange(*c), -30, 547, "layer 1");
    ExpectRange(XRange(*c, 2), -30, 547, "layer 2 joined");
    c->UndoZoom();
    ExpectRange(XRange(*c, 2), 0, 577, "layer 2 back");
}

TEST(MouseActions, RubberBandInvertsItsOutlineAndLeavesNoTrace) {
    auto c = UnitChart();
    c->SetDataCol(clBlue);
    c->Line(0.0, 100.0, 577.0, 100.0);
    c->ShowGraf();
    c->Paint();
    const QImage before = c->SurfaceImage().copy();
    c->SetMouseAction(maRubberBand);
    std::vector<TRect> bands;
    c->OnRubberBand = [&](TCustomPlotChart&, const TRect& r) { bands.push_back(r); };
    Press(*c, {400, 300});
    Move(*c, {200, 250});
    Move(*c, {150, 200});
    ASSERT_TRUE(c->RubberBandShown());
    const QImage during = c->SurfaceImage().copy();
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const bool edge = ((x == 150 || x == 400) && y >= 200 && y <= 300) ||
                              ((y == 200 || y == 300) && x >= 150 && x <= 400);
            const QRgb b = before.pixel(x, y);
            ASSERT_EQ(during.pixel(x, y), edge ? (b ^ 0x00FFFFFF) : b) << x << "," << y;
        }
    // A repaint during the drag keeps the band.
    c->Paint();
    EXPECT_EQ(c->SurfaceImage(), during);
    Move(*c, {0, 0});
    Release(*c, {0, 0});
    EXPECT_FALSE(c->RubberBandShown());
    EXPECT_EQ(c->SurfaceImage(), before);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (TRect{L, T, 400, 300}));
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
    ExpectRange(XRange(*c), 0, 577, "ranges untouched");
}

TEST(MouseActions, SelectRectReportsWorldValuesOfTheActiveLayer) {
    auto c = UnitChart();
    c->Scale2X().SetRangeLow(0);
    c->Scale2X().SetRangeHigh(5770);
    c->SetMouseAction(maSelectRect);
    std::vector<double> got;
    c->OnSelectRect = [&](TCustomPlotChart&, double xl, double yl, double xh, double yh) {
        got = {xl, yl, xh, yh};
    };
    Drag(*c, {310, 120}, {100, 330});
    ASSERT_EQ(got.size(), 4u);
    EXPECT_DOUBLE_EQ(got[0], 50);
    EXPECT_DOUBLE_EQ(got[1], 30);
    EXPECT_DOUBLE_EQ(got[2], 260);
    EXPECT_DOUBLE_EQ(got[3], 240);
    c->SetActiveLayer(2);
    Drag(*c, {310, 120}, {100, 330});
    EXPECT_DOUBLE_EQ(got[0], 500);
    EXPECT_DOUBLE_EQ(got[2], 2600);
}

TEST(MouseActions, DraggingMovesTheNearestCrossHairAlongItsLines) {
    auto c = UnitChart();
    TCrossHair& vert = c->CrossHair(1);
    vert.SetMode(chVert);
    vert.SetPos(100, 100);
    TCrossHair& both = c->CrossHair(2);
    both.SetLayer(1);
    both.SetMode(chBoth);
    both.SetPos(300, 200);
    c->SetMouseAction(maDragCrossH);
    std::vector<int> before;
    std::vector<std::vector<double>> moves;
    c->OnBeforeCrossHairMove = [&](TCustomPlotChart&, int n, bool&) { before.push_back(n); };
    c->OnCrossHairMove = [&](TCustomPlotChart&, int n, double x, double y) {
        moves.push_back({static_cast<double>(n), x, y});
    };
    // 6 pixels right of crosshair 1's line (column 150): it moves along X only.
    Drag(*c, {156, 250}, {180, 120});
    EXPECT_EQ(before, std::vector<int>{1});
    EXPECT_EQ(vert.PosX(), 130);
    EXPECT_EQ(vert.PosY(), 100);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), (std::vector<double>{1, 130, 100}));
    // Near crosshair 2's horizontal line (row 160): both values follow, and the
    // point stays inside the plot area.
    Drag(*c, {500, 157}, {700, 0});
    EXPECT_EQ(both.PosX(), 577);
    EXPECT_EQ(both.PosY(), 340);
    // Too far from every line: nothing is caught.
    before.clear();
    Drag(*c, {400, 300}, {420, 320});
    EXPECT_TRUE(before.empty());
    // A handler may refuse.
    c->OnBeforeCrossHairMove = [](TCustomPlotChart&, int, bool& allow) { allow = false; };
    Drag(*c, {130 + L, 250}, {300, 250});
    EXPECT_EQ(vert.PosX(), 130);
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
}

TEST(MouseActions, TraceRecordsColouredPixelsUpToItsLimit) {
    auto c = UnitChart();
    c->SetMouseTraceColor(clRed);
    c->SetMouseTraceInvert(false);
    c->SetMouseAction(maDrawMTrace);
    Press(*c, {100, 100});
    Move(*c, {100, 100});
    Move(*c, {101, 100});
    Move(*c, {700, 100}); // outside the plot area
    Move(*c, {102, 101});
    Release(*c, {102, 101});
    const auto& trace = c->MouseTrace();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[1].x, 101);
    EXPECT_EQ(trace[2].y, 101);
    EXPECT_EQ(trace[2].Color, clRed);
    EXPECT_EQ(PixelAt(c->SurfaceImage(), 101, 100), clRed);
    // Without a button held nothing is recorded.
    Move(*c, {200, 200}, Qt::NoButton);
    EXPECT_EQ(trace.size(), 3u);

    while (static_cast<int>(trace.size()) < TCustomPlotChart::MaxMouseTracePoints - 2)
        c->AddMouseTracePoint(60, 60);
    Drag(*c, {300, 300}, {320, 300});
    EXPECT_EQ(static_cast<int>(trace.size()), TCustomPlotChart::MaxMouseTracePoints);
    EXPECT_EQ(trace.back().x, 305) << "the first points of the drag are kept";
}

TEST(MouseActions, MoveInChartReportsWorldValuesOnlyOverThePlotArea) {
    for (TMouseActMode action : {maNone, maPan}) {
        auto c = UnitChart();
        c->SetMouseAction(action);
        std::vector<std::pair<double, double>> got;
        c->OnMouseMoveInChart = [&](TCustomPlotChart&, Qt::KeyboardModifiers, double x, double y) {
            got.emplace_back(x, y);
        };
        Move(*c, {L, B}, Qt::NoButton);
        Move(*c, {300, 200}, Qt::NoButton);
        Move(*c, {R + 1, 200}, Qt::NoButton);
        Move(*c, {300, T - 1}, Qt::NoButton);
        EXPECT_EQ(got, (std::vector<std::pair<double, double>>{{0, 0}, {250, 160}})) << action;
    }
}

TEST(MouseActions, NoActionOrAPressOutsideThePlotAreaChangesNothing) {
    const struct {
        TMouseActMode Action;
        QPoint Press;
    } cases[] = {
        {maNone, {300, 200}},   {maPan, {L - 1, 200}},        {maZoomWind, {300, B + 1}},
        {maZoom, {R + 1, 200}}, {maRubberBand, {300, T - 1}}, {maZoomDrag, {300, 200}},
    };
    for (const auto& tc : cases) {
        auto c = UnitChart();
        c->SetMouseAction(tc.Action);
        c->Paint();
        const QImage before = c->SurfaceImage().copy();
        const int paints = c->PaintCount();
        int events = 0;
        c->OnZoomPan = [&](TCustomPlotChart&, TMouseActMode) { ++events; };
        c->OnRubberBand = [&](TCustomPlotChart&, const TRect&) { ++events; };
        // The press is left to the parent, as for any plain widget.
        EXPECT_FALSE(Press(*c, tc.Press)) << tc.Action;
        Move(*c, tc.Press + QPoint(40, 30));
        Release(*c, tc.Press + QPoint(40, 30));
        EXPECT_FALSE(Wheel(*c, tc.Press, 120)) << tc.Action;
        EXPECT_EQ(c->PaintCount(), paints) << tc.Action;
        EXPECT_EQ(c->SurfaceImage(), before) << tc.Action;
        ExpectRange(XRange(*c), 0, 577, "x");
        EXPECT_EQ(events, 0);
        EXPECT_EQ(c->ZoomHistory().Count(), 0u);
        EXPECT_TRUE(c->MouseTrace().empty());
    }
    // The main window's charts keep Qt's own cursor.
    auto c = UnitChart();
    EXPECT_FALSE(c->testAttribute(Qt::WA_SetCursor));
}

TEST(MouseActions, CursorsFollowTheAction) {
    const struct {
        TMouseActMode Action;
        Qt::CursorShape Shape;
    } cases[] = {
        {maPan, Qt::OpenHandCursor},     {maPanHoriz, Qt::SizeHorCursor},
        {maPanVert, Qt::SizeVerCursor},  {maZoom, Qt::SizeVerCursor},
        {maZoomWind, Qt::CrossCursor},   {maRubberBand, Qt::CrossCursor},
        {maSelectRect, Qt::CrossCursor}, {maDragCrossH, Qt::SizeAllCursor},
        {maDrawMTrace, Qt::CrossCursor}, {maRotate, Qt::ArrowCursor},
    };
    auto c = UnitChart();
    for (const auto& tc : cases) {
        c->SetMouseAction(tc.Action);
        EXPECT_EQ(c->cursor().shape(), tc.Shape) << tc.Action;
    }
    // Not fixed: the action's cursor over the plot area only, the closed hand
    // while panning.
    c->SetMouseAction(maPan);
    c->SetMouseCursorFixed(false);
    Move(*c, {10, 10}, Qt::NoButton);
    EXPECT_EQ(c->cursor().shape(), Qt::ArrowCursor);
    Move(*c, {300, 200}, Qt::NoButton);
    EXPECT_EQ(c->cursor().shape(), Qt::OpenHandCursor);
    Press(*c, {300, 200});
    Move(*c, {310, 200});
    EXPECT_EQ(c->cursor().shape(), Qt::ClosedHandCursor);
    Release(*c, {310, 200});
    EXPECT_EQ(c->cursor().shape(), Qt::OpenHandCursor);
    // Back to no action: Qt's cursor again.
    c->SetMouseAction(maNone);
    EXPECT_FALSE(c->testAttribute(Qt::WA_SetCursor));
}

TEST(MouseActions, ChangingTheActionOrResettingEndsAGesture) {
    auto c = UnitChart();
    c->Paint();
    const QImage before = c->SurfaceImage().copy();
    c->SetMouseAction(maZoomWind);
    Press(*c, {100, 100});
    Move(*c, {300, 300});
    ASSERT_TRUE(c->RubberBandShown());
    c->SetMouseAction(maPan);
    EXPECT_FALSE(c->MouseBusy());
    EXPECT_EQ(c->SurfaceImage(), before);
    Release(*c, {300, 300});
    ExpectRange(XRange(*c), 0, 577, "x");

    Drag(*c, {300, 200}, {320, 200});
    ASSERT_EQ(c->ZoomHistory().Count(), 1u);
    Press(*c, {300, 200});
    c->ResetComp();
    EXPECT_EQ(c->ZoomHistory().Count(), 0u);
    EXPECT_EQ(c->MouseAction(), maNone);
    EXPECT_FALSE(c->MouseBusy());
}
