// The chart under the mouse: pan and zoom gestures with their zoom history,
// the rubber band and rectangle selections, dragging crosshairs, recording
// the mouse trace, and the cursors that go with them.

#include "chart/CrossHair.h"
#include "chart/FlagGuard.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// An axis's values as its map spaces them: ln on a logarithmic axis.
double ToSpace(double value, bool log) {
    return log ? std::log(value) : value;
}

double FromSpace(double v, bool log) {
    return log ? std::exp(v) : v;
}

// The range moved so that its contents follow the pointer by d pixels.
void Shift(double& low, double& high, const TAxisMap& map, double d) {
    if (map.Collapsed() || d == 0)
        return;
    const bool log = map.Logarithmic();
    const double dv = d / static_cast<double>(map.Factor());
    low = FromSpace(ToSpace(low, log) - dv, log);
    high = FromSpace(ToSpace(high, log) - dv, log);
}

// The range narrowed by `factor` (> 1 zooms in) about the value under pixel p.
void ZoomAbout(double& low, double& high, const TAxisMap& map, double p, double factor) {
    if (map.Collapsed())
        return;
    const bool log = map.Logarithmic();
    const double vp = static_cast<double>((p - map.Offset()) / map.Factor());
    low = FromSpace(vp + (ToSpace(low, log) - vp) / factor, log);
    high = FromSpace(vp + (ToSpace(high, log) - vp) / factor, log);
}

// A panned range whose low end lands on the pan grid, keeping its width.
void SnapToGrid(double& low, double& high, double width, double step, double offset, bool log) {
    if (log || !(step > 0))
        return;
    low = offset + std::round((low - offset) / step) * step;
    high = low + width;
}

bool IsPan(TMouseActMode a) {
    return a == maPan || a == maPanHoriz || a == maPanVert || a == maPanGrid;
}

bool IsRectangle(TMouseActMode a) {
    return a == maZoomWind || a == maRubberBand || a == maSelectRect;
}

bool StartsGesture(TMouseActMode a) {
    return IsPan(a) || IsRectangle(a) || a == maZoom || a == maDragCrossH || a == maDrawMTrace;
}

bool WheelZooms(TMouseActMode a) {
    return IsPan(a) || a == maZoom || a == maZoomWind;
}

Qt::CursorShape ActionCursor(TMouseActMode a) {
    switch (a) {
    case maPan:
    case maPanGrid:
        return Qt::OpenHandCursor;
    case maPanHoriz:
        return Qt::SizeHorCursor;
    case maPanVert:
    case maZoom:
        return Qt::SizeVerCursor;
    case maZoomWind:
    case maRubberBand:
    case maSelectRect:
    case maDrawMTrace:
        return Qt::CrossCursor;
    case maDragCrossH:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

TPoint PointOf(const QPointF& p) {
    const QPoint q = p.toPoint();
    return {q.x(), q.y()};
}

} // namespace

// --- zoom history -------------------------------------------------------------------

TZoomRanges TCustomPlotChart::CurrentRanges() const {
    TZoomRanges r;
    for (std::size_t i = 0; i < 2; ++i) {
        r.XLow[i] = FScalePropsX[i]->RangeLow();
        r.XHigh[i] = FScalePropsX[i]->RangeHigh();
        r.YLow[i] = FScalePropsY[i]->RangeLow();
        r.YHigh[i] = FScalePropsY[i]->RangeHigh();
    }
    return r;
}

bool TCustomPlotChart::UndoZoom() {
    EndGesture();
    const std::optional<TZoomRanges> entry = FZoomHistory.Pop();
    if (!entry)
        return false;
    {
        TFlagGuard gate(FSuppressPaint);
        const auto put = [](TScaleProps& props, double low, double high) {
            if (!props.Logarithmic() || TAxisMap::LogRangeValid(low, high))
                props.StoreRange(low, high);
        };
        for (std::size_t i = 0; i < 2; ++i) {
            put(*FScalePropsX[i], entry->XLow[i], entry->XHigh[i]);
            put(*FScalePropsY[i], entry->YLow[i], entry->YHigh[i]);
            SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
            SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
        }
        AdjustScaling();
    }
    Paint();
    return true;
}

void TCustomPlotChart::CommitZoom(const TZoomRanges& Before) {
    if (CurrentRanges() != Before)
        FZoomHistory.Push(Before);
}

void TCustomPlotChart::ApplyMouseRanges(const TZoomRanges& Ranges, TMouseActMode Action) {
    const TZoomRanges before = CurrentRanges();
    for (int layer = 1; layer <= 2; ++layer) {
        const std::size_t i = static_cast<std::size_t>(layer - 1);
        ForceRange(layer, Ranges.XLow[i], Ranges.XHigh[i], Ranges.YLow[i], Ranges.YHigh[i]);
    }
    if (CurrentRanges() == before)
        return;
    Paint();
    if (OnZoomPan)
        OnZoomPan(*this, Action);
}

// --- settings ---------------------------------------------------------------------------

void TCustomPlotChart::SetMouseAction(TMouseActMode value) {
    EndGesture();
    FMouseAction = value;
    UpdateCursor(PointOf(QPointF(mapFromGlobal(QCursor::pos()))));
}

void TCustomPlotChart::SetMouseCursorFixed(bool value) {
    FMouseCursorFixed = value;
    UpdateCursor(PointOf(QPointF(mapFromGlobal(QCursor::pos()))));
}

void TCustomPlotChart::UpdateCursor(TPoint at) {
    if (FMouseAction == maNone) {
        // A chart that never had an action keeps Qt's cursor handling untouched.
        if (testAttribute(Qt::WA_SetCursor))
            unsetCursor();
        return;
    }
    Qt::CursorShape shape = ActionCursor(FMouseAction);
    if (!FMouseCursorFixed) {
        if (FGesture.Active && IsPan(FGesture.Action))
            shape = Qt::ClosedHandCursor;
        else if (!FGesture.Active && !InPlotArea(at))
            shape = Qt::ArrowCursor;
    }
    if (!testAttribute(Qt::WA_SetCursor) || cursor().shape() != shape)
        setCursor(shape);
}

// --- geometry of gestures ----------------------------------------------------------------

bool TCustomPlotChart::InPlotArea(TPoint p) const {
    // A plot area of one pixel has no map to convert through.
    const TPlotGeometry g = Geometry();
    return g.PlotWidth() >= 2 && g.PlotHeight() >= 2 && p.x >= g.LRim && p.x <= g.PlotRight() &&
           p.y >= g.TRim && p.y <= g.PlotBottom();
}

TPoint TCustomPlotChart::ClampToPlotArea(TPoint p) const {
    const TPlotGeometry g = Geometry();
    return {std::clamp(p.x, g.LRim, std::max(g.LRim, g.PlotRight())),
            std::clamp(p.y, g.TRim, std::max(g.TRim, g.PlotBottom()))};
}

// --- the rubber band ------------------------------------------------------------------------

void TCustomPlotChart::XorBand(TPoint from, TPoint to) {
    TCanvas& c = FSurfaceBmp.Canvas();
    TCanvasStateSaver saved(c);
    c.Pen = TPen{clWhite, psSolid, 1, pmXor};
    // A closed polyline paints every pixel of the outline once, so a second
    // pass restores them all.
    const TPoint outline[] = {from, {to.x, from.y}, to, {from.x, to.y}, from};
    c.Polyline(outline);
}

void TCustomPlotChart::ShowBand(TPoint from, TPoint to) {
    if (FGesture.BandShown && FGesture.BandFrom == from && FGesture.BandTo == to)
        return;
    if (FGesture.BandShown)
        XorBand(FGesture.BandFrom, FGesture.BandTo);
    XorBand(from, to);
    FGesture.BandShown = true;
    FGesture.BandFrom = from;
    FGesture.BandTo = to;
    // The surface holds the current picture and the band: show it as it is.
    FSurfaceFresh = true;
    update();
}

void TCustomPlotChart::HideBand() {
    if (!FGesture.BandShown)
        return;
    XorBand(FGesture.BandFrom, FGesture.BandTo);
    FGesture.BandShown = false;
    FSurfaceFresh = true;
    update();
}

void TCustomPlotChart::RestoreBand() {
    if (FGesture.BandShown)
        XorBand(FGesture.BandFrom, FGesture.BandTo);
}

// --- crosshairs and trace --------------------------------------------------------------------

int TCustomPlotChart::NearestCrossHair(TPoint at) const {
    int best = 0;
    double bestDist = CrossHairCatchPixels;
    for (int n = 1; n <= NumCrossHairs; ++n) {
        const TCrossHair& ch = CrossHair(n);
        if (ch.Mode() == chOff)
            continue;
        int px, py;
        R2M(ch.Layer(), ch.PosX(), ch.PosY(), px, py);
        const double dx = std::abs(static_cast<double>(at.x) - px);
        const double dy = std::abs(static_cast<double>(at.y) - py);
        double d = 0;
        switch (ch.Mode()) {
        case chHoriz:
            d = dy;
            break;
        case chVert:
            d = dx;
            break;
        case chBox:
            d = std::hypot(dx, dy);
            break;
        default:
            d = std::min(dx, dy);
            break;
        }
        if (d <= bestDist && (best == 0 || d < bestDist)) {
            best = n;
            bestDist = d;
        }
    }
    return best;
}

void TCustomPlotChart::MoveCrossHair(TPoint at) {
    const int n = FGesture.CrossHair;
    if (n == 0)
        return;
    TCrossHair& ch = CrossHair(n);
    const TPoint q = ClampToPlotArea(at);
    double x, y;
    M2R(ch.Layer(), q.x, q.y, x, y);
    if (ch.Mode() == chHoriz)
        x = ch.PosX();
    else if (ch.Mode() == chVert)
        y = ch.PosY();
    if (x == ch.PosX() && y == ch.PosY())
        return;
    {
        // One picture, whatever AutoRedraw says: the crosshair follows the pointer.
        TFlagGuard gate(FSuppressPaint);
        ch.SetPos(x, y);
    }
    Paint();
    if (OnCrossHairMove)
        OnCrossHairMove(*this, n, x, y);
}

void TCustomPlotChart::RecordTrace(TPoint at) {
    if (!InPlotArea(at) || static_cast<int>(FMouseTrace.size()) >= MaxMouseTracePoints)
        return;
    if (!FMouseTrace.empty() && FMouseTrace.back().x == at.x && FMouseTrace.back().y == at.y)
        return;
    AddMouseTracePoint(at.x, at.y);
    Paint();
}

// --- gestures -----------------------------------------------------------------------------------

void TCustomPlotChart::EndGesture() {
    if (!FGesture.Active)
        return;
    HideBand();
    CommitZoom(FGesture.Start);
    const TPoint last = FGesture.Last;
    FGesture = TGesture{};
    UpdateCursor(last);
}

void TCustomPlotChart::DragTo(TPoint at) {
    TGesture& g = FGesture;
    g.Last = at;
    if (std::abs(at.x - g.Press.x) > ClickSlop || std::abs(at.y - g.Press.y) > ClickSlop)
        g.Moved = true;
    const double dx = at.x - g.Press.x;
    const double dy = at.y - g.Press.y;
    switch (g.Action) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maPanGrid: {
        TZoomRanges r = g.Start;
        for (std::size_t i = 0; i < 2; ++i) {
            const TLayerMap& m = g.StartMap.Layer(static_cast<int>(i) + 1);
            if (g.Action != maPanVert)
                Shift(r.XLow[i], r.XHigh[i], m.X, dx);
            if (g.Action != maPanHoriz)
                Shift(r.YLow[i], r.YHigh[i], m.Y, dy);
            if (g.Action == maPanGrid) {
                SnapToGrid(r.XLow[i], r.XHigh[i], g.Start.XHigh[i] - g.Start.XLow[i], FPanGridDx,
                           FPanGridOffsX, m.X.Logarithmic());
                SnapToGrid(r.YLow[i], r.YHigh[i], g.Start.YHigh[i] - g.Start.YLow[i], FPanGridDy,
                           FPanGridOffsY, m.Y.Logarithmic());
            }
        }
        ApplyMouseRanges(r, g.Action);
        break;
    }
    case maZoom: {
        if (!g.Moved || g.Button != Qt::LeftButton)
            break;
        // Up (dy < 0) zooms in.
        const double factor = std::exp2(-dy / ZoomDragPixels);
        TZoomRanges r = g.Start;
        for (std::size_t i = 0; i < 2; ++i) {
            const TLayerMap& m = g.StartMap.Layer(static_cast<int>(i) + 1);
            ZoomAbout(r.XLow[i], r.XHigh[i], m.X, g.Press.x, factor);
            ZoomAbout(r.YLow[i], r.YHigh[i], m.Y, g.Press.y, factor);
        }
        ApplyMouseRanges(r, g.Action);
        break;
    }
    case maZoomWind:
    case maRubberBand:
    case maSelectRect:
        ShowBand(g.Press, ClampToPlotArea(at));
        break;
    case maDragCrossH:
        MoveCrossHair(at);
        break;
    case maDrawMTrace:
        RecordTrace(at);
        break;
    default:
        break;
    }
}

void TCustomPlotChart::ReleaseAt(TPoint at) {
    TGesture& g = FGesture;
    const TPoint q = ClampToPlotArea(at);
    const TPoint p = g.Press;
    switch (g.Action) {
    case maZoom:
        g.Last = at;
        if (std::abs(at.x - p.x) > ClickSlop || std::abs(at.y - p.y) > ClickSlop)
            g.Moved = true;
        if (g.Moved) {
            DragTo(at);
        } else {
            const double factor = g.Button == Qt::LeftButton ? 2.0 : 0.5;
            TZoomRanges r = g.Start;
            for (std::size_t i = 0; i < 2; ++i) {
                const TLayerMap& m = g.StartMap.Layer(static_cast<int>(i) + 1);
                ZoomAbout(r.XLow[i], r.XHigh[i], m.X, p.x, factor);
                ZoomAbout(r.YLow[i], r.YHigh[i], m.Y, p.y, factor);
            }
            ApplyMouseRanges(r, maZoom);
        }
        break;
    case maZoomWind: {
        HideBand();
        if (std::abs(q.x - p.x) < MinZoomWindPixels || std::abs(q.y - p.y) < MinZoomWindPixels)
            break;
        TZoomRanges r = g.Start;
        for (std::size_t i = 0; i < 2; ++i) {
            const TLayerMap& m = g.StartMap.Layer(static_cast<int>(i) + 1);
            const double x1 = m.X.ToValue(p.x), x2 = m.X.ToValue(q.x);
            const double y1 = m.Y.ToValue(p.y), y2 = m.Y.ToValue(q.y);
            r.XLow[i] = std::min(x1, x2);
            r.XHigh[i] = std::max(x1, x2);
            r.YLow[i] = std::min(y1, y2);
            r.YHigh[i] = std::max(y1, y2);
        }
        ApplyMouseRanges(r, maZoomWind);
        break;
    }
    case maRubberBand:
        HideBand();
        if (OnRubberBand)
            OnRubberBand(*this, TRect{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x),
                                      std::max(p.y, q.y)});
        break;
    case maSelectRect: {
        HideBand();
        double x1, y1, x2, y2;
        M2R(ActiveLayer(), p.x, p.y, x1, y1);
        M2R(ActiveLayer(), q.x, q.y, x2, y2);
        if (OnSelectRect)
            OnSelectRect(*this, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                         std::max(y1, y2));
        break;
    }
    default:
        DragTo(at);
        break;
    }
    EndGesture();
}

// --- Qt's mouse events ---------------------------------------------------------------------------

void TCustomPlotChart::mousePressEvent(QMouseEvent* event) {
    const TPoint p = PointOf(event->position());
    if (FGesture.Active) {
        // Another button during a gesture changes nothing.
        event->accept();
        return;
    }
    const bool button = event->button() == Qt::LeftButton ||
                        (FMouseAction == maZoom && event->button() == Qt::RightButton);
    if (!StartsGesture(FMouseAction) || !button || !InPlotArea(p)) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    TGesture g;
    g.Active = true;
    g.Action = FMouseAction;
    g.Button = event->button();
    g.Press = g.Last = p;
    g.Start = CurrentRanges();
    g.StartMap = FPlotMap;
    if (g.Action == maDragCrossH) {
        const int n = NearestCrossHair(p);
        bool allow = n != 0;
        if (allow && OnBeforeCrossHairMove)
            OnBeforeCrossHairMove(*this, n, allow);
        if (!allow)
            return;
        g.CrossHair = n;
    }
    FGesture = g;
    UpdateCursor(p);
    if (g.Action == maDrawMTrace)
        RecordTrace(p);
}

void TCustomPlotChart::mouseMoveEvent(QMouseEvent* event) {
    const TPoint p = PointOf(event->position());
    if (OnMouseMoveInChart && InPlotArea(p)) {
        double x, y;
        M2R(ActiveLayer(), p.x, p.y, x, y);
        OnMouseMoveInChart(*this, event->modifiers(), x, y);
    }
    if (FGesture.Active && (event->buttons() & FGesture.Button)) {
        event->accept();
        DragTo(p);
    } else {
        QWidget::mouseMoveEvent(event);
    }
    UpdateCursor(p);
}

void TCustomPlotChart::mouseReleaseEvent(QMouseEvent* event) {
    if (!FGesture.Active || event->button() != FGesture.Button) {
        if (FGesture.Active)
            event->accept();
        else
            QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    ReleaseAt(PointOf(event->position()));
}

void TCustomPlotChart::wheelEvent(QWheelEvent* event) {
    const TPoint p = PointOf(event->position());
    const int delta = event->angleDelta().y();
    const Qt::KeyboardModifiers shift = event->modifiers();
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(*this, shift, delta, p.x, p.y, handled);
    if (!handled && delta > 0 && OnMouseWheelUp)
        OnMouseWheelUp(*this, shift, p.x, p.y, handled);
    if (!handled && delta < 0 && OnMouseWheelDown)
        OnMouseWheelDown(*this, shift, p.x, p.y, handled);
    if (handled) {
        event->accept();
        return;
    }
    // Not a zooming chart: the wheel belongs to whatever lies behind it.
    if (!WheelZooms(FMouseAction) || delta == 0 || FGesture.Active || !InPlotArea(p)) {
        event->ignore();
        return;
    }
    event->accept();
    const double factor = std::pow(WheelZoomFactor, delta / 120.0);
    const TZoomRanges before = CurrentRanges();
    TZoomRanges r = before;
    for (std::size_t i = 0; i < 2; ++i) {
        const TLayerMap& m = FPlotMap.Layer(static_cast<int>(i) + 1);
        if (FMouseAction != maPanVert)
            ZoomAbout(r.XLow[i], r.XHigh[i], m.X, p.x, factor);
        if (FMouseAction != maPanHoriz)
            ZoomAbout(r.YLow[i], r.YHigh[i], m.Y, p.y, factor);
    }
    ApplyMouseRanges(r, FMouseAction);
    CommitZoom(before);
}
