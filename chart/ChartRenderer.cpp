#include "chart/ChartRenderer.h"

#include "base/FloatOps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// Fills and shades of black-and-white rendering.
constexpr TColor BlkWhiteFill = clWhite;
constexpr TColor BlkWhiteShade = 0xE0E0E0;
constexpr int ScreenLimit = 30000;
constexpr int MarkRadius = 3;
constexpr int ErrorBarTick = 3;

// Limits to the 32-bit range, then rounds half to even (the default rounding mode).
int ClampRound(long double v) {
    if (std::isnan(v))
        return 0;
    v = std::clamp(v, -2147483647.0L, 2147483647.0L);
    return static_cast<int>(std::nearbyintl(v));
}

int Limit(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -ScreenLimit, ScreenLimit));
}

const TLayerTransform& LayerOf(const TRenderParams& p, int layer) {
    return p.Layers[static_cast<std::size_t>(std::clamp(layer, 1, 2) - 1)];
}

// Which parts of an item's points are screen values, by coordinate mode.
struct TScreenParts {
    bool x1, y1, x2, y2;
};

TScreenParts ScreenPartsOf(TCoordMode mode) {
    switch (mode) {
    case cmAllWorld:
        return {false, false, false, false};
    case cmAllScreen:
        return {true, true, true, true};
    case cmWorldMainScreenSec:
        return {false, false, true, true};
    case cmScreenMainWorldSec:
        return {true, true, false, false};
    case cmXScreenYWorld:
        return {true, false, true, false};
    case cmXWorldYScreen:
        return {false, true, false, true};
    }
    return {false, false, false, false};
}

// Three quarters of each colour part; system colours shade to grey.
TColor Darker(TColor color) {
    if ((color & clSystemColor) == clSystemColor)
        return clGray;
    const auto part = [color](int shift) { return ((color >> shift) & 0xFF) * 3 / 4; };
    return RGBColor(part(0), part(8), part(16));
}

bool IsText(TChartItemKind kind) {
    return kind == tkText || kind == tkTextOfs;
}

// A "nice" grid spacing (1, 2 or 5 times a power of ten) near span / 10.
double NiceStep(double span) {
    const double raw = std::abs(span) / 10;
    if (!(raw > 0) || !std::isfinite(raw))
        return 0;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / p;
    return (m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10) * p;
}

std::vector<double> GridValues(double lo, double hi, double step, bool log) {
    constexpr int MaxLines = 1000;
    std::vector<double> values;
    if (lo > hi)
        std::swap(lo, hi);
    if (log && step <= 0) {
        if (!(lo > 0) || !std::isfinite(hi))
            return values;
        for (double e = std::ceil(std::log10(lo)); e <= std::floor(std::log10(hi)); ++e) {
            values.push_back(std::pow(10.0, e));
            if (values.size() >= MaxLines)
                break;
        }
        return values;
    }
    if (step <= 0)
        step = NiceStep(hi - lo);
    if (!(step > 0) || !std::isfinite(lo) || !std::isfinite(hi))
        return values;
    for (double k = std::ceil(lo / step); k * step <= hi; ++k) {
        values.push_back(k * step);
        if (values.size() >= MaxLines)
            break;
    }
    return values;
}

} // namespace

int TRenderParams::PlotWidth() const {
    return std::max(0, Width - LRim - RRim - ShadowWidth + 1);
}

int TRenderParams::PlotHeight() const {
    return std::max(0, Height - TRim - BRim - ShadowWidth + 1);
}

void R2M(const TRenderParams& p, int Layer, double xin, double yin, int& xout, int& yout) {
    const TLayerTransform& t = LayerOf(p, Layer);
    long double x;
    if (t.LogX) {
        // Non-positive values are pinned to the edge where the axis starts.
        if (xin <= 1e-100)
            x = t.XRangeRising ? 0 : p.Width;
        else
            x = t.Cpkx * std::log(static_cast<long double>(xin)) + t.Cpdx;
    } else {
        x = t.Cpkx * xin + t.Cpdx;
    }
    long double y;
    if (t.LogY) {
        if (yin <= 1e-100)
            y = t.YRangeRising ? p.Height : 0;
        else
            y = t.Cpky * std::log(static_cast<long double>(yin)) + t.Cpdy;
    } else {
        y = t.Cpky * yin + t.Cpdy;
    }
    xout = ClampRound(x);
    yout = ClampRound(y);
}

void M2R(const TRenderParams& p, int Layer, double xin, double yin, double& xout, double& yout) {
    const TLayerTransform& t = LayerOf(p, Layer);
    xout = CheckedDiv(xin - static_cast<double>(t.Cpdx), static_cast<double>(t.Cpkx));
    if (t.LogX)
        xout = std::exp(xout);
    yout = CheckedDiv(yin - static_cast<double>(t.Cpdy), static_cast<double>(t.Cpky));
    if (t.LogY)
        yout = std::exp(yout);
}

void GetTransformParams(const TRenderParams& p, int Layer, double& kx, double& dx, double& ky,
                        double& dy) {
    const TLayerTransform& t = LayerOf(p, Layer);
    kx = static_cast<double>(t.Cpkx);
    dx = static_cast<double>(t.Cpdx);
    ky = static_cast<double>(t.Cpky);
    dy = static_cast<double>(t.Cpdy);
}

void ConvertToScreenCoords(const TRenderParams& p, const TChartItem& Item, int& x1, int& y1,
                           int& x2, int& y2) {
    const TScreenParts s = ScreenPartsOf(Item.CoordMode);
    R2M(p, Item.Layer, Item.x, Item.y, x1, y1);
    R2M(p, Item.Layer, Item.x2, Item.y2, x2, y2);
    if (s.x1)
        x1 = ClampRound(static_cast<long double>(p.LRim) + Item.x);
    if (s.y1)
        y1 = ClampRound(static_cast<long double>(p.TRim) + Item.y);
    if (s.x2)
        x2 = ClampRound(static_cast<long double>(p.LRim) + Item.x2);
    if (s.y2)
        y2 = ClampRound(static_cast<long double>(p.TRim) + Item.y2);
}

void LimitScreenCoords(int& x, int& y) {
    x = std::clamp(x, -ScreenLimit, ScreenLimit);
    y = std::clamp(y, -ScreenLimit, ScreenLimit);
}

// --- the pass ---------------------------------------------------------------------

void TChartRenderer::ConstructDataBmpCanvas(TCanvas& Canvas, const TRenderParams& Params,
                                            TChartDrawingList& Lists, int XOffset, int YOffset,
                                            bool BlkWhite, int FirstItem) {
    FParams = &Params;
    FXOffset = XOffset;
    FYOffset = YOffset;

    FMarkMap.clear();
    FMarkMapWidth = FMarkMapHeight = 0;
    if (Params.AvoidDuplicateMarks) {
        const int d = Params.MinDupMarkDist;
        FMarkMapWidth = Params.PlotWidth() + 2 * d;
        FMarkMapHeight = Params.PlotHeight() + 2 * d;
        FMarkMap.assign(
            static_cast<std::size_t>(FMarkMapWidth) * static_cast<std::size_t>(FMarkMapHeight), -1);
    }

    const auto notify = [&](const TRenderEvent& event) {
        if (!event)
            return;
        // A handler may draw what it likes; the pass's own colours survive it.
        const TColor brush = Canvas.Brush.Color;
        const TColor pen = Canvas.Pen.Color;
        event(Lists, Canvas, Params.TRim - YOffset, Params.LRim - XOffset);
        Canvas.Brush.Color = brush;
        Canvas.Pen.Color = pen;
    };
    notify(Params.OnBeforeRenderData);

    if (Params.GridStyle != gsNone && FirstItem == 0)
        DrawGrid(Canvas, XOffset, YOffset);

    StartState(Canvas, XOffset, YOffset);
    if (!Lists.AnnoBelowChart()) {
        RenderList(Canvas, Lists, false, BlkWhite, XOffset, YOffset, 0);
        FinishPolyLine(Canvas);
    }
    if (Lists.AnnosVisible()) {
        if (Lists.AnnoTextOnTop()) {
            RenderList(Canvas, Lists, true, BlkWhite, XOffset, YOffset, 1);
            RenderList(Canvas, Lists, true, BlkWhite, XOffset, YOffset, 2);
        } else {
            RenderList(Canvas, Lists, true, BlkWhite, XOffset, YOffset, 0);
        }
        FinishPolyLine(Canvas);
    }
    if (Lists.AnnoBelowChart()) {
        RenderList(Canvas, Lists, false, BlkWhite, XOffset, YOffset, 0);
        FinishPolyLine(Canvas);
    }

    Canvas.Pen.Width = 1;
    FLastLWidth = 1;
    notify(Params.OnDataRendered);
    DrawFrame(Canvas, XOffset, YOffset);
}

void TChartRenderer::StartState(TCanvas& Canvas, int XOffset, int YOffset) {
    const TRenderParams& p = *FParams;
    Canvas.Pen.Width = p.LineWidth;
    FLastLWidth = p.LineWidth;
    FLastMoveToX = XOffset;
    FLastMoveToY = YOffset;
    Canvas.MoveTo(XOffset, YOffset);
    Canvas.Pen.Color = p.ChartColor;
    FLastPenCol = p.ChartColor;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Mode = pmCopy;
    FLastPenStyle = psSolid;
    Canvas.Brush.Color = p.ChartColor;
    Canvas.Brush.Style = bsSolid;
    FLastBrushCol = p.ChartColor;
    Canvas.Font.Color = p.ChartColor;
    FLastFontCol = p.ChartColor;
    FNumPPa = 0;
}

// TextFilter: 0 every item, 1 all but texts, 2 texts only.
void TChartRenderer::RenderList(TCanvas& Canvas, TChartDrawingList& Lists, bool IsAnnotation,
                                bool BlkWhite, int XOffset, int YOffset, int TextFilter) {
    const TLongTextArray& longTexts = IsAnnotation ? Lists.LongTextsAnno() : Lists.LongTextsData();
    // Counted afresh each step: a handler of the item event may change the lists.
    for (int i = 0; i < (IsAnnotation ? Lists.NumAnnos() : Lists.NumItems()); ++i) {
        TChartItem item = IsAnnotation ? Lists.AnnoContainer(i) : Lists.DataContainer(i);
        if (TextFilter == 1 && IsText(item.ItemKind))
            continue;
        if (TextFilter == 2 && !IsText(item.ItemKind))
            continue;
        const bool classVisible = IsAnnotation ? Lists.AnnoClassVisible(item.ItemClass)
                                               : Lists.ClassVisible(item.ItemClass);
        if (!classVisible || !Lists.LayerVisible(item.Layer))
            continue;
        if (FParams->OnBeforeRenderChartItem)
            FParams->OnBeforeRenderChartItem(Lists, item, i, IsAnnotation);
        DrawContainerItemOnCanvas(Canvas, item, i, IsAnnotation, longTexts, BlkWhite, XOffset,
                                  YOffset);
    }
}

void TChartRenderer::DrawFrame(TCanvas& Canvas, int XOffset, int YOffset) {
    const TRenderParams& p = *FParams;
    Canvas.Pen.Color = p.ChartFrameColor;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    const int right = XOffset + p.Width - p.LRim - p.RRim - p.ShadowWidth;
    const int bottom = YOffset + p.Height - p.TRim - p.BRim - p.ShadowWidth;
    Canvas.MoveTo(XOffset, YOffset);
    Canvas.LineTo(right, YOffset);
    Canvas.LineTo(right, bottom);
    Canvas.LineTo(XOffset, bottom);
    Canvas.LineTo(XOffset, YOffset);
}

void TChartRenderer::DrawGrid(TCanvas& Canvas, int XOffset, int YOffset) {
    const TRenderParams& p = *FParams;
    const TLayerTransform& t = p.Layers[0];
    const int pw = p.PlotWidth();
    const int ph = p.PlotHeight();
    if (pw <= 0 || ph <= 0 || t.Cpkx == 0 || t.Cpky == 0)
        return;
    double xlo, ylo, xhi, yhi;
    M2R(p, 1, p.LRim, p.TRim + ph - 1, xlo, ylo);
    M2R(p, 1, p.LRim + pw - 1, p.TRim, xhi, yhi);
    const GridStyleType style = p.GridStyle;
    const bool vert = style == gsVertLines || style == gsLines || style == gsVertDotLines ||
                      style == gsDotLines || style == gsPoints;
    const bool horiz = style == gsHorizLines || style == gsLines || style == gsHorizDotLines ||
                       style == gsDotLines || style == gsPoints;
    const bool dotted = style == gsHorizDotLines || style == gsVertDotLines || style == gsDotLines;
    std::vector<int> cols, rows;
    if (vert)
        for (double v : GridValues(xlo, xhi, p.GridDx, t.LogX)) {
            int px, py;
            R2M(p, 1, v, 1, px, py);
            cols.push_back(px - p.LRim + XOffset);
        }
    if (horiz)
        for (double v : GridValues(ylo, yhi, p.GridDy, t.LogY)) {
            int px, py;
            R2M(p, 1, 1, v, px, py);
            rows.push_back(py - p.TRim + YOffset);
        }
    Canvas.Pen.Color = p.GridColor;
    Canvas.Pen.Style = dotted ? psDot : psSolid;
    Canvas.Pen.Width = 1;
    if (style == gsPoints) {
        for (int x : cols)
            for (int y : rows)
                Canvas.SetPixel(x, y, p.GridColor);
        return;
    }
    for (int x : cols) {
        Canvas.MoveTo(x, YOffset);
        Canvas.LineTo(x, YOffset + ph);
    }
    for (int y : rows) {
        Canvas.MoveTo(XOffset, y);
        Canvas.LineTo(XOffset + pw, y);
    }
    Canvas.Pen.Style = psSolid;
}

// --- state helpers ------------------------------------------------------------------

// A segment that continues the polyline keeps it open unless its pen or fill
// differs; then the open part is drawn first and all three are set together.
void TChartRenderer::ContinuePolylineWith(TCanvas& Canvas, TColor pen, TPenStyle style,
                                          TColor fill) {
    if (pen == FLastPenCol && style == FLastPenStyle && fill == FLastBrushCol)
        return;
    FinishPolyLine(Canvas);
    Canvas.Pen.Color = pen;
    Canvas.Pen.Style = style;
    Canvas.Brush.Color = fill;
    FLastPenCol = pen;
    FLastPenStyle = style;
    FLastBrushCol = fill;
}

void TChartRenderer::UsePen(TCanvas& Canvas, TColor color, TPenStyle style) {
    if (color != FLastPenCol) {
        Canvas.Pen.Color = color;
        FLastPenCol = color;
    }
    if (style != FLastPenStyle) {
        Canvas.Pen.Style = style;
        FLastPenStyle = style;
    }
}

void TChartRenderer::UseBrush(TCanvas& Canvas, TColor color) {
    if (color != FLastBrushCol) {
        Canvas.Brush.Color = color;
        FLastBrushCol = color;
    }
}

void TChartRenderer::UseFontColor(TCanvas& Canvas, TColor color) {
    Canvas.Font.Color = color;
    FLastFontCol = color;
}

TPoint TChartRenderer::WorldToCanvas(int layer, double x, double y) const {
    int px, py;
    R2M(*FParams, layer, x, y, px, py);
    return {Limit(static_cast<long long>(px) - FParams->LRim + FXOffset),
            Limit(static_cast<long long>(py) - FParams->TRim + FYOffset)};
}

namespace {

// One point of an item on the canvas: world parts through R2M, screen parts as
// offset plus value; limited to +-30000.
TPoint ItemPoint(const TRenderParams& p, int layer, double x, double y, bool xScreen, bool yScreen,
                 int xOffset, int yOffset) {
    int px, py;
    R2M(p, layer, x, y, px, py);
    const long long cx = xScreen ? ClampRound(static_cast<long double>(xOffset) + x)
                                 : static_cast<long long>(px) - p.LRim + xOffset;
    const long long cy = yScreen ? ClampRound(static_cast<long double>(yOffset) + y)
                                 : static_cast<long long>(py) - p.TRim + yOffset;
    return {Limit(cx), Limit(cy)};
}

} // namespace

TPoint TChartRenderer::FirstPoint(const TChartItem& item) const {
    const TScreenParts s = ScreenPartsOf(item.CoordMode);
    return ItemPoint(*FParams, item.Layer, item.x, item.y, s.x1, s.y1, FXOffset, FYOffset);
}

TPoint TChartRenderer::SecondPoint(const TChartItem& item) const {
    const TScreenParts s = ScreenPartsOf(item.CoordMode);
    return ItemPoint(*FParams, item.Layer, item.x2, item.y2, s.x2, s.y2, FXOffset, FYOffset);
}

TPoint TChartRenderer::PenEnd() const {
    if (FNumPPa > 0)
        return FPPa[static_cast<std::size_t>(FNumPPa - 1)];
    return {FLastMoveToX, FLastMoveToY};
}

// --- polylines ------------------------------------------------------------------------

void TChartRenderer::EnterPolyline(int x, int y, TCanvas& Canvas) {
    if (FNumPPa == 0) {
        FPPa[0] = {FLastMoveToX, FLastMoveToY};
        FNumPPa = 1;
    }
    FPPa[static_cast<std::size_t>(FNumPPa++)] = {x, y};
    if (FNumPPa == MaxPolyPoints) {
        FinishPolyLine(Canvas);
        FPPa[0] = {x, y};
        FNumPPa = 1;
    }
}

void TChartRenderer::FinishPolyLine(TCanvas& Canvas) {
    if (FNumPPa == 0)
        return;
    // A lone point (left over after a full polyline) draws nothing: the end
    // point of a line is never painted.
    if (FNumPPa >= 2)
        Canvas.Polyline(std::span<const TPoint>(FPPa.data(), static_cast<std::size_t>(FNumPPa)));
    const TPoint last = FPPa[static_cast<std::size_t>(FNumPPa - 1)];
    Canvas.MoveTo(last.x, last.y);
    FLastMoveToX = last.x;
    FLastMoveToY = last.y;
    FNumPPa = 0;
}

// --- one item --------------------------------------------------------------------------

void TChartRenderer::DrawContainerItemOnCanvas(TCanvas& Canvas, const TChartItem& Item, int Index,
                                               bool IsAnnotation, const TLongTextArray& LongTexts,
                                               bool BlkWhite, int XOffset, int YOffset) {
    (void)Index;
    (void)IsAnnotation;
    FXOffset = XOffset;
    FYOffset = YOffset;
    const TRenderParams& p = *FParams;
    const TColor pen = BlkWhite ? clBlack : Item.Color;
    const TColor fill = BlkWhite ? BlkWhiteFill : Item.FillColor;
    if (Item.LWid != FLastLWidth && !IsText(Item.ItemKind)) {
        FinishPolyLine(Canvas);
        Canvas.Pen.Width = Item.LWid;
        FLastLWidth = Item.LWid;
    }

    // The target of a pen move or a polyline segment, in canvas pixels; the
    // limit applies in control pixels here.
    const auto penTarget = [&]() {
        const TScreenParts s = ScreenPartsOf(Item.CoordMode);
        int px, py;
        R2M(p, Item.Layer, Item.x, Item.y, px, py);
        if (s.x1)
            px = ClampRound(static_cast<long double>(p.LRim) + Item.x - XOffset);
        if (s.y1)
            py = ClampRound(static_cast<long double>(p.TRim) + Item.y - YOffset);
        LimitScreenCoords(px, py);
        return TPoint{px - p.LRim + XOffset, py - p.TRim + YOffset};
    };
    const auto segment = [&](TPoint a, TPoint b) {
        if (a == b) {
            Canvas.SetPixel(a.x, a.y, pen);
        } else {
            Canvas.MoveTo(a.x, a.y);
            Canvas.LineTo(b.x, b.y);
        }
    };
    const auto areaBrush = [&](TColor color) {
        UseBrush(Canvas, color);
        Canvas.Brush.Style = Item.Transp ? bsClear : bsSolid;
    };
    const auto box = [](TPoint a, TPoint b) {
        return TRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                     std::max(a.y, b.y) + 1};
    };
    // The box of an ellipse or arc: centre plus and minus half the axis lengths,
    // read in the units of the first point.
    const auto ellipseBox = [&]() {
        const TScreenParts s = ScreenPartsOf(Item.CoordMode);
        const double hx = Item.x2 / 2;
        const double hy = Item.y2 / 2;
        const TPoint a =
            ItemPoint(p, Item.Layer, Item.x - hx, Item.y - hy, s.x1, s.y1, XOffset, YOffset);
        const TPoint b =
            ItemPoint(p, Item.Layer, Item.x + hx, Item.y + hy, s.x1, s.y1, XOffset, YOffset);
        return box(a, b);
    };

    switch (Item.ItemKind) {
    case tkNone:
    case tkEverything:
    case tkNotMoveTo:
        break;
    case tkMoveTo: {
        const TPoint t = penTarget();
        FinishPolyLine(Canvas);
        FLastMoveToX = t.x;
        FLastMoveToY = t.y;
        Canvas.MoveTo(t.x, t.y);
        break;
    }
    case tkLineto: {
        const TPoint t = penTarget();
        ContinuePolylineWith(Canvas, pen, Item.PenStyle, fill);
        EnterPolyline(t.x, t.y, Canvas);
        break;
    }
    case tkLine: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        UseBrush(Canvas, fill);
        // The pen position stays: a following tkLineto goes on from the last
        // polyline or pen move, not from this segment.
        segment(FirstPoint(Item), SecondPoint(Item));
        break;
    }
    case tkLineRelPix: {
        const TPoint from = PenEnd();
        const int x = Limit(static_cast<long long>(from.x) + Item.Param1);
        const int y = Limit(static_cast<long long>(from.y) + Item.Param2);
        ContinuePolylineWith(Canvas, pen, Item.PenStyle, fill);
        EnterPolyline(x, y, Canvas);
        break;
    }
    case tkMoveRelPix: {
        FinishPolyLine(Canvas);
        FLastMoveToX = Limit(static_cast<long long>(FLastMoveToX) + Item.Param1);
        FLastMoveToY = Limit(static_cast<long long>(FLastMoveToY) + Item.Param2);
        Canvas.MoveTo(FLastMoveToX, FLastMoveToY);
        break;
    }
    case tkLineRelPixOrig: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint a = FirstPoint(Item);
        segment(a, {Limit(static_cast<long long>(a.x) + Item.Param1),
                    Limit(static_cast<long long>(a.y) + Item.Param2)});
        break;
    }
    case tkLineOffs: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint a = FirstPoint(Item);
        const TPoint b = SecondPoint(Item);
        const auto shift = [&](TPoint q) {
            return TPoint{Limit(static_cast<long long>(q.x) + Item.Param1),
                          Limit(static_cast<long long>(q.y) + Item.Param2)};
        };
        segment(shift(a), shift(b));
        break;
    }
    case tkArrow:
    case tkDoubleArrow: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint a = FirstPoint(Item);
        const TPoint b = SecondPoint(Item);
        segment(a, b);
        DrawArrowHead(Canvas, a, b, Item.Param1, !Item.Transp);
        if (Item.ItemKind == tkDoubleArrow)
            DrawArrowHead(Canvas, b, a, Item.Param1, !Item.Transp);
        break;
    }
    case tkRect:
    case tkRectRelPix: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        areaBrush(fill);
        TRect r;
        if (Item.ItemKind == tkRect) {
            r = box(FirstPoint(Item), SecondPoint(Item));
        } else {
            const TPoint c = FirstPoint(Item);
            const int dx = std::abs(Item.Param1);
            const int dy = std::abs(Item.Param2);
            r = TRect{c.x - dx, c.y - dy, c.x + dx + 1, c.y + dy + 1};
        }
        Canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        Canvas.Brush.Style = bsSolid;
        break;
    }
    case tkRectFrame:
        FinishPolyLine(Canvas);
        DrawRectFrame(Canvas, Item, FirstPoint(Item), SecondPoint(Item), BlkWhite);
        break;
    case tk3DBar: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TRect r = box(FirstPoint(Item), SecondPoint(Item));
        const double angle = Item.Param2 * std::numbers::pi / 180;
        const int ddx = static_cast<int>(std::lround(Item.Param1 * std::cos(angle)));
        const int ddy = -static_cast<int>(std::lround(Item.Param1 * std::sin(angle)));
        const int right = r.Right - 1;
        const int bottom = r.Bottom - 1;
        // Side and top in a darker shade of the fill, so the bar reads as a solid.
        const TColor shade = BlkWhite ? BlkWhiteShade : Darker(fill);
        areaBrush(shade);
        const std::array<TPoint, 4> side{TPoint{right, r.Top}, TPoint{right + ddx, r.Top + ddy},
                                         TPoint{right + ddx, bottom + ddy}, TPoint{right, bottom}};
        Canvas.Polygon(side);
        const std::array<TPoint, 4> top{TPoint{r.Left, r.Top}, TPoint{r.Left + ddx, r.Top + ddy},
                                        TPoint{right + ddx, r.Top + ddy}, TPoint{right, r.Top}};
        Canvas.Polygon(top);
        areaBrush(fill);
        Canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        Canvas.Brush.Style = bsSolid;
        break;
    }
    case tkText:
    case tkTextOfs:
        FinishPolyLine(Canvas);
        DrawText(Canvas, Item, LongTexts, pen, BlkWhite);
        break;
    case tkEllipse: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        areaBrush(fill);
        const TRect r = ellipseBox();
        Canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        Canvas.Brush.Style = bsSolid;
        break;
    }
    case tkArc: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TRect r = ellipseBox();
        const double cx = (r.Left + r.Right) / 2.0;
        const double cy = (r.Top + r.Bottom) / 2.0;
        const double reach = std::max(r.Width(), r.Height()) + 10.0;
        const auto ray = [&](int degrees) {
            const double a = degrees * std::numbers::pi / 180;
            return TPoint{static_cast<int>(std::lround(cx + reach * std::cos(a))),
                          static_cast<int>(std::lround(cy - reach * std::sin(a)))};
        };
        const TPoint s = ray(Item.Param1);
        const TPoint e = ray(Item.Param2);
        Canvas.Arc(r.Left, r.Top, r.Right, r.Bottom, s.x, s.y, e.x, e.y);
        break;
    }
    case tkMarkAt: {
        FinishPolyLine(Canvas);
        const TPoint pt = FirstPoint(Item);
        // Marks outside the axis ranges are left out (not cut at the edge).
        const int px = pt.x - XOffset;
        const int py = pt.y - YOffset;
        if (px < 0 || py < 0 || px >= p.PlotWidth() || py >= p.PlotHeight())
            break;
        if (!FMarkMap.empty()) {
            const int d = p.MinDupMarkDist;
            const std::size_t at =
                static_cast<std::size_t>(py + d) * static_cast<std::size_t>(FMarkMapWidth) +
                static_cast<std::size_t>(px + d);
            if (FMarkMap[at] == Item.Param3)
                break;
            for (int y = py; y <= py + 2 * d; ++y)
                for (int x = px; x <= px + 2 * d; ++x)
                    FMarkMap[static_cast<std::size_t>(y) * static_cast<std::size_t>(FMarkMapWidth) +
                             static_cast<std::size_t>(x)] = Item.Param3;
        }
        UsePen(Canvas, pen, Item.PenStyle);
        DrawMark(Canvas, Item, pt, pen, BlkWhite);
        break;
    }
    case tkMarkEBar: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TScreenParts s = ScreenPartsOf(Item.CoordMode);
        const bool horizontal = Item.Param1 != 0;
        const double lx = horizontal ? Item.x - Item.x2 : Item.x;
        const double ly = horizontal ? Item.y : Item.y - Item.x2;
        const double ux = horizontal ? Item.x + Item.y2 : Item.x;
        const double uy = horizontal ? Item.y : Item.y + Item.y2;
        const TPoint lo = ItemPoint(p, Item.Layer, lx, ly, s.x1, s.y1, XOffset, YOffset);
        const TPoint hi = ItemPoint(p, Item.Layer, ux, uy, s.x1, s.y1, XOffset, YOffset);
        segment(lo, hi);
        for (const TPoint end : {lo, hi}) {
            if (horizontal)
                segment({end.x, end.y - ErrorBarTick}, {end.x, end.y + ErrorBarTick + 1});
            else
                segment({end.x - ErrorBarTick, end.y}, {end.x + ErrorBarTick + 1, end.y});
        }
        DrawMark(Canvas, Item, FirstPoint(Item), pen, BlkWhite);
        break;
    }
    case tkCursorVert: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint pt = WorldToCanvas(Item.Layer, Item.x, 0);
        Canvas.MoveTo(pt.x, YOffset);
        Canvas.LineTo(pt.x, YOffset + p.PlotHeight());
        break;
    }
    case tkCursorHoriz: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint pt = WorldToCanvas(Item.Layer, 0, Item.y);
        Canvas.MoveTo(XOffset, pt.y);
        Canvas.LineTo(XOffset + p.PlotWidth(), pt.y);
        break;
    }
    }
}

void TChartRenderer::DrawArrowHead(TCanvas& Canvas, TPoint from, TPoint tip, int size,
                                   bool filled) {
    const double dx = tip.x - from.x;
    const double dy = tip.y - from.y;
    const double len = std::hypot(dx, dy);
    if (len == 0 || size <= 0)
        return;
    const double ux = dx / len;
    const double uy = dy / len;
    const double bx = tip.x - ux * size;
    const double by = tip.y - uy * size;
    const double half = size / 2.0;
    const std::array<TPoint, 3> head{tip,
                                     TPoint{static_cast<int>(std::lround(bx - uy * half)),
                                            static_cast<int>(std::lround(by + ux * half))},
                                     TPoint{static_cast<int>(std::lround(bx + uy * half)),
                                            static_cast<int>(std::lround(by - ux * half))}};
    // Heads are filled in the line's own colour.
    UseBrush(Canvas, FLastPenCol);
    Canvas.Brush.Style = filled ? bsSolid : bsClear;
    Canvas.Polygon(head);
    Canvas.Brush.Style = bsSolid;
}

void TChartRenderer::DrawRectFrame(TCanvas& Canvas, const TChartItem& item, TPoint a, TPoint b,
                                   bool blkWhite) {
    int l = std::min(a.x, b.x);
    int t = std::min(a.y, b.y);
    int r = std::max(a.x, b.x);
    int btm = std::max(a.y, b.y);
    const TColor shadow = blkWhite ? clBlack : item.ShadowColor;
    const TColor light = blkWhite ? BlkWhiteShade : item.HiLightColor;
    // One edge pair: top and left in one colour, bottom and right in the other.
    const auto edges = [&](TColor topLeft, TColor bottomRight) {
        UsePen(Canvas, topLeft, psSolid);
        Canvas.MoveTo(l, btm);
        Canvas.LineTo(l, t);
        Canvas.LineTo(r, t);
        UsePen(Canvas, bottomRight, psSolid);
        Canvas.LineTo(r, btm);
        Canvas.LineTo(l - 1, btm);
    };
    const auto inset = [&]() {
        ++l;
        ++t;
        --r;
        --btm;
    };
    switch (item.FrameStyle) {
    case fsNone:
        break;
    case fsSimple: {
        const TColor pen = blkWhite ? clBlack : item.Color;
        edges(pen, pen);
        break;
    }
    case fsLowered:
        edges(shadow, light);
        break;
    case fsRaised:
        edges(light, shadow);
        break;
    case fsEmbossed:
        edges(light, shadow);
        inset();
        edges(shadow, light);
        break;
    case fsEngraved:
        edges(shadow, light);
        inset();
        edges(light, shadow);
        break;
    }
}

void TChartRenderer::DrawMark(TCanvas& Canvas, const TChartItem& item, TPoint pt, TColor pen,
                              bool blkWhite) {
    const int r = MarkRadius;
    const int x = pt.x;
    const int y = pt.y;
    const TColor fill = blkWhite ? BlkWhiteFill : item.FillColor;
    const int symbol = ((item.Param3 % 9) + 9) % 9;
    switch (symbol) {
    case 0: // dot
        Canvas.SetPixel(x, y, pen);
        break;
    case 1: // plus
        Canvas.MoveTo(x - r, y);
        Canvas.LineTo(x + r + 1, y);
        Canvas.MoveTo(x, y - r);
        Canvas.LineTo(x, y + r + 1);
        break;
    case 2: // cross
        Canvas.MoveTo(x - r, y - r);
        Canvas.LineTo(x + r + 1, y + r + 1);
        Canvas.MoveTo(x + r, y - r);
        Canvas.LineTo(x - r - 1, y + r + 1);
        break;
    case 3: // open square
    case 4: // filled square
        UseBrush(Canvas, fill);
        Canvas.Brush.Style = symbol == 3 ? bsClear : bsSolid;
        Canvas.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
        break;
    case 5: // open circle
    case 6: // filled circle
        UseBrush(Canvas, fill);
        Canvas.Brush.Style = symbol == 5 ? bsClear : bsSolid;
        Canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
        break;
    case 7: { // triangle
        UseBrush(Canvas, fill);
        Canvas.Brush.Style = bsSolid;
        const std::array<TPoint, 3> tri{TPoint{x, y - r}, TPoint{x + r, y + r},
                                        TPoint{x - r, y + r}};
        Canvas.Polygon(tri);
        break;
    }
    default: { // diamond
        UseBrush(Canvas, fill);
        Canvas.Brush.Style = bsSolid;
        const std::array<TPoint, 4> dia{TPoint{x, y - r}, TPoint{x + r, y}, TPoint{x, y + r},
                                        TPoint{x - r, y}};
        Canvas.Polygon(dia);
        break;
    }
    }
    Canvas.Brush.Style = bsSolid;
}

void TChartRenderer::DrawText(TCanvas& Canvas, const TChartItem& item,
                              const TLongTextArray& longTexts, TColor pen, bool blkWhite) {
    QString text = item.Text;
    if (item.LWid >= 1 && item.LWid <= MaxLongTexts &&
        !longTexts[static_cast<std::size_t>(item.LWid - 1)].isEmpty())
        text = longTexts[static_cast<std::size_t>(item.LWid - 1)];
    TPoint pt = FirstPoint(item);
    if (item.ItemKind == tkTextOfs)
        pt = {Limit(static_cast<long long>(pt.x) + ClampRound(item.x2)),
              Limit(static_cast<long long>(pt.y) + ClampRound(item.y2))};

    Canvas.Font = FParams->TextFont;
    // The size is in points; the font's height is in pixels of a 96-dpi surface.
    if (item.Param1 > 0)
        Canvas.Font.Height = -static_cast<int>(std::lround(item.Param1 * 96.0 / 72.0));
    UseFontColor(Canvas, pen);
    if (item.Param2 == tbSolid) {
        UseBrush(Canvas, blkWhite ? BlkWhiteFill : item.FillColor);
        Canvas.Brush.Style = bsSolid;
    } else {
        Canvas.Brush.Style = bsClear;
    }
    text.remove(QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int lineHeight = Canvas.TextHeight(QStringLiteral("Ag"));
    int y = pt.y;
    for (const QString& line : lines) {
        const int w = Canvas.TextWidth(line);
        int x = pt.x;
        if (item.Param3 == taRightJustify)
            x -= w;
        else if (item.Param3 == taCenter)
            x -= w / 2;
        if (!line.isEmpty())
            Canvas.TextOut(x, y, line);
        y += lineHeight;
    }
    Canvas.Brush.Style = bsSolid;
}
