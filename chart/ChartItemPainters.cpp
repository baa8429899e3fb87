// Drawing one item of a drawing list, kind by kind, in plot-area pixels:
// pen moves and polylines, segments, areas, frames, bars, texts and marks.

#include "chart/ChartRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Fills and shades of black-and-white rendering.
constexpr TColor BlkWhiteFill = clWhite;
constexpr TColor BlkWhiteShade = 0xE0E0E0;
constexpr int MarkRadius = 3;
constexpr int ErrorBarTick = 3;

// Three quarters of each colour part; system colours shade to grey.
TColor Darker(TColor color) {
    if ((color & clSystemColor) == clSystemColor)
        return clGray;
    const auto part = [color](int shift) { return ((color >> shift) & 0xFF) * 3 / 4; };
    return RGBColor(part(0), part(8), part(16));
}

// The box of two corners, both corners' pixels included.
TRect Box(TPoint a, TPoint b) {
    return TRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                 std::max(a.y, b.y) + 1};
}

TPoint Shifted(TPoint p, int dx, int dy) {
    return {LimitScreenCoord(static_cast<long long>(p.x) + dx),
            LimitScreenCoord(static_cast<long long>(p.y) + dy)};
}

// A segment, or the one pixel when both ends fall on it.
void Segment(TCanvas& canvas, TPoint a, TPoint b, TColor pen) {
    if (a == b) {
        canvas.SetPixel(a.x, a.y, pen);
    } else {
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
    }
}

} // namespace

void TChartRenderer::DrawContainerItemOnCanvas(TCanvas& Canvas, const TChartItem& Item,
                                               const TLongTextArray& LongTexts, bool BlkWhite) {
    const TColor pen = BlkWhite ? clBlack : Item.Color;
    const TColor fill = BlkWhite ? BlkWhiteFill : Item.FillColor;
    if (Item.LWid != FLastLWidth && !IsTextKind(Item.ItemKind)) {
        FinishPolyLine(Canvas);
        Canvas.Pen.Width = Item.LWid;
        FLastLWidth = Item.LWid;
    }
    // The box of an ellipse or arc: centre plus and minus half the axis
    // lengths, read in the units of the first point.
    const auto ellipseBox = [&]() {
        const double hx = Item.x2 / 2;
        const double hy = Item.y2 / 2;
        return Box(PointAt(Item, Item.x - hx, Item.y - hy),
                   PointAt(Item, Item.x + hx, Item.y + hy));
    };

    switch (Item.ItemKind) {
    case tkNone:
    case tkEverything:
    case tkNotMoveTo:
        break;
    case tkMoveTo: {
        const TPoint t = PenTarget(Item);
        FinishPolyLine(Canvas);
        FLastMoveToX = t.x;
        FLastMoveToY = t.y;
        Canvas.MoveTo(t.x, t.y);
        break;
    }
    case tkLineto: {
        const TPoint t = PenTarget(Item);
        ContinuePolylineWith(Canvas, pen, Item.PenStyle, fill);
        EnterPolyline(t.x, t.y, Canvas);
        break;
    }
    case tkLine:
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        UseBrush(Canvas, fill);
        // The pen position stays: a following tkLineto goes on from the last
        // polyline or pen move, not from this segment.
        Segment(Canvas, FirstPoint(Item), SecondPoint(Item), pen);
        break;
    case tkLineRelPix: {
        const TPoint to = Shifted(PenEnd(), Item.Param1, Item.Param2);
        ContinuePolylineWith(Canvas, pen, Item.PenStyle, fill);
        EnterPolyline(to.x, to.y, Canvas);
        break;
    }
    case tkMoveRelPix: {
        FinishPolyLine(Canvas);
        const TPoint to = Shifted({FLastMoveToX, FLastMoveToY}, Item.Param1, Item.Param2);
        FLastMoveToX = to.x;
        FLastMoveToY = to.y;
        Canvas.MoveTo(to.x, to.y);
        break;
    }
    case tkLineRelPixOrig: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint a = FirstPoint(Item);
        Segment(Canvas, a, Shifted(a, Item.Param1, Item.Param2), pen);
        break;
    }
    case tkLineOffs:
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        Segment(Canvas, Shifted(FirstPoint(Item), Item.Param1, Item.Param2),
                Shifted(SecondPoint(Item), Item.Param1, Item.Param2), pen);
        break;
    case tkArrow:
    case tkDoubleArrow: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        const TPoint a = FirstPoint(Item);
        const TPoint b = SecondPoint(Item);
        Segment(Canvas, a, b, pen);
        DrawArrowHead(Canvas, a, b, Item.Param1, !Item.Transp);
        if (Item.ItemKind == tkDoubleArrow)
            DrawArrowHead(Canvas, b, a, Item.Param1, !Item.Transp);
        break;
    }
    case tkRect:
    case tkRectRelPix: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        UseAreaBrush(Canvas, fill, Item.Transp);
        TRect r;
        if (Item.ItemKind == tkRect) {
            r = Box(FirstPoint(Item), SecondPoint(Item));
        } else {
            // Half sizes of any int, the least one included: wide and clamped.
            const TPoint c = FirstPoint(Item);
            const long long dx = std::abs(static_cast<long long>(Item.Param1));
            const long long dy = std::abs(static_cast<long long>(Item.Param2));
            r = TRect{LimitScreenCoord(c.x - dx), LimitScreenCoord(c.y - dy),
                      LimitScreenCoord(c.x + dx) + 1, LimitScreenCoord(c.y + dy) + 1};
        }
        Canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        Canvas.Brush.Style = bsSolid;
        break;
    }
    case tkRectFrame:
        FinishPolyLine(Canvas);
        DrawRectFrame(Canvas, Item, FirstPoint(Item), SecondPoint(Item), BlkWhite);
        break;
    case tk3DBar:
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        Draw3DBar(Canvas, Item, fill, BlkWhite);
        break;
    case tkText:
    case tkTextOfs:
        FinishPolyLine(Canvas);
        DrawText(Canvas, Item, LongTexts, pen, BlkWhite);
        break;
    case tkEllipse: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        UseAreaBrush(Canvas, fill, Item.Transp);
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
    case tkMarkAt:
        FinishPolyLine(Canvas);
        DrawMarkAt(Canvas, Item, pen, BlkWhite);
        break;
    case tkMarkEBar:
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        DrawErrorBar(Canvas, Item, pen, BlkWhite);
        break;
    case tkCursorVert:
    case tkCursorHoriz: {
        FinishPolyLine(Canvas);
        UsePen(Canvas, pen, Item.PenStyle);
        // A world value of the item's layer, whatever the item's mode.
        TChartItem world = Item;
        world.CoordMode = cmAllWorld;
        const TPoint pt = FirstPoint(world);
        const TPlotGeometry& g = FParams->Map.Geometry();
        if (Item.ItemKind == tkCursorVert) {
            Canvas.MoveTo(pt.x, 0);
            Canvas.LineTo(pt.x, g.PlotHeight());
        } else {
            Canvas.MoveTo(0, pt.y);
            Canvas.LineTo(g.PlotWidth(), pt.y);
        }
        break;
    }
    }
}

void TChartRenderer::Draw3DBar(TCanvas& Canvas, const TChartItem& item, TColor fill,
                               bool blkWhite) {
    const TRect r = Box(FirstPoint(item), SecondPoint(item));
    const double angle = item.Param2 * std::numbers::pi / 180;
    // A depth of any int: the offset is wide and its points clamped.
    const long long ddx = std::llround(item.Param1 * std::cos(angle));
    const long long ddy = -std::llround(item.Param1 * std::sin(angle));
    const auto back = [&](int x, int y) {
        return TPoint{LimitScreenCoord(x + ddx), LimitScreenCoord(y + ddy)};
    };
    const int right = r.Right - 1;
    const int bottom = r.Bottom - 1;
    // Side and top in a darker shade of the fill, so the bar reads as a solid.
    UseAreaBrush(Canvas, blkWhite ? BlkWhiteShade : Darker(fill), item.Transp);
    const std::array<TPoint, 4> side{TPoint{right, r.Top}, back(right, r.Top), back(right, bottom),
                                     TPoint{right, bottom}};
    Canvas.Polygon(side);
    const std::array<TPoint, 4> top{TPoint{r.Left, r.Top}, back(r.Left, r.Top), back(right, r.Top),
                                    TPoint{right, r.Top}};
    Canvas.Polygon(top);
    UseAreaBrush(Canvas, fill, item.Transp);
    Canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    Canvas.Brush.Style = bsSolid;
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

void TChartRenderer::DrawMarkAt(TCanvas& Canvas, const TChartItem& item, TColor pen,
                                bool blkWhite) {
    const TPoint pt = FirstPoint(item);
    // Marks outside the axis ranges are left out (not cut at the edge).
    const TPlotGeometry& g = FParams->Map.Geometry();
    if (pt.x < 0 || pt.y < 0 || pt.x >= g.PlotWidth() || pt.y >= g.PlotHeight())
        return;
    if (FMarkMap.Active() && !FMarkMap.Claim(pt.x, pt.y, item.Param3))
        return;
    UsePen(Canvas, pen, item.PenStyle);
    DrawMark(Canvas, item, pt, pen, blkWhite);
}

void TChartRenderer::DrawErrorBar(TCanvas& Canvas, const TChartItem& item, TColor pen,
                                  bool blkWhite) {
    const bool horizontal = item.Param1 != 0;
    const double lx = horizontal ? item.x - item.x2 : item.x;
    const double ly = horizontal ? item.y : item.y - item.x2;
    const double ux = horizontal ? item.x + item.y2 : item.x;
    const double uy = horizontal ? item.y : item.y + item.y2;
    const TPoint lo = PointAt(item, lx, ly);
    const TPoint hi = PointAt(item, ux, uy);
    Segment(Canvas, lo, hi, pen);
    for (const TPoint end : {lo, hi}) {
        if (horizontal)
            Segment(Canvas, {end.x, end.y - ErrorBarTick}, {end.x, end.y + ErrorBarTick + 1}, pen);
        else
            Segment(Canvas, {end.x - ErrorBarTick, end.y}, {end.x + ErrorBarTick + 1, end.y}, pen);
    }
    DrawMark(Canvas, item, FirstPoint(item), pen, blkWhite);
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
        pt = Shifted(pt, ClampRound(item.x2), ClampRound(item.y2));

    Canvas.Font = FParams->TextFont;
    // The size is in points; the font's height is in pixels of a 96-dpi surface.
    if (item.Param1 > 0)
        Canvas.Font.Height = -static_cast<int>(std::lround(item.Param1 * 96.0 / 72.0));
    Canvas.Font.Color = pen;
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
