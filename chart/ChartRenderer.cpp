// The rendering pass: the order of the lists, the filters and events, the
// canvas state kept between items and the polylines that carry the curves.
// The per-kind painters are in ChartItemPainters.cpp.

#include "chart/ChartRenderer.h"

#include "chart/ChartGrid.h"

void TChartRenderer::ConstructDataBmpCanvas(TCanvas& Canvas, const TRenderParams& Params,
                                            TChartDrawingList& Lists, int XOffset, int YOffset,
                                            bool BlkWhite, int FirstItem) {
    FParams = &Params;
    const TPlotGeometry& g = Params.Map.Geometry();
    if (Params.AvoidDuplicateMarks)
        FMarkMap.Reset(g.PlotWidth(), g.PlotHeight(), Params.MinDupMarkDist);
    else
        FMarkMap.Clear();

    // Handlers see the canvas as the caller has it and may draw what they
    // like; the pass's own state survives them.
    const auto notify = [&](const TRenderEvent& event) {
        if (!event)
            return;
        TCanvasStateSaver saved(Canvas);
        event(Lists, Canvas, g.TRim - YOffset, g.LRim - XOffset);
    };
    notify(Params.OnBeforeRenderData);
    {
        TCanvasStateSaver saved(Canvas);
        Canvas.MoveOrigin(XOffset, YOffset);
        if (Params.GridStyle != gsNone && FirstItem == 0)
            DrawGrid(Canvas, Params);
        StartState(Canvas);
        if (!Lists.AnnoBelowChart()) {
            RenderList(Canvas, Lists, false, BlkWhite, TTextFilter::Every);
            FinishPolyLine(Canvas);
        }
        if (Lists.AnnosVisible()) {
            if (Lists.AnnoTextOnTop()) {
                RenderList(Canvas, Lists, true, BlkWhite, TTextFilter::AllButTexts);
                RenderList(Canvas, Lists, true, BlkWhite, TTextFilter::TextsOnly);
            } else {
                RenderList(Canvas, Lists, true, BlkWhite, TTextFilter::Every);
            }
            FinishPolyLine(Canvas);
        }
        if (Lists.AnnoBelowChart()) {
            RenderList(Canvas, Lists, false, BlkWhite, TTextFilter::Every);
            FinishPolyLine(Canvas);
        }
        DrawTextLabels(Canvas);
    }
    notify(Params.OnDataRendered);
    TCanvasStateSaver saved(Canvas);
    Canvas.MoveOrigin(XOffset, YOffset);
    DrawFrame(Canvas);
}

void TChartRenderer::StartState(TCanvas& Canvas) {
    const TRenderParams& p = *FParams;
    Canvas.Pen.Width = p.LineWidth;
    FLastLWidth = p.LineWidth;
    FLastMoveToX = 0;
    FLastMoveToY = 0;
    Canvas.MoveTo(0, 0);
    Canvas.Pen.Color = p.ChartColor;
    FLastPenCol = p.ChartColor;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Mode = pmCopy;
    FLastPenStyle = psSolid;
    Canvas.Brush.Color = p.ChartColor;
    Canvas.Brush.Style = bsSolid;
    FLastBrushCol = p.ChartColor;
    Canvas.Font.Color = p.ChartColor;
    FNumPPa = 0;
}

void TChartRenderer::RenderList(TCanvas& Canvas, TChartDrawingList& Lists, bool IsAnnotation,
                                bool BlkWhite, TTextFilter Filter) {
    const TLongTextArray& longTexts = IsAnnotation ? Lists.LongTextsAnno() : Lists.LongTextsData();
    // Counted afresh each step: a handler of the item event may change the lists.
    for (int i = 0; i < (IsAnnotation ? Lists.NumAnnos() : Lists.NumItems()); ++i) {
        TChartItem item = IsAnnotation ? Lists.AnnoContainer(i) : Lists.DataContainer(i);
        if (Filter == TTextFilter::AllButTexts && IsTextKind(item.ItemKind))
            continue;
        if (Filter == TTextFilter::TextsOnly && !IsTextKind(item.ItemKind))
            continue;
        const bool classVisible = IsAnnotation ? Lists.AnnoClassVisible(item.ItemClass)
                                               : Lists.ClassVisible(item.ItemClass);
        if (!classVisible || !Lists.LayerVisible(item.Layer))
            continue;
        if (FParams->OnBeforeRenderChartItem)
            FParams->OnBeforeRenderChartItem(Lists, item, i, IsAnnotation);
        DrawContainerItemOnCanvas(Canvas, item, longTexts, BlkWhite);
    }
}

// On the plot area's outermost pixels, over any line that reached them: an
// outline, which on a high-DPI surface lies on the outermost device pixels,
// where the background's frame lies.
void TChartRenderer::DrawFrame(TCanvas& Canvas) {
    const TPlotGeometry& g = FParams->Map.Geometry();
    Canvas.Pen.Color = FParams->ChartFrameColor;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    const int right = g.PlotRight() - g.LRim;
    const int bottom = g.PlotBottom() - g.TRim;
    if (right >= 1 && bottom >= 1) {
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(0, 0, right + 1, bottom + 1);
        return;
    }
    // A plot one pixel wide or high: the line it is.
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(right, 0);
    Canvas.LineTo(right, bottom);
    Canvas.LineTo(0, bottom);
    Canvas.LineTo(0, 0);
}

void TChartRenderer::DrawTextLabels(TCanvas& Canvas) {
    Canvas.Pen.Width = 1;
    FLastLWidth = 1;
    const std::span<const TTextLabel> labels = FParams->TextLabels;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it)
        it->Draw(Canvas, FParams->Map);
}

// --- state ---------------------------------------------------------------------------

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

void TChartRenderer::UseAreaBrush(TCanvas& Canvas, TColor color, bool transparent) {
    UseBrush(Canvas, color);
    Canvas.Brush.Style = transparent ? bsClear : bsSolid;
}

// --- points ----------------------------------------------------------------------------

TPoint TChartRenderer::InPlotArea(int x, int y) const {
    const TPlotGeometry& g = FParams->Map.Geometry();
    return {LimitScreenCoord(static_cast<long long>(x) - g.LRim),
            LimitScreenCoord(static_cast<long long>(y) - g.TRim)};
}

TPoint TChartRenderer::FirstPoint(const TChartItem& item) const {
    int x1, y1, x2, y2;
    FParams->Map.ConvertToScreenCoords(item, x1, y1, x2, y2);
    return InPlotArea(x1, y1);
}

TPoint TChartRenderer::SecondPoint(const TChartItem& item) const {
    int x1, y1, x2, y2;
    FParams->Map.ConvertToScreenCoords(item, x1, y1, x2, y2);
    return InPlotArea(x2, y2);
}

TPoint TChartRenderer::PenTarget(const TChartItem& item) const {
    int x1, y1, x2, y2;
    FParams->Map.ConvertToScreenCoords(item, x1, y1, x2, y2);
    LimitScreenCoords(x1, y1);
    const TPlotGeometry& g = FParams->Map.Geometry();
    return {x1 - g.LRim, y1 - g.TRim};
}

TPoint TChartRenderer::PointAt(const TChartItem& item, double x, double y) const {
    TChartItem at = item;
    at.x = x;
    at.y = y;
    at.CoordMode = FirstPointMode(item.CoordMode);
    return FirstPoint(at);
}

TPoint TChartRenderer::PenEnd() const {
    if (FNumPPa > 0)
        return FPPa[static_cast<std::size_t>(FNumPPa - 1)];
    return {FLastMoveToX, FLastMoveToY};
}

// --- polylines ---------------------------------------------------------------------------

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
