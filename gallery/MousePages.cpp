#include "gallery/MousePages.h"

#include "chart/CrossHair.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "gallery/GalleryPage.h"
#include "gallery/PageHelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace {

// Marks that a rectangle selection reached carry this tag bit.
constexpr int SelectedMask = 1;

QString Num(double v) {
    return QString::number(v, 'g', 4);
}

QString RangesText(TCustomPlotChart& Chart) {
    return QStringLiteral("X %1 .. %2, Y %3 .. %4")
        .arg(Num(Chart.Scale1X().RangeLow()), Num(Chart.Scale1X().RangeHigh()),
             Num(Chart.Scale1Y().RangeLow()), Num(Chart.Scale1Y().RangeHigh()));
}

// The chart of every mouse page: a pulse and marks on it, ranges 0..10 by
// -0.5..1.5.
TPlotChart& MouseChart(TGalleryPage& Page, const QString& Title) {
    TPlotChart& c = Page.AddChart();
    Captions(c, Title, "phase", "flux");
    SetRanges(c, 0, 10, -0.5, 1.5);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    c.SetLineWid(2);
    Curve(c, 0, 10, 300, Pulse);
    c.SetLineWid(1);
    c.SetDataCol(clBlack);
    c.SetFillCol(SkyBlue);
    for (int i = 0; i < 40; ++i) {
        const double x = 0.125 + i * 0.25;
        c.MarkAt(x, Pulse(x) + 0.12 * std::sin(i * 5.0), 6);
    }
    c.ShowGraf();
    return c;
}

// The pointer's world position, live, and the undo of the zoom history.
void PositionAndUndo(TGalleryPage& Page, TPlotChart& c) {
    auto* where = new QLabel(QStringLiteral("pointer: -"), &Page);
    where->setMinimumWidth(220);
    auto* undo = new QPushButton(QStringLiteral("UndoZoom"), &Page);
    auto* depth = new QLabel(&Page);
    Page.Controls().addWidget(where);
    Page.Controls().addWidget(undo);
    Page.Controls().addWidget(depth);
    Page.Controls().addStretch(1);
    const auto showDepth = [&c, depth] {
        depth->setText(QStringLiteral("history: %1").arg(c.ZoomHistory().Count()));
    };
    showDepth();
    c.OnMouseMoveInChart = [where](TCustomPlotChart&, Qt::KeyboardModifiers, double X, double Y) {
        where->setText(QStringLiteral("pointer: %1, %2").arg(Num(X), Num(Y)));
    };
    c.OnZoomPan = [&Page, showDepth](TCustomPlotChart& chart, TMouseActMode) {
        Page.Log(QStringLiteral("OnZoomPan: ") + RangesText(chart));
    };
    // A gesture's history entry is made when it ends: once the chart has had
    // the release (or the wheel), the depth is read again.
    new TEventTap(&c, [&Page, showDepth](QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease || event.type() == QEvent::Wheel)
            QTimer::singleShot(0, &Page, showDepth);
    });
    QObject::connect(undo, &QPushButton::clicked, &Page, [&Page, &c, showDepth] {
        Page.Log(c.UndoZoom() ? QStringLiteral("UndoZoom: ") + RangesText(c)
                              : QStringLiteral("UndoZoom: the history is empty"));
        showDepth();
    });
}

void SetUpRubberBand(TGalleryPage& Page, TPlotChart& c) {
    c.OnRubberBand = [&Page](TCustomPlotChart&, const TRect& r) {
        Page.Log(QStringLiteral("OnRubberBand: (%1, %2) - (%3, %4) pixels")
                     .arg(r.Left)
                     .arg(r.Top)
                     .arg(r.Right)
                     .arg(r.Bottom));
    };
}

void SetUpSelectRect(TGalleryPage& Page, TPlotChart& c) {
    // Marked items are drawn red: the handler changes only the copy drawn.
    c.OnBeforeRenderChartItem = [](TCustomPlotChart&, TChartItem& item, int, bool) {
        if (item.ItemKind == tkMarkAt && (item.Tag & SelectedMask))
            item.FillColor = clRed;
    };
    c.OnSelectRect = [&Page](TCustomPlotChart& chart, double XLow, double YLow, double XHigh,
                             double YHigh) {
        chart.MarkAllItems(SelectedMask, false, 255, tkEverything);
        const int n = chart.MarkItemsInWindow(chart.ActiveLayer(), XLow, YLow, XHigh, YHigh,
                                              SelectedMask, true, 255, tkMarkAt);
        chart.Paint();
        Page.Log(QStringLiteral("OnSelectRect: X %1 .. %2, Y %3 .. %4: %5 marks")
                     .arg(Num(XLow), Num(XHigh), Num(YLow), Num(YHigh))
                     .arg(n));
    };
}

void SetUpCrossHairs(TGalleryPage& Page, TPlotChart& c) {
    const struct {
        TCrossHMode Mode;
        TColor Color;
        double X, Y;
    } hairs[] = {{chVert, clRed, 3, 0}, {chBoth, DarkGreen, 7, 1.0}, {chBox, clPurple, 5, 0}};
    for (int i = 0; i < 3; ++i) {
        TCrossHair& h = c.CrossHair(i + 1);
        h.SetLayer(1);
        h.SetMode(hairs[i].Mode);
        h.SetColor(hairs[i].Color);
        h.SetLineType(psSolid);
        h.SetPos(hairs[i].X, hairs[i].Y);
    }
    auto* lock = new QCheckBox(QStringLiteral("Crosshair 2 locked (OnBeforeCrossHairMove)"), &Page);
    Page.Controls().insertWidget(Page.Controls().count() - 1, lock);
    c.OnBeforeCrossHairMove = [&Page, lock](TCustomPlotChart&, int n, bool& Allow) {
        if (n == 2 && lock->isChecked())
            Allow = false;
        Page.Log(QStringLiteral("OnBeforeCrossHairMove: crosshair %1%2")
                     .arg(n)
                     .arg(Allow ? "" : " refused"));
    };
    c.OnCrossHairMove = [&Page](TCustomPlotChart&, int n, double X, double Y) {
        Page.Log(
            QStringLiteral("OnCrossHairMove: crosshair %1 at %2, %3").arg(n).arg(Num(X), Num(Y)));
    };
}

void SetUpTrace(TGalleryPage& Page, TPlotChart& c) {
    c.SetMouseTraceInvert(false);
    c.SetMouseTraceColor(clRed);
    auto* clear = new QPushButton(QStringLiteral("ClearMouseTrace"), &Page);
    Page.Controls().insertWidget(Page.Controls().count() - 1, clear);
    QObject::connect(clear, &QPushButton::clicked, &Page, [&c] {
        c.ClearMouseTrace();
        c.Paint();
    });
    // The trace has no event of its own: its length is read when the button is let go.
    new TEventTap(&c, [&Page, &c](QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease)
            Page.Log(QStringLiteral("MouseTrace: %1 points").arg(c.MouseTrace().size()));
    });
}

} // namespace

void MouseActionPage(TGalleryPage& Page, TMouseActMode Action) {
    static const struct {
        TMouseActMode Action;
        const char* Title;
    } titles[] = {
        {maPan, "maPan: drag to move both ranges"},
        {maPanHoriz, "maPanHoriz: drag to move X"},
        {maPanVert, "maPanVert: drag to move Y"},
        {maPanGrid, "maPanGrid: the ranges snap to the grid"},
        {maZoom, "maZoom: drag up or down, click left or right"},
        {maZoomWind, "maZoomWind: drag a window to zoom into"},
        {maRubberBand, "maRubberBand: drag a band"},
        {maSelectRect, "maSelectRect: marks inside turn red"},
        {maDragCrossH, "maDragCrossH: drag a crosshair"},
        {maDrawMTrace, "maDrawMTrace: draw with the mouse"},
    };
    QString title = QStringLiteral("MouseAction");
    for (const auto& t : titles)
        if (t.Action == Action)
            title = QString::fromUtf8(t.Title);
    TPlotChart& c = MouseChart(Page, title);
    Page.AddReadout();
    PositionAndUndo(Page, c);
    switch (Action) {
    case maPanGrid:
        c.SetPanGridDx(1);
        c.SetPanGridDy(0.25);
        c.SetGridStyle(gsDotLines);
        c.SetGridColor(clSilver);
        break;
    case maRubberBand:
        SetUpRubberBand(Page, c);
        break;
    case maSelectRect:
        SetUpSelectRect(Page, c);
        break;
    case maDragCrossH:
        SetUpCrossHairs(Page, c);
        break;
    case maDrawMTrace:
        SetUpTrace(Page, c);
        break;
    default:
        break;
    }
    c.SetMouseAction(Action);
}

void MouseWheelPage(TGalleryPage& Page) {
    TPlotChart& c = MouseChart(Page, "The wheel zooms about the pointer (maPan)");
    Page.AddReadout();
    PositionAndUndo(Page, c);
    auto* stop = new QCheckBox(QStringLiteral("Handled (no zoom)"), &Page);
    Page.Controls().insertWidget(Page.Controls().count() - 1, stop);
    c.OnMouseWheel = [&Page, stop](TCustomPlotChart&, Qt::KeyboardModifiers, int Delta, int X,
                                   int Y, bool& Handled) {
        Handled = stop->isChecked();
        Page.Log(QStringLiteral("OnMouseWheel: delta %1 at pixel %2, %3%4")
                     .arg(Delta)
                     .arg(X)
                     .arg(Y)
                     .arg(Handled ? ", handled" : ""));
    };
    c.OnMouseWheelUp = [&Page](TCustomPlotChart&, Qt::KeyboardModifiers, int, int, bool&) {
        Page.Log(QStringLiteral("OnMouseWheelUp"));
    };
    c.OnMouseWheelDown = [&Page](TCustomPlotChart&, Qt::KeyboardModifiers, int, int, bool&) {
        Page.Log(QStringLiteral("OnMouseWheelDown"));
    };
    c.SetMouseAction(maPan);
}
